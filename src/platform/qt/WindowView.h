// WindowView: the top-level QWidget that shows one Window of the element model and feeds the
// player's input back into it.
//
// The view is the window's WindowHost. It paints the element tree through PaintInto into an
// image of the client area (redrawn when the window's revision moves on) and shows that image
// at 1:1, or scaled in full screen (WindowLayout); mouse positions map back to twips of the
// client area. Every model change is applied at once: flags (frameless, top-most), caption,
// geometry, menu bar, visibility; the frame extent is reported back, and for a windowed window
// a change of the extent keeps the client area (the game sized the window for its game area
// before the caption and menu bar were known) and the frame's place on screen. A windowed
// window that grows past an edge of the screen is moved back onto it.
//
// A windowed window can be resized by the player and made full screen by the window manager
// or by the game (Window::fullScreenShown): its client area is then scaled into the space
// below the menu bar. The model keeps the window's own place and size meanwhile, so leaving
// full screen puts it back where it was.
//
// Menu hook: when a menu of the bar is pulled down, the menu's item is clicked (the menu
// title's Click event, where the game sets its MenuOpen flag) and Window::onMenuPulledDown
// runs with true; when the menu closes, onMenuPulledDown runs with false.
//
// A handler may destroy the Window while the view is inside one of its own events: the view
// then forgets it at once (windowDestroyed), hides, and is deleted later by the platform.
#pragma once

#include <QImage>
#include <QMargins>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/Window.h"
#include "platform/qt/Pointers.h"
#include "platform/qt/WindowLayout.h"

class QMenuBar;

namespace tw::platform {

class MenuBarSync;
class QtPlatform;

class WindowView : public QWidget, public WindowHost {
 public:
  WindowView(QtPlatform& platform, Window& window);
  ~WindowView() override;

  Window* window() const { return window_; }
  // Applies every property of the model (also after a display size change).
  void applyAll();
  // Shows the window modally (before it is shown) or not.
  void setModalMode(bool modal);
  // Called when the window is hidden or destroyed (the nested loop of a modal window ends).
  std::function<void()> onHiddenOrGone;
  // Called once when the window is destroyed; the platform then lets go of the view.
  std::function<void(WindowView&)> onGone;

  // --- WindowHost -----------------------------------------------------------------------
  void windowChanged(Window& window, Change change) override;
  void windowAreaChanged(Window& window, const Rect& area) override;
  void dragStarted(Window& window, Element& source) override;
  void dragCancelled(Window& window) override;
  void warpPointer(Window& window, Point clientTwips) override;
  void windowDestroyed(Window& window) override;

  // --- for tests ------------------------------------------------------------------------
  const WindowLayout& layout() const { return layout_; }
  QMenuBar* menuBar() const { return menuBar_; }
  bool menuBarShown() const { return menusShown_; }
  // Twips of the client area under a point of the widget.
  QPoint clientTwipsAt(QPointF widgetPos) const;
  // The client area as the view last drew it.
  const QImage& frameImage() const { return frame_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool event(QEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  void applyFlags();
  void applyMenus();
  void applyGeometry();
  void applyVisibility();
  void keepOnScreen();
  void keepAboveOwnWindows();
  void reportFrameExtent();
  void renderFrame();
  void updatePointer(QPointF widgetPos);
  void frameMovedOrResized();
  // The layout for the widget's present size, without touching its geometry.
  void relayout();
  bool sizedByWindowManager() const;
  QMargins decoration() const;
  int menuBarHeight() const;
  ScreenSetup screenSetup() const;
  void press(QMouseEvent* event, bool doubleClick);

  QtPlatform& platform_;
  Window* window_;
  QMenuBar* menuBar_;  // child widget, owned by the view
  std::unique_ptr<MenuBarSync> menus_;
  bool menusShown_ = false;
  WindowLayout layout_;
  QImage frame_;
  std::uint64_t frameRevision_ = 0;
  bool frameValid_ = false;
  // The part of frame_ (client pixels) to draw again; only the changed elements' areas are
  // repainted while nothing else changed (rippling water changes a strip, 33 times a second).
  QRect frameDamage_;
  bool frameAllDamaged_ = true;
  bool applying_ = false;
  // A menu change waits for the event loop (windowChanged).
  bool menusPending_ = false;
  bool flagsSet_ = false;
  Qt::WindowFlags flags_;
  QMargins decoration_;  // the window manager's frame, once known
  QPointF lastPos_;      // last mouse position seen, widget coordinates
  bool hasLastPos_ = false;
  int openMenus_ = 0;
  bool modal_ = false;
  // A windowed window's size as the player last dragged it; reset by a new game size or
  // size factor.
  std::optional<QSize> playerSize_;
  QSize shownClient_;
  int shownFactor_ = 1;
  bool stateChangeOurs_ = false;
  bool topMostShown_ = false;
  // Keys pressed and not yet released (virtual-key codes): released when the window loses
  // the keyboard, so nothing stays held for the game.
  std::vector<int> keysDown_;
  PointerCache cursors_;
  std::optional<MousePointer> shownPointer_;
};

}  // namespace tw::platform
