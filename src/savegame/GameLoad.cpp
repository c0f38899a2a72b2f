// The load sequence: a saved game read and checked, then the game rebuilt from a fresh
// reset step by step, with short pauses so the player sees the busy pointer rather than a
// half-built frame.
#include <algorithm>
#include <exception>

#include "common/FieldReader.h"
#include "game/Game.h"
#include "platform/Element.h"
#include "platform/Platform.h"
#include "project/DisplayMode.h"
#include "project/ErrorBoxes.h"
#include "project/Player.h"
#include "project/StartupWindow.h"
#include "savegame/Autosave.h"
#include "savegame/LoadGameWindow.h"
#include "savegame/ResumeLocation.h"
#include "savegame/SavedGameList.h"
#include "savegame/SavedGameState.h"
#include "savegame/SavedGames.h"

namespace tw {

namespace {

void ShowLoadError(Player& player, const std::string& name) {
  ShowStandardError(player, " Unable to load '" + SavedGamePath(player, name) + "'.");
}

}  // namespace

void PauseWithEvents(Player& player, int ms) {
  platform::Platform& p = player.platform();
  p.processEvents();
  const std::int64_t until = p.clockMs() + ms;
  while (p.clockMs() < until && !p.quitRequested()) {
    p.sleepMs(static_cast<int>(std::min<std::int64_t>(10, until - p.clockMs())));
    p.processEvents();
  }
}

bool LoadSavedGame(Player& player, const std::string& name, LoadGameWindow& window,
                   const LoadLink& link) {
  // The whole file first: a file that cannot be read changes nothing.
  SavedGame saved;
  try {
    FieldReader in = FieldReader::Open(player.files, SavedGamePath(player, name));
    saved = ReadSavedGame(in);
  } catch (const std::exception&) {
    ShowLoadError(player, name);
    return false;
  }

  platform::Platform& p = player.platform();
  const ProjectSettings& s = player.settings;
  Game& game = link.gameWindow();
  game.PictureBox.setVisible(false);
  platform::MousePointer busy;
  busy.shape = platform::PointerShape::ArrowHourglass;
  p.setScreenPointer(busy);
  PauseWithEvents(player, kLoadPauseMs);

  const auto recentre = [&game] {
    if (game.isOpen()) game.CenterWindowAndPictureBox();
  };
  if (s.SkipStartupWindow && game.ResolutionOnLoadGame != 0) {
    ChangeDisplayMode(player, game.ResolutionOnLoadGame, recentre);
  } else if (link.startup && link.startup->chkResolution.visible() &&
             link.startup->chkResolution.value() == platform::CheckBox::Checked &&
             s.ResolutionChangeMode == 1) {
    window.window.setVisible(false);
    link.startup->window.setVisible(false);
    ChangeDisplayMode(player, static_cast<std::int16_t>(s.GameResolution + 1), recentre);
  }

  PauseWithEvents(player, kLoadPauseMs);
  game.ResetAll();
  PauseWithEvents(player, kLoadPauseMs);
  try {
    game.variables.LoadVariables();
  } catch (const std::exception&) {
    // The variable list reports its own failure; the saved values still apply to what loaded.
  }
  PauseWithEvents(player, kLoadPauseMs);
  try {
    RestoreSavedGame(game, saved);
  } catch (const std::exception&) {
    ShowLoadError(player, name);
  }

  window.window.setVisible(false);
  PauseWithEvents(player, kLoadPauseMs);
  game.OpenFrame(GetResumeLocation(player, saved.frame), false, 0, 0);
  PauseWithEvents(player, kLoadPauseMs);

  game.PictureBox.setVisible(true);
  if (game.isOpen()) p.showWindow(game.window);
  window.cancelled = false;
  game.savedGames().LoadCancelled = false;
  if (!s.SkipStartupWindow && link.startup) link.startup->window.setVisible(false);
  PauseWithEvents(player, kLoadPauseMs);
  p.setScreenPointer(platform::MousePointer{});
  game.autosave().markSaved();
  return true;
}

void OpenLoadWindowFromStartup(Player& player, const LoadLink& link) {
  LoadGameWindow window(player);
  window.loadGame = [&](const std::string& name) { LoadSavedGame(player, name, window, link); };
  window.LoadSaveGames();
  window.Form_Activate();
  player.platform().runModal(window.window);
}

}  // namespace tw
