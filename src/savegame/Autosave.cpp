#include "savegame/Autosave.h"

#include <exception>
#include <iostream>

#include "game/Game.h"
#include "platform/Platform.h"
#include "platform/Settings.h"
#include "savegame/AutosaveFile.h"
#include "savegame/SavedGamePicture.h"
#include "savegame/SavedGameState.h"
#include "savegame/SavedGames.h"
#include "scripting/ScriptHost.h"
#include "vbscript/VbError.h"

namespace tw {

namespace {

std::string Describe(const std::exception& e) {
  if (const auto* vb = dynamic_cast<const vbs::VbError*>(&e)) return vb->description();
  return e.what();
}

int MinutesFrom(const std::string& text) {
  try {
    std::size_t used = 0;
    const int minutes = std::stoi(text, &used);
    if (used == text.size() && minutes >= 1 && minutes <= 1440) return minutes;
  } catch (const std::exception&) {
  }
  return Autosave::kDefaultMinutes;
}

}  // namespace

Autosave::Autosave(Game& game)
    : mnuAutosave("mnuAutosave", "Autosave"),
      TimerAutosave(game.platform().timers(), "TimerAutosave"),
      game_(game) {
  on_ = settingsValue("Autosave") != "0";
  periodMs_ = static_cast<std::int64_t>(MinutesFrom(settingsValue("AutosaveMinutes"))) * 60000;
  dueAt_ = game_.platform().clockMs() + periodMs_;
  game_.mnuOptions.add(mnuAutosave);
  mnuAutosave.setCheckable(true);
  mnuAutosave.setChecked(on_);
  mnuAutosave.onClick = [this](platform::MenuItem&) { setEnabled(!on_); };
  TimerAutosave.onTimer = [this](platform::Timer&) { TimerAutosave_Timer(); };
  TimerAutosave.setInterval(kCheckMs);
  TimerAutosave.setEnabled(on_);
}

std::string Autosave::settingsValue(const std::string& key) {
  try {
    return game_.platform().settings().get(game_.player().settings.ProjectId, key, "");
  } catch (const std::exception&) {
    return "";
  }
}

void Autosave::setEnabled(bool on) {
  on_ = on;
  mnuAutosave.setChecked(on);
  try {
    game_.platform().settings().save(game_.player().settings.ProjectId, "Autosave", on ? "1" : "0");
  } catch (const std::exception&) {
    // Not remembered: the choice still holds for this run.
  }
  dueAt_ = game_.platform().clockMs() + periodMs_;
  TimerAutosave.setEnabled(on && game_.isOpen());
}

void Autosave::markSaved() {
  try {
    savedState_ = WriteSavedGame(CaptureSavedGame(game_), SavedGameStamp{}).text();
  } catch (const std::exception&) {
    savedState_.clear();  // a state that cannot be saved never matches
  }
}

bool Autosave::quiet() const {
  Game& game = game_;
  if (game.platform().modalOpen() > 0) return false;
  const SavedGames& saves = game.savedGames();
  if (saves.saveWindow() || saves.loadWindow()) return false;
  if (game.scripts && game.scripts->depth() > 0) return false;
  if (game.TransitionRunning() || game.InventoryMoving) return false;
  if (game.IsVideoPlaying()) return false;
  // A load hides the game area while it rebuilds the game.
  return game.PictureBox.visible();
}

void Autosave::TimerAutosave_Timer() {
  if (!on_ || !game_.isOpen()) {
    TimerAutosave.setEnabled(false);
    return;
  }
  if (game_.platform().clockMs() < dueAt_ || !quiet()) return;
  dueAt_ = game_.platform().clockMs() + periodMs_;
  write();
}

void Autosave::atQuit() {
  TimerAutosave.setEnabled(false);
  if (!ended_) saveNow();
}

void Autosave::saveNow() {
  if (on_ && quiet()) write();
}

bool Autosave::write() {
  Player& player = game_.player();
  if (player.settings.DisableSaveGame) return false;
  std::string path;
  try {
    const SavedGame content = CaptureSavedGame(game_);
    std::string state = WriteSavedGame(content, SavedGameStamp{}).text();
    if (state == savedState_) return false;
    const SavedGameStamp stamp{player.settings.ProjectId, player.settings.GameTitle,
                               TodaySaveDate()};
    path = AutosaveDestination(player);
    WriteSavedGame(content, stamp).saveTo(path);
    savedState_ = std::move(state);
    WriteSavedGamePicture(player, path, CaptureGameArea(game_).get());
  } catch (const std::exception& e) {
    std::cerr << "talewick-player: the automatic save"
              << (path.empty() ? std::string() : " \"" + path + "\"")
              << " could not be written: " << Describe(e) << "\n";
    return false;
  }
  written_.push_back(game_.platform().clockMs());
  return true;
}

}  // namespace tw
