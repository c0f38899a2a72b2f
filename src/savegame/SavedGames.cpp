// Opening the save and load windows around the frame timer, and writing a saved game.
#include "savegame/SavedGames.h"

#include <exception>

#include "game/Game.h"
#include "platform/Platform.h"
#include "project/Player.h"
#include "savegame/Autosave.h"
#include "savegame/LoadGameWindow.h"
#include "savegame/SaveGameWindow.h"
#include "savegame/SavedGameList.h"
#include "savegame/SavedGamePicture.h"
#include "savegame/SavedGameState.h"
#include "scripting/ScriptHost.h"

namespace tw {

SavedGames::SavedGames(Game& game) : game_(game) {}

SavedGames::~SavedGames() = default;

bool SavedGames::ScriptTimerRunning() const {
  // Loading would pull the frame away under a running script timer.
  if (!game_.scripts) return false;
  for (int k : game_.scripts->TimerObject.indexes()) {
    if (k != 0 && game_.scripts->TimerObject[k].running()) return true;
  }
  return false;
}

void SavedGames::ShowSaveGameWindow() {
  if (save_ || load_) return;  // a window is already open (a script asking from behind it)
  Player& player = game_.player();
  const bool timerWasOn = game_.Timer1.enabled();
  game_.Timer1.setEnabled(false);
  moment_ = CaptureGameArea(game_);  // before the window is there to be seen
  save_ = std::make_unique<SaveGameWindow>(player);
  save_->saveGame = [this](const std::string& name) { return SaveGame(name); };
  save_->setMoment(moment_);
  save_->LoadSaveGames();
  save_->Form_Activate();
  player.platform().runModal(save_->window);
  save_.reset();
  moment_.reset();
  if (game_.isOpen()) game_.Timer1.setEnabled(timerWasOn);
}

void SavedGames::ShowLoadGameWindow(bool bAbortIfATimerIsEnabled) {
  if (bAbortIfATimerIsEnabled && ScriptTimerRunning()) return;
  if (save_ || load_) return;
  Player& player = game_.player();
  const bool timerWasOn = game_.Timer1.enabled();
  game_.Timer1.setEnabled(false);
  LoadCancelled = false;
  load_ = std::make_unique<LoadGameWindow>(player);
  const LoadLink link{[this]() -> Game& { return game_; }, startup_};
  load_->loadGame = [this, link, &player](const std::string& name) {
    LoadSavedGame(player, name, *load_, link);
  };
  load_->LoadSaveGames();
  load_->Form_Activate();
  player.platform().runModal(load_->window);
  LoadCancelled = load_->cancelled;
  load_.reset();
  // After a load the new frame has set the timer its own way.
  if (LoadCancelled && game_.isOpen()) game_.Timer1.setEnabled(timerWasOn);
}

bool SavedGames::SaveGame(const std::string& name) {
  Player& player = game_.player();
  const std::string path = SaveDestination(player, name);
  try {
    const SavedGameStamp stamp{player.settings.ProjectId, player.settings.GameTitle,
                               TodaySaveDate()};
    WriteSavedGame(CaptureSavedGame(game_), stamp).saveTo(path);
    game_.autosave().markSaved();
  } catch (const std::exception&) {
    const MessageTable& m = player.messages;
    player.platform().messageBox(platform::MakeBox(
        m[29],
        m[30] + "\r\n\r\n" + m[31] + " Unable to save '" + path +
            "'.\r\nVerify that this file is not Read-Only and that it does not contain any of "
            "the following characters: \" \\ / : * ? < > | ,",
        platform::MsgIcon::Error, platform::MsgButtons::Ok));
    return false;
  }
  const auto picture = moment_ ? moment_ : CaptureGameArea(game_);
  WriteSavedGamePicture(player, path, picture.get());
  return true;
}

}  // namespace tw
