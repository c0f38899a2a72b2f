// Where saved games live: the game folder, and the user's own folder for a game whose
// folder cannot be written; the load list shows both.
#include <fcntl.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "savegame/SaveLocations.h"
#include "savegame/SavedGameFixture.h"

namespace tw::test {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable for the life of the object (nullopt: unset).
class ScopedEnv {
 public:
  ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      ::setenv(name, value->c_str(), 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(UserDataHomeTest, FollowsXdgDataHomeWhenAbsoluteElseHome) {
  {
    ScopedEnv data("XDG_DATA_HOME", "/srv/data/");
    ScopedEnv home("HOME", "/home/ann");
    EXPECT_EQ(UserDataHome(), "/srv/data");
  }
  {
    ScopedEnv data("XDG_DATA_HOME", "relative/data");  // not absolute: ignored
    ScopedEnv home("HOME", "/home/ann/");
    EXPECT_EQ(UserDataHome(), "/home/ann/.local/share");
  }
  {
    ScopedEnv data("XDG_DATA_HOME", std::nullopt);
    ScopedEnv home("HOME", std::nullopt);
    EXPECT_EQ(UserDataHome(), "");
  }
}

class SaveLocationsTest : public SavedGameFixture {
 protected:
  void SetUp() override {
    SavedGameFixture::SetUp();
    dataHome_ = fs::path(t.game.path()) / "user-data";
    env_.emplace("XDG_DATA_HOME", dataHome_.string());
  }
  std::string userFolder() const { return (dataHome_ / "talewick/saves/GAME-ID-1").string() + "/"; }
  void touch(const std::string& path, std::int64_t seconds) {
    const timespec times[2] = {{1800000000 + seconds, 0}, {1800000000 + seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
  }
  // The saved game `name` of the game folder moved into the user's folder as `as`.
  void moveToUserFolder(const std::string& name, const std::string& as) {
    fs::create_directories(userFolder());
    fs::rename(sav(name), userFolder() + as + ".sav");
  }

  fs::path dataHome_;
  std::optional<ScopedEnv> env_;
};

TEST_F(SaveLocationsTest, TheUserFolderIsNamedAfterTheProjectIdMadeSafe) {
  startGame();
  EXPECT_EQ(UserSavesFolder(t.player), userFolder());
  t.player.settings.ProjectId = "Quest/Part\\Two";
  EXPECT_EQ(UserSavesFolder(t.player), dataHome_.string() + "/talewick/saves/Quest_Part_Two/");
  for (const char* id : {"", ".", ".."}) {
    t.player.settings.ProjectId = id;
    EXPECT_EQ(UserSavesFolder(t.player), dataHome_.string() + "/talewick/saves/_/") << id;
  }
}

TEST_F(SaveLocationsTest, AWritableGameFolderKeepsItsSaves) {
  startGame();
  EXPECT_TRUE(FolderWritable(t.game.path()));
  EXPECT_EQ(NewSavedGamePath(t.player, "Slot"), t.player.folders.ProjectFolder + "Slot.sav");
  saveAs("Slot");
  EXPECT_TRUE(t.game.exists("Slot.sav"));
  EXPECT_FALSE(fs::exists(userFolder()));
  EXPECT_FALSE(FolderWritable(t.game.path() + "missing/"));
}

TEST_F(SaveLocationsTest, TheListShowsBothFoldersNewestFirstEachNameOnce) {
  startGame();
  saveAs("Alpha");
  saveAs("Beta");
  saveAs("Gamma");
  moveToUserFolder("Beta", "Beta");
  fs::copy_file(sav("Alpha"), userFolder() + "alpha.sav");
  touch(sav("Alpha"), 20);
  touch(userFolder() + "alpha.sav", 10);  // the older of the two "Alpha"
  touch(userFolder() + "Beta.sav", 30);
  touch(sav("Gamma"), 5);
  EXPECT_EQ(ListSavedGames(t.player), (std::vector<std::string>{"Beta", "Alpha", "Gamma"}));
  EXPECT_EQ(SavedGamePath(t.player, "Alpha"), t.player.folders.ProjectFolder + "Alpha.sav");
  EXPECT_EQ(SavedGamePath(t.player, "Beta"), userFolder() + "Beta.sav");

  touch(userFolder() + "alpha.sav", 40);  // now the user's copy is the newer
  EXPECT_EQ(ListSavedGames(t.player), (std::vector<std::string>{"alpha", "Beta", "Gamma"}));
  EXPECT_EQ(SavedGamePath(t.player, "Alpha"), userFolder() + "Alpha.sav");
}

TEST_F(SaveLocationsTest, ASaveInTheUserFolderLoadsIsReplacedInPlaceAndRemoved) {
  startGame();
  saveAs("Away");
  moveToUserFolder("Away", "Away");
  click(310, 110);  // to the Hall
  ASSERT_EQ(frame(), "Hall");
  loadNamed("Away");
  EXPECT_EQ(frame(), "Room");

  // Saving over it writes where it is; the game folder gets no second copy.
  const timespec old[2] = {{1000000000, 0}, {1000000000, 0}};  // in 2001
  ASSERT_EQ(::utimensat(AT_FDCWD, (userFolder() + "Away.sav").c_str(), old, 0), 0);
  t.platform.queueAnswer(platform::MsgAnswer::Ok);  // replace it
  saveAs("Away");
  EXPECT_FALSE(t.game.exists("Away.sav"));
  struct stat st {};
  ASSERT_EQ(::stat((userFolder() + "Away.sav").c_str(), &st), 0);
  EXPECT_GT(st.st_mtim.tv_sec, 1000000000) << "the user's saved game was not written";

  inSaveWindow([&](SaveGameWindow& w) {
    ASSERT_EQ(w.List1.items(), std::vector<std::string>{"Away"});
    w.List1.clickItem(0);
    t.platform.queueAnswer(platform::MsgAnswer::Ok);
    w.Command3_Click();
    EXPECT_TRUE(w.List1.items().empty());
  });
  EXPECT_FALSE(fs::exists(userFolder() + "Away.sav"));
}

}  // namespace
}  // namespace tw::test
