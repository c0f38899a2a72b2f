#include "savegame/SavedGamePicture.h"

#include <sys/stat.h>

#include <cctype>
#include <ctime>
#include <exception>
#include <iomanip>
#include <iostream>
#include <locale>
#include <sstream>

#include "game/Game.h"
#include "platform/Painter.h"
#include "platform/Picture.h"
#include "platform/TaggedPng.h"
#include "project/Player.h"
#include "savegame/AutosaveFile.h"
#include "savegame/SavedGameList.h"

namespace tw {

namespace {

const platform::PngTag kMark{"Talewick", "saved game picture"};

// The real path of the picture beside a saved-game file, in whatever letter case it has on
// disk, or the path a new picture takes.
std::string PictureBeside(Player& player, const std::string& savedGamePath) {
  const std::optional<std::string> real = player.files.resolve(savedGamePath);
  const std::string picture = PicturePathFor(real ? *real : savedGamePath);
  return player.files.resolve(picture).value_or(picture);
}

void Report(const std::string& path, const std::string& what) {
  std::cerr << "talewick-player: the picture \"" << path << "\" " << what << '\n';
}

// The file of the saved game the load windows call `name`: the automatic save under its
// reserved name, else the player's save.
std::optional<std::string> SavedGameFileNamed(Player& player, const std::string& name) {
  return name == kAutosaveName ? ExistingAutosave(player) : ExistingSavedGame(player, name);
}

std::locale UserLocale() {
  try {
    return std::locale("");
  } catch (const std::exception&) {
    return std::locale::classic();  // a LANG the system does not know
  }
}

}  // namespace

std::shared_ptr<const platform::Picture> CaptureGameArea(Game& game) {
  try {
    return platform::ScaledToWidth(*platform::PaintElement(game.PictureBox),
                                   kSavedGamePictureWidth);
  } catch (const std::exception&) {
    return nullptr;
  }
}

std::string PicturePathFor(const std::string& savedGamePath) {
  // "Evening.sav" -> "Evening.png"; the automatic save keeps its whole name
  // ("Autosave.autosave.png"), so it never shares a picture with a save called "Autosave".
  const std::size_t n = savedGamePath.size();
  const bool sav = n >= 4 && savedGamePath[n - 4] == '.' &&
                   std::tolower(static_cast<unsigned char>(savedGamePath[n - 3])) == 's' &&
                   std::tolower(static_cast<unsigned char>(savedGamePath[n - 2])) == 'a' &&
                   std::tolower(static_cast<unsigned char>(savedGamePath[n - 1])) == 'v';
  return (sav ? savedGamePath.substr(0, n - 4) : savedGamePath) + ".png";
}

std::optional<std::string> SavedGamePictureFile(Player& player, const std::string& name) {
  const std::optional<std::string> saved = SavedGameFileNamed(player, name);
  if (!saved) return std::nullopt;
  const std::string picture = PictureBeside(player, *saved);
  if (!platform::HasTaggedPng(picture, kMark)) return std::nullopt;
  return picture;
}

std::shared_ptr<const platform::Picture> LoadSavedGamePicture(Player& player,
                                                              const std::string& name) {
  const std::optional<std::string> file = SavedGamePictureFile(player, name);
  return file ? platform::LoadTaggedPng(*file, kMark) : nullptr;
}

void WriteSavedGamePicture(Player& player, const std::string& savedGamePath,
                           const platform::Picture* picture) {
  const std::string path = PictureBeside(player, savedGamePath);
  const bool exists = player.files.exists(path);
  const bool ours = exists && platform::HasTaggedPng(path, kMark);
  if (exists && !ours) {
    Report(path, "is not the player's own; it is kept and the save has no picture");
    return;
  }
  if (!picture) {
    Report(path, "could not be taken");
  } else {
    try {
      platform::SaveTaggedPng(*picture, path, kMark);
      player.files.invalidate();
      return;
    } catch (const std::exception& e) {
      Report(path, std::string("cannot be written: ") + e.what());
    }
  }
  // The old picture would show a moment of the game that was replaced.
  if (ours && !player.files.removeFile(path)) Report(path, "is out of date and cannot be removed");
  player.files.invalidate();
}

void RemoveSavedGamePicture(Player& player, const std::string& savedGamePath) {
  const std::string path = PictureBeside(player, savedGamePath);
  if (!player.files.exists(path) || !platform::HasTaggedPng(path, kMark)) return;
  if (!player.files.removeFile(path)) Report(path, "cannot be removed");
  player.files.invalidate();
}

std::string SavedGameTimeText(Player& player, const std::string& name) {
  const std::optional<std::string> saved = SavedGameFileNamed(player, name);
  const std::optional<std::string> real = saved ? player.files.resolve(*saved) : std::nullopt;
  struct stat st {};
  if (!real || ::stat(real->c_str(), &st) != 0) return {};
  std::tm local{};
  if (!localtime_r(&st.st_mtime, &local)) return {};
  std::ostringstream text;
  text.imbue(UserLocale());
  text << std::put_time(&local, "%c");
  return text.str();
}

}  // namespace tw
