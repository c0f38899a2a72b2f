// The demo played by keyboard from the lamp room on (Tab, Shift+Tab, Enter, the arrows and
// the item keys), and the hotspot outlines shown while Space is held.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/Replay.h"
#include "platform/GuiForPainting.h"
#include "platform/Picture.h"

namespace tw {
namespace {

using Json = nlohmann::json;

const std::string kDemo = std::string(TALEWICK_SOURCE_DIR) + "/games/demo";

// The walkthrough's clicks up to the lamp room: the pointer rests where the stair was
// clicked (320, 300); the bag holds Shell, Matches and Wick.
std::string UpToTheLampRoom() {
  std::ifstream walkthrough(kDemo + "/walkthrough.txt");
  std::ostringstream out;
  for (std::string line; std::getline(walkthrough, line);) {
    if (line.rfind("# Lamp room", 0) == 0) break;
    out << line << "\n";
  }
  return out.str();
}

struct Played {
  Json state;
  std::shared_ptr<const platform::Picture> shot;
};

// The replay: the walkthrough up to the lamp room (or only "start"), then `keys`.
Played Play(const std::string& name, const std::string& keys, bool inTheLampRoom = true) {
  const std::string dir = ::testing::TempDir();
  std::ofstream(dir + name + ".txt") << (inTheLampRoom ? UpToTheLampRoom() : "start\n") << keys;
  ReplayOptions options;
  options.gameFolder = kDemo;
  options.replayFile = dir + name + ".txt";
  options.dumpState = true;
  options.screenshot = dir + name + ".png";
  std::ostringstream out, err;
  EXPECT_EQ(RunReplay(options, out, err), 0) << err.str();
  return {Json::parse(out.str()), platform::Picture::load(options.screenshot)};
}

// Lamp room hotspots in reading order: the lamp, the ship, the arrow back, the oil can.
const std::string kTakeOilCan = "key Tab\nkey Tab\nkey Enter\nwait 3000\n";  // arrow, oil can
// The bag: Shell, Matches, Wick, OilCan. The wick (item 3) is picked up and put on the oil
// can (item 4): the bar is opened again with the wick held.
const std::string kSoakWick =
    kTakeOilCan +
    "key I\nkey Right\nkey Right\nkey Enter\nkey I\nkey Right\nkey Enter\nwait 3000\n";
// Shell, Matches, OiledWick. The bar is closed and opened; the matches are picked up and
// dropped again with Esc; three Shift+Tab from the oil can's old place reach the lamp.
const std::string kMatchesDropped = kSoakWick +
                                    "key I\nkey I\nkey Left\nkey Enter\nkey Escape\n"
                                    "key Shift+Tab\nkey Shift+Tab\nkey Shift+Tab\nkey Enter\n";

TEST(KeyboardPlayTest, TheLampRoomPuzzleByKeys) {
  const struct {
    const char* name;
    std::string keys;
    Json inventory;
    int wickFitted;
    Json pointer;
    const char* messageBar;  // nullptr: no message shown
  } cases[] = {
      // Tab from the stair's place goes on in reading order; Enter takes the oil can.
      {"oilcan",
       kTakeOilCan,
       {"Shell", "Matches", "Wick", "OilCan"},
       0,
       {{"x", 525}, {"y", 412}},
       "The keeper's oil can, nearly full. You take it along."},
      // The wick dropped on the oil can: the combination's own message.
      {"soak",
       kSoakWick,
       {"Shell", "Matches", "OiledWick"},
       0,
       {{"x", 152}, {"y", 26}},
       "The dry wick drinks up the lamp oil."},
      // The matches were let go: Enter on the lamp is a plain click (the hint), not the
      // matches' answer.
      {"dropped",
       kMatchesDropped,
       {"Shell", "Matches", "OiledWick"},
       0,
       {{"x", 319}, {"y", 259}},
       "The old wick is burnt to a stub. Put something in the lamp to light it."},
      // The oiled wick (item 3) picked up in the bar and used on the lamp under the pointer;
      // then the arrows nudge the pointer by 8 pixels and Shift+Left by one.
      {"wick",
       kMatchesDropped + "wait 7000\nkey I\nkey Right\nkey Enter\nkey Enter\nwait 7000\n"
                         "key Right\nkey Down\nkey Shift+Left\n",
       {"Shell", "Matches"},
       1,
       {{"x", 326}, {"y", 267}},
       nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Json s = Play(std::string("keys_") + c.name, c.keys).state;
    EXPECT_EQ(s["frame"], "LampRoom");
    EXPECT_EQ(s["inventory"], c.inventory);
    EXPECT_EQ(s["variables"]["WickFitted"], c.wickFitted);
    EXPECT_EQ(s["variables"]["LampLit"], 0);
    EXPECT_EQ(s["pointer"], c.pointer);
    EXPECT_EQ(s["message_bar"], c.messageBar ? Json(c.messageBar) : Json(nullptr));
  }
}

// Space held outlines the visible hotspots and changes nothing else: the state is the same,
// only pixels along the hotspots' borders (4 pixels deep) differ, each hotspot's corner among
// them, and after the release the picture is the same as without.
TEST(KeyboardPlayTest, SpaceHeldOutlinesOnlyTheHotspotBorders) {
  platform::GuiForPainting gui;
  const Played plain = Play("space_plain", "wait 0\nwait 0\n");
  const Played held = Play("space_held", "hold Space\nwait 0\n");
  const Played released = Play("space_released", "hold Space\nrelease Space\n");
  EXPECT_EQ(held.state, plain.state);
  EXPECT_EQ(released.state, plain.state);

  std::vector<Json> shown;
  for (const Json& h : plain.state["hotspots"]) {
    if (h["visible"]) shown.push_back(h);
  }
  ASSERT_EQ(shown.size(), 4u);
  const auto onABorder = [&](int x, int y) {
    for (const Json& h : shown) {
      const int left = h["left"], top = h["top"], right = left + h["width"].get<int>(),
                bottom = top + h["height"].get<int>();
      const bool inside = x >= left && y >= top && x < right && y < bottom;
      const bool deep = x >= left + 4 && y >= top + 4 && x < right - 4 && y < bottom - 4;
      if (inside && !deep) return true;
    }
    return false;
  };
  int changed = 0;
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      EXPECT_EQ(released.shot->pixel(x, y), plain.shot->pixel(x, y)) << x << "," << y;
      if (held.shot->pixel(x, y) == plain.shot->pixel(x, y)) continue;
      ++changed;
      ASSERT_TRUE(onABorder(x, y))
          << "a pixel off the hotspots' borders changed: " << x << "," << y;
    }
  }
  EXPECT_GT(changed, 0);
  for (const Json& h : shown) {
    const int left = h["left"], top = h["top"];
    EXPECT_EQ(held.shot->pixel(left, top) & 0xFFFFFFu, 0u)
        << "dark line of hotspot " << h["number"];
    EXPECT_EQ(held.shot->pixel(left + 2, top + 2) & 0xFFFFFFu, 0xFFFFFFu)
        << "light line of hotspot " << h["number"];
  }
}

// Both are Options menu entries, remembered for the game: switched off, Tab and Space are the
// game's keys again (which ignores them), also in the next game window of the run (the
// headless settings last for the run).
TEST(KeyboardPlayTest, OptionsSwitchTheKeysOffAndRememberIt) {
  platform::GuiForPainting gui;
  const std::string restart = "key Q\nanswer yes\nwait 500\nstart\n";
  const Played plain = Play("options_plain", restart + "wait 0\nwait 0\n", false);
  const Played on = Play("options_on", restart + "key Tab\nhold Space\n", false);
  const Played off = Play(
      "options_off",
      "menu mnuShowHotspots\nmenu mnuKeyboardPlay\n" + restart + "key Tab\nhold Space\n", false);
  EXPECT_EQ(plain.state["pointer"], Json(nullptr));
  EXPECT_EQ(on.state["pointer"], Json({{"x", 319}, {"y", 249}}));  // the title picture
  EXPECT_EQ(off.state["pointer"], Json(nullptr));
  int differing = 0;
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      EXPECT_EQ(off.shot->pixel(x, y), plain.shot->pixel(x, y)) << x << "," << y;
      differing += on.shot->pixel(x, y) != plain.shot->pixel(x, y);
    }
  }
  EXPECT_GT(differing, 0);
}

// With nothing carried, I opens the empty bar and Enter presses on nothing: the title picture
// under the pointer is not clicked (the game stays on the title), and I closes the bar again.
TEST(KeyboardPlayTest, EnterInAnEmptyInventoryClicksNothing) {
  const Json s = Play("empty_bag", "key Tab\nkey I\nkey Enter\nkey I\nwait 1000\n", false).state;
  EXPECT_EQ(s["frame"], "Title");
  EXPECT_EQ(s["pointer"], Json({{"x", 319}, {"y", 249}}));
}

}  // namespace
}  // namespace tw
