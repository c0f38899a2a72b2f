// SpeechDispatcher: the real program's Speech, through speech-dispatcher's C library.
//
// The connection is opened on a thread of its own the first time the state is asked: the
// library may start the service first (autospawn), and a service that hangs must never hang
// the game. Until the connection is there the state is Starting; after kOpenTimeoutMs without
// one, or when opening failed, Missing (a connection that comes after all still makes it
// Ready). The opening thread is never waited for: it owns its share of the state, so a
// program that ends while it still hangs just leaves it behind.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "platform/Speech.h"

namespace tw::platform {

// The language speech-dispatcher is asked for, from the user's locale settings (LC_ALL, then
// LC_MESSAGES, then LANG, each as the environment gives it, null when unset): "de_AT.UTF-8"
// gives "de"; an unset, "C" or "POSIX" locale gives "en".
std::string SpeechLanguage(const char* lcAll, const char* lcMessages, const char* lang);

class SpeechDispatcher : public Speech {
 public:
  static constexpr int kOpenTimeoutMs = 5000;

  SpeechDispatcher();
  ~SpeechDispatcher() override;
  SpeechDispatcher(const SpeechDispatcher&) = delete;
  SpeechDispatcher& operator=(const SpeechDispatcher&) = delete;

  State state() override;
  void say(const std::string& text) override;
  void stop() override;

 private:
  struct Shared;
  void startOpening();

  std::shared_ptr<Shared> shared_;
  bool opening_ = false;
  std::chrono::steady_clock::time_point openedAt_;
};

}  // namespace tw::platform
