// Save, quit, start the program again, load — by replay, as the program runs them: the
// second run must see the same frame, variables, variants, items, vanished hotspots and
// history as the first one saved.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "app/Replay.h"
#include "platform/Picture.h"
#include "support/GameBuilder.h"
#include "support/ReplayRun.h"

namespace tw::test {
namespace {

using Json = nlohmann::json;

// The shore: a shell to pick up (its hotspot vanishes), a lever that opens a door, the door
// to the cave, and in the cave a lamp that is given as an item.
void WriteShore(const GameFolder& game, bool skipStartupWindow) {
  std::vector<std::string> general = FullGeneralFields();
  general[4] = Quoted("Shore");
  general[6] = "640";
  general[7] = "480";
  general[19] = "#FALSE#";  // loading offered
  general[37] = Quoted("DEFAULT");
  general[40] = "#TRUE#";
  general[42] = skipStartupWindow ? "#TRUE#" : "#FALSE#";
  game.writeGeneral(general);
  game.writeVariables({"DoorOpen", "Lit", "***", "Note"});
  WriteFrame(game, "Shore", {.background = "16711680"}, 3);
  WriteHotspot(game, "Shore", 1, {.left = 100, .top = 100, .width = 40, .height = 40});
  WriteAction(game, "Shore", 1, {.disappear = true, .giveItem = "Shell"});
  WriteHotspot(game, "Shore", 2, {.left = 200, .top = 100, .width = 40, .height = 40});
  WriteAction(game, "Shore", 2, {.variable = "DoorOpen", .invert = true});
  WriteHotspot(game, "Shore", 3, {.left = 300, .top = 100, .width = 40, .height = 40,
                                  .mustBeOne = {"DoorOpen"}});
  WriteAction(game, "Shore", 3, {.goTo = "Cave"});
  WriteFrame(game, "Cave", {.background = "255"}, 1);
  WriteHotspot(game, "Cave", 1, {.left = 10, .top = 200, .width = 40, .height = 40});
  WriteAction(game, "Cave", 1, {.variable = "Lit", .setOne = true, .giveItem = "Lamp"});
  platform::Picture::solid(32, 32, 0x00AAFF)->saveBmp(game.file("Areas/icon.bmp"));
  for (const char* item : {"Shell", "Lamp"}) {
    game.writeLines(std::string("Areas/") + item + ".obj", {Quoted("icon.bmp")});
  }
}


void ExpectSameGame(const Json& a, const Json& b) {
  for (const char* field : {"frame", "history", "variables", "variants", "inventory",
                            "disappeared", "hotspots"}) {
    EXPECT_EQ(a[field], b[field]) << field;
  }
}

const char* kPlayAndSave =
    "start\n"
    "click 110 110\n"   // the shell
    "click 210 110\n"   // the lever: the door shows
    "click 310 110\n"   // into the cave
    "click 20 210\n"    // the lamp
    "save Evening\n";

TEST(SaveLoadReplayTest, LoadedFromTheStartupWindowInANewRun) {
  GameFolder game;
  WriteShore(game, false);
  const ReplayOutcome first = PlayReplay(game, kPlayAndSave);
  ASSERT_EQ(first.status, 0) << first.errors;
  EXPECT_EQ(first.state["inventory"], Json({"Shell", "Lamp"}));
  EXPECT_EQ(first.state["saved_games"], Json({"Evening"}));

  const ReplayOutcome second = PlayReplay(game, "load Evening\n");
  ASSERT_EQ(second.status, 0) << second.errors;
  EXPECT_TRUE(second.state["game_window_open"].get<bool>()) << second.errors << second.state.dump();
  ExpectSameGame(first.state, second.state);
  EXPECT_EQ(second.state["frame"], "Cave");
  EXPECT_EQ(second.state["variables"]["DoorOpen"], 1);
  EXPECT_EQ(second.state["disappeared"], Json::parse(R"([["Shore", 1]])"));
  EXPECT_EQ(second.state["history"], Json({"Shore", "Cave"}));
  // The load took its pauses on the virtual clock.
  EXPECT_GE(second.state["clock_ms"].get<int>(), 1800);
}

TEST(SaveLoadReplayTest, LoadedFromTheMenuOverAGameInProgress) {
  GameFolder game;
  WriteShore(game, true);
  const ReplayOutcome first = PlayReplay(game, kPlayAndSave);
  ASSERT_EQ(first.status, 0) << first.errors;
  const ReplayOutcome second = PlayReplay(game,
                          "click 210 110\n"  // a different game: the door opens
                          "load Evening\n"
                          "click 20 210\n");  // the lamp is taken again: the game plays on
  ASSERT_EQ(second.status, 0) << second.errors;
  EXPECT_EQ(second.state["inventory"], Json({"Shell", "Lamp", "Lamp"}));
  EXPECT_EQ(second.state["frame"], "Cave");
}

TEST(SaveLoadReplayTest, ReplacingNeedsAnAnswerAndBadChoicesShowTheirBoxes) {
  GameFolder game;
  WriteShore(game, true);
  const ReplayOutcome run = PlayReplay(game,
                       "save First\n"
                       "click 110 110\n"
                       "save First\n"
                       "answer cancel\n"   // keep the old one
                       "save Second\n"
                       "save bad:name\n"
                       "load Nowhere\n");  // not in the list: LOAD with nothing chosen
  ASSERT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.state["saved_games"], Json({"Second", "First"}));
  const Json& boxes = run.state["boxes"];
  ASSERT_EQ(boxes.size(), 3u) << boxes.dump();
  EXPECT_EQ(boxes[0]["answer"], "cancel");
  EXPECT_EQ(boxes[1]["text"].get<std::string>().rfind("Please do not use", 0), 0u);
  EXPECT_EQ(boxes[2]["text"], "Please select something.");
  EXPECT_NE(run.errors.find("no saved game 'Nowhere'"), std::string::npos);
  // First was kept: loading it gives an empty inventory.
  const ReplayOutcome again = PlayReplay(game, "load First\n");
  EXPECT_EQ(again.state["inventory"], Json::array());
}

}  // namespace
}  // namespace tw::test
