// Options > Read Messages Aloud: what is read, when, and what cuts it, by replay; the entry
// without a speech service.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "game/Game.h"
#include "game/ReadAloud.h"
#include "project/StartupWindow.h"
#include "support/GameBuilder.h"
#include "support/ReplayRun.h"
#include "support/TestPlayer.h"

namespace tw::test {
namespace {

using Json = nlohmann::json;

// A lever whose tooltip the frame's script sets and which shows a message in the bar; a
// letter read in a box; the start-up window is shown.
void WriteStudy(const GameFolder& game) {
  WriteSmallGeneral(game, "Study", true, false);
  game.writeVariables({"Pulled"});
  WriteFrame(game, "Study",
             {.background = "8421504",
              .runScript = true,
              .script = "Hotspot(1).ToolTipText = |A brass lever|"},
             2);
  WriteHotspot(game, "Study", 1, {.left = 100, .top = 100, .width = 80, .height = 80});
  WriteAction(game, "Study", 1,
              {.showMessage = true, .message = "The lever moves.", .messageInFrame = true});
  WriteHotspot(game, "Study", 2, {.left = 300, .top = 100, .width = 80, .height = 80});
  WriteAction(game, "Study", 2, {.showMessage = true, .message = "Dear friend, come at once."});
}

TEST(ReadAloudTest, BoxesTheBarTooltipsAndButtonsAreReadAndCut) {
  GameFolder game;
  WriteStudy(game);
  const ReplayOutcome off =
      PlayReplay(game, "start\nclick 320 120\nanswer ok\nmove 120 120\nwait 1000\n");
  ASSERT_EQ(off.status, 0) << off.errors;
  EXPECT_EQ(off.state["spoken"], Json::array()) << "off until the player turns it on";

  const ReplayOutcome r = PlayReplay(game,
                                     "start\n"
                                     "menu mnuReadAloud\n"
                                     "move 120 120\n"
                                     "wait 400\n"
                                     "move 130 130\n"  // rest starts over: nothing yet
                                     "wait 400\n"
                                     "wait 400\n"  // rested: the tooltip
                                     "move 135 135\n"
                                     "wait 1000\n"  // the same visit: not again
                                     "move 10 10\n"
                                     "move 120 120\n"
                                     "wait 1000\n"      // back again: read again
                                     "click 120 120\n"  // the bar cuts the tooltip
                                     "click 320 120\n"
                                     "answer ok\n"
                                     "key Escape\n"  // silence, reading stays on
                                     "menu mnuExit\n"
                                     "answer no\n");
  ASSERT_EQ(r.status, 0) << r.errors;
  const Json expected = {"A brass lever", "A brass lever", "The lever moves.",
                         "Dear friend, come at once.", "Do you really want to quit?"};
  EXPECT_EQ(r.state["spoken"], expected) << r.state["spoken"].dump();
  EXPECT_EQ(r.state["speaking"], "Do you really want to quit?");

  // Esc silences at once; a text said over another one replaces it.
  const ReplayOutcome esc =
      PlayReplay(game, "start\nmenu mnuReadAloud\nclick 120 120\nkey Escape\n");
  ASSERT_EQ(esc.status, 0) << esc.errors;
  EXPECT_EQ(esc.state["spoken"], Json({"The lever moves."}));
  EXPECT_EQ(esc.state["speaking"], nullptr);
  const ReplayOutcome cut = PlayReplay(game,
                                       "start\nmenu mnuReadAloud\nclick 120 120\nclick 320 120\n"
                                       "answer ok\n");
  EXPECT_EQ(cut.state["speaking"], "Dear friend, come at once.");
}

TEST(ReadAloudTest, WithoutASpeechServiceTheEntryIsGreyedAndSaysWhatToInstall) {
  for (const auto state : {platform::Speech::State::Ready, platform::Speech::State::Missing}) {
    TestPlayer p;
    WriteSmallGeneral(p.game, "Study", true);
    p.platform.speech().setState(state);
    p.platform.settings().save("", "ReadAloud", "1");
    ASSERT_TRUE(p.initialize());
    p.platform.settings().save(p.player.settings.ProjectId, "ReadAloud", "1");
    Game g(p.player);
    const bool missing = state == platform::Speech::State::Missing;
    EXPECT_EQ(g.readAloud().mnuReadAloud.enabled(), !missing);
    EXPECT_EQ(g.readAloud().mnuReadAloud.checked(), !missing);
    EXPECT_EQ(g.readAloud().mnuReadAloud.toolTip(), missing ? ReadAloud::kInstallHint : "");
    g.ShowTextMessage("Hello", true);
    EXPECT_EQ(p.platform.speech().spoken().size(), missing ? 0u : 1u);
  }
}

TEST(ReadAloudTest, TheStartupWindowReadsTheButtonFocusedOrPointedAt) {
  TestPlayer p;
  WriteSmallGeneral(p.game, "Study", true, false);
  ASSERT_TRUE(p.initialize());
  p.platform.settings().save(p.player.settings.ProjectId, "ReadAloud", "1");
  StartupWindow startup(p.player);
  ASSERT_TRUE(startup.Form_Load());
  // No saved game: the Load button is hidden and Tab goes round Start and Exit.
  startup.window.dispatchKeyDown(9, 0);
  startup.window.dispatchKeyDown(9, 0);
  int x = 0, y = 0;
  startup.lblButton[2].positionInWindow(x, y);
  startup.window.dispatchMouseMove(0, 0, x + 30, y + 30);
  startup.window.dispatchMouseMove(0, 0, x + 60, y + 30);  // still Exit: once
  const std::vector<std::string> expected = {p.player.messages[3], p.player.messages[1],
                                             p.player.messages[3]};
  EXPECT_EQ(p.platform.speech().spoken(), expected);
}

}  // namespace
}  // namespace tw::test
