// The automatic save by replay: written at the quit and listed first by the next run, which
// loads the same game from it; never over a player's save of the same name; put off while a
// box is open; not written when nothing changed, when the Options entry is off or when the
// game disables saving.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "platform/Picture.h"
#include "support/GameBuilder.h"
#include "support/ReplayRun.h"

namespace tw::test {
namespace {

using Json = nlohmann::json;

// A shell to pick up (its hotspot vanishes), a lever, a door to the cave once it is pulled,
// and in the cave the end of the game.
void WriteShore(const GameFolder& game, bool disableSave = false) {
  std::vector<std::string> general = FullGeneralFields();
  general[4] = Quoted("Shore");
  general[19] = "#FALSE#";  // loading offered
  general[20] = disableSave ? "#TRUE#" : "#FALSE#";
  general[37] = Quoted("DEFAULT");
  general[40] = "#TRUE#";
  general[42] = "#FALSE#";                // the start-up window shown
  general[45] = general[46] = "#FALSE#";  // the Options menu shown
  game.writeGeneral(general);
  game.writeVariables({"DoorOpen", "***", "Note"});
  WriteFrame(game, "Shore", {.background = "16711680"}, 3);
  WriteHotspot(game, "Shore", 1, {.left = 100, .top = 100, .width = 40, .height = 40});
  WriteAction(game, "Shore", 1, {.disappear = true, .giveItem = "Shell"});
  WriteHotspot(game, "Shore", 2, {.left = 200, .top = 100, .width = 40, .height = 40});
  WriteAction(game, "Shore", 2, {.variable = "DoorOpen", .invert = true});
  WriteHotspot(game, "Shore", 3,
               {.left = 300, .top = 100, .width = 40, .height = 40, .mustBeOne = {"DoorOpen"}});
  WriteAction(game, "Shore", 3, {.goTo = "Cave"});
  WriteFrame(game, "Cave", {.background = "255"}, 1);
  WriteHotspot(game, "Cave", 1, {.left = 10, .top = 200, .width = 40, .height = 40});
  WriteAction(game, "Cave", 1, {.endGame = true});
  platform::Picture::solid(32, 32, 0x00AAFF)->saveBmp(game.file("Areas/icon.bmp"));
  game.writeLines("Areas/Shell.obj", {Quoted("icon.bmp")});
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::vector<std::int64_t> Written(const ReplayOutcome& run) {
  return run.state["autosaves_written"].get<std::vector<std::int64_t>>();
}

TEST(AutosaveReplayTest, QuitSavesItAndTheNextRunLoadsItFirstBesidesThePlayersAutosave) {
  GameFolder game;
  WriteShore(game);
  const std::string players = "\"Shore\"\r\n0\r\n0\r\n0\r\n";  // the player's own "Autosave"
  game.write("Autosave.sav", players);

  const ReplayOutcome first = PlayReplay(
      game, "start\nclick 110 110\nclick 210 110\nclick 310 110\nkey Q\nanswer yes\nwait 200\n");
  ASSERT_EQ(first.status, 0) << first.errors;
  EXPECT_FALSE(first.state["game_window_open"].get<bool>());
  EXPECT_EQ(Written(first).size(), 1u);
  EXPECT_EQ(first.state["autosave"].get<std::string>().rfind("Autosave (", 0), 0u);
  // The save window's list holds the player's save only, still without a picture; the
  // automatic save's picture has a name of its own.
  EXPECT_EQ(first.state["saved_games"], Json::parse(R"([{"name":"Autosave","picture":false}])"));
  EXPECT_EQ(ReadFile(game.file("Autosave.sav")), players);
  EXPECT_TRUE(platform::Picture::load(game.file("Autosave.autosave.png")));
  const std::string autosave = ReadFile(game.file("Autosave.autosave"));

  // Loaded from the start-up window's list, where it comes first; ten minutes later the
  // player saves as "Autosave" over their own save and quits, nothing changed since the load.
  const ReplayOutcome second = PlayReplay(
      game, "load\nwait 600000\nsave Autosave\nanswer ok\nkey Q\nanswer yes\nwait 200\n");
  ASSERT_EQ(second.status, 0) << second.errors;
  for (const char* field : {"frame", "history", "variables", "inventory", "disappeared"}) {
    EXPECT_EQ(second.state[field], first.state[field]) << field;
  }
  EXPECT_EQ(second.state["frame"], "Cave");
  EXPECT_TRUE(Written(second).empty());
  EXPECT_EQ(ReadFile(game.file("Autosave.autosave")), autosave);
  EXPECT_NE(ReadFile(game.file("Autosave.sav")), players);
}

TEST(AutosaveReplayTest, PutOffWhileABoxIsOpenThenMadeAtTheNextQuietMoment) {
  GameFolder game;
  WriteShore(game);
  // The Exit question stays open from about 1 s to 601 s, over the 10-minute mark.
  const ReplayOutcome run =
      PlayReplay(game,
                 "start\nclick 110 110\nwait 1000\nkey Q\nwait 600000\nanswer no\n"
                 "wait 3000\n");
  ASSERT_EQ(run.status, 0) << run.errors;
  const std::vector<std::int64_t> written = Written(run);
  ASSERT_EQ(written.size(), 1u);
  EXPECT_GT(written[0], 601000);
  EXPECT_LE(written[0], 603000);
}

TEST(AutosaveReplayTest, NothingWrittenUnchangedSwitchedOffOrWithSavingDisabled) {
  GameFolder game;
  WriteShore(game);
  // Twenty minutes untouched, a change and ten more, the entry off, a change, the quit.
  const ReplayOutcome run =
      PlayReplay(game,
                 "start\nwait 600000\nwait 600000\nclick 110 110\nwait 600000\nwait 600000\n"
                 "menu mnuAutosave\nclick 210 110\nwait 600000\nkey Q\nanswer yes\nwait 200\n");
  ASSERT_EQ(run.status, 0) << run.errors;
  const std::vector<std::int64_t> written = Written(run);
  ASSERT_EQ(written.size(), 1u) << run.errors;
  EXPECT_GT(written[0], 1200000);
  EXPECT_LE(written[0], 1800000 + 1000);
  const ReplayOutcome loaded = PlayReplay(game, "load\n");
  EXPECT_EQ(loaded.state["inventory"], Json({"Shell"}));
  EXPECT_EQ(loaded.state["variables"]["DoorOpen"], 0);

  // The game's own end keeps the last automatic save, which leads back into the game.
  const ReplayOutcome ended =
      PlayReplay(game, "start\nclick 110 110\nclick 210 110\nclick 310 110\nclick 20 210\n");
  EXPECT_FALSE(ended.state["game_window_open"].get<bool>());
  EXPECT_TRUE(Written(ended).empty());

  GameFolder locked;
  WriteShore(locked, true);
  const ReplayOutcome disabled =
      PlayReplay(locked, "start\nclick 110 110\nwait 600000\nkey Q\nanswer yes\nwait 200\n");
  EXPECT_TRUE(Written(disabled).empty());
  EXPECT_TRUE(disabled.state["autosave"].is_null());
}

}  // namespace
}  // namespace tw::test
