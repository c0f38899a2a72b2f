// SavedGameList: the saved games of the game folder and of the user's own saved-game folder
// for the game (SaveLocations), newest first.
//
// Every "*.sav" file of those folders (letter case ignored) whose name is longer than its
// extension is listed by that name without its last four characters. A name found in both
// folders (without regard to case) is listed once and means the newer file. Order: newest
// modification time first, compared to the nanosecond the file system keeps; files of the
// same time keep the order the folder listings give them (the game folder first, names
// without regard to case). A file whose time cannot be read counts as the oldest. Nothing
// here throws.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tw {

class Player;

std::vector<std::string> ListSavedGames(Player& player);

// The file of the saved game `name` as the list means it (the newer of the two folders);
// nullopt when there is none.
std::optional<std::string> ExistingSavedGame(Player& player, const std::string& name);

// The saved game's file when it exists, else ProjectFolder + name + ".sav"; for
// kAutosaveName the automatic save's file.
std::string SavedGamePath(Player& player, const std::string& name);

// Where saving `name` writes: over the existing file when its folder can be written, else
// where a new save goes (NewSavedGamePath).
std::string SaveDestination(Player& player, const std::string& name);

}  // namespace tw
