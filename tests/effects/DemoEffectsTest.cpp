// The demo game's effects, seen by replay: the title fading into the beach, the water and
// the gull on the beach, a slide on the way up the cliff.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/Replay.h"
#include "support/GameFolder.h"

namespace tw::test {
namespace {

using Json = nlohmann::json;

Json Play(const std::string& replay) {
  GameFolder scratch;
  scratch.write("replay.txt", replay);
  ReplayOptions options;
  options.gameFolder = std::string(TALEWICK_SOURCE_DIR) + "/games/demo";
  options.replayFile = scratch.file("replay.txt");
  options.dumpState = true;
  std::ostringstream out, err;
  EXPECT_EQ(RunReplay(options, out, err), 0) << err.str();
  return out.str().empty() ? Json() : Json::parse(out.str());
}

TEST(DemoEffectsTest, TheTitleFadesIntoTheBeachWhereTheSeaRipplesAndTheGullFlies) {
  const Json fading = Play("start\nclick 320 250\nwait 400\n");
  EXPECT_TRUE(fading["transition"]["running"].get<bool>());
  EXPECT_EQ(fading["frame"], "Beach");
  const Json beach = Play("start\nclick 320 250\nwait 1100\nwait 500\n");
  EXPECT_FALSE(beach["transition"]["running"].get<bool>());
  EXPECT_TRUE(beach["rippling_water"].get<bool>());
  EXPECT_EQ(beach["animations_playing"], 1);
  // Up the cliff path: a slide, running after 300 of its 800 ms.
  const Json path = Play("start\nclick 320 250\nwait 1100\nclick 548 330\nwait 300\n");
  EXPECT_EQ(path["frame"], "Path");
  EXPECT_TRUE(path["transition"]["running"].get<bool>());
  EXPECT_FALSE(path["rippling_water"].get<bool>());
  EXPECT_EQ(path["animations_playing"], 0);
}

}  // namespace
}  // namespace tw::test
