// LibraryLaunch: the library window of the real program, and the games played from it.
//
// Started without a game folder and with no game beside the program, the player shows the
// library. A game chosen there plays in the same program; when the player leaves it (Exit,
// or the end of a game that skips the start-up window) the library comes back. Closing the
// library ends the program. The first time, the library holds the demo game installed with
// the player, when there is one.
#pragma once

#include <string>

namespace tw {

namespace library {
class GameLibrary;
}

// Needs the QApplication. Returns the program's exit status.
int RunLibrary(const std::string& programFolder);

// The folder of the running program (from /proc/self/exe); "" when it cannot be read.
std::string ProgramFolder();

// A library that did not exist before gets the demo game installed with the player, when
// there is one (the first run, whether the window or --list comes first).
void SeedNewLibrary(library::GameLibrary& games, const std::string& programFolder);

// Adds the game in `folder` to the library, as "Add Game..." does: "" when it was added (or
// was there already), else why not (not a game, the library cannot be written).
std::string AddGameToLibrary(const std::string& folder);

}  // namespace tw
