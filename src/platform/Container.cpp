// Container: the z-ordered child list and hit-testing.
#include "platform/Container.h"

#include <algorithm>

#include "platform/Window.h"

namespace tw::platform {

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
  children_.push_back(&child);
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
  std::rotate(it, it + 1, children_.end());
  changed();
}

void Container::sendToBack(Element& child) {
  auto it = std::find(children_.begin(), children_.end(), &child);
  if (it == children_.end()) return;
  std::rotate(children_.begin(), it, it + 1);
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
