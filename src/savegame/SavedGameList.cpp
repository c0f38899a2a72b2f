#include "savegame/SavedGameList.h"

#include <sys/stat.h>

#include <cstdint>
#include <exception>
#include <optional>

#include "project/Player.h"
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

}  // namespace

std::string SavedGamePath(const Player& player, const std::string& name) {
  return player.folders.ProjectFolder + name + kSavedGameExtension;
}

std::vector<std::string> ListSavedGames(Player& player) {
  struct Entry {
    std::string name;
    std::optional<std::int64_t> modified;
  };
  std::vector<Entry> list;
  if (player.folders.ProjectFolder.empty()) return {};  // no game folder yet
  try {
    player.files.invalidate();  // saves and deletions happen behind the resolver's cache
    const std::vector<std::string> files =
        player.files.list(player.folders.ProjectFolder, std::string("*") + kSavedGameExtension);
    for (const std::string& file : files) {
      if (file.size() <= 4) continue;
      Entry entry{file.substr(0, file.size() - 4), ModifiedNs(player, player.folders.ProjectFolder + file)};
      // Before the first entry that is strictly older; else at the end.
      auto at = list.begin();
      while (at != list.end() && !(at->modified.value_or(INT64_MIN) <
                                   entry.modified.value_or(INT64_MIN))) {
        ++at;
      }
      list.insert(at, std::move(entry));
    }
  } catch (const std::exception&) {
    // The list shows what could be read.
  }
  std::vector<std::string> names;
  names.reserve(list.size());
  for (Entry& e : list) names.push_back(std::move(e.name));
  return names;
}

}  // namespace tw
