// Element: a visible part of a window — position, size, visibility, pointer and mouse events.
//
// Positions are twips relative to the element's container (its client area); sizes are
// twips and never negative. An element belongs to at most one container; the container
// does not own it (the game's window object, or an ElementArray, does). Destroying an
// element removes it from its container. Every change of a property that shows on screen
// tells the element's window (Window::changed), so a back end knows when to repaint.
//
// Event handlers are plain std::function members; they receive the element itself, so the
// handlers of an element array's template (copied to every loaded element) can read
// index(). Mouse coordinates are twips relative to the element's own top-left corner.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/Component.h"

namespace tw::platform {

class Container;
class Element;
class Picture;
class Window;

// Mouse buttons and shift state as VB numbers them.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

struct MouseEvent {
  int button = 0;  // kLeftButton, ... (for moves: the buttons held)
  int shift = 0;   // kShiftMask | kCtrlMask | kAltMask
  int x = 0;       // twips, relative to the element
  int y = 0;
};

// VB MousePointer values.
enum class PointerShape {
  Default = 0,  // the element's normal pointer
  Arrow = 1,
  Cross = 2,
  IBeam = 3,
  Hourglass = 11,
  NoDrop = 12,
  ArrowHourglass = 13,
  Custom = 99,  // the picture below, with its hot spot
};

struct MousePointer {
  PointerShape shape = PointerShape::Default;
  std::shared_ptr<const Picture> picture;  // used with Custom
  bool operator==(const MousePointer&) const = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  // In 64 bits: a script may place an element near INT_MAX with a huge width.
  bool contains(int x, int y) const {
    return x >= left && y >= top && std::int64_t{x} < std::int64_t{left} + width &&
           std::int64_t{y} < std::int64_t{top} + height;
  }
  bool operator==(const Rect&) const = default;
};

// The element a weak reference points at, or nullptr once it is destroyed.
inline Element* Lock(const std::weak_ptr<Element*>& ref) {
  auto p = ref.lock();
  return p ? *p : nullptr;
}

class Element : public Component {
 public:
  ~Element() override;

  Container* parent() const { return parent_; }
  // The window this element is shown in; nullptr while it is in no window.
  Window* window() const;
  // Position of the element's top-left corner in its window's client area (twips).
  void positionInWindow(int& x, int& y) const;

  int left() const { return bounds_.left; }
  int top() const { return bounds_.top; }
  int width() const { return bounds_.width; }
  int height() const { return bounds_.height; }
  const Rect& bounds() const { return bounds_; }
  void setLeft(int left);
  void setTop(int top);
  // Negative sizes raise VbError 380 "Invalid property value", as VB does.
  void setWidth(int width);
  void setHeight(int height);
  void move(int left, int top);
  void move(int left, int top, int width, int height);

  bool visible() const { return visible_; }
  void setVisible(bool visible);
  // Visible and inside visible containers up to a visible window.
  bool shownOnScreen() const;
  bool enabled() const { return enabled_; }
  void setEnabled(bool enabled);
  const std::string& toolTip() const { return toolTip_; }
  void setToolTip(std::string text);
  const MousePointer& pointer() const { return pointer_; }
  void setPointer(MousePointer pointer);
  // Drawn with a ring, dark outside and light inside, along its border above everything else
  // of its container: the player asked to see what can be clicked. Copied to the elements
  // made from a template, so elements loaded meanwhile show it too.
  bool outlined() const { return outlined_; }
  void setOutlined(bool outlined);
  // The picture the pointer shows while this element is dragged.
  const std::shared_ptr<const Picture>& dragIcon() const { return dragIcon_; }
  void setDragIcon(std::shared_ptr<const Picture> icon);

  // Z-order inside the container: front = drawn last and hit first.
  void bringToFront();
  void sendToBack();
  // Starts dragging this element (VB Drag vbBeginDrag); the drop goes to the element under
  // the pointer when the button is released. Does nothing outside a window.
  void beginDrag();

  // Whether hit-testing may return this element; controls with no area of their own
  // may say no. Invisible and disabled elements are never hit.
  virtual bool receivesMouse() const { return true; }

  std::function<void(Element&, const MouseEvent&)> onMouseDown;
  std::function<void(Element&, const MouseEvent&)> onMouseUp;
  std::function<void(Element&, const MouseEvent&)> onMouseMove;
  std::function<void(Element&)> onClick;
  std::function<void(Element&)> onDblClick;
  // (target, dragged element, x, y relative to the target)
  std::function<void(Element&, Element&, int, int)> onDragDrop;

  // Called by the window when the element is clicked: controls with a state of their own
  // (check boxes) change it, then onClick runs.
  virtual void click();

  void attachBeside(const Component& templ) override;

  // A reference that expires when the element is destroyed (handlers may unload the
  // element whose event they handle).
  std::weak_ptr<Element*> weakRef() const { return self_; }

 protected:
  Element(ElementKind kind, std::string name);
  // Copies every property and handler, not the container, index or z-order.
  void copyElementProperties(const Element& from);
  // Tells the window that something visible changed (inside this element only).
  void changed();

 private:
  friend class Container;
  // The element moved or was resized from `old`: where it was and where it is changed.
  void boundsChanged(const Rect& old);
  std::shared_ptr<Element*> self_;
  Container* parent_ = nullptr;
  Rect bounds_;
  bool visible_ = true;
  bool enabled_ = true;
  bool outlined_ = false;
  std::string toolTip_;
  MousePointer pointer_;
  std::shared_ptr<const Picture> dragIcon_;
};

}  // namespace tw::platform
