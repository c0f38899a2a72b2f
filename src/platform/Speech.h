// Speech: the desktop's speech service, which reads texts aloud for players who cannot read
// them well.
//
// A text said cuts the one being spoken: a player never hears a queue of stale texts. The
// service may take a while to come up (or never do); until it is Ready, say() and stop() do
// nothing, and they never block the game.
#pragma once

#include <string>

namespace tw::platform {

class Speech {
 public:
  enum class State {
    Starting,  // still looking for the service
    Ready,
    Missing,  // none answered: nothing will be spoken
  };
  virtual ~Speech() = default;
  virtual State state() = 0;
  // Speaks the text in the user's language, cutting what is being spoken.
  virtual void say(const std::string& text) = 0;
  // Silence at once.
  virtual void stop() = 0;
};

}  // namespace tw::platform
