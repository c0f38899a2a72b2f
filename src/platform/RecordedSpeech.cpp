#include "platform/RecordedSpeech.h"

namespace tw::platform {

void RecordedSpeech::say(const std::string& text) {
  if (state_ != State::Ready) return;
  spoken_.push_back(text);
  endsAt_ = clock_() + static_cast<std::int64_t>(text.size()) * kMsPerCharacter;
}

std::optional<std::string> RecordedSpeech::speaking() const {
  if (spoken_.empty() || clock_() >= endsAt_) return std::nullopt;
  return spoken_.back();
}

}  // namespace tw::platform
