// SavedGameState: between a game window's state and the content of a saved game.
//
// Capture takes the current frame, the variables in list order, the vanished hotspots, the
// items by position and the frame history. Restore puts a saved game's content into a game
// window that has just been reset and had its declared variables reloaded: integer
// variables are set to exactly the saved value (-1 is a value here, not an inversion);
// names no longer declared are skipped; the vanished hotspots are appended; the items are
// given again in their order (each item file and icon read anew, the bar opening as for a
// pick-up); the history replaces the reset one when the file has one (at most the newest
// entries the history keeps); variant variables take their saved values and kinds.
#pragma once

#include "savegame/SavedGameFile.h"

namespace tw {

class Game;

SavedGame CaptureSavedGame(Game& game);
void RestoreSavedGame(Game& game, const SavedGame& saved);

}  // namespace tw
