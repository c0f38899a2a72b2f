#include "platform/GameClock.h"

namespace tw::platform {

std::int64_t GameClock::at(std::int64_t rawMs) {
  if (!lastRaw_) {
    lastRaw_ = rawMs;
    game_ = rawMs;
    return game_;
  }
  const std::int64_t step = rawMs - *lastRaw_;
  lastRaw_ = rawMs;
  const std::int64_t counted = step < 0 || step > longestStepMs_ ? 0 : step;
  skippedMs_ += step - counted;
  game_ += counted;
  return game_;
}

}  // namespace tw::platform
