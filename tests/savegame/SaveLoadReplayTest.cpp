// Save, quit, start the program again, load — by replay, as the program runs them: the
// second run must see the same frame, variables, variants, items, vanished hotspots and
// history as the first one saved.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <cstdlib>
#include <fstream>
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
  EXPECT_EQ(first.state["saved_games"],
            Json::parse(R"([{"name": "Evening", "picture": true}])"));

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
  EXPECT_EQ(run.state["saved_games"],
            Json::parse(R"([{"name": "Second", "picture": true}, {"name": "First", "picture": true}])"));
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

// How far the picture beside a saved game is from the screenshot halved by averaging each
// 2 x 2 block: the mean difference per channel (0-255); 255 when the sizes do not fit.
double DistanceFromHalvedScreenshot(const platform::Picture& picture,
                                    const platform::Picture& screenshot) {
  if (picture.width() != screenshot.width() / 2 || picture.height() != screenshot.height() / 2) {
    return 255;
  }
  double sum = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      for (int shift : {0, 8, 16}) {
        int block = 0;
        for (int d : {0, 1, 2, 3}) {
          block += (screenshot.pixel(2 * x + d % 2, 2 * y + d / 2) >> shift) & 0xFF;
        }
        sum += std::abs(block / 4.0 - ((picture.pixel(x, y) >> shift) & 0xFF));
      }
    }
  }
  return sum / (3.0 * picture.width() * picture.height());
}

// Bands of colour on the shore, so a picture of the wrong moment, cut, flipped or squeezed
// differs from the screenshot.
void WriteBandedShore(const GameFolder& game) {
  WriteShore(game, true);
  std::vector<std::uint32_t> pixels(640 * 480);
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      pixels[y * 640 + x] = (x / 40 % 2 ? 0xE0C020u : 0x2040A0u) + (y / 3 % 2 ? 0 : 0x101010u) +
                            static_cast<std::uint32_t>(y / 4);
    }
  }
  platform::Picture::fromPixels(640, 480, pixels.data())->saveBmp(game.file("Frames/bands.bmp"));
  WriteFrame(game, "Shore", {.backgroundType = 1, .background = "bands.bmp"}, 3);
}

TEST(SaveLoadReplayTest, ThePictureOfASaveIsTheGameAreaAndASaveOverItReplacesBoth) {
  GameFolder game;
  WriteBandedShore(game);
  const ReplayOutcome shore = PlayReplay(game, "save Evening\n", game.file("shore.png"));
  ASSERT_EQ(shore.status, 0) << shore.errors;
  const auto first = platform::Picture::load(game.file("Evening.png"));
  EXPECT_EQ(first->width(), 320);
  EXPECT_LT(DistanceFromHalvedScreenshot(*first, *platform::Picture::load(game.file("shore.png"))),
            2.0);

  // Into the cave, then saved over Evening: the file and the picture are the cave's.
  const ReplayOutcome cave = PlayReplay(game,
                                        "click 210 110\nclick 310 110\n"
                                        "save Evening\nanswer ok\n",
                                        game.file("cave.png"));
  ASSERT_EQ(cave.status, 0) << cave.errors;
  EXPECT_EQ(cave.state["saved_games"], Json::parse(R"([{"name": "Evening", "picture": true}])"));
  const auto second = platform::Picture::load(game.file("Evening.png"));
  EXPECT_LT(DistanceFromHalvedScreenshot(*second, *platform::Picture::load(game.file("cave.png"))),
            2.0);
  EXPECT_GT(DistanceFromHalvedScreenshot(*second, *platform::Picture::load(game.file("shore.png"))),
            20.0);
  std::ifstream saved(game.file("Evening.sav"));
  std::string frame;
  std::getline(saved, frame);
  EXPECT_EQ(frame, "\"Cave\"\r");
}

}  // namespace
}  // namespace tw::test
