// A replay of 100,000 lines plays through to its end, every line counted: no line is lost,
// nothing grows without bound, and a line that cannot be a number stops it with its number.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "app/Replay.h"
#include "support/GameBuilder.h"
#include "support/ReplayRun.h"

namespace tw::test {
namespace {


// One frame whose hotspot turns the variable A over at every click.
void WriteSwitchGame(const GameFolder& game) {
  WriteSmallGeneral(game, "Room", true);
  game.writeVariables({"A"});
  WriteFrame(game, "Room", {}, 1);
  WriteHotspot(game, "Room", 1, {.left = 15, .top = 15, .width = 300, .height = 300});
  WriteAction(game, "Room", 1, {.variable = "A", .invert = true});
}

TEST(LongReplayTest, TheSwitchTurns) {
  GameFolder game;
  WriteSwitchGame(game);
  const ReplayOutcome played = PlayReplay(game, "start\nclick 100 100\n");
  ASSERT_EQ(played.status, 0) << played.errors;
  EXPECT_EQ(played.state["variables"]["A"], 1) << played.state.dump();
}

TEST(LongReplayTest, AHundredThousandLinesPlayToTheEnd) {
  GameFolder game;
  WriteSwitchGame(game);
  std::string replay = "start\n";
  // 100,000 lines: 33,333 clicks on the switch, the rest moves, waits and comments.
  int clicks = 0;
  for (int i = 1; i < 100000; ++i) {
    switch (i % 3) {
      case 0:
        replay += "click 100 100\n";
        ++clicks;
        break;
      case 1:
        replay += "move " + std::to_string(i % 640) + " " + std::to_string(i % 480) + "\n";
        break;
      default:
        replay += (i % 2 == 0) ? "wait 1\n" : "# a comment line\n";
    }
  }
  const ReplayOutcome played = PlayReplay(game, replay);
  ASSERT_EQ(played.status, 0) << played.errors;
  EXPECT_EQ(played.state["frame"], "Room");
  EXPECT_EQ(played.state["variables"]["A"], clicks % 2);
  EXPECT_TRUE(played.state["boxes"].empty());
}

TEST(LongReplayTest, ALineDeepInALongReplayThatCannotBeReadStopsItWithItsNumber) {
  GameFolder game;
  WriteSwitchGame(game);
  std::string replay = "start\n";
  for (int i = 2; i < 100000; ++i) replay += "wait 1\n";
  replay += "wait 99999999999999\n";  // line 100,000
  replay += "click 100 100\n";
  const ReplayOutcome played = PlayReplay(game, replay);
  EXPECT_NE(played.status, 0);
  EXPECT_NE(played.errors.find("line 100000"), std::string::npos) << played.errors;
}

}  // namespace
}  // namespace tw::test
