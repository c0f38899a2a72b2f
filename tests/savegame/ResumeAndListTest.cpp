// Where a loaded game resumes ("Resume"), and the list of saved games, newest first.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "savegame/ResumeLocation.h"
#include "savegame/SavedGameList.h"
#include "support/GameBuilder.h"
#include "support/TestPlayer.h"

namespace tw::test {
namespace {

class ResumeAndListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteSmallGeneral(t.game, "Hall", true);
    ASSERT_TRUE(t.initialize());
  }
  void resume(const std::vector<std::string>& lines) {
    t.game.writeLines("Config/Resume", lines);
  }
  // A saved game with a modification time of `seconds` after an arbitrary start.
  void saved(const std::string& file, std::int64_t seconds, long nanoseconds = 0) {
    t.game.write(file, "\"Hall\"\r\n0\r\n0\r\n0\r\n");
    const timespec times[2] = {{1800000000 + seconds, nanoseconds},
                               {1800000000 + seconds, nanoseconds}};
    ASSERT_EQ(::utimensat(AT_FDCWD, t.game.file(file).c_str(), times, 0), 0);
  }
  std::vector<std::string> list() { return ListSavedGames(t.player); }

  TestPlayer t;
};

TEST_F(ResumeAndListTest, TheLastMatchingPairWinsAndEmptyTargetsAreIgnored) {
  resume({"1", "2", "3", "4", "5", "6", "\"Cellar\"", "\"Hall\"", "\"cellar\"", "\"Garden\"",
          "\"CELLAR\"", "\"\"", "\"Tower\"", "\"Top\""});
  EXPECT_EQ(GetResumeLocation(t.player, "CELLAR"), "Garden");
  EXPECT_EQ(GetResumeLocation(t.player, "Tower"), "Top");
  EXPECT_EQ(GetResumeLocation(t.player, "Beach"), "Beach");
  EXPECT_EQ(GetResumeLocation(t.player, ""), "");
}

TEST_F(ResumeAndListTest, NoFileOrADamagedOneResumesInTheSavedFrame) {
  EXPECT_EQ(GetResumeLocation(t.player, "Cellar"), "Cellar");
  // The pair before the damage does not count: any failure gives the saved frame.
  resume({"1", "2", "3", "4", "5", "6", "\"Cellar\"", "\"Hall\"", "\"Tower\""});
  EXPECT_EQ(GetResumeLocation(t.player, "Cellar"), "Cellar");
  resume({"1", "2", "3"});
  EXPECT_EQ(GetResumeLocation(t.player, "Cellar"), "Cellar");
}

TEST_F(ResumeAndListTest, SavedGamesAreListedNewestFirstWithoutTheirExtension) {
  saved("Old.sav", 10);
  saved("Newest.SAV", 30);
  saved("Middle.sav", 20);
  saved("Middle later.sav", 20, 500);  // half a microsecond later still counts
  saved(".sav", 40);                   // a file of the extension alone is not listed
  saved("notes.txt", 50);
  EXPECT_EQ(list(), (std::vector<std::string>{"Newest", "Middle later", "Middle", "Old"}));
  // Saving over the oldest moves it to the top.
  saved("Old.sav", 60);
  EXPECT_EQ(list().front(), "Old");
}

TEST_F(ResumeAndListTest, FilesOfTheSameTimeKeepTheFolderOrder) {
  saved("b.sav", 10);
  saved("C.sav", 10);
  saved("a.sav", 10);
  EXPECT_EQ(list(), (std::vector<std::string>{"a", "b", "C"}));
}

}  // namespace
}  // namespace tw::test
