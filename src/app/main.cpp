// talewick-player: plays a Talewick game folder.
//
//   talewick-player [GAME_FOLDER]
//   talewick-player --record FILE [--dump-state] GAME_FOLDER
//   talewick-player --replay FILE [--dump-state] [--screenshot PNG] [--audio-out WAV] GAME_FOLDER
//   talewick-player --check [--json] GAME_FOLDER
//   talewick-player --list [--json] | --add GAME_FOLDER
//   talewick-player --help | --version
//
// A folder that is not a game is refused before any window opens (exit status 2). Without a
// folder the game beside the program plays, else the library of the user's games opens.
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include <QApplication>
#include <QIcon>

#include "app/GameFolderCheck.h"
#include "app/GameInWindow.h"
#include "app/LibraryLaunch.h"
#include "app/Recorder.h"
#include "app/Replay.h"
#include "checker/GameChecker.h"
#include "library/GameLibrary.h"
#include "platform/qt/DisplayCheck.h"
#include "platform/qt/QtPlatform.h"

namespace {

constexpr const char* kVersion = TALEWICK_VERSION;

// One line per option; the manual page (talewick-player.6) says the same at length.
void PrintUsage(std::ostream& out) {
  out << "Usage: talewick-player [GAME_FOLDER]\n"
         "       talewick-player --record FILE [--dump-state] GAME_FOLDER\n"
         "       talewick-player --replay FILE [--dump-state] [--screenshot PNG] "
         "[--audio-out WAV] GAME_FOLDER\n"
         "       talewick-player --check [--json] GAME_FOLDER\n"
         "       talewick-player --list [--json] | --add GAME_FOLDER\n"
         "Plays the Talewick adventure game in GAME_FOLDER; without one, the game beside the\n"
         "program, else the library of your games opens, to choose, add and resume them.\n"
         "\n"
         "Options:\n"
         "  --record FILE     play in the window and write the play-through to FILE as a replay\n"
         "  --replay FILE     play the inputs listed in FILE without a window, on a virtual clock\n"
         "  --dump-state      with --replay or --record: print the state of the game at the end\n"
         "                    as JSON\n"
         "  --screenshot PNG  with --replay: write what the game area shows at the end as PNG\n"
         "  --audio-out WAV   with --replay: write the sound of the whole replay "
         "(44.1 kHz, 16-bit stereo)\n"
         "  --check GAME      list what the player would stumble on in GAME, without playing it\n"
         "  --json            with --check or --list: print JSON\n"
         "  --list            print the library: one game a line, title and folder\n"
         "  --add GAME        add GAME to the library\n"
         "  -h, --help        print this help and exit\n"
         "  --version         print the version and exit\n"
         "\n"
         "Keys while playing: Esc menus (and stops a video or transition), Q quit, S save,\n"
         "F12 F11 F10 F9 in turn the Debug menu, Alt+Enter full screen or window, F8 screenshot.\n"
         "Space held shows the hotspots; Tab / Shift+Tab the next / previous hotspot, Enter\n"
         "click, arrows move the pointer, I the inventory (arrows choose, Enter picks up).\n"
         "See talewick-player(6).\n";
}

bool StartsWith(const char* text, std::string_view prefix) {
  return text && std::string_view(text).starts_with(prefix);
}

// A refusal is shown in a box only where nobody would read standard error: started from the
// desktop rather than a terminal, with a screen to show the box on.
bool ShowRefusalInABox() {
  if (::isatty(STDERR_FILENO)) return false;
  const char* qpa = std::getenv("QT_QPA_PLATFORM");
  if (StartsWith(qpa, "offscreen") || StartsWith(qpa, "minimal")) return false;
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 && *x11) || (wayland && *wayland);
}

void SetProgramIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    icon.addFile(QStringLiteral(":/talewick/talewick-player-%1.png").arg(size), QSize(size, size));
  }
  // The default icon of every window the program opens: boxes and dialogs included.
  QApplication::setWindowIcon(icon);
}

// The real program: the start-up window, then the game in its window, until the player
// leaves.
// With a recording, the play-through is written to its file as a replay (and the state
// printed at the end when asked for).
struct Recording {
  std::string file;  // empty: no recording
  bool dumpState = false;
};

int PlayInWindow(int argc, char** argv, std::string folder, const Recording& record = {}) {
  if (!folder.empty()) {
    if (const std::string problem = tw::GameFolderProblem(folder); !problem.empty()) {
      std::cerr << "talewick-player: " << problem << "\n";
      if (ShowRefusalInABox()) {
        // A display that is named but cannot be reached shows nothing, and Qt would abort.
        const tw::platform::DisplayProbe display;
        if (display.problem().empty()) {
          QApplication app(argc, argv);
          SetProgramIcon();
          tw::platform::QtPlatform platform;
          platform.messageBox(tw::platform::MakeBox(tw::kChooserTitle, problem,
                                                    tw::platform::MsgIcon::Error,
                                                    tw::platform::MsgButtons::Ok));
        }
      }
      return 2;
    }
  }
  // A file that cannot be written is refused before any window opens.
  std::unique_ptr<tw::RecordingFile> recording;
  if (!record.file.empty()) {
    recording = tw::RecordingFile::Create(record.file, std::cerr);
    if (!recording) return 2;
  }
  const tw::platform::DisplayProbe display;
  if (!display.problem().empty()) {
    std::cerr << "talewick-player: " << display.problem() << "\n";
    return 1;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName("talewick-player");
  QApplication::setApplicationVersion(kVersion);
  // Lets the desktop match the windows with the installed desktop entry and its icon.
  QGuiApplication::setDesktopFileName("talewick-player");
  SetProgramIcon();
  if (folder.empty()) {
    const std::string programFolder = QCoreApplication::applicationDirPath().toStdString();
    if (!tw::GameFolderProblem(programFolder).empty()) return tw::RunLibrary(programFolder);
    folder = programFolder;
  }
  tw::PlayHooks hooks;
  if (recording) {
    hooks.started = [&](tw::platform::Platform& platform, tw::GameSession& session) {
      recording->start(platform, session, kVersion);
    };
    hooks.ended = [&] { recording->end(record.dumpState ? &std::cout : nullptr); };
  }
  tw::PlayGameInWindow(folder, "", hooks);
  return 0;
}

// --list and --add: the library from the command line.
int LibraryCommand(bool list, bool json, const std::vector<std::string>& folders) {
  if (list) {
    if (!folders.empty()) {
      std::cerr << "talewick-player: --list takes no game folder\n";
      return 2;
    }
    tw::library::GameLibrary games(tw::library::GameLibrary::DefaultPath());
    tw::SeedNewLibrary(games, tw::ProgramFolder());
    if (!games.lastProblem().empty()) std::cerr << "talewick-player: " << games.lastProblem() << "\n";
    std::cout << (json ? tw::library::LibraryAsJson(games.games())
                       : tw::library::LibraryAsText(games.games()));
    return 0;
  }
  if (folders.size() != 1) {
    std::cerr << "talewick-player: --add needs one game folder\n";
    return 2;
  }
  if (const std::string problem = tw::AddGameToLibrary(folders[0]); !problem.empty()) {
    std::cerr << "talewick-player: " << problem << "\n";
    return 2;
  }
  const tw::library::GameLibrary games(tw::library::GameLibrary::DefaultPath());
  if (const tw::library::LibraryGame* game = games.find(folders[0])) {
    std::cout << game->title << "\t" << game->folder << "\n";
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // A file size limit (ulimit -f) reached while saving must fail that one write (EFBIG, reported
  // like a full disk), not kill the player and the game in play with it.
  std::signal(SIGXFSZ, SIG_IGN);
  const std::vector<std::string> args(argv + 1, argv + argc);
  for (const std::string& a : args) {
    if (a == "--help" || a == "-h") {
      PrintUsage(std::cout);
      return 0;
    }
    if (a == "--version") {
      std::cout << "talewick-player " << kVersion << "\n";
      return 0;
    }
  }

  tw::ReplayOptions replay;
  Recording record;
  bool replaying = false;
  bool checking = false;
  bool listing = false;
  bool adding = false;
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
    } else if (a == "--record") {
      record.file = value("--record");
    } else if (a == "--check") {
      checking = true;
    } else if (a == "--list") {
      listing = true;
    } else if (a == "--add") {
      adding = true;
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

  if (json && !checking && !listing) {
    std::cerr << "talewick-player: --json needs --check or --list\n";
    return 2;
  }
  if (listing || adding) {
    if (listing && adding) {
      std::cerr << "talewick-player: --list and --add go separately\n";
      return 2;
    }
    if (checking || replaying || replay.dumpState || !replay.screenshot.empty() ||
        !replay.audioOut.empty()) {
      std::cerr << "talewick-player: --list and --add take no other option but --json\n";
      return 2;
    }
    return LibraryCommand(listing, json, folders);
  }
  if (checking) {
    // The checker plays nothing: the replay's options would be silently dropped.
    if (replaying || !record.file.empty() || replay.dumpState || !replay.screenshot.empty() ||
        !replay.audioOut.empty()) {
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

  if (replaying && !record.file.empty()) {
    std::cerr << "talewick-player: --record plays in the window, --replay without one: "
                 "choose one\n";
    return 2;
  }
  if (!record.file.empty()) {
    // A recording starts from the game's start-up window, never from the folder dialog.
    if (folders.empty()) {
      std::cerr << "talewick-player: --record needs a game folder\n";
      return 2;
    }
    if (!replay.screenshot.empty() || !replay.audioOut.empty()) {
      std::cerr << "talewick-player: "
                << (replay.screenshot.empty() ? "--audio-out" : "--screenshot")
                << " needs --replay\n";
      return 2;
    }
    record.dumpState = replay.dumpState;
    return PlayInWindow(argc, argv, folders[0], record);
  }
  // The dump and the screenshot describe the end of a replay; without one they would be
  // silently dropped while a window opens.
  if (!replaying && (replay.dumpState || !replay.screenshot.empty())) {
    std::cerr << "talewick-player: "
              << (replay.dumpState ? "--dump-state needs --replay or --record"
                                   : "--screenshot needs --replay")
              << "\n";
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
