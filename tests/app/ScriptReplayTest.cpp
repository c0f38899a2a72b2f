// A game whose puzzle lives in scripts, played by replay: scripts change variables, items,
// frames and hotspots; their boxes are answered by replay lines and recorded in the dump.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/Replay.h"
#include "platform/Picture.h"
#include "support/GameBuilder.h"
#include "support/ReplayRun.h"

namespace tw::test {
namespace {

using Json = nlohmann::json;

// Cellar: the entry script counts visits and asks for a frame (dropped); a dial hotspot asks
// for a number with InputBox and a procedure checks it; right, it opens the safe (hotspot 2,
// shown while Open is 1) and gives the key; the safe leads to Vault with a transition.
void WriteCellar(const GameFolder& game) {
  WriteSmallGeneral(game, "Cellar", true);
  game.writeVariables({"Open", "Visits", "***", "Said"});
  game.writeLines("Config/Procedures",
                  {"' procedures", "' of the cellar", "'", "Sub TryCode(code)",
                   "  If code = \"1234\" Then", "    Open = 1", "    AddItem \"Key\", True",
                   "  Else", "    MsgBox \"Wrong code.\", 48, \"Safe\"", "  End If",
                   "  Said = code", "End Sub"});
  game.writeLines("Areas/Key.obj", {Quoted("key.bmp")});
  WriteFrame(game, "Cellar", {.runScript = true, .script = "Visits = Visits + 1 : GoToFrame |Vault|, 0, 1"}, 2);
  WriteHotspot(game, "Cellar", 1, {.left = 0, .top = 0, .width = 100, .height = 100});
  WriteAction(game, "Cellar", 1, {.runScript = true, .script = "TryCode InputBox(|Code?|, |Dial|)"});
  WriteHotspot(game, "Cellar", 2, {.left = 200, .top = 0, .width = 100, .height = 100,
                                   .mustBeOne = {"Open"}});
  WriteAction(game, "Cellar", 2, {.runScript = true, .script = "Action.GoToFrame |Vault|, 0, 3"});
  platform::Picture::solid(32, 32, 0x00FFFF)->saveBmp(game.file("Areas/key.bmp"));
  WriteFrame(game, "Vault", {.runScript = true, .script = "Text(1).Caption = |Opened on visit | & Visits"});
  WriteText(game, "Vault", "a.lbl", {.caption = "Shut"});
}

Json Play(const GameFolder& game, const std::string& replay) {
  ReplayOutcome run = PlayReplay(game, replay);
  EXPECT_EQ(run.status, 0) << run.errors;
  return run.state;
}

TEST(ScriptReplayTest, APuzzleSolvedByScripts) {
  GameFolder game;
  WriteCellar(game);
  const Json state = Play(game,
                          "click 50 50\ninput 9999\nanswer ok\n"
                          "click 250 50\n"  // still shut: nothing there
                          "click 50 50\ninput 1234\n"
                          "click 250 50\n");
  ASSERT_TRUE(state.is_object());
  EXPECT_EQ(state["frame"], "Vault");
  EXPECT_EQ(state["variables"]["Open"], 1);
  EXPECT_EQ(state["variables"]["Visits"], 1);  // the entry script ran once, its request dropped
  EXPECT_EQ(state["variants"]["Said"], "1234");
  EXPECT_EQ(state["inventory"], Json::array({"Key"}));
  EXPECT_EQ(state["texts"], Json::array({"Opened on visit 1"}));
  const Json& boxes = state["boxes"];
  ASSERT_EQ(boxes.size(), 3u) << boxes.dump(1);
  EXPECT_EQ(boxes[0]["icon"], "input");
  EXPECT_EQ(boxes[0]["title"], "Dial");
  EXPECT_EQ(boxes[0]["answer"], "9999");
  EXPECT_EQ(boxes[1]["title"], "Safe");
  EXPECT_EQ(boxes[1]["text"], "Wrong code.");
  EXPECT_EQ(boxes[1]["icon"], "warning");
  EXPECT_EQ(boxes[2]["answer"], "1234");
}

// A program the script waits for costs the game one poll of the wait, however long it really
// runs, so a replay comes out the same on a slow machine and a fast one; and the script goes
// on only once the program has ended.
TEST(ScriptReplayTest, AProgramWaitedForCostsTheGameOnePollWhateverItsRealTime) {
  GameFolder game;
  WriteSmallGeneral(game, "Desk", true);
  game.writeVariables({"Done"});
  WriteFrame(game, "Desk", {}, 2);
  WriteHotspot(game, "Desk", 1, {.left = 0, .top = 0, .width = 100, .height = 100});
  WriteAction(game, "Desk", 1,
              {.runScript = true, .script = "OpenExeFileAndWait |tool.sh| : Done = 1"});
  WriteHotspot(game, "Desk", 2, {.left = 200, .top = 0, .width = 100, .height = 100});
  WriteAction(game, "Desk", 2, {.runScript = true, .script = "Done = 1"});
  std::vector<std::int64_t> clocks;
  for (const char* pause : {"0", "0.6"}) {
    const std::string marker = game.file("ran");
    std::filesystem::remove(marker);
    game.write("Areas/tool.sh",
               std::string("#!/bin/sh\nsleep ") + pause + "\necho done > '" + marker + "'\n");
    std::filesystem::permissions(game.file("Areas/tool.sh"), std::filesystem::perms::owner_all);
    const Json state = Play(game, "click 50 50\n");
    ASSERT_TRUE(state.is_object());
    EXPECT_TRUE(std::filesystem::exists(marker)) << pause;
    EXPECT_EQ(state["variables"]["Done"], 1);
    clocks.push_back(state["clock_ms"].get<std::int64_t>());
  }
  EXPECT_EQ(clocks[0], clocks[1]);
  // Against the same script without the program: the wait is one pass of events and the
  // 100 ms pause between two polls.
  const Json without = Play(game, "click 250 50\n");
  EXPECT_EQ(without["variables"]["Done"], 1);
  EXPECT_EQ(clocks[1], without["clock_ms"].get<std::int64_t>() + 101);
}

}  // namespace
}  // namespace tw::test
