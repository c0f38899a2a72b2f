// Script timers made by scripts, and the Debug and Options menus: the script window, the
// procedures item, the variables window's pages.
#include "../frames/GameFixture.h"
#include "scripting/ScriptHost.h"
#include "variables/VariablesStatus.h"
#include "vbscript/VbError.h"

namespace tw::test {
namespace {

class ScriptTimersTest : public GameFixture {
 protected:
  void SetUp() override {
    WriteSmallGeneral(t.game, "Room", true);
    t.game.writeVariables({"Ticks", "Gold", "AllowControlsReferences"});
    WriteFrame(t.game, "Room", {}, 1);
    WriteFrame(t.game, "Hall", {});
    WriteHotspot(t.game, "Room", 1, {.left = 0, .top = 0, .width = 50, .height = 50, .mustBeOne = {"Gold"}});
  }
  void procedures(const std::vector<std::string>& body) {
    std::vector<std::string> lines = {"", "", ""};
    lines.insert(lines.end(), body.begin(), body.end());
    t.game.writeLines("Config/Procedures", lines);
  }
  void run(const std::string& text) { game->ExecuteVBScript(text, true); }
  platform::ElementArray<platform::Timer>& timers() { return game->scripts->TimerObject; }
};

TEST_F(ScriptTimersTest, ATimerRunsItsProcedureEveryIntervalUntilDeleted) {
  procedures({"Sub TimerObject2()", "  Ticks = Ticks + 1", "  If Ticks = 3 Then Gold = 1",
              "End Sub"});
  startGame();
  EXPECT_FALSE(game->Area[1].visible());
  run("Action.CreateObject WindowObject.TimerObject(2)");
  ASSERT_TRUE(timers().exists(2));
  t.platform.advance(1000);
  EXPECT_EQ(value("Ticks"), 0);  // no interval yet: it waits
  run("WindowObject.TimerObject(2).Interval = 100");
  t.platform.advance(350);
  EXPECT_EQ(value("Ticks"), 3);
  EXPECT_TRUE(game->Area[1].visible());  // the hotspots' visibility follows each tick
  run("Action.DeleteObject WindowObject.TimerObject(2)");
  EXPECT_FALSE(timers().exists(2));
  t.platform.advance(500);
  EXPECT_EQ(value("Ticks"), 3);
  run("Action.DeleteObject WindowObject.TimerObject(2)");  // gone already: the method's box
  ASSERT_EQ(t.boxes().size(), 1u);
  EXPECT_NE(t.boxes()[0].text.find(" Error deleting the object. "), std::string::npos);
}

TEST_F(ScriptTimersTest, ElementsDeletedByTheirOwnScripts) {
  procedures({"Sub TimerObject1()", "  Ticks = Ticks + 1", "  Action.DeleteObject WindowObject.TimerObject(1)",
              "End Sub"});
  startGame();
  run("Action.CreateObject WindowObject.TimerObject(1) : WindowObject.TimerObject(1).Interval = 100");
  t.platform.advance(500);
  EXPECT_EQ(value("Ticks"), 1);
  EXPECT_FALSE(timers().exists(1));
  // A hotspot that deletes itself when clicked: the click ends, the game goes on.
  game->variables.ChangeVariableValue("Gold", 1);
  game->ShowOrNotShowAreas();
  WriteAction(t.game, "Room", 1, {.runScript = true, .script = "Action.DeleteObject Hotspot(1) : Ticks = 5"});
  click(10, 10);
  EXPECT_EQ(value("Ticks"), 5);
  EXPECT_FALSE(game->Area.exists(1));
  click(10, 10);
  EXPECT_TRUE(game->isOpen());
}

TEST_F(ScriptTimersTest, ATimersFrameRequestIsHonoured) {
  procedures({"Sub TimerObject1()", "  GoToFrame \"Hall\", 0, 0", "End Sub"});
  startGame();
  run("Action.CreateObject WindowObject.TimerObject(1) : WindowObject.TimerObject(1).Interval = 50");
  t.platform.advance(60);
  EXPECT_EQ(frame(), "Hall");
}

TEST_F(ScriptTimersTest, AFailingTimerShowsOneBoxAndStopsAlone) {
  procedures({"Sub TimerObject1()", "  Ticks = 1 / 0", "End Sub", "Sub TimerObject2()",
              "  Gold = Gold + 1", "End Sub"});
  startGame();
  run("Action.CreateObject WindowObject.TimerObject(1) : "
      "Action.CreateObject WindowObject.TimerObject(2) : "
      "WindowObject.TimerObject(1).Interval = 100 : WindowObject.TimerObject(2).Interval = 100");
  t.platform.advance(1000);
  ASSERT_EQ(t.boxes().size(), 1u);
  EXPECT_EQ(t.boxes()[0].title, "Error Executing VBScript Code");
  EXPECT_EQ(t.boxes()[0].text, "Unable to execute the procedure named TimerObject1. Division by zero");
  EXPECT_FALSE(timers()[1].enabled());
  EXPECT_TRUE(timers()[2].enabled());
  EXPECT_EQ(value("Gold"), 10);
}

TEST_F(ScriptTimersTest, AStoppedGameStopsEachTimerAtItsNextTick) {
  procedures({"Sub TimerObject1()", "  Ticks = Ticks + 1", "End Sub"});
  startGame();
  run("Action.CreateObject WindowObject.TimerObject(1) : WindowObject.TimerObject(1).Interval = 100");
  t.platform.advance(100);
  t.player.GameStopped = true;
  t.platform.advance(300);
  EXPECT_EQ(value("Ticks"), 1);
  EXPECT_FALSE(timers()[1].enabled());
}

// --- menus --------------------------------------------------------------------------------

class ScriptMenusTest : public ScriptTimersTest {
 protected:
  std::string stored() {
    return t.platform.settings().get(t.player.settings.ProjectId, "ExecuteVBScriptCode", "<none>");
  }
  platform::MenuItem& item(const std::string& name, int index = -1) {
    platform::MenuItem* found = game->window.menuBar().find(name, index);
    EXPECT_NE(found, nullptr) << name;
    return *found;
  }
};

TEST_F(ScriptMenusTest, DebugMenuHoldsTheItemsInOrder) {
  startGame();
  const auto& debug = game->mnuDebug.children();
  ASSERT_EQ(debug.size(), 4u);
  EXPECT_EQ(debug[0]->caption(), "Go to another frame");
  EXPECT_EQ(debug[1]->caption(), "Execute VBS code...");
  EXPECT_EQ(debug[2]->caption(), "Edit VBS Procedures...");
  EXPECT_EQ(debug[3]->caption(), "View variables status...");
  std::vector<std::string> shown;
  for (const platform::MenuItem* entry : debug[0]->children()) {
    if (entry->visible()) shown.push_back(entry->caption());
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"Cancel", "-", "Hall", "Room"}));
  item("mnuFrameName", 1).click();
  EXPECT_EQ(frame(), "Hall");
}

TEST_F(ScriptMenusTest, ScriptWindowRunsRemembersAndRefusesGoToFrame) {
  startGame();
  EXPECT_EQ(stored(), "<none>");
  t.platform.queueInput(std::string("Gold = 1"));
  item("mnuExecuteVBScript").click();
  EXPECT_EQ(value("Gold"), 1);
  EXPECT_EQ(stored(), "Gold = 1");
  EXPECT_TRUE(game->Area[1].visible());  // the visibility was re-applied
  ASSERT_EQ(t.platform.inputBoxes().size(), 1u);
  const auto& box = t.platform.inputBoxes()[0];
  EXPECT_EQ(box.title, "Execute VBScript Code (for advanced users)");
  EXPECT_EQ(box.prompt,
            "Enter the VBScript code you want to execute and then click OK.\r\n\r\nFor example, "
            "to retrieve the value of a variable, use the following code:\r\n\r\n"
            "                MsgBox VARIABLE_NAME\r\n\r\n");
  EXPECT_EQ(box.defaultText, "");
  // Offered again; cancelling runs nothing and keeps it.
  t.platform.queueInput(std::nullopt);
  item("mnuExecuteVBScript").click();
  EXPECT_EQ(t.platform.inputBoxes()[1].defaultText, "Gold = 1");
  EXPECT_EQ(stored(), "Gold = 1");
  // Action.GoToFrame in any case is refused; GoToFrame alone runs (and changes nothing).
  t.platform.queueInput(std::string("Ticks = 1 : ACTION.gotoFrame \"Hall\", 0, 0"));
  item("mnuExecuteVBScript").click();
  EXPECT_EQ(value("Ticks"), 0);
  ASSERT_EQ(t.boxes().size(), 1u);
  EXPECT_EQ(t.boxes()[0].title, "Invalid Command");
  EXPECT_EQ(t.boxes()[0].text,
            "You cannot use the \"Action.GoToFrame\" command here. Use the \"Go to another "
            "frame\" sub-menu of the \"Debug\" menu instead.");
  t.platform.queueInput(std::string("Ticks = 2 : GoToFrame \"Hall\", 0, 0"));
  item("mnuExecuteVBScript").click();
  EXPECT_EQ(value("Ticks"), 2);
  EXPECT_EQ(frame(), "Room");
  EXPECT_EQ(stored(), "Ticks = 2 : GoToFrame \"Hall\", 0, 0");
}

TEST_F(ScriptMenusTest, ProceduresItemIsNotAvailable) {
  startGame();
  item("mnuEditProcedures").click();
  ASSERT_EQ(t.boxes().size(), 1u);
  EXPECT_EQ(t.boxes()[0].title, "Not Available");
  EXPECT_EQ(t.boxes()[0].text, "This command is not available in the compiled version of the project.");
  EXPECT_EQ(t.boxes()[0].icon, platform::MsgIcon::Information);
}

TEST_F(ScriptMenusTest, OptionsItemsSwitchAndStoreTheirSettings) {
  startGame();
  item("mnuDisableTransitions").click();
  item("mnuDisableEffects").click();
  item("mnuDisableEffects").click();
  EXPECT_TRUE(game->mnuDisableTransitions.checked());
  EXPECT_FALSE(game->mnuDisableEffects.checked());
  const std::string& id = t.player.settings.ProjectId;
  EXPECT_EQ(t.platform.settings().get(id, "DisableTransitions", ""), "True");
  EXPECT_EQ(t.platform.settings().get(id, "DisableEffects", ""), "False");
  // A new window reads them back.
  game->ResetAll();
  EXPECT_TRUE(game->mnuDisableTransitions.checked());
}

TEST_F(ScriptMenusTest, VariablesWindowShowsPagesOf25Lines) {
  std::vector<std::string> names;
  for (int i = 1; i <= 30; ++i) names.push_back("V" + std::to_string(i));
  t.game.writeVariables(names);
  startGame();
  game->variables.ChangeVariableValue("V2", -1);  // inverted from 0
  game->variables.ChangeVariableValue("V3", 0);
  game->ExecuteVBScript("V3 = -1", true);
  item("mnuViewVariables").click();
  ASSERT_EQ(t.boxes().size(), 2u);
  EXPECT_EQ(t.boxes()[0].title, "Variables Status");
  EXPECT_EQ(t.boxes()[0].icon, platform::MsgIcon::Information);
  const std::string dashes(26, '-');
  const std::string first = t.boxes()[0].text;
  EXPECT_EQ(first.rfind("This window allows you to view the value of all the project variables.", 0), 0u);
  EXPECT_NE(first.find("\r\n\r\n\r\n" + dashes + " INTEGER VARIABLES: " + dashes +
                       std::string(13, ' ') + "\r\n\r\nV1 = 0\r\nV2 = 1\r\nV3 = -1\r\n"),
            std::string::npos);
  // Lines 0..24: the 20th variable ends the first page.
  EXPECT_NE(first.find("V20 = 0\r\n"), std::string::npos);
  EXPECT_EQ(first.find("V21 = 0"), std::string::npos);
  EXPECT_EQ(first.substr(first.size() - 9), "V20 = 0\r\n");
  const std::string second = t.boxes()[1].text;
  EXPECT_EQ(second.rfind(std::string(52, ' ') + "\r\nV21 = 0\r\n", 0), 0u);
  // Lines 25..37: V21..V30, then the variant section (empty); the last box adds one CR LF.
  EXPECT_EQ(second.substr(second.size() - 20), "-" + std::string(13, ' ') + "\r\n\r\n\r\n");
  EXPECT_NE(second.find("V30 = 0\r\n\r\n" + dashes + " VARIANT VARIABLES: "), std::string::npos);
}

TEST(VariablesStatusTest, WithNoVariablesOnePageShowsTheEightLines) {
  TestPlayer t;
  VariableStore store(t.player);
  const std::vector<std::string> pages = VariablesStatusPages(store);
  ASSERT_EQ(pages.size(), 1u);
  const std::string dashes(26, '-');
  const std::string blanks(13, ' ');
  EXPECT_EQ(pages[0].substr(pages[0].find("\r\n")),
            "\r\n\r\n\r\n" + dashes + " INTEGER VARIABLES: " + dashes + blanks + "\r\n\r\n\r\n" +
                dashes + " VARIANT VARIABLES: " + dashes + blanks + "\r\n\r\n\r\n");
}

TEST(VariablesStatusTest, ExactlyTwentyFiveLinesMakeOnePage) {
  TestPlayer t;
  VariableStore store(t.player);
  for (int i = 0; i < 17; ++i) store.Variables.Add("N" + std::to_string(i), std::int16_t{0});
  const std::vector<std::string> pages = VariablesStatusPages(store);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].substr(pages[0].size() - 4), "\r\n\r\n");
  store.Variables.Add("N17", std::int16_t{0});  // line 25 starts a second page
  EXPECT_EQ(VariablesStatusPages(store).size(), 2u);
}

TEST(VariablesStatusTest, VariantValuesAsTextAndNullStopsTheWindow) {
  TestPlayer t;
  VariableStore store(t.player);
  store.VariablesVariant.Add("Name", vbs::Variant::fromString("Ann"));
  store.VariablesVariant.Add("Nothing", vbs::Variant());
  const std::vector<std::string> pages = VariablesStatusPages(store);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_NE(pages[0].find("\r\nName = Ann\r\nNothing = \r\n\r\n"), std::string::npos);
  store.VariablesVariant.Add("Unknown", vbs::Variant::Null());
  ShowVariablesStatus(t.player, store);
  ASSERT_EQ(t.boxes().size(), 1u);
  EXPECT_EQ(t.boxes()[0].title, "Error");
  EXPECT_EQ(t.boxes()[0].icon, platform::MsgIcon::Warning);
  EXPECT_EQ(t.boxes()[0].text, "Error displaying variables status. Invalid use of Null");
  // Every line is built before the first page: a value on the second page that cannot be
  // shown gives the warning alone, not the first page before it.
  for (int i = 0; i < 30; ++i) store.Variables.Add("N" + std::to_string(i), std::int16_t{0});
  ShowVariablesStatus(t.player, store);
  ASSERT_EQ(t.boxes().size(), 2u);
  EXPECT_EQ(t.boxes()[1].title, "Error");
  EXPECT_THROW(VariablesStatusPages(store), vbs::VbError);
}

}  // namespace
}  // namespace tw::test
