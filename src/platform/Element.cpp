// Element: property changes notify the window; destruction leaves the container.
#include "platform/Element.h"

#include <utility>

#include "platform/Container.h"
#include "platform/Window.h"
#include "vbscript/VbError.h"

namespace tw::platform {

namespace {

void CheckSize(int size) {
  if (size < 0) throw vbs::VbError(380, "Invalid property value");
}

}  // namespace

Element::Element(ElementKind kind, std::string name)
    : Component(kind, std::move(name)), self_(std::make_shared<Element*>(this)) {}

Element::~Element() {
  if (parent_) parent_->remove(*this);
}

Window* Element::window() const {
  const Element* e = this;
  while (e->parent_) e = e->parent_;
  if (e->kind() != ElementKind::Window) return nullptr;
  return static_cast<Window*>(const_cast<Element*>(e));
}

void Element::positionInWindow(int& x, int& y) const {
  x = 0;
  y = 0;
  // The window's own left/top are screen coordinates, not part of the client position.
  for (const Element* e = this; e->parent_; e = e->parent_) {
    x += e->bounds_.left;
    y += e->bounds_.top;
  }
}

void Element::changed() {
  Window* w = window();
  if (!w) return;
  if (w == this) {
    w->changed(WindowHost::Change::Window);
    return;
  }
  int x = 0, y = 0;
  positionInWindow(x, y);
  w->areaChanged(Rect{x, y, bounds_.width, bounds_.height});
}

void Element::boundsChanged(const Rect& old) {
  Window* w = window();
  if (w && w != this) {
    int x = 0, y = 0;
    positionInWindow(x, y);
    w->areaChanged(Rect{x - bounds_.left + old.left, y - bounds_.top + old.top, old.width,
                        old.height});
  }
  changed();
}

void Element::setLeft(int left) {
  if (bounds_.left == left) return;
  const Rect old = bounds_;
  bounds_.left = left;
  boundsChanged(old);
}

void Element::setTop(int top) {
  if (bounds_.top == top) return;
  const Rect old = bounds_;
  bounds_.top = top;
  boundsChanged(old);
}

void Element::setWidth(int width) {
  CheckSize(width);
  if (bounds_.width == width) return;
  const Rect old = bounds_;
  bounds_.width = width;
  boundsChanged(old);
}

void Element::setHeight(int height) {
  CheckSize(height);
  if (bounds_.height == height) return;
  const Rect old = bounds_;
  bounds_.height = height;
  boundsChanged(old);
}

void Element::move(int left, int top) {
  if (bounds_.left == left && bounds_.top == top) return;
  const Rect old = bounds_;
  bounds_.left = left;
  bounds_.top = top;
  boundsChanged(old);
}

void Element::move(int left, int top, int width, int height) {
  CheckSize(width);
  CheckSize(height);
  Rect r{left, top, width, height};
  if (bounds_ == r) return;
  const Rect old = bounds_;
  bounds_ = r;
  boundsChanged(old);
}

void Element::setVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  changed();
}

bool Element::shownOnScreen() const {
  const Element* e = this;
  for (; e; e = e->parent_) {
    if (!e->visible_) return false;
    if (!e->parent_) break;
  }
  return e && e->kind() == ElementKind::Window;
}

void Element::setEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  changed();
}

void Element::setOutlined(bool outlined) {
  if (outlined_ == outlined) return;
  outlined_ = outlined;
  changed();
}

void Element::setToolTip(std::string text) {
  toolTip_ = std::move(text);
}

void Element::setPointer(MousePointer pointer) {
  if (pointer_ == pointer) return;
  pointer_ = std::move(pointer);
  changed();
}

void Element::setDragIcon(std::shared_ptr<const Picture> icon) {
  dragIcon_ = std::move(icon);
}

void Element::bringToFront() {
  if (parent_) parent_->bringToFront(*this);
}

void Element::sendToBack() {
  if (parent_) parent_->sendToBack(*this);
}

void Element::beginDrag() {
  if (Window* w = window()) w->beginDrag(*this);
}

void Element::click() {
  if (auto handler = onClick) handler(*this);
}

void Element::attachBeside(const Component& templ) {
  const auto& t = static_cast<const Element&>(templ);
  if (t.parent_) t.parent_->add(*this);
}

void Element::copyElementProperties(const Element& from) {
  copyComponentProperties(from);
  bounds_ = from.bounds_;
  visible_ = from.visible_;
  enabled_ = from.enabled_;
  outlined_ = from.outlined_;
  toolTip_ = from.toolTip_;
  pointer_ = from.pointer_;
  dragIcon_ = from.dragIcon_;
  onMouseDown = from.onMouseDown;
  onMouseUp = from.onMouseUp;
  onMouseMove = from.onMouseMove;
  onClick = from.onClick;
  onDblClick = from.onDblClick;
  onDragDrop = from.onDragDrop;
}

}  // namespace tw::platform
