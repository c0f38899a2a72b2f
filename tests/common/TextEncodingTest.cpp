// Windows-1252 / UTF-8 conversion, data-text decoding, saved-text encoding and the
// case-insensitive comparison of names.
#include "common/TextEncoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tw {
namespace {

TEST(Cp1252, HighControlRangeFollowsWindows) {
  struct Case {
    char byte;
    const char* utf8;
  };
  const std::vector<Case> cases = {
      {'\x80', "\u20AC"}, {'\x81', "\u0081"}, {'\x8D', "\u008D"}, {'\x8F', "\u008F"},
      {'\x90', "\u0090"}, {'\x9D', "\u009D"}, {'\x92', "\u2019"}, {'\x9F', "\u0178"},
      {'\x8A', "\u0160"}, {'\xA0', "\u00A0"}, {'\xE9', "\u00E9"}, {'\xFF', "\u00FF"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Cp1252ToUtf8(std::string(1, c.byte)), c.utf8)
        << "byte " << int(static_cast<unsigned char>(c.byte));
  }
}

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = Cp1252ToUtf8(all);
  EXPECT_TRUE(IsValidUtf8(utf8));
  EXPECT_EQ(Utf8ToCp1252(utf8), all);
}

TEST(Cp1252, CharactersOutsideTheCodePageDoNotFit) {
  EXPECT_EQ(Utf8ToCp1252("Caf\u00E9 \u20AC5"), std::string("Caf\xE9 \x80"
                                                           "5"));
  EXPECT_EQ(Utf8ToCp1252("\u4E2D"), std::nullopt);
  EXPECT_EQ(Utf8ToCp1252("\u0100"), std::nullopt);  // Latin Extended-A, not in 1252
  EXPECT_EQ(Utf8ToCp1252("\xE9"), std::nullopt);    // not UTF-8 at all
}

TEST(Utf8, Validation) {
  struct Case {
    std::string bytes;
    bool valid;
  };
  const std::vector<Case> cases = {
      {"", true},
      {"plain", true},
      {"\xC3\xA9", true},
      {"\xF0\x9F\x98\x80", true},      // U+1F600
      {std::string("a\0b", 3), true},  // NUL is a character
      {"\xC0\x80", false},             // overlong NUL
      {"\xE0\x80\x80", false},         // overlong
      {"\xED\xA0\x80", false},         // surrogate half
      {"\xF4\x90\x80\x80", false},     // above U+10FFFF
      {"\xC3", false},                 // cut short
      {"\x80", false},                 // lone continuation byte
      {"\xE2\x82", false},             // cut short
      {"Caf\xE9", false},              // Windows-1252
  };
  for (const Case& c : cases) EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes;
}

TEST(DecodeDataText, Utf8KeptBomDroppedElseWindows1252) {
  EXPECT_EQ(DecodeDataText("Caf\xC3\xA9"), "Caf\u00E9");
  EXPECT_EQ(DecodeDataText("\xEF\xBB\xBF\"Hall\""), "\"Hall\"");
  EXPECT_EQ(DecodeDataText("Caf\xE9,\x93quoted\x94"), "Caf\u00E9,\u201Cquoted\u201D");
  // One invalid byte anywhere makes the whole file Windows-1252, valid-looking pairs too.
  EXPECT_EQ(DecodeDataText("\xC3\xA9\xE9"), "\u00C3\u00A9\u00E9");
}

TEST(EncodeSavedText, Windows1252WhenItFitsElseUtf8) {
  EXPECT_EQ(EncodeSavedText("Hall"), "Hall");
  EXPECT_EQ(EncodeSavedText("Caf\u00E9"), "Caf\xE9");
  EXPECT_EQ(EncodeSavedText("\u4E2D\u00E9"), "\u4E2D\u00E9");
}

TEST(EncodeSavedText, ReadsBackUnchanged) {
  const std::vector<std::string> texts = {
      "",
      "\"Cellar\"\r\n12\r\n",
      "Caf\u00E9 \u20AC \u0178",
      "\u00C3\u00A9",         // Windows-1252 bytes C3 A9 would read as UTF-8 "é"
      "\u00E2\u20AC\u2122",   // bytes E2 80 99: the UTF-8 of U+2019
      "\u00EF\u00BB\u00BFx",  // bytes EF BB BF: a byte-order mark
      "mixed \u4E2D and \u00E9",
  };
  for (const std::string& t : texts) EXPECT_EQ(DecodeDataText(EncodeSavedText(t)), t) << t;
}

TEST(CaseFolding, NamesCompareWithoutRegardToCase) {
  struct Case {
    const char* a;
    const char* b;
    bool equal;
  };
  const std::vector<Case> cases = {
      {"Hall", "hALL", true},
      {"\u00C9COLE", "\u00E9cole", true},    // É é
      {"\u0152uvre", "\u0153UVRE", true},    // Œ œ
      {"\u0160", "\u0161", true},            // Š š
      {"\u0178", "\u00FF", true},            // Ÿ ÿ
      {"\u00DE", "\u00FE", true},            // Þ þ
      {"\u00D7", "\u00F7", false},           // × ÷ are no letters
      {"Stra\u00DFe", "STRA\u00DFE", true},  // ß has no capital here
      {"Stra\u00DFe", "STRASSE", false},
      {"a", "a ", false},
      {"[", "{", false},        // not letters, though 0x20 apart
      {"\xE9", "\xC9", false},  // raw bytes are not folded
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EqualsNoCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
  }
  EXPECT_EQ(FoldCase("Gr\u00DCN \xFF"), "gr\u00FCn \xFF");
}

TEST(Wildcards, StarAndQuestionMark) {
  struct Case {
    const char* name;
    const char* pattern;
    bool match;
  };
  const std::vector<Case> cases = {
      {"Hall.fme", "*.FME", true},
      {"hall.fmex", "*.fme", false},
      {".fme", "*.fme", true},
      {"Hall.fme", "h?ll.*", true},
      {"Hall.fme", "h?l.*", false},
      {"\u00C9t\u00E9.sav", "?t?.SAV", true},  // "?" is one character, not one byte
      {"\u00E9T\u00C9.sav", "\u00C9t\u00E9.sav", true},
      {"", "*", true},
      {"", "?", false},
      {"abcbc", "a*bc", true},
      {"ab", "a*b*c", false},
      {"a*b", "a*b", true},
      {"Cellar_on_Key.drg", "*_ON_*.drg", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WildcardMatchNoCase(c.name, c.pattern), c.match) << c.name << " ~ " << c.pattern;
  }
}

TEST(Wildcards, ManyStarsOnALongNameStillFinish) {
  const std::string name(20000, 'a');
  EXPECT_FALSE(WildcardMatchNoCase(name, "*a*a*a*a*a*a*a*b"));
  EXPECT_TRUE(WildcardMatchNoCase(name + "b", "*a*a*a*a*a*a*a*b"));
}

}  // namespace
}  // namespace tw
