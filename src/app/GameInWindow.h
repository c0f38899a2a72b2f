// GameInWindow: one game played in the real window, from the start-up window (or a saved
// game) until the player leaves it.
//
// The game joins the user's library (or has its title refreshed there) when it starts, and
// its time of play is added when it ends. A log-out, a shutdown or a signal saves the game
// automatically and ends the program, also when the game was started from the library.
#pragma once

#include <functional>
#include <string>

namespace tw {

namespace platform {
class Platform;
}
class GameSession;

// What the program around the game does when it begins (after the start-up window's load)
// and when the player has left it; a recording of the play-through, say.
struct PlayHooks {
  std::function<void(platform::Platform&, GameSession&)> started;
  std::function<void()> ended;
};

enum class GameEnd { Left, ProgramEnds };

// Plays the game in `folder` (checked to be a game). With `resumeName`, the saved game of
// that name is loaded at once. Needs the QApplication.
GameEnd PlayGameInWindow(const std::string& folder, const std::string& resumeName = "",
                         const PlayHooks& hooks = {});

}  // namespace tw
