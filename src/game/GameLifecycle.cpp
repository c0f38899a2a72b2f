// The main window's life: reset, new game, size and position, menus, keys, closing.
#include <exception>

#include "common/FileResolver.h"
#include "game/Game.h"
#include "game/PlayerOptions.h"
#include "platform/Platform.h"
#include "platform/Settings.h"
#include "project/DataFileLocator.h"
#include "project/DisplayChecks.h"
#include "project/DisplayMode.h"
#include "project/ErrorBoxes.h"
#include "savegame/Autosave.h"
#include "savegame/SavedGames.h"
#include "scripting/ScriptHost.h"
#include "vbscript/VbError.h"

namespace tw {

namespace {

constexpr int kKeyEscape = 27;
constexpr int kKeyS = 83;
constexpr int kKeyQ = 81;

// Sizes in twips were 16-bit products in the original window code: a game area above 2184
// pixels overflows, and the reset reports it instead of laying out a broken window.
std::int16_t Twips16(std::int16_t pixels) {
  const int product = static_cast<int>(pixels) * 15;
  if (product < INT16_MIN || product > INT16_MAX) throw vbs::VbError(vbs::err::kOverflow);
  return static_cast<std::int16_t>(product);
}

bool SettingIsTrue(const std::string& value) {
  if (value.empty()) return false;
  if (value == "True" || value == "true" || value == "TRUE") return true;
  try {
    return std::stod(value) != 0;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

void Game::ResetAll() {
  try {
    // 1-4: timers, variables, items, history.
    Timer1.setEnabled(false);
    Timer1.setInterval(0);
    TimerRipplingWater.setEnabled(false);
    scripts->unloadTimers();
    variables.Clear();
    PickedObject.unloadAll();
    ObjectsCount = 0;
    FramesHistory.clear();
    // 5-10: colours, flags, video, effects.
    window.setBackColour(platform::kBlack);
    PictureBox.setBackColour(platform::kBlack);
    ResolutionOnLoadGame = 0;
    ControlsReferencesMode = 0;
    AudioWarningShown = false;
    TransitionErrorShown = false;
    CutSceneArea.setVisible(false);
    StopVideo();
    StopMovie = true;
    SkipRequested = true;
    StopRipplingWater();
    HideTransitionPictures();
    player_.GameStopped = false;
    // 11-13: layout and the message bar, in the display mode the player chose last.
    playerOptions_->apply();
    CenterWindowAndPictureBox();
    BackImage.move(0, 0, Twips16(player_.settings.GameWidth), Twips16(player_.settings.GameHeight));
    LabelMessageBox.setAutoSize(true);
    LabelMessageBox.setVisible(false);
    FrameMessageBox.setVisible(false);
    // 14: the game's pointer everywhere, the screen's own pointer back to normal.
    SetDefaultPointer(PictureBox);
    SetDefaultPointer(BackImage);
    for (int i : Area.indexes()) SetDefaultPointer(Area[i]);
    for (int i : Text.indexes()) SetDefaultPointer(Text[i]);
    SetDefaultPointer(CutSceneArea);
    SetDefaultPointer(FrameMessageBox);
    SetDefaultPointer(LabelMessageBox);
    for (int i : PickedObject.indexes()) SetDefaultPointer(PickedObject[i]);
    SetDefaultPointer(Inventory1);
    SetDefaultPointer(Inventory2);
    SetDefaultPointer(Inventory_Background);
    platform().setScreenPointer(platform::MousePointer{});
    // 15
    ResetInventory();
  } catch (const std::exception&) {
    ShowStandardError(player_, " Unable to initialize the program.");
    return;
  }

  // 17-18: the Debug menu's frame list.
  try {
    mnuFrameName.unloadAll();
    const std::vector<std::string> frames =
        player_.files.list(player_.folders.FramesFolder, "*.fme");
    for (std::size_t i = 0; i < frames.size(); ++i) {
      if (frames[i].size() <= 4) continue;
      platform::MenuItem& item = mnuFrameName.load(static_cast<int>(i) + 1);
      item.setVisible(true);
      item.setCaption(frames[i].substr(0, frames[i].size() - 4));
    }
  } catch (const std::exception&) {
  }
  // 19-21: procedures, option check marks, sound players.
  try {
    LoadProcedures();
  } catch (const std::exception&) {
  }
  try {
    platform::Settings& settings = platform().settings();
    const std::string& id = player_.settings.ProjectId;
    mnuDisableTransitions.setChecked(SettingIsTrue(settings.get(id, "DisableTransitions", "")));
    mnuDisableEffects.setChecked(SettingIsTrue(settings.get(id, "DisableEffects", "")));
  } catch (const std::exception&) {
  }
  try {
    StopAllPlayers();
  } catch (const std::exception&) {
  }
}

void Game::StartNewGame() {
  variables.LoadVariables();
  OpenFrame(player_.settings.StartFrame, false, 0, 0);
  // A game just begun has nothing worth an automatic save over the last one.
  autosave_->markSaved();
}

void Game::CenterWindowAndPictureBox() {
  const ProjectSettings& s = player_.settings;
  platform::Platform& p = platform();
  const std::int32_t screenWidth = ScreenWidthTwips(p);
  const std::int32_t screenHeight = ScreenHeightTwips(p);
  if (WindowedNow()) {
    ShowMenus();
    window.setCaption(s.GameTitle + " ");
    window.setWindowed(true);
    const int frameW = window.width() - window.scaleWidth();
    const int frameH = window.height() - window.scaleHeight();
    window.setHeight(frameH + Twips16(s.GameHeight));
    window.setWidth(frameW + Twips16(s.GameWidth));
  } else {
    window.setCaption("");
    // No caption on screen, but the task bar and the window switcher still name the game.
    window.setTaskTitle(s.GameTitle);
    window.setWindowed(false);
    HideMenus();
    window.setHeight(screenHeight);
    window.setWidth(screenWidth);
  }
  window.setTop(screenHeight / 2 - window.height() / 2);
  window.setLeft(screenWidth / 2 - window.width() / 2);

  PictureBox.setWidth(Twips16(s.GameWidth));
  PictureBox.setHeight(Twips16(s.GameHeight));
  PictureBox.setLeft(window.scaleWidth() / 2 - PictureBox.width() / 2);
  PictureBox.setTop(ClampToZero(window.scaleHeight() / 2 - PictureBox.height() / 2));
  // Full screen fills the real screen with the game area, not with the margins around it.
  window.setFullScreenArea(
      platform::Rect{PictureBox.left(), PictureBox.top(), PictureBox.width(), PictureBox.height()});
}

bool Game::WindowedNow() const {
  return player_.settings.WindowedMode || (playerOptions_ && playerOptions_->windowedForPlayer());
}

void Game::ShowMenus() {
  const ProjectSettings& s = player_.settings;
  mnuExit.setVisible(true);
  mnuSaveGame.setVisible(!s.DisableSaveGame);
  mnuLoadGame.setVisible(!s.DisableLoadGame);
  if (s.HideTransitionsOption && s.HideEffectsOption) {
    mnuOptions.setVisible(false);
  } else {
    mnuOptions.setVisible(true);
    mnuDisableTransitions.setVisible(!s.HideTransitionsOption);
    mnuDisableEffects.setVisible(!s.HideEffectsOption);
  }
  mnuDebug.setVisible(false);
  MenuOpen = false;
}

void Game::HideMenus() {
  // Cleared in a window too, where the menu bar itself stays: otherwise every click after
  // the first pulled-down menu would be taken for the one that dismisses it, for good.
  MenuOpen = false;
  if (WindowedNow() || player_.GameStopped) return;
  for (platform::MenuItem* item : {&mnuExit, &mnuSaveGame, &mnuLoadGame, &mnuOptions, &mnuDebug}) {
    if (item->visible()) item->setVisible(false);
  }
}

void Game::Form_KeyDown(int KeyCode, int /*Shift*/) {
  SkipRequested = true;
  if (KeyCode == kKeyEscape) {
    if (!IsVideoPlaying() && !TransitionRunning()) {
      if (mnuExit.visible()) {
        HideMenus();
      } else {
        ShowMenus();
      }
    }
    StopMovie = true;
    SkipRequested = true;
  } else if (KeyCode == kKeyS) {
    // As the save menu item, and like it not offered when the game disables saving.
    if (!player_.settings.DisableSaveGame) savedGames_->ShowSaveGameWindow();
  } else if (KeyCode == kKeyQ) {
    mnuExit_Click();
  }

  // The Debug menu appears after its four keys in a row; any other key starts over.
  if (KeyCode == kDebugKeys[DebugKeyStep]) {
    ++DebugKeyStep;
    if (DebugKeyStep == 4) {
      DebugKeyStep = 0;
      mnuDebug.setVisible(true);
    }
  } else {
    DebugKeyStep = 0;
  }
}

void Game::mnuExit_Click() {
  const platform::MsgAnswer answer = platform().messageBox(
      platform::MakeBox(player_.settings.GameTitle, player_.messages[10],
                        platform::MsgIcon::Question, platform::MsgButtons::YesNo));
  if (answer != platform::MsgAnswer::Yes) return;
  StopMovie = true;
  SkipRequested = true;
  TimerRipplingWater.setEnabled(false);
  TimerUnloadMe.setInterval(100);
  TimerUnloadMe.setEnabled(true);
}

void Game::TimerUnloadMe_Timer() {
  TimerUnloadMe.setEnabled(false);
  Form_Unload();
}

void Game::Form_Unload() {
  if (!open_) return;
  // While the game is still whole: nothing has been stopped or hidden yet.
  autosave_->atQuit();
  open_ = false;
  window.setVisible(false);
  platform().processEvents();
  StopAllActivity();
  scripts->stopTimers();
  try {
    RemoveAnimatedPictures();
  } catch (const std::exception&) {
  }
  try {
    RestoreDisplayAtExit(player_);
  } catch (const std::exception&) {
  }
  if (onUnloaded) onUnloaded();
}

}  // namespace tw
