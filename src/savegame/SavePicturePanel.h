// SavePicturePanel: the picture of the chosen saved game and the time it was saved, shown
// beside the list of the save and load windows.
//
// A frame in the scheme's text colour around the window's own colour; the picture lies in
// it scaled to fit with its aspect kept, and the date and time (in the user's locale) go
// below. A save without a picture leaves the frame empty. The panel only shows: the
// windows' own controls and keys are not touched.
#pragma once

#include <memory>
#include <string>

#include "platform/Image.h"
#include "platform/Label.h"
#include "platform/PictureBox.h"
#include "platform/Window.h"

namespace tw {

class Player;

class SavePicturePanel {
 public:
  // Twips: a frame around 320 x 240 pixels, so the picture of a 4:3 game shows at its own
  // size, and a line of text below it.
  static constexpr int kWidth = 320 * 15 + 30;
  static constexpr int kFrameHeight = 240 * 15 + 30;
  static constexpr int kHeight = kFrameHeight + 60 + 300;

  // Adds the panel to the window at (left, top); call after the window took its colours.
  void place(platform::Window& window, int left, int top, platform::Colour lineColour);

  // Shows a picture (nullptr: the empty frame) and a time text.
  void show(std::shared_ptr<const platform::Picture> picture, const std::string& when);
  // Shows the saved game `name`: its picture, if it has one, and its time.
  void showSavedGame(Player& player, const std::string& name);

  platform::PictureBox Frame{"PictureFrame"};
  platform::PictureBox Inside{"PictureInside"};
  platform::Image Shot{"SavePicture"};
  platform::Label When{"SaveTime"};
};

}  // namespace tw
