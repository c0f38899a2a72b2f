// Frame files written to hurt: counts and numbers out of range, a caption of 200 MB, a frame
// that claims the most hotspots a count can hold. Each gives the box the damage calls for, or
// none where the file is read silently, and never undefined behaviour, a hang or a crash.
#include <algorithm>
#include <string>

#include "frames/GameFixture.h"
#include "platform/Font.h"

namespace tw::test {
namespace {

class HostileDataTest : public GameFixture {
 protected:
  void SetUp() override {
    WriteSmallGeneral(t.game, "Start", true);
    t.game.writeVariables({"A"});
    WriteFrame(t.game, "Start", {.background = "255"});
  }
  // Boxes shown from box number `from` on whose text holds part.
  int boxesSaying(const std::string& part, std::size_t from = 0) const {
    int n = 0;
    const auto texts = boxTexts();
    for (std::size_t i = from; i < texts.size(); ++i) n += texts[i].find(part) != std::string::npos;
    return n;
  }
};

// A count that cannot be a number of hotspots is a damaged file and says so; a missing count
// file stays silent.
TEST_F(HostileDataTest, AHotspotCountOutOfRangeGivesTheReadErrorBox) {
  WriteFrame(t.game, "Bad", {}, 1);
  WriteHotspot(t.game, "Bad", 1, {.left = 10, .top = 10, .width = 100, .height = 100});
  WriteFrame(t.game, "Bare", {});  // no count file at all
  startGame();
  for (const char* count : {"32768", "-5", "many", "1E10"}) {
    t.game.writeLines("Frames/Bad.lks", {count});
    const std::size_t before = t.boxes().size();
    game->OpenFrame("Bad", false, 0, 0);
    EXPECT_EQ(t.boxes().size(), before + 1) << count;
    EXPECT_EQ(boxesSaying("Unable to load the frame called 'Bad'", before), 1) << count;
    EXPECT_EQ(t.player.frame.HotspotCount, 0) << count;
    EXPECT_FALSE(game->Area.exists(1)) << count;
    EXPECT_EQ(frame(), "Bad");
  }
  const std::size_t before = t.boxes().size();
  t.game.writeLines("Frames/Bad.lks", {"1"});
  game->OpenFrame("Bad", false, 0, 0);
  EXPECT_TRUE(game->Area.exists(1));
  game->OpenFrame("Bare", false, 0, 0);
  EXPECT_EQ(frame(), "Bare");
  EXPECT_EQ(t.boxes().size(), before);
}

// Text files are read silently: a number out of range ends the reading there (the runtime's
// Overflow), and the label keeps what was read before it.
TEST_F(HostileDataTest, TextNumbersOutOfRangeAreDamageNotUndefinedBehaviour) {
  t.game.writeLines("Areas/Start/a.lbl", {"\"Far\"", "0", "1E30", "#TRUE#"});
  t.game.writeLines("Areas/Start/b.lbl",
                    {"\"Huge\"", "150", "300", "#TRUE#", "#FALSE#", "\"Arial\"", "1E30", "#TRUE#"});
  t.game.writeLines("Areas/Start/c.lbl", {"\"Left\"", "-3E9", "15"});
  startGame();
  ASSERT_TRUE(game->Text.exists(3));
  const platform::Label& far = game->Text[1];
  EXPECT_EQ(far.caption(), "Far");
  EXPECT_EQ(far.top(), 0);
  EXPECT_FALSE(far.font().bold);  // read after the damage: not reached
  EXPECT_TRUE(far.visible());
  const platform::Label& huge = game->Text[2];
  EXPECT_EQ(huge.left(), 150);
  EXPECT_EQ(huge.top(), 300);
  EXPECT_TRUE(huge.font().bold);
  EXPECT_EQ(huge.font().name, "Arial");
  EXPECT_LE(huge.font().size, 2160);
  EXPECT_FALSE(huge.font().strikethrough);
  EXPECT_EQ(game->Text[3].left(), 0);
  EXPECT_EQ(game->Text[3].top(), 0);
  EXPECT_TRUE(t.boxes().empty());
}

// A 200 MB caption is kept, but only what a screen can show is measured: the label's size is
// that of the cut text, and opening the frame takes as long as reading the file.
TEST_F(HostileDataTest, AHugeCaptionIsCutBeforeLayout) {
  const std::size_t size = std::size_t{200} << 20;
  {
    std::string caption;
    caption.reserve(size + 100);
    caption += '"';
    caption.append(size, 'W');
    caption += "\"\r\n0\r\n0\r\n";
    t.game.write("Areas/Start/wide.lbl", caption);
  }
  t.game.writeLines("Areas/Start/short.lbl",
                    {"\"" + std::string(platform::kMaxDrawnLineChars, 'W') + "\"", "0", "0"});
  startGame();
  ASSERT_TRUE(game->Text.exists(2));
  const platform::Label& shortOne = game->Text[1];  // files in name order: short, wide
  const platform::Label& wide = game->Text[2];
  EXPECT_EQ(wide.caption().size(), size);
  EXPECT_GT(shortOne.width(), 0);
  EXPECT_EQ(wide.width(), shortOne.width());
  EXPECT_EQ(wide.height(), shortOne.height());
}

TEST(DrawnTextTest, KeepsWhatAScreenCanShow) {
  using platform::DrawnText;
  EXPECT_EQ(DrawnText("Hello\r\nWorld\rand\nmore"), "Hello\nWorld\nand\nmore");
  EXPECT_EQ(DrawnText("end\n"), "end\n");
  EXPECT_EQ(DrawnText(""), "");
  // Lines are cut by characters, never inside one.
  std::string accented;
  for (std::size_t i = 0; i < platform::kMaxDrawnLineChars + 10; ++i) accented += "\xC3\xA9";
  const std::string cut = DrawnText(accented + "\nnext");
  EXPECT_EQ(cut, accented.substr(0, 2 * platform::kMaxDrawnLineChars) + "\nnext");
  // So many lines: the first ones stay.
  std::string many;
  for (int i = 0; i < 5000; ++i) many += std::to_string(i) + "\r\n";
  const std::string kept = DrawnText(many);
  EXPECT_EQ(std::count(kept.begin(), kept.end(), '\n'),
            static_cast<long>(platform::kMaxDrawnLines) - 1);
  EXPECT_EQ(kept.substr(0, 6), "0\n1\n2\n");
  // And so many bytes: never more than the cap.
  std::string block;
  for (int i = 0; i < 2000; ++i) block += std::string(1000, 'x') + "\n";
  EXPECT_LE(DrawnText(block).size(), platform::kMaxDrawnBytes);
  EXPECT_GE(DrawnText(block).size(), platform::kMaxDrawnBytes - 1000);
}

// The most hotspots a count can hold, with only the first one's files there: the first missing
// ones give their boxes (a few, not thirty thousand), the frame opens, and the one that
// exists works.
TEST_F(HostileDataTest, TheLargestHotspotCountLoadsWhatExists) {
  WriteFrame(t.game, "Crowd", {}, 32767);
  WriteHotspot(t.game, "Crowd", 1, {.left = 10, .top = 10, .width = 100, .height = 100});
  WriteAction(t.game, "Crowd", 1, {.variable = "A", .setOne = true});
  startGame();
  game->OpenFrame("Crowd", false, 0, 0);
  EXPECT_EQ(frame(), "Crowd");
  EXPECT_EQ(t.player.frame.HotspotCount, 32767);
  EXPECT_TRUE(game->Area.exists(1));
  EXPECT_GE(boxesSaying("Unable to load hotspot #"), 1);
  EXPECT_LE(boxesSaying("Unable to load hotspot #"), 10);
  EXPECT_EQ(boxesSaying("Unable to load hotspot #2 (out of 32767)."), 1);
  click(50, 50);
  EXPECT_EQ(value("A"), 1);
}

}  // namespace
}  // namespace tw::test
