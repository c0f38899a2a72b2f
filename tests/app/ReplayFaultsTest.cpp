// Replays and the command line met with mistakes, the state dump of odd variable lists, and
// a game whose picture files carry accented names written in Windows-1252.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/GameSession.h"
#include "app/Replay.h"
#include "app/StateDump.h"
#include "platform/GuiForPainting.h"
#include "platform/Picture.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/GameBuilder.h"
#include "support/ReplayRun.h"

namespace tw::test {
namespace {

using Json = nlohmann::json;


// One frame with a hotspot that shows a message box when clicked.
void WriteTalkingGame(const GameFolder& game) {
  WriteSmallGeneral(game, "Room", true);
  game.writeVariables({"A", "B", "A", "***", "V", "V", "W"});
  WriteFrame(game, "Room", {}, 1);
  WriteHotspot(game, "Room", 1, {.left = 10, .top = 10, .width = 100, .height = 100});
  WriteAction(game, "Room", 1, {.variable = "A", .setOne = true, .showMessage = true,
                                .message = "Hello"});
}

TEST(ReplayFaultsTest, FilesAndFoldersOfTheWrongKindAreRefusedByName) {
  GameFolder game;
  WriteTalkingGame(game);
  std::ostringstream out, err;
  ReplayOptions options;
  options.replayFile = game.path() + "Frames";  // a folder
  options.gameFolder = game.path();
  EXPECT_EQ(RunReplay(options, out, err), 2);
  EXPECT_NE(err.str().find("is a folder, not a file"), std::string::npos) << err.str();

  std::ostringstream out2, err2;
  game.write("replay.txt", "wait 10\n");
  options.replayFile = game.file("replay.txt");
  options.gameFolder = game.file("Config/General");  // a file given as the game folder
  EXPECT_EQ(RunReplay(options, out2, err2), 2);
  EXPECT_NE(err2.str().find("is not a game folder: no Config/General"), std::string::npos)
      << err2.str();
  EXPECT_EQ(err2.str().find("does not exist"), std::string::npos);
}

TEST(ReplayFaultsTest, AnAnswerThatNoBoxTakesStopsTheReplay) {
  GameFolder game;
  WriteTalkingGame(game);
  // The click's box takes the answer that follows it.
  const ReplayOutcome answered = PlayReplay(game, "click 50 50\nanswer ok\nwait 10\n");
  EXPECT_EQ(answered.status, 0) << answered.errors;
  ASSERT_EQ(answered.state["boxes"].size(), 1u);

  for (const char* replay : {"wait 10\nanswer ok\n", "wait 10\ninput hello\n",
                             "click 50 50\ninput\n"}) {
    const ReplayOutcome r = PlayReplay(game, replay);
    EXPECT_EQ(r.status, 1) << replay;
    EXPECT_NE(r.errors.find("line 2: no box to answer"), std::string::npos)
        << replay << r.errors;
  }
  EXPECT_NE(PlayReplay(game, "click 50 50\nanswer ok\nanswer ok\n").errors.find("line 3: no box"),
            std::string::npos);
}

TEST(ReplayFaultsTest, DumpKeepsTheFirstOfTwoNamesakesAndEmptyIsNull) {
  GameFolder game;
  WriteTalkingGame(game);
  platform::GuiForPainting gui;
  platform::HeadlessPlatform platform;
  GameSession session(platform, game.path());
  ASSERT_TRUE(session.initialize());
  session.start();
  Game* g = session.game();
  ASSERT_NE(g, nullptr);
  // The game reads and changes the first "A"; a script may still set the second apart.
  g->variables.Variables.Item(3)->setValue(7);
  g->variables.VariablesVariant.Item(1)->Value = vbs::Variant::fromString("first");
  g->variables.VariablesVariant.Item(2)->Value = vbs::Variant::fromString("second");
  g->variables.VariablesVariant.Item(3)->Value = vbs::Variant();  // Empty
  const Json state = Json::parse(DumpState(session, platform));
  EXPECT_EQ(state["variables"], Json({{"A", 0}, {"B", 0}}));
  EXPECT_EQ(state["variables"].size(), 2u);
  EXPECT_EQ(state["variants"]["V"], "first");
  EXPECT_TRUE(state["variants"]["W"].is_null());
  EXPECT_EQ(state["variants"].size(), 2u);
}

#ifdef TALEWICK_PLAYER
// The exit status of the real program with these arguments, its error text in `err`.
int RunPlayer(const std::string& args, std::string& err) {
  const std::string errFile = ::testing::TempDir() + "tw-player-err.txt";
  // A window that opened by mistake would wait for a person: the time limit ends it.
  const std::string command = "QT_QPA_PLATFORM=offscreen timeout 20 " +
                              std::string(TALEWICK_PLAYER) + " " + args + " >/dev/null 2>" +
                              errFile;
  const int raw = std::system(command.c_str());
  std::ifstream in(errFile);
  err.assign(std::istreambuf_iterator<char>(in), {});
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

TEST(ReplayFaultsTest, DumpAndScreenshotWithoutAReplayAreRefused) {
  GameFolder game;
  WriteTalkingGame(game);
  std::string err;
  EXPECT_EQ(RunPlayer("--dump-state '" + game.path() + "'", err), 2);
  EXPECT_NE(err.find("--dump-state needs --replay"), std::string::npos) << err;
  EXPECT_EQ(RunPlayer("--screenshot /tmp/x.png '" + game.path() + "'", err), 2);
  EXPECT_NE(err.find("--screenshot needs --replay"), std::string::npos) << err;
  EXPECT_EQ(RunPlayer("'" + game.file("Config/General") + "'", err), 2);
  EXPECT_NE(err.find("is not a game folder: no Config/General"), std::string::npos) << err;
}

// A recording that could not be written or played is refused before any window opens.
TEST(ReplayFaultsTest, RecordingsThatCannotBeMadeAreRefused) {
  GameFolder game;
  WriteTalkingGame(game);
  const std::string folder = " '" + game.path() + "'";
  const std::string file = " '" + game.file("played.txt") + "'";
  const struct {
    std::string args;
    const char* says;
  } rows[] = {
      {"--record" + file, "--record needs a game folder"},
      {"--record" + file + " --replay" + file + folder, "choose one"},
      {"--record" + file + " --screenshot /tmp/x.png" + folder, "--screenshot needs --replay"},
      {"--record" + file + " --check" + folder, "--check takes only"},
      {"--record '" + game.path() + "Config'" + folder, "is a folder, not a file"},
      {"--record '" + game.path() + "none/played.txt'" + folder, "cannot write the recording"},
  };
  for (const auto& row : rows) {
    std::string err;
    EXPECT_EQ(RunPlayer(row.args, err), 2) << row.args;
    EXPECT_NE(err.find(row.says), std::string::npos) << row.args << ": " << err;
  }
}
#endif

// A picture saved under a name given as bytes (which Qt's own file names cannot carry).
void SavePicture(const GameFolder& game, const std::string& relative, std::uint32_t colour) {
  const std::string temporary = game.file("Frames/saving.bmp");
  platform::Picture::solid(40, 40, colour)->saveBmp(temporary);
  ASSERT_EQ(std::rename(temporary.c_str(), game.file(relative).c_str()), 0) << relative;
}

// Names written in the data as Windows-1252 for files named in UTF-8 on disk, and the other
// way round: each opener opens exactly the file the look-up found.
TEST(ReplayFaultsTest, AGameWithWindows1252FileNamesPlays) {
  GameFolder game;
  WriteSmallGeneral(game, "Hall", true);
  game.writeVariables({"A"});
  // Background: "Café.bmp" in the frame file as the byte E9, on disk in UTF-8.
  WriteFrame(game, "Hall", {.backgroundType = 1, .background = "Caf\xE9.bmp"}, 1);
  SavePicture(game, "Frames/Caf\u00E9.bmp", 0x0000FF);  // red
  // The hotspot's picture: "Château.bmp" in UTF-8 in its file, on disk as the byte E2.
  WriteHotspot(game, "Hall", 1, {.left = 100, .top = 100, .width = 100, .height = 100,
                                 .hasPicture = true, .picture = "Ch\u00E2teau.bmp", .stretch = 1});
  SavePicture(game, "Areas/Ch\xE2teau.bmp", 0xFF0000);  // blue
  // The item it gives: icon "Clé.bmp", Windows-1252 in the data and on disk.
  game.writeLines("Areas/Hall/1c.dat", {"1", Quoted("Key")});
  game.writeLines("Areas/Key.obj", {Quoted("Cl\xE9.bmp")});
  SavePicture(game, "Areas/Cl\xE9.bmp", 0x00FF00);

  const std::string shot = game.path() + "shot.png";
  const ReplayOutcome r = PlayReplay(game, "click 150 150\nwait 100\n", shot);
  ASSERT_EQ(r.status, 0) << r.errors;
  EXPECT_EQ(r.state["boxes"], Json::array()) << r.state["boxes"];
  EXPECT_EQ(r.state["inventory"], Json({"Key"}));
  const auto picture = platform::Picture::load(shot);
  EXPECT_EQ(picture->pixel(400, 400), 0xFFFF0000u);  // the background, stretched
  EXPECT_EQ(picture->pixel(150, 150), 0xFF0000FFu);  // the hotspot's picture
}

}  // namespace
}  // namespace tw::test
