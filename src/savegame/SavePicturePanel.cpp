#include "savegame/SavePicturePanel.h"

#include <algorithm>
#include <cmath>

#include "platform/Picture.h"
#include "savegame/SavedGamePicture.h"

namespace tw {

namespace {
constexpr int kLine = 15;  // the frame's line, one pixel
}  // namespace

void SavePicturePanel::place(platform::Window& window, int left, int top,
                             platform::Colour lineColour) {
  Frame.move(left, top, kWidth, kFrameHeight);
  Frame.setBackColour(lineColour);
  Inside.move(kLine, kLine, kWidth - 2 * kLine, kFrameHeight - 2 * kLine);
  Inside.setBackColour(window.backColour());
  Shot.setStretch(true);
  Shot.setVisible(false);
  Inside.add(Shot);
  Frame.add(Inside);
  When.move(left, top + kFrameHeight + 60, kWidth, 300);
  When.setTransparent(true);
  When.setForeColour(lineColour);
  When.setFont(platform::Font{.name = "Arial", .size = 9});
  When.setAlignment(platform::Alignment::Center);
  window.add(Frame);
  window.add(When);
}

void SavePicturePanel::show(std::shared_ptr<const platform::Picture> picture,
                            const std::string& when) {
  When.setCaption(when);
  if (!picture || picture->width() <= 0 || picture->height() <= 0) {
    Shot.setPicture(nullptr);
    Shot.setVisible(false);
    return;
  }
  // Fitted into the frame in whole pixels, centred.
  const int roomW = Inside.width() / 15, roomH = Inside.height() / 15;
  const double scale =
      std::min(double(roomW) / picture->width(), double(roomH) / picture->height());
  const int w = std::max(1, static_cast<int>(std::lround(picture->width() * scale)));
  const int h = std::max(1, static_cast<int>(std::lround(picture->height() * scale)));
  Shot.setPicture(std::move(picture));
  Shot.move((roomW - w) / 2 * 15, (roomH - h) / 2 * 15, w * 15, h * 15);
  Shot.setVisible(true);
}

void SavePicturePanel::showSavedGame(Player& player, const std::string& name) {
  show(LoadSavedGamePicture(player, name), SavedGameTimeText(player, name));
}

}  // namespace tw
