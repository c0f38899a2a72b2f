#include "savegame/SavedGameList.h"

#include <sys/stat.h>

#include <cstdint>
#include <exception>
#include <optional>

#include "common/TextEncoding.h"
#include "project/Player.h"
#include "savegame/AutosaveFile.h"
#include "savegame/SaveLocations.h"
#include "savegame/SavedGameFile.h"

namespace tw {

namespace {

std::optional<std::int64_t> ModifiedNs(Player& player, const std::string& path) {
  const std::optional<std::string> real = player.files.resolve(path);
  if (!real) return std::nullopt;
  struct stat st {};
  if (::stat(real->c_str(), &st) != 0) return std::nullopt;
  return static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

struct Entry {
  std::string name;
  std::string path;
  std::optional<std::int64_t> modified;
};

bool Older(const Entry& a, const Entry& b) {
  return a.modified.value_or(INT64_MIN) < b.modified.value_or(INT64_MIN);
}

// Every saved game of every folder, newest first, each name once.
std::vector<Entry> Entries(Player& player) {
  std::vector<Entry> list;
  player.files.invalidate();  // saves and deletions happen behind the resolver's cache
  for (const std::string& folder : SavedGameFolders(player)) {
    try {
      const std::vector<std::string> files =
          player.files.list(folder, std::string("*") + kSavedGameExtension);
      for (const std::string& file : files) {
        if (file.size() <= 4) continue;
        Entry entry{file.substr(0, file.size() - 4), folder + file,
                    ModifiedNs(player, folder + file)};
        // A name seen already in an earlier folder: the newer file stands for it.
        auto same = list.begin();
        while (same != list.end() && !EqualsNoCase(same->name, entry.name)) ++same;
        if (same != list.end()) {
          if (!Older(*same, entry)) continue;
          list.erase(same);
        }
        // Before the first entry that is strictly older; else at the end.
        auto at = list.begin();
        while (at != list.end() && !Older(*at, entry)) ++at;
        list.insert(at, std::move(entry));
      }
    } catch (const std::exception&) {
      // The list shows what could be read.
    }
  }
  return list;
}

std::string FolderOf(const std::string& path) {
  const auto cut = path.find_last_of('/');
  return cut == std::string::npos ? std::string(".") : path.substr(0, cut + 1);
}

}  // namespace

std::vector<std::string> ListSavedGames(Player& player) {
  std::vector<std::string> names;
  for (Entry& e : Entries(player)) names.push_back(std::move(e.name));
  return names;
}

std::optional<std::string> ExistingSavedGame(Player& player, const std::string& name) {
  std::optional<Entry> best;
  for (const std::string& folder : SavedGameFolders(player)) {
    const std::string path = folder + name + kSavedGameExtension;
    if (!player.files.exists(path)) continue;
    Entry entry{name, path, ModifiedNs(player, path)};
    if (!best || Older(*best, entry)) best = std::move(entry);
  }
  if (!best) return std::nullopt;
  return best->path;
}

std::string SavedGamePath(Player& player, const std::string& name) {
  if (name == kAutosaveName) {
    return ExistingAutosave(player).value_or(player.folders.ProjectFolder + kAutosaveFileName);
  }
  if (auto existing = ExistingSavedGame(player, name)) return *existing;
  return player.folders.ProjectFolder + name + kSavedGameExtension;
}

std::string SaveDestination(Player& player, const std::string& name) {
  if (auto existing = ExistingSavedGame(player, name)) {
    const auto real = player.files.resolve(*existing);
    if (real && FolderWritable(FolderOf(*real))) return *existing;
  }
  return NewSavedGamePath(player, name);
}

}  // namespace tw
