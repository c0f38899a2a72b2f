// Window: window properties and the translation of raw input into element events.
//
// Handlers are copied before they are called: a handler may destroy the element that holds
// it. After every handler the element is looked up again through its weak reference.
#include "platform/Window.h"

#include <algorithm>
#include <utility>

namespace tw::platform {

namespace {

template <class Handler, class... Args>
void Fire(const Handler& handler, Args&&... args) {
  if (!handler) return;
  Handler copy = handler;
  copy(std::forward<Args>(args)...);
}

MouseEvent RelativeEvent(const Element& e, int button, int shift, int x, int y) {
  int ex = 0, ey = 0;
  e.positionInWindow(ex, ey);
  return MouseEvent{button, shift, x - ex, y - ey};
}

}  // namespace

Window::Window(std::string name) : Container(ElementKind::Window, std::move(name)) {
  menuBar_.owner_ = this;
  setVisible(false);  // windows appear when the game shows them
}

Window::~Window() {
  menuBar_.owner_ = nullptr;
  if (host_) host_->windowDestroyed(*this);
}

std::unique_ptr<Component> Window::clone() const {
  auto w = std::make_unique<Window>(name());
  w->copyElementProperties(*this);
  w->caption_ = caption_;
  w->taskTitle_ = taskTitle_;
  w->windowed_ = windowed_;
  w->topMost_ = topMost_;
  w->backColour_ = backColour_;
  w->resizable_ = resizable_;
  w->sizeFactor_ = sizeFactor_;
  w->scaling_ = scaling_;
  w->fullScreenShown_ = fullScreenShown_;
  w->fullScreenArea_ = fullScreenArea_;
  w->onFullScreenShownChanged = onFullScreenShownChanged;
  w->onKeyDown = onKeyDown;
  w->onKeyUp = onKeyUp;
  w->onMouseLeave = onMouseLeave;
  w->onCloseRequest = onCloseRequest;
  w->onMenuPulledDown = onMenuPulledDown;
  return w;
}

void Window::setCaption(std::string caption) {
  if (caption_ == caption) return;
  caption_ = std::move(caption);
  changed(WindowHost::Change::Window);
}

void Window::setTaskTitle(std::string title) {
  if (taskTitle_ == title) return;
  taskTitle_ = std::move(title);
  changed(WindowHost::Change::Window);
}

void Window::setWindowed(bool windowed) {
  if (windowed_ == windowed) return;
  windowed_ = windowed;
  changed(WindowHost::Change::Window);
}

void Window::setTopMost(bool topMost) {
  if (topMost_ == topMost) return;
  topMost_ = topMost;
  changed(WindowHost::Change::Window);
}

void Window::setBackColour(Colour colour) {
  if (backColour_ == colour) return;
  backColour_ = colour;
  changed(WindowHost::Change::Content);
}

void Window::setResizable(bool resizable) {
  if (resizable_ == resizable) return;
  resizable_ = resizable;
  changed(WindowHost::Change::Window);
}

void Window::setSizeFactor(int factor) {
  factor = std::clamp(factor, 1, 8);
  if (sizeFactor_ == factor) return;
  sizeFactor_ = factor;
  changed(WindowHost::Change::Window);
}

void Window::setScaling(PictureScaling scaling) {
  if (scaling_ == scaling) return;
  scaling_ = scaling;
  changed(WindowHost::Change::Window);
}

void Window::setFullScreenShown(bool shown) {
  if (fullScreenShown_ == shown) return;
  fullScreenShown_ = shown;
  changed(WindowHost::Change::Window);
}

void Window::setFullScreenArea(const Rect& area) {
  if (fullScreenArea_ == area) return;
  fullScreenArea_ = area;
  changed(WindowHost::Change::Window);
}

void Window::noteFullScreenShown(bool shown) {
  if (fullScreenShown_ == shown) return;
  fullScreenShown_ = shown;
  ++revision_;
  Fire(onFullScreenShownChanged, *this, shown);
}

void Window::setFrameExtent(int horizontal, int vertical) {
  frameWidth_ = std::max(0, horizontal);
  frameHeight_ = std::max(0, vertical);
  changed(WindowHost::Change::Window);
}

int Window::scaleWidth() const {
  return std::max(0, width() - frameWidth_);
}
int Window::scaleHeight() const {
  return std::max(0, height() - frameHeight_);
}

void Window::changed(WindowHost::Change change) {
  ++revision_;
  if (host_) host_->windowChanged(*this, change);
}

void Window::areaChanged(const Rect& area) {
  ++revision_;
  if (host_) host_->windowAreaChanged(*this, area);
}

Element& Window::targetAt(int x, int y) {
  Element* e = ElementAt(*this, x, y);
  return e ? *e : *this;
}

void Window::dispatchMouseDown(int button, int shift, int x, int y) {
  lastPointer_ = Point{x, y};
  if (!enabled() || Lock(drag_)) return;
  Element& target = targetAt(x, y);
  capture_ = target.weakRef();
  captureIsDoubleClick_ = false;
  Fire(target.onMouseDown, target, RelativeEvent(target, button, shift, x, y));
}

void Window::dispatchDoubleClick(int /*button*/, int /*shift*/, int x, int y) {
  lastPointer_ = Point{x, y};
  if (!enabled() || Lock(drag_)) return;
  Element& target = targetAt(x, y);
  capture_ = target.weakRef();
  captureIsDoubleClick_ = true;
  Fire(target.onDblClick, target);
}

void Window::dispatchMouseUp(int button, int shift, int x, int y) {
  lastPointer_ = Point{x, y};
  if (Lock(drag_)) {
    capture_.reset();
    dropAt(x, y);
    return;
  }
  Element* target = Lock(capture_);
  capture_.reset();
  // The element pressed may have been unloaded by its own handler: the release is lost,
  // as it is for a VB control that no longer exists.
  if (!target || !enabled()) return;
  MouseEvent ev = RelativeEvent(*target, button, shift, x, y);
  int w = target == this ? scaleWidth() : target->width();
  int h = target == this ? scaleHeight() : target->height();
  bool inside = ev.x >= 0 && ev.y >= 0 && ev.x < w && ev.y < h;
  auto ref = target->weakRef();
  Fire(target->onMouseUp, *target, ev);
  if (captureIsDoubleClick_ || !inside) return;
  target = Lock(ref);
  if (target && target->enabled()) target->click();
}

void Window::dispatchMouseMove(int buttons, int shift, int x, int y) {
  lastPointer_ = Point{x, y};
  if (onPointerMoved) onPointerMoved(*this);
  // During a drag VB raises DragOver, not MouseMove; nothing here listens for DragOver.
  if (!enabled() || Lock(drag_)) return;
  Element* target = buttons != 0 ? Lock(capture_) : nullptr;
  if (!target) target = &targetAt(x, y);
  Fire(target->onMouseMove, *target, RelativeEvent(*target, buttons, shift, x, y));
}

void Window::dispatchKeyDown(int keyCode, int shift) {
  if (!enabled()) return;
  Fire(onKeyDown, *this, keyCode, shift);
}

void Window::dispatchKeyUp(int keyCode, int shift) {
  Fire(onKeyUp, *this, keyCode, shift);
}

void Window::warpPointer(int x, int y) {
  if (host_) host_->warpPointer(*this, Point{x, y});
}

void Window::dispatchMouseLeave() {
  Fire(onMouseLeave, *this);
}

void Window::requestClose() {
  if (onCloseRequest) {
    Fire(onCloseRequest, *this);
  } else {
    setVisible(false);
  }
}

MousePointer Window::pointerAt(int x, int y, bool buttonHeld) {
  if (Element* dragged = Lock(drag_)) {
    if (dragged->dragIcon()) return MousePointer{PointerShape::Custom, dragged->dragIcon()};
    return dragged->pointer();
  }
  if (Element* captured = buttonHeld ? Lock(capture_) : nullptr) return captured->pointer();
  return targetAt(x, y).pointer();
}

void Window::beginDrag(Element& source) {
  if (!contains(source)) return;
  drag_ = source.weakRef();
  capture_.reset();
  if (host_) host_->dragStarted(*this, source);
}

Element* Window::dragSource() const {
  return Lock(drag_);
}

void Window::cancelDrag() {
  const bool dragging = Lock(drag_) != nullptr;
  drag_.reset();
  if (dragging && host_) host_->dragCancelled(*this);
}

bool Window::dropAt(int x, int y) {
  lastPointer_ = Point{x, y};
  Element* source = Lock(drag_);
  drag_.reset();
  if (!source) return false;
  Element& target = targetAt(x, y);
  MouseEvent ev = RelativeEvent(target, 0, 0, x, y);
  Fire(target.onDragDrop, target, *source, ev.x, ev.y);
  return true;
}

Element* Window::focus() const {
  return Lock(focus_);
}

void Window::setFocus(Element* element) {
  if (element) {
    focus_ = element->weakRef();
  } else {
    focus_.reset();
  }
}

}  // namespace tw::platform
