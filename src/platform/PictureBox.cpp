// PictureBox: drawing goes to the canvas, resized to the box first; image() composes.
#include "platform/PictureBox.h"

#include <QPainter>
#include <algorithm>

#include "platform/Font.h"
#include "platform/Picture.h"
#include "platform/Units.h"
#include "platform/qt/Bridge.h"

namespace tw::platform {

PictureBox::PictureBox(std::string name) : Container(ElementKind::PictureBox, std::move(name)) {}

std::unique_ptr<Component> PictureBox::clone() const {
  auto box = std::make_unique<PictureBox>();
  box->copyElementProperties(*this);
  box->backColour_ = backColour_;
  box->picture_ = picture_;
  box->autoRedraw_ = autoRedraw_;
  return box;
}

void PictureBox::setBackColour(Colour colour) {
  if (backColour_ == colour) return;
  backColour_ = colour;
  changed();
}

void PictureBox::setPicture(std::shared_ptr<const Picture> picture) {
  picture_ = std::move(picture);
  changed();
}

Canvas& PictureBox::sizedCanvas() {
  canvas_.resize(PixelsFromTwips(width()), PixelsFromTwips(height()));
  return canvas_;
}

void PictureBox::cls() {
  sizedCanvas().clear();
  changed();
}

void PictureBox::fillRect(int x, int y, int width, int height, Colour colour) {
  sizedCanvas().fillRect(x, y, width, height, colour);
  changed();
}

void PictureBox::drawPicture(const Picture& picture, int x, int y) {
  sizedCanvas().drawPicture(picture, x, y);
  changed();
}

void PictureBox::drawPictureScaled(const Picture& picture, int x, int y, int width, int height) {
  sizedCanvas().drawPictureScaled(picture, x, y, width, height);
  changed();
}

void PictureBox::blendPicture(const Picture& picture, int x, int y, int opacity) {
  sizedCanvas().blendPicture(picture, x, y, opacity);
  changed();
}

void PictureBox::tile(const Picture& picture) {
  sizedCanvas().tile(picture);
  changed();
}

void PictureBox::drawText(int x, int y, const std::string& text, const Font& font, Colour colour) {
  sizedCanvas().drawText(x, y, text, font, colour);
  changed();
}

std::shared_ptr<const Picture> PictureBox::image() const {
  QImage out(std::max(1, PixelsFromTwips(width())), std::max(1, PixelsFromTwips(height())),
             QImage::Format_ARGB32_Premultiplied);
  Rgb rgb = ToRgb(backColour_);
  out.fill(QColor(rgb.r, rgb.g, rgb.b));
  QPainter p(&out);
  if (picture_) p.drawImage(0, 0, PictureAccess::image(*picture_));
  const QImage& drawn = PictureAccess::image(canvas_);
  if (!drawn.isNull()) p.drawImage(0, 0, drawn);
  p.end();
  return PictureAccess::make(std::move(out));
}

}  // namespace tw::platform
