#include "savegame/SaveLocations.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "project/Player.h"
#include "savegame/SavedGameFile.h"

namespace tw {

namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

std::string SafeFolderName(const std::string& id) {
  if (id.find_first_not_of('.') == std::string::npos) return "_";  // "", ".", ".."
  std::string name = id;
  for (char& c : name) {
    if (c == '/' || c == '\\') c = '_';
  }
  return name;
}

}  // namespace

std::string UserDataHome() {
  // Relative values are invalid and must be ignored.
  std::string data = Env("XDG_DATA_HOME");
  if (!data.empty() && data[0] == '/') {
    while (data.size() > 1 && data.back() == '/') data.pop_back();
    return data;
  }
  std::string home = Env("HOME");
  if (home.empty()) return "";
  while (home.size() > 1 && home.back() == '/') home.pop_back();
  return (home == "/" ? std::string() : home) + "/.local/share";
}

std::string UserSavesFolder(const Player& player) {
  const std::string data = UserDataHome();
  if (data.empty()) return "";
  return data + "/talewick/saves/" + SafeFolderName(player.settings.ProjectId) + "/";
}

bool FolderWritable(const std::string& folder) {
  // access() answers for the mount as well: a read-only mount gives EROFS even to root.
  return !folder.empty() && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

std::vector<std::string> SavedGameFolders(const Player& player) {
  std::vector<std::string> folders;
  if (!player.folders.ProjectFolder.empty()) folders.push_back(player.folders.ProjectFolder);
  const std::string user = UserSavesFolder(player);
  std::error_code ec;
  const bool same = !folders.empty() && std::filesystem::equivalent(folders[0], user, ec);
  if (!user.empty() && !same) folders.push_back(user);
  return folders;
}

std::string NewSavedGameFolder(Player& player) {
  const std::string& game = player.folders.ProjectFolder;
  const auto realGame = player.files.resolve(game);
  if (realGame && FolderWritable(*realGame)) return game;
  const std::string user = UserSavesFolder(player);
  if (user.empty()) return game;
  std::error_code ec;
  std::filesystem::create_directories(user, ec);
  if (!FolderWritable(user)) return game;
  return user;
}

std::string NewSavedGamePath(Player& player, const std::string& name) {
  return NewSavedGameFolder(player) + name + kSavedGameExtension;
}

}  // namespace tw
