// Label: a caption in a font (VB Label).
//
// With auto-size on, the label takes the size of its caption whenever the caption or the
// font changes (or auto-size is switched on): without word wrap it grows or shrinks in both
// directions; with word wrap it keeps its width and takes the height of the wrapped text.
// Lines of a caption are separated by CR LF. A transparent label draws no background.
#pragma once

#include <string>

#include "platform/Colour.h"
#include "platform/Element.h"
#include "platform/Font.h"

namespace tw::platform {

enum class Alignment { Left = 0, Right = 1, Center = 2 };

class Label : public Element {
 public:
  explicit Label(std::string name = {});
  std::unique_ptr<Component> clone() const override;

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption);
  const Font& font() const { return font_; }
  void setFont(const Font& font);
  Colour foreColour() const { return foreColour_; }
  void setForeColour(Colour colour);
  Colour backColour() const { return backColour_; }
  void setBackColour(Colour colour);
  bool transparent() const { return transparent_; }
  void setTransparent(bool transparent);
  Alignment alignment() const { return alignment_; }
  void setAlignment(Alignment alignment);
  bool autoSize() const { return autoSize_; }
  void setAutoSize(bool on);
  bool wordWrap() const { return wordWrap_; }
  void setWordWrap(bool on);

 private:
  void fitToCaption();

  std::string caption_;
  Font font_;
  Colour foreColour_ = kButtonText;
  Colour backColour_ = kButtonFace;
  bool transparent_ = false;
  Alignment alignment_ = Alignment::Left;
  bool autoSize_ = false;
  bool wordWrap_ = false;
};

}  // namespace tw::platform
