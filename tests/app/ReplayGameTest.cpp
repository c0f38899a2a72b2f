// A whole small game played by replay, checked through its state dump.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "app/Replay.h"
#include "support/GameBuilder.h"
#include "support/ReplayRun.h"

namespace tw::test {
namespace {

using Json = nlohmann::json;

// Beach: a lever opens a door (a hotspot shown only while DoorOpen is 1), a shell can be
// picked up once; Hall leads on to Tower or back; Tower moves on by itself after 1.5 s to
// Top, whose bell ends the game.
void WriteLighthouse(const GameFolder& game) {
  WriteSmallGeneral(game, "Beach", true);
  game.writeVariables({"LampOn", "DoorOpen", "Visited", "***", "Score"});

  WriteFrame(game, "Beach", {.background = "16711680"}, 3);
  WriteHotspot(game, "Beach", 1, {.left = 300, .top = 100, .width = 80, .height = 160,
                                  .mustBeOne = {"DoorOpen"}});
  WriteAction(game, "Beach", 1, {.goTo = "Hall"});
  WriteHotspot(game, "Beach", 2, {.left = 100, .top = 300, .width = 40, .height = 40});
  WriteAction(game, "Beach", 2, {.variable = "DoorOpen", .invert = true, .showMessage = true,
                                 .message = "The door creaks open.", .messageInFrame = true});
  WriteHotspot(game, "Beach", 3, {.left = 500, .top = 400, .width = 30, .height = 30});
  WriteAction(game, "Beach", 3, {.showMessage = true, .message = "A shell!", .disappear = true});
  WriteText(game, "Beach", "title.lbl", {.caption = "The Beach", .left = 150, .top = 150});

  WriteFrame(game, "Hall", {.background = "255"}, 2);
  WriteHotspot(game, "Hall", 1, {.left = 0, .top = 0, .width = 100, .height = 100});
  WriteAction(game, "Hall", 1, {.goTo = "Tower"});
  WriteHotspot(game, "Hall", 2, {.left = 200, .top = 0, .width = 100, .height = 100});
  WriteAction(game, "Hall", 2, {.goBack = true});

  WriteFrame(game, "Tower", {.background = "65280", .timerOn = true, .timerDelay = "1.5",
                             .timerTarget = "Top"});
  WriteFrame(game, "Top", {.background = "0"}, 1);
  WriteHotspot(game, "Top", 1, {.left = 10, .top = 10, .width = 50, .height = 50});
  WriteAction(game, "Top", 1, {.variable = "LampOn", .setOne = true, .endGame = true});
}


TEST(ReplayGameTest, TheLighthousePlaysThroughToItsEnd) {
  GameFolder game;
  WriteLighthouse(game);
  const ReplayOutcome r = PlayReplay(game,
                              "# open the door, take the shell, go in, back out, in, up\n"
                              "click 10 310\n"    // the door is still shut: the background
                              "click 110 310\n"   // the lever
                              "wait 100\n"
                              "click 510 410\n"   // the shell
                              "answer ok\n"
                              "click 510 410\n"   // gone: nothing happens
                              "click 310 150\n"   // the door
                              "click 250 50\n"    // back to the beach
                              "click 310 150\n"
                              "click 50 50\n"     // on to the tower
                              "wait 1600\n"       // its timer moves on
                              "click 20 20\n");   // the bell ends the game
  ASSERT_EQ(r.status, 0) << r.errors;
  const Json& s = r.state;
  EXPECT_EQ(s["frame"], "Top");
  EXPECT_EQ(s["history"], Json({"Beach", "Hall", "Tower", "Top"}));
  EXPECT_EQ(s["variables"], Json({{"LampOn", 1}, {"DoorOpen", 1}, {"Visited", 0}}));
  EXPECT_EQ(s["variants"]["Score"], 0);
  EXPECT_EQ(s["disappeared"], Json::array({Json::array({"Beach", 3})}));
  ASSERT_EQ(s["boxes"].size(), 1u);
  EXPECT_EQ(s["boxes"][0]["text"], "A shell!");
  EXPECT_EQ(s["boxes"][0]["title"], "The Lighthouse");
  EXPECT_EQ(s["boxes"][0]["icon"], "information");
  EXPECT_FALSE(s["game_window_open"]);
  EXPECT_FALSE(s["game_stopped"]);
}

TEST(ReplayGameTest, StateOfAGameInProgress) {
  GameFolder game;
  WriteLighthouse(game);
  const ReplayOutcome r = PlayReplay(game, "click 110 310\nwait 500\n");
  ASSERT_EQ(r.status, 0) << r.errors;
  const Json& s = r.state;
  EXPECT_EQ(s["frame"], "Beach");
  EXPECT_EQ(s["message_bar"], "The door creaks open.");
  EXPECT_EQ(s["texts"], Json({"The Beach"}));
  ASSERT_EQ(s["hotspots"].size(), 3u);
  // The door appears once DoorOpen is 1; hotspots are 2 pixels smaller on every side.
  EXPECT_EQ(s["hotspots"][0],
            Json({{"number", 1}, {"visible", true}, {"left", 302}, {"top", 102}, {"width", 76},
                  {"height", 156}}));
  EXPECT_TRUE(s["game_window_open"]);
  EXPECT_GE(s["clock_ms"].get<int>(), 600);

  // "The door creaks open." has 21 characters: the bar goes after 21 x 70 + 1000 ms.
  const ReplayOutcome later = PlayReplay(game, "click 110 310\nwait 2400\n");
  EXPECT_TRUE(later.state["message_bar"].is_null());
}

TEST(ReplayGameTest, ExitAskedAndAnsweredInsideTheBox) {
  GameFolder game;
  WriteLighthouse(game);
  const ReplayOutcome kept = PlayReplay(game, "key Q\nanswer no\nwait 500\n");
  EXPECT_TRUE(kept.state["game_window_open"]);
  ASSERT_EQ(kept.state["boxes"].size(), 1u);
  EXPECT_EQ(kept.state["boxes"][0]["text"], "Do you really want to quit?");
  EXPECT_EQ(kept.state["boxes"][0]["answer"], "no");

  const ReplayOutcome left = PlayReplay(game, "key Q\nanswer yes\nwait 500\nclick 10 10\n");
  EXPECT_FALSE(left.state["game_window_open"]);
  EXPECT_NE(left.errors.find("line 4"), std::string::npos);  // input after the end is noted
}

TEST(ReplayGameTest, MenusAreChosenByNameOnlyWhenShown) {
  GameFolder game;
  WriteLighthouse(game);
  // The Debug menu's frame list is hidden until its four keys are pressed.
  const ReplayOutcome hidden = PlayReplay(game, "menu mnuFrameName:Tower\n");
  EXPECT_EQ(hidden.state["frame"], "Beach");
  EXPECT_NE(hidden.errors.find("not shown"), std::string::npos);

  const ReplayOutcome shown =
      PlayReplay(game, "key F12\nkey F11\nkey F10\nkey F9\nmenu mnuFrameName:Tower\n"
                 "menu mnuExit\nanswer yes\nwait 200\n");
  ASSERT_EQ(shown.status, 0) << shown.errors;
  EXPECT_EQ(shown.state["frame"], "Tower");
  EXPECT_FALSE(shown.state["game_window_open"]);

  EXPECT_EQ(PlayReplay(game, "menu mnuNoSuchThing\n").status, 1);
}

TEST(ReplayGameTest, BadReplaysAndFoldersStopWithClearMessages) {
  GameFolder game;
  WriteLighthouse(game);
  const ReplayOutcome bad = PlayReplay(game, "click 1 2\n\n# fine\njump 3 4\n");
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.errors.find("line 4"), std::string::npos);
  EXPECT_NE(bad.errors.find("jump"), std::string::npos);

  for (const char* text : {"click 1\n", "wait -5\n", "key F13\n", "answer maybe\n",
                                  "click a b\n", "hold\n", "release Shift+\n", "key Meta+Tab\n"}) {
    EXPECT_EQ(PlayReplay(game, text).status, 1) << text;
  }

  std::ostringstream out, err;
  ReplayOptions options;
  options.replayFile = game.file("replay.txt");
  options.gameFolder = game.path() + "no-such-game";
  EXPECT_EQ(RunReplay(options, out, err), 2);
  EXPECT_NE(err.str().find("does not exist"), std::string::npos);
}

}  // namespace
}  // namespace tw::test
