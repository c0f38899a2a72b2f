// GameSession: one run of the player on one game folder.
//
// It does what the start-up window does around the main window: initialise the project,
// start a new game in a fresh main window (reset, new game, show), and take the main window
// back when it closes — the program ends there when the game skips the start-up window,
// otherwise the start-up window is back and another game can be started.
#pragma once

#include <memory>
#include <string>

#include "game/Game.h"
#include "project/Player.h"

namespace tw {

class GameSession {
 public:
  GameSession(platform::Platform& platform, const std::string& gameFolder);

  // InitializeProject; false when the program must end at once.
  bool initialize();
  // The start-up window's Start button.
  void start();

  Player& player() { return player_; }
  // The main window, while one exists.
  Game* game() { return game_.get(); }
  // The open main window, else the one that closed last (its state stays readable).
  Game* lastGame() { return game_ ? game_.get() : closedGame_.get(); }
  bool gameWindowOpen() const { return game_ && game_->isOpen(); }
  bool programEnded() const { return ended_; }

 private:
  void gameClosed();

  Player player_;
  std::unique_ptr<Game> game_;
  // A closed main window is kept until the next start: its handlers may still be running.
  std::unique_ptr<Game> closedGame_;
  bool ended_ = false;
};

}  // namespace tw
