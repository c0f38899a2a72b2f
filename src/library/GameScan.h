// GameScan: finds the games in a folder tree ("Scan Folder...").
//
// The walk goes down at most `maxDepth` folders below the root and follows symbolic links to
// folders, but enters each real folder once (by device and inode), so a link that points back
// up ends the branch instead of looping. A game's own folder is not searched further (games
// do not hold games, and their frame folders can be large). Folders that cannot be read are
// passed over.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tw::library {

struct ScanProgress {
  int foldersSeen = 0;
  int gamesFound = 0;
  std::string folder;  // the folder being looked at
};

// The game folders found under `root` (the root itself included), in the order found:
// children by name. `isGame` decides what is a game; `progress` is called for each folder
// entered and stops the walk when it returns false (what was found so far is returned).
std::vector<std::string> ScanForGames(const std::string& root, int maxDepth,
                                      const std::function<bool(const std::string&)>& isGame,
                                      const std::function<bool(const ScanProgress&)>& progress);

inline constexpr int kDefaultScanDepth = 6;

}  // namespace tw::library
