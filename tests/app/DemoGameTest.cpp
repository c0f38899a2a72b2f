// The demo game shipped with the player, played through by its own walkthrough.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <fstream>
#include <sstream>

#include "app/Replay.h"

namespace tw {
namespace {

using Json = nlohmann::json;

TEST(DemoGameTest, WalkthroughSolvesThePuzzlesAndReachesTheEnding) {
  ReplayOptions options;
  options.gameFolder = std::string(TALEWICK_SOURCE_DIR) + "/games/demo";
  options.replayFile = options.gameFolder + "/walkthrough.txt";
  options.dumpState = true;
  std::ostringstream out, err;
  ASSERT_EQ(RunReplay(options, out, err), 0) << err.str();
  const Json s = Json::parse(out.str());

  EXPECT_EQ(s["frame"], "LampLit");
  EXPECT_FALSE(s["game_window_open"]);
  EXPECT_FALSE(s["game_stopped"]);
  EXPECT_EQ(s["variables"],
            Json({{"DoorOpen", 1}, {"LampLit", 1}, {"ShellOnSill", 1}, {"WickFitted", 1}}));
  EXPECT_EQ(s["inventory"], Json::array());  // every item was used
  EXPECT_EQ(s["disappeared"], Json::parse(R"([["Beach",4],["Boathouse",6],["Boathouse",8],
                                              ["LampRoom",5]])"));
  EXPECT_EQ(s["history"], Json({"Title", "Beach", "Path", "Door", "Path", "Door", "Stairs",
                                "LampRoom", "LampLit"}));
  ASSERT_EQ(s["boxes"].size(), 3u);
  for (const Json& box : s["boxes"]) EXPECT_EQ(box["answer"], "ok");
  EXPECT_EQ(s["boxes"][2]["text"].get<std::string>().rfind(
                "The light sweeps across the dark water", 0),
            0u);
  EXPECT_TRUE(s["message_bar"].is_null());
  // The scripts: the stair's entry script counted one climb, the lever's procedure one pull,
  // the combination's script marked the soaked wick, and the lit lamp's script timer beat
  // every 700 ms from the lamp's lighting to the end (about 24 s).
  EXPECT_EQ(s["variants"]["Climbs"], 1);
  EXPECT_EQ(s["variants"]["LeverPulls"], 1);
  EXPECT_EQ(s["variants"]["Soaked"], "yes");
  EXPECT_GE(s["variants"]["Beam"].get<int>(), 30);
  EXPECT_LE(s["variants"]["Beam"].get<int>(), 36);
}

TEST(DemoGameTest, ItemsArePickedUpUsedAndCombinedOnTheWay) {
  // The walkthrough up to the lamp room: the bag holds the shell and what the boat house gave.
  ReplayOptions options;
  options.gameFolder = std::string(TALEWICK_SOURCE_DIR) + "/games/demo";
  std::ostringstream replay;
  {
    std::ifstream walkthrough(options.gameFolder + "/walkthrough.txt");
    std::string line;
    while (std::getline(walkthrough, line)) {
      if (line.rfind("# Lamp room", 0) == 0) break;
      replay << line << "\n";
    }
  }
  const std::string path = ::testing::TempDir() + "demo_part.txt";
  std::ofstream(path) << replay.str();
  options.replayFile = path;
  options.dumpState = true;
  std::ostringstream out, err;
  ASSERT_EQ(RunReplay(options, out, err), 0) << err.str();
  const Json s = Json::parse(out.str());
  EXPECT_TRUE(s["game_window_open"]);
  EXPECT_EQ(s["frame"], "LampRoom");
  EXPECT_EQ(s["inventory"], Json({"Shell", "Matches", "Wick"}));
}

}  // namespace
}  // namespace tw
