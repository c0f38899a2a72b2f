// WindowView: applying the model to a QWidget, painting, and input back to the model.
#include "platform/qt/WindowView.h"

#include <algorithm>

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>
#include <QWheelEvent>
#include <QWindow>

#include "platform/InputRecorder.h"
#include "platform/Units.h"
#include "platform/qt/ControlInput.h"
#include "platform/qt/InputMapping.h"
#include "platform/qt/MenuBarSync.h"
#include "platform/qt/Painting.h"
#include "platform/qt/QtPlatform.h"

namespace tw::platform {

namespace {

// Sets a flag for the lifetime of a scope (changes the view makes to the model come back to
// it as window changes, which must not be applied again half-way).
class Applying {
 public:
  explicit Applying(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
  ~Applying() { flag_ = old_; }
  Applying(const Applying&) = delete;
  Applying& operator=(const Applying&) = delete;

 private:
  bool& flag_;
  bool old_;
};

constexpr int kWheelRowsPerNotch = 3;

}  // namespace

WindowView::WindowView(QtPlatform& platform, Window& window)
    : QWidget(nullptr), platform_(platform), window_(&window) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  menuBar_ = new QMenuBar(this);  // owned by the view
  menuBar_->setNativeMenuBar(false);
  menuBar_->hide();
  MenuBarSync::Hooks hooks;
  hooks.triggered = [this](MenuItem& item) {
    InputRecorder* recorder = window_ ? platform_.inputRecorder() : nullptr;
    if (recorder) recorder->menuChosen(*window_, item);
    const RecordedInput done(recorder);
    item.click();
  };
  hooks.opened = [this](MenuItem& item) {
    item.click();
    if (++openMenus_ == 1 && window_ && window_->onMenuPulledDown) {
      auto hook = window_->onMenuPulledDown;
      hook(*window_, true);
    }
  };
  hooks.closed = [this](MenuItem&) {
    if (openMenus_ > 0 && --openMenus_ == 0 && window_ && window_->onMenuPulledDown) {
      auto hook = window_->onMenuPulledDown;
      hook(*window_, false);
    }
  };
  menus_ = std::make_unique<MenuBarSync>(*menuBar_, window.menuBar(), std::move(hooks));
  window.setHost(this);
}

WindowView::~WindowView() {
  if (window_) window_->setHost(nullptr);
  menus_.reset();
}

ScreenSetup WindowView::screenSetup() const {
  return ScreenSetup{platform_.realScreen(), platform_.screenSize(), platform_.cascade()};
}

int WindowView::menuBarHeight() const {
  return menusShown_ ? std::max(1, menuBar_->sizeHint().height()) : 0;
}

QPoint WindowView::clientTwipsAt(QPointF widgetPos) const {
  return layout_.fit.toClientTwips(widgetPos - QPointF(layout_.content.topLeft()));
}

// --- model -> widget ------------------------------------------------------------------------

void WindowView::applyAll() {
  if (!window_ || applying_) return;
  Applying guard(applying_);
  menusPending_ = false;
  applyFlags();
  applyMenus();
  reportFrameExtent();
  applyGeometry();
  applyVisibility();
  update();
  if (window_ && hasLastPos_) updatePointer(lastPos_);
}

void WindowView::applyFlags() {
  const WindowMode mode = ModeOf(*window_, platform_.screenSize());
  Qt::WindowFlags flags = Qt::Window;
  if (mode != WindowMode::Windowed) flags |= Qt::FramelessWindowHint;
  // Top-most means above this player's own windows, not above every program's (another
  // player's game among them): it is kept by the window manager's transient-for link,
  // made when the window is shown (keepAboveOwnWindows).
  if (!flagsSet_ || flags != flags_) {
    // Changing the flags hides a shown widget; applyVisibility shows it again.
    setWindowFlags(flags);
    flags_ = flags;
    flagsSet_ = true;
  }
  setWindowTitle(QString::fromStdString(mode == WindowMode::Windowed ? window_->caption()
                                                                   : window_->taskTitle()));
}

void WindowView::applyMenus() {
  const bool shown = menus_->sync();
  if (shown != menusShown_) {
    menusShown_ = shown;
    menuBar_->setVisible(shown);
  }
}

void WindowView::reportFrameExtent() {
  const WindowMode mode = ModeOf(*window_, platform_.screenSize());
  const QSize extent = FrameExtentTwips(mode, menuBarHeight(), decoration_);
  if (extent.width() == window_->frameWidth() && extent.height() == window_->frameHeight()) {
    return;
  }
  if (mode == WindowMode::Windowed) {
    const int clientWidth = window_->scaleWidth();
    const int clientHeight = window_->scaleHeight();
    window_->setFrameExtent(extent.width(), extent.height());
    window_->setWidth(clientWidth + extent.width());
    window_->setHeight(clientHeight + extent.height());
  } else {
    window_->setFrameExtent(extent.width(), extent.height());
  }
}

bool WindowView::sizedByWindowManager() const {
  return (windowState() & (Qt::WindowFullScreen | Qt::WindowMaximized)) != 0;
}

void WindowView::applyGeometry() {
  if (layout_.mode == WindowMode::Windowed) {
    // A new game size or a new size factor: the window takes it, whatever the player did.
    const QSize client(PixelsFromTwips(window_->scaleWidth()), PixelsFromTwips(window_->scaleHeight()));
    if (client != shownClient_ || window_->sizeFactor() != shownFactor_) playerSize_.reset();
    shownClient_ = client;
    shownFactor_ = window_->sizeFactor();
  }
  const WindowMode mode = ModeOf(*window_, platform_.screenSize());
  if (mode == WindowMode::Windowed) {
    const bool wantFull = window_->fullScreenShown();
    const bool isFull = (windowState() & Qt::WindowFullScreen) != 0;
    if (!window_->resizable()) playerSize_.reset();
    if (window_->resizable()) {
      setMinimumSize(1, menuBarHeight() + 1);
      setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    if (wantFull != isFull) {
      stateChangeOurs_ = true;
      // With no window manager nobody acts on the full-screen state, and the window would
      // keep its size (before it is first shown: only the menu bar). So it first takes the
      // whole screen it is on itself; a window manager gives it the same. (Set after the
      // state, the geometry would end the state again.)
      if (wantFull) {
        const QScreen* on = screen();
        setGeometry(on ? on->geometry() : screenSetup().real);
      }
      setWindowState(wantFull ? (windowState() | Qt::WindowFullScreen)
                              : (windowState() & ~Qt::WindowFullScreen));
      stateChangeOurs_ = false;
    }
    if (sizedByWindowManager()) {
      // The window manager decides the size and place; the picture scales into it.
      layout_ = LayOut(*window_, screenSetup(), menuBarHeight(), decoration_, size());
    } else {
      layout_ = LayOut(*window_, screenSetup(), menuBarHeight(), decoration_, playerSize_);
      if (!isVisible() || size() != layout_.geometry.size()) keepOnScreen();
      // Dialogs and the like keep the size the game gives them.
      if (!window_->resizable()) setFixedSize(layout_.geometry.size());
      if (geometry() != layout_.geometry) setGeometry(layout_.geometry);
    }
  } else {
    layout_ = LayOut(*window_, screenSetup(), menuBarHeight(), decoration_);
    if (layout_.mode == WindowMode::FullScreen) {
      setMinimumSize(0, 0);
      setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
      if (!(windowState() & Qt::WindowFullScreen)) {
        setWindowState(windowState() | Qt::WindowFullScreen);
      }
      setGeometry(layout_.geometry);
    } else {
      if (windowState() & Qt::WindowFullScreen) {
        setWindowState(windowState() & ~Qt::WindowFullScreen);
      }
      // A panel (the start-up window) keeps its size.
      setFixedSize(layout_.geometry.size().expandedTo(QSize(1, 1)));
      setGeometry(QRect(layout_.geometry.topLeft(), layout_.geometry.size().expandedTo(QSize(1, 1))));
    }
  }
  if (!layout_.menuBar.isEmpty()) {
    menuBar_->setGeometry(layout_.menuBar);
    menuBar_->raise();
  }
}

void WindowView::keepOnScreen() {
  // A window that grows (a larger window size, a larger game) stays on the screen, as a window
  // manager keeps it; without one nobody else would. The model takes the new place, so the
  // next change does not put the window back where it reached past the edge.
  const QRect frame = layout_.geometry.marginsAdded(decoration_);
  const QRect kept = KeepOnScreen(frame, screenSetup().real);
  if (kept == frame) return;
  layout_.geometry.translate(kept.topLeft() - frame.topLeft());
  const QPoint pos = ModelPosition(kept.topLeft(), screenSetup());
  Applying guard(applying_);
  window_->move(pos.x(), pos.y());
}

void WindowView::applyVisibility() {
  const bool wanted = window_->visible();
  if (wanted && !isVisible()) {
    setWindowModality(modal_ ? Qt::ApplicationModal : Qt::NonModal);
    keepAboveOwnWindows();
    show();
    raise();
    activateWindow();
  } else if (wanted && window_->topMost() != topMostShown_) {
    keepAboveOwnWindows();
    if (window_->topMost()) raise();
  } else if (!wanted && isVisible()) {
    hide();
    if (onHiddenOrGone) onHiddenOrGone();
  }
}

void WindowView::keepAboveOwnWindows() {
  topMostShown_ = window_->topMost();
  WindowView* below = topMostShown_ ? platform_.ownWindowBelow(*this) : nullptr;
  if (below && !below->windowHandle()) below->create();
  if (!windowHandle()) create();
  windowHandle()->setTransientParent(below ? below->windowHandle() : nullptr);
}

void WindowView::setModalMode(bool modal) {
  modal_ = modal;
}

// --- WindowHost -----------------------------------------------------------------------------

void WindowView::windowChanged(Window& window, Change change) {
  if (&window != window_) return;
  if (change == Change::Content) {
    frameAllDamaged_ = true;
    // Only the game's picture changed: the menu bar and the margins need no repaint.
    update(layout_.fit.picture.translated(layout_.content.topLeft()));
    if (hasLastPos_ && underMouse()) updatePointer(lastPos_);
    return;
  }
  frameAllDamaged_ = true;
  if (change == Change::Menus) {
    // Menus change in bursts (the Debug menu's list of every frame is filled item by item,
    // and each new visible item would rebuild the whole bar): they are applied once, when
    // control returns to the event loop, unless another change applies them sooner.
    if (!menusPending_) {
      menusPending_ = true;
      QMetaObject::invokeMethod(
          this, [this] { if (menusPending_) applyAll(); }, Qt::QueuedConnection);
    }
    return;
  }
  applyAll();
}

void WindowView::windowAreaChanged(Window& window, const Rect& area) {
  if (&window != window_) return;
  // Twips to whole pixels, one more on every side: elements round their edges on their own.
  const auto pixel = [](std::int64_t twips, bool up) {
    const std::int64_t p = up ? (twips + 14) / 15 + 1 : twips / 15 - 1;
    return static_cast<int>(std::clamp<std::int64_t>(p, -1, 1 << 20));
  };
  const int left = pixel(area.left, false), top = pixel(area.top, false);
  const int right = pixel(std::int64_t{area.left} + area.width, true);
  const int bottom = pixel(std::int64_t{area.top} + area.height, true);
  const QRect part = QRect(QPoint(left, top), QPoint(right, bottom))
                         .intersected(QRect(QPoint(0, 0), PaintSize(*window_)));
  if (part.isEmpty()) return;
  frameDamage_ |= part;
  const QRect shown(layout_.fit.toTarget(part.topLeft()),
                    layout_.fit.toTarget(part.bottomRight() + QPoint(2, 2)));
  update(shown.translated(layout_.content.topLeft()).adjusted(-1, -1, 1, 1));
  if (hasLastPos_ && underMouse()) updatePointer(lastPos_);
}

void WindowView::dragStarted(Window& window, Element& /*source*/) {
  if (&window != window_) return;
  if (hasLastPos_) updatePointer(lastPos_);
}

void WindowView::dragCancelled(Window& window) {
  if (&window != window_) return;
  if (hasLastPos_) updatePointer(lastPos_);
}

void WindowView::windowDestroyed(Window& window) {
  if (&window != window_) return;
  window_ = nullptr;
  menus_->detach();
  hide();
  if (onHiddenOrGone) onHiddenOrGone();
  if (onGone) {
    auto gone = onGone;
    gone(*this);
  }
}

// --- painting -------------------------------------------------------------------------------

void WindowView::renderFrame() {
  const QSize size = PaintSize(*window_);
  if (frameValid_ && frameRevision_ == window_->revision() && frame_.size() == size) return;
  // A change that said where it lies repaints just there; any other change, all of it.
  const bool partial =
      frameValid_ && frame_.size() == size && !frameAllDamaged_ && !frameDamage_.isEmpty();
  const QRect damage = frameDamage_;
  frameDamage_ = QRect();
  frameAllDamaged_ = false;
  frameValid_ = false;
  if (size.isEmpty()) {
    frame_ = QImage();
    return;
  }
  if (frame_.size() != size) frame_ = QImage(size, QImage::Format_RGB32);
  if (frame_.isNull()) return;  // too large to hold
  QPainter painter(&frame_);
  if (partial) {
    painter.setClipRect(damage);  // the window's back colour covers what was there
  } else {
    frame_.fill(Qt::black);
  }
  PaintInto(painter, *window_);
  painter.end();
  frameRevision_ = window_->revision();
  frameValid_ = true;
}

void WindowView::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  const QRect target = layout_.fit.picture.translated(layout_.content.topLeft());
  // Black around the picture; the picture covers the rest.
  const bool pictured = window_ && !PaintSize(*window_).isEmpty();
  const QRegion margins = pictured ? event->region().subtracted(target) : event->region();
  for (const QRect& r : margins) p.fillRect(r, Qt::black);
  if (!window_) return;
  renderFrame();
  if (frame_.isNull()) {
    p.fillRect(target, Qt::black);
    return;
  }
  if (target.size() == frame_.size()) {
    p.drawImage(target.topLeft(), frame_);
  } else {
    p.setRenderHint(QPainter::SmoothPixmapTransform, !layout_.fit.sharp());
    p.drawImage(target, frame_);
  }
}

// --- input ----------------------------------------------------------------------------------

void WindowView::press(QMouseEvent* event, bool doubleClick) {
  lastPos_ = event->position();
  hasLastPos_ = true;
  if (!window_) return;
  const int button = ButtonFromQt(event->button());
  if (button == 0) return;
  const QPoint t = clientTwipsAt(event->position());
  const int shift = ShiftFromQt(event->modifiers());
  InputRecorder* recorder = platform_.inputRecorder();
  if (recorder) recorder->mousePressed(*window_, button, t.x(), t.y(), doubleClick);
  const RecordedInput done(recorder);
  if (button == kLeftButton && !window_->dragSource()) {
    Element& target = window_->targetAt(t.x(), t.y());
    int ex = 0, ey = 0;
    target.positionInWindow(ex, ey);
    if (PressControl(*window_, target, t.x() - ex, t.y() - ey, doubleClick)) return;
  }
  if (!window_) return;
  if (doubleClick) {
    window_->dispatchDoubleClick(button, shift, t.x(), t.y());
  } else {
    window_->dispatchMouseDown(button, shift, t.x(), t.y());
  }
  updatePointer(event->position());
}

void WindowView::mousePressEvent(QMouseEvent* event) {
  press(event, false);
}

void WindowView::mouseDoubleClickEvent(QMouseEvent* event) {
  press(event, true);
}

void WindowView::mouseReleaseEvent(QMouseEvent* event) {
  lastPos_ = event->position();
  hasLastPos_ = true;
  if (!window_) return;
  const int button = ButtonFromQt(event->button());
  if (button == 0) return;
  const QPoint t = clientTwipsAt(event->position());
  InputRecorder* recorder = platform_.inputRecorder();
  if (recorder) recorder->mouseReleased(*window_, button, t.x(), t.y());
  const RecordedInput done(recorder);
  window_->dispatchMouseUp(button, ShiftFromQt(event->modifiers()), t.x(), t.y());
  updatePointer(event->position());
}

void WindowView::mouseMoveEvent(QMouseEvent* event) {
  lastPos_ = event->position();
  hasLastPos_ = true;
  if (!window_) return;
  const QPoint t = clientTwipsAt(event->position());
  InputRecorder* recorder = platform_.inputRecorder();
  if (recorder) recorder->mouseMoved(*window_, t.x(), t.y());
  const RecordedInput done(recorder);
  window_->dispatchMouseMove(ButtonsFromQt(event->buttons()), ShiftFromQt(event->modifiers()),
                             t.x(), t.y());
  updatePointer(event->position());
}

void WindowView::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  if (window_) window_->dispatchMouseLeave();
}

void WindowView::wheelEvent(QWheelEvent* event) {
  if (!window_) return;
  const QPoint t = clientTwipsAt(event->position());
  const int notches = -event->angleDelta().y() / 120;
  if (notches == 0 || !ScrollList(window_->targetAt(t.x(), t.y()), notches * kWheelRowsPerNotch)) {
    event->ignore();
  }
}

void WindowView::keyPressEvent(QKeyEvent* event) {
  if (!window_) return;
  const int code = VirtualKeyFromQt(event->key(), event->modifiers());
  InputRecorder* recorder = code != 0 ? platform_.inputRecorder() : nullptr;
  if (recorder) recorder->keyPressed(*window_, code, ShiftFromQt(event->modifiers()));
  const RecordedInput done(recorder);
  TypeIntoFocus(*window_, event->key(), event->text());
  if (!window_) return;
  if (code == 0) return;
  if (std::find(keysDown_.begin(), keysDown_.end(), code) == keysDown_.end()) {
    keysDown_.push_back(code);
  }
  window_->dispatchKeyDown(code, ShiftFromQt(event->modifiers()));
}

void WindowView::keyReleaseEvent(QKeyEvent* event) {
  // X repeats a held key as release and press pairs: only the last release counts.
  if (event->isAutoRepeat() || !window_) return;
  const int code = VirtualKeyFromQt(event->key(), event->modifiers());
  const auto held = std::find(keysDown_.begin(), keysDown_.end(), code);
  if (code == 0 || held == keysDown_.end()) return;
  keysDown_.erase(held);
  window_->dispatchKeyUp(code, ShiftFromQt(event->modifiers()));
}

void WindowView::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  // The release of a key held while a box or another program took the keyboard never comes.
  const std::vector<int> held = std::move(keysDown_);
  keysDown_.clear();
  for (int code : held) {
    if (!window_) return;
    window_->dispatchKeyUp(code, 0);
  }
}

void WindowView::warpPointer(Window& /*window*/, Point clientTwips) {
  // The middle of the client pixel, so the pointer maps back into the same pixel.
  const QPoint pixel(PixelsFromTwips(clientTwips.x), PixelsFromTwips(clientTwips.y));
  const QPoint corner = layout_.fit.toTarget(pixel);
  const QPoint next = layout_.fit.toTarget(pixel + QPoint(1, 1));
  // (QPoint's division rounds halves up, which would be the next pixel at 1:1.)
  const QPoint local = layout_.content.topLeft() +
                       QPoint(corner.x() + (next.x() - corner.x()) / 2,
                              corner.y() + (next.y() - corner.y()) / 2);
  QCursor::setPos(mapToGlobal(local));
}

void WindowView::closeEvent(QCloseEvent* event) {
  // The game decides: a window without a close handler hides itself through the model.
  event->ignore();
  if (!window_) return;
  InputRecorder* recorder = platform_.inputRecorder();
  if (recorder) recorder->closeRequested(*window_);
  const RecordedInput done(recorder);
  window_->requestClose();
}

bool WindowView::focusNextPrevChild(bool /*next*/) {
  return false;  // Tab is a key for the game, not focus navigation
}

QMargins WindowView::decoration() const {
  const QRect frame = frameGeometry();
  const QRect inner = geometry();
  return QMargins(inner.left() - frame.left(), inner.top() - frame.top(),
                  frame.right() - inner.right(), frame.bottom() - inner.bottom());
}

void WindowView::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  frameMovedOrResized();
}

void WindowView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  frameMovedOrResized();
}

void WindowView::frameMovedOrResized() {
  if (!window_ || applying_ || !isVisible()) return;
  const WindowMode mode = ModeOf(*window_, platform_.screenSize());
  if (mode == WindowMode::FullScreen) return;
  if (mode == WindowMode::Windowed && sizedByWindowManager()) {
    // Full screen, maximised or tiled: the picture follows the new size; the window's own
    // place and size stay as they were, for when it comes back.
    relayout();
    return;
  }
  // The window manager decorates a window after it is shown, and Qt may learn the frame only
  // when the player first moves the window: the frame stays where it now is (the model takes
  // its place) and only the client area is kept.
  const QMargins deco = mode == WindowMode::Windowed ? decoration() : QMargins();
  const QPoint pos = ModelPosition(frameGeometry().topLeft(), screenSetup());
  // The player resized the window: the picture scales into the new size.
  if (mode == WindowMode::Windowed && window_->resizable() && size() != layout_.geometry.size()) {
    playerSize_ = size();
  }
  if (deco != decoration_) {
    decoration_ = deco;
    {
      Applying guard(applying_);
      window_->move(pos.x(), pos.y());
    }
    applyAll();
    return;
  }
  if (mode == WindowMode::Windowed && size() != layout_.geometry.size()) relayout();
  // The player moved the window: the model follows.
  if (PixelsFromTwips(pos.x()) != PixelsFromTwips(window_->left()) ||
      PixelsFromTwips(pos.y()) != PixelsFromTwips(window_->top())) {
    Applying guard(applying_);
    window_->move(pos.x(), pos.y());
  }
}

void WindowView::relayout() {
  const QSize shown = size();
  layout_ = LayOut(*window_, screenSetup(), menuBarHeight(), decoration_, shown);
  if (!layout_.menuBar.isEmpty()) menuBar_->setGeometry(layout_.menuBar);
  update();
}

void WindowView::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange || !window_ || stateChangeOurs_) return;
  if (ModeOf(*window_, platform_.screenSize()) != WindowMode::Windowed) return;
  // The window manager (its key, its title bar, a tiling desktop) changed full screen.
  const bool full = (windowState() & Qt::WindowFullScreen) != 0;
  if (full != window_->fullScreenShown()) window_->noteFullScreenShown(full);
  if (isVisible()) relayout();
}

bool WindowView::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    if (!window_) return true;
    const QPoint t = clientTwipsAt(help->pos());
    const std::string& tip = window_->targetAt(t.x(), t.y()).toolTip();
    if (tip.empty()) {
      QToolTip::hideText();
      event->ignore();
    } else {
      QToolTip::showText(help->globalPos(), QString::fromStdString(tip), this);
    }
    return true;
  }
  return QWidget::event(event);
}

void WindowView::updatePointer(QPointF widgetPos) {
  if (!window_) return;
  MousePointer pointer;
  if (Element* dragged = window_->dragSource()) {
    pointer = DragPointer(*dragged);
  } else {
    const QPoint t = clientTwipsAt(widgetPos);
    pointer = window_->pointerAt(t.x(), t.y(), QGuiApplication::mouseButtons() != Qt::NoButton);
  }
  if (shownPointer_ && *shownPointer_ == pointer) return;
  shownPointer_ = pointer;
  setCursor(cursors_.cursor(pointer));
}

}  // namespace tw::platform
