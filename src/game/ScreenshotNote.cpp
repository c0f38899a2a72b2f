// ScreenshotNote: a bar of its own over the game area, laid out as the message bar is.
#include "game/ScreenshotNote.h"

#include <algorithm>

#include "game/Game.h"
#include "platform/Platform.h"

namespace tw {

ScreenshotNote::ScreenshotNote(Game& game)
    : game_(game),
      bar_("ScreenshotNote"),
      label_("LabelScreenshotNote"),
      timer_(game.platform().timers(), "TimerScreenshotNote") {
  game_.PictureBox.add(bar_);
  bar_.add(label_);
  bar_.setVisible(false);
  bar_.setBackColour(platform::ColourFromRgb(0, 0, 0));
  label_.setAutoSize(true);
  label_.setTransparent(true);
  label_.setForeColour(platform::ColourFromRgb(255, 255, 255));
  // The message bar's look, a little smaller: it is a remark, not the game speaking.
  platform::Font font;
  font.name = "Arial";
  font.size = 10;
  font.bold = true;
  label_.setFont(font);
  timer_.setInterval(0);
  timer_.onTimer = [this](platform::Timer&) { hide(); };
}

void ScreenshotNote::show(const std::string& text, const std::string& shortText) {
  const int width = game_.PictureBox.width();
  label_.setCaption(text);
  if (label_.width() > width) label_.setCaption(shortText);
  bar_.move(0, 0, width, label_.height() + 2 * 8 * 15);
  bar_.setTop(game_.PictureBox.height() - bar_.height());
  label_.move(std::max(0, (width - label_.width()) / 2), 8 * 15);
  bar_.setVisible(true);
  bar_.bringToFront();
  timer_.setInterval(kShowMs);
  timer_.setEnabled(false);
  timer_.setEnabled(true);
}

void ScreenshotNote::hide() {
  bar_.setVisible(false);
  timer_.setEnabled(false);
  timer_.setInterval(0);
}

}  // namespace tw
