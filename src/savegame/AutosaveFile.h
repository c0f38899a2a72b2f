// AutosaveFile: where a game's automatic save lives and how the load windows name it.
//
// One automatic save per game, the file "Autosave.autosave", kept where the game's new saves
// go (the game folder, or the user's own saved-game folder for a game folder that cannot be
// written; SaveLocations). Inside it is a saved game like any other, so it can be copied to
// "<name>.sav" and loaded anywhere. Only its extension differs: the save window lists and
// writes "<name>.sav" files only, so it never offers the automatic save, and no save of the
// player's, whatever its name ("Autosave" included), can replace it or be replaced by it.
//
// The load windows show it first, as "Autosave (<date> <time>)", and hand kAutosaveName to
// the load, a name no saved game can have (it holds characters a save name may not).
#pragma once

#include <optional>
#include <string>

namespace tw {

class Player;

inline constexpr const char* kAutosaveFileName = "Autosave.autosave";
inline constexpr const char* kAutosaveName = "<Autosave>";
inline constexpr const char* kAutosaveLabel = "Autosave";

// The automatic save's file (the newer one when both folders hold one); nullopt when none.
std::optional<std::string> ExistingAutosave(Player& player);

// Where the next automatic save is written: over the existing one when its folder can be
// written, else where new saves go.
std::string AutosaveDestination(Player& player);

// The load windows' entry for the automatic save at `path`: "Autosave (date time)", in the
// user's local time; just "Autosave" when the file's date cannot be read.
std::string AutosaveEntryText(Player& player, const std::string& path);

}  // namespace tw
