// Frames whose files are random bytes or cut-off copies of good files: every box the player
// shows is one of its own, nothing crashes, and the game can still go on to a good frame.
#include <random>

#include "frames/GameFixture.h"

namespace tw::test {
namespace {

std::string RandomBytes(std::mt19937& rng, std::size_t size) {
  std::uniform_int_distribution<int> byte(0, 255);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(byte(rng));
  return bytes;
}

std::string Lines(const std::vector<std::string>& fields) {
  std::string text;
  for (const std::string& f : fields) text += f + "\r\n";
  return text;
}

// A good file, cut at a random byte, or with a random byte changed, or random bytes.
std::string Damage(std::mt19937& rng, const std::string& good) {
  switch (std::uniform_int_distribution<int>(0, 2)(rng)) {
    case 0:
      return good.substr(0, std::uniform_int_distribution<std::size_t>(0, good.size())(rng));
    case 1: {
      std::string copy = good;
      if (!copy.empty()) {
        copy[std::uniform_int_distribution<std::size_t>(0, copy.size() - 1)(rng)] =
            static_cast<char>(std::uniform_int_distribution<int>(0, 255)(rng));
      }
      return copy;
    }
    default:
      return RandomBytes(rng, std::uniform_int_distribution<std::size_t>(0, 300)(rng));
  }
}

class DamagedFilesTest : public GameFixture {};

TEST_F(DamagedFilesTest, RandomlyDamagedFramesNeverStopTheGame) {
  WriteSmallGeneral(t.game, "Good", true);
  t.game.writeVariables({"A", "B"});
  WriteFrame(t.game, "Good", {}, 1);
  WriteHotspot(t.game, "Good", 1, {.left = 10, .top = 10, .width = 50, .height = 50});
  WriteAction(t.game, "Good", 1, {.goTo = "Bad"});
  startGame();

  const std::string frameFile = Lines(FrameFields({.timerOn = true, .timerDelay = "0.5",
                                               .timerTarget = "Good"}));
  const std::string action = Lines(ActionFields({.variable = "A", .invert = true,
                                                 .showMessage = true, .message = "hi",
                                                 .goTo = "Good", .listOne = {"B"}}));
  std::mt19937 rng(20261207);
  for (int round = 0; round < 300; ++round) {
    SCOPED_TRACE(round);
    t.game.write("Frames/Bad.fme", Damage(rng, frameFile));
    t.game.write("Frames/Bad.lks", Damage(rng, "2\r\n"));
    t.game.write("Areas/Bad/1a.dat", Damage(rng, "150,150,1500,1500,0,#FALSE#,\"\",0,\"\",1,"
                                                "1,\"A\",1,\"B\"\r\n"));
    t.game.write("Areas/Bad/1b.dat", Damage(rng, action));
    t.game.write("Areas/Bad/2a.dat", Damage(rng, "0,0,60,60,0,#FALSE#,\"\",0,\"\",0,0,0\r\n"));
    t.game.write("Areas/Bad/1c.dat", Damage(rng, "1,\"Thing\",0,0,50\r\n"));
    t.game.write("Areas/Bad/t.lbl", Damage(rng, "\"Text\",100,100,#TRUE#,#FALSE#,\"Arial\",12,"
                                                "#FALSE#,#FALSE#,255\r\n"));
    game->OpenFrame("Bad", false, 0, 0);
    click(20, 20);
    click(20, 20, platform::kRightButton);
    t.platform.advance(600);
    if (!game->isOpen()) {
      // A damaged byte may turn on "end the game": a legitimate end; start a new one.
      game = std::make_unique<Game>(t.player);
      game->ResetAll();
      game->StartNewGame();
    }
    game->OpenFrame("Good", false, 0, 0);
    ASSERT_EQ(frame(), "Good");
    ASSERT_LE(game->FramesHistory.size(), 20u);
  }
  // Every box came from the player's own texts: the standard error box, a missing-file
  // warning or a message of the action.
  for (const auto& box : t.boxes()) {
    const bool known = box.text.find("Error description:") != std::string::npos ||
                       box.text.rfind("The following file is missing:", 0) == 0 ||
                       box.text == t.player.messages[30] || box.icon == platform::MsgIcon::Information;
    EXPECT_TRUE(known) << box.text;
  }
}

}  // namespace
}  // namespace tw::test
