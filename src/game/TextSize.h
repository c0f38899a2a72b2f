// TextSize: the Options menu's "Text Size" submenu (100 %, 150 %, 200 %, the one in force
// checked): the size of the player's own texts for this game (TextSizeSetting, TextScale).
#pragma once

#include "platform/Menu.h"

namespace tw {

class Game;

class TextSize {
 public:
  explicit TextSize(Game& game);
  TextSize(const TextSize&) = delete;
  TextSize& operator=(const TextSize&) = delete;

  int percent() const;
  void setPercent(int percent);

  platform::MenuItem mnuTextSize;
  platform::MenuItem mnuTextSizes[3];

 private:
  void showChecks();

  Game& game_;
};

}  // namespace tw
