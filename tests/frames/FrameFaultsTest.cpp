// Frames and actions met with damaged or unusual data: what may fail, what must not, and
// that a failure never leaves the game in a state that mixes two frames.
#include "frames/GameFixture.h"
#include "support/SoundFiles.h"
#include "frames/MediaWait.h"
#include "platform/Picture.h"

namespace tw::test {
namespace {

class FrameFaultsTest : public GameFixture {
 protected:
  void SetUp() override {
    WriteSmallGeneral(t.game, "Start", true);
    t.game.writeVariables({"A"});
    WriteFrame(t.game, "Start", {.background = "255"}, 1);
    WriteHotspot(t.game, "Start", 1, {.left = 10, .top = 10, .width = 100, .height = 100});
    WriteAction(t.game, "Start", 1, {.variable = "A", .setOne = true});
    WriteText(t.game, "Start", "hello.lbl", {.caption = "Hello"});
  }
  // The frame file's fields with some replaced (index = field number - 1).
  static std::vector<std::string> Fields(const FrameSpec& frame,
                                         std::vector<std::pair<int, std::string>> changes) {
    std::vector<std::string> fields = FrameFields(frame);
    for (const auto& [field, value] : changes) fields[field - 1] = value;
    return fields;
  }
  bool sawBox(const std::string& part) const {
    for (const std::string& text : boxTexts()) {
      if (text.find(part) != std::string::npos) return true;
    }
    return false;
  }
};

TEST_F(FrameFaultsTest, FadeDurationIsOnlyReadAsANumberWhereARowFades) {
  // Field 35 empty or not a number, and no row that fades: the frame loads.
  t.game.writeLines("Frames/Quiet.fme", Fields({}, {{35, Quoted("")}}));
  t.game.writeLines("Frames/Odd.fme", Fields({}, {{35, "soon"}}));
  // A row that fades (one row of 5 cells) takes the duration from field 35.
  std::vector<std::string> fading = Fields({}, {{35, "1500"}, {38, "1"}});
  fading.insert(fading.end() - 1, {"1", "#TRUE#", "#FALSE#", "5", Quoted("sea.wav")});
  t.game.writeLines("Frames/Fading.fme", fading);
  t.game.write("Areas/sea.wav", SineWav(0.5, 440, 0.5));
  startGame();
  game->OpenFrame("Quiet", false, 0, 0);
  game->OpenFrame("Odd", false, 0, 0);
  EXPECT_TRUE(t.boxes().empty()) << boxTexts()[0];
  EXPECT_EQ(frame(), "Odd");
  game->OpenFrame("Fading", false, 0, 0);
  EXPECT_TRUE(t.boxes().empty());
  EXPECT_DOUBLE_EQ(game->SoundChannels.FadeDuration, 1.5);
  EXPECT_EQ(game->SoundChannels[1].FileName, "sea.wav");
}

// A frame file that fails after the new name is set: the old hotspots and texts do not stay
// behind under the new name, where a click would run the new frame's action files.
TEST_F(FrameFaultsTest, AFrameThatFailsNeverKeepsTheOldFramesHotspots) {
  t.game.writeLines("Frames/Broken.fme", Fields({}, {{6, "maybe"}}));  // a boolean that is not
  t.game.writeLines("Frames/Broken.lks", {"1"});
  WriteAction(t.game, "Broken", 1, {.variable = "A", .invert = true});
  startGame();
  ASSERT_TRUE(game->Area.exists(1));
  game->OpenFrame("Broken", false, 0, 0);
  ASSERT_TRUE(sawBox("Unable to load the frame called 'Broken'"));
  EXPECT_EQ(frame(), "Broken");
  EXPECT_FALSE(game->Area.exists(1));
  EXPECT_FALSE(game->Text.exists(1));
  click(50, 50);
  EXPECT_EQ(value("A"), 0);
}

// The game stopped half-way through OpenFrame (here by a cancelled CD request for the
// frame's music): no later step runs, and the old hotspots go all the same.
TEST_F(FrameFaultsTest, AStopInTheMiddleOfOpenFrameEndsItThere) {
  WriteFrame(t.game, "Halt", {.music = "theme.mid", .timerOn = true, .timerDelay = "1",
                              .timerTarget = "Start"},
             1);
  WriteHotspot(t.game, "Halt", 1, {.left = 10, .top = 10, .width = 100, .height = 100});
  WriteText(t.game, "Halt", "later.lbl", {.caption = "Later"});
  startGame();
  t.player.multiCdLookup = [this](const std::string& path) {
    t.player.GameStopped = true;
    return path;
  };
  game->OpenFrame("Halt", false, 0, 0);
  EXPECT_TRUE(t.boxes().empty());
  EXPECT_EQ(frame(), "Halt");
  EXPECT_FALSE(game->Area.exists(1));
  EXPECT_FALSE(game->Text.exists(1));
  EXPECT_FALSE(game->Timer1.enabled());
}

TEST_F(FrameFaultsTest, VideoWaitsReadTheStatusInAnyLetterCase) {
  EXPECT_FALSE(MediaStillPlaying(""));
  EXPECT_FALSE(MediaStillPlaying("stopped"));
  EXPECT_FALSE(MediaStillPlaying("Stopped"));
  EXPECT_FALSE(MediaStillPlaying("STOPPED"));
  EXPECT_TRUE(MediaStillPlaying("playing"));
  EXPECT_TRUE(MediaStillPlaying("Paused"));
}

TEST_F(FrameFaultsTest, AnEmptyTimerDelayIsNoDelayButAQuotedEmptyOneIsAFault) {
  t.game.writeLines("Frames/Bare.fme", Fields({.timerOn = true, .timerTarget = "Start"},
                                              {{7, ""}}));
  t.game.writeLines("Frames/Quoted.fme", Fields({.timerOn = true, .timerTarget = "Start"},
                                                {{7, Quoted("")}}));
  startGame();
  game->OpenFrame("Bare", false, 0, 0);
  EXPECT_TRUE(t.boxes().empty());
  EXPECT_TRUE(game->Timer1.enabled());
  EXPECT_EQ(game->Timer1.interval(), 0);
  game->OpenFrame("Quoted", false, 0, 0);
  EXPECT_TRUE(sawBox("Unable to load timer duration."));
}

// Field 58 belongs to the record whether or not 57 gives the item: a record that ends after
// a false 57 is short, and says so.
TEST_F(FrameFaultsTest, TheItemNameIsReadEvenWhenNoItemIsGiven) {
  std::vector<std::string> fields = ActionFields({.variable = "A", .setOne = true,
                                                  .giveItem = "Key"});
  fields.back() = Quoted("Key");
  fields[fields.size() - 2] = "#FALSE#";
  t.game.writeLines("Areas/Start/1b.dat", fields);  // complete, gives nothing
  startGame();
  click(50, 50);
  EXPECT_TRUE(t.boxes().empty());
  EXPECT_EQ(value("A"), 1);

  fields.pop_back();
  t.game.writeLines("Areas/Start/1b.dat", fields);  // ends after a false 57
  click(50, 50);
  EXPECT_TRUE(sawBox("Unable to make the action associated with the hotspot. Input past end"));
}

TEST_F(FrameFaultsTest, VisibilityNeedsTheGeometryFileAndTheHotspotsElement) {
  // Hotspot 1 vanished for good, then its file went missing: the look-up still fails.
  startGame();
  game->variables.Disappear.Add("Start", 1);
  t.game.remove("Areas/Start/1a.dat");
  game->ShowOrNotShowAreas();
  ASSERT_EQ(t.boxes().size(), 1u);
  EXPECT_EQ(t.boxes()[0].text, t.player.messages[30]);

  // Hotspot 1 of Ruin cannot be created (its left is not a number); the fields that decide
  // visibility are fine, and the hotspot that is not there is reported.
  t.game.writeLines("Areas/Ruin/1a.dat", {"left", "150", "1500", "1500", "0", "#FALSE#",
                                          Quoted(""), "0", Quoted(""), "0", "0", "0"});
  WriteFrame(t.game, "Ruin", {}, 1);
  game->OpenFrame("Ruin", false, 0, 0);
  ASSERT_EQ(t.boxes().size(), 3u);
  EXPECT_NE(t.boxes()[1].text.find("Unable to load hotspot #1 (out of 1)."), std::string::npos);
  EXPECT_EQ(t.boxes()[2].text, t.player.messages[30]);
}

TEST_F(FrameFaultsTest, TheScreenPointerForVideosIsFoundByItsCodedName) {
  std::vector<std::string> general = FullGeneralFields();
  general[4] = Quoted("Start");
  general[37] = Quoted("hand.cur");
  t.game.writeGeneral(general);
  platform::Picture::solid(12, 12, 0xFF00FF)->saveBmp(t.game.file("Icons/hand.003"));
  startGame();
  game->SetScreenPointerArrow();
  const platform::MousePointer& pointer = t.platform.screenPointer();
  EXPECT_EQ(pointer.shape, platform::PointerShape::Custom);
  ASSERT_NE(pointer.picture, nullptr);
  EXPECT_EQ(pointer.picture->width(), 12);
}

}  // namespace
}  // namespace tw::test
