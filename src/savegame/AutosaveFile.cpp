#include "savegame/AutosaveFile.h"

#include <sys/stat.h>

#include <ctime>

#include "project/Player.h"
#include "savegame/SaveLocations.h"

namespace tw {

namespace {

std::optional<std::timespec> Modified(Player& player, const std::string& path) {
  const std::optional<std::string> real = player.files.resolve(path);
  struct stat st {};
  if (!real || ::stat(real->c_str(), &st) != 0) return std::nullopt;
  return st.st_mtim;
}

bool Older(const std::timespec& a, const std::timespec& b) {
  return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

}  // namespace

std::optional<std::string> ExistingAutosave(Player& player) {
  std::optional<std::string> best;
  std::timespec bestTime{};
  player.files.invalidate();  // written behind the resolver's cache
  for (const std::string& folder : SavedGameFolders(player)) {
    const std::string path = folder + kAutosaveFileName;
    if (!player.files.exists(path)) continue;
    const std::timespec time = Modified(player, path).value_or(std::timespec{});
    if (!best || Older(bestTime, time)) {
      best = path;
      bestTime = time;
    }
  }
  return best;
}

std::string AutosaveDestination(Player& player) {
  if (const auto existing = ExistingAutosave(player)) {
    const auto real = player.files.resolve(*existing);
    const auto cut = real ? real->find_last_of('/') : std::string::npos;
    if (cut != std::string::npos && FolderWritable(real->substr(0, cut + 1))) return *real;
  }
  return NewSavedGameFolder(player) + kAutosaveFileName;
}

std::string AutosaveEntryText(Player& player, const std::string& path) {
  const std::optional<std::timespec> time = Modified(player, path);
  if (!time) return kAutosaveLabel;
  std::tm local{};
  localtime_r(&time->tv_sec, &local);
  char text[64];
  if (std::strftime(text, sizeof text, "%x %H:%M", &local) == 0) return kAutosaveLabel;
  return std::string(kAutosaveLabel) + " (" + text + ")";
}

}  // namespace tw
