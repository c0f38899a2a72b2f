#include "game/TextSize.h"

#include "game/Game.h"
#include "platform/Platform.h"
#include "platform/TextScale.h"
#include "project/TextSizeSetting.h"

namespace tw {

TextSize::TextSize(Game& game)
    : mnuTextSize("mnuTextSize", "Text Size"),
      mnuTextSizes{platform::MenuItem("mnuTextSize100", "100 %"),
                   platform::MenuItem("mnuTextSize150", "150 %"),
                   platform::MenuItem("mnuTextSize200", "200 %")},
      game_(game) {
  game_.mnuOptions.add(mnuTextSize);
  for (int i = 0; i < 3; ++i) {
    mnuTextSize.add(mnuTextSizes[i]);
    mnuTextSizes[i].setCheckable(true);
    const int percent = platform::kTextScales[i];
    mnuTextSizes[i].onClick = [this, percent](platform::MenuItem&) { setPercent(percent); };
  }
  game_.platform().setTextScale(TextSizeChosen(game_.player()));
  showChecks();
}

int TextSize::percent() const {
  return game_.platform().textScale();
}

void TextSize::setPercent(int percent) {
  RememberTextSize(game_.player(), percent);
  game_.platform().setTextScale(percent);
  showChecks();
}

void TextSize::showChecks() {
  for (int i = 0; i < 3; ++i) mnuTextSizes[i].setChecked(percent() == platform::kTextScales[i]);
}

}  // namespace tw
