// Autosave: the automatic save of the game being played.
//
// The game is saved into its one automatic save (AutosaveFile) when the game window closes
// (Exit, Q, the close button, the end of the session) and every N minutes of play while the
// Options menu's "Autosave" entry is checked. The entry is checked unless the player cleared
// it; the choice and N are remembered per game in the per-user settings (section ProjectId:
// "Autosave" "1"/"0", "AutosaveMinutes", 10 when missing or not a whole number from 1 to 1440).
//
// It never writes in the middle of something: not while a modal box or window is open (the
// save and load windows among them), a script runs, a video plays, a transition animates,
// the inventory bar slides or a load rebuilds the game. A save that falls due then is made
// at the next quiet moment: a one-second timer checks again. At the close only that moment
// counts; a game closed in the middle of something keeps its earlier automatic save.
//
// It never writes when the game disables saving, nor when nothing has changed since the
// game was started, saved or loaded, or last saved automatically: the state is compared as
// the bytes a save of it would hold (without the date), so a game left standing costs
// nothing. The file is written as a player's save is (complete beside the old one, flushed,
// then renamed into place); a failure tells the player nothing and is printed on standard
// error.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Menu.h"
#include "platform/Timer.h"

namespace tw {

class Game;

class Autosave {
 public:
  static constexpr int kDefaultMinutes = 10;
  static constexpr int kCheckMs = 1000;

  explicit Autosave(Game& game);
  Autosave(const Autosave&) = delete;
  Autosave& operator=(const Autosave&) = delete;

  bool enabled() const { return on_; }
  // The Options menu entry: on or off, remembered for the game.
  void setEnabled(bool on);

  // The state as it is now counts as saved (a new game, a save, a load): an automatic save
  // writes only once it has changed.
  void markSaved();
  // The game window closes: a last automatic save when the moment is quiet.
  void atQuit();
  // The game has come to its own end (a hotspot that ends it, a won or lost game): the window
  // closes without an automatic save, so the last one still leads back into the game.
  void gameEnded() { ended_ = true; }
  // The desktop session ends or the program is told to stop: the same, the window still open.
  void saveNow();

  // Whether nothing is going on that a save must not interrupt.
  bool quiet() const;
  // Clock times (platform ms) of the automatic saves this window wrote.
  const std::vector<std::int64_t>& written() const { return written_; }

  platform::MenuItem mnuAutosave;
  platform::Timer TimerAutosave;

 private:
  void TimerAutosave_Timer();
  // Writes the automatic save when saving is allowed and the state changed; true if written.
  bool write();
  std::string settingsValue(const std::string& key);

  Game& game_;
  bool on_ = true;
  bool ended_ = false;
  std::int64_t periodMs_ = kDefaultMinutes * 60000;
  std::int64_t dueAt_ = 0;
  std::string savedState_;  // the bytes of the state last saved or loaded
  std::vector<std::int64_t> written_;
};

}  // namespace tw
