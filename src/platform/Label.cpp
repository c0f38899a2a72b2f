// Label: properties and auto-size.
#include "platform/Label.h"

#include "platform/Units.h"

namespace tw::platform {

Label::Label(std::string name) : Element(ElementKind::Label, std::move(name)) {}

std::unique_ptr<Component> Label::clone() const {
  auto label = std::make_unique<Label>();
  label->copyElementProperties(*this);
  label->caption_ = caption_;
  label->font_ = font_;
  label->foreColour_ = foreColour_;
  label->backColour_ = backColour_;
  label->transparent_ = transparent_;
  label->alignment_ = alignment_;
  label->autoSize_ = autoSize_;
  label->wordWrap_ = wordWrap_;
  return label;
}

void Label::fitToCaption() {
  if (!autoSize_) return;
  if (wordWrap_) {
    TextExtent e = MeasureText(font_, caption_, std::max(1, PixelsFromTwips(width())));
    setHeight(TwipsFromPixels(e.height));
  } else {
    TextExtent e = MeasureText(font_, caption_);
    move(left(), top(), TwipsFromPixels(e.width), TwipsFromPixels(e.height));
  }
}

void Label::setCaption(std::string caption) {
  if (caption_ == caption) return;
  caption_ = std::move(caption);
  fitToCaption();
  changed();
}

void Label::setFont(const Font& font) {
  if (font_ == font) return;
  font_ = font;
  fitToCaption();
  changed();
}

void Label::setForeColour(Colour colour) {
  if (foreColour_ == colour) return;
  foreColour_ = colour;
  changed();
}

void Label::setBackColour(Colour colour) {
  if (backColour_ == colour) return;
  backColour_ = colour;
  changed();
}

void Label::setTransparent(bool transparent) {
  if (transparent_ == transparent) return;
  transparent_ = transparent;
  changed();
}

void Label::setAlignment(Alignment alignment) {
  if (alignment_ == alignment) return;
  alignment_ = alignment;
  changed();
}

void Label::setAutoSize(bool on) {
  if (autoSize_ == on) return;
  autoSize_ = on;
  fitToCaption();
}

void Label::setWordWrap(bool on) {
  if (wordWrap_ == on) return;
  wordWrap_ = on;
  fitToCaption();
  changed();
}

}  // namespace tw::platform
