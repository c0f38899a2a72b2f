// Which folders are games, and choosing one when the program is started without a game.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "app/GameFolderCheck.h"
#include "platform/MemorySettings.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/GameFolder.h"

namespace tw {
namespace {

using test::FullGeneralFields;
using test::GameFolder;

TEST(GameFolderCheckTest, OnlyAFolderWithConfigGeneralInAnyCaseIsAGame) {
  GameFolder game;
  game.writeGeneral(FullGeneralFields());
  EXPECT_EQ(GameFolderProblem(game.path()), "");
  // Without the trailing separator, too.
  const std::string bare = game.path().substr(0, game.path().size() - 1);
  EXPECT_EQ(GameFolderProblem(bare), "");

  // Written on Windows: any letter case.
  GameFolder shouting;
  std::filesystem::remove(shouting.file("Config"));
  shouting.write("CONFIG/general", "\"Id\"\r\n");
  EXPECT_EQ(GameFolderProblem(shouting.path()), "");

  GameFolder empty;  // the sub-folders of a game, but no "General"
  EXPECT_EQ(GameFolderProblem(empty.path()),
            empty.path() + " is not a game folder: no Config/General");

  GameFolder folderNamedGeneral;
  std::filesystem::create_directories(folderNamedGeneral.file("Config/General/x"));
  EXPECT_NE(GameFolderProblem(folderNamedGeneral.path()), "");

  // A file given as the folder: the same message.
  EXPECT_EQ(GameFolderProblem(game.file("Config/General")),
            game.file("Config/General") + " is not a game folder: no Config/General");
  EXPECT_EQ(GameFolderProblem(game.path() + "nowhere"),
            game.path() + "nowhere is not a game folder: it does not exist");
}

TEST(GameFolderCheckTest, DialogsStartBesideTheLastGameElseBesideTheDemoElseAtHome) {
  // An install: the program in bin/, the demo in share/games/talewick/demo.
  GameFolder install, games;
  install.write("bin/talewick-player", "");
  install.write("share/games/talewick/demo/Config/General", "\"Demo\"\r\n");
  games.write("Lamp/Config/General", "\"Lamp\"\r\n");
  const std::string bin = install.path() + "bin";
  EXPECT_EQ(InstalledDemoGame(bin), install.path() + "share/games/talewick/demo");
  platform::MemorySettings settings;
  const std::string home = std::getenv("HOME");
  const auto noSlash = [](std::string f) { return f.substr(0, f.size() - 1); };

  EXPECT_EQ(LastGame(settings), "");
  EXPECT_EQ(DialogStartFolder(settings, bin), install.path() + "share/games/talewick");
  EXPECT_EQ(DialogStartFolder(settings, games.path()), home);
  // Remembered as an absolute folder without a trailing separator, whatever the spelling.
  const std::filesystem::path cwd = std::filesystem::current_path();
  std::filesystem::current_path(games.path() + "Lamp");
  RememberLastGame(settings, "./");
  std::filesystem::current_path(cwd);
  EXPECT_EQ(LastGame(settings), games.path() + "Lamp");
  EXPECT_EQ(DialogStartFolder(settings, bin), noSlash(games.path()));
  // A last game gone since counts for nothing.
  RememberLastGame(settings, games.path() + "gone");
  EXPECT_EQ(DialogStartFolder(settings, bin), install.path() + "share/games/talewick");
  // Without the demo's Config/General there is no demo.
  install.remove("share/games/talewick/demo/Config/General");
  EXPECT_EQ(InstalledDemoGame(bin), "");
  EXPECT_EQ(DialogStartFolder(settings, bin), home);
}

#ifdef TALEWICK_PLAYER
// env: how the environment is changed for the program (arguments of env(1)).
std::string RunProgram(const std::string& args, int& status,
                       const std::string& env = "QT_QPA_PLATFORM=offscreen") {
  // CTest runs each case as its own process, several at once: the file carries the process id.
  const std::string outFile =
      ::testing::TempDir() + "tw-player-out-" + std::to_string(::getpid()) + ".txt";
  const std::string command = "env " + env + " timeout 20 " + std::string(TALEWICK_PLAYER) +
                              " " + args + " </dev/null >" + outFile + " 2>&1";
  const int raw = std::system(command.c_str());
  status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::ifstream in(outFile);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(GameFolderCheckTest, AFolderThatIsNoGameEndsTheProgramWithStatus2AndOneLine) {
  GameFolder notAGame;
  int status = 0;
  const std::string out = RunProgram("'" + notAGame.path() + "'", status);
  EXPECT_EQ(status, 2);
  EXPECT_EQ(out,
            "talewick-player: " + notAGame.path() + " is not a game folder: no Config/General\n");
}

// A display that is named but cannot be reached, or none at all: one line that says so and
// an exit status, where Qt alone would abort.
TEST(GameFolderCheckTest, AnUnreachableDisplayIsExplainedNotAborted) {
  GameFolder notAGame, game;
  game.writeGeneral(FullGeneralFields());
  const std::string x11 = "-u QT_QPA_PLATFORM -u WAYLAND_DISPLAY DISPLAY=:987";
  int status = 0;
  // Not started from a terminal, so the refusal would also go in a box: there is no screen
  // for it, and the line is enough.
  std::string out = RunProgram("'" + notAGame.path() + "'", status, x11);
  EXPECT_EQ(status, 2);
  EXPECT_EQ(out,
            "talewick-player: " + notAGame.path() + " is not a game folder: no Config/General\n");

  out = RunProgram("'" + game.path() + "'", status, x11);
  EXPECT_EQ(status, 1);
  EXPECT_EQ(out, "talewick-player: cannot open the display \":987\"\n");

  out = RunProgram("'" + game.path() + "'", status, "-u QT_QPA_PLATFORM -u WAYLAND_DISPLAY -u DISPLAY");
  EXPECT_EQ(status, 1);
  EXPECT_EQ(out, "talewick-player: no display to open a window on (DISPLAY is not set)\n");
}

// Every option --help lists is documented in the manual page, and the other way round.
TEST(GameFolderCheckTest, HelpAndManualPageListTheSameOptions) {
  int status = 0;
  const std::string help = RunProgram("--help", status);
  EXPECT_EQ(status, 0);
  std::set<std::string> helpOptions;
  const std::regex helpLine(R"(^  (?:-h, )?(--[a-z-]+))");
  std::istringstream lines(help);
  for (std::string line; std::getline(lines, line);) {
    std::smatch m;
    if (std::regex_search(line, m, helpLine)) helpOptions.insert(m[1]);
  }
  EXPECT_GE(helpOptions.size(), 8u) << help;

  std::ifstream manFile(std::string(TALEWICK_SOURCE_DIR) + "/data/talewick-player.6");
  ASSERT_TRUE(manFile) << "no manual page";
  std::set<std::string> manOptions;
  bool inOptions = false;
  for (std::string line; std::getline(manFile, line);) {
    if (line.starts_with(".SH")) inOptions = line == ".SH OPTIONS";
    if (!inOptions || !line.starts_with(".TP")) continue;
    std::string tag;
    std::getline(manFile, tag);
    std::string option;
    for (std::size_t i = 0; i < tag.size(); ++i) {  // "\-\-dump\-state" is --dump-state
      if (tag[i] == '\\' && i + 1 < tag.size() && tag[i + 1] == '-') continue;
      option += tag[i];
    }
    static const std::regex longOption(R"(--[a-z-]+)");
    for (auto it = std::sregex_iterator(option.begin(), option.end(), longOption);
         it != std::sregex_iterator(); ++it) {
      manOptions.insert(it->str());
    }
  }
  EXPECT_EQ(helpOptions, manOptions);

  const std::string version = RunProgram("--version", status);
  EXPECT_EQ(status, 0);
  EXPECT_TRUE(std::regex_match(version, std::regex(R"(talewick-player \d+\.\d+\.\d+\n)")))
      << version;
}
#endif

}  // namespace
}  // namespace tw
