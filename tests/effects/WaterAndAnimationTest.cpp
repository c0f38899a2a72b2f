// Rippling water and animated pictures on a game window: what moves and what stays still,
// when they start and stop, and how the player reaches the hotspot through them.
#include <gtest/gtest.h>

#include <filesystem>

#include "effects/VisualEffects.h"
#include "frames/GameFixture.h"
#include "platform/GuiForPainting.h"
#include "platform/Painter.h"
#include "platform/Picture.h"
#include "platform/PixelBuffer.h"
#include "platform/Settings.h"
#include "support/GifWriter.h"

namespace tw::test {
namespace {

// The background: thin stripes, so any shift of the picture shows.
void WriteStripes(const GameFolder& game, const std::string& file) {
  platform::PixelBuffer b(640, 480);
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) b.set(x, y, ((x / 2 + y / 2) % 2) ? 0xE0E0E0 : 0x203040);
  }
  b.toPicture()->saveBmp(game.file("Frames/" + file));
}

// A 200 x 100 mask: the left half black (water), the right half white.
void WriteMask(const GameFolder& game, const std::string& file) {
  platform::PixelBuffer m(200, 100, 0xFFFFFF);
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 100; ++x) m.set(x, y, 0);
  }
  m.toPicture()->saveBmp(game.file("Frames/" + file));
}

class WaterTest : public GameFixture {
 protected:
  void writeGame(const FrameSpec& room, const std::string& rwe = "0,0,0,0,0,0,100,50,200,100,5,8\r\n") {
    WriteSmallGeneral(t.game, "Room", true);
    WriteStripes(t.game, "sea.bmp");
    WriteFrame(t.game, "Room", room);
    WriteFrame(t.game, "Dry", {.background = "0"});
    t.game.write("Frames/Room.rwe", rwe);
    WriteMask(t.game, "Room.rwm");
  }
  RipplingWater& water() { return game->effects().water; }
  platform::GuiForPainting gui;
};

const FrameSpec kSea{.backgroundType = 1, .background = "sea.bmp"};

TEST_F(WaterTest, OnlyTheWaterMovesAndItMovesWithTime) {
  writeGame(kSea);
  startGame();
  ASSERT_TRUE(water().running());
  EXPECT_TRUE(game->RipplingWaterActive);
  EXPECT_EQ(game->TimerRipplingWater.interval(), 30);
  const auto still = platform::PaintElement(game->PictureBox);
  t.platform.advance(30);
  const auto first = platform::PaintElement(game->PictureBox);
  t.platform.advance(400);
  const auto later = platform::PaintElement(game->PictureBox);
  EXPECT_GE(water().stepsDrawn(), 10);
  int waterChanged = 0;
  for (int y = 50; y < 150; ++y) {
    for (int x = 0; x < 640; ++x) {
      const bool inWater = x >= 100 && x < 200;
      if (inWater) {
        waterChanged += first->pixel(x, y) != later->pixel(x, y);
      } else {
        // The dry part of the rectangle and everything outside it stay as drawn.
        ASSERT_EQ(later->pixel(x, y), still->pixel(x, y)) << x << "," << y;
      }
    }
  }
  EXPECT_GT(waterChanged, 500);
}

TEST_F(WaterTest, NeverOnTiledOrColourBackgroundsNorWithoutBothFiles) {
  {
    writeGame({.backgroundType = 1, .background = "sea.bmp", .tiled = true});
    startGame();
    EXPECT_FALSE(water().running());
    EXPECT_FALSE(water().PicRipplingWater.visible());
  }
  {
    WriteFrame(t.game, "Room", {.background = "255"});
    game->OpenFrame("Room", false, 0, 0);
    EXPECT_FALSE(water().running());
  }
  {
    WriteFrame(t.game, "Room", kSea);
    std::filesystem::remove(t.game.file("Frames/Room.rwm"));
    const std::size_t boxes = t.boxes().size();
    game->OpenFrame("Room", false, 0, 0);
    EXPECT_FALSE(water().running());
    EXPECT_EQ(t.boxes().size(), boxes);
  }
}

TEST_F(WaterTest, ADamagedDescriptionShowsTheInitialisationBox) {
  writeGame(kSea, "0,0,0,0,0,0,left,50,200,100,5,8\r\n");
  startGame();
  EXPECT_FALSE(water().running());
  ASSERT_FALSE(t.boxes().empty());
  EXPECT_NE(t.boxes().back().text.find(" Error initializing the Rippling Water effect. "),
            std::string::npos);
}

TEST_F(WaterTest, TheOptionStopsAndRestartsTheWaterAndIsStored) {
  writeGame(kSea);
  startGame();
  ASSERT_TRUE(water().running());
  const std::string& id = t.player.settings.ProjectId;
  game->mnuDisableEffects.click();
  EXPECT_EQ(t.platform.settings().get(id, "DisableEffects", ""), "True");
  EXPECT_FALSE(water().running());
  EXPECT_FALSE(game->TimerRipplingWater.enabled());
  EXPECT_FALSE(water().PicRipplingWater.visible());
  // Off: a frame change loads no water.
  game->OpenFrame("Room", false, 0, 0);
  EXPECT_FALSE(water().running());
  game->mnuDisableEffects.click();
  EXPECT_EQ(t.platform.settings().get(id, "DisableEffects", ""), "False");
  EXPECT_TRUE(water().running());
}

TEST_F(WaterTest, HotspotsOverTheWaterKeepTheirClicks) {
  writeGame(kSea);
  WriteFrame(t.game, "Room", kSea, 1);
  WriteHotspot(t.game, "Room", 1, {.left = 110, .top = 60, .width = 40, .height = 40});
  WriteAction(t.game, "Room", 1, {.variable = "Fished", .setOne = true});
  t.game.writeVariables({"Fished"});
  startGame();
  ASSERT_TRUE(water().running());
  click(120, 70);
  EXPECT_EQ(value("Fished"), 1);
}

TEST_F(WaterTest, LeavingTheFrameStopsTheWater) {
  writeGame(kSea);
  startGame();
  ASSERT_TRUE(water().running());
  game->OpenFrame("Dry", false, 0, 0);
  EXPECT_FALSE(water().running());
  EXPECT_FALSE(water().PicRipplingWater.visible());
  EXPECT_FALSE(game->TimerRipplingWater.enabled());
}

TEST_F(WaterTest, ARectangleReachingPastTheEdgeIsNotSqueezed) {
  // The mask's water is its left 20 columns; the rest of each rectangle is dry. Whatever part
  // of the rectangle lies inside the frame shows the frame 1:1, and only the mask's water
  // columns move.
  struct Case {
    const char* rwe;
    int waterLeft, waterRight;  // frame columns of the water that shows
  };
  writeGame(kSea);
  platform::PixelBuffer m(100, 100, 0xFFFFFF);
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 20; ++x) m.set(x, y, 0);
  }
  m.toPicture()->saveBmp(t.game.file("Frames/Room.rwm"));
  startGame();
  const auto still = platform::Picture::load(t.game.file("Frames/sea.bmp"));
  for (const Case c : {Case{"0,0,0,0,0,0,600,50,100,100,5,8\r\n", 600, 620},
                       Case{"0,0,0,0,0,0,-10,50,100,100,5,8\r\n", 0, 10}}) {
    SCOPED_TRACE(c.rwe);
    t.game.write("Frames/Room.rwe", c.rwe);
    game->OpenFrame("Room", false, 0, 0);
    ASSERT_TRUE(water().running());
    t.platform.advance(400);
    const auto shown = platform::PaintElement(game->PictureBox);
    int waterChanged = 0;
    for (int y = 50; y < 150; ++y) {
      for (int x = 0; x < 640; ++x) {
        if (x >= c.waterLeft && x < c.waterRight) {
          waterChanged += shown->pixel(x, y) != still->pixel(x, y);
        } else {
          ASSERT_EQ(shown->pixel(x, y) & 0xFFFFFF, still->pixel(x, y) & 0xFFFFFF) << x << "," << y;
        }
      }
    }
    EXPECT_GT(waterChanged, 100);
  }
}

TEST_F(WaterTest, TheWaterPictureGoesWhenEverythingStopsAndWithAFrameWithoutIt) {
  writeGame(kSea);
  startGame();
  ASSERT_TRUE(water().PicRipplingWater.visible());
  game->StopAllActivity();
  EXPECT_FALSE(water().PicRipplingWater.visible());
  EXPECT_FALSE(game->RipplingWaterActive);
  // Loaded but not yet running (its timer is off): the next frame has no water to show.
  game->OpenFrame("Room", false, 0, 0);
  game->TimerRipplingWater.setEnabled(false);
  ASSERT_TRUE(water().PicRipplingWater.visible());
  game->OpenFrame("Dry", false, 0, 0);
  EXPECT_FALSE(water().PicRipplingWater.visible());
}

// --- animated pictures --------------------------------------------------------------

class AnimationTest : public GameFixture {
 protected:
  void writeGame(const std::string& speed) {
    WriteSmallGeneral(t.game, "Room", true);
    t.game.write("Areas/flag.gif",
                 GifBytes(16, 16, {{.rgb = 0xFF0000, .delayCs = 10}, {.rgb = 0x0000FF, .delayCs = 10}}));
    WriteFrame(t.game, "Room", {.background = "0"}, 2);
    // Hotspot 2 lies under the picture of hotspot 1.
    WriteHotspot(t.game, "Room", 1,
                 {.left = 100, .top = 100, .width = 16, .height = 16, .animated = "1",
                  .hasPicture = true, .picture = "flag.gif", .speed = speed});
    WriteAction(t.game, "Room", 1, {.variable = "Waved", .setOne = true});
    WriteHotspot(t.game, "Room", 2, {.left = 90, .top = 90, .width = 50, .height = 50});
    WriteAction(t.game, "Room", 2, {.variable = "Other", .setOne = true});
    t.game.writeVariables({"Waved", "Other"});
  }
  AnimatedPictures& pictures() { return game->effects().animations; }
  platform::GuiForPainting gui;
};

TEST_F(AnimationTest, SpeedZeroMeansFiftyTheFilesOwnTiming) {
  writeGame("0");
  startGame();
  ASSERT_TRUE(pictures().AniGifBox.exists(1));
  const platform::Image& box = pictures().AniGifBox[1];
  EXPECT_TRUE(box.visible());
  EXPECT_EQ(box.width(), 16 * 15);
  EXPECT_EQ(pictures().playing(), 1);
  EXPECT_EQ(pictures().currentFrame(1), 0);
  // The timer sleeps until the next picture is due instead of waking every 10 ms.
  EXPECT_EQ(pictures().TimerAniGif.interval(), 100);
  t.platform.advance(95);
  EXPECT_EQ(pictures().currentFrame(1), 0);
  t.platform.advance(10);
  EXPECT_EQ(pictures().currentFrame(1), 1);
  EXPECT_EQ(box.picture()->pixel(4, 4) & 0xFFFFFF, 0x0000FFu);
  t.platform.advance(100);
  EXPECT_EQ(pictures().currentFrame(1), 0);
  EXPECT_EQ(AnimatedPictures::SpeedValue(-3), 50);
}

TEST_F(AnimationTest, AHigherSpeedRunsFaster) {
  writeGame("100");
  startGame();
  t.platform.advance(55);
  EXPECT_EQ(pictures().currentFrame(1), 1);
}

TEST_F(AnimationTest, ShowingAgainStartsFromTheFirstPicture) {
  writeGame("50");
  startGame();
  t.platform.advance(105);
  ASSERT_EQ(pictures().currentFrame(1), 1);
  game->ShowAnimatedPicture(1, false);
  EXPECT_EQ(pictures().playing(), 0);
  EXPECT_FALSE(pictures().AniGifBox[1].visible());
  game->ShowAnimatedPicture(1, true);
  EXPECT_EQ(pictures().currentFrame(1), 0);
  EXPECT_EQ(pictures().playing(), 1);
}

TEST_F(AnimationTest, AClickOnThePictureActsOnItsOwnHotspot) {
  writeGame("50");
  startGame();
  click(104, 104);
  EXPECT_EQ(value("Waved"), 1);
  EXPECT_EQ(value("Other"), 0);
  EXPECT_EQ(game->LastClickX, 104);
  EXPECT_EQ(game->LastClickY, 104);
}

TEST_F(AnimationTest, AnItemDroppedOnThePictureRunsItsHotspotsItemAction) {
  writeGame("50");
  platform::Picture::solid(32, 32, 0x00AAFF)->saveBmp(t.game.file("Areas/icon.bmp"));
  t.game.writeLines("Areas/Key.obj", {Quoted("icon.bmp")});
  t.game.writeLines("Areas/Room/1_Key.drg", ActionFields({.variable = "Waved", .setOne = true}));
  t.game.writeLines("Areas/Room/2_Key.drg", ActionFields({.variable = "Other", .setOne = true}));
  startGame();
  game->AddPickedObject("Key", true);
  game->PickedObject_MouseDown(1, {.button = platform::kLeftButton});
  ASSERT_TRUE(game->window.dragSource());
  game->window.dropAt(game->PictureBox.left() + 106 * 15, game->PictureBox.top() + 108 * 15);
  EXPECT_EQ(value("Waved"), 1);
  EXPECT_EQ(value("Other"), 0);
  EXPECT_EQ(game->LastClickX, 106);
  EXPECT_EQ(game->LastClickY, 108);
}

TEST_F(AnimationTest, TheCaptureShowsTheFirstPictureAsAStill) {
  writeGame("50");
  startGame();
  t.platform.advance(105);
  ASSERT_EQ(pictures().currentFrame(1), 1);  // blue on screen
  Transitions& transitions = game->effects().transitions;
  transitions.picStart.move(0, 0, game->PictureBox.width(), game->PictureBox.height());
  transitions.captureCurrentFrame(transitions.picStart);
  const platform::Image& box = pictures().AniGifBox[1];
  EXPECT_EQ(transitions.picStart.image()->pixel(box.left() / 15 + 3, box.top() / 15 + 3) & 0xFFFFFF,
            0xFF0000u);
}

TEST_F(AnimationTest, LeavingTheFrameRemovesThePictures) {
  writeGame("50");
  WriteFrame(t.game, "Empty", {.background = "0"});
  startGame();
  game->OpenFrame("Empty", false, 0, 0);
  EXPECT_FALSE(pictures().AniGifBox.exists(1));
  EXPECT_EQ(pictures().playing(), 0);
  EXPECT_FALSE(pictures().TimerAniGif.enabled());
}

}  // namespace
}  // namespace tw::test
