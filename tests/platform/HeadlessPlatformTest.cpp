// Headless platform: the virtual clock, scripted boxes, the nested-loop input hook, modal
// windows, display sizes and the shell.
#include "platform/headless/HeadlessPlatform.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/Controls.h"
#include "platform/Timer.h"
#include "platform/Window.h"

namespace tw::platform {
namespace {

using Kind = HeadlessPlatform::WaitKind;

TEST(HeadlessClock, TimersFireAtTheirDueTimesAsTheClockAdvances) {
  HeadlessPlatform p;
  std::vector<std::pair<std::string, std::int64_t>> fired;
  Timer frame(p.timers(), "Timer1"), fade(p.timers(), "TimerAudioFade");
  frame.onTimer = [&](Timer& t) { fired.emplace_back(t.name(), p.clockMs()); };
  fade.onTimer = frame.onTimer;
  frame.setInterval(250);
  fade.setInterval(100);
  p.advance(300);
  EXPECT_EQ(fired, (std::vector<std::pair<std::string, std::int64_t>>{{"TimerAudioFade", 100},
                                                                      {"TimerAudioFade", 200},
                                                                      {"Timer1", 250},
                                                                      {"TimerAudioFade", 300}}));
  EXPECT_EQ(p.clockMs(), 300);
  p.advance(0);
  p.advance(-5);  // the clock never goes back
  EXPECT_EQ(p.clockMs(), 300);
}

TEST(HeadlessClock, OneMillisecondTimerOverTenSecondsOfVirtualTime) {
  HeadlessPlatform p;
  Timer t(p.timers());
  int count = 0;
  t.onTimer = [&](Timer&) { ++count; };
  t.setInterval(1);
  p.advance(10000);
  EXPECT_EQ(count, 10000);
  EXPECT_EQ(p.clockMs(), 10000);
}

TEST(HeadlessClock, WaitLoopsEndAndTimersFireInsideThem) {
  HeadlessPlatform p;
  Timer t(p.timers());
  int ticks = 0;
  t.onTimer = [&](Timer&) { ++ticks; };
  t.setInterval(10);
  // The game's "let events run until one second has passed" loop.
  const std::int64_t start = p.clockMs();
  int passes = 0;
  while (p.clockMs() - start < 1000) {
    p.processEvents();
    ++passes;
  }
  EXPECT_EQ(passes, 1000);
  EXPECT_EQ(ticks, 100);
  // Sleeping handles no events: the timer is late, then fires once.
  p.sleepMs(55);
  EXPECT_EQ(ticks, 100);
  p.processEvents();
  EXPECT_EQ(ticks, 101);
}

TEST(HeadlessClock, HandlerWaitingInsideAdvanceKeepsTheClockMonotonic) {
  HeadlessPlatform p;
  Timer slow(p.timers()), fast(p.timers());
  std::vector<std::int64_t> slowAt, fastAt;
  slow.onTimer = [&](Timer&) {
    slowAt.push_back(p.clockMs());
    for (int i = 0; i < 30; ++i) p.processEvents();  // a transition inside a timer
  };
  fast.onTimer = [&](Timer&) { fastAt.push_back(p.clockMs()); };
  slow.setInterval(100);
  fast.setInterval(20);
  p.advance(200);
  EXPECT_TRUE(std::is_sorted(fastAt.begin(), fastAt.end()));
  EXPECT_EQ(slowAt, (std::vector<std::int64_t>{100, 200}));
  EXPECT_EQ(p.clockMs(), 230);  // the second wait ran past the target
}

TEST(HeadlessBoxes, DefaultQueuedAndMisfittingAnswersAreRecorded) {
  HeadlessPlatform p;
  MessageBoxRequest quitBox{"My Game", "Quit?", MsgIcon::Question, MsgButtons::YesNo,
                            MsgAnswer::No};
  MessageBoxRequest okBox{"Error", "Broken", MsgIcon::Error, MsgButtons::Ok, std::nullopt};
  EXPECT_EQ(p.messageBox(quitBox), MsgAnswer::No);  // nothing queued: the default
  p.queueAnswer(MsgAnswer::Yes);
  EXPECT_EQ(p.messageBox(quitBox), MsgAnswer::Yes);
  p.queueAnswer(MsgAnswer::Cancel);  // an OK box has no Cancel: closed with its default
  EXPECT_EQ(p.messageBox(okBox), MsgAnswer::Ok);
  EXPECT_EQ(p.queuedAnswers(), 0u);
  ASSERT_EQ(p.boxes().size(), 3u);
  EXPECT_EQ(p.boxes()[1].answer, MsgAnswer::Yes);
  EXPECT_EQ(p.boxes()[2].title, "Error");
  EXPECT_EQ(p.boxes()[2].icon, MsgIcon::Error);
}

TEST(HeadlessBoxes, InputBoxesTakeQueuedTextCancelOrDefault) {
  HeadlessPlatform p;
  InputBoxRequest ask{"Name?", "Save", "Slot 1"};
  EXPECT_EQ(p.inputBox(ask), "Slot 1");
  p.queueInput("My save");
  p.queueInput(std::nullopt);
  EXPECT_EQ(p.inputBox(ask), "My save");
  EXPECT_EQ(p.inputBox(ask), std::nullopt);
  ASSERT_EQ(p.inputBoxes().size(), 3u);
  EXPECT_EQ(p.inputBoxes()[2].answer, std::nullopt);
}

TEST(HeadlessHook, InputReachesThePlayerInsideNestedLoops) {
  HeadlessPlatform p;
  std::vector<std::pair<Kind, int>> waits;
  bool stopMovie = false;
  int delivered = 0;
  p.setInputHook([&](const HeadlessPlatform::Wait& w) {
    waits.emplace_back(w.kind, w.depth);
    if (w.kind == Kind::ProcessEvents && p.clockMs() == 40 && delivered++ == 0) {
      stopMovie = true;  // a click during a video wait
      return true;
    }
    if (w.kind == Kind::MessageBox) {
      EXPECT_EQ(w.box->text, "Sure?");
      p.queueAnswer(MsgAnswer::No);  // the replay's "answer no"
      return true;
    }
    return false;
  });
  while (!stopMovie) p.processEvents();  // the video wait
  EXPECT_EQ(p.clockMs(), 40);
  EXPECT_EQ(p.messageBox({"t", "Sure?", MsgIcon::Question, MsgButtons::YesNo, std::nullopt}),
            MsgAnswer::No);
  EXPECT_EQ(waits.back(), std::make_pair(Kind::MessageBox, 1));
  // A queued answer needs no hook.
  waits.clear();
  p.queueAnswer(MsgAnswer::Ok);
  p.messageBox({"t", "x", MsgIcon::None, MsgButtons::Ok, std::nullopt});
  EXPECT_TRUE(waits.empty());
}

TEST(HeadlessModal, HookDrivesTheModalWindowUntilItHides) {
  HeadlessPlatform p;
  Window load{"frmLoadGame"};
  Button cancel{"Command1"};
  load.add(cancel);
  cancel.move(0, 0, 1200, 400);
  cancel.setVisible(true);
  bool cancelled = false;
  cancel.onClick = [&](Element&) {
    cancelled = true;
    load.setVisible(false);
  };
  int depthSeen = 0;
  p.setInputHook([&](const HeadlessPlatform::Wait& w) {
    if (w.kind != Kind::ModalWindow) return false;
    depthSeen = w.depth;
    w.window->dispatchMouseDown(kLeftButton, 0, 100, 100);
    w.window->dispatchMouseUp(kLeftButton, 0, 100, 100);
    return true;
  });
  p.runModal(load);
  EXPECT_TRUE(cancelled);
  EXPECT_FALSE(load.visible());
  EXPECT_EQ(depthSeen, 1);
  EXPECT_EQ(p.nestingDepth(), 0);
}

TEST(HeadlessModal, WindowWithoutInputIsClosedAndMayBeDestroyedInside) {
  HeadlessPlatform p;
  Window save{"frmSaveGame"};
  int closeRequests = 0;
  save.onCloseRequest = [&](Window& w) {
    ++closeRequests;
    w.setVisible(false);
  };
  p.runModal(save);  // no hook: closed as by its close button
  EXPECT_EQ(closeRequests, 1);

  auto doomed = std::make_unique<Window>("frmLoadGame");
  p.setInputHook([&](const HeadlessPlatform::Wait& w) {
    if (w.kind == Kind::ModalWindow) doomed.reset();  // a successful load destroys it
    return true;
  });
  p.runModal(*doomed);
  EXPECT_EQ(doomed, nullptr);
  EXPECT_TRUE(p.shownWindows().size() == 1 && p.shownWindows()[0] == &save);
}

TEST(HeadlessScreen, DisplaySizesFontHeightAndPointer) {
  HeadlessPlatform p;
  EXPECT_EQ(p.screenSize().width, 1024);
  EXPECT_EQ(p.screenSize().height, 768);
  EXPECT_EQ(p.desktopFontHeight(), 16);
  p.setSupportedSizes({{640, 480}, {1024, 768}});
  EXPECT_FALSE(p.setDisplaySize(800, 600));
  EXPECT_EQ(p.screenSize().width, 1024);
  EXPECT_TRUE(p.setDisplaySize(640, 480));
  EXPECT_EQ(p.screenSize().height, 480);
  EXPECT_FALSE(p.setDisplaySize(0, 480));
  EXPECT_EQ(p.displayChanges(), 1);
  p.setDesktopFontHeight(17);
  EXPECT_EQ(p.desktopFontHeight(), 17);
  p.setScreenPointer({PointerShape::Arrow, nullptr});
  EXPECT_EQ(p.screenPointer().shape, PointerShape::Arrow);
}

// Polls a real program; the loop waits on the program, never on the clock.
int RunToEnd(HeadlessPlatform& p, const std::string& command) {
  auto program = p.startProgram(command);
  EXPECT_NE(program, nullptr);
  if (!program) return -1;
  for (int i = 0; i < 100000 && !program->finished(); ++i) {
    p.sleepMs(100);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_TRUE(program->finished());
  return program->exitCode();
}

TEST(HeadlessShell, ProgramsReallyRunAndReportTheirExitCode) {
  HeadlessPlatform p;
  EXPECT_EQ(RunToEnd(p, "exit 3"), 3);
  EXPECT_EQ(RunToEnd(p, "true"), 0);
  EXPECT_EQ(RunToEnd(p, "no-such-program-talewick-test 2>/dev/null"), 127);
  EXPECT_EQ(RunToEnd(p, "kill -TERM $$"), 128 + 15);
}

TEST(HeadlessShell, OpenIsRecordedAndQuitIsAFlag) {
  HeadlessPlatform p;
  EXPECT_TRUE(p.shellOpen("mailto:author@example.org"));
  p.setShellOpenResult(false);
  EXPECT_FALSE(p.shellOpen("https://example.org"));
  EXPECT_EQ(p.openedTargets(),
            (std::vector<std::string>{"mailto:author@example.org", "https://example.org"}));
  EXPECT_FALSE(p.quitRequested());
  p.quit();
  EXPECT_TRUE(p.quitRequested());
}

TEST(HeadlessSettings, OwnMemoryStoreOrAGivenOne) {
  MemorySettings shared;
  shared.save("Game", "DisableEffects", "True");
  HeadlessPlatform withShared(shared);
  EXPECT_EQ(withShared.settings().get("Game", "DisableEffects", "False"), "True");
  HeadlessPlatform own;
  EXPECT_EQ(own.settings().get("Game", "DisableEffects", "False"), "False");
}

}  // namespace
}  // namespace tw::platform
