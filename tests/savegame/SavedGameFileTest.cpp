// The saved-game file: its exact lines, every variant kind through a write and a read,
// the shorter files of older players, and damaged files that must be refused whole.
#include <gtest/gtest.h>

#include "common/FieldReader.h"
#include "common/TextEncoding.h"
#include "savegame/SavedGameFile.h"
#include "vbscript/VbError.h"

namespace tw::test {
namespace {

const SavedGameStamp kStamp{"PID-1", "The Lighthouse", "06/12/2026"};

SavedGame ReadText(const std::string& text) {
  FieldReader in(text);
  return ReadSavedGame(in);
}

int ErrorNumberOf(const std::string& text) {
  try {
    ReadText(text);
  } catch (const vbs::VbError& e) {
    return e.number();
  }
  return 0;
}

TEST(SavedGameFileTest, AnEmptyGameIsTheFrameFourZerosTheSevenFixedFieldsAndAZero) {
  SavedGame game;
  game.frame = "Hall";
  EXPECT_EQ(WriteSavedGame(game, kStamp).text(),
            "\"Hall\"\r\n0\r\n0\r\n0\r\n0\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"PID-1\"\r\n"
            "\"The Lighthouse\"\r\n\"06/12/2026\"\r\n\"Version 3.2.2\"\r\n0\r\n");
}

TEST(SavedGameFileTest, RecordsComeInTheirOrderWithCountsBeforeEntries) {
  SavedGame game;
  game.frame = "Beach";
  game.variables = {{"LampOn", 1}, {"Door", -1}};
  game.disappeared = {{"Beach", 3}};
  game.items = {"Shell", "Shell", "Key"};
  game.history = std::vector<std::string>{"Beach", "Hall", "Beach"};
  game.variants = std::vector<std::pair<std::string, vbs::Variant>>{
      {"Score", vbs::Variant::fromString("5")}, {"Lit", vbs::Variant::fromBool(true)}};
  EXPECT_EQ(WriteSavedGame(game, kStamp).text(),
            "\"Beach\"\r\n2\r\n\"LampOn\"\r\n1\r\n\"Door\"\r\n-1\r\n"
            "1\r\n\"Beach\"\r\n3\r\n"
            "3\r\n\"Shell\"\r\n\"Shell\"\r\n\"Key\"\r\n"
            "3\r\n\"Beach\"\r\n\"Hall\"\r\n\"Beach\"\r\n"
            "\"\"\r\n\"\"\r\n\"\"\r\n\"PID-1\"\r\n\"The Lighthouse\"\r\n\"06/12/2026\"\r\n"
            "\"Version 3.2.2\"\r\n"
            "2\r\n\"Score\"\r\n\"5\"\r\n\"Lit\"\r\n#TRUE#\r\n");
}

TEST(SavedGameFileTest, TheSaveDateIsMonthDayYearWithLeadingZeros) {
  EXPECT_EQ(SaveDateText(2026, 6, 12), "06/12/2026");
  EXPECT_EQ(SaveDateText(1999, 12, 1), "12/01/1999");
  const std::string today = TodaySaveDate();
  ASSERT_EQ(today.size(), 10u);
  EXPECT_EQ(today[2], '/');
  EXPECT_EQ(today[5], '/');
}

// Every kind a variant variable can hold comes back as the same kind and value.
TEST(SavedGameFileTest, EveryVariantKindKeepsItsKindAndValue) {
  using vbs::Variant;
  using vbs::VarType;
  struct Case {
    const char* name;
    Variant value;
    VarType kind;  // as read back
    std::string text;  // CStr of the value read back ("" for Empty, "Null" for Null)
  };
  const std::vector<Case> cases = {
      {"Empty", Variant(), VarType::Empty, ""},
      {"Null", Variant::Null(), VarType::Null, "Null"},
      {"True", Variant::fromBool(true), VarType::Boolean, "True"},
      {"False", Variant::fromBool(false), VarType::Boolean, "False"},
      {"Byte", Variant::fromByte(200), VarType::Integer, "200"},
      {"Integer", Variant::fromInteger(-5), VarType::Integer, "-5"},
      {"Long", Variant::fromLong(2000000000), VarType::Long, "2000000000"},
      {"Double", Variant::fromDouble(3.25), VarType::Double, "3.25"},
      {"Huge", Variant::fromDouble(1e20), VarType::Double, "1E+20"},
      {"Single", Variant::fromSingle(0.5f), VarType::Double, "0.5"},
      {"Currency", Variant::fromCurrency(123456), VarType::Double, "12.3456"},
      {"TextFive", Variant::fromString("5"), VarType::String, "5"},
      {"Text", Variant::fromString("a, \"b\"\r\nc"), VarType::String, "a, 'b'\r\nc"},
      {"EmptyText", Variant::fromString(""), VarType::String, ""},
      {"Accents", Variant::fromString("Café Ærø"), VarType::String, "Café Ærø"},
      {"Greek", Variant::fromString("Ωμέγα"), VarType::String, "Ωμέγα"},
      {"Day", Variant::fromDate(vbs::DateFromParts({2026, 6, 12, 0, 0, 0})), VarType::Date, ""},
      {"Moment", Variant::fromDate(vbs::DateFromParts({2026, 6, 12, 10, 30, 5})),
       VarType::Date, ""},
      {"Error", Variant::fromError(53), VarType::Error, ""},
  };
  SavedGame game;
  game.frame = "F";
  game.variants.emplace();
  for (const Case& c : cases) game.variants->emplace_back(c.name, c.value);
  // The way the file really travels: encoded to bytes and decoded again.
  const SavedGame back =
      ReadText(DecodeDataText(EncodeSavedText(WriteSavedGame(game, kStamp).text())));
  ASSERT_TRUE(back.variants);
  ASSERT_EQ(back.variants->size(), cases.size());
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const auto& [name, value] = (*back.variants)[i];
    SCOPED_TRACE(cases[i].name);
    EXPECT_EQ(name, cases[i].name);
    EXPECT_EQ(value.type(), cases[i].kind);
    if (cases[i].kind == VarType::Date) {
      EXPECT_DOUBLE_EQ(value.rawDouble(), cases[i].value.rawDouble());
    } else if (cases[i].kind == VarType::Error) {
      EXPECT_EQ(value.rawInt(), 53);
    } else if (cases[i].kind == VarType::Null) {
      // Null has no text.
    } else {
      EXPECT_EQ(value.toString(), cases[i].text);
    }
  }
}

TEST(SavedGameFileTest, ObjectsAndArraysHaveNoWrittenForm) {
  SavedGame game;
  game.variants = std::vector<std::pair<std::string, vbs::Variant>>{
      {"List", vbs::Variant::fromArray(nullptr)}};
  EXPECT_THROW(WriteSavedGame(game, kStamp), vbs::VbError);
}

TEST(SavedGameFileTest, ContentReadsBackWholeWithMinusOneAndRepeatedItems) {
  SavedGame game;
  game.frame = "Cellar";
  game.variables = {{"A", -1}, {"B", 32767}, {"C", -32768}, {"A", 4}};
  game.disappeared = {{"Cellar", 2}, {"Hall", 7}};
  game.items = {"Shell", "Shell"};
  game.history = std::vector<std::string>{"Hall", "Cellar"};
  game.variants.emplace();
  const SavedGame back = ReadText(WriteSavedGame(game, kStamp).text());
  EXPECT_EQ(back.frame, "Cellar");
  EXPECT_EQ(back.variables, game.variables);
  EXPECT_EQ(back.disappeared, game.disappeared);
  EXPECT_EQ(back.items, game.items);
  EXPECT_EQ(back.history, game.history);
  ASSERT_TRUE(back.variants);
  EXPECT_TRUE(back.variants->empty());
}

TEST(SavedGameFileTest, OlderFilesEndAfterTheItemsOrAfterTheHistory) {
  const std::string items = "\"Hall\"\r\n1\r\n\"A\"\r\n-1\r\n0\r\n1\r\n\"Key\"\r\n";
  const SavedGame oldest = ReadText(items);
  EXPECT_EQ(oldest.items, std::vector<std::string>{"Key"});
  EXPECT_FALSE(oldest.history);
  EXPECT_FALSE(oldest.variants);
  EXPECT_EQ(oldest.variables[0].second, -1);

  const SavedGame older = ReadText(items + "2\r\n\"Beach\"\r\n\"Hall\"\r\n\r\n");
  ASSERT_TRUE(older.history);
  EXPECT_EQ(*older.history, (std::vector<std::string>{"Beach", "Hall"}));
  EXPECT_FALSE(older.variants);

  // A later player may add records after ours: what we know is read, the rest left alone.
  const SavedGame newer = ReadText(items + "0\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"X\"\r\n\"T\"\r\n"
                                           "\"01/02/2031\"\r\n\"Version 9.0\"\r\n1\r\n\"V\"\r\n"
                                           "7\r\n\"a record of a later player\"\r\n");
  ASSERT_TRUE(newer.variants);
  EXPECT_EQ(newer.variants->at(0).second.toString(), "7");
}

TEST(SavedGameFileTest, DamagedFilesAreRefusedWhole) {
  const std::string head = "\"Hall\"\r\n1\r\n\"A\"\r\n";
  // Truncated inside the integer variables, the disappeared list and the items.
  EXPECT_EQ(ErrorNumberOf(head), vbs::err::kInputPastEndOfFile);
  EXPECT_EQ(ErrorNumberOf(head + "1\r\n2\r\n\"Hall\"\r\n"), vbs::err::kInputPastEndOfFile);
  EXPECT_EQ(ErrorNumberOf(head + "1\r\n0\r\n3\r\n\"Key\"\r\n"), vbs::err::kInputPastEndOfFile);
  // Garbage where a count stands.
  EXPECT_EQ(ErrorNumberOf("\"Hall\"\r\nlots\r\n"), vbs::err::kTypeMismatch);
  EXPECT_EQ(ErrorNumberOf(head + "1\r\nmany\r\n"), vbs::err::kTypeMismatch);
  EXPECT_EQ(ErrorNumberOf(head + "1\r\n0\r\n#NULL#\r\n"), vbs::err::kInvalidUseOfNull);
  // A count of two thousand million: too large for the 16-bit count, and elsewhere it runs
  // into the end of the file at once instead of reserving anything.
  EXPECT_EQ(ErrorNumberOf("\"Hall\"\r\n2000000000\r\n"), vbs::err::kOverflow);
  EXPECT_EQ(ErrorNumberOf(head + "1\r\n2000000000\r\n\"Hall\"\r\n1\r\n"),
            vbs::err::kInputPastEndOfFile);
  EXPECT_EQ(ErrorNumberOf(head + "1\r\n0\r\n0\r\n2000000000\r\n"), vbs::err::kInputPastEndOfFile);
  // A value that does not fit a 16-bit variable.
  EXPECT_EQ(ErrorNumberOf("\"Hall\"\r\n1\r\n\"A\"\r\n40000\r\n"), vbs::err::kOverflow);
  // Nothing at all.
  EXPECT_EQ(ErrorNumberOf(""), vbs::err::kInputPastEndOfFile);
}

}  // namespace
}  // namespace tw::test
