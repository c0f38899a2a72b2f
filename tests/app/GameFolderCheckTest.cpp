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

struct Chooser {
  platform::MemorySettings settings;
  platform::HeadlessPlatform platform{settings};
};

TEST(GameFolderCheckTest, AGameBesideTheProgramPlaysWithoutADialog) {
  GameFolder beside, other;
  beside.writeGeneral(FullGeneralFields());
  other.writeGeneral(FullGeneralFields());
  Chooser c;
  c.platform.queueFolder(other.path());
  EXPECT_EQ(ChooseGameFolder(c.platform, beside.path()), beside.path());
  EXPECT_TRUE(c.platform.folderChooserStarts().empty());
}

TEST(GameFolderCheckTest, APickThatIsNoGameIsExplainedAndTheDialogComesAgain) {
  GameFolder program, notAGame, game;
  game.writeGeneral(FullGeneralFields());
  Chooser c;
  c.platform.queueFolder(notAGame.path());
  c.platform.queueFolder(game.path());
  EXPECT_EQ(ChooseGameFolder(c.platform, program.path()), game.path());

  ASSERT_EQ(c.platform.boxes().size(), 1u);
  EXPECT_EQ(c.platform.boxes()[0].text,
            notAGame.path() + " is not a game folder: no Config/General");
  EXPECT_EQ(c.platform.boxes()[0].title, kChooserTitle);
  // The second dialog starts where the first pick was.
  ASSERT_EQ(c.platform.folderChooserStarts().size(), 2u);
  EXPECT_EQ(c.platform.folderChooserStarts()[1], notAGame.path());
}

TEST(GameFolderCheckTest, CancellingTheDialogChoosesNothing) {
  GameFolder program;
  Chooser c;
  c.platform.queueFolder(std::nullopt);
  EXPECT_EQ(ChooseGameFolder(c.platform, program.path()), std::nullopt);
  EXPECT_TRUE(c.platform.boxes().empty());
}

TEST(GameFolderCheckTest, TheDialogStartsInTheLastGamePlayed) {
  GameFolder program, game;
  game.writeGeneral(FullGeneralFields());
  Chooser c;
  EXPECT_EQ(LastGame(c.settings), "");
  // Remembered as an absolute folder without a trailing separator, whatever the spelling.
  const std::filesystem::path cwd = std::filesystem::current_path();
  std::filesystem::current_path(game.path());
  RememberLastGame(c.settings, "./");
  std::filesystem::current_path(cwd);
  const std::string expected = game.path().substr(0, game.path().size() - 1);
  EXPECT_EQ(LastGame(c.settings), expected);

  c.platform.queueFolder(std::nullopt);
  ChooseGameFolder(c.platform, program.path());
  ASSERT_EQ(c.platform.folderChooserStarts().size(), 1u);
  EXPECT_EQ(c.platform.folderChooserStarts()[0], expected);

  // A last game that has gone since: the dialog starts at home instead of nowhere.
  RememberLastGame(c.settings, game.path() + "gone");
  c.platform.queueFolder(std::nullopt);
  ChooseGameFolder(c.platform, program.path());
  ASSERT_EQ(c.platform.folderChooserStarts().size(), 2u);
  EXPECT_NE(c.platform.folderChooserStarts()[1], game.path() + "gone");
  EXPECT_TRUE(std::filesystem::is_directory(c.platform.folderChooserStarts()[1]));
}

TEST(GameFolderCheckTest, BeforeAnyGameTheDialogStartsInTheInstalledDemo) {
  // An install: the program in bin/, the demo in share/games/talewick/demo.
  GameFolder install;
  install.write("bin/talewick-player", "");
  install.write("share/games/talewick/demo/Config/General", "\"Demo\"\r\n");
  const std::string bin = install.path() + "bin";
  const std::string demo = install.path() + "share/games/talewick/demo";
  EXPECT_EQ(InstalledDemoGame(bin), demo);
  Chooser c;
  c.platform.queueFolder(std::nullopt);
  ChooseGameFolder(c.platform, bin);
  // Once a game was played, the dialog starts in that one; a last game gone since: the demo.
  GameFolder game;
  game.writeGeneral(FullGeneralFields());
  RememberLastGame(c.settings, game.path());
  c.platform.queueFolder(std::nullopt);
  ChooseGameFolder(c.platform, bin);
  RememberLastGame(c.settings, game.path() + "gone");
  c.platform.queueFolder(std::nullopt);
  ChooseGameFolder(c.platform, bin);
  EXPECT_EQ(c.platform.folderChooserStarts(),
            (std::vector<std::string>{demo, game.path().substr(0, game.path().size() - 1), demo}));
  // Without the demo's Config/General there is no demo: home, as before.
  install.remove("share/games/talewick/demo/Config/General");
  EXPECT_EQ(InstalledDemoGame(bin), "");
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
