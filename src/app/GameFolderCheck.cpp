#include "app/GameFolderCheck.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "common/FileResolver.h"
#include "platform/Platform.h"
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

std::optional<std::string> ChooseGameFolder(platform::Platform& platform,
                                            const std::string& programFolder) {
  if (GameFolderProblem(programFolder).empty()) return programFolder;
  std::string start = LastGame(platform.settings());
  std::error_code ec;
  if (start.empty() || !std::filesystem::is_directory(start, ec)) {
    start = InstalledDemoGame(programFolder);
    if (start.empty()) start = Home();
  }
  for (;;) {
    const std::optional<std::string> chosen =
        platform.chooseFolder("Choose the folder of a Talewick game", start);
    if (!chosen) return std::nullopt;
    const std::string problem = GameFolderProblem(*chosen);
    if (problem.empty()) return chosen;
    platform.messageBox(platform::MakeBox(kChooserTitle, problem, platform::MsgIcon::Warning,
                                          platform::MsgButtons::Ok));
    start = *chosen;
  }
}

}  // namespace tw
