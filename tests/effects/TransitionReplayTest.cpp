// Transitions seen through replays, as a person sees them: screenshots halfway through a
// cross-fade and through each slide, skipping by click, the number of steps drawn on the
// virtual clock, and the option that switches them off.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/Replay.h"
#include "platform/GuiForPainting.h"
#include "platform/Picture.h"
#include "support/ReplayRun.h"
#include "support/GameBuilder.h"

namespace tw::test {
namespace {

using Json = nlohmann::json;

// VB colour numbers (0xBBGGRR): red and blue.
constexpr const char* kRed = "255";
constexpr const char* kBlue = "16711680";

// "Old" (red) moves on by its frame timer after 1 s to "New" (blue) with the transition.
void WriteTwoFrames(const GameFolder& game, int transition, int durationMs) {
  WriteSmallGeneral(game, "Old", true);
  WriteFrame(game, "Old", {.background = kRed, .timerOn = true, .timerDelay = "1",
                           .timerTarget = "New", .timerTransition = true,
                           .timerTransitionMs = durationMs,
                           .timerTransitionNumber = transition});
  WriteFrame(game, "New", {.background = kBlue});
}

struct Result {
  int status = 0;
  Json state;
  std::string errors;
  std::shared_ptr<const platform::Picture> shot;
};

Result Play(const GameFolder& game, const std::string& replay) {
  const ReplayOutcome outcome = PlayReplay(game, replay, game.file("shot.png"));
  Result r;
  r.status = outcome.status;
  r.errors = outcome.errors;
  r.state = outcome.state;
  platform::GuiForPainting gui;
  r.shot = platform::Picture::load(game.file("shot.png"));
  return r;
}

struct Rgb {
  int r, g, b;
};
Rgb At(const platform::Picture& p, int x, int y) {
  const std::uint32_t c = p.pixel(x, y);
  return {static_cast<int>((c >> 16) & 0xFF), static_cast<int>((c >> 8) & 0xFF),
          static_cast<int>(c & 0xFF)};
}
bool IsRed(Rgb c) { return c.r > 240 && c.g < 16 && c.b < 16; }
bool IsBlue(Rgb c) { return c.b > 240 && c.g < 16 && c.r < 16; }

TEST(TransitionReplayTest, HalfwayThroughACrossFadeTheFramesAreBlendedHalfAndHalf) {
  // 0 and 1 are both cross-fades.
  for (int number : {0, 1}) {
    GameFolder game;
    WriteTwoFrames(game, number, 1000);
    // The frame timer fires at 1000 ms; the replay then lets 500 ms pass inside the fade.
    const Result r = Play(game, "wait 1000\nwait 500\n");
    ASSERT_EQ(r.status, 0) << r.errors;
    EXPECT_TRUE(r.state["transition"]["running"].get<bool>()) << "number " << number;
    EXPECT_EQ(r.state["frame"], "New");
    // Opacity 128 of 255 of blue over red, everywhere in the frame area.
    for (auto [x, y] : {std::pair{5, 5}, std::pair{320, 240}, std::pair{630, 470}}) {
      const Rgb c = At(*r.shot, x, y);
      EXPECT_NEAR(c.r, 127, 3) << number << " at " << x << "," << y;
      EXPECT_NEAR(c.b, 128, 3) << number << " at " << x << "," << y;
      EXPECT_EQ(c.g, 0);
    }
  }
}

TEST(TransitionReplayTest, QuarterWayThroughACrossFadeTheOldFrameStillShowsMost) {
  GameFolder game;
  WriteTwoFrames(game, 1, 2000);
  const Result r = Play(game, "wait 1000\nwait 500\n");
  ASSERT_EQ(r.status, 0) << r.errors;
  const Rgb c = At(*r.shot, 100, 100);
  // v = 0.25: opacity 64.
  EXPECT_NEAR(c.r, 191, 3);
  EXPECT_NEAR(c.b, 64, 3);
}

// Where the new frame shows halfway through each slide: it enters from the side the slide
// names it from, and the old frame leaves by the other.
TEST(TransitionReplayTest, HalfwayThroughEachSlideBothFramesShowInTheirHalves) {
  struct Case {
    int number;
    bool horizontal;
    bool newFirst;  // the new frame in the left (top) half
  };
  for (const Case c : {Case{2, true, true}, Case{3, true, false}, Case{4, false, true},
                       Case{5, false, false}}) {
    GameFolder game;
    WriteTwoFrames(game, c.number, 1000);
    const Result r = Play(game, "wait 1000\nwait 500\n");
    ASSERT_EQ(r.status, 0) << r.errors;
    ASSERT_TRUE(r.state["transition"]["running"].get<bool>()) << c.number;
    // The edge between the frames is at half the frame area (v a little over 0.5).
    const auto at = [&](int along) {
      return c.horizontal ? At(*r.shot, along, 240) : At(*r.shot, 320, along);
    };
    const int size = c.horizontal ? 640 : 480;
    const int edge = size / 2;
    for (int along : {2, edge - 8, edge + 8, size - 2}) {
      const bool firstHalf = along < edge;
      const bool expectNew = firstHalf == c.newFirst;
      const Rgb pixel = at(along);
      EXPECT_TRUE(expectNew ? IsBlue(pixel) : IsRed(pixel))
          << "slide " << c.number << " at " << along << ": " << pixel.r << "," << pixel.g << ","
          << pixel.b;
    }
  }
}

TEST(TransitionReplayTest, ASlideMovesWithTheClock) {
  // Slide Left a quarter of the way: only the left quarter shows the new frame.
  GameFolder game;
  WriteTwoFrames(game, 2, 2000);
  const Result r = Play(game, "wait 1000\nwait 500\n");
  ASSERT_EQ(r.status, 0) << r.errors;
  EXPECT_TRUE(IsBlue(At(*r.shot, 150, 200)));
  EXPECT_TRUE(IsRed(At(*r.shot, 170, 200)));
  EXPECT_TRUE(IsRed(At(*r.shot, 600, 200)));
}

TEST(TransitionReplayTest, AClickOrAKeyEndsTheTransitionAndTheNewFrameShowsInFull) {
  for (const char* input : {"click 300 300\n", "key A\n"}) {
    for (int number : {1, 3, 4}) {
      GameFolder game;
      WriteTwoFrames(game, number, 5000);
      const Result r = Play(game, std::string("wait 1000\nwait 200\n") + input + "wait 100\n");
      ASSERT_EQ(r.status, 0) << r.errors;
      EXPECT_FALSE(r.state["transition"]["running"].get<bool>()) << input << number;
      EXPECT_LT(r.state["transition"]["steps_drawn"].get<int>(), 20);
      for (auto [x, y] : {std::pair{5, 5}, std::pair{320, 240}, std::pair{630, 470}}) {
        EXPECT_TRUE(IsBlue(At(*r.shot, x, y))) << input << number << " at " << x << "," << y;
      }
      EXPECT_FALSE(std::filesystem::exists(game.file("Temp001.dat")));
    }
  }
}

TEST(TransitionReplayTest, OnTheVirtualClockOnlyTheStepsWhoseTimeComesAreDrawn) {
  GameFolder game;
  WriteTwoFrames(game, 1, 1000);
  const Result r = Play(game, "wait 3000\n");
  ASSERT_EQ(r.status, 0) << r.errors;
  const int steps = r.state["transition"]["steps_drawn"].get<int>();
  EXPECT_LE(steps, 61);
  EXPECT_GE(steps, 50);
  EXPECT_FALSE(r.state["transition"]["running"].get<bool>());
  EXPECT_TRUE(IsBlue(At(*r.shot, 320, 240)));
}

TEST(TransitionReplayTest, NumbersAndDurationsWithoutAnAnimationCutAtOnce) {
  for (auto [number, ms] : {std::pair{6, 1000}, std::pair{-1, 1000}, std::pair{1, 0}}) {
    GameFolder game;
    WriteTwoFrames(game, number, ms);
    const Result r = Play(game, "wait 1001\n");
    ASSERT_EQ(r.status, 0) << r.errors;
    EXPECT_EQ(r.state["frame"], "New");
    EXPECT_EQ(r.state["transition"]["steps_drawn"].get<int>(), 0) << number << " " << ms;
    EXPECT_TRUE(IsBlue(At(*r.shot, 320, 240)));
  }
}

TEST(TransitionReplayTest, DisableTransitionsLeavesACut) {
  GameFolder game;
  WriteTwoFrames(game, 1, 1000);
  const Result r = Play(game, "menu mnuDisableTransitions\nwait 1000\nwait 200\n");
  ASSERT_EQ(r.status, 0) << r.errors;
  EXPECT_FALSE(r.state["transition"]["running"].get<bool>());
  EXPECT_EQ(r.state["transition"]["steps_drawn"].get<int>(), 0);
  EXPECT_TRUE(IsBlue(At(*r.shot, 320, 240)));
}

TEST(TransitionReplayTest, AGameHaltedInTheMiddleOfACrossFadeKeepsNoCoverAfterALoad) {
  // Home (green): a click anywhere goes to Old (red), whose timer cross-fades to New, whose
  // entry script stops everything while Old's picture still covers the frame area.
  GameFolder game;
  std::vector<std::string> general = FullGeneralFields();
  general[4] = Quoted("Home");
  general[19] = "#FALSE#";  // loading is offered
  general[37] = Quoted("DEFAULT");
  game.writeGeneral(general);
  game.writeVariables({"Seen"});
  WriteFrame(game, "Home", {.background = "65280"}, 1);
  WriteHotspot(game, "Home", 1, {.left = 0, .top = 0, .width = 640, .height = 480});
  WriteAction(game, "Home", 1, {.goTo = "Old"});
  WriteFrame(game, "Old", {.background = kRed, .timerOn = true, .timerDelay = "1",
                           .timerTarget = "New", .timerTransition = true,
                           .timerTransitionMs = 1000, .timerTransitionNumber = 1});
  WriteFrame(game, "New",
             {.background = kBlue, .runScript = true, .script = "Action.StopEverything"});
  const auto halted = [](const std::string& save) {
    return "save " + save + "\nclick 50 50\nwait 1100\nload " + save + "\n";
  };
  const Result loaded = Play(game, halted("first"));
  ASSERT_EQ(loaded.status, 0) << loaded.errors;
  EXPECT_EQ(loaded.state["frame"], "Home") << loaded.errors;
  const Rgb c = At(*loaded.shot, 320, 240);
  EXPECT_TRUE(c.g > 240 && c.r < 16 && c.b < 16) << c.r << "," << c.g << "," << c.b;
  EXPECT_FALSE(std::filesystem::exists(game.file("Temp001.dat")));
  // The loaded frame's hotspot has its clicks back.
  const Result clicked = Play(game, halted("second") + "click 50 50\n");
  EXPECT_EQ(clicked.state["frame"], "Old");
}

}  // namespace
}  // namespace tw::test
