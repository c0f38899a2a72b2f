// A game whose frame pictures live on two CDs, played through by replay: "drive" lines
// answer the CD window, a wrong disc brings "File Not Found:" and the window again.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "app/Replay.h"
#include "platform/Picture.h"
#include "support/ReplayRun.h"
#include "support/GameBuilder.h"

namespace tw::test {
namespace {

using Json = nlohmann::json;

// Colours as the game writes them (blue-green-red) and as the screenshot's pixels read.
constexpr std::uint32_t kCaveColour = 0x0000FF;   // red
constexpr std::uint32_t kTowerColour = 0xFF0000;  // blue
constexpr std::uint32_t kCavePixel = 0xFF0000;
constexpr std::uint32_t kTowerPixel = 0x0000FF;

class TwoCdReplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteSmallGeneral(game, "Beach", true);
    game.writeVariables({"Score"});
    game.write("RunFromCD.dat", "");
    game.writeLines("Config/CDContents",
                    {Quoted("x"), Quoted("x"), Quoted("x"), "2", Quoted("x"), Quoted("x"),
                     Quoted("cave.bmp"), "1", "1", Quoted("Tower.bmp"), "2", "1"});
    WriteFrame(game, "Beach", {.background = "65280"}, 1);
    WriteHotspot(game, "Beach", 1, {.left = 0, .top = 0, .width = 100, .height = 100});
    WriteAction(game, "Beach", 1, {.goTo = "Cave"});
    WriteFrame(game, "Cave", {.backgroundType = 1, .background = "Cave.bmp"}, 1);
    WriteHotspot(game, "Cave", 1, {.left = 0, .top = 0, .width = 100, .height = 100});
    WriteAction(game, "Cave", 1, {.goTo = "Tower"});
    WriteFrame(game, "Tower", {.backgroundType = 1, .background = "Tower.bmp"});
    // On each disc the pictures have their coded extension, as the editor writes them.
    cd1.write("Data/The Lighthouse/Frames/x", "");
    platform::Picture::solid(4, 4, kCaveColour)->saveBmp(cd1.file("Data/The Lighthouse/Frames/Cave.004"));
    cd2.write("Data/The Lighthouse/Frames/x", "");
    platform::Picture::solid(4, 4, kTowerColour)->saveBmp(cd2.file("Data/The Lighthouse/Frames/Tower.004"));
  }

  struct Result {
    int status;
    Json state;
    std::string errors;
    std::uint32_t pixel;
  };
  Result play(const std::string& replay) {
    const ReplayOutcome outcome = PlayReplay(game, replay, game.file("shot.png"));
    const int status = outcome.status;
    std::uint32_t pixel = 0;
    if (game.exists("shot.png")) {
      pixel = platform::Picture::load(game.file("shot.png"))->pixel(10, 10) & 0xFFFFFF;
    }
    return {status, outcome.state, outcome.errors, pixel};
  }
  std::vector<std::string> boxTexts(const Json& state) {
    std::vector<std::string> texts;
    for (const Json& box : state["boxes"]) texts.push_back(box["text"]);
    return texts;
  }

  GameFolder game, cd1, cd2;
};

TEST_F(TwoCdReplayTest, PlaysThroughBothDiscsAfterAWrongOne) {
  const Result r = play("click 50 50\n"
                        "drive " + cd1.path() + "\n"
                        "click 50 50\n"
                        "drive " + cd1.path() + "\n"
                        "answer ok\n"
                        "drive " + cd2.path() + "\n");
  ASSERT_EQ(r.status, 0) << r.errors;
  EXPECT_EQ(r.state["frame"], "Tower");
  EXPECT_EQ(r.state["game_stopped"], false);
  EXPECT_EQ(r.pixel, kTowerPixel);
  const std::vector<std::string> boxes = boxTexts(r.state);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "File Not Found:\r\n\r\n" + cd1.path() +
                          "Data/The Lighthouse/Frames/Tower.004\r\n\r\nThe file may be missing, "
                          "or you may have inserted the wrong CD.");
}

TEST_F(TwoCdReplayTest, FirstDiscShowsItsPicture) {
  const Result r = play("click 50 50\ndrive " + cd1.path() + "\n");
  ASSERT_EQ(r.status, 0) << r.errors;
  EXPECT_EQ(r.state["frame"], "Cave");
  EXPECT_EQ(r.pixel, kCavePixel);
  EXPECT_TRUE(r.state["boxes"].empty());
}

TEST_F(TwoCdReplayTest, CancelHaltsTheGameWithoutWarnings) {
  const Result r = play("click 50 50\ndrive cancel\n");
  ASSERT_EQ(r.status, 0) << r.errors;
  EXPECT_EQ(r.state["game_stopped"], true);
  EXPECT_TRUE(r.state["boxes"].empty());
}

TEST_F(TwoCdReplayTest, AWindowNoLineAnswersOrALineNoWindowAsksForStopsTheReplay) {
  Result r = play("click 50 50\nwait 100\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.errors.find("line 1: the game asks for a CD and no 'drive' line answers it"),
            std::string::npos)
      << r.errors;
  EXPECT_EQ(r.state["game_stopped"], true);

  r = play("wait 10\ndrive " + cd1.path() + "\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.errors.find("line 2: no CD window to answer"), std::string::npos) << r.errors;
}

}  // namespace
}  // namespace tw::test
