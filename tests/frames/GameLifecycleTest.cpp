// The main window: reset, layout, menus by Esc and right clicks, the keys, closing.
#include "frames/GameFixture.h"

namespace tw::test {
namespace {

class LifecycleTest : public GameFixture {
 protected:
  void SetUp() override {
    t.game.writeVariables({"A", "***", "V"});
    WriteFrame(t.game, "Room", {}, 1);
    WriteHotspot(t.game, "Room", 1, {.left = 100, .top = 100, .width = 50, .height = 50});
    WriteAction(t.game, "Room", 1, {.variable = "A", .setOne = true});
  }
  void general(bool windowed, std::vector<std::pair<int, std::string>> changes = {}) {
    std::vector<std::string> fields = FullGeneralFields();
    fields[4] = Quoted("Room");
    fields[40] = windowed ? "#TRUE#" : "#FALSE#";
    fields[45] = "#FALSE#";
    fields[46] = "#FALSE#";
    fields[37] = Quoted("DEFAULT");
    for (const auto& [field, value] : changes) fields[field - 1] = value;
    t.game.writeGeneral(fields);
  }
  bool menusShown() const { return game->mnuExit.visible(); }
};

TEST_F(LifecycleTest, FullScreenMenusComeAndGoWithEscAndRightClicks) {
  general(false);
  startGame();
  EXPECT_FALSE(menusShown());
  EXPECT_EQ(game->window.caption(), "");
  EXPECT_EQ(game->window.taskTitle(), "The Lighthouse");  // for the task bar
  game->Form_KeyDown(27, 0);
  EXPECT_TRUE(menusShown());
  EXPECT_TRUE(game->mnuSaveGame.visible());
  EXPECT_FALSE(game->mnuLoadGame.visible());  // DisableLoadGame in this "General"
  EXPECT_TRUE(game->mnuOptions.visible());
  game->Form_KeyDown(27, 0);
  EXPECT_FALSE(menusShown());

  click(300, 300, platform::kRightButton);  // background
  EXPECT_TRUE(menusShown());
  click(300, 300, platform::kRightButton);
  EXPECT_FALSE(menusShown());
  click(110, 110, platform::kRightButton);  // a hotspot: menus only, no action
  EXPECT_TRUE(menusShown());
  EXPECT_EQ(value("A"), 0);
  click(110, 110);  // a left click with the menus shown: hides them, and acts
  EXPECT_FALSE(menusShown());
  EXPECT_EQ(value("A"), 1);
}

TEST_F(LifecycleTest, MenuOpenMakesALeftClickOnlyCloseTheMenus) {
  general(false);
  startGame();
  game->ShowMenus();
  game->MenuOpen = true;
  click(110, 110);
  EXPECT_EQ(value("A"), 0);
  EXPECT_FALSE(menusShown());
}

// In full screen a pulled-down menu that closes leaves MenuOpen set: the click after it only
// dismisses the menu bar, and the one after that acts. A window keeps its menus, so there the
// first click acts (the click that closed the menu itself never reaches the game).
TEST_F(LifecycleTest, TheClickAfterAPulledDownMenuOnlyDismissesItInFullScreen) {
  for (const bool windowed : {false, true}) {
    SCOPED_TRACE(windowed ? "windowed" : "full screen");
    general(windowed);
    startGame();
    game->ShowMenus();
    game->window.onMenuPulledDown(game->window, true);
    game->window.onMenuPulledDown(game->window, false);  // closed by picking or leaving it
    EXPECT_EQ(game->MenuOpen, !windowed);
    click(110, 110);
    EXPECT_EQ(value("A"), windowed ? 1 : 0);
    EXPECT_FALSE(game->MenuOpen);
    EXPECT_EQ(menusShown(), windowed);
    click(110, 110);
    EXPECT_EQ(value("A"), 1);
  }
}

TEST_F(LifecycleTest, WindowedGamesKeepTheirMenus) {
  general(true);
  startGame();
  EXPECT_TRUE(menusShown());
  EXPECT_EQ(game->window.caption(), "The Lighthouse ");
  game->Form_KeyDown(27, 0);
  EXPECT_TRUE(menusShown());
  click(300, 300, platform::kRightButton);
  EXPECT_TRUE(menusShown());
}

TEST_F(LifecycleTest, OptionsMenuFollowsTheTwoHideSettings) {
  struct Case {
    bool hideTransitions, hideEffects;
    bool options, transitions, effects;
  };
  const Case cases[] = {
      {false, false, true, true, true},
      {true, false, true, false, true},
      {false, true, true, true, false},
      {true, true, false, true, true},  // the items themselves are left as they were
  };
  for (const Case& c : cases) {
    TestPlayer p;
    std::vector<std::string> fields = FullGeneralFields();
    fields[45] = c.hideTransitions ? "#TRUE#" : "#FALSE#";
    fields[46] = c.hideEffects ? "#TRUE#" : "#FALSE#";
    p.game.writeGeneral(fields);
    ASSERT_TRUE(p.initialize());
    Game g(p.player);
    g.ShowMenus();
    EXPECT_EQ(g.mnuOptions.visible(), c.options);
    EXPECT_EQ(g.mnuDisableTransitions.visible(), c.transitions);
    EXPECT_EQ(g.mnuDisableEffects.visible(), c.effects);
    EXPECT_FALSE(g.mnuDebug.visible());
  }
}

TEST_F(LifecycleTest, DebugMenuAfterItsFourKeysInARow) {
  general(true);
  startGame();
  for (int key : {123, 122, 121}) game->Form_KeyDown(key, 0);
  game->Form_KeyDown(65, 0);  // another key in between starts over
  game->Form_KeyDown(120, 0);
  EXPECT_FALSE(game->mnuDebug.visible());
  for (int key : Game::kDebugKeys) game->Form_KeyDown(key, 0);
  EXPECT_TRUE(game->mnuDebug.visible());
  EXPECT_EQ(game->DebugKeyStep, 0);
}

TEST_F(LifecycleTest, QuitAsksAndClosesAfterATenthOfASecond) {
  general(false);
  startGame();
  bool unloaded = false;
  game->onUnloaded = [&] { unloaded = true; };
  t.queueAnswer(platform::MsgAnswer::No);
  game->Form_KeyDown(81, 0);  // Q, with the menus hidden
  ASSERT_EQ(t.boxes().size(), 1u);
  EXPECT_EQ(t.boxes()[0].text, "Do you really want to quit?");
  EXPECT_EQ(t.boxes()[0].icon, platform::MsgIcon::Question);
  t.platform.advance(500);
  EXPECT_FALSE(unloaded);

  t.queueAnswer(platform::MsgAnswer::Yes);
  game->Form_KeyDown(81, 0);
  t.platform.advance(99);
  EXPECT_FALSE(unloaded);
  t.platform.advance(1);
  EXPECT_TRUE(unloaded);
  EXPECT_FALSE(game->isOpen());
}

TEST_F(LifecycleTest, ClosingRestoresTheRecordedScreenSize) {
  general(false);
  startGame();
  t.platform.setDisplaySize(640, 480);
  game->Form_Unload();
  EXPECT_EQ(t.platform.screenSize().width, 1024);
  EXPECT_EQ(t.platform.screenSize().height, 768);
}

TEST_F(LifecycleTest, ResetAllClearsEverything) {
  general(false);
  startGame();
  game->variables.ChangeVariableValue("A", 1);
  game->variables.Disappear.Add("Room", std::int16_t{1});
  game->ControlsReferencesMode = 2;
  game->ResolutionOnLoadGame = 3;
  game->AudioWarningShown = true;
  game->TransitionErrorShown = true;
  t.player.GameStopped = true;
  game->CutSceneArea.setVisible(true);
  game->ShowTextMessage("bar", true);
  game->ResetAll();
  EXPECT_EQ(game->variables.Variables.Count(), 0);
  EXPECT_EQ(game->variables.VariablesVariant.Count(), 0);
  EXPECT_EQ(game->variables.Disappear.Count(), 0);
  EXPECT_TRUE(game->FramesHistory.empty());
  EXPECT_EQ(game->ObjectsCount, 0);
  EXPECT_EQ(game->ControlsReferencesMode, 0);
  EXPECT_EQ(game->ResolutionOnLoadGame, 0);
  EXPECT_FALSE(game->AudioWarningShown);
  EXPECT_FALSE(game->TransitionErrorShown);
  EXPECT_FALSE(t.player.GameStopped);
  EXPECT_FALSE(game->CutSceneArea.visible());
  EXPECT_FALSE(game->FrameMessageBox.visible());
  EXPECT_FALSE(game->Timer1.enabled());
  EXPECT_TRUE(game->StopMovie);
  EXPECT_EQ(game->BackImage.width(), 640 * 15);
  EXPECT_EQ(game->BackImage.height(), 480 * 15);
}

TEST_F(LifecycleTest, WindowAndGameAreaAreCentred) {
  general(false);
  t.platform.setScreen(800, 600);
  startGame();
  EXPECT_EQ(game->window.width(), 800 * 15);
  EXPECT_EQ(game->PictureBox.left(), 80 * 15);
  EXPECT_EQ(game->PictureBox.top(), 60 * 15);

  // A game area taller than the screen: its top in the window never goes below 0.
  TestPlayer small;
  std::vector<std::string> fields = FullGeneralFields();
  fields[6] = "1000";
  fields[7] = "900";
  fields[40] = "#FALSE#";
  small.game.writeGeneral(fields);
  small.platform.setScreen(800, 600);
  ASSERT_TRUE(small.initialize());
  Game g(small.player);
  g.ResetAll();
  EXPECT_EQ(g.PictureBox.top(), 0);
  EXPECT_EQ(g.PictureBox.left(), (800 * 15) / 2 - (1000 * 15) / 2);
}

TEST_F(LifecycleTest, GameAreaAbove2184PixelsCannotBeLaidOut) {
  std::vector<std::string> fields = FullGeneralFields();
  fields[6] = "2185";
  t.game.writeGeneral(fields);
  ASSERT_TRUE(t.initialize());
  Game g(t.player);
  g.ResetAll();
  ASSERT_EQ(t.boxes().size(), 1u);
  EXPECT_NE(t.boxes()[0].text.find(" Unable to initialize the program."), std::string::npos);
}

TEST_F(LifecycleTest, DebugFrameListHasTheFramesWithNamesLongerThanTheirExtension) {
  general(true);
  t.game.write("Frames/a.fme", "0");
  t.game.write("Frames/.fme", "0");
  t.game.write("Frames/Zoo.FME", "0");
  startGame();
  std::vector<std::string> captions;
  std::vector<int> indexes;
  for (int i : game->mnuFrameName.indexes()) {
    if (i == 0) continue;
    indexes.push_back(i);
    captions.push_back(game->mnuFrameName[i].caption());
  }
  EXPECT_EQ(captions, (std::vector<std::string>{"a", "Room", "Zoo"}));
  // Entries are numbered by the file's place in the listing, ".fme" included.
  EXPECT_EQ(indexes, (std::vector<int>{2, 3, 4}));
  game->mnuFrameName_Click(4);
  EXPECT_EQ(frame(), "Zoo");
}

}  // namespace
}  // namespace tw::test
