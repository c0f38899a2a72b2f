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

}  // namespace

Container::~Container() {
  for (Element* child : children_) child->parent_ = nullptr;
  children_.clear();
}

std::vector<Element*>::iterator Container::find(const Element& child) {
  const auto layerEnd = children_.begin() + static_cast<std::ptrdiff_t>(lightCount_);
  const auto first = IsLightweight(child) ? children_.begin() : layerEnd;
  const auto last = IsLightweight(child) ? layerEnd : children_.end();
  const auto it = std::find(std::make_reverse_iterator(last), std::make_reverse_iterator(first),
                            &child);
  return it.base() == first ? children_.end() : std::prev(it.base());
}

// The front of a child's layer: the end of the light layer for pictures and labels, the end
// for windowed controls. Asked while the child is not in the list.
std::vector<Element*>::iterator Container::frontOfLayer(const Element& child) {
  if (!IsLightweight(child)) return children_.end();
  return children_.begin() + static_cast<std::ptrdiff_t>(lightCount_);
}

// The back of a child's layer: the beginning for pictures and labels, the first windowed
// control otherwise. Asked while the child is not in the list.
std::vector<Element*>::iterator Container::backOfLayer(const Element& child) {
  if (IsLightweight(child)) return children_.begin();
  return children_.begin() + static_cast<std::ptrdiff_t>(lightCount_);
}

void Container::take(std::vector<Element*>::iterator at) {
  if (IsLightweight(**at)) --lightCount_;
  children_.erase(at);
}

void Container::put(std::vector<Element*>::iterator at, Element& child) {
  children_.insert(at, &child);
  if (IsLightweight(child)) ++lightCount_;
}

void Container::add(Element& child) {
  if (&child == this) return;
  if (child.parent_) child.parent_->remove(child);
  // A container cannot go inside its own descendants.
  for (Container* p = this; p; p = p->parent_) {
    if (p == &child) return;
  }
  put(frontOfLayer(child), child);
  child.parent_ = this;
  changed();
}

void Container::remove(Element& child) {
  auto it = find(child);
  if (it == children_.end()) return;
  take(it);
  child.parent_ = nullptr;
  changed();
}

void Container::bringToFront(Element& child) {
  auto it = find(child);
  if (it == children_.end()) return;
  take(it);
  put(frontOfLayer(child), child);
  changed();
}

void Container::sendToBack(Element& child) {
  auto it = find(child);
  if (it == children_.end()) return;
  take(it);
  put(backOfLayer(child), child);
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
