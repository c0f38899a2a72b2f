// Controls: state changes and their events.
#include "platform/Controls.h"

#include <algorithm>

#include "vbscript/VbError.h"

namespace tw::platform {

Button::Button(std::string name) : Element(ElementKind::Button, std::move(name)) {}

std::unique_ptr<Component> Button::clone() const {
  auto b = std::make_unique<Button>();
  b->copyElementProperties(*this);
  b->caption_ = caption_;
  b->font_ = font_;
  return b;
}

void Button::setCaption(std::string caption) {
  if (caption_ == caption) return;
  caption_ = std::move(caption);
  changed();
}

void Button::setFont(const Font& font) {
  font_ = font;
  changed();
}

CheckBox::CheckBox(std::string name) : Element(ElementKind::CheckBox, std::move(name)) {}

std::unique_ptr<Component> CheckBox::clone() const {
  auto c = std::make_unique<CheckBox>();
  c->copyElementProperties(*this);
  c->caption_ = caption_;
  c->font_ = font_;
  c->value_ = value_;
  c->foreColour_ = foreColour_;
  c->backColour_ = backColour_;
  return c;
}

void CheckBox::setCaption(std::string caption) {
  if (caption_ == caption) return;
  caption_ = std::move(caption);
  changed();
}

void CheckBox::setFont(const Font& font) {
  font_ = font;
  changed();
}

void CheckBox::setValue(Value value) {
  if (value_ == value) return;
  value_ = value;
  changed();
}

void CheckBox::setForeColour(Colour colour) {
  foreColour_ = colour;
  changed();
}

void CheckBox::setBackColour(Colour colour) {
  backColour_ = colour;
  changed();
}

void CheckBox::click() {
  setValue(value_ == Checked ? Unchecked : Checked);
  Element::click();
}

TextBox::TextBox(std::string name) : Element(ElementKind::TextBox, std::move(name)) {}

std::unique_ptr<Component> TextBox::clone() const {
  auto t = std::make_unique<TextBox>();
  t->copyElementProperties(*this);
  t->text_ = text_;
  t->font_ = font_;
  t->maxLength_ = maxLength_;
  t->locked_ = locked_;
  t->onChange = onChange;
  return t;
}

void TextBox::setText(std::string text) {
  if (text_ == text) return;
  text_ = std::move(text);
  changed();
  if (auto handler = onChange) handler(*this);
}

void TextBox::setFont(const Font& font) {
  font_ = font;
  changed();
}

ListBox::ListBox(std::string name) : Element(ElementKind::ListBox, std::move(name)) {}

std::unique_ptr<Component> ListBox::clone() const {
  auto l = std::make_unique<ListBox>();
  l->copyElementProperties(*this);
  l->items_ = items_;
  l->listIndex_ = listIndex_;
  l->font_ = font_;
  return l;
}

void ListBox::addItem(std::string text, int index) {
  if (index < -1 || index > listCount()) throw vbs::VbError(vbs::err::kInvalidCall);
  if (index == -1) index = listCount();
  items_.insert(items_.begin() + index, std::move(text));
  // The selection stays on the same entry.
  if (listIndex_ >= index) ++listIndex_;
  changed();
}

void ListBox::removeItem(int index) {
  if (index < 0 || index >= listCount()) throw vbs::VbError(vbs::err::kInvalidCall);
  items_.erase(items_.begin() + index);
  if (listIndex_ == index) {
    listIndex_ = -1;
  } else if (listIndex_ > index) {
    --listIndex_;
  }
  topIndex_ = std::clamp(topIndex_, 0, std::max(0, listCount() - 1));
  changed();
}

void ListBox::clear() {
  items_.clear();
  listIndex_ = -1;
  topIndex_ = 0;
  changed();
}

const std::string& ListBox::list(int index) const {
  if (index < 0 || index >= listCount()) throw vbs::VbError(381, "Invalid property array index");
  return items_[static_cast<std::size_t>(index)];
}

void ListBox::setListIndex(int index) {
  if (index < -1 || index >= listCount()) throw vbs::VbError(380, "Invalid property value");
  if (listIndex_ == index) return;
  listIndex_ = index;
  changed();
}

std::string ListBox::text() const {
  return listIndex_ < 0 ? std::string() : items_[static_cast<std::size_t>(listIndex_)];
}

void ListBox::setFont(const Font& font) {
  font_ = font;
  changed();
}

void ListBox::setTopIndex(int index) {
  index = std::clamp(index, 0, std::max(0, listCount() - 1));
  if (topIndex_ == index) return;
  topIndex_ = index;
  changed();
}

void ListBox::clickItem(int index) {
  setListIndex(index);
  Element::click();
}

void ListBox::doubleClickItem(int index) {
  setListIndex(index);
  auto ref = weakRef();
  Element::click();
  if (Lock(ref) && onDblClick) {
    auto handler = onDblClick;
    handler(*this);
  }
}

}  // namespace tw::platform
