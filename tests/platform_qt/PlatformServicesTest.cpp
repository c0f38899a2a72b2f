// Services of QtPlatform: the timer drive from the event loop (also inside modal boxes),
// processEvents, message boxes and input boxes driven as a player would answer them, the
// clock, quitting, and typing into the simple controls.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QFontMetrics>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <cmath>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/MemorySettings.h"
#include "platform/Timer.h"
#include "platform/Units.h"
#include "platform/Window.h"
#include "platform/qt/ControlInput.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtPlatform.h"

namespace tw::platform {
namespace {

// Runs the event loop for about `ms` milliseconds.
void RunLoopFor(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// Waits (from inside the box's own loop) for the modal widget of type T, then acts on it.
template <class T>
void WhenModal(std::function<void(T&)> act) {
  auto* poll = new QTimer(qApp);  // parented to the application; deletes itself below
  QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
    if (auto* modal = qobject_cast<T*>(QApplication::activeModalWidget())) {
      poll->stop();
      poll->deleteLater();
      act(*modal);
    }
  });
  poll->start(5);
}

void Press(QWidget& w, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(&w, &press);
}

struct PlatformFixture : ::testing::Test {
  MemorySettings settings;
  QtPlatform platform{settings};
};

TEST_F(PlatformFixture, ClockOnlyMovesForward) {
  const auto a = platform.clockMs();
  platform.sleepMs(15);
  const auto b = platform.clockMs();
  EXPECT_GE(b - a, 15);
}

TEST_F(PlatformFixture, TimersFireFromTheEventLoopInOrderAndAboutRight) {
  std::vector<std::string> log;
  Timer fast(platform.timers(), "fast");
  Timer slow(platform.timers(), "slow");
  fast.onTimer = [&](Timer&) { log.push_back("fast"); };
  slow.onTimer = [&](Timer&) { log.push_back("slow"); };
  fast.setInterval(10);
  slow.setInterval(45);
  RunLoopFor(200);
  const auto fastCount = std::count(log.begin(), log.end(), "fast");
  const auto slowCount = std::count(log.begin(), log.end(), "slow");
  // Generous bounds: a loaded machine fires late, never early or in bursts.
  EXPECT_GE(fastCount, 4);
  EXPECT_LE(fastCount, 21);
  EXPECT_GE(slowCount, 1);
  EXPECT_LE(slowCount, 5);
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), "fast");
  // Four fast ones at least before the first slow one (10 ms against 45 ms).
  EXPECT_GE(std::find(log.begin(), log.end(), "slow") - log.begin(), 3);

  // A stopped timer stays quiet.
  fast.setEnabled(false);
  slow.setEnabled(false);
  log.clear();
  RunLoopFor(60);
  EXPECT_TRUE(log.empty());
}

TEST_F(PlatformFixture, ProcessEventsRunsDueTimersAndATimerEnabledLaterStillFires) {
  int fired = 0;
  Timer t(platform.timers());
  t.onTimer = [&](Timer& self) {
    ++fired;
    self.setEnabled(false);
  };
  t.setInterval(5);
  const auto until = platform.clockMs() + 40;
  while (platform.clockMs() < until) platform.processEvents();
  EXPECT_EQ(fired, 1);
  // Re-enabled after the loop was idle: the drive is armed again when the loop next waits.
  t.setEnabled(true);
  RunLoopFor(50);
  EXPECT_EQ(fired, 2);
}

TEST_F(PlatformFixture, TimersRunWhileAMessageBoxIsOpen) {
  int ticks = 0;
  Timer t(platform.timers());
  t.onTimer = [&](Timer&) { ++ticks; };
  t.setInterval(10);
  WhenModal<QMessageBox>([](QMessageBox& box) {
    QTimer::singleShot(80, &box, [&box] { Press(box, Qt::Key_Return); });
  });
  platform.messageBox(MakeBox("T", "text", MsgIcon::Information, MsgButtons::Ok));
  EXPECT_GE(ticks, 2);
}

TEST_F(PlatformFixture, MessageBoxesShowTheRequestAndEnterPressesTheDefault) {
  struct Case {
    MsgButtons buttons;
    std::optional<MsgAnswer> defaultButton;
    int key;
    MsgAnswer expected;
  };
  const Case cases[] = {
      {MsgButtons::Ok, std::nullopt, Qt::Key_Return, MsgAnswer::Ok},
      {MsgButtons::OkCancel, std::nullopt, Qt::Key_Return, MsgAnswer::Ok},
      {MsgButtons::OkCancel, MsgAnswer::Cancel, Qt::Key_Return, MsgAnswer::Cancel},
      {MsgButtons::YesNo, std::nullopt, Qt::Key_Return, MsgAnswer::Yes},
      {MsgButtons::YesNo, MsgAnswer::No, Qt::Key_Return, MsgAnswer::No},
      {MsgButtons::YesNo, std::nullopt, Qt::Key_Escape, MsgAnswer::No},
      {MsgButtons::OkCancel, std::nullopt, Qt::Key_Escape, MsgAnswer::Cancel},
  };
  for (const Case& c : cases) {
    QString seenText, seenTitle;
    QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
    int buttons = 0;
    WhenModal<QMessageBox>([&, key = c.key](QMessageBox& box) {
      seenText = box.text();
      seenTitle = box.windowTitle();
      seenIcon = box.icon();
      buttons = static_cast<int>(box.buttons().size());
      Press(box, key);
    });
    const MsgAnswer answer = platform.messageBox(
        MakeBox("Title", "Line one\r\nLine <b>two</b>", MsgIcon::Question, c.buttons, c.defaultButton));
    EXPECT_EQ(answer, c.expected) << AnswerName(c.expected);
    EXPECT_EQ(seenText, "Line one\nLine <b>two</b>");
    EXPECT_EQ(seenTitle, "Title");
    EXPECT_EQ(seenIcon, QMessageBox::Question);
    EXPECT_EQ(buttons, c.buttons == MsgButtons::Ok ? 1 : 2);
  }
}

TEST(MessageBoxSetup, IconsAndPlainText) {
  const std::pair<MsgIcon, QMessageBox::Icon> icons[] = {
      {MsgIcon::Error, QMessageBox::Critical},   {MsgIcon::Warning, QMessageBox::Warning},
      {MsgIcon::Question, QMessageBox::Question}, {MsgIcon::Information, QMessageBox::Information},
      {MsgIcon::None, QMessageBox::NoIcon}};
  for (const auto& [icon, qt] : icons) {
    QMessageBox box;
    ConfigureMessageBox(box, MakeBox("", "a\rb", icon, MsgButtons::Ok));
    EXPECT_EQ(box.icon(), qt);
    EXPECT_EQ(box.textFormat(), Qt::PlainText);
    EXPECT_EQ(box.text(), "a\nb");
  }
}

// A short message under a long caption: the box is wide enough for the caption in a bold
// title font, so the window manager need not cut it.
TEST(MessageBoxSetup, CaptionFitsTheBox) {
  const QString caption = "The Lighthouse Keeper's Lamp";
  QMessageBox box;
  ConfigureMessageBox(box, MakeBox(caption.toStdString(), "Quit?", MsgIcon::Question,
                                   MsgButtons::YesNo));
  box.show();
  QFont bold = QApplication::font();
  bold.setBold(true);
  EXPECT_GE(box.width(), QFontMetrics(bold).horizontalAdvance(caption) + 60);
}

TEST_F(PlatformFixture, InputBoxGivesTheTextOrNothingWhenCancelled) {
  WhenModal<QInputDialog>([](QInputDialog& dialog) {
    EXPECT_EQ(dialog.labelText(), "Your name?\nPlease");
    EXPECT_EQ(dialog.textValue(), "Ann");
    dialog.setTextValue("Bob");
    dialog.accept();
  });
  EXPECT_EQ(platform.inputBox(InputBoxRequest{"Your name?\r\nPlease", "Save", "Ann"}),
            std::optional<std::string>("Bob"));
  WhenModal<QInputDialog>([](QInputDialog& dialog) { dialog.reject(); });
  EXPECT_EQ(platform.inputBox(InputBoxRequest{"?", "Save", "Ann"}), std::nullopt);
}

TEST_F(PlatformFixture, QuitEndsNestedLoopsAndIsRemembered) {
  EXPECT_FALSE(platform.quitRequested());
  QEventLoop outer;
  bool innerEnded = false;
  QTimer::singleShot(0, [&] {
    QEventLoop inner;
    QTimer::singleShot(10, [&] { platform.quit(); });
    inner.exec();
    innerEnded = true;
  });
  QTimer::singleShot(2000, &outer, &QEventLoop::quit);  // safety net only
  QElapsedTimer clock;
  clock.start();
  outer.exec();
  EXPECT_TRUE(innerEnded);
  EXPECT_LT(clock.elapsed(), 1500);
  EXPECT_TRUE(platform.quitRequested());

  // Qt keeps refusing to run loops until the application's own loop starts again; later
  // tests need loops.
  QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
  QCoreApplication::exec();
}

TEST_F(PlatformFixture, DesktopFontHeightFollowsTheLogicalDpiNotTheScaling) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  ASSERT_NE(screen, nullptr);
  const double dpi = screen->logicalDotsPerInchY();
  EXPECT_EQ(platform.desktopFontHeight(), static_cast<int>(std::lround(16 * dpi / 96)));
  // The offscreen test screen is a plain 96 dpi desktop: no large-fonts warning.
  if (std::abs(dpi - 96) < 0.5) {
    EXPECT_EQ(platform.desktopFontHeight(), 16);
  }
  // Run again under QT_SCALE_FACTOR (CTest does, with 2): the screen really is scaled, and
  // a scaled 96 dpi desktop still reports 16 pixels.
  const QByteArray factor = qgetenv("QT_SCALE_FACTOR");
  if (!factor.isEmpty()) {
    EXPECT_DOUBLE_EQ(screen->devicePixelRatio(), factor.toDouble());
    EXPECT_EQ(platform.desktopFontHeight(), 16);
  }
}

struct ControlsFixture : ::testing::Test {
  Window window{"Save"};
  TextBox name{"txtName"};
  ListBox list{"lstGames"};
  std::vector<std::string> log;
  ControlsFixture() {
    window.move(0, 0, 6000, 6000);
    window.setVisible(true);
    window.add(name);
    name.move(150, 150, 3000, 300);
    window.add(list);
    list.move(150, 600, 3000, 3000);
    for (const char* s : {"one", "two", "three", "four"}) list.addItem(s);
    list.onClick = [this](Element&) { log.push_back("click " + list.text()); };
    list.onDblClick = [this](Element&) { log.push_back("dbl " + list.text()); };
  }
};

TEST_F(ControlsFixture, ListRowsAreFoundAsThePainterDrawsThem) {
  const int row = MeasureText(list.font(), "Ag").height;
  // Inside the 2-pixel edge, row 1 starts at 2 + row pixels.
  EXPECT_EQ(ListRowAt(list, 5 * 15, (2 + row) * 15), 1);
  EXPECT_EQ(ListRowAt(list, 5 * 15, (2 + row) * 15 - 1), 0);
  EXPECT_EQ(ListRowAt(list, 5 * 15, 0), -1);             // on the edge
  EXPECT_EQ(ListRowAt(list, 5 * 15, (2 + 4 * row) * 15), -1);  // below the last entry
  list.setTopIndex(2);
  EXPECT_EQ(ListRowAt(list, 5 * 15, 2 * 15), 2);
  EXPECT_TRUE(PressControl(window, list, 5 * 15, (2 + row) * 15, false));
  EXPECT_TRUE(PressControl(window, list, 5 * 15, (2 + row) * 15, true));
  EXPECT_EQ(log, (std::vector<std::string>{"click four", "click four", "dbl four"}));
  // Below the last entry a press or a double click is the list's, and chooses nothing.
  log.clear();
  EXPECT_TRUE(PressControl(window, list, 5 * 15, (2 + 3 * row) * 15, false));
  EXPECT_TRUE(PressControl(window, list, 5 * 15, (2 + 3 * row) * 15, true));
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(list.text(), "four");
  EXPECT_EQ(window.focus(), &list);
  EXPECT_TRUE(TypeIntoFocus(window, Qt::Key_Up, {}));
  EXPECT_EQ(list.text(), "three");
}

TEST_F(ControlsFixture, TypingGoesToTheFocusedTextBoxWithinItsLimit) {
  EXPECT_FALSE(TypeIntoFocus(window, Qt::Key_A, "a"));  // nothing has the focus
  EXPECT_FALSE(PressControl(window, name, 15, 15, false));
  EXPECT_EQ(window.focus(), &name);
  name.setMaxLength(4);
  TypeIntoFocus(window, Qt::Key_A, "a");
  TypeIntoFocus(window, 0, QString::fromUtf8("\xC3\xA9\xF0\x9F\x98\x80"));  // é and an emoji
  TypeIntoFocus(window, Qt::Key_B, "bc");
  EXPECT_EQ(name.text(), "a\xC3\xA9\xF0\x9F\x98\x80" "b");
  TypeIntoFocus(window, Qt::Key_Backspace, {});
  TypeIntoFocus(window, Qt::Key_Backspace, {});
  EXPECT_EQ(name.text(), "a\xC3\xA9");
  EXPECT_FALSE(TypeIntoFocus(window, Qt::Key_Escape, "\x1b"));
  name.setLocked(true);
  EXPECT_FALSE(TypeIntoFocus(window, Qt::Key_X, "x"));
  EXPECT_EQ(name.text(), "a\xC3\xA9");
}

}  // namespace
}  // namespace tw::platform
