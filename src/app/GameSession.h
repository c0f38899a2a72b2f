// GameSession: one run of the player on one game folder.
//
// The start-up window comes first: it initialises the project and offers Start, Load and
// Exit. Start creates a fresh main window, resets it, starts a new game and shows it. When
// the main window closes, the start-up window comes back — or, when the game skips the
// start-up window, the program ends. Closing the start-up window ends the program.
#pragma once

#include <memory>
#include <string>

#include "game/Game.h"
#include "multicd/MultiCd.h"
#include "project/Player.h"
#include "project/StartupWindow.h"

namespace tw {

class GameSession {
 public:
  GameSession(platform::Platform& platform, const std::string& gameFolder);
  ~GameSession();

  // The start-up window's load; false when the program must end at once.
  bool initialize();
  // The start-up window's Start button.
  void start();
  // Plays on from the saved game `name` (kAutosaveName: the automatic save) at once, as the
  // load window's LOAD would; false when it could not be read (the error box was shown).
  bool resume(const std::string& name);
  // The desktop session is ending (or the program was told to stop): the game being played
  // is saved automatically; with programEnds the program then ends.
  void sessionEnding(bool programEnds);

  Player& player() { return player_; }
  MultiCd& multiCd() { return multiCd_; }
  StartupWindow& startupWindow() { return startup_; }
  // The main window, while one is open.
  Game* game() { return gameWindowOpen() ? game_.get() : nullptr; }
  // The open main window, else the one that closed last (its state stays readable).
  Game* lastGame() { return game_.get(); }
  bool gameWindowOpen() const { return game_ && game_->isOpen(); }
  bool programEnded() const { return ended_; }

 private:
  void startGame();
  // A fresh main window, not shown (a new game or a saved game fills it first).
  Game& newGameWindow();
  // The open main window, or a new hidden one for a saved game loaded from the start-up window.
  Game& gameForLoad();
  void gameClosed();
  void endProgram();

  Player player_;
  StartupWindow startup_;
  std::unique_ptr<Game> game_;
  // A closed main window lives on until the next start: its handlers may still be running.
  std::unique_ptr<Game> closedGame_;
  bool ended_ = false;
  // Finds files on the game's CDs for LocateDataFile, asking for a disc when needed.
  MultiCd multiCd_{player_, [this] { return game(); }};
};

}  // namespace tw
