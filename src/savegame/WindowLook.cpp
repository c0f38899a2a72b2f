#include "savegame/WindowLook.h"

#include <algorithm>
#include <exception>

#include "platform/Font.h"
#include "platform/Platform.h"
#include "platform/TextScale.h"
#include "project/DisplayChecks.h"
#include "project/Player.h"
#include "project/Scheme.h"

namespace tw {

void ApplyGameLook(Player& player, platform::Window& window, platform::Label& prompt,
                   std::initializer_list<platform::Element*> controls) {
  const platform::Font font{.name = "Arial", .size = 9};
  prompt.setFont(platform::Font{.name = "Arial", .size = 9, .bold = true});
  prompt.setTransparent(true);
  for (platform::Element* control : controls) {
    if (auto* button = dynamic_cast<platform::Button*>(control)) button->setFont(font);
    if (auto* text = dynamic_cast<platform::TextBox*>(control)) text->setFont(font);
    if (auto* list = dynamic_cast<platform::ListBox*>(control)) list->setFont(font);
  }
  try {
    const SchemeDescription scheme = ReadScheme(player, player.settings.SchemeName);
    if (scheme.windowColour) window.setBackColour(*scheme.windowColour);
    if (scheme.textColour) prompt.setForeColour(*scheme.textColour);
  } catch (const std::exception&) {
    // A scheme that cannot be read leaves the plain look.
  }
}

void FitToTextSize(Player& player, platform::Window& window) {
  platform::Platform& p = player.platform();
  platform::ScaleWindowForText(window, p.textScale(), ScreenWidthTwips(p), ScreenHeightTwips(p));
}

void CentreOnScreen(Player& player, platform::Window& window) {
  platform::Platform& p = player.platform();
  window.move((ScreenWidthTwips(p) - window.width()) / 2,
              (ScreenHeightTwips(p) - window.height()) / 2);
}

bool MoveListChoice(platform::Window& window, platform::ListBox& list, int keyCode) {
  if (keyCode != kKeyUp && keyCode != kKeyDown) return false;
  if (window.focus() == &list || list.listCount() == 0) return false;
  const int step = keyCode == kKeyDown ? 1 : -1;
  const int next = std::clamp(list.listIndex() + step, 0, list.listCount() - 1);
  if (next != list.listIndex()) list.clickItem(next);
  return true;
}

}  // namespace tw
