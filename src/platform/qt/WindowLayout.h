// WindowLayout: where a window of the element model goes on the real screen — a pure
// computation, so the rules can be checked without a window manager.
//
// Three kinds of window:
//   Windowed    border and caption (from the window manager) and, below the caption, the
//               menu bar when any top-level item is visible; the client area under it is
//               the window's client area in pixels times its size factor, unless the window
//               on screen has another size (the player resized it, the window manager made
//               it full screen or tiled it): the client area is then scaled into what there
//               is (DisplayFit, with the window's scaling). Its frame extent (border,
//               caption and menu bar) is reported to the model at factor 1.
//   FullScreen  frameless, not windowed, at least as large as the screen the game sees:
//               covers the real screen, and the window's full-screen area (the game's
//               area; without one, the whole client area) is scaled to fill it (DisplayFit),
//               whatever size of screen the game sees. A visible menu bar lies over the top
//               of the picture, so showing the menus neither moves nor rescales the game.
//   Panel       frameless and smaller than the screen (the start-up window): no caption,
//               client area at its own size.
// Positions of the model are twips of the screen the game sees. While a display size is
// emulated, that screen is centred on the real one, so a window centred for the game is
// centred for the player too. A second player running at once sees that screen moved by
// its cascade, so its windows never open exactly over the first one's.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

#include "platform/Platform.h"
#include "platform/qt/DisplayFit.h"

namespace tw::platform {

class Window;

enum class WindowMode { Windowed, FullScreen, Panel };

struct WindowLayout {
  WindowMode mode = WindowMode::Windowed;
  QRect geometry;     // the widget on the real screen, without the window manager's frame
  QRect content;      // where the client area is drawn, in widget coordinates
  DisplayFit fit;     // client pixels -> content pixels
  QRect menuBar;      // in widget coordinates; empty when no menu bar shows
  int frameWidth = 0;   // twips, for Window::setFrameExtent
  int frameHeight = 0;  // twips
};

struct ScreenSetup {
  QRect real;        // the real screen, pixels
  ScreenSize game;   // the screen the game sees (emulated or real)
  QPoint cascade;    // this player's windows are moved by this much (another one runs)
};

WindowMode ModeOf(const Window& window, ScreenSize game);

// The frame extent a window will have, in twips (before its client size is known).
QSize FrameExtentTwips(WindowMode mode, int menuBarHeight, QMargins decoration);

// The layout of a window whose frame extent already is FrameExtentTwips(...). `shown`: the
// size a windowed window has on screen when it is not the one the model asks for.
WindowLayout LayOut(const Window& window, const ScreenSetup& screen, int menuBarHeight,
                    QMargins decoration, std::optional<QSize> shown = std::nullopt);

// A window's frame (decoration included) moved as little as possible so that it lies on the
// screen, as a window manager places a window that grew past an edge; a frame larger than the
// screen keeps its top-left corner on it.
QRect KeepOnScreen(QRect frame, QRect screen);

// A position of the window manager's frame on the real screen, as the model's left and top
// (twips of the screen the game sees).
QPoint ModelPosition(QPoint framePos, const ScreenSetup& screen);

}  // namespace tw::platform
