// Real windows of the Qt back end: what showWindow paints, how mouse and keys reach the
// elements (also through the scaled full screen), pointers, drag and drop, windows destroyed
// inside their own events, and modal windows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "platform/Image.h"
#include "platform/Label.h"
#include "platform/MemorySettings.h"
#include "platform/Picture.h"
#include "platform/PictureBox.h"
#include "platform/Window.h"
#include "platform/qt/Bridge.h"
#include "platform/qt/Pointers.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/WindowView.h"

namespace tw::platform {
namespace {

constexpr std::uint32_t kRed = 0x0000FF;    // VB colour numbers: red + 256 green + 65536 blue
constexpr std::uint32_t kBlue = 0xFF0000;
constexpr std::uint32_t kGreen = 0x00FF00;

void Pump(int times = 3) {
  for (int i = 0; i < times; ++i) QApplication::processEvents();
}

void SendMouse(QWidget* w, QEvent::Type type, QPointF pos, Qt::MouseButton button,
               Qt::MouseButtons buttons, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QMouseEvent event(type, pos, w->mapToGlobal(pos), button, buttons, mods);
  QApplication::sendEvent(w, &event);
}

void SendKey(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
             const QString& text = {}) {
  QKeyEvent event(QEvent::KeyPress, key, mods, text);
  QApplication::sendEvent(w, &event);
}

struct ViewFixture : ::testing::Test {
  MemorySettings settings;
  QtPlatform platform{settings};
  std::unique_ptr<Window> window = std::make_unique<Window>("Game");
  PictureBox box{"PictureBox"};
  Image hotspot{"Area"};
  Label label{"Text"};
  std::vector<std::string> log;

  ViewFixture() {
    window->setWindowed(true);
    window->setBackColour(kGreen);
    window->move(0, 0, 3000, 2250);  // 200 x 150 pixels
    window->add(box);
    box.move(300, 300, 1500, 1500);  // (20, 20) 100 x 100
    box.setBackColour(kRed);
    box.add(hotspot);
    hotspot.move(750, 750, 450, 450);  // (50, 50) 30 x 30 in the box
    hotspot.setPicture(Picture::solid(30, 30, kBlue));
    window->add(label);
    label.move(2250, 150, 600, 300);
    label.setCaption("Hi");
    box.onMouseDown = [this](Element&, const MouseEvent& e) { record("box down", e); };
    hotspot.onMouseDown = [this](Element&, const MouseEvent& e) { record("area down", e); };
    hotspot.onMouseUp = [this](Element&, const MouseEvent& e) { record("area up", e); };
    hotspot.onClick = [this](Element&) { log.push_back("area click"); };
    window->onKeyDown = [this](Window&, int code, int shift) {
      log.push_back("key " + std::to_string(code) + " s" + std::to_string(shift));
    };
  }
  void record(const std::string& what, const MouseEvent& e) {
    log.push_back(what + " b" + std::to_string(e.button) + " s" + std::to_string(e.shift) + " " +
                  std::to_string(e.x) + "," + std::to_string(e.y));
  }
  WindowView* show() {
    platform.showWindow(*window);
    Pump();
    return platform.viewFor(*window);
  }
  QPoint contentAt(WindowView* view, QPoint clientPixel) {
    return view->layout().content.topLeft() + view->layout().fit.toTarget(clientPixel);
  }
};

TEST_F(ViewFixture, ShowWindowPaintsTheTreeAtTheClientSize) {
  window->setCaption("My Game ");
  WindowView* view = show();
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->isVisible());
  EXPECT_EQ(view->windowTitle(), "My Game ");
  EXPECT_EQ(view->layout().content.size(), QSize(200, 150));
  const QImage shot = view->grab().toImage();
  const QPoint origin = view->layout().content.topLeft();
  EXPECT_EQ(shot.pixelColor(origin + QPoint(5, 5)), QColor(0, 255, 0));      // window
  EXPECT_EQ(shot.pixelColor(origin + QPoint(25, 25)), QColor(255, 0, 0));    // box
  EXPECT_EQ(shot.pixelColor(origin + QPoint(75, 75)), QColor(0, 0, 255));    // hotspot
  EXPECT_EQ(shot.pixelColor(origin + QPoint(119, 119)), QColor(255, 0, 0));  // box edge
  EXPECT_EQ(shot.pixelColor(origin + QPoint(120, 120)), QColor(0, 255, 0));

  // A change of an element shows without showing the window again.
  box.setBackColour(kBlue);
  Pump();
  EXPECT_EQ(view->grab().toImage().pixelColor(origin + QPoint(25, 25)), QColor(0, 0, 255));

  // Hiding the window in the model hides the widget.
  window->setVisible(false);
  EXPECT_FALSE(view->isVisible());
}

TEST_F(ViewFixture, MouseReachesTheElementUnderThePointerInTwips) {
  WindowView* view = show();
  const QPoint at = contentAt(view, QPoint(20 + 50 + 3, 20 + 50 + 4));
  SendMouse(view, QEvent::MouseButtonPress, at, Qt::RightButton, Qt::RightButton,
            Qt::ShiftModifier | Qt::ControlModifier);
  SendMouse(view, QEvent::MouseButtonRelease, at, Qt::RightButton, Qt::NoButton,
            Qt::ShiftModifier | Qt::ControlModifier);
  SendMouse(view, QEvent::MouseButtonPress, contentAt(view, QPoint(25, 30)), Qt::LeftButton,
            Qt::LeftButton);
  EXPECT_EQ(log, (std::vector<std::string>{"area down b2 s3 45,60", "area up b2 s3 45,60",
                                           "area click", "box down b1 s0 75,150"}));
}

TEST_F(ViewFixture, KeysReachTheWindowAsVirtualKeyCodes) {
  WindowView* view = show();
  SendKey(view, Qt::Key_Escape);
  SendKey(view, Qt::Key_Q, Qt::ShiftModifier, "Q");
  SendKey(view, Qt::Key_F3);
  SendKey(view, Qt::Key_VolumeDown);  // no code: nothing
  EXPECT_EQ(log, (std::vector<std::string>{"key 27 s0", "key 81 s1", "key 114 s0"}));
}

TEST_F(ViewFixture, ScaledFullScreenMapsClicksBackToGamePixels) {
  platform.overrideRealScreen(QRect(0, 0, 1920, 1080));
  ASSERT_TRUE(platform.setDisplaySize(640, 480));
  EXPECT_EQ(platform.screenSize().width, 640);
  window->setWindowed(false);
  window->move(0, 0, 640 * 15, 480 * 15);
  WindowView* view = show();
  ASSERT_EQ(view->layout().mode, WindowMode::FullScreen);
  EXPECT_DOUBLE_EQ(view->layout().fit.factor, 2.25);
  EXPECT_EQ(view->layout().fit.picture, QRect(240, 0, 1440, 1080));
  // Game pixel (73, 74) is drawn at 240 + 73 * 2.25, 74 * 2.25 on the real screen.
  SendMouse(view, QEvent::MouseButtonPress, QPointF(240 + 73 * 2.25 + 1, 74 * 2.25 + 1),
            Qt::LeftButton, Qt::LeftButton);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].substr(0, 15), "area down b1 s0");
  const QPoint twips = view->clientTwipsAt(QPointF(240 + 73 * 2.25 + 1, 74 * 2.25 + 1));
  EXPECT_EQ(twips.x() / 15, 73);
  EXPECT_EQ(twips.y() / 15, 74);
  // Back to the real size: no emulation, factor 1 once the game fills the real screen.
  ASSERT_TRUE(platform.setDisplaySize(1920, 1080));
  EXPECT_FALSE(platform.displayEmulated());
  window->move(0, 0, 1920 * 15, 1080 * 15);
  EXPECT_DOUBLE_EQ(view->layout().fit.factor, 1.0);
  platform.overrideRealScreen(std::nullopt);
}

TEST_F(ViewFixture, InvalidDisplaySizesAreRefused) {
  EXPECT_FALSE(platform.setDisplaySize(0, 480));
  EXPECT_FALSE(platform.setDisplaySize(640, -1));
  EXPECT_FALSE(platform.setDisplaySize(100000, 480));
  EXPECT_FALSE(platform.displayEmulated());
}

TEST_F(ViewFixture, PointersFollowTheElementUnderTheMouse) {
  QImage img(16, 16, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::white);
  auto cursorPicture = PictureAccess::make(img, Point{3, 5});
  hotspot.setPointer(MousePointer{PointerShape::Custom, cursorPicture});
  box.setPointer(MousePointer{PointerShape::Cross, nullptr});
  WindowView* view = show();
  SendMouse(view, QEvent::MouseMove, contentAt(view, QPoint(75, 75)), Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(view->cursor().shape(), Qt::BitmapCursor);
  EXPECT_EQ(view->cursor().hotSpot(), QPoint(3, 5));
  SendMouse(view, QEvent::MouseMove, contentAt(view, QPoint(25, 25)), Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(view->cursor().shape(), Qt::CrossCursor);
  SendMouse(view, QEvent::MouseMove, contentAt(view, QPoint(5, 5)), Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(view->cursor().shape(), Qt::ArrowCursor);

  // The screen-wide pointer overrides every element while it is set.
  platform.setScreenPointer(MousePointer{PointerShape::Hourglass, nullptr});
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
  platform.setScreenPointer(MousePointer{PointerShape::Custom, cursorPicture});
  EXPECT_EQ(QGuiApplication::overrideCursor()->hotSpot(), QPoint(3, 5));
  platform.setScreenPointer(MousePointer{});
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(PointerPictures, HotSpotOfCursorsAndCentreOfOtherPictures) {
  QImage img(32, 20, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::black);
  const QCursor cur = CursorFor({PointerShape::Custom, PictureAccess::make(img, Point{7, 9})});
  EXPECT_EQ(cur.hotSpot(), QPoint(7, 9));
  EXPECT_EQ(cur.pixmap().size(), QSize(32, 20));
  const QCursor icon = CursorFor({PointerShape::Custom, PictureAccess::make(img)});
  EXPECT_EQ(icon.hotSpot(), QPoint(16, 10));
  EXPECT_EQ(CursorFor({PointerShape::Custom, nullptr}).shape(), Qt::ArrowCursor);
  EXPECT_EQ(CursorFor({PointerShape::IBeam, nullptr}).shape(), Qt::IBeamCursor);
}

TEST_F(ViewFixture, DragShowsTheDragPictureAndDropsOnTheElementUnderTheRelease) {
  auto icon = Picture::solid(12, 12, kRed);
  hotspot.setDragIcon(icon);
  hotspot.onMouseDown = [](Element& e, const MouseEvent&) { e.beginDrag(); };
  std::vector<std::string> drops;
  box.onDragDrop = [&](Element&, Element& source, int x, int y) {
    drops.push_back(source.name() + " " + std::to_string(x) + "," + std::to_string(y));
  };
  WindowView* view = show();
  SendMouse(view, QEvent::MouseButtonPress, contentAt(view, QPoint(75, 75)), Qt::LeftButton,
            Qt::LeftButton);
  EXPECT_EQ(view->cursor().shape(), Qt::BitmapCursor);
  EXPECT_EQ(view->cursor().pixmap().size(), QSize(12, 12));
  SendMouse(view, QEvent::MouseMove, contentAt(view, QPoint(30, 40)), Qt::NoButton,
            Qt::LeftButton);
  SendMouse(view, QEvent::MouseButtonRelease, contentAt(view, QPoint(30, 40)), Qt::LeftButton,
            Qt::NoButton);
  EXPECT_EQ(drops, std::vector<std::string>{"Area 150,300"});
  EXPECT_EQ(window->dragSource(), nullptr);
  EXPECT_NE(view->cursor().pixmap().size(), QSize(12, 12));

  // Without a drag icon, the element's own picture is dragged.
  EXPECT_EQ(DragPointer(label).shape, PointerShape::Default);
  hotspot.setDragIcon(nullptr);
  EXPECT_EQ(DragPointer(hotspot).picture, hotspot.picture());
}

TEST_F(ViewFixture, AWindowDestroyedByItsOwnHandlerTakesItsViewAlong) {
  hotspot.onMouseDown = [this](Element&, const MouseEvent&) { window.reset(); };
  WindowView* view = show();
  QPointer<QWidget> widget(view);
  SendMouse(view, QEvent::MouseButtonPress, contentAt(view, QPoint(75, 75)), Qt::LeftButton,
            Qt::LeftButton);
  ASSERT_TRUE(widget);  // still inside its own event: deleted later
  EXPECT_FALSE(widget->isVisible());
  SendMouse(widget, QEvent::MouseButtonRelease, QPointF(10, 10), Qt::LeftButton, Qt::NoButton);
  SendKey(widget, Qt::Key_Escape);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(widget);
}

TEST_F(ViewFixture, CloseButtonAsksTheModel) {
  WindowView* view = show();
  int asked = 0;
  window->onCloseRequest = [&](Window&) { ++asked; };
  view->close();
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(view->isVisible());  // the handler decided to keep it
  window->onCloseRequest = nullptr;
  view->close();
  EXPECT_FALSE(window->visible());
  EXPECT_FALSE(view->isVisible());
}

TEST_F(ViewFixture, RunModalReturnsWhenTheWindowIsHiddenOrDestroyed) {
  QTimer::singleShot(30, [this] { window->setVisible(false); });
  QElapsedTimer clock;
  clock.start();
  platform.runModal(*window);
  EXPECT_FALSE(window->visible());
  EXPECT_GE(clock.elapsed(), 25);

  QTimer::singleShot(20, [this] { window.reset(); });
  platform.runModal(*window);
  EXPECT_EQ(window, nullptr);
}

}  // namespace
}  // namespace tw::platform
