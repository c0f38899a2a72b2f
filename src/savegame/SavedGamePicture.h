// SavedGamePicture: the picture of the moment kept beside each saved game.
//
// At a save the game area is painted as it was when the save was asked for (before the save
// window opened), scaled smoothly to at most kSavedGamePictureWidth pixels wide, and written
// beside the saved-game file as a PNG of the same name ("Evening.sav" -> "Evening.png"),
// only once the saved game itself is written. The saved-game file is not touched: it stays
// exactly what older players write and read.
//
// The PNG carries the player's mark (TaggedPng), and only marked files count as pictures of
// saved games: a game folder may hold PNG files of its own, and a save named like one of
// them must neither replace, show nor delete it. A picture that cannot be written never
// fails the save; the reason goes to standard error and an older picture of that name is
// removed, so a save never shows the moment of the game it replaced.
#pragma once

#include <memory>
#include <optional>
#include <string>

namespace tw {

namespace platform {
class Picture;
}

class Game;
class Player;

inline constexpr int kSavedGamePictureWidth = 320;

// The game area as it shows now, scaled; nullptr when it cannot be painted.
std::shared_ptr<const platform::Picture> CaptureGameArea(Game& game);

// The picture's path beside a saved-game file: its last four characters become ".png".
std::string PicturePathFor(const std::string& savedGamePath);

// The real path of the player's own picture of the saved game `name`; nullopt when it has
// none (a save of the original player or an older version).
std::optional<std::string> SavedGamePictureFile(Player& player, const std::string& name);
// That picture, decoded; nullptr when there is none or it cannot be read.
std::shared_ptr<const platform::Picture> LoadSavedGamePicture(Player& player,
                                                              const std::string& name);

// After the saved game at savedGamePath was written: writes its picture beside it, over the
// old one. Without a picture, or when writing fails, an old marked picture there is removed.
// Never throws; failures are printed on standard error.
void WriteSavedGamePicture(Player& player, const std::string& savedGamePath,
                           const platform::Picture* picture);

// After the saved game at savedGamePath was deleted: deletes its marked picture.
void RemoveSavedGamePicture(Player& player, const std::string& savedGamePath);

// When the saved game `name` was written, as the user's locale writes a date and time;
// "" when its file has no readable time.
std::string SavedGameTimeText(Player& player, const std::string& name);

}  // namespace tw
