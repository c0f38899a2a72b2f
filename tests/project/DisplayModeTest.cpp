// Display-mode changes: which codes change what (only the width is compared), the wait of
// one second on the platform clock before the main window is recentred, refusals and other
// failures, and the restore at exit.
#include <gtest/gtest.h>

#include <stdexcept>

#include "project/DisplayMode.h"
#include "project/ErrorBoxes.h"
#include "support/TestPlayer.h"

namespace tw::test {
namespace {

struct ModeCase {
  const char* name;
  int screenWidth, screenHeight;
  std::int16_t code;
  int expectWidth, expectHeight;  // screen afterwards
  bool changed;
};

class ChangeDisplayModeTest : public ::testing::TestWithParam<ModeCase> {};

TEST_P(ChangeDisplayModeTest, ChangesOnlyWhenTheWidthDiffers) {
  const ModeCase& c = GetParam();
  TestPlayer t;
  t.platform.setScreen(c.screenWidth, c.screenHeight);
  int recentred = 0;
  std::int64_t recentredAt = -1;
  const std::int64_t start = t.platform.clockMs();
  ChangeDisplayMode(t.player, c.code, [&] {
    ++recentred;
    recentredAt = t.platform.clockMs();
  });
  EXPECT_EQ(t.platform.screenSize().width, c.expectWidth);
  EXPECT_EQ(t.platform.screenSize().height, c.expectHeight);
  EXPECT_EQ(t.platform.displayChanges(), c.changed ? 1 : 0);
  EXPECT_EQ(recentred, c.changed ? 1 : 0);
  if (c.changed) {
    EXPECT_GE(recentredAt - start, 1000);
    EXPECT_LT(recentredAt - start, 1100);
  }
  EXPECT_TRUE(t.boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ChangeDisplayModeTest,
    ::testing::Values(ModeCase{"From800To640", 800, 600, 1, 640, 480, true},
                      ModeCase{"SameWidthOtherHeightIsLeft", 800, 1024, 2, 800, 1024, false},
                      ModeCase{"AlreadyThere", 1024, 768, 3, 1024, 768, false},
                      ModeCase{"UpTo1024", 640, 480, 3, 1024, 768, true},
                      ModeCase{"Code2", 1280, 1024, 2, 800, 600, true},
                      ModeCase{"CodeZeroIsNoMode", 800, 600, 0, 800, 600, false},
                      ModeCase{"CodeFourIsNoMode", 800, 600, 4, 800, 600, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DisplayModeTest, TheWaitKeepsEventsRunning) {
  TestPlayer t;
  int passes = 0;
  t.platform.setInputHook([&](const platform::HeadlessPlatform::Wait& w) {
    if (w.kind == platform::HeadlessPlatform::WaitKind::ProcessEvents) ++passes;
    return false;
  });
  ChangeDisplayMode(t.player, 1, nullptr);  // no main window yet: nothing to recentre
  EXPECT_GE(passes, 1000);
  EXPECT_EQ(t.platform.screenSize().width, 640);
}

TEST(DisplayModeTest, RefusedModeShowsTheBoxAndStillRecentres) {
  TestPlayer t;
  t.platform.setScreen(1024, 768);
  t.platform.setSupportedSizes({{1024, 768}});
  int recentred = 0;
  ChangeDisplayMode(t.player, 1, [&] { ++recentred; });
  ASSERT_EQ(t.boxes().size(), 1u);
  EXPECT_EQ(
      t.boxes()[0].text,
      StandardErrorText(t.player, " Unable to change display resolution. Mode not supported."));
  EXPECT_EQ(t.boxes()[0].icon, platform::MsgIcon::Error);
  EXPECT_EQ(t.platform.screenSize().width, 1024);
  EXPECT_EQ(recentred, 1);
}

TEST(DisplayModeTest, OtherFailuresNameTheirDescription) {
  TestPlayer t;
  ChangeDisplayMode(t.player, 1, [] { throw std::runtime_error("Object required"); });
  ASSERT_EQ(t.boxes().size(), 1u);
  EXPECT_EQ(t.boxes()[0].text,
            StandardErrorText(t.player, " Error changing display resolution. Object required"));
}

TEST(DisplayModeTest, SetDisplaySizeReportsTheAnswer) {
  TestPlayer t;
  t.platform.setSupportedSizes({{800, 600}});
  EXPECT_TRUE(SetDisplaySize(t.player, 800, 600));
  EXPECT_TRUE(t.boxes().empty());
  EXPECT_FALSE(SetDisplaySize(t.player, 640, 480));
  EXPECT_EQ(t.boxes().size(), 1u);
  EXPECT_EQ(t.platform.screenSize().width, 800);
}

struct RestoreCase {
  const char* name;
  int nowWidth, nowHeight;
  bool restores;
};

class RestoreDisplayTest : public ::testing::TestWithParam<RestoreCase> {};

TEST_P(RestoreDisplayTest, ReturnsToTheRecordedSize) {
  const RestoreCase& c = GetParam();
  TestPlayer t;
  t.game.writeGeneral(FullGeneralFields());
  t.platform.setScreen(1024, 768);
  ASSERT_TRUE(t.initialize());  // records 1024 x 768
  t.platform.setScreen(c.nowWidth, c.nowHeight);
  EXPECT_EQ(RestoreDisplayAtExit(t.player), c.restores);
  EXPECT_EQ(t.platform.screenSize().width, 1024);
  EXPECT_EQ(t.platform.screenSize().height, 768);
  EXPECT_EQ(t.platform.displayChanges(), c.restores ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Sizes, RestoreDisplayTest,
                         ::testing::Values(RestoreCase{"Unchanged", 1024, 768, false},
                                           RestoreCase{"Switched", 640, 480, true},
                                           RestoreCase{"HeightOnly", 1024, 600, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DisplayModeTest, AGameEndedAfterSwitchingGetsItsScreenBack) {
  TestPlayer t;
  t.game.writeGeneral(FullGeneralFields());
  t.platform.setScreen(800, 600);
  ASSERT_TRUE(t.initialize());
  ChangeDisplayMode(t.player, 1, nullptr);
  ASSERT_EQ(t.platform.screenSize().width, 640);
  EXPECT_TRUE(RestoreDisplayAtExit(t.player));
  EXPECT_EQ(t.platform.screenSize().width, 800);
  EXPECT_EQ(t.platform.screenSize().height, 600);
}

}  // namespace
}  // namespace tw::test
