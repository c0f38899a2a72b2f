// A game window on the headless back end over a temporary game folder.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "game/Game.h"
#include "support/GameBuilder.h"
#include "support/TestPlayer.h"

namespace tw::test {

class GameFixture : public ::testing::Test {
 protected:
  // Initialises the project (write "General" and the frames first) and starts a new game.
  void startGame() {
    ASSERT_TRUE(t.initialize());
    game = std::make_unique<Game>(t.player);
    game->ResetAll();
    game->StartNewGame();
  }
  void click(int x, int y, int button = platform::kLeftButton) {
    const int wx = game->PictureBox.left() + x * 15;
    const int wy = game->PictureBox.top() + y * 15;
    game->window.dispatchMouseDown(button, 0, wx, wy);
    game->window.dispatchMouseUp(button, 0, wx, wy);
  }
  const std::string& frame() const { return t.player.frame.CurrentFrameName; }
  std::vector<std::string> boxTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : t.boxes()) texts.push_back(box.text);
    return texts;
  }
  std::int16_t value(const std::string& name) const {
    return game->variables.GetVariableValue(name);
  }

  TestPlayer t;
  std::unique_ptr<Game> game;
};

}  // namespace tw::test
