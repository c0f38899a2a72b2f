// GameFolderCheck: is a folder a game, and which game to play when none is named.
//
// A game folder holds "Config/General" (any letter case). Anything else — a missing path, a
// file, an empty folder, a folder of something else — is refused before any window opens,
// with one message, so the player never meets a chain of missing-file boxes.
//
// The last game played is kept in the per-user settings (section "talewick-player", key
// "LastGame"); the library's folder dialogs start beside it, where the games of a series
// lie, and before any game was played beside the demo game installed with the player.
#pragma once

#include <optional>
#include <string>

namespace tw {

namespace platform {
class Settings;
}  // namespace platform

// Why `folder` cannot be played: "" for a game folder, else the complete message
// ("<folder> is not a game folder: no Config/General").
std::string GameFolderProblem(const std::string& folder);

// Title of the boxes and the dialog that concern choosing a game.
inline constexpr const char* kChooserTitle = "Talewick player";

// The last game played, "" when none was.
std::string LastGame(platform::Settings& settings);
// Remembers `folder` (made absolute) as the last game played.
void RememberLastGame(platform::Settings& settings, const std::string& folder);

// The demo game of an install, found from the program's folder as the install rules lay it
// out: <programFolder>/../share/games/talewick/demo; "" when that is not a game.
std::string InstalledDemoGame(const std::string& programFolder);

// The folder the library's folder dialogs start in: the folder holding the last game played,
// else the one holding the installed demo, else the home folder (the first that exists).
std::string DialogStartFolder(platform::Settings& settings, const std::string& programFolder);

}  // namespace tw
