// Field splitting and conversions of the sequential-file reader, rule by rule.
#include "common/FieldReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "common/FileResolver.h"
#include "common/TempDir.h"
#include "common/TextEncoding.h"
#include "vbscript/VbError.h"

namespace tw {
namespace {

using vbs::VarType;

// Every field of the text as readString gives it, until atEnd().
std::vector<std::string> Fields(const std::string& text) {
  FieldReader reader(text);
  std::vector<std::string> out;
  while (!reader.atEnd()) out.push_back(reader.readString());
  return out;
}

int ErrorOf(const std::function<void()>& read) {
  try {
    read();
  } catch (const vbs::VbError& e) {
    return e.number();
  }
  return 0;
}

struct SplitCase {
  const char* name;
  std::string text;
  std::vector<std::string> fields;
};

TEST(FieldReaderSplit, RuleByRule) {
  const std::vector<SplitCase> cases = {
      {"commas and CR LF", "a,b\r\nc\r\n", {"a", "b", "c"}},
      {"no line end at the end", "a,b", {"a", "b"}},
      {"comma inside quotes", "\"a,b\",c", {"a,b", "c"}},
      {"line end inside quotes", "\"x\r\ny\",z\r\n", {"x\r\ny", "z"}},
      {"leading blanks and tabs", "  a ,\t b\t\r\n", {"a", "b"}},
      {"blanks kept inside quotes", " \" a \" ,b", {" a ", "b"}},
      {"empty between commas", "a,,b", {"a", "", "b"}},
      {"empty line", "a\r\n\r\nb", {"a", "", "b"}},
      {"line of blanks", "a\r\n   \r\nb", {"a", "", "b"}},
      {"comma at line end", "a,\r\nb", {"a", "b"}},
      {"comma and blanks at line end", "a, \t\r\nb", {"a", "b"}},
      {"two commas at line end", "a,,\r\nb", {"a", "", "b"}},
      {"line of one comma", ",\r\nx", {"", "x"}},
      {"lone CR", "a\rb\rc", {"a", "b", "c"}},
      {"lone LF", "a\nb\n", {"a", "b"}},
      {"LF then CR are two line ends", "a\n\rb", {"a", "", "b"}},
      {"CR CR LF", "a\r\r\nb", {"a", "", "b"}},
      {"text after closing quote dropped", "\"ab\"cd,e", {"ab", "e"}},
      {"blanks after closing quote", "\"ab\"  \r\nc", {"ab", "c"}},
      {"quote inside unquoted text", "ab\"c,d\"", {"ab\"c", "d\""}},
      {"unterminated quote", "\"abc,def\r\nghi", {"abc,def\r\nghi"}},
      {"lone quote", "\"", {""}},
      {"Ctrl-Z ends the data", "a\r\nb\x1A,c\r\n", {"a", "b"}},
      {"Ctrl-Z after a line end ends the data", "a\r\n\x1A\"b\"\r\n", {"a"}},
      {"Ctrl-Z after a closing quote ends the data", "\"a\"\x1A\r\nb", {"a"}},
      {"Ctrl-Z inside quotes is kept", "\"a\x1A" "b\",c\r\n\x1A", {"a\x1A" "b", "c"}},
      {"Ctrl-Z in a quote never closed ends it", "\"a,b\x1A" "c\r\n", {"a,b"}},
      {"NUL is an ordinary character", std::string("a\0b,c", 5), {std::string("a\0b", 3), "c"}},
      {"number signs are plain text for strings", "#TRUE#,#NULL#", {"#TRUE#", "#NULL#"}},
  };
  for (const SplitCase& c : cases) EXPECT_EQ(Fields(c.text), c.fields) << c.name;
}

TEST(FieldReaderEnd, AtEndIgnoresTrailingEmptyLines) {
  FieldReader reader("a\r\n\r\n  \r\n");
  EXPECT_FALSE(reader.atEnd());
  EXPECT_EQ(reader.readString(), "a");
  EXPECT_TRUE(reader.atEnd());
  // A value written as an empty line is still there for a reader that asks for it.
  EXPECT_EQ(reader.readAny().type(), VarType::Empty);
}

TEST(FieldReaderEnd, AnEditorsClosingCtrlZIsTheEnd) {
  FieldReader reader("1,\"x\"\r\n\x1A");
  EXPECT_EQ(reader.readInteger(), 1);
  EXPECT_FALSE(reader.atEnd());
  EXPECT_EQ(reader.readString(), "x");
  EXPECT_TRUE(reader.atEnd());
  EXPECT_EQ(ErrorOf([&] { reader.readString(); }), vbs::err::kInputPastEndOfFile);
}

TEST(FieldReaderEnd, ReadingPastTheEndIsError62) {
  FieldReader empty("");
  EXPECT_TRUE(empty.atEnd());
  EXPECT_EQ(ErrorOf([&] { empty.readString(); }), vbs::err::kInputPastEndOfFile);

  FieldReader reader("1,2\r\n");
  EXPECT_EQ(reader.readInteger(), 1);
  EXPECT_EQ(reader.readInteger(), 2);
  EXPECT_TRUE(reader.atEnd());
  EXPECT_EQ(ErrorOf([&] { reader.readInteger(); }), vbs::err::kInputPastEndOfFile);
  EXPECT_EQ(ErrorOf([&] { reader.skip(); }), vbs::err::kInputPastEndOfFile);
}

TEST(FieldReaderEnd, SkipDropsFieldsOfAnyForm) {
  FieldReader reader("\"a,b\",#junk#,xyz,\r\n\r\n7");
  reader.skip(4);
  EXPECT_EQ(reader.readInteger(), 7);
  EXPECT_TRUE(reader.atEnd());
}

struct NumberCase {
  std::string field;
  double value;  // ignored when error != 0
  int error;
};

void CheckNumbers(const std::vector<NumberCase>& cases,
                  const std::function<double(FieldReader&)>& read, const char* what) {
  for (const NumberCase& c : cases) {
    FieldReader reader(c.field + "\r\n");
    double got = 0;
    const int error = ErrorOf([&] { got = read(reader); });
    EXPECT_EQ(error, c.error) << what << " of " << c.field;
    if (c.error == 0 && error == 0) {
      EXPECT_EQ(got, c.value) << what << " of " << c.field;
    }
  }
}

TEST(FieldReaderNumbers, Integer) {
  CheckNumbers(
      {
          {"12", 12, 0},
          {"-7", -7, 0},
          {"+3", 3, 0},
          {"  42  ", 42, 0},
          {"\"12\"", 12, 0},
          {"\" 12 \"", 12, 0},
          {"", 0, 0},
          {"\"\"", 0, 0},
          {"2.5", 2, 0},
          {"3.5", 4, 0},
          {"-2.5", -2, 0},
          {"0.5", 0, 0},
          {"1.5", 2, 0},
          {"2.51", 3, 0},
          {"1E3", 1000, 0},
          {"1d2", 100, 0},
          {"&HFF", 255, 0},
          {"&hffff", -1, 0},
          {"&O17", 15, 0},
          {"#TRUE#", -1, 0},
          {"#false#", 0, 0},
          {"32767", 32767, 0},
          {"-32768", -32768, 0},
          {"32767.5", 0, 6},
          {"32768", 0, 6},
          {"-32769", 0, 6},
          {"&HFFFF&", 0, 6},
          {"1e400", 0, 6},
          {"abc", 0, 13},
          {"12abc", 0, 13},
          {"1 2", 0, 13},
          {"\"x\"", 0, 13},
          {"#NULL#", 0, 13},
          {"\"#TRUE#\"", 0, 13},
          {"$5", 0, 13},
          {"1e", 0, 13},
          {".", 0, 13},
          {"-", 0, 13},
          {"&H", 0, 13},
          {"&HG1", 0, 13},
          {"1.2.3", 0, 13},
      },
      [](FieldReader& r) { return r.readInteger(); }, "readInteger");
}

TEST(FieldReaderNumbers, Long) {
  CheckNumbers(
      {
          {"100000", 100000, 0},
          {"-2147483648", -2147483648.0, 0},
          {"2147483647.4", 2147483647, 0},
          {"2147483648", 0, 6},
          {"&HFFFF", -1, 0},  // a 16-bit pattern, as CLng("&HFFFF") reads it
          {"&HFFFF&", 65535, 0},
          {"&H10000", 65536, 0},
          {"&H7FFFFFFF", 2147483647, 0},
          {"&HFFFFFFFF", -1, 0},
          {"&H100000000", 0, 6},
          {"-1.5", -2, 0},
      },
      [](FieldReader& r) { return r.readLong(); }, "readLong");
}

TEST(FieldReaderNumbers, SingleAndDouble) {
  CheckNumbers(
      {
          {"1.5", 1.5, 0},
          {"-0.25", -0.25, 0},
          {".5", 0.5, 0},
          {"5.", 5, 0},
          {"1E+20", 1e20, 0},
          {"-1.5E-07", -1.5e-7, 0},
          {"2.5D-1", 0.25, 0},
          {"1e-400", 0, 0},
          {"0." + std::string(400, '0') + "1", 0, 0},  // too small for a Double
          {"1e400", 0, 6},
          {"-1e400", 0, 6},
          // Exponents at and beyond the range of a long.
          {"222222222E+9223372036854775807", 0, 6},
          {"2E9223372036854775808", 0, 6},
          {"2E99999999999999999999999", 0, 6},
          {"2E-9223372036854775808", 0, 0},
          {"2E-99999999999999999999999", 0, 0},
          {"1,5", 1, 0},  // the comma ends the field
          {"1.5.", 0, 13},
      },
      [](FieldReader& r) { return r.readDouble(); }, "readDouble");
  CheckNumbers(
      {{"1.5", 1.5, 0}, {"3.4e38", double(3.4e38f), 0}, {"1e39", 0, 6}},
      [](FieldReader& r) { return r.readSingle(); }, "readSingle");
}

TEST(FieldReaderBoolean, Forms) {
  struct Case {
    std::string field;
    bool value;
    int error;
  };
  const std::vector<Case> cases = {
      {"#TRUE#", true, 0},     {"#FALSE#", false, 0},     {"True", true, 0},     {"tRuE", true, 0},
      {"\"false\"", false, 0}, {"\"True\"", true, 0},     {"0", false, 0},       {"-1", true, 0},
      {"2", true, 0},          {"0.1", true, 0},          {"", false, 0},        {"\"\"", false, 0},
      {"yes", false, 13},      {"\"#TRUE#\"", false, 13}, {"#NULL#", false, 13},
  };
  for (const Case& c : cases) {
    FieldReader reader(c.field + "\r\n");
    bool got = false;
    EXPECT_EQ(ErrorOf([&] { got = reader.readBoolean(); }), c.error) << c.field;
    if (c.error == 0) {
      EXPECT_EQ(got, c.value) << c.field;
    }
  }
}

TEST(FieldReaderAny, KeepsTheKindOfTheField) {
  struct Case {
    std::string field;
    VarType type;
    std::string text;  // the value as CStr gives it; unused for Empty and Null
  };
  const std::vector<Case> cases = {
      {"\"5\"", VarType::String, "5"},
      {"\"#TRUE#\"", VarType::String, "#TRUE#"},
      {"\"\"", VarType::String, ""},
      {"5", VarType::Integer, "5"},
      {"-32768", VarType::Integer, "-32768"},
      {"32768", VarType::Long, "32768"},
      {"-2147483648", VarType::Long, "-2147483648"},
      {"2147483648", VarType::Double, "2147483648"},
      {"1.5", VarType::Double, "1.5"},
      {"1E3", VarType::Integer, "1000"},
      {"&HFFFF", VarType::Integer, "-1"},
      {"", VarType::Empty, ""},
      {"#TRUE#", VarType::Boolean, "True"},
      {"#false#", VarType::Boolean, "False"},
      {"#NULL#", VarType::Null, ""},
      {"#ERROR 53#", VarType::Error, ""},
      {"#2026-06-12#", VarType::Date, ""},
      {"#2026-06-12 10:30:05#", VarType::Date, ""},
      {"hello world", VarType::String, "hello world"},
      {"#junk#", VarType::String, "#junk#"},
      {"#ERROR#", VarType::String, "#ERROR#"},
      {"#", VarType::String, "#"},
      {"12abc", VarType::String, "12abc"},
  };
  for (const Case& c : cases) {
    FieldReader reader(c.field + "\r\n");
    const vbs::Variant v = reader.readAny();
    EXPECT_EQ(v.type(), c.type) << c.field;
    if (v.type() == c.type && !c.text.empty()) {
      EXPECT_EQ(v.toString(), c.text) << c.field;
    }
  }
}

TEST(FieldReaderAny, DatesAndErrorsCarryTheirValues) {
  FieldReader reader("#2026-06-12#,#2026-06-12 10:30:05#,#ERROR 53#\r\n");
  const vbs::DateParts day = vbs::SplitDate(reader.readAny().rawDouble());
  EXPECT_EQ((std::vector<int>{day.year, day.month, day.day, day.hour, day.minute, day.second}),
            (std::vector<int>{2026, 6, 12, 0, 0, 0}));
  const vbs::DateParts moment = vbs::SplitDate(reader.readAny().rawDouble());
  EXPECT_EQ((std::vector<int>{moment.year, moment.month, moment.day, moment.hour, moment.minute,
                              moment.second}),
            (std::vector<int>{2026, 6, 12, 10, 30, 5}));
  EXPECT_EQ(reader.readAny().rawInt(), 53);
}

TEST(FieldReaderAny, NumberBeyondADoubleOverflows) {
  FieldReader reader("1e999");
  EXPECT_EQ(ErrorOf([&] { reader.readAny(); }), vbs::err::kOverflow);
}

TEST(FieldReaderGarbage, VeryLongLine) {
  const std::string line(20 << 20, 'x');
  FieldReader reader(line);
  EXPECT_EQ(reader.readString().size(), line.size());
  EXPECT_TRUE(reader.atEnd());
}

TEST(FieldReaderGarbage, ManyEmptyLinesAndFields) {
  // Each empty line and each comma gives one field; nothing is read twice or skipped.
  std::string text(1 << 20, '\n');
  text += std::string(1 << 20, ',');
  text += "end";
  FieldReader reader(text);
  std::size_t fields = 0;
  while (!reader.atEnd()) {
    reader.readString();
    ++fields;
  }
  EXPECT_EQ(fields, (std::size_t{1} << 21) + 1);
}

TEST(FieldReaderGarbage, RandomBytesEndWithoutLooping) {
  std::mt19937 random(20260612);
  for (int round = 0; round < 200; ++round) {
    std::string bytes(1 + random() % 2000, '\0');
    for (char& b : bytes) {
      // Plenty of the characters that matter to the syntax.
      const char specials[] = {'"', ',', '\r', '\n', ' ', '\t', '#', '&', '\x1A', '\0'};
      b = (random() % 3 == 0) ? specials[random() % sizeof specials]
                              : static_cast<char>(random() % 256);
    }
    FieldReader reader(DecodeDataText(bytes));
    std::size_t reads = 0;
    while (!reader.atEnd()) {
      ASSERT_LE(reads++, bytes.size()) << "round " << round;
      try {
        reader.readAny();
      } catch (const vbs::VbError& e) {
        ASSERT_TRUE(e.number() == vbs::err::kOverflow) << e.number();
      }
    }
    EXPECT_EQ(ErrorOf([&] {
                while (true) reader.readString();
              }),
              vbs::err::kInputPastEndOfFile);
  }
}

TEST(FieldReaderOpen, ReadsTheFileThroughTheResolver) {
  test::TempDir dir;
  dir.write("Config/General", "\"Caf\xE9\",1\r\n");                // Windows-1252
  dir.write("Config/Texts", "\xEF\xBB\xBF\"Caf\xC3\xA9\",2\r\n");  // UTF-8 with BOM
  dir.mkdir("Config/Folder");
  FileResolver files;

  FieldReader general = FieldReader::Open(files, dir / "CONFIG\\general");
  EXPECT_EQ(general.readString(), "Caf\u00E9");
  EXPECT_EQ(general.readInteger(), 1);
  FieldReader texts = FieldReader::Open(files, dir / "config\\TEXTS");
  EXPECT_EQ(texts.readString(), "Caf\u00E9");
  EXPECT_EQ(texts.readInteger(), 2);

  EXPECT_EQ(ErrorOf([&] { FieldReader::Open(files, dir / "Config/Missing"); }),
            vbs::err::kFileNotFound);
  EXPECT_EQ(ErrorOf([&] { FieldReader::Open(files, dir / "Config/Folder"); }),
            vbs::err::kPathFileAccessError);
}

}  // namespace
}  // namespace tw
