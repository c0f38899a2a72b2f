// talewick-player: plays a Talewick game folder.
//
//   talewick-player [GAME_FOLDER]
//   talewick-player --replay FILE [--dump-state] [--screenshot PNG] [--audio-out WAV] GAME_FOLDER
//   talewick-player --check [--json] GAME_FOLDER
//   talewick-player --help | --version
#include <iostream>
#include <string>
#include <vector>

#include <QApplication>

#include "app/GameSession.h"
#include "app/Replay.h"
#include "checker/GameChecker.h"
#include "platform/qt/QtPlatform.h"

namespace {

constexpr const char* kVersion = "0.1.0";

void PrintUsage(std::ostream& out) {
  out << "Usage:\n"
         "  talewick-player [GAME_FOLDER]\n"
         "      play the game in GAME_FOLDER (default: the program's folder)\n"
         "  talewick-player --replay FILE [--dump-state] [--screenshot PNG] [--audio-out WAV] "
         "GAME_FOLDER\n"
         "      play the inputs of FILE headlessly, on a virtual clock; --audio-out writes\n"
         "      the sound of the whole replay (44.1 kHz, 16-bit stereo)\n"
         "  talewick-player --check [--json] GAME_FOLDER\n"
         "      list what is wrong in the game's files, one line each (--json: as JSON);\n"
         "      exit status 0 when nothing is, 1 when something is, 2 when GAME_FOLDER\n"
         "      is not a game\n"
         "  talewick-player --help | --version\n";
}

// The real program: the start-up window, then the game in its window, until the player
// leaves.
int PlayInWindow(int argc, char** argv, std::string folder) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("talewick-player");
  if (folder.empty()) folder = QCoreApplication::applicationDirPath().toStdString();
  if (const std::string problem = tw::GameFolderProblem(folder); !problem.empty()) {
    std::cerr << "talewick-player: " << problem << "\n";
    return 2;
  }
  tw::platform::QtPlatform platform;
  platform.claimInstanceSlot();
  tw::GameSession session(platform, folder);
  if (!session.initialize() || session.programEnded() || platform.quitRequested()) return 0;
  return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
    PrintUsage(std::cout);
    return 0;
  }
  if (!args.empty() && args[0] == "--version") {
    std::cout << "talewick-player " << kVersion << "\n";
    return 0;
  }

  tw::ReplayOptions replay;
  bool replaying = false;
  bool checking = false;
  bool json = false;
  std::vector<std::string> folders;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const auto value = [&](const char* option) -> std::string {
      if (i + 1 >= args.size()) {
        std::cerr << "talewick-player: " << option << " needs a value\n";
        std::exit(2);
      }
      return args[++i];
    };
    if (a == "--replay") {
      replaying = true;
      replay.replayFile = value("--replay");
    } else if (a == "--check") {
      checking = true;
    } else if (a == "--json") {
      json = true;
    } else if (a == "--dump-state") {
      replay.dumpState = true;
    } else if (a == "--screenshot") {
      replay.screenshot = value("--screenshot");
    } else if (a == "--audio-out") {
      replay.audioOut = value("--audio-out");
    } else if (!a.empty() && a[0] == '-') {
      std::cerr << "talewick-player: unknown option " << a << "\n";
      PrintUsage(std::cerr);
      return 2;
    } else {
      folders.push_back(a);
    }
  }
  if (folders.size() > 1) {
    std::cerr << "talewick-player: one game folder only\n";
    return 2;
  }

  if (json && !checking) {
    std::cerr << "talewick-player: --json needs --check\n";
    return 2;
  }
  if (checking) {
    // The checker plays nothing: the replay's options would be silently dropped.
    if (replaying || replay.dumpState || !replay.screenshot.empty() || !replay.audioOut.empty()) {
      std::cerr << "talewick-player: --check takes only --json and a game folder\n";
      return 2;
    }
    if (folders.empty()) {
      std::cerr << "talewick-player: --check needs a game folder\n";
      return 2;
    }
    const tw::checker::CheckResult result = tw::checker::CheckGame(folders[0]);
    return json ? tw::checker::PrintCheckResultJson(result, std::cout)
                : tw::checker::PrintCheckResult(result, std::cout, std::cerr);
  }

  // The dump and the screenshot describe the end of a replay; without one they would be
  // silently dropped while a window opens.
  if (!replaying && (replay.dumpState || !replay.screenshot.empty())) {
    std::cerr << "talewick-player: " << (replay.dumpState ? "--dump-state" : "--screenshot")
              << " needs --replay\n";
    PrintUsage(std::cerr);
    return 2;
  }
  if (replaying) {
    if (folders.empty()) {
      std::cerr << "talewick-player: --replay needs a game folder\n";
      return 2;
    }
    replay.gameFolder = folders[0];
    return tw::RunReplay(replay, std::cout, std::cerr);
  }

  return PlayInWindow(argc, argv, folders.empty() ? std::string() : folders[0]);
}
