// Opening frames: broken links, short and damaged frame files, backgrounds, the frame timer
// and the history.
#include "frames/GameFixture.h"
#include "platform/Picture.h"

namespace tw::test {
namespace {

class FrameTest : public GameFixture {
 protected:
  void SetUp() override {
    WriteSmallGeneral(t.game, "Start", true);
    t.game.writeVariables({"Flag"});
    WriteFrame(t.game, "Start", {.background = "255"});
  }
  platform::HeadlessPlatform& p() { return t.platform; }
};

TEST_F(FrameTest, BrokenLinksAreReportedAndChangeNothing) {
  startGame();
  game->OpenFrame("", false, 0, 0);
  game->OpenFrame("Nowhere", false, 0, 0);
  ASSERT_EQ(t.boxes().size(), 2u);
  EXPECT_NE(t.boxes()[0].text.find("Error description: A program link is broken."),
            std::string::npos);
  EXPECT_NE(t.boxes()[1].text.find(
                "Error description: A program link is broken. The frame named \"Nowhere\" was "
                "not found. Verify that the 'Initial Frame' exists and that the 'Go to another "
                "frame' option in the Hotspot Properties is linked to an existing frame."),
            std::string::npos);
  EXPECT_EQ(frame(), "Start");
  EXPECT_EQ(game->FramesHistory, std::vector<std::string>{"Start"});
}

TEST_F(FrameTest, FrameNamesMatchFilesWithoutRegardToCase) {
  t.game.writeLines("Frames/CELLAR.FME", FrameFields({}));
  startGame();
  game->OpenFrame("Cellar", false, 0, 0);
  EXPECT_TRUE(t.boxes().empty());
  EXPECT_EQ(frame(), "Cellar");
}

TEST_F(FrameTest, ShortFrameFileKeepsThePreviousTimerTransition) {
  WriteFrame(t.game, "Long", {.timerTransition = true, .timerTransitionMs = 750,
                              .timerTransitionNumber = 3});
  WriteFrame(t.game, "Short", {.fieldCount = 10});
  WriteFrame(t.game, "Mid", {.timerTransition = false, .timerTransitionMs = 100,
                             .fieldCount = 25});
  startGame();
  game->OpenFrame("Long", false, 0, 0);
  game->OpenFrame("Short", false, 0, 0);
  EXPECT_TRUE(t.boxes().empty());
  EXPECT_TRUE(game->TimerTransition);
  EXPECT_EQ(game->TimerTransitionDuration, 750);
  EXPECT_EQ(game->TimerTransitionNumber, 3);
  game->OpenFrame("Mid", false, 0, 0);  // ends after field 25: the number stays
  EXPECT_FALSE(game->TimerTransition);
  EXPECT_EQ(game->TimerTransitionDuration, 100);
  EXPECT_EQ(game->TimerTransitionNumber, 3);
}

TEST_F(FrameTest, DamagedFrameFilesGiveTheirBoxes) {
  startGame();
  struct Case {
    std::string content;
    std::string expected;
  };
  const Case cases[] = {
      {"", " Unable to load the frame called 'Bad'."},
      {"x,y,z", " Unable to load the frame called 'Bad'."},
      {"0,\"255\",#FALSE#,#FALSE#", "Input past end of file"},  // cut before field 5
      {std::string("\x01\x02\xff", 3), " Unable to load the frame called 'Bad'."},
  };
  for (const Case& c : cases) {
    const std::size_t before = t.boxes().size();
    t.game.write("Frames/Bad.fme", c.content);
    game->OpenFrame("Bad", false, 0, 0);
    ASSERT_GT(t.boxes().size(), before) << c.content;
    EXPECT_NE(t.boxes()[before].text.find(c.expected), std::string::npos)
        << t.boxes()[before].text;
  }
}

TEST_F(FrameTest, WideChannelTableStopsTheReadingBeforeField39) {
  std::vector<std::string> fields = FrameFields({});
  fields[36] = "6";   // columns
  fields[37] = "1";   // rows
  fields[38] = "not a boolean";
  t.game.writeLines("Frames/Wide.fme", fields);
  startGame();
  game->OpenFrame("Wide", false, 0, 0);
  EXPECT_TRUE(t.boxes().empty());
}

TEST_F(FrameTest, FrameChannelRowsDoNotOverrideAnActionsChannel) {
  std::vector<std::string> fields = FrameFields({});
  fields[34] = "1500";  // fade, ms
  fields[37] = "2";     // rows
  const std::vector<std::string> table = {
      "2", "#TRUE#", "#TRUE#", "4", Quoted("one.wav"),   // channel 1
      "3", "#FALSE#", "#FALSE#", "6", Quoted("two.wav"),  // channel 2
  };
  fields.insert(fields.begin() + 38, table.begin(), table.end());
  t.game.writeLines("Frames/Sounds.fme", fields);
  startGame();
  game->SoundChannels[2].Mode = 2;  // set by the action that leads here
  game->SoundChannels[2].FileName = "mine.wav";
  game->OpenFrame("Sounds", false, 0, 0);
  ASSERT_TRUE(t.boxes().empty()) << t.boxes()[0].text;
  EXPECT_EQ(game->SoundChannels[1].FileName, "one.wav");
  EXPECT_TRUE(game->SoundChannels[1].KeepIfPlaying);
  EXPECT_DOUBLE_EQ(game->SoundChannels.FadeDuration, 1.5);
  EXPECT_EQ(game->SoundChannels[2].FileName, "mine.wav");
}

TEST_F(FrameTest, BackgroundsColourStretchedTiledOrNone) {
  // A 2 x 2 picture: stretched it fills the game area; tiled it repeats at its own size.
  auto picture = platform::Picture::solid(2, 2, 0x00FF00);
  picture->saveBmp(t.game.file("Frames/green.bmp"));
  WriteFrame(t.game, "Stretched", {.backgroundType = 1, .background = "green.bmp"});
  WriteFrame(t.game, "Tiled", {.backgroundType = 1, .background = "GREEN.BMP", .tiled = true});
  WriteFrame(t.game, "Other", {.backgroundType = 2, .background = "green.bmp"});
  startGame();
  const auto pixel = [&](int x, int y) {
    return game->PictureBox.image()->pixel(x, y) & 0xFFFFFF;
  };
  EXPECT_EQ(pixel(320, 240), 0xFF0000u);  // Start: colour 255 is red
  game->OpenFrame("Stretched", false, 0, 0);
  EXPECT_EQ(pixel(639, 479), 0x00FF00u);
  game->OpenFrame("Other", false, 0, 0);  // draws nothing: the old picture stays
  EXPECT_EQ(pixel(639, 479), 0x00FF00u);
  game->OpenFrame("Start", false, 0, 0);
  game->OpenFrame("Tiled", false, 0, 0);
  EXPECT_EQ(pixel(639, 479), 0x00FF00u);
  EXPECT_TRUE(t.boxes().empty()) << t.boxes()[0].text;
}

TEST_F(FrameTest, TiledAndStretchedPicturesLandOnDifferentPixels) {
  // A 2 x 2 picture of four colours, bottom-up as bmp rows are: red green / blue white.
  std::string bmp = "BM";
  const auto le32 = [&bmp](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bmp += static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  le32(54 + 16); le32(0); le32(54);
  le32(40); le32(2); le32(2);
  bmp += std::string("\x01\x00\x18\x00", 4);  // one plane, 24 bits
  le32(0); le32(16); le32(2835); le32(2835); le32(0); le32(0);
  bmp += std::string("\xFF\x00\x00" "\xFF\xFF\xFF" "\x00\x00", 8);  // blue, white, pad
  bmp += std::string("\x00\x00\xFF" "\x00\xFF\x00" "\x00\x00", 8);  // red, green, pad
  t.game.write("Frames/four.bmp", bmp);
  WriteFrame(t.game, "Stretched", {.backgroundType = 1, .background = "four.bmp"});
  WriteFrame(t.game, "Tiled", {.backgroundType = 1, .background = "four.bmp", .tiled = true});
  startGame();
  const auto pixel = [&](int x, int y) {
    return game->PictureBox.image()->pixel(x, y) & 0xFFFFFF;
  };
  constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF,
                          kWhite = 0xFFFFFF;
  game->OpenFrame("Stretched", false, 0, 0);
  EXPECT_TRUE(t.boxes().empty()) << t.boxes()[0].text;
  // Each source pixel covers a quarter of the 640 x 480 game area (looked at away from
  // the quarters' borders, where scaling may blend).
  EXPECT_EQ(pixel(1, 0), kRed);
  EXPECT_EQ(pixel(0, 1), kRed);
  EXPECT_EQ(pixel(100, 100), kRed);
  EXPECT_EQ(pixel(539, 100), kGreen);
  EXPECT_EQ(pixel(100, 379), kBlue);
  EXPECT_EQ(pixel(539, 379), kWhite);
  game->OpenFrame("Tiled", false, 0, 0);
  // Repeated at its own size from the top-left corner.
  EXPECT_EQ(pixel(0, 0), kRed);
  EXPECT_EQ(pixel(1, 0), kGreen);
  EXPECT_EQ(pixel(0, 1), kBlue);
  EXPECT_EQ(pixel(319, 239), kWhite);
  EXPECT_EQ(pixel(320, 240), kRed);
  EXPECT_EQ(pixel(639, 0), kGreen);
}

TEST_F(FrameTest, AFrameFileThatEndsEarlyKeepsNothingOfTheFrameBefore) {
  platform::Picture::solid(2, 2, 0x00FF00)->saveBmp(t.game.file("Frames/green.bmp"));
  WriteFrame(t.game, "Pic", {.backgroundType = 1, .background = "green.bmp", .tiled = true}, 1);
  WriteHotspot(t.game, "Pic", 1, {});
  t.game.writeLines("Frames/Short.fme", {"1"});  // a picture frame whose file stops there
  startGame();
  game->OpenFrame("Pic", false, 0, 0);
  ASSERT_EQ(t.player.frame.HotspotCount, 1);
  game->OpenFrame("Short", false, 0, 0);
  ASSERT_FALSE(t.boxes().empty());
  EXPECT_NE(t.boxes()[0].text.find(" Unable to load the frame called 'Short'."),
            std::string::npos);
  // Not the tiled picture of the frame before, nor its hotspots.
  EXPECT_EQ(t.player.frame.BackgroundType, 1);
  EXPECT_EQ(t.player.frame.BackgroundValue, "");
  EXPECT_FALSE(t.player.frame.BackgroundTiled);
  EXPECT_EQ(t.player.frame.HotspotCount, 0);
}

TEST_F(FrameTest, MissingBackgroundPictureWarnsThenReports) {
  WriteFrame(t.game, "NoPic", {.backgroundType = 1, .background = "gone.jpg"});
  startGame();
  game->OpenFrame("NoPic", false, 0, 0);
  ASSERT_EQ(t.boxes().size(), 2u);
  EXPECT_EQ(t.boxes()[0].text.rfind("The following file is missing:", 0), 0u);
  EXPECT_NE(t.boxes()[1].text.find(" Unable to load the frame called 'NoPic'."),
            std::string::npos);
}

TEST_F(FrameTest, FrameTimerLeadsOnOrBackAndIsCancelledByAFrameChange) {
  WriteFrame(t.game, "A", {.timerOn = true, .timerDelay = "0.5", .timerTarget = "B"});
  WriteFrame(t.game, "B", {.timerOn = true, .timerDelay = "1", .timerTarget = "[LAST VISITED FRAME]"});
  WriteFrame(t.game, "Empty", {.timerOn = true, .timerDelay = "0.2", .timerTarget = ""});
  startGame();
  game->OpenFrame("A", false, 0, 0);
  p().advance(499);
  EXPECT_EQ(frame(), "A");
  p().advance(1);
  EXPECT_EQ(frame(), "B");
  p().advance(1000);
  EXPECT_EQ(frame(), "A");  // back, and not added twice
  EXPECT_EQ(game->FramesHistory, (std::vector<std::string>{"Start", "A"}));

  game->OpenFrame("Start", false, 0, 0);  // a click elsewhere cancels A's timer
  p().advance(2000);
  EXPECT_EQ(frame(), "Start");

  game->OpenFrame("Empty", false, 0, 0);  // an empty target keeps firing to no effect
  p().advance(1000);
  EXPECT_EQ(frame(), "Empty");
  EXPECT_TRUE(game->Timer1.running());
}

TEST_F(FrameTest, FrameTimerWaitsWhileTheInventoryMoves) {
  WriteFrame(t.game, "A", {.timerOn = true, .timerDelay = "0.1", .timerTarget = "Start"});
  startGame();
  game->OpenFrame("A", false, 0, 0);
  game->InventoryMoving = true;
  p().advance(100);
  EXPECT_EQ(frame(), "A");
  EXPECT_EQ(game->Timer1.interval(), 1000);
  game->InventoryMoving = false;
  p().advance(1000);
  EXPECT_EQ(frame(), "Start");
}

TEST_F(FrameTest, TimerDelayTheTimerCannotHoldIsReported) {
  WriteFrame(t.game, "Slow", {.timerOn = true, .timerDelay = "70", .timerTarget = "Start"});
  startGame();
  game->OpenFrame("Slow", false, 0, 0);
  ASSERT_EQ(t.boxes().size(), 1u);
  EXPECT_NE(t.boxes()[0].text.find(" Unable to load timer duration."), std::string::npos);
  EXPECT_EQ(frame(), "Slow");
}

TEST_F(FrameTest, FrameLinkingToItselfEveryMillisecondStaysBounded) {
  WriteFrame(t.game, "Loop", {.timerOn = true, .timerDelay = "0.001", .timerTarget = "Loop"});
  startGame();
  game->OpenFrame("Loop", false, 0, 0);
  p().advance(5000);
  EXPECT_EQ(frame(), "Loop");
  EXPECT_EQ(game->FramesHistory, (std::vector<std::string>{"Start", "Loop"}));
  EXPECT_TRUE(t.boxes().empty());
}

TEST_F(FrameTest, HistoryKeepsTheLastTwentyWithoutRepeats) {
  startGame();
  game->FramesHistory.clear();
  for (const char* name : {"A", "B", "A", "A"}) game->FramesHistoryAdd(name);
  EXPECT_EQ(game->FramesHistory, (std::vector<std::string>{"A", "B", "A"}));
  for (int i = 0; i < 10'000; ++i) game->FramesHistoryAdd("F" + std::to_string(i));
  ASSERT_EQ(game->FramesHistory.size(), 20u);
  EXPECT_EQ(game->FramesHistory.front(), "F9980");
  EXPECT_EQ(game->FramesHistory.back(), "F9999");
  game->FramesHistoryAdd("f9999");  // names compare exactly
  EXPECT_EQ(game->FramesHistory.back(), "f9999");
}

TEST_F(FrameTest, ScriptsMayReachControlsWhenTheGameDeclaresTheVariable) {
  t.game.writeVariables({"x", "***", "AllowControlsReferences"});
  startGame();
  EXPECT_EQ(game->ControlsReferencesMode, 2);
  TestPlayer other;
  WriteSmallGeneral(other.game, "Start", true);
  other.game.writeVariables({"Flag"});
  WriteFrame(other.game, "Start", {});
  ASSERT_TRUE(other.initialize());
  Game second(other.player);
  second.ResetAll();
  second.StartNewGame();
  EXPECT_EQ(second.ControlsReferencesMode, 1);
}

}  // namespace
}  // namespace tw::test
