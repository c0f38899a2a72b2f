// WindowLayout: geometry of windowed, full-screen and panel windows.
#include "platform/qt/WindowLayout.h"

#include "platform/Units.h"
#include "platform/Window.h"

namespace tw::platform {

namespace {

// Where the game's screen starts on the real one.
QPoint GameOrigin(const ScreenSetup& screen) {
  QPoint origin = screen.real.topLeft() + screen.cascade;
  if (screen.game.width > 0 && screen.game.height > 0) {
    origin += QPoint((screen.real.width() - screen.game.width) / 2,
                     (screen.real.height() - screen.game.height) / 2);
  }
  return origin;
}

}  // namespace

WindowMode ModeOf(const Window& window, ScreenSize game) {
  if (window.windowed()) return WindowMode::Windowed;
  if (window.width() >= TwipsFromPixels(game.width) &&
      window.height() >= TwipsFromPixels(game.height)) {
    return WindowMode::FullScreen;
  }
  return WindowMode::Panel;
}

QSize FrameExtentTwips(WindowMode mode, int menuBarHeight, QMargins decoration) {
  if (mode != WindowMode::Windowed) return QSize(0, 0);
  return QSize(TwipsFromPixels(decoration.left() + decoration.right()),
               TwipsFromPixels(decoration.top() + decoration.bottom() + menuBarHeight));
}

WindowLayout LayOut(const Window& window, const ScreenSetup& screen, int menuBarHeight,
                    QMargins decoration, std::optional<QSize> shown) {
  WindowLayout out;
  out.mode = ModeOf(window, screen.game);
  const QSize extent = FrameExtentTwips(out.mode, menuBarHeight, decoration);
  out.frameWidth = extent.width();
  out.frameHeight = extent.height();
  const QSize client(PixelsFromTwips(window.scaleWidth()), PixelsFromTwips(window.scaleHeight()));
  const QPoint framePos = GameOrigin(screen) +
                          QPoint(PixelsFromTwips(window.left()), PixelsFromTwips(window.top()));
  switch (out.mode) {
    case WindowMode::Windowed: {
      const int factor = window.sizeFactor();
      QSize size = shown.value_or(
          QSize(client.width() * factor, client.height() * factor + menuBarHeight));
      size = size.expandedTo(QSize(1, menuBarHeight + 1));
      out.geometry = QRect(framePos + QPoint(decoration.left(), decoration.top()), size);
      out.content = QRect(0, menuBarHeight, size.width(), size.height() - menuBarHeight);
      out.fit = FitPicture(client, out.content.size(), window.scaling());
      if (menuBarHeight > 0) out.menuBar = QRect(0, 0, size.width(), menuBarHeight);
      break;
    }
    case WindowMode::FullScreen: {
      out.geometry = screen.real;
      out.content = QRect(QPoint(0, 0), screen.real.size());
      const Rect& area = window.fullScreenArea();
      out.fit = FitPart(client,
                        QRect(PixelsFromTwips(area.left), PixelsFromTwips(area.top),
                              PixelsFromTwips(area.width), PixelsFromTwips(area.height)),
                        screen.real.size(), window.scaling());
      if (menuBarHeight > 0) out.menuBar = QRect(0, 0, screen.real.width(), menuBarHeight);
      break;
    }
    case WindowMode::Panel: {
      out.geometry = QRect(framePos, client);
      out.content = QRect(QPoint(0, 0), client);
      out.fit.picture = QRect(QPoint(0, 0), client);
      if (menuBarHeight > 0) out.menuBar = QRect(0, 0, client.width(), menuBarHeight);
      break;
    }
  }
  return out;
}

QRect KeepOnScreen(QRect frame, QRect screen) {
  if (screen.isEmpty()) return frame;
  // Far edges first, then near ones: a frame larger than the screen shows its top-left
  // corner, where the caption and the menu bar are.
  if (frame.right() > screen.right()) frame.moveRight(screen.right());
  if (frame.bottom() > screen.bottom()) frame.moveBottom(screen.bottom());
  if (frame.left() < screen.left()) frame.moveLeft(screen.left());
  if (frame.top() < screen.top()) frame.moveTop(screen.top());
  return frame;
}

QPoint ModelPosition(QPoint framePos, const ScreenSetup& screen) {
  const QPoint p = framePos - GameOrigin(screen);
  return QPoint(TwipsFromPixels(p.x()), TwipsFromPixels(p.y()));
}

}  // namespace tw::platform
