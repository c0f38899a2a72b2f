// Window: a top-level window of the game — caption, mode, menu bar and its elements.
//
// A window is a container: its children are placed in its client area. Its own left, top,
// width and height are the outer rectangle in twips of the screen; the client area is
// smaller by the frame extent (border, caption and menu bar) that the back end reports.
//
// The window also turns raw input into element events, the same way for every back end:
// the back end calls dispatchMouseDown/Up/Move/DoubleClick and dispatchKeyDown with client
// coordinates in twips. A mouse-down captures its element until the button is released
// (VB semantics: the up, and the moves in between, go to the same element); a click is
// reported when the button goes up inside that element. While an element is dragged,
// moves raise no events and the release drops the dragged element on what lies under the
// pointer. Elements destroyed while they hold capture, focus or a drag are simply
// forgotten (weak references), because handlers routinely unload the element that was
// clicked (a hotspot that changes the frame).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/Colour.h"
#include "platform/Container.h"
#include "platform/Menu.h"
#include "platform/Picture.h"

namespace tw::platform {

class Window;

// How a windowed window's client area is drawn when the window on screen is larger than it
// (the player resized it, chose a larger window size, or it is shown full screen):
//   Aspect  as large as fits with the aspect kept; sharp at whole factors, smoothed between
//   Sharp   the largest whole factor that fits (at least 1), pixels stay square and sharp
//   Smooth  as large as fits with the aspect kept, always smoothed
enum class PictureScaling { Aspect, Sharp, Smooth };

// What a back end learns about a window it shows.
class WindowHost {
 public:
  enum class Change {
    Content,  // an element changed: repaint
    Window,   // caption, geometry, visibility, mode, top-most, pointer of the window
    Menus,    // the menu bar changed
  };
  virtual ~WindowHost() = default;
  virtual void windowChanged(Window& window, Change change) = 0;
  // An element changed inside `area` (client twips) and nothing outside it: a host may
  // repaint just that part.
  virtual void windowAreaChanged(Window& window, const Rect& /*area*/) {
    windowChanged(window, Change::Content);
  }
  // A drag began: the pointer shows the dragged element's drag icon until the drop.
  virtual void dragStarted(Window& /*window*/, Element& /*source*/) {}
  // A drag ended without a drop: the pointer shows what lies under it again.
  virtual void dragCancelled(Window& /*window*/) {}
  // The game asks for the real pointer at a point of the client area (twips).
  virtual void warpPointer(Window& /*window*/, Point /*clientTwips*/) {}
  // The window object is going away; the host must forget it.
  virtual void windowDestroyed(Window& window) = 0;
};

class Window : public Container {
 public:
  explicit Window(std::string name);
  ~Window() override;

  std::unique_ptr<Component> clone() const override;

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption);
  // Windowed: border and caption bar; otherwise borderless (full screen or a bare panel).
  bool windowed() const { return windowed_; }
  void setWindowed(bool windowed);
  bool topMost() const { return topMost_; }
  void setTopMost(bool topMost);
  Colour backColour() const { return backColour_; }
  void setBackColour(Colour colour);

  // --- how a windowed window is presented (the player's choices, not the game's) --------
  // The player may resize the window (its client area then scales); other windows keep the
  // size the game gives them.
  bool resizable() const { return resizable_; }
  void setResizable(bool resizable);
  // The window's size on screen as a whole multiple of its client area (1 to 8).
  int sizeFactor() const { return sizeFactor_; }
  void setSizeFactor(int factor);
  PictureScaling scaling() const { return scaling_; }
  void setScaling(PictureScaling scaling);
  // The name desktops give a window that shows no caption (task bar, window switcher); empty
  // leaves the program's name.
  const std::string& taskTitle() const { return taskTitle_; }
  void setTaskTitle(std::string title);
  // A windowed window shown over the whole screen, its client area scaled into it.
  bool fullScreenShown() const { return fullScreenShown_; }
  void setFullScreenShown(bool shown);
  // The back end reports a change the window manager made (the player asked it for full
  // screen, or a tiling desktop did); the window keeps it and tells the game.
  void noteFullScreenShown(bool shown);
  std::function<void(Window&, bool)> onFullScreenShownChanged;
  // The part of the client area (twips) that a full-screen window makes as large as the real
  // screen allows: the game's own area, so that the black margins of a window as large as
  // the screen the game sees are not scaled with it. Empty: the whole client area.
  const Rect& fullScreenArea() const { return fullScreenArea_; }
  void setFullScreenArea(const Rect& area);

  // Border plus caption plus menu bar, in twips; set by the back end.
  void setFrameExtent(int horizontal, int vertical);
  int frameWidth() const { return frameWidth_; }
  int frameHeight() const { return frameHeight_; }
  // The client area (VB ScaleWidth / ScaleHeight), never negative.
  int scaleWidth() const;
  int scaleHeight() const;

  MenuItem& menuBar() { return menuBar_; }
  const MenuItem& menuBar() const { return menuBar_; }

  // Key pressed while the window is active: (window, virtual-key code, shift). A key held
  // down repeats its press; its release comes once (also when the window loses the keyboard).
  std::function<void(Window&, int, int)> onKeyDown;
  std::function<void(Window&, int, int)> onKeyUp;
  // The pointer left the window (a look that follows the pointer, such as a button's hover
  // look, ends).
  std::function<void(Window&)> onMouseLeave;
  // The pointer moved over the window, on any element or none, before that element hears of it
  // (the player's own services watch where it rests; the game's handlers are the elements').
  std::function<void(Window&)> onPointerMoved;
  // The player asks to close the window (close button, Alt+F4); without a handler the window
  // hides itself.
  std::function<void(Window&)> onCloseRequest;
  // A menu of the menu bar was pulled down (true) or closed again (false), by the player in a
  // real window. The menu's own item is clicked as it opens, as VB raises a menu title's Click;
  // this hook tells the game also when it closes. Headless runs never pull menus down.
  std::function<void(Window&, bool)> onMenuPulledDown;

  // --- input from the back end (client twips) -------------------------------------
  void dispatchMouseDown(int button, int shift, int x, int y);
  void dispatchMouseUp(int button, int shift, int x, int y);
  void dispatchMouseMove(int buttons, int shift, int x, int y);
  // The second press of a double click (VB: DblClick instead of a second MouseDown).
  void dispatchDoubleClick(int button, int shift, int x, int y);
  void dispatchKeyDown(int keyCode, int shift);
  void dispatchKeyUp(int keyCode, int shift);
  // The game moves the pointer (keyboard play): the back end puts the real pointer at that
  // point of the client area (twips). It raises no event by itself.
  void warpPointer(int x, int y);
  void dispatchMouseLeave();
  void requestClose();

  // The element a mouse event at (x, y) goes to: the element under the point, or the
  // window itself on its background.
  Element& targetAt(int x, int y);
  // The pointer to show at (x, y): the drag icon during a drag, else, while a button is held,
  // the pointer of the element pressed, else that of the element under the point, else the
  // window's own. (A screen-wide pointer set through the platform overrides this.) A press
  // whose release never came (a box opened by the press took it) does not count.
  MousePointer pointerAt(int x, int y, bool buttonHeld = false);
  // Where the last mouse event or drop on this window took place (client twips); none before
  // the first. A pointer resting there has not moved since.
  const std::optional<Point>& lastPointer() const { return lastPointer_; }

  // --- drag and drop --------------------------------------------------------------
  void beginDrag(Element& source);
  Element* dragSource() const;
  void cancelDrag();
  // Drops the dragged element at (x, y); false when no drag was running.
  bool dropAt(int x, int y);

  // --- focus ----------------------------------------------------------------------
  Element* focus() const;
  void setFocus(Element* element);

  // --- back end -------------------------------------------------------------------
  void setHost(WindowHost* host) { host_ = host; }
  WindowHost* host() const { return host_; }
  // Grows with every change, so a back end or a test can tell whether to repaint.
  std::uint64_t revision() const { return revision_; }
  void changed(WindowHost::Change change);
  // Something inside `area` (client twips) changed, nothing else.
  void areaChanged(const Rect& area);

 private:
  std::string caption_;
  std::string taskTitle_;
  bool windowed_ = true;
  bool topMost_ = false;
  Colour backColour_ = kButtonFace;
  bool resizable_ = false;
  int sizeFactor_ = 1;
  PictureScaling scaling_ = PictureScaling::Aspect;
  bool fullScreenShown_ = false;
  Rect fullScreenArea_;
  int frameWidth_ = 0;
  int frameHeight_ = 0;
  MenuItem menuBar_;
  WindowHost* host_ = nullptr;
  std::uint64_t revision_ = 0;

  // Weak references to elements, so that destroyed elements are never touched.
  std::weak_ptr<Element*> capture_;
  std::weak_ptr<Element*> drag_;
  std::weak_ptr<Element*> focus_;
  bool captureIsDoubleClick_ = false;
  std::optional<Point> lastPointer_;
};

}  // namespace tw::platform
