// Controls: the simple controls of the player's own windows (start-up, save, load, debug):
// command button, check box, text box and list box.
//
// They keep state only; the back end draws them and turns the player's input into calls:
// a press on a button or check box comes through Window's mouse dispatch (click()), typing
// into a text box through setText, a choice in a list through clickItem / doubleClickItem.
// Setting a value from code raises no event, except a text box's onChange (VB Change fires
// for every change of the text).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Colour.h"
#include "platform/Element.h"
#include "platform/Font.h"

namespace tw::platform {

class Button : public Element {
 public:
  explicit Button(std::string name = {});
  std::unique_ptr<Component> clone() const override;
  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption);
  const Font& font() const { return font_; }
  void setFont(const Font& font);

 private:
  std::string caption_;
  Font font_;
};

class CheckBox : public Element {
 public:
  enum Value { Unchecked = 0, Checked = 1, Grayed = 2 };
  explicit CheckBox(std::string name = {});
  std::unique_ptr<Component> clone() const override;
  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption);
  const Font& font() const { return font_; }
  void setFont(const Font& font);
  Value value() const { return value_; }
  void setValue(Value value);
  Colour foreColour() const { return foreColour_; }
  void setForeColour(Colour colour);
  Colour backColour() const { return backColour_; }
  void setBackColour(Colour colour);
  // A press: ticks a clear (or grey) box, clears a ticked one, then runs onClick.
  void click() override;

 private:
  std::string caption_;
  Font font_;
  Value value_ = Unchecked;
  Colour foreColour_ = kButtonText;
  Colour backColour_ = kButtonFace;
};

class TextBox : public Element {
 public:
  explicit TextBox(std::string name = {});
  std::unique_ptr<Component> clone() const override;
  const std::string& text() const { return text_; }
  // Runs onChange when the text differs.
  void setText(std::string text);
  const Font& font() const { return font_; }
  void setFont(const Font& font);
  // Limit for typing, in characters; 0 = none. Text set from code is not cut.
  int maxLength() const { return maxLength_; }
  void setMaxLength(int length) { maxLength_ = length < 0 ? 0 : length; }
  bool locked() const { return locked_; }
  void setLocked(bool locked) { locked_ = locked; }

  std::function<void(TextBox&)> onChange;

 private:
  std::string text_;
  Font font_;
  int maxLength_ = 0;
  bool locked_ = false;
};

class ListBox : public Element {
 public:
  explicit ListBox(std::string name = {});
  std::unique_ptr<Component> clone() const override;

  // Inserts at index (-1 or the count: at the end); VbError 5 for other indexes.
  void addItem(std::string text, int index = -1);
  // VbError 5 for an index that is not in the list.
  void removeItem(int index);
  void clear();
  int listCount() const { return static_cast<int>(items_.size()); }
  const std::string& list(int index) const;  // VbError 381 outside the list
  const std::vector<std::string>& items() const { return items_; }
  // The selected entry, -1 for none. VbError 380 for an index outside -1..count-1.
  int listIndex() const { return listIndex_; }
  void setListIndex(int index);
  // The entry's text, empty when nothing is selected (VB Text).
  std::string text() const;
  const Font& font() const { return font_; }
  void setFont(const Font& font);
  // The first entry shown at the top (scrolling), kept valid by the list.
  int topIndex() const { return topIndex_; }
  void setTopIndex(int index);

  // The player chose an entry: select it, then onClick (and onDblClick for a double click).
  void clickItem(int index);
  void doubleClickItem(int index);

 private:
  std::vector<std::string> items_;
  int listIndex_ = -1;
  int topIndex_ = 0;
  Font font_;
};

}  // namespace tw::platform
