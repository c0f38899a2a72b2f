// GameClock: the game's milliseconds, made from a raw monotonic clock that may jump.
//
// The raw clock jumps when the player does not run for a while (the process stopped, a
// virtual machine paused, a main thread held up): the game then resumes where it stopped
// instead of living the lost time in one step, so a fade or a slide in progress goes on
// smoothly rather than leaping to its end, and timers fire once rather than catching up.
// The back end reads the clock at least every second (a heartbeat), so a step longer than
// `longestStepMs` is time the game did not see: it counts for nothing, and the game goes on
// from where it was. The game clock never goes back.
#pragma once

#include <cstdint>
#include <optional>

namespace tw::platform {

class GameClock {
 public:
  explicit GameClock(std::int64_t longestStepMs) : longestStepMs_(longestStepMs) {}

  // The game time at raw time `rawMs`.
  std::int64_t at(std::int64_t rawMs);
  // Raw time the game did not count so far.
  std::int64_t skippedMs() const { return skippedMs_; }

 private:
  std::int64_t longestStepMs_;
  std::optional<std::int64_t> lastRaw_;
  std::int64_t game_ = 0;
  std::int64_t skippedMs_ = 0;
};

}  // namespace tw::platform
