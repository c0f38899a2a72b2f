#include "project/TextSizeSetting.h"

#include <exception>
#include <string>

#include "platform/Platform.h"
#include "platform/Settings.h"
#include "platform/TextScale.h"
#include "project/Player.h"

namespace tw {

int TextSizeChosen(Player& player) {
  platform::Platform& p = player.platform();
  std::string remembered;
  try {
    remembered = p.settings().get(player.settings.ProjectId, "TextSize", "");
  } catch (const std::exception&) {
  }
  return platform::ChosenTextScale(
      remembered, platform::DefaultTextScale(p.devicePixelRatio(), p.logicalDpi()));
}

void RememberTextSize(Player& player, int percent) {
  try {
    player.platform().settings().save(player.settings.ProjectId, "TextSize",
                                      std::to_string(percent));
  } catch (const std::exception&) {
    // Not remembered: the choice still holds for this run.
  }
}

}  // namespace tw
