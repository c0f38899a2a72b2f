// The saved-game form of values, its round trip through the reader, and the safe save.
#include "common/FieldWriter.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <vector>

#include "common/FieldReader.h"
#include "common/FileResolver.h"
#include "common/TempDir.h"
#include "common/TextEncoding.h"
#include "vbscript/VariantArray.h"
#include "vbscript/VbError.h"

namespace tw {
namespace {

using vbs::Variant;
using vbs::VarType;

int ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const vbs::VbError& e) {
    return e.number();
  }
  return 0;
}

double Date(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  return vbs::DateFromParts({y, mo, d, h, mi, s});
}

TEST(FieldWriterForms, OneValuePerLine) {
  FieldWriter w;
  w.writeString("Hall");
  w.writeInteger(0);
  w.writeInteger(-5);
  w.writeVariant(Variant());
  w.writeVariant(Variant::Null());
  w.writeVariant(Variant::fromBool(true));
  w.writeVariant(Variant::fromBool(false));
  w.writeVariant(Variant::fromInteger(-12));
  w.writeVariant(Variant::fromLong(100000));
  w.writeVariant(Variant::fromDouble(1.5));
  w.writeVariant(Variant::fromDate(Date(2026, 6, 12)));
  w.writeVariant(Variant::fromDate(Date(2026, 6, 12, 9, 5, 7)));
  w.writeVariant(Variant::fromError(53));
  w.writeVariant(Variant::fromString("a,b"));
  EXPECT_EQ(w.text(),
            "\"Hall\"\r\n0\r\n-5\r\n\r\n#NULL#\r\n#TRUE#\r\n#FALSE#\r\n-12\r\n100000\r\n1.5\r\n"
            "#2026-06-12#\r\n#2026-06-12 09:05:07#\r\n#ERROR 53#\r\n\"a,b\"\r\n");
}

TEST(FieldWriterForms, QuotesInTextBecomeApostrophes) {
  FieldWriter w;
  w.writeString("say \"hi\"");
  w.writeVariant(Variant::fromString("\""));
  EXPECT_EQ(w.text(), "\"say 'hi'\"\r\n\"'\"\r\n");
  FieldReader reader(w.text());
  EXPECT_EQ(reader.readString(), "say 'hi'");
  EXPECT_EQ(reader.readString(), "'");
  EXPECT_TRUE(reader.atEnd());
}

TEST(FieldWriterForms, ObjectsAndArraysHaveNoForm) {
  FieldWriter w;
  EXPECT_EQ(ErrorOf([&] { w.writeVariant(Variant::fromObject(nullptr)); }),
            vbs::err::kTypeMismatch);
  EXPECT_EQ(ErrorOf([&] {
              w.writeVariant(
                  Variant::fromArray(vbs::VariantArray::fromValues({Variant::fromInteger(1)})));
            }),
            vbs::err::kTypeMismatch);
  EXPECT_EQ(w.text(), "");
}

TEST(FieldWriterRoundTrip, ValuesKeepTheirKind) {
  const std::vector<Variant> values = {
      Variant::fromString("5"),
      Variant::fromInteger(5),
      Variant::fromInteger(-32768),
      Variant::fromLong(100000),
      Variant::fromLong(-2147483647 - 1),
      Variant::fromDouble(1.5),
      Variant::fromDouble(-1.5e-7),
      Variant::fromDouble(1e20),
      Variant::fromDouble(0.1),
      Variant::fromBool(true),
      Variant::fromBool(false),
      Variant::Null(),
      Variant(),
      Variant::fromDate(Date(2026, 6, 12)),
      Variant::fromDate(Date(1999, 12, 31, 23, 59, 58)),
      Variant::fromError(7),
      Variant::fromString(""),
      Variant::fromString("  blanks around  "),
      Variant::fromString("comma, and\r\nline end"),
      Variant::fromString("#TRUE#"),
      Variant::fromString("Caf\u00E9 \u4E2D"),
      Variant(),  // an Empty last value is an empty last line
  };
  FieldWriter w;
  for (const Variant& v : values) w.writeVariant(v);
  FieldReader reader(w.text());
  for (const Variant& expected : values) {
    const Variant got = reader.readAny();
    ASSERT_EQ(got.type(), expected.type()) << expected.typeName();
    switch (expected.type()) {
      case VarType::Empty:
      case VarType::Null:
        break;
      case VarType::Double:
      case VarType::Date:
        EXPECT_EQ(got.rawDouble(), expected.rawDouble());
        break;
      case VarType::String:
        EXPECT_EQ(got.rawString(), expected.rawString());
        break;
      default:
        EXPECT_EQ(got.rawInt(), expected.rawInt());
        break;
    }
  }
  EXPECT_TRUE(reader.atEnd());
}

class FieldWriterSave : public ::testing::Test {
 protected:
  // Names in the folder, hidden ones (temporary files) included.
  std::vector<std::string> entries() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
      names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  test::TempDir dir;
};

TEST_F(FieldWriterSave, Windows1252WhenEveryCharacterFits) {
  FieldWriter w;
  w.writeString("Caf\u00E9");
  w.saveTo(dir / "game.sav");
  EXPECT_EQ(dir.read("game.sav"), "\"Caf\xE9\"\r\n");
  FileResolver files;
  EXPECT_EQ(FieldReader::Open(files, dir / "game.sav").readString(), "Caf\u00E9");
}

TEST_F(FieldWriterSave, Utf8WhenACharacterDoesNotFit) {
  FieldWriter w;
  w.writeString("Caf\u00E9 \u4E2D");
  w.saveTo(dir / "game.sav");
  EXPECT_EQ(dir.read("game.sav"), "\"Caf\u00E9 \u4E2D\"\r\n");
  FileResolver files;
  EXPECT_EQ(FieldReader::Open(files, dir / "game.sav").readString(), "Caf\u00E9 \u4E2D");
}

// UTF-8 of one code point.
std::string Utf8Of(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

// Whatever a text holds (a double quote aside, which the form cannot hold) comes back from
// the file as it was, whichever encoding the file got: Ctrl-Z, NUL and line ends included.
TEST_F(FieldWriterSave, EveryCharacterOfATextReadsBackFromTheFile) {
  std::vector<std::string> texts;
  std::string latin;  // U+0000..U+00FF: fits Windows-1252 but for the C1 controls
  std::string cp1252;  // Chr(0)..Chr(255) of a script: every byte of Windows-1252
  for (int c = 0; c < 256; ++c) {
    if (c == '"') continue;
    texts.push_back(Utf8Of(static_cast<char32_t>(c)));
    latin += Utf8Of(static_cast<char32_t>(c));
    cp1252 += Cp1252ToUtf8(std::string(1, static_cast<char>(c)));
  }
  texts.push_back(latin);
  texts.push_back(cp1252);
  texts.push_back("\x1A");
  texts.push_back("before\x1A\r\nafter\x1A");
  std::string wide;
  for (char32_t c = 0x100; c <= 0x10FFFF; c += 97) {
    if (c < 0xD800 || c > 0xDFFF) wide += Utf8Of(c);
  }
  texts.push_back(wide);
  for (bool fitsWindows1252 : {true, false}) {
    FieldWriter w;
    for (const std::string& t : texts) {
      if (fitsWindows1252 == Utf8ToCp1252(t).has_value()) w.writeString(t);
    }
    w.writeInteger(7);
    w.saveTo(dir / "game.sav");
    FileResolver files;
    FieldReader reader = FieldReader::Open(files, dir / "game.sav");
    for (const std::string& t : texts) {
      if (fitsWindows1252 == Utf8ToCp1252(t).has_value()) {
        ASSERT_EQ(reader.readString(), t) << fitsWindows1252;
      }
    }
    EXPECT_EQ(reader.readInteger(), 7);
    EXPECT_TRUE(reader.atEnd());
  }
}

TEST_F(FieldWriterSave, ReplacesTheExistingFileWhateverItsCase) {
  dir.write("Saves/GAME1.SAV", "old");
  FieldWriter w;
  w.writeInteger(1);
  w.saveTo(dir.path() + "\\saves\\game1.sav");
  EXPECT_EQ(dir.read("Saves/GAME1.SAV"), "1\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "Saves/game1.sav"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "Saves"), {}), 1);
}

TEST_F(FieldWriterSave, KeepsTheModeOfTheReplacedFile) {
  dir.write("game.sav", "old");
  ASSERT_EQ(::chmod((dir / "game.sav").c_str(), 0640), 0);
  FieldWriter w;
  w.writeInteger(2);
  w.saveTo(dir / "game.sav");
  struct stat st {};
  ASSERT_EQ(::stat((dir / "game.sav").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(FieldWriterSave, ReadOnlyFileIsNotReplaced) {
  dir.write("game.sav", "old");
  ASSERT_EQ(::chmod((dir / "game.sav").c_str(), 0444), 0);
  FieldWriter w;
  w.writeInteger(3);
  EXPECT_EQ(ErrorOf([&] { w.saveTo(dir / "GAME.sav"); }), vbs::err::kPermissionDenied);
  EXPECT_EQ(dir.read("game.sav"), "old");
  EXPECT_EQ(entries(), std::vector<std::string>{"game.sav"});
}

TEST_F(FieldWriterSave, UnwritableFolderFailsAndKeepsTheOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not hold for root";
  dir.write("Saves/game.sav", "old");
  ASSERT_EQ(::chmod((dir / "Saves").c_str(), 0555), 0);
  FieldWriter w;
  w.writeInteger(4);
  EXPECT_EQ(ErrorOf([&] { w.saveTo(dir / "Saves/game.sav"); }), vbs::err::kPermissionDenied);
  EXPECT_EQ(dir.read("Saves/game.sav"), "old");
}

TEST_F(FieldWriterSave, MissingFolderOrNameFails) {
  FieldWriter w;
  w.writeInteger(5);
  EXPECT_EQ(ErrorOf([&] { w.saveTo(dir / "Nowhere/game.sav"); }), vbs::err::kPathNotFound);
  EXPECT_EQ(ErrorOf([&] { w.saveTo(dir.path() + "/"); }), vbs::err::kPathFileAccessError);
  dir.mkdir("game.sav");
  EXPECT_EQ(ErrorOf([&] { w.saveTo(dir / "GAME.SAV"); }), vbs::err::kPathFileAccessError);
  EXPECT_EQ(entries(), std::vector<std::string>{"game.sav"});  // no temporary file left
}

}  // namespace
}  // namespace tw
