// Timer schedule: due order, ties, restart on change, re-entrancy and self-destruction.
#include "platform/TimerScheduler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tw::platform {
namespace {

struct SchedulerFixture : ::testing::Test {
  std::int64_t now = 0;
  TimerScheduler timers{[this] { return now; }};
  std::vector<std::string> log;

  TimerId start(const std::string& name, int interval) {
    TimerId id = timers.create([this, name] { log.push_back(name); });
    timers.setInterval(id, interval);
    timers.setEnabled(id, true);
    return id;
  }
  // Moves the clock to each due time in turn, as a back end does.
  void runUntil(std::int64_t end) {
    while (auto due = timers.nextDue()) {
      if (*due > end) break;
      now = std::max(now, *due);
      timers.runDue(now);
    }
    now = end;
  }
};

TEST_F(SchedulerFixture, FiresInDueOrderWithTiesInStartOrder) {
  start("b100", 100);
  start("a50", 50);
  start("c100", 100);
  runUntil(200);
  // At 100 all three are due: a50 was started before c100 but after b100.
  EXPECT_EQ(log,
            (std::vector<std::string>{"a50", "b100", "a50", "c100", "a50", "b100", "a50", "c100"}));
}

TEST_F(SchedulerFixture, OneLateRunFiresEachDueTimerOnceInOrder) {
  start("slow", 30);
  start("fast", 10);
  now = 35;  // a busy back end comes late
  EXPECT_EQ(timers.runDue(now), 2);
  EXPECT_EQ(log, (std::vector<std::string>{"fast", "slow"}));
  // The missed periods are not caught up; the phase is kept.
  EXPECT_EQ(timers.nextDue(), 40);
}

TEST_F(SchedulerFixture, SettingIntervalOrEnabledRestartsTheCountdown) {
  TimerId t = start("t", 100);
  now = 80;
  timers.setInterval(t, 100);  // same value, still a restart
  EXPECT_EQ(timers.dueTime(t), 180);
  now = 150;
  timers.setEnabled(t, true);
  EXPECT_EQ(timers.dueTime(t), 250);
  runUntil(249);
  EXPECT_TRUE(log.empty());
  runUntil(250);
  EXPECT_EQ(log.size(), 1u);
}

TEST_F(SchedulerFixture, IntervalZeroOrDisabledNeverFires) {
  TimerId a = start("a", 10);
  TimerId b = start("b", 10);
  timers.setInterval(a, 0);
  timers.setEnabled(b, false);
  runUntil(1000);
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(timers.nextDue().has_value());
  EXPECT_FALSE(timers.running(a));
  EXPECT_TRUE(timers.enabled(a));
}

TEST_F(SchedulerFixture, OneMillisecondTimerOverTenSeconds) {
  int count = 0;
  TimerId t = timers.create([&] { ++count; });
  timers.setInterval(t, 1);
  timers.setEnabled(t, true);
  runUntil(10000);
  EXPECT_EQ(count, 10000);
}

TEST_F(SchedulerFixture, HandlerIsNotReenteredByNestedEventLoops) {
  int depth = 0, maxDepth = 0, fired = 0, otherFired = 0;
  TimerId t = timers.create();
  timers.setHandler(t, [&] {
    ++fired;
    maxDepth = std::max(maxDepth, ++depth);
    // A wait loop inside the first run: the clock moves on and events are processed.
    for (int i = 0; fired == 1 && i < 50; ++i) {
      ++now;
      timers.runDue(now);
    }
    --depth;
  });
  timers.setInterval(t, 10);
  timers.setEnabled(t, true);
  TimerId other = timers.create([&] { ++otherFired; });
  timers.setInterval(other, 5);
  timers.setEnabled(other, true);
  now = 10;
  timers.runDue(now);
  EXPECT_EQ(maxDepth, 1);
  EXPECT_EQ(fired, 1);
  EXPECT_GE(otherFired, 10);  // other timers go on firing inside the wait
  // After the handler returns the timer is overdue (due at 20): it fires once, not five
  // times, and goes on in its old phase.
  EXPECT_EQ(timers.nextDue(), 20);
  timers.runDue(now);
  EXPECT_EQ(fired, 2);
  EXPECT_EQ(timers.dueTime(t), 70);
}

TEST_F(SchedulerFixture, HandlerMayDestroyItselfAndOthers) {
  TimerId b = 0;
  TimerId a = timers.create();
  timers.setHandler(a, [&] {
    log.push_back("a");
    timers.destroy(a);  // the running handler must survive its own destruction
    timers.destroy(b);
    log.push_back("a-after");
  });
  timers.setInterval(a, 10);
  timers.setEnabled(a, true);
  b = start("b", 10);  // also due at 10, after a
  runUntil(100);
  EXPECT_EQ(log, (std::vector<std::string>{"a", "a-after"}));
  EXPECT_FALSE(timers.exists(a));
  EXPECT_EQ(timers.size(), 0u);
}

TEST_F(SchedulerFixture, HandlerMayStopAndRestartItself) {
  int count = 0;
  TimerId t = timers.create();
  timers.setHandler(t, [&] {
    ++count;
    if (count == 1) {
      timers.setInterval(t, 25);  // restart with a new interval from now
    } else {
      timers.setEnabled(t, false);
    }
  });
  timers.setInterval(t, 10);
  timers.setEnabled(t, true);
  runUntil(1000);
  EXPECT_EQ(count, 2);
  EXPECT_FALSE(timers.nextDue().has_value());
}

TEST_F(SchedulerFixture, TimerStartedByAHandlerWaitsForItsOwnInterval) {
  TimerId later = timers.create([this] { log.push_back("later"); });
  TimerId t = timers.create([&] {
    log.push_back("t");
    timers.setEnabled(t, false);
    timers.setInterval(later, 5);
    timers.setEnabled(later, true);
  });
  timers.setInterval(t, 10);
  timers.setEnabled(t, true);
  now = 100;  // far past both: the new timer must still wait 5 ms from now
  timers.runDue(now);
  EXPECT_EQ(log, (std::vector<std::string>{"t"}));
  EXPECT_EQ(timers.nextDue(), 105);
}

TEST_F(SchedulerFixture, ThrowingHandlerDoesNotWedgeItsTimer) {
  int count = 0;
  TimerId t = timers.create([&] {
    ++count;
    throw std::runtime_error("handler failed");
  });
  timers.setInterval(t, 10);
  timers.setEnabled(t, true);
  now = 10;
  EXPECT_THROW(timers.runDue(now), std::runtime_error);
  now = 20;
  EXPECT_THROW(timers.runDue(now), std::runtime_error);
  EXPECT_EQ(count, 2);
}

}  // namespace
}  // namespace tw::platform
