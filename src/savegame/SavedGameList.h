// SavedGameList: the saved games of the game folder, newest first.
//
// Every "*.sav" file of ProjectFolder (letter case ignored) whose name is longer than its
// extension is listed by that name without its last four characters. Order: newest
// modification time first, compared to the nanosecond the file system keeps; files of the
// same time keep the order the folder listing gives them (names without regard to case).
// A file whose time cannot be read counts as the oldest. Nothing here throws.
#pragma once

#include <string>
#include <vector>

namespace tw {

class Player;

std::vector<std::string> ListSavedGames(Player& player);

// ProjectFolder + name + ".sav".
std::string SavedGamePath(const Player& player, const std::string& name);

}  // namespace tw
