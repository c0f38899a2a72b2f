// SaveLocations: the folders saved games live in.
//
// Saved games belong in the game folder, beside the game, as they always did. A game folder
// the player cannot write (a game on a read-only disc or mount, a system-wide install) would
// make every save fail, so its saves go into the user's own folder for that game instead:
// $XDG_DATA_HOME/talewick/saves/<ProjectId>/ (~/.local/share/... when XDG_DATA_HOME is unset
// or not absolute). Listing and loading look in both folders; a name present in both means
// the newer file.
#pragma once

#include <string>
#include <vector>

namespace tw {

class Player;

// The user's data folder per the XDG base directories, without a trailing "/"; "" when
// neither XDG_DATA_HOME (absolute) nor HOME is set.
std::string UserDataHome();

// The user's own saved-game folder for this game, ending in "/" (it may not exist yet);
// "" when there is no user data folder. The ProjectId becomes one folder name: separators
// are replaced and an empty or dot-only id becomes "_".
std::string UserSavesFolder(const Player& player);

// Whether new files can be created in the folder (permissions and read-only mounts).
bool FolderWritable(const std::string& folder);

// The folders to list, the game folder first; the user folder only when it differs.
std::vector<std::string> SavedGameFolders(const Player& player);

// The folder new saves go to (ending in "/"): the game folder when it can be written, else
// the user's saved-game folder, created on the way; the game folder when neither works.
std::string NewSavedGameFolder(Player& player);

// Where a new save named `name` is written: the game folder when it can be written, else
// the user's saved-game folder, created on the way. The game folder when neither works (the
// save then fails there with the usual box).
std::string NewSavedGamePath(Player& player, const std::string& name);

}  // namespace tw
