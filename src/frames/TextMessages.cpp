// Messages to the player: a modal box, or the bar along the bottom of the frame that goes
// away by itself after (characters x 70 + 1000) ms or when clicked.
#include <exception>

#include "game/Game.h"
#include "platform/Platform.h"
#include "project/ErrorBoxes.h"

namespace tw {

namespace {
constexpr double kMessageBarPoints = 12;  // the bar's font at 100 % (the window's set-up)

// Characters, not bytes: the bar's time grows with what the player reads.
int CharacterCount(const std::string& text) {
  int count = 0;
  for (unsigned char c : text) {
    if ((c & 0xC0) != 0x80) ++count;
  }
  return count;
}
}  // namespace

void Game::ShowTextMessage(const std::string& text, bool inFrame) {
  try {
    if (!inFrame) {
      platform().messageBox(platform::MakeBox(player_.settings.GameTitle, text,
                                              platform::MsgIcon::Information,
                                              platform::MsgButtons::Ok));
      return;
    }
    FrameMessageBox.setLeft(0);
    FrameMessageBox.setWidth(PictureBox.width());
    LabelMessageBox.setAutoSize(true);
    // Its text has the player's text size (Options > Text Size), the bar grows around it.
    platform::Font font = LabelMessageBox.font();
    font.size = kMessageBarPoints * platform().textScale() / 100.0;
    LabelMessageBox.setFont(font);
    LabelMessageBox.setCaption("");
    LabelMessageBox.setLeft(FrameMessageBox.width() / 2);
    LabelMessageBox.setCaption(text);
    // Centred under its own width once the caption has sized it.
    LabelMessageBox.setLeft(std::max(0, (FrameMessageBox.width() - LabelMessageBox.width()) / 2));
    FrameMessageBox.setHeight(LabelMessageBox.height() + 525);
    FrameMessageBox.setTop(PictureBox.height() - FrameMessageBox.height());
    LabelMessageBox.setVisible(true);
    FrameMessageBox.setVisible(true);
    FrameMessageBox.bringToFront();
    TimerMessageBox.setInterval(CharacterCount(text) * 70 + 1000);
    TimerMessageBox.setEnabled(false);
    TimerMessageBox.setEnabled(true);
    platform().readAloud(text);
  } catch (const std::exception&) {
    ShowStandardError(player_, " Unable to display text message.");
  }
}

void Game::CloseMessageBar() {
  FrameMessageBox.setVisible(false);
  LabelMessageBox.setVisible(false);
  TimerMessageBox.setEnabled(false);
  TimerMessageBox.setInterval(0);
}

}  // namespace tw
