// A save that fails — a full disk, a read-only file or folder, a name too long for the file
// system — shows the save error box, keeps the older saved game byte for byte, leaves no
// stray file behind, and the game plays on.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "savegame/SavedGameFixture.h"

namespace tw::test {
namespace {

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) {
    if (e.is_regular_file()) names.push_back(e.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Files this process writes may grow to `bytes` and no further, as on a disk that fills
// up while the file is written: the write that crosses the limit fails part-way. The signal
// the kernel sends then is ignored, so the failure comes back as an error of the write.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    oldHandler_ = ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    ::signal(SIGXFSZ, oldHandler_);
  }

 private:
  rlimit old_{};
  sighandler_t oldHandler_;
};

class SafeWritingTest : public SavedGameFixture {
 protected:
  bool saveFails(const std::string& name) {
    bool stayedOpen = false;
    const std::size_t before = boxCount();
    inSaveWindow([&](SaveGameWindow& w) {
      w.Text1.setText(name);
      w.Command2_Click();
      stayedOpen = w.window.visible();
    });
    return stayedOpen && boxCount() > before && lastBox().icon == platform::MsgIcon::Error &&
           lastBox().text.find(" Unable to save '" + t.player.folders.ProjectFolder + name +
                               ".sav'.") != std::string::npos;
  }
  void expectStillPlayable() {
    click(310, 110);
    EXPECT_EQ(frame(), "Hall");
  }
};

TEST_F(SafeWritingTest, ADiskThatFillsUpMidwayKeepsTheOlderSavedGame) {
  startGame();
  saveAs("Slot");
  const std::string older = Bytes(sav("Slot"));
  const std::vector<std::string> filesBefore = FilesIn(t.game.path());
  // A new state far larger than the room left.
  game->variables.ChangeVariableVariantValue("Note", vbs::Variant::fromString(std::string(200000, 'x')));
  {
    FileSizeLimit limit(older.size() + 4096);
    t.queueAnswer(platform::MsgAnswer::Ok);  // replace it
    EXPECT_TRUE(saveFails("Slot"));
  }
  EXPECT_EQ(Bytes(sav("Slot")), older);
  EXPECT_EQ(FilesIn(t.game.path()), filesBefore);  // no half-written file left beside it
  // Once there is room again the same save goes through.
  t.queueAnswer(platform::MsgAnswer::Ok);
  saveAs("Slot");
  EXPECT_GT(Bytes(sav("Slot")).size(), 200000u);
  expectStillPlayable();
}

TEST_F(SafeWritingTest, ANameTooLongForTheFileSystemIsReportedAndNothingIsWritten) {
  startGame();
  const std::vector<std::string> filesBefore = FilesIn(t.game.path());
  EXPECT_TRUE(saveFails(std::string(300, 'n')));
  EXPECT_EQ(FilesIn(t.game.path()), filesBefore);
  expectStillPlayable();
}

// The longest name the file system takes (255 bytes with ".sav") saves like any other.
TEST_F(SafeWritingTest, ANameAtTheFileSystemsLengthLimitSaves) {
  startGame();
  const std::string longest(251, 'n');
  saveAs(longest);
  EXPECT_TRUE(t.game.exists(longest + ".sav"));
  EXPECT_EQ(ListSavedGames(t.player), std::vector<std::string>{longest});
}

// Root may write into any folder, so the check runs as an unprivileged user in a child
// process when the tests run as root.
TEST_F(SafeWritingTest, AReadOnlyFolderKeepsItsSavedGames) {
  startGame();
  saveAs("Slot");
  const std::string older = Bytes(sav("Slot"));
  const std::string folder = t.game.path();
  ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
  bool failed = false;
  if (::geteuid() != 0) {
    t.queueAnswer(platform::MsgAnswer::Ok);
    failed = saveFails("Slot") && saveFails("Another");
  } else {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
      t.queueAnswer(platform::MsgAnswer::Ok);
      ::_exit(saveFails("Slot") && saveFails("Another") ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_NE(WEXITSTATUS(status), 3) << "cannot become an unprivileged user";
    failed = WEXITSTATUS(status) == 0;
  }
  ::chmod(folder.c_str(), 0755);
  EXPECT_TRUE(failed);
  EXPECT_EQ(Bytes(sav("Slot")), older);
  EXPECT_FALSE(t.game.exists("Another.sav"));
  expectStillPlayable();
}

}  // namespace
}  // namespace tw::test
