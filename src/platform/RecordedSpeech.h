// RecordedSpeech: the speech of tests and replays — nothing is heard, every text is recorded.
//
// A text is taken to last kMsPerCharacter per character on the caller's clock (about the pace
// of a speech synthesizer), so whether one text cut another, or Esc cut it, shows in what is
// still being spoken at a given moment.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Speech.h"

namespace tw::platform {

class RecordedSpeech : public Speech {
 public:
  static constexpr int kMsPerCharacter = 70;

  explicit RecordedSpeech(std::function<std::int64_t()> clock) : clock_(std::move(clock)) {}

  State state() override { return state_; }
  void say(const std::string& text) override;
  void stop() override { endsAt_ = 0; }

  // Tests: a machine without a speech service.
  void setState(State state) { state_ = state; }
  // Every text said, in order.
  const std::vector<std::string>& spoken() const { return spoken_; }
  // The text being spoken now: none once it has ended or was stopped.
  std::optional<std::string> speaking() const;

 private:
  std::function<std::int64_t()> clock_;
  State state_ = State::Ready;
  std::vector<std::string> spoken_;
  std::int64_t endsAt_ = 0;
};

}  // namespace tw::platform
