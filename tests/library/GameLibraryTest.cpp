#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "library/GameLibrary.h"
#include "library/GameScan.h"
#include "support/GameFolder.h"

namespace tw::library {
namespace {

namespace fs = std::filesystem;
using test::GameFolder;

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string NoSlash(const std::string& folder) { return folder.substr(0, folder.size() - 1); }

TEST(GameLibraryTest, GamesAreKeptOnceByTheirRealFolderWithTheirHistory) {
  GameFolder home, game, moved;
  fs::create_directory_symlink(NoSlash(game.path()), home.path() + "link");
  const std::string file = home.path() + "data/talewick/library.json";
  GameLibrary games(file);
  EXPECT_TRUE(games.isNew());
  EXPECT_EQ(games.add(game.path(), "Lamp", "LampId", 100), GameLibrary::Added::New);
  // The same game by a link and with a new title: one entry, the title refreshed.
  EXPECT_EQ(games.add(home.path() + "link/", "Lamp 2", "LampId", 200),
            GameLibrary::Added::AlreadyThere);
  EXPECT_TRUE(games.recordPlay(home.path() + "link", 300, 90));
  EXPECT_TRUE(games.recordPlay(game.path(), 400, 30));

  GameLibrary again(file);  // as the next run reads it
  ASSERT_EQ(again.games().size(), 1u);
  const LibraryGame& g = again.games()[0];
  EXPECT_EQ(g.folder, NoSlash(game.path()));
  EXPECT_EQ(g.title, "Lamp 2");
  EXPECT_EQ(g.added, 100);
  EXPECT_EQ(g.lastPlayed, 400);
  EXPECT_EQ(g.secondsPlayed, 120);

  // Moved: the history goes along; onto a folder listed already, the old entry just goes.
  EXPECT_TRUE(again.relocate(game.path(), moved.path(), "Lamp", "LampId"));
  ASSERT_EQ(again.games().size(), 1u);
  EXPECT_EQ(again.games()[0].folder, NoSlash(moved.path()));
  EXPECT_EQ(again.games()[0].secondsPlayed, 120);
  again.add(game.path(), "Other", "OtherId", 500);
  EXPECT_TRUE(again.relocate(moved.path(), game.path(), "Lamp", "LampId"));
  ASSERT_EQ(again.games().size(), 1u);
  EXPECT_EQ(again.games()[0].title, "Other");
  EXPECT_TRUE(again.remove(game.path()));
  EXPECT_TRUE(GameLibrary(file).games().empty());
}

TEST(GameLibraryTest, TwoPlayersAtOnceKeepEachOthersChanges) {
  GameFolder home, a, b;
  const std::string file = home.path() + "library.json";
  GameLibrary first(file), second(file);
  first.add(a.path(), "A", "A", 1);
  second.add(b.path(), "B", "B", 2);
  first.recordPlay(a.path(), 3, 60);
  EXPECT_EQ(GameLibrary(file).games().size(), 2u);
  EXPECT_EQ(GameLibrary(file).find(a.path())->secondsPlayed, 60);
}

TEST(GameLibraryTest, ADamagedListIsKeptAsideAndTheLibraryStartsEmpty) {
  const std::vector<std::string> damaged = {
      "",
      "not json",
      "{\"games\": [",
      "[]",
      "{\"format\": 1}",
      "{\"games\": 5}",
      "{\"games\": [{\"title\": \"no folder\"}]}",
      "{\"games\": [{\"folder\": 7}]}",
      "{\"games\": [{\"folder\": \"relative/path\"}]}",
      "{\"games\": [{\"folder\": \"/a\", \"seconds_played\": \"long\"}]}",
      std::string("\xff\xfe\x00\x01", 4),
  };
  for (const std::string& bytes : damaged) {
    SCOPED_TRACE(bytes);
    GameFolder home, game;
    const std::string file = home.path() + "library.json";
    home.write("library.json", bytes);
    GameLibrary games(file);
    EXPECT_TRUE(games.games().empty());
    EXPECT_NE(games.lastProblem().find("library.json.bak"), std::string::npos);
    EXPECT_EQ(Read(file + ".bak"), bytes);
    // The library goes on: the next game is kept in a new, sound list.
    EXPECT_EQ(games.add(game.path(), "Lamp", "Id", 1), GameLibrary::Added::New);
    EXPECT_EQ(GameLibrary(file).games().size(), 1u);
    EXPECT_EQ(Read(file + ".bak"), bytes);
  }
}

TEST(GameLibraryTest, AListThatCannotBeReadIsNeverWrittenOver) {
  GameFolder home, game;
  fs::create_directories(home.path() + "library.json/inside");
  GameLibrary games(home.path() + "library.json");
  EXPECT_FALSE(games.lastProblem().empty());
  EXPECT_EQ(games.add(game.path(), "Lamp", "Id", 1), GameLibrary::Added::NotSaved);
  EXPECT_TRUE(fs::is_directory(home.path() + "library.json/inside"));
  EXPECT_EQ(GameLibrary("").add(game.path(), "Lamp", "Id", 1), GameLibrary::Added::NotSaved);
}

TEST(GameLibraryTest, AScanFindsEachGameOnceWithinItsDepthAndCanBeStopped) {
  GameFolder root;
  for (const char* game : {"a/One", "a/b/Two", "Three", "Three/Frames/Nested", "1/2/3/4/Deep"}) {
    root.write(std::string(game) + "/Config/General", "\"x\"\r\n");
  }
  fs::create_directory_symlink(root.path() + "a", root.path() + "a/b/loop");
  fs::create_directory_symlink(root.path() + "Three", root.path() + "again");
  const auto isGame = [](const std::string& f) { return fs::exists(f + "/Config/General"); };
  const std::string base = NoSlash(root.path());
  std::vector<std::string> seen;
  const auto found = ScanForGames(root.path(), 3, isGame, [&](const ScanProgress& p) {
    seen.push_back(p.folder);
    return true;
  });
  // Not the game inside a game, not the one four folders down, "Three" once.
  EXPECT_EQ(found, (std::vector<std::string>{base + "/Three", base + "/a/One", base + "/a/b/Two"}));
  EXPECT_EQ(ScanForGames(root.path(), 5, isGame, nullptr).size(), 4u);
  int calls = 0;
  const auto stopped = ScanForGames(root.path(), 3, isGame, [&](const ScanProgress& p) {
    return ++calls < 3 && p.gamesFound == 0;
  });
  EXPECT_LT(stopped.size(), found.size());
  EXPECT_LE(calls, 3);
}

}  // namespace
}  // namespace tw::library
