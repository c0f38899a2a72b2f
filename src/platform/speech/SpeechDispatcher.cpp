#include "platform/speech/SpeechDispatcher.h"

#include <libspeechd.h>

#include <cstdlib>
#include <mutex>
#include <thread>

namespace tw::platform {

std::string SpeechLanguage(const char* lcAll, const char* lcMessages, const char* lang) {
  std::string locale;
  for (const char* value : {lcAll, lcMessages, lang}) {
    if (value && *value) {
      locale = value;
      break;
    }
  }
  // language[_territory][.codeset][@modifier]
  const std::string language = locale.substr(0, locale.find_first_of("_.@"));
  if (language.empty() || language == "C" || language == "POSIX") return "en";
  return language;
}

struct SpeechDispatcher::Shared {
  std::mutex mutex;
  SPDConnection* connection = nullptr;
  bool failed = false;
  bool abandoned = false;  // the Speech is gone: the opening thread closes what it opened
};

SpeechDispatcher::SpeechDispatcher() : shared_(std::make_shared<Shared>()) {}

SpeechDispatcher::~SpeechDispatcher() {
  const std::lock_guard lock(shared_->mutex);
  shared_->abandoned = true;
  if (shared_->connection) {
    spd_cancel(shared_->connection);
    spd_close(shared_->connection);
    shared_->connection = nullptr;
  }
}

void SpeechDispatcher::startOpening() {
  opening_ = true;
  openedAt_ = std::chrono::steady_clock::now();
  const std::string language =
      SpeechLanguage(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
  std::thread([shared = shared_, language] {
    char* error = nullptr;
    SPDConnection* connection =
        spd_open2("talewick-player", "messages", nullptr, SPD_MODE_SINGLE, nullptr, 1, &error);
    std::free(error);
    if (connection) spd_set_language(connection, language.c_str());
    const std::lock_guard lock(shared->mutex);
    if (shared->abandoned) {
      if (connection) spd_close(connection);
      return;
    }
    shared->connection = connection;
    shared->failed = connection == nullptr;
  }).detach();
}

Speech::State SpeechDispatcher::state() {
  if (!opening_) startOpening();
  const std::lock_guard lock(shared_->mutex);
  if (shared_->connection) return State::Ready;
  if (shared_->failed) return State::Missing;
  const auto waited = std::chrono::steady_clock::now() - openedAt_;
  return waited > std::chrono::milliseconds(kOpenTimeoutMs) ? State::Missing : State::Starting;
}

void SpeechDispatcher::say(const std::string& text) {
  const std::lock_guard lock(shared_->mutex);
  if (!shared_->connection) return;
  spd_cancel(shared_->connection);
  spd_say(shared_->connection, SPD_TEXT, text.c_str());
}

void SpeechDispatcher::stop() {
  const std::lock_guard lock(shared_->mutex);
  if (shared_->connection) spd_cancel(shared_->connection);
}

}  // namespace tw::platform
