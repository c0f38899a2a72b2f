// The platform's part of reading aloud: the on/off switch in front of the speech service.
#include <string>

#include "platform/Platform.h"
#include "platform/Speech.h"

namespace tw::platform {

void Platform::setReadingAloud(bool on) {
  if (readingAloud_ && !on) stopReading();
  readingAloud_ = on;
}

void Platform::readAloud(const std::string& text) {
  if (!readingAloud_ || text.find_first_not_of(" \t\r\n") == std::string::npos) return;
  if (speech().state() == Speech::State::Ready) speech().say(text);
}

void Platform::stopReading() {
  if (speech().state() == Speech::State::Ready) speech().stop();
}

}  // namespace tw::platform
