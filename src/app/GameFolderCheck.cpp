#include "app/GameFolderCheck.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "common/FileResolver.h"
#include "platform/Settings.h"

namespace tw {

namespace {

constexpr const char* kSection = "talewick-player";
constexpr const char* kLastGameKey = "LastGame";

std::string Home() {
  const char* home = std::getenv("HOME");
  return home ? home : "/";
}

}  // namespace

std::string GameFolderProblem(const std::string& folder) {
  std::error_code ec;
  const auto status = std::filesystem::status(folder, ec);
  if (!std::filesystem::exists(status)) return folder + " is not a game folder: it does not exist";
  if (std::filesystem::is_directory(status)) {
    FileResolver files;
    const std::string general = folder + (folder.ends_with('/') ? "" : "/") + "Config/General";
    if (files.exists(general) && !files.isDirectory(general)) return "";
  }
  return folder + " is not a game folder: no Config/General";
}

std::string InstalledDemoGame(const std::string& programFolder) {
  std::error_code ec;
  std::filesystem::path demo = std::filesystem::absolute(programFolder, ec);
  if (ec) return "";
  demo = (demo / ".." / "share" / "games" / "talewick" / "demo").lexically_normal();
  std::string text = demo.string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  return GameFolderProblem(text).empty() ? text : "";
}

std::string LastGame(platform::Settings& settings) {
  return settings.get(kSection, kLastGameKey, "");
}

void RememberLastGame(platform::Settings& settings, const std::string& folder) {
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(folder, ec);
  if (ec) return;
  absolute = absolute.lexically_normal();
  std::string text = absolute.string();
  while (text.size() > 1 && text.back() == '/') text.pop_back();
  settings.save(kSection, kLastGameKey, text);
}

std::string DialogStartFolder(platform::Settings& settings, const std::string& programFolder) {
  std::error_code ec;
  for (const std::string& game : {LastGame(settings), InstalledDemoGame(programFolder)}) {
    if (game.empty()) continue;
    const std::string parent = std::filesystem::path(game).parent_path().string();
    if (std::filesystem::is_directory(game, ec) && !parent.empty()) return parent;
  }
  return Home();
}

}  // namespace tw
