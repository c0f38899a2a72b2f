// ScreenshotNote: the short note that tells the player F8 did something ("Screenshot saved:
// <file>"), in the message bar's place along the bottom of the game area, gone after 2 s.
//
// It is the player's own and not the game's: it is not the game's message bar (a message of
// the game that shows goes on showing, and its timer is untouched), and it is hidden while a
// screenshot is painted, so no screenshot holds it.
#pragma once

#include <string>

#include "platform/Label.h"
#include "platform/PictureBox.h"
#include "platform/Timer.h"

namespace tw {

class Game;

class ScreenshotNote {
 public:
  static constexpr int kShowMs = 2000;

  explicit ScreenshotNote(Game& game);
  ScreenshotNote(const ScreenshotNote&) = delete;
  ScreenshotNote& operator=(const ScreenshotNote&) = delete;

  // Shows `text` (or `shortText` when `text` is wider than the game area) and restarts the
  // 2 s count.
  void show(const std::string& text, const std::string& shortText);
  void hide();
  bool shown() const { return bar_.visible(); }
  const std::string& text() const { return label_.caption(); }

 private:
  Game& game_;
  platform::PictureBox bar_;
  platform::Label label_;
  platform::Timer timer_;
};

}  // namespace tw
