// SavedGames: saving and loading for one game window — the operations the menu items, the
// S key, the start-up window and the script host call, and the little state they keep.
//
// Entry points:
//   ShowSaveGameWindow()      the save menu item, the S key, Action.PopupSaveGame
//   ShowLoadGameWindow(b)     the load menu item (false), Action.PopupLoadGame (true)
//   OpenLoadWindowFromStartup the start-up window's Load button (no game window yet)
// Both windows are modal; the frame timer is paused while they are open and gets its state
// back when they close without a load (a loaded frame sets its own timer).
//
// Saving writes the whole file beside the old one and renames it into place only when it is
// complete and flushed (FieldWriter::saveTo), so a failed or interrupted save never costs
// the player an older saved game of the same name. A game folder that cannot be written
// sends its saves to the user's own folder for the game (SaveLocations).
//
// Each save keeps a picture of the game area beside it (SavedGamePicture), taken when the
// save is asked for, before the save window covers anything, and written only once the
// saved game is.
//
// Loading reads and checks the whole file before it touches the game: a damaged file gives
// the error box and leaves the running game exactly as it was. Only then does the load
// sequence run (game area hidden, pointer busy, the pauses, the display mode, the reset,
// the restore, the resume frame), always ending with the game shown again.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "savegame/SavedGameFile.h"

namespace tw {

namespace platform {
class Picture;
}

class Game;
class LoadGameWindow;
class Player;
class SaveGameWindow;
class StartupWindow;

// What a load needs from the program around the game window.
struct LoadLink {
  // The game window, created hidden when none is open.
  std::function<Game&()> gameWindow;
  // The start-up window, when the program shows one.
  StartupWindow* startup = nullptr;
};

// The pause between the steps of a load, milliseconds.
inline constexpr int kLoadPauseMs = 300;

class SavedGames {
 public:
  explicit SavedGames(Game& game);
  ~SavedGames();
  SavedGames(const SavedGames&) = delete;
  SavedGames& operator=(const SavedGames&) = delete;

  void ShowSaveGameWindow();
  void ShowLoadGameWindow(bool bAbortIfATimerIsEnabled);

  // Whether a script timer (an element of TimerObject) is enabled with an interval above
  // 0. The script host has no timer objects yet, so none ever runs.
  bool ScriptTimerRunning() const;

  // Writes the saved game `name` from the current state, with the picture taken when the
  // save window opened (else the game area as it is now); false after the error box.
  bool SaveGame(const std::string& name);

  // The start-up window the loads of this game hide (the session sets it).
  void setStartupWindow(StartupWindow* startup) { startup_ = startup; }

  // The last load window was closed by its Cancel button.
  bool LoadCancelled = false;

  // The window open at the moment (for the replay runner and tests); nullptr when none.
  SaveGameWindow* saveWindow() const { return save_.get(); }
  LoadGameWindow* loadWindow() const { return load_.get(); }

 private:
  Game& game_;
  StartupWindow* startup_ = nullptr;
  std::unique_ptr<SaveGameWindow> save_;
  std::unique_ptr<LoadGameWindow> load_;
  std::shared_ptr<const platform::Picture> moment_;  // while the save window is open
};

// Restores the saved game `name` (the LOAD button). False when the file could not be read;
// the error box was shown and nothing changed. The load window is hidden on success.
bool LoadSavedGame(Player& player, const std::string& name, LoadGameWindow& window,
                   const LoadLink& link);

// The start-up window's Load button: fills the list and shows the load window modally.
void OpenLoadWindowFromStartup(Player& player, const LoadLink& link);

// Lets pending events run, then pauses for ms on the platform clock, handling events
// meanwhile.
void PauseWithEvents(Player& player, int ms);

}  // namespace tw
