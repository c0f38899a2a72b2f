// Component: what every named part of a window has — elements, timers and menu items.
//
// A component has the name the window gives it ("Area", "Timer1", "mnuExit"), its index
// in an element array (-1 when it belongs to none) and a tag (free text the game keeps on
// it). Components are not copyable: containers and windows point at them. clone() makes a
// new, unattached component with the same properties, which is how ElementArray::load
// creates element i from its template.
#pragma once

#include <memory>
#include <string>

namespace tw::platform {

enum class ElementKind {
  Window,
  PictureBox,
  Image,
  Label,
  Button,
  CheckBox,
  TextBox,
  ListBox,
  Timer,
  MenuItem,
};

class Component {
 public:
  virtual ~Component() = default;
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  ElementKind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  void setName(std::string name) { name_ = std::move(name); }
  // Index in its element array; -1 when the component is not part of one.
  int index() const { return index_; }
  void setIndex(int index) { index_ = index; }
  const std::string& tag() const { return tag_; }
  void setTag(std::string tag) { tag_ = std::move(tag); }

  // A new component of the same type and properties, not attached to any parent.
  virtual std::unique_ptr<Component> clone() const = 0;
  // Attaches this (a fresh clone) where its template lives: the template's container or
  // parent menu. Components with no parent (timers) stay unattached.
  virtual void attachBeside(const Component& /*templ*/) {}

 protected:
  Component(ElementKind kind, std::string name) : kind_(kind), name_(std::move(name)) {}
  void copyComponentProperties(const Component& from) {
    name_ = from.name_;
    tag_ = from.tag_;
  }

 private:
  ElementKind kind_;
  std::string name_;
  int index_ = -1;
  std::string tag_;
};

}  // namespace tw::platform
