// Container: the z-ordered child list and hit-testing.
//
// Children lie in two layers, as controls do on a VB form: pictures and labels are drawn on
// their container's own surface, so every windowed control (picture box, button, text box,
// list box, check box) lies above all of them whatever their order. Bringing a label to
// the front puts it in front of the other pictures and labels, never above a picture box.
#include "platform/Container.h"

#include <algorithm>

#include "platform/Window.h"

namespace tw::platform {

namespace {

bool IsLightweight(const Element& e) {
  return e.kind() == ElementKind::Image || e.kind() == ElementKind::Label;
}

// Where the front of a child's layer is: the end for windowed controls, the first windowed
// control for pictures and labels.
std::vector<Element*>::iterator FrontOfLayer(std::vector<Element*>& children,
                                             const Element& child) {
  if (!IsLightweight(child)) return children.end();
  return std::find_if(children.begin(), children.end(),
                      [&](const Element* e) { return e != &child && !IsLightweight(*e); });
}

// Where the back of a child's layer is: the beginning for pictures and labels, the first
// windowed control otherwise.
std::vector<Element*>::iterator BackOfLayer(std::vector<Element*>& children,
                                            const Element& child) {
  if (IsLightweight(child)) return children.begin();
  return std::find_if(children.begin(), children.end(),
                      [&](const Element* e) { return e != &child && !IsLightweight(*e); });
}

}  // namespace

Container::~Container() {
  for (Element* child : children_) child->parent_ = nullptr;
  children_.clear();
}

void Container::add(Element& child) {
  if (&child == this) return;
  if (child.parent_) child.parent_->remove(child);
  // A container cannot go inside its own descendants.
  for (Container* p = this; p; p = p->parent_) {
    if (p == &child) return;
  }
  children_.insert(FrontOfLayer(children_, child), &child);
  child.parent_ = this;
  changed();
}

void Container::remove(Element& child) {
  auto it = std::find(children_.begin(), children_.end(), &child);
  if (it == children_.end()) return;
  children_.erase(it);
  child.parent_ = nullptr;
  changed();
}

void Container::bringToFront(Element& child) {
  auto it = std::find(children_.begin(), children_.end(), &child);
  if (it == children_.end()) return;
  children_.erase(it);
  children_.insert(FrontOfLayer(children_, child), &child);
  changed();
}

void Container::sendToBack(Element& child) {
  auto it = std::find(children_.begin(), children_.end(), &child);
  if (it == children_.end()) return;
  children_.erase(it);
  children_.insert(BackOfLayer(children_, child), &child);
  changed();
}

bool Container::contains(const Element& element) const {
  for (const Element* p = element.parent(); p; p = p->parent()) {
    if (p == this) return true;
  }
  return false;
}

namespace {

bool IsContainer(const Element& e) {
  return e.kind() == ElementKind::PictureBox || e.kind() == ElementKind::Window;
}

}  // namespace

Element* ElementAt(const Container& container, int x, int y) {
  const auto& children = container.children();
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    Element* child = *it;
    if (!child->visible() || !child->enabled() || !child->receivesMouse()) continue;
    if (!child->bounds().contains(x, y)) continue;
    if (IsContainer(*child)) {
      // A container clips its children: only points inside it reach them.
      if (Element* inner = ElementAt(static_cast<const Container&>(*child), x - child->left(),
                                     y - child->top())) {
        return inner;
      }
    }
    return child;
  }
  return nullptr;
}

}  // namespace tw::platform
