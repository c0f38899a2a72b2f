#include "app/LibraryLaunch.h"

#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "app/GameFolderCheck.h"
#include "app/GameInWindow.h"
#include "app/GameProbe.h"
#include "library/GameLibrary.h"
#include "library/GameScan.h"
#include "library/LibraryText.h"
#include "platform/IniSettings.h"
#include "platform/Painter.h"
#include "platform/Picture.h"
#include "platform/TaggedPng.h"
#include "platform/qt/LibraryWindow.h"

namespace tw {

namespace fs = std::filesystem;
using library::GameLibrary;

namespace {

constexpr int kPictureWidth = 320;

std::int64_t Now() { return static_cast<std::int64_t>(std::time(nullptr)); }

std::int64_t ModifiedSeconds(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? st.st_mtim.tv_sec : -1;
}

// Makes the library's picture of a game when it has none or the game changed since.
void RefreshPicture(GameLibrary& games, const std::string& folder, GameProbe* probe = nullptr) {
  const std::string path = games.picturePath(folder);
  const std::int64_t made = ModifiedSeconds(path);
  const std::int64_t general = ModifiedSeconds(folder + "/Config/General");
  if (made >= 0 && made >= general) return;
  std::unique_ptr<GameProbe> own;
  if (!probe) probe = (own = std::make_unique<GameProbe>(folder)).get();
  const auto picture = probe->picture();
  if (!picture) return;
  std::error_code ec;
  fs::create_directories(fs::path(path).parent_path(), ec);
  try {
    platform::SavePng(*platform::ScaledToWidth(*picture, kPictureWidth), path);
  } catch (const std::exception&) {
    // The game is shown without a picture.
  }
}

// withPicture: the picture is painted now (texts need the QApplication).
std::string AddTo(GameLibrary& games, const std::string& folder, bool withPicture = true) {
  if (const std::string problem = GameFolderProblem(folder); !problem.empty()) return problem;
  GameProbe probe(folder);
  if (games.add(folder, probe.title(), probe.projectId(), Now()) ==
      GameLibrary::Added::NotSaved) {
    return games.lastProblem();
  }
  if (withPicture) RefreshPicture(games, library::CanonicalFolder(folder), &probe);
  return "";
}

// The games last played first, then those never played, by title.
std::vector<platform::LibraryRow> Rows(GameLibrary& games) {
  games.reload();
  std::vector<library::LibraryGame> order = games.games();
  std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
    if (a.lastPlayed != b.lastPlayed) return a.lastPlayed > b.lastPlayed;
    return a.title < b.title;
  });
  std::vector<platform::LibraryRow> rows;
  for (const library::LibraryGame& game : order) {
    platform::LibraryRow row;
    row.folder = game.folder;
    row.title = game.title;
    row.details = library::PlayedText(game.lastPlayed, game.secondsPlayed);
    row.missing = !GameFolderProblem(game.folder).empty();
    if (!row.missing) {
      RefreshPicture(games, game.folder);
      row.canResume = NewestSave(game.folder, game.projectId).has_value();
    }
    const std::string picture = games.picturePath(game.folder);
    if (ModifiedSeconds(picture) >= 0) row.picturePath = picture;
    rows.push_back(std::move(row));
  }
  return rows;
}

std::string ScanText(int found, int added, bool stopped) {
  if (found == 0) {
    return stopped ? "The search was stopped before it found a game." : "No games were found there.";
  }
  const std::string start = stopped ? "The search was stopped. " : "";
  std::string text = start + "Found " + std::to_string(found) +
                     (found == 1 ? " game" : " games");
  if (added == found) return text + "; all were added to the library.";
  return text + "; " + std::to_string(added) + " new to the library.";
}

}  // namespace

std::string ProgramFolder() {
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : self.parent_path().string();
}

void SeedNewLibrary(GameLibrary& games, const std::string& programFolder) {
  if (!games.isNew()) return;
  if (const std::string demo = InstalledDemoGame(programFolder); !demo.empty()) {
    AddTo(games, demo, false);
  }
}

std::string AddGameToLibrary(const std::string& folder) {
  GameLibrary games(GameLibrary::DefaultPath());
  return AddTo(games, folder, false);
}

int RunLibrary(const std::string& programFolder) {
  GameLibrary games(GameLibrary::DefaultPath());
  std::string message = games.lastProblem();
  SeedNewLibrary(games, programFolder);
  platform::LibraryActions actions;
  actions.rows = [&games] { return Rows(games); };
  actions.startFolder = [&programFolder] {
    platform::IniSettings settings;
    return DialogStartFolder(settings, programFolder);
  };
  actions.add = [&games](const std::string& folder) {
    const library::LibraryGame* known = games.find(folder);
    if (known && GameFolderProblem(folder).empty()) {
      return (known->title.empty() ? folder : known->title) + " is in the library already.";
    }
    return AddTo(games, folder);
  };
  actions.remove = [&games](const std::string& folder) { games.remove(folder); };
  actions.locate = [&games](const std::string& oldFolder, const std::string& newFolder) {
    if (const std::string problem = GameFolderProblem(newFolder); !problem.empty()) {
      return problem;
    }
    GameProbe probe(newFolder);
    if (!games.relocate(oldFolder, newFolder, probe.title(), probe.projectId())) {
      return games.lastProblem();
    }
    RefreshPicture(games, library::CanonicalFolder(newFolder), &probe);
    return std::string();
  };
  actions.scan = [&games](const std::string& root, const platform::ScanReport& report) {
    bool stopped = false;
    const std::vector<std::string> found = library::ScanForGames(
        root, library::kDefaultScanDepth,
        [](const std::string& folder) { return GameFolderProblem(folder).empty(); },
        [&report, &stopped](const library::ScanProgress& p) {
          stopped = !report(p.foldersSeen, p.gamesFound, p.folder);
          return !stopped;
        });
    int added = 0;
    for (const std::string& folder : found) {
      const bool known = games.find(folder) != nullptr;
      if (AddTo(games, folder).empty() && !known) ++added;
    }
    return ScanText(static_cast<int>(found.size()), added, stopped);
  };

  platform::LibraryWindow window(std::move(actions));
  for (;;) {
    const platform::LibraryWindow::Result chosen = window.run(message);
    message.clear();
    if (chosen.choice == platform::LibraryWindow::Choice::Close) return 0;
    std::string resume;
    if (chosen.choice == platform::LibraryWindow::Choice::Resume) {
      const library::LibraryGame* game = games.find(chosen.folder);
      const auto newest = NewestSave(chosen.folder, game ? game->projectId : "");
      if (!newest) continue;
      resume = newest->name;
    }
    if (const std::string problem = GameFolderProblem(chosen.folder); !problem.empty()) {
      message = problem;
      continue;
    }
    window.hide();
    if (PlayGameInWindow(chosen.folder, resume) == GameEnd::ProgramEnds) return 0;
  }
}

}  // namespace tw
