// Case-insensitive look-up of Windows-style paths, listings, Dir()-like look-up, the
// directory cache and whole-file reading.
#include "common/FileResolver.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <ctime>
#include <vector>

#include "common/TempDir.h"
#include "vbscript/Variant.h"
#include "vbscript/VbError.h"

namespace tw {
namespace {

using test::ScopedCwd;
using test::TempDir;

class FileResolverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.write("Frames/Hall.fme", "hall");
    dir.write("Config/General", "general");
    dir.write("Areas/Hall/a.dat", "areas");
  }
  TempDir dir;
  FileResolver files;
};

TEST_F(FileResolverTest, MatchesEachComponentWithoutRegardToCase) {
  const std::string real = dir / "Frames/Hall.fme";
  const std::vector<std::string> spellings = {
      dir / "Frames/Hall.fme",           dir / "frames/hall.FME",
      dir.path() + "\\FRAMES\\HALL.fme", dir / "frames\\Hall.fme",
      dir / "Frames//hall.fme",          dir / "./fRaMeS/./HaLl.FmE",
      dir / "Config/../Frames/hall.fme",
  };
  for (const std::string& path : spellings) EXPECT_EQ(files.resolve(path), real) << path;
  EXPECT_EQ(files.resolve(dir / "areas\\HALL\\A.DAT"), dir / "Areas/Hall/a.dat");
}

TEST_F(FileResolverTest, DotDotIsAppliedToTheTextFirst) {
  // As on Windows, "Nowhere\.." cancels out before anything is looked up.
  EXPECT_EQ(files.resolve(dir / "Nowhere\\..\\config\\general"), dir / "Config/General");
}

TEST_F(FileResolverTest, RelativePathsStartAtTheCurrentDirectory) {
  ScopedCwd cwd(dir.path());
  EXPECT_EQ(files.resolve("frames\\HALL.FME"), dir / "Frames/Hall.fme");
  EXPECT_EQ(files.resolve(".\\Config\\General"), dir / "Config/General");
  EXPECT_EQ(files.findFileName("FRAMES\\*.fme"), "Hall.fme");
}

TEST_F(FileResolverTest, FailsForMissingEmptyAndUnsafePaths) {
  EXPECT_EQ(files.resolve(dir / "Frames/Cellar.fme"), std::nullopt);
  EXPECT_EQ(files.resolve(dir / "Nope/Hall.fme"), std::nullopt);
  EXPECT_EQ(files.resolve(""), std::nullopt);
  // A NUL would end the path early in the system call and name the folder instead.
  EXPECT_EQ(files.resolve(dir / std::string("Frames\0/x", 9)), std::nullopt);
  // A file used as a folder.
  EXPECT_EQ(files.resolve(dir / "Frames/Hall.fme/x"), std::nullopt);
}

TEST_F(FileResolverTest, TrailingSeparatorNamesAFolder) {
  EXPECT_EQ(files.resolve(dir / "frames\\"), dir / "Frames");
  EXPECT_EQ(files.resolve(dir / "frames/hall.fme\\"), std::nullopt);
  EXPECT_TRUE(files.isDirectory(dir / "CONFIG\\"));
  EXPECT_FALSE(files.isDirectory(dir / "config/general"));
  EXPECT_TRUE(files.exists(dir / "config/general"));
  EXPECT_TRUE(files.exists(dir / "config"));
  EXPECT_FALSE(files.exists(dir / "config/specific"));
}

TEST_F(FileResolverTest, BlanksAndDotsEndingTheLastNameAreDropped) {
  const std::string real = dir / "Frames/Hall.fme";
  for (const char* name : {"Frames/hall.fme ", "Frames/Hall.fme.", "Frames/HALL.FME . .",
                           "frames\\hall.fme  "}) {
    EXPECT_EQ(files.resolve(dir / name), real) << name;
    EXPECT_EQ(files.findFileName(dir / name), "Hall.fme") << name;
    EXPECT_EQ(files.readFile(dir / name), "hall") << name;
  }
  // Only at the end of the last name: a folder name keeps its own characters, and "." and
  // ".." keep their meaning.
  EXPECT_EQ(files.resolve(dir / "Frames /Hall.fme"), std::nullopt);
  EXPECT_EQ(files.resolve(dir / "Frames/Hall .fme"), std::nullopt);
  EXPECT_EQ(files.resolve(dir / "Frames/.."), dir.path());
}

TEST(FileResolverCase, ExactSpellingWinsOverOtherCaseVariants) {
  TempDir dir;
  dir.write("Save.dat", "upper");
  dir.write("save.dat", "lower");
  dir.write("sub/Frames/x", "a");
  dir.write("sub/frames/y", "b");
  FileResolver files;
  EXPECT_EQ(files.resolve(dir / "Save.dat"), dir / "Save.dat");
  EXPECT_EQ(files.resolve(dir / "save.dat"), dir / "save.dat");
  // No exact match: the first variant in byte order, the same on every machine.
  EXPECT_EQ(files.resolve(dir / "SAVE.DAT"), dir / "Save.dat");
  // In the middle of a path the other variants are tried when the first leads nowhere.
  EXPECT_EQ(files.resolve(dir / "sub/frames/Y"), dir / "sub/frames/y");
  EXPECT_EQ(files.resolve(dir / "SUB/FRAMES/X"), dir / "sub/Frames/x");
  EXPECT_EQ(files.resolve(dir / "SUB/FRAMES/Y"), dir / "sub/frames/y");
  EXPECT_EQ(files.resolve(dir / "SUB/FRAMES/Z"), std::nullopt);
}

TEST(FileResolverCase, Windows1252NamesOnDiskAreFoundByTheirText) {
  TempDir dir;
  dir.write("Caf\xE9.fme", "bytes");  // a name copied byte for byte from a Windows disk
  FileResolver files;
  EXPECT_EQ(files.list(dir.path(), "*"), std::vector<std::string>{"Caf\u00E9.fme"});
  const auto real = files.resolve(dir / "CAF\u00C9.FME");
  ASSERT_TRUE(real.has_value());
  EXPECT_EQ(*real, dir / "Caf\xE9.fme");
  EXPECT_EQ(files.readFile(dir / "caf\u00E9.fme"), "bytes");
  EXPECT_EQ(files.findFileName(dir / "c*.fme"), "Caf\u00E9.fme");
}

TEST(FileResolverList, FilesOnlySortedLikeAFileListBox) {
  TempDir dir;
  for (const char* name : {"b.sav", "A.sav", "c.SAV", "_x.sav", "a10.sav", "a2.sav", "notes.txt"}) {
    dir.write(name, "");
  }
  dir.mkdir("Folder.sav");
  FileResolver files;
  EXPECT_EQ(files.list(dir.path(), "*.sav"),
            (std::vector<std::string>{"_x.sav", "A.sav", "a10.sav", "a2.sav", "b.sav", "c.SAV"}));
  EXPECT_EQ(files.list(dir.path() + "/", "*.TXT"), std::vector<std::string>{"notes.txt"});
  EXPECT_EQ(files.list(dir / "missing", "*"), std::vector<std::string>{});
  EXPECT_EQ(files.list(dir.path(), "*").size(), 7u);
}

TEST(FileResolverList, DotStarAlsoMatchesNamesWithoutADot) {
  TempDir dir;
  dir.write("General", "");
  dir.write("Texts.txt", "");
  FileResolver files;
  EXPECT_EQ(files.list(dir.path(), "*.*"), (std::vector<std::string>{"General", "Texts.txt"}));
  EXPECT_EQ(files.list(dir.path(), "general.*"), std::vector<std::string>{"General"});
  EXPECT_EQ(files.list(dir.path(), "*.txt"), std::vector<std::string>{"Texts.txt"});
}

TEST(FileResolverCache, SeesFilesCreatedAndDeletedBehindItsBack) {
  TempDir dir;
  dir.write("Saves/one.sav", "");
  FileResolver files;
  EXPECT_EQ(files.list(dir / "saves", "*.sav").size(), 1u);
  EXPECT_EQ(files.resolve(dir / "saves/TWO.SAV"), std::nullopt);

  dir.write("Saves/Two.sav", "");
  EXPECT_EQ(files.resolve(dir / "saves/TWO.SAV"), dir / "Saves/Two.sav");
  EXPECT_EQ(files.list(dir / "saves", "*.sav"), (std::vector<std::string>{"one.sav", "Two.sav"}));

  std::filesystem::remove(dir / "Saves/one.sav");
  EXPECT_FALSE(files.exists(dir / "saves/ONE.sav"));
  EXPECT_EQ(files.list(dir / "saves", "*.sav"), std::vector<std::string>{"Two.sav"});
}

TEST(FileResolverCache, SeesChangesToAFolderThatWasQuietWhenListed) {
  TempDir dir;
  dir.write("Frames/Hall.fme", "");
  // Make the folder look long unchanged, so its listing is trusted from the cache.
  const timeval old[2] = {{1000000000, 0}, {1000000000, 0}};
  ASSERT_EQ(::utimes((dir / "Frames").c_str(), old), 0);
  FileResolver files;
  EXPECT_EQ(files.list(dir / "frames", "*"), std::vector<std::string>{"Hall.fme"});
  dir.write("Frames/Cellar.fme", "");  // moves the folder's time to now
  EXPECT_EQ(files.findFileName(dir / "frames/CELLAR.FME"), "Cellar.fme");
  EXPECT_EQ(files.list(dir / "frames", "*").size(), 2u);

  // A change that leaves the folder's time as it was is only seen after invalidate().
  ASSERT_EQ(::utimes((dir / "Frames").c_str(), old), 0);
  EXPECT_EQ(files.list(dir / "frames", "*").size(), 2u);
  std::filesystem::remove(dir / "Frames/Cellar.fme");
  ASSERT_EQ(::utimes((dir / "Frames").c_str(), old), 0);
  files.invalidate();
  EXPECT_EQ(files.list(dir / "frames", "*"), std::vector<std::string>{"Hall.fme"});
}

TEST(FileResolverCache, AFolderChangedWithinItsTimeGranularityIsListedAgain) {
  // On FAT (2 s) and other coarse file systems a file added right after a listing can leave
  // the folder's time unchanged. A listing taken while the folder was that fresh is not
  // trusted, so the new file is found all the same.
  TempDir dir;
  dir.write("Saves/one.sav", "");
  timespec now{};
  ASSERT_EQ(::clock_gettime(CLOCK_REALTIME, &now), 0);
  const timespec fresh[2] = {now, now};
  ASSERT_EQ(::utimensat(AT_FDCWD, (dir / "Saves").c_str(), fresh, 0), 0);
  FileResolver files;
  EXPECT_EQ(files.list(dir / "saves", "*.sav"), std::vector<std::string>{"one.sav"});
  dir.write("Saves/two.sav", "");
  ASSERT_EQ(::utimensat(AT_FDCWD, (dir / "Saves").c_str(), fresh, 0), 0);  // same time as before
  EXPECT_EQ(files.resolve(dir / "saves/TWO.SAV"), dir / "Saves/two.sav");
  EXPECT_EQ(files.list(dir / "saves", "*.sav").size(), 2u);
}

TEST(FileResolverCache, StaysWithinItsBoundsAndListsForgottenFoldersAgain) {
  TempDir dir;
  const int folders = static_cast<int>(FileResolver::kMaxListings) + 40;
  const timeval old[2] = {{1000000000, 0}, {1000000000, 0}};
  for (int i = 0; i < folders; ++i) {
    const std::string name = "Areas/F" + std::to_string(i);
    dir.write(name + "/1a.dat", "x");
    dir.write(name + "/2A.DAT", "y");
    ASSERT_EQ(::utimes((dir / name).c_str(), old), 0);
  }
  FileResolver files;
  // Spelled otherwise than on disk, so every look-up needs the folder's listing.
  for (int i = 0; i < folders; ++i) {
    const std::string folder = dir / ("Areas/F" + std::to_string(i) + "/");
    ASSERT_EQ(files.resolve(folder + "1A.DAT"), folder + "1a.dat") << i;
    ASSERT_EQ(files.resolve(folder + "2a.dat"), folder + "2A.DAT") << i;
    ASSERT_FALSE(files.resolve(folder + "3a.dat")) << i;
    EXPECT_LE(files.cachedListings(), FileResolver::kMaxListings);
  }
  EXPECT_EQ(files.cachedListings(), FileResolver::kMaxListings);
  // The first folders were forgotten; they are listed again, and changes since are seen.
  dir.write("Areas/F0/3a.dat", "z");
  ASSERT_EQ(::utimes((dir / "Areas/F0").c_str(), old), 0);
  EXPECT_EQ(files.resolve(dir / "Areas/F0/3A.dat"), dir / "Areas/F0/3a.dat");
  std::size_t names = files.cachedEntries();
  files.invalidate();
  EXPECT_GT(names, 0u);
  EXPECT_EQ(files.cachedEntries(), 0u);
  EXPECT_EQ(files.cachedListings(), 0u);
}

TEST(FileResolverCase, EveryLetterFoldsBothWays) {
  TempDir dir;
  for (char c = 'a'; c <= 'z'; ++c) dir.write(std::string("lower/") + c + ".dat", "");
  for (char c = 'A'; c <= 'Z'; ++c) dir.write(std::string("upper/") + c + ".dat", "");
  FileResolver files;
  for (char c = 'a'; c <= 'z'; ++c) {
    const char upper = static_cast<char>(c - 'a' + 'A');
    EXPECT_EQ(files.resolve(dir / (std::string("LOWER/") + upper + ".DAT")),
              dir / (std::string("lower/") + c + ".dat"))
        << c;
    EXPECT_EQ(files.resolve(dir / (std::string("Upper/") + c + ".dat")),
              dir / (std::string("upper/") + upper + ".dat"))
        << c;
  }
  // Letters are not confused with their neighbours, nor with the characters between the
  // two alphabets in ASCII ("[" is "{" folded by a careless +32).
  dir.write("signs/[.dat", "");
  dir.write("signs/`.dat", "");
  EXPECT_EQ(files.resolve(dir / "signs/{.dat"), std::nullopt);
  EXPECT_EQ(files.resolve(dir / "signs/@.dat"), std::nullopt);
}

TEST(FileResolverFind, LikeDirReturnsTheNameAsOnDisk) {
  TempDir dir;
  dir.write("Frames/Hall.fme", "");
  dir.write("Frames/cellar.FME", "");
  dir.mkdir("Frames/Sub");
  FileResolver files;
  struct Case {
    std::string path;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {dir / "frames\\HALL.FME", "Hall.fme"},
      {dir / "frames\\*.fme", "cellar.FME"},  // first without regard to case
      {dir / "frames\\h*", "Hall.fme"},
      {dir / "frames\\", "cellar.FME"},  // a folder: its first file
      {dir / "frames\\x*", ""},
      {dir / "frames\\sub", ""},  // folders are not files
      {dir / "frames", ""},
      {dir / "nowhere\\*.fme", ""},
      {dir / "nowhere\\Hall.fme", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(files.findFileName(c.path), c.expected) << c.path;
}

TEST(FileResolverFiles, ReadFileGivesTheBytes) {
  TempDir dir;
  dir.write("Config/General", std::string("a\0b\r\n\x1A", 6));
  FileResolver files;
  EXPECT_EQ(files.readFile(dir / "CONFIG\\general"), std::string("a\0b\r\n\x1A", 6));
  EXPECT_EQ(files.readFile(dir / "Config/Missing"), std::nullopt);
  EXPECT_EQ(files.readFile(dir / "Config"), std::nullopt);
}

TEST(FileResolverFiles, ReadFileKeepsWhatFollowsTheSizeItSawFirst) {
  // A file longer than its size at open (growing while read, or a kernel file whose size
  // reads as 0) is read to its end.
  FileResolver files;
  const auto status = files.readFile("/proc/self/status");
  ASSERT_TRUE(status.has_value());
  EXPECT_NE(status->find("Name:"), std::string::npos);
  EXPECT_GT(status->size(), 100u);
}

TEST(FileResolverFiles, ReadFileRefusesPipesWithoutBlocking) {
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
  FileResolver files;
  EXPECT_EQ(files.readFile(dir / "PIPE"), std::nullopt);
}

TEST(FileResolverFiles, ReadFileRefusesHugeFilesAsOutOfMemory) {
  TempDir dir;
  {
    // A sparse file: large, but it takes no room on disk.
    const int fd = ::open((dir / "huge.dat").c_str(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, FileResolver::kMaxFileSize + 1), 0);
    ::close(fd);
  }
  FileResolver files;
  try {
    files.readFile(dir / "HUGE.DAT");
    FAIL() << "no error";
  } catch (const vbs::VbError& e) {
    EXPECT_EQ(e.number(), vbs::err::kOutOfMemory);
  }
}

TEST(FileResolverFiles, RemoveFileDeletesFilesOnly) {
  TempDir dir;
  dir.write("Game1.SAV", "x");
  dir.mkdir("Folder");
  FileResolver files;
  EXPECT_TRUE(files.exists(dir / "game1.sav"));
  EXPECT_TRUE(files.removeFile(dir / "game1.sav"));
  EXPECT_FALSE(std::filesystem::exists(dir / "Game1.SAV"));
  EXPECT_FALSE(files.exists(dir / "game1.sav"));
  EXPECT_FALSE(files.removeFile(dir / "game1.sav"));
  EXPECT_FALSE(files.removeFile(dir / "folder"));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "Folder"));
}

TEST(FileResolverFiles, FileDateIsTheLocalModificationTime) {
  TempDir dir;
  dir.write("Frames/Hall.fme", "");
  std::tm local{};
  local.tm_year = 2024 - 1900;
  local.tm_mon = 2;  // March
  local.tm_mday = 15;
  local.tm_hour = 13;
  local.tm_min = 45;
  local.tm_sec = 30;
  local.tm_isdst = -1;
  const std::time_t when = std::mktime(&local);
  const timeval times[2] = {{when, 0}, {when, 0}};
  ASSERT_EQ(::utimes((dir / "Frames/Hall.fme").c_str(), times), 0);

  FileResolver files;
  const auto date = files.fileDate(dir / "frames\\hall.FME");
  ASSERT_TRUE(date.has_value());
  const vbs::DateParts parts = vbs::SplitDate(*date);
  EXPECT_EQ(parts.year, 2024);
  EXPECT_EQ(parts.month, 3);
  EXPECT_EQ(parts.day, 15);
  EXPECT_EQ(parts.hour, 13);
  EXPECT_EQ(parts.minute, 45);
  EXPECT_EQ(parts.second, 30);
  EXPECT_EQ(files.fileDate(dir / "frames\\nothing"), std::nullopt);
}

TEST(Separators, BackslashesBecomeSlashes) {
  EXPECT_EQ(ToNativeSeparators("Frames\\Hall\\a.dat"), "Frames/Hall/a.dat");
  EXPECT_EQ(ToNativeSeparators("/already/native"), "/already/native");
}

}  // namespace
}  // namespace tw
