// Scripting.FileSystemObject through its automation interface, in a fresh temporary folder:
// path texts, case-insensitive Windows paths, copy/move/delete rules and their errors, and
// TextStream reading, writing and encodings.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "LibraryTestUtil.h"
#include "VbsTestUtil.h"

namespace vbs::test {
namespace {

namespace fs = std::filesystem;

class FileSystemObjectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tw_fso_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    root = pattern;
    previous = fs::current_path();
    fs::current_path(root);  // scripts name files relative to the game folder
  }
  void TearDown() override {
    fs::current_path(previous);
    std::error_code ignored;
    fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(root, ignored);
  }

  static void WriteBytes(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  std::string str(std::string_view member, std::initializer_list<Variant> args) {
    return Get(fso, member, args).toString();
  }
  bool yes(std::string_view member, std::initializer_list<Variant> args) {
    return Get(fso, member, args).toBool();
  }
  std::shared_ptr<Object> open(const char* path, int mode, bool create = false, int format = 0) {
    return ObjectOf(Get(fso, "OpenTextFile", {S(path), L(mode), Variant::fromBool(create),
                                              L(format)}));
  }

  fs::path root, previous;
  std::shared_ptr<Object> fsoPtr = CreateLibraryObject("Scripting.FileSystemObject");
  Object& fso = *fsoPtr;
};

TEST_F(FileSystemObjectTest, PathTextsFollowWindowsRulesWithSlashes) {
  struct Case {
    const char* member;
    const char* path;
    const char* expected;
  } cases[] = {
      {"GetFileName", "C:\\games\\save.txt", "save.txt"},
      {"GetFileName", "data\\music\\", "music"},
      {"GetFileName", "/", ""},
      {"GetBaseName", "dir\\archive.tar.gz", "archive.tar"},
      {"GetBaseName", "noext", "noext"},
      {"GetExtensionName", "dir\\archive.tar.gz", "gz"},
      {"GetExtensionName", "dir.d\\noext", ""},
      {"GetParentFolderName", "data\\music\\theme.mid", "data/music"},
      {"GetParentFolderName", "data\\music\\", "data"},
      {"GetParentFolderName", "/top", "/"},
      {"GetParentFolderName", "alone.txt", ""},
      {"GetParentFolderName", "C:\\x", "C:/"},
      {"GetDriveName", "C:\\games\\x", "C:"},
      {"GetDriveName", "\\\\server\\share\\dir\\x", "//server/share"},
      {"GetDriveName", "relative\\x", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.member) + "(" + c.path + ")");
    EXPECT_EQ(str(c.member, {S(c.path)}), c.expected);
  }
  EXPECT_EQ(str("BuildPath", {S("data\\saves"), S("one.sav")}), "data/saves/one.sav");
  EXPECT_EQ(str("BuildPath", {S("data/"), S("\\one.sav")}), "data/one.sav");
  EXPECT_EQ(str("BuildPath", {S(""), S("one.sav")}), "one.sav");
  EXPECT_EQ(str("GetAbsolutePathName", {S("a\\b\\..\\c")}), (root / "a/c").string());
  EXPECT_EQ(str("GetAbsolutePathName", {S(".")}), root.string());
  const std::string temp = str("GetTempName", {});
  EXPECT_EQ(temp.size(), 12u);
  EXPECT_EQ(temp.substr(0, 3), "rad");
  EXPECT_EQ(temp.substr(8), ".tmp");
}

TEST_F(FileSystemObjectTest, WindowsPathsFindFilesInAnyLetterCase) {
  WriteBytes(root / "Data" / "Music" / "Theme.TXT", "x");
  EXPECT_TRUE(yes("FileExists", {S("data\\MUSIC\\theme.txt")}));
  EXPECT_TRUE(yes("FolderExists", {S("DATA\\music\\")}));
  EXPECT_FALSE(yes("FileExists", {S("data\\music")}));  // a folder is no file
  EXPECT_FALSE(yes("FolderExists", {S("data\\music\\theme.txt")}));
  EXPECT_FALSE(yes("FileExists", {S("")}));
  auto file = ObjectOf(Get(fso, "GetFile", {S("DATA\\music\\THEME.txt")}));
  EXPECT_EQ(file->defaultValue().toString(), (root / "Data/Music/Theme.TXT").string());
  EXPECT_EQ(Get(*file, "Name").toString(), "Theme.TXT");
  EXPECT_EQ(Get(*file, "Size").toLong(), 1);
  EXPECT_EQ(Get(*file, "Type").toString(), "Text Document");
  EXPECT_TRUE(Get(*file, "DateLastModified").isDate());
  auto parent = ObjectOf(Get(*file, "ParentFolder"));
  EXPECT_EQ(Get(*parent, "Name").toString(), "Music");
  // A new file in an existing folder named in another case lands in that folder.
  Call(*ObjectOf(Get(fso, "CreateTextFile", {S("DATA\\MUSIC\\new.txt")})), "Close");
  EXPECT_TRUE(fs::exists(root / "Data/Music/new.txt"));
}

TEST_F(FileSystemObjectTest, MissingThingsRaiseTheWindowsErrors) {
  WriteBytes(root / "f.txt", "x");
  fs::create_directory(root / "d");
  struct Case {
    const char* what;
    std::function<void()> call;
    int error;
  } cases[] = {
      {"GetFile missing", [&] { Get(fso, "GetFile", {S("nope.txt")}); }, 53},
      {"GetFile of folder", [&] { Get(fso, "GetFile", {S("d")}); }, 53},
      {"GetFolder missing", [&] { Get(fso, "GetFolder", {S("nope")}); }, 76},
      {"open missing", [&] { open("nope.txt", 1); }, 53},
      {"open in missing folder", [&] { open("nope\\x.txt", 2, true); }, 76},
      {"open folder", [&] { open("d", 1); }, 70},
      {"open bad mode", [&] { open("f.txt", 3); }, 5},
      {"CreateFolder existing", [&] { Get(fso, "CreateFolder", {S("D")}); }, 58},
      {"CreateFolder over a file", [&] { Get(fso, "CreateFolder", {S("f.txt")}); }, 58},
      {"CreateFolder missing parent", [&] { Get(fso, "CreateFolder", {S("a\\b")}); }, 76},
      {"CreateTextFile no overwrite",
       [&] { Get(fso, "CreateTextFile", {S("F.TXT"), Variant::fromBool(false)}); }, 58},
      {"CreateTextFile on folder", [&] { Get(fso, "CreateTextFile", {S("d")}); }, 70},
      {"DeleteFile missing", [&] { Call(fso, "DeleteFile", {S("nope.txt")}); }, 53},
      {"DeleteFile no match", [&] { Call(fso, "DeleteFile", {S("*.bin")}); }, 53},
      {"DeleteFolder missing", [&] { Call(fso, "DeleteFolder", {S("nope")}); }, 76},
      {"CopyFile missing", [&] { Call(fso, "CopyFile", {S("nope.txt"), S("x.txt")}); }, 53},
      {"CopyFile onto folder", [&] { Call(fso, "CopyFile", {S("f.txt"), S("d")}); }, 70},
      {"CopyFile onto itself", [&] { Call(fso, "CopyFile", {S("f.txt"), S("F.txt")}); }, 70},
      {"MoveFile onto existing", [&] { Call(fso, "MoveFile", {S("f.txt"), S("d")}); }, 58},
      {"CopyFolder into itself", [&] { Call(fso, "CopyFolder", {S("d"), S("d\\inner")}); }, 70},
      {"GetSpecialFolder 3", [&] { Get(fso, "GetSpecialFolder", {L(3)}); }, 5},
      {"GetDrive of nothing", [&] { Get(fso, "GetDrive", {S("Q:")}); }, 68},
      {"Null path", [&] { Get(fso, "FileExists", {Variant::Null()}); }, 13},
      {"huge mode", [&] { Get(fso, "OpenTextFile", {S("f.txt"), Variant::fromDouble(1e300)}); },
       6},
      {"unknown member", [&] { Get(fso, "Launch"); }, 438},
      {"too many arguments", [&] { Get(fso, "GetFileName", {S("a"), S("b")}); }, 450},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ErrorOf(c.call), c.error);
  }
  EXPECT_EQ(ReadBytes(root / "f.txt"), "x");  // nothing above touched the file
  EXPECT_TRUE(fs::is_empty(root / "d"));
}

TEST_F(FileSystemObjectTest, CopyMoveAndDeleteWithWildcardsAndFolders) {
  WriteBytes(root / "src/a.txt", "A");
  WriteBytes(root / "src/b.TXT", "B");
  WriteBytes(root / "src/c.dat", "C");
  WriteBytes(root / "src/sub/deep.txt", "D");
  fs::create_directory(root / "dst");
  Call(fso, "CopyFile", {S("SRC\\*.txt"), S("dst")});
  EXPECT_EQ(ReadBytes(root / "dst/a.txt"), "A");
  EXPECT_EQ(ReadBytes(root / "dst/b.TXT"), "B");
  EXPECT_FALSE(fs::exists(root / "dst/c.dat"));
  EXPECT_EQ(ErrorOf([&] {
              Call(fso, "CopyFile", {S("src\\a.txt"), S("dst\\"), Variant::fromBool(false)});
            }),
            58);
  Call(fso, "CopyFile", {S("src\\c.dat"), S("dst\\renamed.dat")});
  EXPECT_EQ(ReadBytes(root / "dst/renamed.dat"), "C");
  Call(fso, "MoveFile", {S("dst\\renamed.dat"), S("moved.dat")});
  EXPECT_FALSE(fs::exists(root / "dst/renamed.dat"));
  EXPECT_EQ(ReadBytes(root / "moved.dat"), "C");
  Call(fso, "CopyFolder", {S("src"), S("copy")});
  EXPECT_EQ(ReadBytes(root / "copy/sub/deep.txt"), "D");
  EXPECT_EQ(ErrorOf([&] {
              Call(fso, "CopyFolder", {S("src"), S("copy"), Variant::fromBool(false)});
            }),
            58);
  auto folder = ObjectOf(Get(fso, "GetFolder", {S("copy")}));
  EXPECT_EQ(Get(*folder, "Size").toLong(), 4);
  EXPECT_EQ(Get(*ObjectOf(Get(*folder, "Files")), "Count").toLong(), 3);
  std::vector<Variant> subs;
  ASSERT_TRUE(ObjectOf(Get(*folder, "SubFolders"))->enumerate(subs));
  ASSERT_EQ(subs.size(), 1u);
  EXPECT_EQ(Get(*ObjectOf(subs[0]), "Name").toString(), "sub");
  Call(fso, "DeleteFile", {S("copy\\*.TXT")});
  EXPECT_EQ(Get(*ObjectOf(Get(*folder, "Files")), "Count").toLong(), 1);
  Call(fso, "DeleteFolder", {S("COPY")});
  EXPECT_FALSE(fs::exists(root / "copy"));
  EXPECT_EQ(ErrorOf([&] { Get(*folder, "Name"); }), 76);  // the object outlived its folder
}

TEST_F(FileSystemObjectTest, ReadOnlyFilesNeedForceAndDeletionNeverFollowsLinks) {
  WriteBytes(root / "keep/precious.txt", "P");
  WriteBytes(root / "gone/ro.txt", "R");
  fs::create_directory_symlink(root / "keep", root / "gone/link");
  auto file = ObjectOf(Get(fso, "GetFile", {S("gone\\ro.txt")}));
  Let(*file, "Attributes", {L(1)});
  EXPECT_EQ(Get(*file, "Attributes").toLong() & 1, 1);
  if (::geteuid() != 0) {
    EXPECT_EQ(ErrorOf([&] { Call(fso, "DeleteFile", {S("gone\\ro.txt")}); }), 70);
    EXPECT_EQ(ErrorOf([&] { Call(fso, "DeleteFolder", {S("gone")}); }), 70);
  }
  Call(fso, "DeleteFolder", {S("gone"), Variant::fromBool(true)});
  EXPECT_FALSE(fs::exists(root / "gone"));
  EXPECT_EQ(ReadBytes(root / "keep/precious.txt"), "P");
}

TEST_F(FileSystemObjectTest, WriteThenReadLinesColumnsAndEnds) {
  auto out = ObjectOf(Get(fso, "CreateTextFile", {S("t.txt"), Variant::fromBool(true)}));
  Call(*out, "Write", {S("ab")});
  EXPECT_EQ(Get(*out, "Column").toLong(), 3);
  Call(*out, "WriteLine", {S("c")});
  Call(*out, "WriteBlankLines", {L(2)});
  Call(*out, "WriteLine");
  Call(*out, "Write", {S("last")});
  EXPECT_EQ(Get(*out, "Line").toLong(), 5);
  EXPECT_EQ(ErrorOf([&] { Get(*out, "ReadLine"); }), 54);
  EXPECT_EQ(ErrorOf([&] { Get(*out, "AtEndOfStream"); }), 54);
  Call(*out, "Close");
  EXPECT_EQ(ErrorOf([&] { Call(*out, "Write", {S("x")}); }), 54);
  EXPECT_EQ(ReadBytes(root / "t.txt"), "abc\r\n\r\n\r\n\r\nlast");

  auto in = open("T.TXT", 1);
  EXPECT_EQ(Get(*in, "Read", {L(2)}).toString(), "ab");
  EXPECT_EQ(Get(*in, "Column").toLong(), 3);
  EXPECT_FALSE(Get(*in, "AtEndOfLine").toBool());
  EXPECT_EQ(Get(*in, "ReadLine").toString(), "c");
  EXPECT_EQ(Get(*in, "Line").toLong(), 2);
  EXPECT_TRUE(Get(*in, "AtEndOfLine").toBool());
  Call(*in, "SkipLine");
  Call(*in, "SkipLine");
  Call(*in, "Skip", {L(1)});  // the CR of the third blank line
  Call(*in, "Skip", {L(2)});
  EXPECT_EQ(Get(*in, "ReadAll").toString(), "ast");
  EXPECT_TRUE(Get(*in, "AtEndOfStream").toBool());
  EXPECT_EQ(ErrorOf([&] { Get(*in, "ReadLine"); }), 62);
  EXPECT_EQ(ErrorOf([&] { Get(*in, "Read", {L(1)}); }), 62);
  EXPECT_EQ(ErrorOf([&] { Get(*in, "ReadAll"); }), 62);
  EXPECT_EQ(ErrorOf([&] { Call(*in, "Write", {S("x")}); }), 54);
  EXPECT_EQ(ErrorOf([&] { Get(*in, "Read", {L(-1)}); }), 5);
}

TEST_F(FileSystemObjectTest, ReadsEveryLineEndAndEncoding) {
  struct Case {
    const char* what;
    std::string bytes;
    int format;
    std::vector<std::string> lines;
  } cases[] = {
      {"CR LF, LF and CR", "a\r\nb\nc\rd", 0, {"a", "b", "c", "d"}},
      {"UTF-8", "caf\xC3\xA9\n\xE2\x82\xAC", 0, {"caf\xC3\xA9", "\xE2\x82\xAC"}},
      {"UTF-8 with BOM", "\xEF\xBB\xBFok", 0, {"ok"}},
      {"Windows-1252", "caf\xE9\n\x80\x93", 0, {"caf\xC3\xA9", "\xE2\x82\xAC\xE2\x80\x9C"}},
      {"UTF-16 by its BOM", std::string("\xFF\xFEh\0i\0\r\0\n\0!\0", 12), 0, {"hi", "!"}},
      {"Unicode mode without BOM", std::string("h\0i\0", 4), -1, {"hi"}},
      {"empty last line", "x\r\n", 0, {"x"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(root / "in.txt", c.bytes);
    auto in = open("in.txt", 1, false, c.format);
    std::vector<std::string> lines;
    while (!Get(*in, "AtEndOfStream").toBool()) lines.push_back(Get(*in, "ReadLine").toString());
    EXPECT_EQ(lines, c.lines);
  }
  // A long UTF-8 file crosses many read pieces, some boundaries inside a character.
  std::string big;
  for (int i = 0; i < 40000; ++i) big += "\xC3\xA9\xE2\x82\xAC\r\n";
  WriteBytes(root / "big.txt", big);
  auto in = open("big.txt", 1);
  int count = 0;
  bool allRight = true;
  while (!Get(*in, "AtEndOfStream").toBool()) {
    allRight &= Get(*in, "ReadLine").toString() == "\xC3\xA9\xE2\x82\xAC";
    ++count;
  }
  EXPECT_EQ(count, 40000);
  EXPECT_TRUE(allRight);
}

TEST_F(FileSystemObjectTest, WritesWindows1252WhenItFitsElseUtf8WithoutMixing) {
  auto out = open("w.txt", 2, true);
  Call(*out, "Write", {S("caf\xC3\xA9")});  // "café": fits Windows-1252
  Call(*out, "Close");
  EXPECT_EQ(ReadBytes(root / "w.txt"), "caf\xE9");
  out = open("w.txt", 8);
  Call(*out, "Write", {S(" \xE2\x82\xAC")});  // "€" fits as 0x80
  Call(*out, "Write", {S(" \xE2\x86\x92")});  // "→" does not: the whole file becomes UTF-8
  Call(*out, "Write", {S(" \xC3\xA9")});
  Call(*out, "Close");
  EXPECT_EQ(ReadBytes(root / "w.txt"),
            "caf\xC3\xA9 \xE2\x82\xAC \xE2\x86\x92 \xC3\xA9");
  // Appending to a UTF-8 file stays UTF-8 even for text that would fit Windows-1252.
  out = open("w.txt", 8);
  Call(*out, "Write", {S("\xC3\xBC")});
  Call(*out, "Close");
  EXPECT_EQ(ReadBytes(root / "w.txt").substr(16), "\xC3\xBC");
  // Unicode mode: UTF-16LE with a BOM; appending adds no second BOM.
  out = ObjectOf(Get(fso, "CreateTextFile",
                     {S("u.txt"), Variant::fromBool(true), Variant::fromBool(true)}));
  Call(*out, "Write", {S("A\xC3\xA9")});
  Call(*out, "Close");
  out = open("u.txt", 8, false, -2);
  Call(*out, "Write", {S("B")});
  Call(*out, "Close");
  EXPECT_EQ(ReadBytes(root / "u.txt"), std::string("\xFF\xFE" "A\0\xE9\0B\0", 8));
  EXPECT_EQ(Get(*open("u.txt", 1, false, -2), "ReadAll").toString(), "A\xC3\xA9" "B");
}

TEST_F(FileSystemObjectTest, OpeningModesCreateTruncateAndAppend) {
  EXPECT_EQ(ErrorOf([&] { open("new.txt", 8); }), 53);
  Call(*open("new.txt", 8, true), "Write", {S("one")});
  Call(*open("new.txt", 8), "Write", {S("two")});
  EXPECT_EQ(ReadBytes(root / "new.txt"), "onetwo");
  Call(*open("NEW.txt", 2), "Write", {S("3")});
  EXPECT_EQ(ReadBytes(root / "new.txt"), "3");
  // An omitted optional argument (a hole in the list) takes its default.
  auto in = ObjectOf(Get(fso, "OpenTextFile", {S("new.txt"), Variant::fromError(-2147352572)}));
  EXPECT_EQ(Get(*in, "ReadAll").toString(), "3");
  auto created = open("made.txt", 1, true);
  EXPECT_TRUE(Get(*created, "AtEndOfStream").toBool());
  EXPECT_TRUE(fs::exists(root / "made.txt"));
}

TEST_F(FileSystemObjectTest, ReadAllOfAHugeFileIsRefused) {
  {
    std::ofstream f(root / "huge.bin", std::ios::binary);
  }
  fs::resize_file(root / "huge.bin", std::uintmax_t{300} << 20);  // sparse: no disk used
  EXPECT_EQ(ErrorOf([&] { Get(*open("huge.bin", 1), "ReadAll"); }), 7);
}

TEST_F(FileSystemObjectTest, FileAndFolderObjectsRenameMoveAndCreate) {
  auto folder = ObjectOf(Get(fso, "CreateFolder", {S("Saves")}));
  EXPECT_EQ(Get(*folder, "Path").toString(), (root / "Saves").string());
  EXPECT_FALSE(Get(*folder, "IsRootFolder").toBool());
  auto stream = ObjectOf(Get(*folder, "CreateTextFile", {S("slot1.sav")}));
  Call(*stream, "WriteLine", {S("hello")});
  Call(*stream, "Close");
  auto files = ObjectOf(Get(*folder, "Files"));
  auto file = ObjectOf(Get(*files, "Item", {S("SLOT1.SAV")}));
  EXPECT_EQ(Get(*file, "Size").toLong(), 7);
  EXPECT_EQ(ErrorOf([&] { Get(*files, "Item", {S("none")}); }), 53);
  Let(*file, "Name", {S("slot2.sav")});
  EXPECT_TRUE(fs::exists(root / "Saves/slot2.sav"));
  EXPECT_EQ(Get(*file, "Path").toString(), (root / "Saves/slot2.sav").string());
  Call(*file, "Copy", {S("saves\\slot3.sav")});
  EXPECT_EQ(ErrorOf([&] { Let(*file, "Name", {S("SLOT3.SAV")}); }), 58);
  Call(*file, "Move", {S("..\\")});  // not within root: the object names its new home
  EXPECT_FALSE(fs::exists(root / "Saves/slot2.sav"));
  EXPECT_EQ(Get(*file, "Path").toString(), (root.parent_path() / "slot2.sav").string());
  EXPECT_EQ(Get(*ObjectOf(Get(*file, "OpenAsTextStream")), "ReadLine").toString(), "hello");
  Call(*file, "Delete");
  EXPECT_EQ(ErrorOf([&] { Get(*file, "Size"); }), 53);
  auto sub = ObjectOf(Get(*ObjectOf(Get(*folder, "SubFolders")), "Add", {S("auto")}));
  EXPECT_TRUE(fs::is_directory(root / "Saves/auto"));
  auto temp = ObjectOf(Get(fso, "GetSpecialFolder", {L(2)}));
  EXPECT_TRUE(fs::is_directory(Get(*temp, "Path").toString()));
  auto drive = ObjectOf(Get(*folder, "Drive"));
  EXPECT_TRUE(Get(*drive, "IsReady").toBool());
  EXPECT_TRUE(fs::is_directory(drive->defaultValue().toString()));
  EXPECT_TRUE(yes("DriveExists", {S("/")}));
  EXPECT_FALSE(yes("DriveExists", {S("C:")}));
}

}  // namespace
}  // namespace vbs::test
