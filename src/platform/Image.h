// Image: a see-through picture element (VB Image control).
//
// Without a picture it shows nothing but still receives the mouse over its whole rectangle
// (the game lays an empty one over the game area to catch clicks on the background). With
// stretch off the element takes the picture's size whenever a picture is set or stretch is
// switched off, as VB's Image control does; with stretch on the picture fills the element.
#pragma once

#include <memory>
#include <string>

#include "platform/Element.h"

namespace tw::platform {

class Picture;

class Image : public Element {
 public:
  explicit Image(std::string name = {});
  std::unique_ptr<Component> clone() const override;

  const std::shared_ptr<const Picture>& picture() const { return picture_; }
  void setPicture(std::shared_ptr<const Picture> picture);
  bool stretch() const { return stretch_; }
  void setStretch(bool stretch);

 private:
  void fitToPicture();

  std::shared_ptr<const Picture> picture_;
  bool stretch_ = false;
};

}  // namespace tw::platform
