// MenuItem: an entry of a window's menu bar or of a menu.
//
// Each window owns one root item (its menu bar); the game's menu items are added to it or to
// each other. Children are not owned, in order of display. A click on an item with no
// children runs onClick. Every change tells the window (Change::Menus) so a back end can
// rebuild its menus.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Component.h"

namespace tw::platform {

class Window;

class MenuItem : public Component {
 public:
  explicit MenuItem(std::string name = {}, std::string caption = {});
  ~MenuItem() override;

  std::unique_ptr<Component> clone() const override;
  // A loaded array element goes right after the last loaded element of its array.
  void attachBeside(const Component& templ) override;

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption);
  bool visible() const { return visible_; }
  void setVisible(bool visible);
  bool checked() const { return checked_; }
  void setChecked(bool checked);
  // An item that carries a check mark shows its box also while unchecked, so the player sees
  // it is a switch before turning it on. An item once checked stays checkable.
  bool checkable() const { return checkable_; }
  void setCheckable(bool checkable);
  bool enabled() const { return enabled_; }
  void setEnabled(bool enabled);
  // Shown while the pointer rests on the item (why it is greyed, for one).
  const std::string& toolTip() const { return toolTip_; }
  void setToolTip(std::string text);

  MenuItem* parent() const { return parent_; }
  const std::vector<MenuItem*>& children() const { return children_; }
  void add(MenuItem& child);
  void insertAfter(MenuItem& child, const MenuItem* after);
  void remove(MenuItem& child);
  // Finds an item by name (and array index, -1 for none) at any depth.
  MenuItem* find(const std::string& name, int index = -1);
  Window* window() const;

  // Runs onClick when the item is enabled (back ends and replays call this).
  void click();
  std::function<void(MenuItem&)> onClick;

 private:
  friend class Window;
  void changed();

  std::string caption_;
  bool visible_ = true;
  bool checked_ = false;
  std::string toolTip_;
  bool checkable_ = false;
  bool enabled_ = true;
  MenuItem* parent_ = nullptr;
  Window* owner_ = nullptr;  // set on the root item of a window
  std::vector<MenuItem*> children_;
};

}  // namespace tw::platform
