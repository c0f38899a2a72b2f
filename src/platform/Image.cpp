// Image: picture and stretch, with VB's size-to-picture rule.
#include "platform/Image.h"

#include "platform/Picture.h"
#include "platform/Units.h"

namespace tw::platform {

Image::Image(std::string name) : Element(ElementKind::Image, std::move(name)) {}

std::unique_ptr<Component> Image::clone() const {
  auto image = std::make_unique<Image>();
  image->copyElementProperties(*this);
  image->picture_ = picture_;
  image->stretch_ = stretch_;
  return image;
}

void Image::fitToPicture() {
  if (!stretch_ && picture_) {
    move(left(), top(), TwipsFromPixels(picture_->width()), TwipsFromPixels(picture_->height()));
  }
}

void Image::setPicture(std::shared_ptr<const Picture> picture) {
  picture_ = std::move(picture);
  fitToPicture();
  changed();
}

void Image::setStretch(bool stretch) {
  if (stretch_ == stretch) return;
  stretch_ = stretch;
  fitToPicture();
  changed();
}

}  // namespace tw::platform
