// The player's own options: full screen and window by Alt+Enter, the window size, scaling,
// volume and mute, all remembered per game; the screenshot key.
#include <algorithm>
#include <filesystem>

#include "frames/GameFixture.h"
#include "game/PlayerOptions.h"
#include "media/MediaSystem.h"
#include "platform/Picture.h"

namespace tw::test {
namespace {

constexpr int kEnter = 13;
constexpr int kF8 = 119;

class PlayerOptionsTest : public GameFixture {
 protected:
  void SetUp() override {
    t.game.writeVariables({"A"});
    WriteFrame(t.game, "Room", {}, 1);
    WriteHotspot(t.game, "Room", 1, {.left = 100, .top = 100, .width = 50, .height = 50});
  }
  void general(bool windowed) {
    std::vector<std::string> fields = FullGeneralFields();
    fields[4] = Quoted("Room");
    fields[40] = windowed ? "#TRUE#" : "#FALSE#";
    fields[37] = Quoted("DEFAULT");
    t.game.writeGeneral(fields);
  }
  // The game window closed and made again, as the start-up window does for a new game.
  void restart() {
    game.reset();
    game = std::make_unique<Game>(t.player);
    game->ResetAll();
    game->StartNewGame();
  }
  std::string stored(const std::string& key) {
    return t.platform.settings().get(t.player.settings.ProjectId, key, "(none)");
  }
  PlayerOptions& options() { return game->playerOptions(); }
};

TEST_F(PlayerOptionsTest, AltEnterShowsAWindowedGameFullScreenAndRemembersIt) {
  general(true);
  startGame();
  EXPECT_FALSE(game->window.fullScreenShown());
  const int width = game->window.width();
  game->window.dispatchKeyDown(kEnter, platform::kAltMask);
  EXPECT_TRUE(game->window.fullScreenShown());
  EXPECT_TRUE(game->window.windowed());  // still the game's own window, shown scaled
  EXPECT_EQ(game->window.width(), width);
  EXPECT_TRUE(options().mnuFullScreen.checked());
  EXPECT_EQ(stored("FullScreen"), "1");
  // Enter alone is the game's, and does not toggle.
  game->window.dispatchKeyDown(kEnter, 0);
  EXPECT_TRUE(game->window.fullScreenShown());
  restart();
  EXPECT_TRUE(game->window.fullScreenShown());
  game->window.dispatchKeyDown(kEnter, platform::kAltMask);
  EXPECT_FALSE(game->window.fullScreenShown());
  EXPECT_EQ(stored("FullScreen"), "0");
}

TEST_F(PlayerOptionsTest, AFullScreenGameGoesIntoAWindowOfItsSizeAndBack) {
  general(false);
  startGame();
  ASSERT_FALSE(game->window.windowed());
  EXPECT_FALSE(game->mnuExit.visible());
  game->window.dispatchKeyDown(kEnter, platform::kAltMask);
  EXPECT_TRUE(game->window.windowed());
  EXPECT_EQ(game->window.caption(), t.player.settings.GameTitle + " ");
  EXPECT_EQ(game->window.scaleWidth(), 640 * 15);
  EXPECT_EQ(game->window.scaleHeight(), 480 * 15);
  EXPECT_EQ(game->PictureBox.left(), 0);
  EXPECT_TRUE(game->mnuExit.visible());  // a window shows its menus
  game->Form_KeyDown(27, 0);              // and Esc does not hide them there
  EXPECT_TRUE(game->mnuExit.visible());
  restart();
  EXPECT_TRUE(game->window.windowed());
  game->window.dispatchKeyDown(kEnter, platform::kAltMask);
  EXPECT_FALSE(game->window.windowed());
  EXPECT_FALSE(game->mnuExit.visible());
  EXPECT_EQ(game->window.caption(), "");
  EXPECT_EQ(stored("FullScreen"), "1");
}

// The window manager made the window full screen: the player's last choice is that.
TEST_F(PlayerOptionsTest, FullScreenByTheWindowManagerIsRememberedToo) {
  general(true);
  startGame();
  game->window.noteFullScreenShown(true);
  EXPECT_EQ(stored("FullScreen"), "1");
  EXPECT_TRUE(options().mnuFullScreen.checked());
  restart();
  EXPECT_TRUE(game->window.fullScreenShown());
}

TEST_F(PlayerOptionsTest, WindowSizeScalingVolumeAndMuteAreAppliedAndRemembered) {
  general(true);
  startGame();
  game->window.dispatchKeyDown(kEnter, platform::kAltMask);
  options().mnuWindowSizes[2].click();  // x3 leaves full screen
  EXPECT_EQ(game->window.sizeFactor(), 3);
  EXPECT_FALSE(game->window.fullScreenShown());
  EXPECT_TRUE(options().mnuWindowSizes[2].checked());
  EXPECT_FALSE(options().mnuWindowSizes[0].checked());
  options().mnuScalingSharp.click();
  EXPECT_EQ(game->window.scaling(), platform::PictureScaling::Sharp);
  options().mnuVolumes[2].click();  // 50 %
  EXPECT_DOUBLE_EQ(game->media().mixer.masterVolume(), 0.5);
  options().mnuMute.click();
  EXPECT_TRUE(game->media().mixer.muted());
  EXPECT_TRUE(options().mnuMute.checked());

  restart();
  EXPECT_EQ(game->window.sizeFactor(), 3);
  EXPECT_EQ(game->window.scaling(), platform::PictureScaling::Sharp);
  EXPECT_DOUBLE_EQ(game->media().mixer.masterVolume(), 0.5);
  EXPECT_TRUE(game->media().mixer.muted());
  EXPECT_TRUE(options().mnuVolumes[2].checked());
  options().mnuMute.click();
  EXPECT_FALSE(game->media().mixer.muted());
  EXPECT_EQ(stored("Mute"), "0");
}

// Values that another version or a hand wrote are no choice: the defaults hold.
TEST_F(PlayerOptionsTest, UnknownStoredValuesGiveTheDefaults) {
  general(true);
  ASSERT_TRUE(t.initialize());
  const std::string& id = t.player.settings.ProjectId;
  for (const char* key : {"FullScreen", "WindowSize", "Scaling", "Volume", "Mute"}) {
    t.platform.settings().save(id, key, "7");
  }
  game = std::make_unique<Game>(t.player);
  game->ResetAll();
  EXPECT_FALSE(game->window.fullScreenShown());
  EXPECT_EQ(game->window.sizeFactor(), 1);
  EXPECT_EQ(game->window.scaling(), platform::PictureScaling::Aspect);
  EXPECT_DOUBLE_EQ(game->media().mixer.masterVolume(), 1.0);
  EXPECT_FALSE(game->media().mixer.muted());
}

TEST_F(PlayerOptionsTest, F8SavesTheGameAreaAsANewPngEachTime) {
  general(true);
  startGame();
  const std::string folder = t.game.file("Pictures") + "/";
  std::filesystem::create_directories(folder);
  t.platform.setPicturesFolder(folder);
  const auto list = [&] {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  };
  game->window.dispatchKeyDown(kF8, 0);
  const ScreenshotNote& note = options().screenshotNote();
  ASSERT_EQ(list().size(), 1u);
  EXPECT_TRUE(note.shown());
  EXPECT_EQ(note.text(), "Screenshot saved: " + list()[0]);
  game->window.dispatchKeyDown(kF8, 0);  // while the first one's note shows
  const std::vector<std::string> names = list();
  ASSERT_EQ(names.size(), 2u);  // the second did not overwrite the first
  // That the note is seen in the window and not in the PNG: smoke.small_things.
  t.platform.advance(ScreenshotNote::kShowMs - 1);
  EXPECT_TRUE(note.shown());
  t.platform.advance(1);
  EXPECT_FALSE(note.shown());
  t.platform.setPicturesFolder("");
  game->window.dispatchKeyDown(kF8, 0);
  EXPECT_EQ(note.text(), "The screenshot could not be saved");

  for (const std::string& name : names) {
    EXPECT_EQ(name.rfind(t.player.settings.GameTitle + " ", 0), 0u) << name;
    auto picture = platform::Picture::load(folder + name);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width(), 640);
    EXPECT_EQ(picture->height(), 480);
  }
  // F8 is not a key of the game's: it does not break the Debug key sequence.
  game->Form_KeyDown(Game::kDebugKeys[0], 0);
  game->window.dispatchKeyDown(kF8, 0);
  EXPECT_EQ(game->DebugKeyStep, 1);
}

TEST(ScreenshotName, NeverTakesAnExistingName) {
  std::vector<std::string> taken = {"/p/Game 2026.png", "/p/Game 2026 (2).png"};
  auto exists = [&](const std::string& p) {
    return std::find(taken.begin(), taken.end(), p) != taken.end();
  };
  EXPECT_EQ(FreeScreenshotName("/p/", "Game", "2026", exists), "/p/Game 2026 (3).png");
  EXPECT_EQ(FreeScreenshotName("/p/", "Game", "2027", exists), "/p/Game 2027.png");
}

}  // namespace
}  // namespace tw::test
