// The message table: both built-in wordings and the three modes of "Texts".
#include <gtest/gtest.h>

#include "project/MessageTable.h"
#include "vbscript/VbError.h"
#include "support/TestPlayer.h"

namespace tw::test {
namespace {

std::vector<std::string> TextsMode2(int count, int written) {
  std::vector<std::string> lines{"2", "0", "0", "0", "0", "0", std::to_string(count)};
  for (int i = 1; i <= written; ++i) lines.push_back(Quoted("Text " + std::to_string(i)));
  return lines;
}

class TextsTest : public ::testing::Test {
 protected:
  TextsTest() { t.game.writeGeneral(FullGeneralFields()); }
  const MessageTable& m() const { return t.player.messages; }
  TestPlayer t;
};

TEST_F(TextsTest, WithoutTextsFileTheProgramWordingIsUsed) {
  t.initialize();
  EXPECT_EQ(m()[1], "Start");
  EXPECT_EQ(m()[2], "  Load...");
  EXPECT_EQ(m()[8], "  Save...");
  EXPECT_EQ(m()[17], "Load");
  EXPECT_EQ(m()[30],
            "An error has occurred. The program may not work properly. Press 'Esc' and the "
            "click 'Exit' to quit.");
  EXPECT_EQ(m()[37], "CD-Rom drive:");
  EXPECT_EQ(m()[0], "");
  EXPECT_EQ(m()[52], "");
  EXPECT_TRUE(t.boxes().empty());
}

TEST_F(TextsTest, ModeOneSelectsTheGameWording) {
  t.game.writeLines("Config/Texts", {"1"});
  t.initialize();
  EXPECT_EQ(m()[1], "Start New Game");
  EXPECT_EQ(m()[2], "Load Game...");
  EXPECT_EQ(m()[17], "Load a previously saved game");
  EXPECT_EQ(m()[26], "Remove Saved Game");
  EXPECT_EQ(m()[36], "Please insert the CD in the CD-ROM drive and then click 'OK'.");
  EXPECT_EQ(m()[37], "CD-ROM Drive:");
  EXPECT_NE(m()[34].find("The game may not work properly"), std::string::npos);
}

TEST_F(TextsTest, ModeTwoReplacesTheFirstEntriesOnly) {
  t.game.writeLines("Config/Texts", TextsMode2(3, 3));
  t.initialize();
  EXPECT_EQ(m()[1], "Text 1");
  EXPECT_EQ(m()[3], "Text 3");
  EXPECT_EQ(m()[4], "Created By:");
  EXPECT_EQ(m()[17], "Load");
  EXPECT_EQ(m()[52], "");
  EXPECT_TRUE(t.boxes().empty());
}

TEST_F(TextsTest, ModeTwoMayFillEntriesNobodyReads) {
  t.game.writeLines("Config/Texts", TextsMode2(55, 55));
  t.initialize();
  EXPECT_EQ(m()[51], "Text 51");
  EXPECT_EQ(m()[55], "Text 55");
  EXPECT_EQ(m()[56], "");
  EXPECT_TRUE(t.boxes().empty());
}

TEST_F(TextsTest, ModeTwoTextsKeepTheirFieldForm) {
  t.game.writeLines("Config/Texts", {"2", "0", "0", "0", "0", "0", "3", "42", "#TRUE#", ""});
  t.initialize();
  EXPECT_EQ(m()[1], "42");
  EXPECT_EQ(m()[2], "True");
  EXPECT_EQ(m()[3], "");
}

TEST_F(TextsTest, CountAboveTheTableFailsAtTheSixtyFirstText) {
  t.game.writeLines("Config/Texts", TextsMode2(70, 70));
  t.initialize();
  ASSERT_EQ(t.boxes().size(), 1u);
  EXPECT_EQ(t.boxes()[0].title, "Error");
  EXPECT_EQ(t.boxes()[0].text, "Unable to load text.");
  EXPECT_EQ(t.boxes()[0].icon, platform::MsgIcon::Error);
  EXPECT_EQ(m()[1], "Start");  // back to the program wording
  EXPECT_EQ(m()[51], "Disable Real-Time Effects");
  EXPECT_EQ(m()[52], "Text 52");  // entries above 51 keep what was read
  EXPECT_EQ(m()[60], "Text 60");
}

TEST_F(TextsTest, CountOfZeroOrLessReplacesNothing) {
  for (int count : {0, -4}) {
    TestPlayer p;
    p.game.writeGeneral(FullGeneralFields());
    p.game.writeLines("Config/Texts", TextsMode2(count, 2));
    p.initialize();
    EXPECT_EQ(p.player.messages[1], "Start");
    EXPECT_TRUE(p.boxes().empty());
  }
}

TEST_F(TextsTest, UnknownModeLeavesEveryEntryEmpty) {
  t.game.writeLines("Config/Texts", {"5"});
  t.initialize();
  for (int n = 0; n < MessageTable::kSize; ++n) EXPECT_EQ(m()[n], "") << n;
}

TEST_F(TextsTest, DamagedTextsGiveTheBoxAndTheProgramWording) {
  const std::vector<std::string> damaged = {
      "",                                  // empty
      "two",                               // mode not a number
      "2\r\n0\r\n0\r\n",                   // cut before the count
      "2,0,0,0,0,0,5,\"a\",\"b\"",         // fewer texts than counted
      std::string("\x00\xff\x13\x88", 4),  // binary
  };
  for (const std::string& content : damaged) {
    TestPlayer p;
    p.game.writeGeneral(FullGeneralFields());
    p.game.write("Config/Texts", content);
    p.initialize();
    ASSERT_EQ(p.boxes().size(), 1u) << content;
    EXPECT_EQ(p.boxes()[0].text, "Unable to load text.");
    EXPECT_EQ(p.player.messages[1], "Start");
  }
}

TEST(BuiltInMessagesTest, WordingsDifferOnlyWhereTheyShould) {
  int differing = 0;
  for (int n = 1; n <= 51; ++n) {
    if (std::string(BuiltInMessage(n, true)) != BuiltInMessage(n, false)) ++differing;
  }
  // 1, 2, 8, 17, 18, 21, 23, 26, 30, 34, 36, 37, 38.
  EXPECT_EQ(differing, 13);
  EXPECT_STREQ(BuiltInMessage(0, true), "");
  EXPECT_STREQ(BuiltInMessage(52, false), "");
}

TEST(MessageTableTest, WritingOutsideTheTableIsAnError) {
  MessageTable table;
  EXPECT_THROW(table.set(61, "x"), vbs::VbError);
  EXPECT_THROW(table.set(-1, "x"), vbs::VbError);
  EXPECT_EQ(table[61], "");
  FillMessageTable(table, true);
  EXPECT_EQ(table[0], "");
  EXPECT_EQ(table[29], "Error");
}

}  // namespace
}  // namespace tw::test
