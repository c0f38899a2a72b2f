// What a frame change reads and keeps: each data file once per change (and afresh at the
// next), no item file for hotspots that are not animated, backgrounds served from the
// picture cache only while their file is unchanged.
#include <chrono>
#include <filesystem>

#include "frames/FrameDataReads.h"
#include "frames/GameFixture.h"
#include "platform/Picture.h"
#include "vbscript/VbError.h"

namespace tw::test {
namespace {

class FrameChangeWorkTest : public GameFixture {
 protected:
  void SetUp() override {
    WriteSmallGeneral(t.game, "Room", true);
    t.game.writeVariables({"Lamp"});
  }
};

TEST_F(FrameChangeWorkTest, ReadsAreSharedWithinOneChangeOnly) {
  t.game.writeLines("Config/Data", {"\"first\""});
  FrameDataReads reads(t.player.files);
  EXPECT_EQ(reads.open(t.game.file("Config/Data")).readString(), "first");
  t.game.writeLines("Config/Data", {"\"second\""});
  // Within one change the file is not read again...
  EXPECT_EQ(reads.open(t.game.file("Config/Data")).readString(), "first");
  EXPECT_EQ(reads.filesRead(), 1u);
  // ...and a missing file fails every time, until it is there.
  const std::string later = t.game.file("Config/Later");
  EXPECT_THROW(reads.open(later), vbs::VbError);
  t.game.writeLines("Config/Later", {"7"});
  EXPECT_EQ(reads.open(later).readInteger(), 7);
  // A new change reads afresh.
  FrameDataReads next(t.player.files);
  EXPECT_EQ(next.open(t.game.file("Config/Data")).readString(), "second");
}

TEST_F(FrameChangeWorkTest, VisibilityAfterTheChangeReadsTheGeometryFileAgain) {
  WriteFrame(t.game, "Room", {}, 1);
  WriteHotspot(t.game, "Room", 1, {.left = 10, .top = 10});
  startGame();
  ASSERT_TRUE(t.boxes().empty());
  EXPECT_TRUE(game->Area[1].visible());
  // The conditions change on disk while the frame is shown: the next re-evaluation (after
  // an action, a script timer) must see them, not what the frame change had read.
  WriteHotspot(t.game, "Room", 1, {.left = 10, .top = 10, .mustBeOne = {"Lamp"}});
  game->ShowOrNotShowAreas();
  EXPECT_FALSE(game->Area[1].visible());
}

TEST_F(FrameChangeWorkTest, StillHotspotsIgnoreTheirItemFile) {
  WriteFrame(t.game, "Room", {}, 2);
  WriteHotspot(t.game, "Room", 1, {.left = 10, .top = 10});
  WriteHotspot(t.game, "Room", 2,
               {.left = 10, .top = 10, .animated = "1", .hasPicture = true, .picture = "a.bmp"});
  platform::Picture::solid(8, 8, 0x00FF00)->saveBmp(t.game.file("Areas/a.bmp"));
  // A speed that is no number: only the animated hotspot has a use for it.
  t.game.writeLines("Areas/Room/1c.dat", {"\"\"", "0", "0", "0", "\"fast\""});
  t.game.writeLines("Areas/Room/2c.dat", {"\"\"", "0", "0", "0", "\"fast\""});
  startGame();
  // Hotspot 2 fails (and, being missing, then fails the visibility pass with its own box);
  // hotspot 1 is not reported.
  ASSERT_FALSE(t.boxes().empty());
  EXPECT_NE(t.boxes()[0].text.find("Unable to load hotspot #2 (out of 2)."), std::string::npos);
  for (const std::string& text : boxTexts()) EXPECT_EQ(text.find("hotspot #1 "), std::string::npos);
  EXPECT_TRUE(game->Area.exists(1));
  EXPECT_TRUE(game->Area[1].visible());
}

TEST_F(FrameChangeWorkTest, BackgroundComesFromTheCacheUntilItsFileChanges) {
  const std::string file = t.game.file("Frames/back.bmp");
  platform::Picture::solid(64, 48, 0x0000FF)->saveBmp(file);  // red
  WriteFrame(t.game, "Room", {.backgroundType = 1, .background = "back.bmp"});
  WriteFrame(t.game, "Other", {});
  startGame();
  EXPECT_EQ(game->PictureBox.canvas().pixel(5, 5), 0xFFFF0000u);
  game->OpenFrame("Other", false, 0, 0);
  game->OpenFrame("Room", false, 0, 0);
  EXPECT_EQ(t.player.pictures.decodes(), 1u);
  EXPECT_EQ(t.player.pictures.hits(), 1u);

  platform::Picture::solid(64, 48, 0xFF0000)->saveBmp(file);  // blue, same size
  // The same second as the first file on a coarse clock would not tell them apart.
  std::filesystem::last_write_time(file, std::filesystem::last_write_time(file) +
                                             std::chrono::seconds(2));
  game->OpenFrame("Room", false, 0, 0);
  EXPECT_EQ(game->PictureBox.canvas().pixel(5, 5), 0xFF0000FFu);
  EXPECT_EQ(t.player.pictures.decodes(), 2u);
  EXPECT_TRUE(t.boxes().empty());
}

}  // namespace
}  // namespace tw::test
