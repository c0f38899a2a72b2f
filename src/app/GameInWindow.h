// GameInWindow: one game played in the real window, from the start-up window (or a saved
// game) until the player leaves it.
//
// The game joins the user's library (or has its title refreshed there) when it starts, and
// its time of play is added when it ends. A log-out, a shutdown or a signal saves the game
// automatically and ends the program, also when the game was started from the library.
#pragma once

#include <string>

namespace tw {

enum class GameEnd { Left, ProgramEnds };

// Plays the game in `folder` (checked to be a game). With `resumeName`, the saved game of
// that name is loaded at once. Needs the QApplication.
GameEnd PlayGameInWindow(const std::string& folder, const std::string& resumeName = "");

}  // namespace tw
