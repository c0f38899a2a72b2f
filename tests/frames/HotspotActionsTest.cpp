// Hotspot actions: the order of the record's fields and effects, its stopping points, going
// to a frame or back, ending the game.
#include "frames/GameFixture.h"
#include "platform/Picture.h"

namespace tw::test {
namespace {

class ActionTest : public GameFixture {
 protected:
  void SetUp() override {
    WriteSmallGeneral(t.game, "Room", true);
    t.game.writeVariables({"A", "B", "C", "D"});
    WriteFrame(t.game, "Room", {}, 2);
    WriteFrame(t.game, "Next", {});
    WriteHotspot(t.game, "Room", 1, {.left = 0, .top = 0, .width = 50, .height = 50});
    WriteHotspot(t.game, "Room", 2, {.left = 100, .top = 0, .width = 50, .height = 50});
  }
  std::int16_t act(const ActionSpec& action) {
    WriteAction(t.game, "Room", 1, action);
    return game->MakeAction(1, 0);
  }
};

TEST_F(ActionTest, SetClearAndInvertApplyInThatOrder) {
  startGame();
  // 0, then 1, then inverted: 0.
  act({.variable = "A", .setZero = true, .setOne = true, .invert = true});
  EXPECT_EQ(value("A"), 0);
  act({.variable = "A", .setOne = true});
  EXPECT_EQ(value("A"), 1);
  act({.variable = "A", .setZero = true, .invert = true});
  EXPECT_EQ(value("A"), 1);
  // Field 1 off: nothing changes.
  std::vector<std::string> fields = ActionFields({.variable = "A", .setZero = true});
  fields[0] = "0";
  t.game.writeLines("Areas/Room/1b.dat", fields);
  game->MakeAction(1, 0);
  EXPECT_EQ(value("A"), 1);
}

TEST_F(ActionTest, VariableListsSetClearAndInvertEveryName) {
  startGame();
  game->variables.ChangeVariableValue("C", 1);
  act({.listZero = {"A"}, .listOne = {"B", "", "Unknown"}, .listInvert = {"C", "D"}});
  EXPECT_EQ(value("A"), 0);
  EXPECT_EQ(value("B"), 1);
  EXPECT_EQ(value("C"), 0);
  EXPECT_EQ(value("D"), 1);
  EXPECT_TRUE(t.boxes().empty());
}

TEST_F(ActionTest, EndOfGameReadsNothingMore) {
  startGame();
  EXPECT_EQ(act({.variable = "A", .setOne = true, .disappear = true, .endGame = true,
                 .goTo = "Next"}),
            kActionEndGame);
  EXPECT_EQ(value("A"), 1);
  ASSERT_EQ(game->variables.Disappear.Count(), 1);
  EXPECT_EQ(game->variables.Disappear.Item(1)->Name, "Room");
  EXPECT_EQ(frame(), "Room");  // field 12 was never read

  // Only fields 1-11: still the end of the game.
  EXPECT_EQ(act({.variable = "B", .setOne = true, .endGame = true, .fieldCount = 11}),
            kActionEndGame);
  EXPECT_EQ(value("B"), 1);
}

TEST_F(ActionTest, RecordsEndingAtAStoppingPointKeepTheDefaults) {
  startGame();
  // Every marked point: after 13, 23, 28, 32, 36, the lists, 41, 43, 45, 46.
  for (int cut : {13, 23, 28, 32, 36, 43, 44, 46, 48, 49}) {
    SCOPED_TRACE(cut);
    const std::int16_t result = act({.goTo = "Next", .fieldCount = cut});
    EXPECT_EQ(result, kActionFrameOpened);
    EXPECT_EQ(frame(), "Next");
    game->OpenFrame("Room", false, 0, 0);
  }
  EXPECT_TRUE(t.boxes().empty()) << boxTexts()[0];
}

TEST_F(ActionTest, RecordsCutBetweenStoppingPointsReportAndKeepWhatWasDone) {
  startGame();
  const std::int16_t result = act({.variable = "A", .setOne = true, .goTo = "Next",
                                   .fieldCount = 17});
  EXPECT_EQ(result, kActionNothing);
  EXPECT_EQ(value("A"), 1);
  EXPECT_EQ(frame(), "Room");
  ASSERT_EQ(t.boxes().size(), 1u);
  EXPECT_NE(t.boxes()[0].text.find(
                "Error description: Unable to make the action associated with the hotspot. "
                "Input past end of file"),
            std::string::npos);
}

TEST_F(ActionTest, WideChannelTableStopsTheReading) {
  startGame();
  // With 6 cells per row nothing after the table's size is read: a field 57 that is not a
  // boolean would otherwise fail the action.
  std::vector<std::string> fields = ActionFields({.goTo = "Next", .giveItem = "Key"});
  const std::size_t cellsField = fields.size() - 4;
  fields[cellsField] = "6";
  fields[cellsField + 1] = "1";
  fields[cellsField + 2] = "not a boolean";
  t.game.writeLines("Areas/Room/1b.dat", fields);
  EXPECT_EQ(game->MakeAction(1, 0), kActionFrameOpened);
  EXPECT_TRUE(t.boxes().empty());

  fields[cellsField] = "5";
  fields[cellsField + 1] = "0";
  t.game.writeLines("Areas/Room/1b.dat", fields);
  game->OpenFrame("Room", false, 0, 0);
  EXPECT_EQ(game->MakeAction(1, 0), kActionNothing);
  EXPECT_EQ(t.boxes().size(), 1u);
}

TEST_F(ActionTest, ActionChannelRowsAreTakenOverAndFadeIsSet) {
  startGame();
  std::vector<std::string> fields = ActionFields({});
  const std::size_t fadeField = fields.size() - 6;
  fields[fadeField] = "2500";
  fields[fadeField + 2] = "5";
  fields[fadeField + 3] = "8";  // rows 8 and beyond are read and dropped
  std::vector<std::string> table;
  for (int r = 1; r <= 8; ++r) {
    for (const std::string& cell : {std::to_string(r), std::string("#TRUE#"),
                                    std::string("#FALSE#"), std::to_string(r) + ".5",
                                    Quoted("ch" + std::to_string(r) + ".wav")}) {
      table.push_back(cell);
    }
  }
  fields.insert(fields.end() - 2, table.begin(), table.end());
  game->SoundChannels[3].Volume = 9;
  t.game.writeLines("Areas/Room/1b.dat", fields);
  game->MakeAction(1, 0);
  ASSERT_TRUE(t.boxes().empty()) << t.boxes()[0].text;
  EXPECT_DOUBLE_EQ(game->SoundChannels.FadeDuration, 2.5);
  EXPECT_EQ(game->SoundChannels[3].Mode, 3);
  EXPECT_TRUE(game->SoundChannels[3].Fade);
  EXPECT_FALSE(game->SoundChannels[3].Loop);
  EXPECT_DOUBLE_EQ(game->SoundChannels[3].Volume, 3.5);
  EXPECT_DOUBLE_EQ(game->SoundChannels[3].PreviousVolume, 9);
  EXPECT_EQ(game->SoundChannels[7].FileName, "ch7.wav");
  EXPECT_FALSE(game->SoundChannels[7].KeepIfPlaying);
}

TEST_F(ActionTest, GoingBackNeedsTwoHistoryEntries) {
  startGame();
  EXPECT_EQ(act({.goBack = true}), kActionNothing);  // only "Room" in the history
  EXPECT_EQ(game->FramesHistory, std::vector<std::string>{"Room"});

  game->OpenFrame("Next", false, 0, 0);
  WriteHotspot(t.game, "Next", 1, {});
  WriteAction(t.game, "Next", 1, {.goBack = true});
  t.game.writeLines("Frames/Next.lks", {"1"});
  EXPECT_EQ(game->MakeAction(1, 0), kActionFrameOpened);
  EXPECT_EQ(frame(), "Room");
  EXPECT_EQ(game->FramesHistory, std::vector<std::string>{"Room"});
}

TEST_F(ActionTest, GoingToAFrameWinsOverGoingBack) {
  startGame();
  game->OpenFrame("Next", false, 0, 0);
  game->OpenFrame("Room", false, 0, 0);
  EXPECT_EQ(act({.goTo = "Next", .goBack = true}), kActionFrameOpened);
  EXPECT_EQ(game->FramesHistory, (std::vector<std::string>{"Room", "Next", "Room", "Next"}));
}

TEST_F(ActionTest, MissingRecordDoesNothing) {
  startGame();
  EXPECT_EQ(game->MakeAction(2, 0), kActionNothing);
  EXPECT_TRUE(t.boxes().empty());
}

TEST_F(ActionTest, DamagedRecordsGiveTheBoxNeverACrash) {
  startGame();
  const std::vector<std::string> damaged = {
      "", "garbage", std::string("\x00\xff\x01,\x02", 5), "1,\"A\",1,1,1,1",
      "99999", std::string(1'000'000, 'x'),
  };
  for (const std::string& content : damaged) {
    const std::size_t before = t.boxes().size();
    t.game.write("Areas/Room/1b.dat", content);
    game->MakeAction(1, 0);
    EXPECT_EQ(t.boxes().size(), before + 1) << content.substr(0, 20);
  }
}

TEST_F(ActionTest, ClickedHotspotThatDisappearsIsHiddenAndGetsNoSecondClick) {
  startGame();
  WriteAction(t.game, "Room", 1, {.variable = "A", .invert = true, .disappear = true});
  ASSERT_TRUE(game->Area[1].visible());
  click(10, 10);
  EXPECT_FALSE(game->Area[1].visible());
  EXPECT_EQ(value("A"), 1);
  click(10, 10);
  EXPECT_EQ(value("A"), 1);
  // The same number in another frame is not affected.
  game->variables.Disappear.Clear();
  game->variables.Disappear.Add("Next", std::int16_t{1});
  game->ShowOrNotShowAreas();
  EXPECT_TRUE(game->Area[1].visible());
}

TEST_F(ActionTest, GivesItsItemOnlyWhenAskedTo) {
  platform::Picture::solid(32, 32, 0x00AAFF)->saveBmp(t.game.file("Areas/icon.bmp"));
  for (const char* item : {"Key", "Rope"}) {
    t.game.writeLines(std::string("Areas/") + item + ".obj", {Quoted("icon.bmp")});
  }
  startGame();
  act({.giveItem = "Key"});
  ASSERT_EQ(game->ObjectsCount, 1);
  EXPECT_EQ(game->PickedObjectName(1), "Key");
  // Field 57 false: the name in field 58 is read but nothing is given.
  std::vector<std::string> fields = ActionFields({.giveItem = "Rope"});
  fields[fields.size() - 2] = "#FALSE#";
  t.game.writeLines("Areas/Room/1b.dat", fields);
  game->MakeAction(1, 0);
  EXPECT_EQ(game->ObjectsCount, 1);
  EXPECT_TRUE(t.boxes().empty()) << t.boxes()[0].text;
}

TEST_F(ActionTest, ClickPositionIsRoundedToEvenPixels) {
  startGame();
  game->SaveClickPos(22.5, 37.5);  // 1.5 and 2.5 pixels
  EXPECT_EQ(game->LastClickX, 2);
  EXPECT_EQ(game->LastClickY, 2);
  game->SaveClickPos(15 * 100 + 7, 15 * 7 + 8);
  EXPECT_EQ(game->LastClickX, 100);
  EXPECT_EQ(game->LastClickY, 8);
}

}  // namespace
}  // namespace tw::test
