// PictureBox: a container with a back colour, a background picture and a persistent image.
//
// What it shows, from the back: its back colour; its picture (VB Picture) at natural size
// at the top-left corner; its canvas (the AutoRedraw image: what the game drew, see-through
// elsewhere); then its children. The canvas follows the box's size in pixels whenever the
// game draws; drawing outside it is clipped. cls() wipes the drawings.
#pragma once

#include <memory>
#include <string>

#include "platform/Canvas.h"
#include "platform/Colour.h"
#include "platform/Container.h"

namespace tw::platform {

class Picture;
struct Font;

class PictureBox : public Container {
 public:
  explicit PictureBox(std::string name = {});
  std::unique_ptr<Component> clone() const override;

  Colour backColour() const { return backColour_; }
  void setBackColour(Colour colour);
  const std::shared_ptr<const Picture>& picture() const { return picture_; }
  void setPicture(std::shared_ptr<const Picture> picture);
  // Kept for the game code's sake; drawings always persist here.
  bool autoRedraw() const { return autoRedraw_; }
  void setAutoRedraw(bool on) { autoRedraw_ = on; }

  // --- drawing on the persistent image (pixels) -----------------------------------
  void cls();
  void fillRect(int x, int y, int width, int height, Colour colour);
  void drawPicture(const Picture& picture, int x, int y);
  void drawPictureScaled(const Picture& picture, int x, int y, int width, int height);
  void blendPicture(const Picture& picture, int x, int y, int opacity);
  void tile(const Picture& picture);
  void drawText(int x, int y, const std::string& text, const Font& font, Colour colour);
  // The drawings alone (see-through where nothing was drawn); its size may lag behind the
  // box's until the next drawing.
  const Canvas& canvas() const { return canvas_; }

  // What the box shows without its children (VB Image): back colour, picture, drawings,
  // at the box's size in pixels.
  std::shared_ptr<const Picture> image() const;

 private:
  Canvas& sizedCanvas();

  Colour backColour_ = kButtonFace;
  std::shared_ptr<const Picture> picture_;
  bool autoRedraw_ = false;
  Canvas canvas_;
};

}  // namespace tw::platform
