// The game clock over a raw clock that jumps (the process stopped, a paused virtual machine):
// timers fire once, a fade in progress goes on from where it was.
#include "platform/GameClock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/TimerScheduler.h"

namespace tw::platform {
namespace {

struct JumpCase {
  std::string name;
  std::vector<std::int64_t> raw;  // readings of the raw clock, in order
  std::int64_t gameAtEnd;
  int firings;       // of a 100 ms timer started at the first reading
  double fadeAtEnd;  // a 1 s fade started at the first reading
};

TEST(GameClockTest, JumpsOfTheRawClock) {
  const std::int64_t hour = 3600000;
  const std::vector<JumpCase> cases = {
      {"frames of 20 ms", {0, 20, 40, 60, 80, 100, 120}, 120, 1, 0.12},
      {"heartbeats of an idle game", {0, 1000, 2000, 3000}, 3000, 3, 1.0},
      {"a busy main thread for 1.5 s counts", {0, 1500}, 1500, 1, 1.0},
      {"stopped for an hour mid-fade", {0, 300, 300 + hour, 316 + hour}, 316, 1, 0.316},
      {"stopped twice", {0, 50, 50 + hour, 90 + hour, 90 + 2 * hour, 130 + 2 * hour}, 130, 1, 0.13},
      {"the raw clock going back", {0, 500, 400, 450}, 550, 1, 0.55},
  };
  for (const JumpCase& c : cases) {
    SCOPED_TRACE(c.name);
    GameClock clock(5000);
    std::int64_t now = clock.at(c.raw.front());
    const std::int64_t start = now;
    TimerScheduler timers([&now] { return now; });
    int fired = 0;
    const TimerId timer = timers.create([&fired] { ++fired; });
    timers.setInterval(timer, 100);
    timers.setEnabled(timer, true);
    std::int64_t previous = now;
    for (std::size_t i = 1; i < c.raw.size(); ++i) {
      now = clock.at(c.raw[i]);
      EXPECT_GE(now, previous);
      previous = now;
      timers.runDue(now);
    }
    EXPECT_EQ(now, c.gameAtEnd);
    EXPECT_EQ(fired, c.firings);
    EXPECT_DOUBLE_EQ(std::min(1.0, double(now - start) / 1000.0), c.fadeAtEnd);
  }
}

}  // namespace
}  // namespace tw::platform
