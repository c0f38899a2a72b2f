// Start-up: the large-fonts question, the folders, the missing "General" question, the
// recorded screen size.
#include <gtest/gtest.h>

#include <filesystem>

#include "project/DisplayChecks.h"
#include "project/InitializeProject.h"
#include "support/TestPlayer.h"

namespace tw::test {
namespace {

using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

TEST(InitializeProjectTest, FoldersEndInASlashBelowTheGameFolder) {
  TestPlayer t;
  t.game.writeGeneral(FullGeneralFields());
  ASSERT_TRUE(t.initialize());
  const ProjectFolders& f = t.player.folders;
  EXPECT_EQ(f.ProjectFolder, t.game.path());
  EXPECT_EQ(f.FramesFolder, t.game.path() + "Frames/");
  EXPECT_EQ(f.AreasFolder, t.game.path() + "Areas/");
  EXPECT_EQ(f.IconsFolder, t.game.path() + "Icons/");
  EXPECT_EQ(f.ConfigFolder, t.game.path() + "Config/");
  EXPECT_EQ(f.SchemesFolder, t.game.path() + "Schemes/");
  EXPECT_EQ(f.InventoryFolder, t.game.path() + "Inventory/");
  EXPECT_EQ(f.GamePath, f.ProjectFolder);
}

TEST(InitializeProjectTest, GameInTheRootFolderGetsSingleSlashes) {
  platform::HeadlessPlatform platform;
  Player player(platform, "/");
  platform.queueAnswer(MsgAnswer::Ok);  // "General" is missing there: go on anyway
  EXPECT_TRUE(InitializeProject(player));
  EXPECT_EQ(player.folders.ProjectFolder, "/");
  EXPECT_EQ(player.folders.FramesFolder, "/Frames/");
  EXPECT_EQ(player.folders.ConfigFolder, "/Config/");
}

TEST(InitializeProjectTest, PresetFolderWinsOverTheProgramFolder) {
  GameFolder game;
  game.writeGeneral(FullGeneralFields());
  platform::HeadlessPlatform platform;
  Player player(platform, "/nonexistent/program/");
  std::string preset = game.path();
  preset.pop_back();  // given without its trailing slash
  PresetProjectFolder(player, preset);
  ASSERT_TRUE(InitializeProject(player));
  EXPECT_EQ(player.folders.ProjectFolder, game.path());
  EXPECT_EQ(player.settings.GameTitle, "The Lighthouse");
}

// A folder named relative to where the program was started is made absolute at once: the
// folders, the path scripts read and the warnings all name it in full.
TEST(InitializeProjectTest, ARelativeGameFolderBecomesAbsolute) {
  GameFolder game;  // no "General": its warning shows the path
  const std::filesystem::path saved = std::filesystem::current_path();
  const std::filesystem::path gameDir(game.path());
  std::filesystem::current_path(gameDir.parent_path().parent_path());
  const std::string relative = "./" + gameDir.parent_path().filename().string() + "/../" +
                               gameDir.parent_path().filename().string();
  platform::HeadlessPlatform platform;
  Player player(platform, "/nonexistent/program/");
  PresetProjectFolder(player, relative);
  const bool initialized = InitializeProject(player);
  std::filesystem::current_path(saved);
  ASSERT_TRUE(initialized);
  EXPECT_EQ(player.folders.ProjectFolder, game.path());
  EXPECT_EQ(player.folders.GamePath, game.path());
  EXPECT_EQ(player.folders.FramesFolder, game.path() + "Frames/");
  ASSERT_FALSE(platform.boxes().empty());
  EXPECT_NE(platform.boxes()[0].text.find(game.path() + "Config/General"), std::string::npos);
}

TEST(InitializeProjectTest, LargeFontsAreWarnedAboutAndNoEndsTheProgram) {
  TestPlayer t;
  t.game.writeGeneral(FullGeneralFields());
  t.platform.setDesktopFontHeight(17);
  EXPECT_FALSE(t.initialize());  // No is the default button
  EXPECT_TRUE(t.player.ProgramEndRequested);
  ASSERT_EQ(t.boxes().size(), 1u);
  const platform::HeadlessPlatform::BoxRecord& box = t.boxes()[0];
  EXPECT_EQ(box.title, "!!!");
  EXPECT_EQ(box.icon, MsgIcon::Warning);
  EXPECT_EQ(box.buttons, MsgButtons::YesNo);
  EXPECT_EQ(box.answer, MsgAnswer::No);
  EXPECT_EQ(box.text.rfind("Warning! Your system is set to use large fonts.", 0), 0u);
  EXPECT_NE(box.text.find("(not recommended)\r\n\r\nTo fix this problem,"), std::string::npos);
  EXPECT_EQ(t.player.settings.GameTitle, "");  // nothing else ran
}

TEST(InitializeProjectTest, LargeFontsAcceptedGoesOn) {
  TestPlayer t;
  t.game.writeGeneral(FullGeneralFields());
  t.platform.setDesktopFontHeight(17);
  t.queueAnswer(MsgAnswer::Yes);
  EXPECT_TRUE(t.initialize());
  EXPECT_EQ(t.player.settings.GameTitle, "The Lighthouse");
}

TEST(InitializeProjectTest, SmallOrUnmeasurableFontsAskNothing) {
  for (int height : {16, 12, 0}) {
    TestPlayer t;
    t.game.writeGeneral(FullGeneralFields());
    t.platform.setDesktopFontHeight(height);
    EXPECT_TRUE(t.initialize());
    EXPECT_TRUE(t.boxes().empty()) << height;
  }
}

TEST(InitializeProjectTest, MissingGeneralAsksAndCancelEndsTheProgram) {
  TestPlayer t;
  t.queueAnswer(MsgAnswer::Cancel);
  EXPECT_FALSE(t.initialize());
  ASSERT_EQ(t.boxes().size(), 1u);
  const platform::HeadlessPlatform::BoxRecord& box = t.boxes()[0];
  EXPECT_EQ(box.icon, MsgIcon::Warning);
  EXPECT_EQ(box.buttons, MsgButtons::OkCancel);
  EXPECT_EQ(box.title, "Error");
  EXPECT_EQ(box.text.rfind("The following file is missing: " + t.game.path() +
                               "Config/General"
                               "\r\n\r\nThis file may have been moved",
                           0),
            0u);
  EXPECT_NE(box.text.find("'Exit' to quit.\r\n\r\nDo you want to continue anyway? (not "
                          "recommended)"),
            std::string::npos);
}

TEST(InitializeProjectTest, MissingGeneralAcceptedRunsOnDefaults) {
  TestPlayer t;  // OK is the default button
  EXPECT_TRUE(t.initialize());
  ASSERT_EQ(t.boxes().size(), 2u);
  EXPECT_NE(t.boxes()[1].text.find(" Error loading project information."), std::string::npos);
  EXPECT_EQ(t.player.settings.InventorySpacingX, 10);
  EXPECT_EQ(t.player.settings.CursorFile, "DEFAULT");
}

TEST(InitializeProjectTest, GeneralIsFoundWhateverItsCase) {
  TestPlayer t;
  t.game.remove("Config");  // the folder too may be spelled otherwise
  t.game.writeLines("CONFIG/GENERAL", FullGeneralFields());
  t.game.writeLines("CONFIG/texts", {"1"});
  EXPECT_TRUE(t.initialize());
  EXPECT_TRUE(t.boxes().empty());
  EXPECT_EQ(t.player.settings.StartFrame, "Beach");
  EXPECT_EQ(t.player.messages[1], "Start New Game");
}

TEST(InitializeProjectTest, ScreenSizeIsRecordedAndComparedWithTheGameResolution) {
  struct Case {
    int width, height;
    std::int16_t resolution;
    bool matches;
  };
  const Case cases[] = {
      {640, 480, 0, true},  {800, 600, 1, true},   {1024, 768, 2, true},
      {800, 600, 0, false}, {800, 1024, 1, false}, {1024, 768, 3, false},
  };
  for (const Case& c : cases) {
    TestPlayer t;
    t.game.writeGeneral(FullGeneralFields());
    t.platform.setScreen(c.width, c.height);
    ASSERT_TRUE(t.initialize());
    EXPECT_EQ(t.player.RecordedScreenWidth, c.width);
    EXPECT_EQ(t.player.RecordedScreenHeight, c.height);
    t.player.settings.GameResolution = c.resolution;
    EXPECT_EQ(DisplayMatchesGameResolution(t.player), c.matches)
        << c.width << "x" << c.height << " code " << c.resolution;
  }
}

TEST(InitializeProjectTest, FrameStateStartsEmpty) {
  TestPlayer t;
  t.game.writeGeneral(FullGeneralFields());
  t.player.frame.CurrentFrameName = "Old";
  t.player.frame.HotspotCount = 4;
  t.player.frame.BackgroundTiled = true;
  ASSERT_TRUE(t.initialize());
  EXPECT_EQ(t.player.frame.CurrentFrameName, "");
  EXPECT_EQ(t.player.frame.HotspotCount, 0);
  EXPECT_FALSE(t.player.frame.BackgroundTiled);
}

}  // namespace
}  // namespace tw::test
