// Pure mappings of the Qt back end: keys, buttons and shift state; the scaled full-screen fit
// and its mapping of pointer positions back to twips; window layout and frame extents; shell
// addresses.
#include <gtest/gtest.h>

#include <QUrl>
#include <QDir>

#include "platform/Units.h"
#include "platform/Window.h"
#include "common/TempDir.h"
#include "platform/qt/DisplayFit.h"
#include "platform/qt/InstanceSlot.h"
#include "platform/qt/InputMapping.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/WindowLayout.h"

namespace tw::platform {
namespace {

TEST(KeyMapping, VirtualKeyCodesOfTheKeysTheGameUses) {
  struct Case {
    int key;
    Qt::KeyboardModifiers mods;
    int code;
  };
  const Case cases[] = {
      {Qt::Key_Escape, Qt::NoModifier, 27},    {Qt::Key_Return, Qt::NoModifier, 13},
      {Qt::Key_Enter, Qt::KeypadModifier, 13}, {Qt::Key_Space, Qt::NoModifier, 32},
      {Qt::Key_A, Qt::NoModifier, 65},         {Qt::Key_S, Qt::ShiftModifier, 83},
      {Qt::Key_Q, Qt::NoModifier, 81},         {Qt::Key_Z, Qt::NoModifier, 90},
      {Qt::Key_0, Qt::NoModifier, 48},         {Qt::Key_9, Qt::NoModifier, 57},
      {Qt::Key_F1, Qt::NoModifier, 112},       {Qt::Key_F12, Qt::NoModifier, 123},
      {Qt::Key_Left, Qt::NoModifier, 37},      {Qt::Key_Up, Qt::NoModifier, 38},
      {Qt::Key_Right, Qt::NoModifier, 39},     {Qt::Key_Down, Qt::NoModifier, 40},
      {Qt::Key_Backspace, Qt::NoModifier, 8},  {Qt::Key_Tab, Qt::NoModifier, 9},
      {Qt::Key_Delete, Qt::NoModifier, 46},    {Qt::Key_Home, Qt::NoModifier, 36},
      {Qt::Key_Shift, Qt::ShiftModifier, 16},  {Qt::Key_Control, Qt::ControlModifier, 17},
      // Keypad digits and operators are keys of their own.
      {Qt::Key_5, Qt::KeypadModifier, 101},    {Qt::Key_Plus, Qt::KeypadModifier, 107},
      // Shifted digits and punctuation name their key, not the character.
      {Qt::Key_Exclam, Qt::ShiftModifier, 49}, {Qt::Key_ParenRight, Qt::ShiftModifier, 48},
      {Qt::Key_Plus, Qt::ShiftModifier, 187},  {Qt::Key_Comma, Qt::NoModifier, 188},
      {Qt::Key_Question, Qt::ShiftModifier, 191},
      // No code: not passed on.
      {Qt::Key_VolumeUp, Qt::NoModifier, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VirtualKeyFromQt(c.key, c.mods), c.code) << "Qt key 0x" << std::hex << c.key;
  }
}

TEST(KeyMapping, ButtonsAndShiftState) {
  EXPECT_EQ(ButtonFromQt(Qt::LeftButton), 1);
  EXPECT_EQ(ButtonFromQt(Qt::RightButton), 2);
  EXPECT_EQ(ButtonFromQt(Qt::MiddleButton), 4);
  EXPECT_EQ(ButtonFromQt(Qt::BackButton), 0);
  EXPECT_EQ(ButtonsFromQt(Qt::LeftButton | Qt::RightButton), 3);
  EXPECT_EQ(ButtonsFromQt(Qt::MiddleButton | Qt::BackButton), 4);
  EXPECT_EQ(ShiftFromQt(Qt::ShiftModifier), 1);
  EXPECT_EQ(ShiftFromQt(Qt::ControlModifier | Qt::AltModifier), 6);
  EXPECT_EQ(ShiftFromQt(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier |
                        Qt::KeypadModifier),
            7);
}

TEST(DisplayFitTest, FactorOffsetsAndSampling) {
  struct Case {
    QSize client, screen;
    double factor;
    QRect picture;
    bool sharp;
  };
  const Case cases[] = {
      {{640, 480}, {1920, 1080}, 2.25, {240, 0, 1440, 1080}, false},
      {{640, 480}, {1280, 960}, 2.0, {0, 0, 1280, 960}, true},
      {{640, 480}, {1920, 1200}, 2.5, {160, 0, 1600, 1200}, false},
      {{800, 600}, {1920, 1080}, 1.8, {240, 0, 1440, 1080}, false},
      {{1024, 768}, {1024, 768}, 1.0, {0, 0, 1024, 768}, true},
      {{640, 480}, {2560, 1440}, 3.0, {320, 0, 1920, 1440}, true},
      // Wider than tall screens are not the only ones: a portrait screen gets bars above.
      {{640, 480}, {1080, 1920}, 1.6875, {0, 555, 1080, 810}, false},
  };
  for (const Case& c : cases) {
    const DisplayFit fit = FitToScreen(c.client, c.screen);
    EXPECT_DOUBLE_EQ(fit.factor, c.factor);
    EXPECT_EQ(fit.picture, c.picture) << c.screen.width() << "x" << c.screen.height();
    EXPECT_EQ(fit.sharp(), c.sharp);
  }
}

TEST(DisplayFitTest, PointerPositionsMapBackToGamePixels) {
  const DisplayFit fit = FitToScreen({640, 480}, {1920, 1080});
  EXPECT_EQ(fit.toClientTwips(QPointF(240, 0)), QPoint(0, 0));
  EXPECT_EQ(fit.toClientTwips(QPointF(240 + 2.25, 2.25)), QPoint(15, 15));
  // The last real pixel lies in the last game pixel.
  const QPoint last = fit.toClientTwips(QPointF(1679, 1079));
  EXPECT_EQ(PixelsFromTwips(last.x()), 639);
  EXPECT_EQ(PixelsFromTwips(last.y()), 479);
  // In the black bar left of the picture: outside the client area.
  EXPECT_LT(fit.toClientTwips(QPointF(100, 500)).x(), 0);
  EXPECT_GE(PixelsFromTwips(fit.toClientTwips(QPointF(1800, 500)).x()), 640);
  // Every game pixel drawn on the screen maps back to itself.
  for (int y = 0; y < 480; y += 7) {
    for (int x = 0; x < 640; x += 5) {
      const QPoint twips = fit.toClientTwips(fit.toTarget(QPoint(x, y)));
      ASSERT_EQ(PixelsFromTwips(twips.x()), x) << x << "," << y;
      ASSERT_EQ(PixelsFromTwips(twips.y()), y) << x << "," << y;
    }
  }
}

TEST(DisplayFitTest, EmptySizesGiveTheIdentity) {
  const DisplayFit fit = FitToScreen({0, 0}, {1920, 1080});
  EXPECT_DOUBLE_EQ(fit.factor, 1.0);
  EXPECT_EQ(fit.toClientTwips(QPointF(10, 10)), QPoint(150, 150));
}

struct LayoutTest : ::testing::Test {
  Window window{"Game"};
};

TEST_F(LayoutTest, WindowedReportsBorderCaptionAndMenuBarAndKeepsTheClientArea) {
  window.setWindowed(true);
  const QMargins deco(4, 30, 4, 4);
  const QSize extent = FrameExtentTwips(WindowMode::Windowed, 20, deco);
  EXPECT_EQ(extent, QSize(8 * 15, 54 * 15));
  window.setFrameExtent(extent.width(), extent.height());
  window.move(1500, 750, 9600 + extent.width(), 7200 + extent.height());
  const WindowLayout l = LayOut(window, ScreenSetup{QRect(0, 0, 1024, 768), {1024, 768}}, 20, deco);
  EXPECT_EQ(l.mode, WindowMode::Windowed);
  EXPECT_EQ(l.geometry, QRect(100 + 4, 50 + 30, 640, 480 + 20));
  EXPECT_EQ(l.content, QRect(0, 20, 640, 480));
  EXPECT_EQ(l.menuBar, QRect(0, 0, 640, 20));
  EXPECT_DOUBLE_EQ(l.fit.factor, 1.0);
}

// A windowed game at twice its size, then resized by the player or the window manager: the
// picture fills what lies below the menu bar, centred, by the chosen scaling.
TEST_F(LayoutTest, WindowedGameScalesIntoTheSizeItIsGiven) {
  window.setWindowed(true);
  window.setFrameExtent(0, 20 * 15);
  window.move(0, 0, 9600, 7200 + 20 * 15);
  const ScreenSetup screen{QRect(0, 0, 1920, 1080), {1920, 1080}};
  window.setSizeFactor(2);
  WindowLayout l = LayOut(window, screen, 20, QMargins());
  EXPECT_EQ(l.geometry.size(), QSize(1280, 980));
  EXPECT_EQ(l.content, QRect(0, 20, 1280, 960));
  EXPECT_DOUBLE_EQ(l.fit.factor, 2.0);
  EXPECT_TRUE(l.fit.sharp());
  // Full screen: 1920 x 1060 below the menu bar; the height decides.
  l = LayOut(window, screen, 20, QMargins(), QSize(1920, 1080));
  EXPECT_EQ(l.menuBar, QRect(0, 0, 1920, 20));
  EXPECT_NEAR(l.fit.factor, 1060.0 / 480, 1e-9);
  EXPECT_FALSE(l.fit.sharp());
  EXPECT_EQ(l.fit.picture.height(), 1060);
  EXPECT_EQ(l.fit.picture.left(), (1920 - l.fit.picture.width()) / 2);
  // A click on the scaled picture lands on the game pixel drawn under it.
  EXPECT_EQ(l.fit.toClientTwips(QPointF(l.fit.picture.left(), 0) + QPointF(0, 0)), QPoint(0, 0));
  window.setScaling(PictureScaling::Sharp);
  l = LayOut(window, screen, 20, QMargins(), QSize(1920, 1080));
  EXPECT_DOUBLE_EQ(l.fit.factor, 2.0);
  EXPECT_EQ(l.fit.picture, QRect(320, 50, 1280, 960));
  EXPECT_TRUE(l.fit.sharp());
  window.setScaling(PictureScaling::Smooth);
  l = LayOut(window, screen, 20, QMargins(), QSize(1280, 1000));
  EXPECT_DOUBLE_EQ(l.fit.factor, 2.0);
  EXPECT_FALSE(l.fit.sharp());  // smoothed even at a whole factor
  // Smaller than the game: scaled down, whatever the scaling.
  window.setScaling(PictureScaling::Sharp);
  l = LayOut(window, screen, 20, QMargins(), QSize(320, 260));
  EXPECT_DOUBLE_EQ(l.fit.factor, 0.5);
  EXPECT_EQ(l.fit.picture, QRect(0, 0, 320, 240));
}

TEST_F(LayoutTest, FullScreenGameOnALargerScreenIsScaledAndTheMenuLiesOverIt) {
  window.setWindowed(false);
  window.move(0, 0, 640 * 15, 480 * 15);  // the screen the game sees
  const ScreenSetup screen{QRect(0, 0, 1920, 1080), {640, 480}};
  EXPECT_EQ(FrameExtentTwips(WindowMode::FullScreen, 22, QMargins(4, 30, 4, 4)), QSize(0, 0));
  const WindowLayout l = LayOut(window, screen, 22, QMargins());
  EXPECT_EQ(l.mode, WindowMode::FullScreen);
  EXPECT_EQ(l.geometry, QRect(0, 0, 1920, 1080));
  EXPECT_DOUBLE_EQ(l.fit.factor, 2.25);
  EXPECT_EQ(l.fit.picture, QRect(240, 0, 1440, 1080));
  EXPECT_EQ(l.menuBar, QRect(0, 0, 1920, 22));
  EXPECT_EQ(l.content.topLeft(), QPoint(0, 0));
}

// A game made for full screen: its window is as large as the screen the game sees, the game
// area centred in it. What fills the real screen is the game area, by the chosen scaling,
// whether the game sees the real screen or an emulated one; clicks map back onto it.
TEST_F(LayoutTest, FullScreenFillsTheRealScreenWithTheGameArea) {
  struct Case {
    QSize real, game;
    QRect area;  // pixels of the client area; empty: none set
    PictureScaling scaling;
    double factor;
    QRect shown;  // where the game area's visible part lands on the real screen
  };
  constexpr PictureScaling kAspect = PictureScaling::Aspect;
  constexpr PictureScaling kSharp = PictureScaling::Sharp;
  const Case cases[] = {
      // The real screen, as the game sees it.
      {{1280, 1024}, {1280, 1024}, {320, 272, 640, 480}, kAspect, 2.0, {0, 32, 1280, 960}},
      {{1280, 1024}, {1280, 1024}, {320, 272, 640, 480}, kSharp, 2.0, {0, 32, 1280, 960}},
      {{1920, 1080}, {1920, 1080}, {640, 300, 640, 480}, kAspect, 2.25, {240, 0, 1440, 1080}},
      {{1920, 1080}, {1920, 1080}, {640, 300, 640, 480}, kSharp, 2.0, {320, 60, 1280, 960}},
      // 800 x 600 and 640 x 480 emulated.
      {{1280, 1024}, {800, 600}, {80, 60, 640, 480}, kAspect, 2.0, {0, 32, 1280, 960}},
      {{1280, 1024}, {640, 480}, {0, 0, 640, 480}, kSharp, 2.0, {0, 32, 1280, 960}},
      // A game area larger than the screen the game sees: its visible part fills the screen.
      {{1280, 1024}, {800, 600}, {-112, 0, 1024, 768}, kAspect, 1.6, {0, 32, 1280, 960}},
      // No area set: the whole client area.
      {{1920, 1080}, {1280, 1024}, {}, kAspect, 1080.0 / 1024, {285, 0, 1350, 1080}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.real.width() << " " << c.game.width() << " "
                                    << c.area.left() << " " << static_cast<int>(c.scaling));
    window.setWindowed(false);
    window.move(0, 0, c.game.width() * 15, c.game.height() * 15);
    window.setScaling(c.scaling);
    window.setFullScreenArea(
        Rect{c.area.left() * 15, c.area.top() * 15, c.area.width() * 15, c.area.height() * 15});
    const ScreenSetup screen{QRect(QPoint(0, 0), c.real), {c.game.width(), c.game.height()}};
    const WindowLayout l = LayOut(window, screen, 0, QMargins());
    ASSERT_EQ(l.mode, WindowMode::FullScreen);
    EXPECT_EQ(l.geometry, QRect(QPoint(0, 0), c.real));
    EXPECT_NEAR(l.fit.factor, c.factor, 1e-9);
    const QRect visible = (c.area.isEmpty() ? QRect(QPoint(0, 0), c.game) : c.area)
                              .intersected(QRect(QPoint(0, 0), c.game));
    EXPECT_EQ(l.fit.toTarget(visible.topLeft()), c.shown.topLeft());
    // The corners of the filled screen part are the corner pixels of the game area.
    const QPoint first = l.fit.toClientTwips(QPointF(c.shown.topLeft()));
    const QPoint last = l.fit.toClientTwips(QPointF(c.shown.bottomRight()));
    EXPECT_EQ(QPoint(PixelsFromTwips(first.x()), PixelsFromTwips(first.y())), visible.topLeft());
    EXPECT_EQ(QPoint(PixelsFromTwips(last.x()), PixelsFromTwips(last.y())), visible.bottomRight());
  }
}

// A window that grew past an edge is moved back onto the screen, as little as needed.
TEST(KeepOnScreenTest, MovesAFrameOntoTheScreen) {
  struct Case {
    QRect screen, frame, kept;
  };
  const Case cases[] = {
      {{0, 0, 1280, 1024}, {320, 262, 640, 499}, {320, 262, 640, 499}},  // fits: stays
      {{0, 0, 1280, 1024}, {320, 272, 1280, 979}, {0, 45, 1280, 979}},   // x2
      {{0, 0, 1280, 1024}, {320, 272, 1920, 1459}, {0, 0, 1920, 1459}},  // x3: corner shows
      {{0, 0, 1280, 1024}, {-100, -50, 640, 480}, {0, 0, 640, 480}},
      {{1280, 0, 1920, 1080}, {3000, 100, 400, 300}, {2800, 100, 400, 300}},  // second monitor
  };
  for (const Case& c : cases) EXPECT_EQ(KeepOnScreen(c.frame, c.screen), c.kept) << c.frame.x();
}

TEST_F(LayoutTest, PanelIsCentredOnTheRealScreenWhileASmallerOneIsEmulated) {
  window.setWindowed(false);
  // The start-up window, centred on a 640 x 480 screen.
  window.move((9600 - 4800) / 2, (7200 - 4200) / 2, 4800, 4200);
  const ScreenSetup screen{QRect(0, 0, 1920, 1080), {640, 480}};
  const WindowLayout l = LayOut(window, screen, 0, QMargins());
  EXPECT_EQ(l.mode, WindowMode::Panel);
  // Centre of the panel = centre of the real screen.
  EXPECT_EQ(l.geometry.center(), QRect(0, 0, 1920, 1080).center());
  EXPECT_EQ(l.geometry.size(), QSize(320, 280));
  EXPECT_EQ(ModelPosition(l.geometry.topLeft(), screen), QPoint(window.left(), window.top()));
}

TEST_F(LayoutTest, FullScreenNeedsTheWholeScreenTheGameSees) {
  window.setWindowed(false);
  window.move(0, 0, 1024 * 15, 767 * 15);
  EXPECT_EQ(ModeOf(window, {1024, 768}), WindowMode::Panel);
  window.setHeight(768 * 15);
  EXPECT_EQ(ModeOf(window, {1024, 768}), WindowMode::FullScreen);
  window.setWindowed(true);
  EXPECT_EQ(ModeOf(window, {1024, 768}), WindowMode::Windowed);
}

TEST(ShellTarget, AddressesAndFiles) {
  EXPECT_EQ(ShellTargetUrl("mailto:author@example.org").scheme(), "mailto");
  EXPECT_EQ(ShellTargetUrl("mailto:author@example.org").path(), "author@example.org");
  EXPECT_EQ(ShellTargetUrl("https://example.org/a?b=c").toString(), "https://example.org/a?b=c");
  EXPECT_EQ(ShellTargetUrl("www.example.org").toString(), "http://www.example.org");
  EXPECT_TRUE(ShellTargetUrl("").isEmpty());
  EXPECT_TRUE(ShellTargetUrl("   ").isEmpty());
  const QUrl file = ShellTargetUrl("docs/read me.txt");
  EXPECT_TRUE(file.isLocalFile());
  EXPECT_EQ(file.toLocalFile(), QDir::current().absoluteFilePath("docs/read me.txt"));
  EXPECT_EQ(ShellTargetUrl("/tmp/x.pdf").toLocalFile(), "/tmp/x.pdf");
}

}  // namespace
}  // namespace tw::platform

namespace tw::platform {
namespace {

// Players running at once take the lowest free slot; an ended player's slot is free again.
TEST(InstanceSlotTest, LowestFreeSlotAndFreedOnEnd) {
  test::TempDir dir;
  auto first = std::make_unique<InstanceSlot>(dir.path());
  InstanceSlot second(dir.path());
  EXPECT_EQ(first->number(), 0);
  EXPECT_EQ(second.number(), 1);
  first.reset();
  InstanceSlot third(dir.path());
  EXPECT_EQ(third.number(), 0);
  InstanceSlot fourth(dir.path());
  EXPECT_EQ(fourth.number(), 2);
  // A folder that cannot be made: every player counts as the first.
  EXPECT_EQ(InstanceSlot("/proc/no/such/folder").number(), 0);
}

// The second player's windows are moved by its cascade, and positions still map back.
TEST(InstanceSlotTest, TheCascadeMovesWindowsAndPositionsMapBack) {
  Window window("Panel");
  window.setWindowed(false);
  window.move(1500, 1500, 4800, 3000);
  const ScreenSetup screen{QRect(0, 0, 1280, 960), {1280, 960}, QPoint(48, 48)};
  const WindowLayout l = LayOut(window, screen, 0, QMargins());
  EXPECT_EQ(l.geometry.topLeft(), QPoint(148, 148));
  EXPECT_EQ(ModelPosition(l.geometry.topLeft(), screen), QPoint(1500, 1500));
}

}  // namespace
}  // namespace tw::platform
