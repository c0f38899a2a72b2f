#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/GameProbe.h"
#include "app/GameSession.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/Picture.h"
#include "savegame/AutosaveFile.h"
#include "support/GameFolder.h"
#include "support/ReplayRun.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

void Touch(const std::string& path, std::int64_t seconds) {
  fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::seconds(seconds));
}

TEST(GameProbeTest, TheLibrarySeesTitlePictureAndNewestSaveWithoutPlaying) {
  test::GameFolder copy;
  const std::string game = copy.path() + "demo";
  fs::copy(std::string(TALEWICK_SOURCE_DIR) + "/games/demo", game, fs::copy_options::recursive);
  {
    GameProbe probe(game);
    EXPECT_EQ(probe.title(), "The Lighthouse Keeper's Lamp");
    EXPECT_EQ(probe.projectId(), "LighthouseKeepersLamp");
    const auto picture = probe.picture();
    ASSERT_NE(picture, nullptr);  // the start-up window: 4800 twips wide
    EXPECT_EQ(picture->width(), 320);
  }
  EXPECT_EQ(NewestSave(game, "LighthouseKeepersLamp"), std::nullopt);
  // The newer of the player's newest save and the automatic save, whichever it is.
  copy.write("demo/Old.sav", "x");
  copy.write("demo/Evening.sav", "x");
  copy.write("demo/Autosave.autosave", "x");
  Touch(game + "/Old.sav", 300);
  Touch(game + "/Evening.sav", 100);
  Touch(game + "/Autosave.autosave", 200);
  EXPECT_EQ(NewestSave(game, "LighthouseKeepersLamp")->name, "Evening");
  Touch(game + "/Autosave.autosave", 10);
  EXPECT_EQ(NewestSave(game, "LighthouseKeepersLamp")->name, kAutosaveName);
  // A game that skips the start-up window shows the background of its first frame (the
  // demo's is a colour), and nothing of it runs.
  std::ifstream in(game + "/Config/General", std::ios::binary);
  std::string general((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::size_t group7 = general.find("\r\n0,#FALSE#,#FALSE#\r\n");
  ASSERT_NE(group7, std::string::npos);
  general.replace(group7, 21, "\r\n0,#TRUE#,#FALSE#\r\n");
  copy.write("demo/Config/General", general);
  GameProbe skipping(game);
  const auto background = skipping.picture();
  ASSERT_NE(background, nullptr);
  EXPECT_EQ(background->width(), 640);
  EXPECT_EQ(background->pixel(320, 240) & 0xffffff, 0x101430u);
}

TEST(GameProbeTest, ResumeLoadsTheChosenSaveWithoutTheLoadWindow) {
  test::GameFolder game;
  fs::copy(std::string(TALEWICK_SOURCE_DIR) + "/games/demo", game.path(),
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  const auto saved = test::PlayReplay(game, "start\nclick 320 250\nwait 1100\nsave Evening\n");
  ASSERT_EQ(saved.state["frame"], "Beach") << saved.errors;

  platform::HeadlessPlatform platform;
  GameSession session(platform, game.path());
  ASSERT_TRUE(session.initialize());
  EXPECT_TRUE(session.resume("Evening"));
  ASSERT_TRUE(session.gameWindowOpen());
  EXPECT_EQ(session.player().frame.CurrentFrameName, "Beach");
  EXPECT_TRUE(platform.boxes().empty());
  EXPECT_FALSE(session.resume("Nothing"));  // the standard box, the game as it was
  EXPECT_EQ(session.player().frame.CurrentFrameName, "Beach");
}

}  // namespace
}  // namespace tw
