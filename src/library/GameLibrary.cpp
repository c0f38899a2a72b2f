#include "library/GameLibrary.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <system_error>

#include "common/AtomicFile.h"

namespace tw::library {

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

constexpr int kFormat = 1;

std::string WithoutTrailingSlash(std::string text) {
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

// Throws json::exception (a type error) when a field is missing or of the wrong type.
LibraryGame GameFromJson(const json& entry) {
  LibraryGame game;
  game.folder = entry.at("folder").get<std::string>();
  if (game.folder.empty() || game.folder[0] != '/') throw std::runtime_error("relative folder");
  game.title = entry.value("title", std::string());
  game.projectId = entry.value("project_id", std::string());
  game.added = entry.value("added", std::int64_t{0});
  game.lastPlayed = entry.value("last_played", std::int64_t{0});
  game.secondsPlayed = std::max<std::int64_t>(0, entry.value("seconds_played", std::int64_t{0}));
  return game;
}

json GameToJson(const LibraryGame& game, bool withMissing) {
  json entry = {{"title", game.title},
                {"folder", game.folder},
                {"project_id", game.projectId},
                {"added", game.added},
                {"last_played", game.lastPlayed},
                {"seconds_played", game.secondsPlayed}};
  if (withMissing) entry["missing"] = !FolderPresent(game.folder);
  return entry;
}

// Folder names need not be UTF-8 on Linux; JSON text must be.
std::string Dump(const json& doc) {
  return doc.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

}  // namespace

std::string CanonicalFolder(const std::string& folder) {
  std::error_code ec;
  fs::path path = fs::weakly_canonical(fs::absolute(folder, ec), ec);
  if (ec) path = fs::absolute(folder, ec).lexically_normal();
  return WithoutTrailingSlash(path.string());
}

bool FolderPresent(const std::string& folder) {
  std::error_code ec;
  return fs::is_directory(folder, ec);
}

GameLibrary::GameLibrary(std::string path) : path_(std::move(path)) { reload(); }

std::string GameLibrary::DefaultPath() {
  std::string data;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && xdg[0] == '/') {
    data = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    data = std::string(home) + "/.local/share";
  } else {
    return "";
  }
  return WithoutTrailingSlash(data) + "/talewick/library.json";
}

void GameLibrary::reload() {
  games_.clear();
  problem_.clear();
  isNew_ = false;
  blocked_ = false;
  std::error_code ec;
  if (path_.empty()) {
    blocked_ = true;
    problem_ = "no folder for the library: neither XDG_DATA_HOME nor HOME is set";
    return;
  }
  if (!fs::exists(path_, ec)) {
    isNew_ = true;
    return;
  }
  std::ifstream in;
  if (fs::is_regular_file(path_, ec)) in.open(path_, std::ios::binary);
  std::stringstream text;
  if (in.is_open()) text << in.rdbuf();
  if (!in.is_open() || in.bad()) {
    // Unreadable (permissions, a folder in its place): keep it, show an empty library.
    problem_ = path_ + " cannot be read";
    blocked_ = true;
    return;
  }
  try {
    const json doc = json::parse(text.str());
    std::vector<LibraryGame> games;
    for (const json& entry : doc.at("games")) {
      LibraryGame game = GameFromJson(entry);
      // A file edited by hand may list a folder twice: the first entry counts.
      if (std::none_of(games.begin(), games.end(),
                       [&](const LibraryGame& g) { return g.folder == game.folder; })) {
        games.push_back(std::move(game));
      }
    }
    games_ = std::move(games);
  } catch (const std::exception&) {
    const std::string aside = path_ + ".bak";
    fs::rename(path_, aside, ec);
    problem_ = path_ + " is damaged; " +
               (ec ? std::string("it could not be moved aside") : "it was kept as " + aside) +
               " and the library starts empty";
  }
}

const LibraryGame* GameLibrary::find(const std::string& folder) const {
  const std::string key = CanonicalFolder(folder);
  for (const LibraryGame& game : games_) {
    if (game.folder == key) return &game;
  }
  return nullptr;
}

std::string GameLibrary::picturePath(const std::string& folder) const {
  // FNV-1a of the folder: stable between runs and machines, unlike std::hash.
  std::uint64_t hash = 14695981039346656037ull;
  for (const unsigned char c : CanonicalFolder(folder)) {
    hash = (hash ^ c) * 1099511628211ull;
  }
  char name[32];
  std::snprintf(name, sizeof name, "%016llx.png", static_cast<unsigned long long>(hash));
  return (fs::path(path_).parent_path() / "pictures" / name).string();
}

template <typename Change>
bool GameLibrary::update(Change change) {
  reload();
  if (blocked_) return false;
  if (!change(games_)) return true;
  return write();
}

bool GameLibrary::write() {
  json doc = {{"format", kFormat}, {"games", json::array()}};
  for (const LibraryGame& game : games_) doc["games"].push_back(GameToJson(game, false));
  const fs::path file(path_);
  std::error_code ec;
  fs::create_directories(file.parent_path(), ec);
  if (const int failure = ReplaceFileAtomically(WithoutTrailingSlash(file.parent_path().string()),
                                                file.filename().string(), Dump(doc))) {
    problem_ = path_ + " could not be written: " + std::strerror(failure);
    return false;
  }
  return true;
}

GameLibrary::Added GameLibrary::add(const std::string& folder, const std::string& title,
                                    const std::string& projectId, std::int64_t now) {
  const std::string key = CanonicalFolder(folder);
  bool isNewGame = true;
  const bool written = update([&](std::vector<LibraryGame>& games) {
    for (LibraryGame& game : games) {
      if (game.folder != key) continue;
      isNewGame = false;
      if (game.title == title && game.projectId == projectId) return false;
      game.title = title;
      game.projectId = projectId;
      return true;
    }
    games.push_back(LibraryGame{key, title, projectId, now, 0, 0});
    return true;
  });
  if (!written) return Added::NotSaved;
  return isNewGame ? Added::New : Added::AlreadyThere;
}

bool GameLibrary::remove(const std::string& folder) {
  const std::string key = CanonicalFolder(folder);
  return update([&](std::vector<LibraryGame>& games) {
    return std::erase_if(games, [&](const LibraryGame& g) { return g.folder == key; }) > 0;
  });
}

bool GameLibrary::relocate(const std::string& oldFolder, const std::string& newFolder,
                           const std::string& title, const std::string& projectId) {
  const std::string from = CanonicalFolder(oldFolder);
  const std::string to = CanonicalFolder(newFolder);
  return update([&](std::vector<LibraryGame>& games) {
    const auto old = std::find_if(games.begin(), games.end(),
                                  [&](const LibraryGame& g) { return g.folder == from; });
    if (old == games.end() || from == to) return false;
    const bool listed = std::any_of(games.begin(), games.end(),
                                    [&](const LibraryGame& g) { return g.folder == to; });
    if (listed) {
      games.erase(old);
    } else {
      old->folder = to;
      old->title = title;
      old->projectId = projectId;
    }
    return true;
  });
}

bool GameLibrary::recordPlay(const std::string& folder, std::int64_t now, std::int64_t seconds) {
  const std::string key = CanonicalFolder(folder);
  return update([&](std::vector<LibraryGame>& games) {
    for (LibraryGame& game : games) {
      if (game.folder != key) continue;
      game.lastPlayed = now;
      game.secondsPlayed += std::max<std::int64_t>(0, seconds);
      return true;
    }
    return false;
  });
}

std::string LibraryAsText(const std::vector<LibraryGame>& games) {
  std::string text;
  for (const LibraryGame& game : games) {
    text += game.title + "\t" + game.folder + (FolderPresent(game.folder) ? "" : "\tmissing");
    text += "\n";
  }
  return text;
}

std::string LibraryAsJson(const std::vector<LibraryGame>& games) {
  json list = json::array();
  for (const LibraryGame& game : games) list.push_back(GameToJson(game, true));
  return Dump(list);
}

}  // namespace tw::library
