// Reading "Config/General": every field, the group boundaries, damaged files.
#include <gtest/gtest.h>

#include "project/ProjectInformation.h"
#include "support/TestPlayer.h"

namespace tw::test {
namespace {

using platform::MsgIcon;

// Field counts at which a group ends: 11 (group 1), 12, 16, 22, 38, 41, 44, 46, 47.
constexpr int kGroupEnds[] = {11, 12, 16, 22, 38, 41, 44, 46, 47};

std::vector<std::string> FirstFields(int count) {
  std::vector<std::string> fields = FullGeneralFields();
  fields.resize(static_cast<std::size_t>(count));
  return fields;
}

class GeneralTest : public ::testing::Test {
 protected:
  void load(const std::vector<std::string>& fields) {
    t.game.writeGeneral(fields);
    t.initialize();
  }
  const ProjectSettings& s() const { return t.player.settings; }
  TestPlayer t;
};

TEST_F(GeneralTest, CompleteFileSetsEverySetting) {
  load(FullGeneralFields());
  EXPECT_TRUE(t.boxes().empty());
  EXPECT_EQ(s().ProjectId, "GAME-ID-1");
  EXPECT_EQ(s().GameTitle, "The Lighthouse");
  EXPECT_EQ(s().StartFrame, "Beach");
  EXPECT_EQ(s().GameVersion, "1.2");
  EXPECT_EQ(s().GameWidth, 640);
  EXPECT_EQ(s().GameHeight, 480);
  EXPECT_EQ(s().AuthorName, "Ada Author");
  EXPECT_EQ(s().AuthorEmail, "ada@example.org");
  EXPECT_EQ(s().AuthorWebSite, "http://example.org/");
  EXPECT_EQ(s().ResolutionChangeMode, 2);
  EXPECT_EQ(s().SchemeName, "Ocean");
  EXPECT_TRUE(s().DisableLoadGame);
  EXPECT_FALSE(s().DisableSaveGame);
  EXPECT_EQ(s().InventorySpacingX, 12);
  EXPECT_EQ(s().InventorySpacingY, 14);
  EXPECT_FALSE(s().UseInventoryBar);
  EXPECT_FALSE(s().SlideInventoryOpen);
  EXPECT_TRUE(s().SlideInventoryClose);
  EXPECT_FALSE(s().HideInventoryButtonWhenEmpty);
  EXPECT_FALSE(s().OpenInventoryOnPickUp);
  EXPECT_TRUE(s().CustomInventoryPictures);
  EXPECT_EQ(s().InventoryButtonPicture, "button.bmp");
  EXPECT_EQ(s().InventoryBackgroundPicture, "back.bmp");
  EXPECT_EQ(s().GameResolution, 1);
  EXPECT_EQ(s().CursorFile, "hand.cur");
  EXPECT_TRUE(s().WindowedMode);
  // Field 43 is the start-up window flag, field 44 the logo flag.
  EXPECT_TRUE(s().SkipStartupWindow);
  EXPECT_FALSE(s().HideToolLogo);
  EXPECT_TRUE(s().HideTransitionsOption);
  EXPECT_TRUE(s().HideEffectsOption);
}

// A file that ends at a group boundary is complete up to there; every later setting keeps
// its default and no error is reported.
TEST_F(GeneralTest, FileEndingAtEachGroupBoundaryKeepsLaterDefaults) {
  for (int end : kGroupEnds) {
    SCOPED_TRACE("fields: " + std::to_string(end));
    TestPlayer p;
    p.game.writeGeneral(FirstFields(end));
    p.initialize();
    const ProjectSettings& g = p.player.settings;
    EXPECT_TRUE(p.boxes().empty());
    EXPECT_EQ(g.AuthorWebSite, "http://example.org/");
    EXPECT_EQ(g.ResolutionChangeMode, end >= 12 ? 2 : 0);
    EXPECT_EQ(g.SchemeName, end >= 16 ? "Ocean" : "");
    EXPECT_EQ(g.DisableLoadGame, end >= 22);
    EXPECT_EQ(g.InventorySpacingX, end >= 38 ? 12 : 10);
    EXPECT_EQ(g.UseInventoryBar, end < 38);
    EXPECT_EQ(g.HideInventoryButtonWhenEmpty, end < 38);
    EXPECT_EQ(g.OpenInventoryOnPickUp, end < 38);
    EXPECT_EQ(g.InventoryButtonPicture, end >= 38 ? "button.bmp" : "DEFAULT");
    EXPECT_EQ(g.GameResolution, end >= 38 ? 1 : 0);
    EXPECT_EQ(g.CursorFile, end >= 38 ? "hand.cur" : "DEFAULT");
    EXPECT_EQ(g.WindowedMode, end >= 41);
    EXPECT_EQ(g.SkipStartupWindow, end >= 44);
    EXPECT_EQ(g.HideTransitionsOption, end >= 46);
    EXPECT_EQ(g.HideEffectsOption, end >= 47);
  }
}

TEST_F(GeneralTest, ElevenFieldsLeaveResolutionChangeModeAtItsPreviousValue) {
  t.game.writeGeneral(FirstFields(11));
  t.initialize();
  t.player.settings.ResolutionChangeMode = 7;
  LoadProjectInformation(t.player);
  EXPECT_EQ(s().ResolutionChangeMode, 7);
}

TEST_F(GeneralTest, UnreadableResolutionFieldLeavesTheOfferSwitchedOn) {
  std::vector<std::string> fields = FirstFields(12);
  fields[11] = "not-a-number";
  load(fields);
  EXPECT_EQ(s().ResolutionChangeMode, 1);
  ASSERT_EQ(t.boxes().size(), 1u);
  EXPECT_EQ(t.boxes()[0].text,
            "An error has occurred. The program may not work properly. Press 'Esc' and the click "
            "'Exit' to quit.\r\n\r\nError description: Error loading project information.");
}

// A file cut inside a group fails at the first missing field: the box, and what was read
// before it stays.
TEST_F(GeneralTest, FileCutInsideAGroupReportsAndKeepsWhatWasRead) {
  load(FirstFields(30));
  ASSERT_EQ(t.boxes().size(), 1u);
  EXPECT_EQ(t.boxes()[0].icon, MsgIcon::Error);
  EXPECT_EQ(t.boxes()[0].title, "Error");
  EXPECT_EQ(s().InventorySpacingX, 12);
  EXPECT_FALSE(s().UseInventoryBar);
  EXPECT_FALSE(s().SlideInventoryOpen);
  EXPECT_TRUE(s().SlideInventoryClose);
  EXPECT_TRUE(s().OpenInventoryOnPickUp);  // field 31 was never read
  EXPECT_EQ(s().CursorFile, "DEFAULT");
}

TEST_F(GeneralTest, FieldsMaySpreadOverLinesOrShareThem) {
  std::vector<std::string> fields = FirstFields(12);
  std::string text;
  for (std::size_t i = 0; i < fields.size(); ++i) text += fields[i] + (i % 3 == 2 ? "\r\n" : ",");
  t.game.write("Config/General", text);
  t.initialize();
  EXPECT_TRUE(t.boxes().empty());
  EXPECT_EQ(s().GameHeight, 480);
  EXPECT_EQ(s().ResolutionChangeMode, 2);
}

TEST_F(GeneralTest, DamagedFilesGiveTheBoxAndNeverCrash) {
  const std::string binary("\x00\x01\xff\xfe\"\x1a\r\n,,\x80\x90", 12);
  const std::vector<std::string> damaged = {
      "",                                           // empty file
      binary,                                       // binary garbage
      std::string(3'000'000, 'x'),                  // one enormous line
      "\"unterminated",                             // quote never closed
      "\"ID\",\"x\",\"T\",99999",                   // field 4 overflows 16 bits
      "\"ID\",\"x\",\"T\",3,\"F\",\"1\",wide,480",  // width not a number
  };
  for (const std::string& content : damaged) {
    SCOPED_TRACE(content.substr(0, 40));
    TestPlayer p;
    p.game.write("Config/General", content);
    EXPECT_TRUE(p.initialize());
    ASSERT_EQ(p.boxes().size(), 1u);
    EXPECT_NE(p.boxes()[0].text.find(" Error loading project information."), std::string::npos);
    EXPECT_EQ(p.player.settings.CursorFile, "DEFAULT");
  }
}

TEST_F(GeneralTest, DefaultsAreSetBeforeEveryRead) {
  load(FullGeneralFields());
  t.game.writeGeneral(FirstFields(11));
  LoadProjectInformation(t.player);
  EXPECT_TRUE(s().UseInventoryBar);
  EXPECT_EQ(s().InventorySpacingY, 10);
  EXPECT_FALSE(s().WindowedMode);
  EXPECT_EQ(s().SchemeName, "");
}

}  // namespace
}  // namespace tw::test
