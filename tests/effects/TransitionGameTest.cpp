// Transitions driven directly on a game window: what the captures hold, the work file, the
// timers and keys while the animation runs, and the stored option.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "effects/VisualEffects.h"
#include "frames/GameFixture.h"
#include "platform/GuiForPainting.h"
#include "platform/Painter.h"
#include "platform/Picture.h"
#include "platform/Settings.h"

namespace tw::test {
namespace {

using platform::HeadlessPlatform;

constexpr const char* kRed = "255";
constexpr const char* kBlue = "16711680";
constexpr int kKeyEscape = 27;

class TransitionGameTest : public GameFixture {
 protected:
  // "Old" (red) moves on by its timer after 1 s to "New" (blue).
  void writeFrames(int number, int ms, bool windowed = true) {
    WriteSmallGeneral(t.game, "Old", windowed);
    WriteFrame(t.game, "Old", {.background = kRed, .timerOn = true, .timerDelay = "1",
                               .timerTarget = "New", .timerTransition = true,
                               .timerTransitionMs = ms, .timerTransitionNumber = number});
    WriteFrame(t.game, "New", {.background = kBlue});
  }
  // Runs `during` once, 300 ms into the transition.
  void whileRunning(std::function<void()> during) {
    bool done = false;
    t.platform.setInputHook([&, during](const HeadlessPlatform::Wait& wait) {
      if (done || wait.kind != HeadlessPlatform::WaitKind::ProcessEvents) return false;
      if (!game->TransitionRunning() || t.platform.clockMs() < 1300) return false;
      done = true;
      during();
      return false;
    });
    t.platform.advance(1000);
    t.platform.setInputHook(nullptr);
    ASSERT_TRUE(done) << "the transition never ran";
  }
  platform::GuiForPainting gui;
};

TEST_F(TransitionGameTest, TheCrossFadeKeepsTheOldFrameInTheWorkFileOnlyWhileItRuns) {
  writeFrames(0, 1000);
  startGame();
  const std::string inGame = t.player.folders.ProjectFolder + "Temp001.dat";
  bool existed = false;
  whileRunning([&] {
    existed = std::filesystem::exists(inGame);
    // The old frame, as a bitmap file.
    const auto saved = platform::Picture::load(inGame);
    EXPECT_EQ(saved->pixel(10, 10) & 0xFFFFFF, 0xFF0000u);
  });
  EXPECT_TRUE(existed);
  EXPECT_FALSE(std::filesystem::exists(inGame));
  EXPECT_EQ(frame(), "New");
}

TEST_F(TransitionGameTest, AGameFolderThatCannotBeWrittenSendsTheWorkFileElsewhere) {
  writeFrames(1, 1000);
  startGame();
  // A folder in the work file's place: the file cannot be written there, even by root.
  std::filesystem::create_directories(t.player.folders.ProjectFolder + "Temp001.dat");
  const std::size_t boxesBefore = t.boxes().size();
  std::string used;
  bool existed = false;
  whileRunning([&] {
    used = game->effects().transitions.workFile();
    existed = std::filesystem::exists(used);
  });
  EXPECT_TRUE(existed) << used;
  EXPECT_NE(used.find("Temp001.dat"), std::string::npos);
  EXPECT_EQ(used.find(t.game.path()), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(used));
  // The frame still fades: no box, and the new frame in the end.
  EXPECT_EQ(t.boxes().size(), boxesBefore);
  EXPECT_EQ(frame(), "New");
}

TEST_F(TransitionGameTest, SlidesWriteNoWorkFile) {
  writeFrames(3, 1000);
  startGame();
  bool existed = true;
  whileRunning([&] {
    existed = std::filesystem::exists(t.player.folders.ProjectFolder + "Temp001.dat");
  });
  EXPECT_FALSE(existed);
}

TEST_F(TransitionGameTest, TimersAreHeldAndEscapeLeavesTheMenusAloneWhileItRuns) {
  writeFrames(4, 1000, /*windowed=*/false);
  startGame();
  game->TimerMessageBox.setInterval(60000);
  game->TimerMessageBox.setEnabled(true);
  ASSERT_FALSE(game->mnuExit.visible());
  bool timersHeld = false;
  whileRunning([&] {
    timersHeld = !game->Timer1.enabled() && !game->TimerMessageBox.enabled();
    game->window.dispatchKeyDown(kKeyEscape, 0);
    EXPECT_FALSE(game->mnuExit.visible()) << "Escape toggled the menus mid-transition";
  });
  EXPECT_TRUE(timersHeld);
  EXPECT_TRUE(game->TimerMessageBox.enabled());
  EXPECT_FALSE(game->TransitionRunning());
  // Escape ended the slide; afterwards it shows the menus again.
  game->window.dispatchKeyDown(kKeyEscape, 0);
  EXPECT_TRUE(game->mnuExit.visible());
}

TEST_F(TransitionGameTest, TheCaptureHoldsTheFrameButNotTheBars) {
  platform::Picture::solid(20, 20, 0x00FF00)->saveBmp(t.game.file("Areas/leaf.bmp"));
  WriteSmallGeneral(t.game, "Room", false);
  WriteFrame(t.game, "Room", {.background = kRed}, 1);
  WriteHotspot(t.game, "Room", 1,
               {.left = 100, .top = 100, .width = 20, .height = 20, .hasPicture = true,
                .picture = "leaf.bmp"});
  startGame();
  game->ShowTextMessage("A message on a bar", true);
  ASSERT_TRUE(game->FrameMessageBox.visible());
  game->Inventory1.move(0, 400 * 15, 640 * 15, 80 * 15);
  game->Inventory1.setVisible(true);
  Transitions& transitions = game->effects().transitions;
  transitions.picStart.move(0, 0, game->PictureBox.width(), game->PictureBox.height());
  transitions.captureCurrentFrame(transitions.picStart);
  const auto shot = transitions.picStart.image();
  // The hotspot's picture (green, 0x00FF00 is green in either byte order)...
  EXPECT_EQ(shot->pixel(110, 110) & 0xFFFFFF, 0x00FF00u);
  // ...on the red background, where the message bar and the inventory bar lie on screen.
  const platform::Rect bar = game->FrameMessageBox.bounds();
  EXPECT_EQ(shot->pixel(bar.left / 15 + 2, bar.top / 15 + 2) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(shot->pixel(320, 440) & 0xFFFFFF, 0xFF0000u);
  // The screen itself shows the bars there.
  const auto screen = platform::PaintElement(game->PictureBox);
  EXPECT_NE(screen->pixel(320, 440) & 0xFFFFFF, 0xFF0000u);
}

TEST_F(TransitionGameTest, TheOptionIsStoredPerGameAndSwitchesTransitionsOff) {
  writeFrames(1, 1000);
  startGame();
  const std::string& id = t.player.settings.ProjectId;
  game->mnuDisableTransitions.click();
  EXPECT_TRUE(game->mnuDisableTransitions.checked());
  EXPECT_EQ(t.platform.settings().get(id, "DisableTransitions", ""), "True");
  bool ran = false;
  t.platform.setInputHook([&](const HeadlessPlatform::Wait&) {
    ran = ran || game->TransitionRunning();
    return false;
  });
  t.platform.advance(1000);
  t.platform.setInputHook(nullptr);
  EXPECT_FALSE(ran);
  EXPECT_EQ(frame(), "New");
  EXPECT_FALSE(std::filesystem::exists(t.player.folders.ProjectFolder + "Temp001.dat"));
  EXPECT_FALSE(game->effects().transitions.picWhere.visible());
  game->mnuDisableTransitions.click();
  EXPECT_EQ(t.platform.settings().get(id, "DisableTransitions", ""), "False");
}

}  // namespace
}  // namespace tw::test
