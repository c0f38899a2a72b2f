// Clicks and pointer moves on the game area: hotspots run their actions, the background and
// the texts manage the menu bar, and any click stops a video or a transition.
#include <cmath>

#include "game/Game.h"
#include "platform/Platform.h"
#include "savegame/Autosave.h"

namespace tw {

namespace {

// Pixels from twips, to the nearest 16-bit integer with halves to even.
std::int16_t PixelsRoundedToEven(double twips) {
  const double pixels = std::nearbyint(twips / 15.0);  // the default rounding mode is to even
  return vbs::Variant::fromDouble(pixels).toInteger();
}

constexpr int kPauseAfterClickMs = 100;

}  // namespace

void Game::SaveClickPos(double sglLeft, double sglTop) {
  LastClickX = PixelsRoundedToEven(sglLeft);
  LastClickY = PixelsRoundedToEven(sglTop);
}

void Game::AreaClick(std::int16_t AreaIndex, int Button) {
  if (player_.GameStopped) return;
  StopMovie = true;
  SkipRequested = true;
  if (IsVideoPlaying() || InventoryMoving) return;

  if (Button == platform::kRightButton) {
    RightClickMenus();
    return;
  }
  if (MenuOpen) {
    HideMenus();
    return;
  }
  HideMenus();
  PickOrNotPickObject(AreaIndex);
  FadeSoundChannels(1);
  const std::int16_t result = MakeAction(AreaIndex, 0);

  if (result != kActionFrameOpened) ShowOrNotShowAreas();
  CutSceneArea.setVisible(false);
  StopVideo();
  if (result == kActionEndGame) {
    autosave().gameEnded();
    Form_Unload();
  }
}

void Game::Area_MouseDown(int Index, const platform::MouseEvent& e) {
  if (!Area.exists(Index)) return;
  platform::Image& area = Area[Index];
  if (InventoryMoving && InventoryDirection == 2 && !InventoryHeldOpen) {
    // The bar is sliding away because the pointer came back into the game, as it does right
    // after an item is dropped (a drag raises no pointer moves, so the bar stayed open till
    // then). A click now is meant for the game: it acts once the bar is out of the way.
    clickAfterBarCloses_ = HeldClick{Index, e.button, area.left() + e.x, area.top() + e.y};
    return;
  }
  ClickArea(Index, e.button, area.left() + e.x, area.top() + e.y);
}

void Game::RunClickHeldForTheBar() {
  const std::optional<HeldClick> held = clickAfterBarCloses_;
  clickAfterBarCloses_.reset();
  if (!held || !isOpen() || !Area.exists(held->area)) return;
  // Only once the bar has closed: a pointer that went back to the bar cancels the click.
  if (Inventory1.top() > -Inventory1.height()) return;
  ClickArea(held->area, held->button, held->left, held->top);
}

void Game::ClickArea(int Index, int button, int left, int top) {
  SaveClickPos(left, top);
  AreaClick(static_cast<std::int16_t>(Index), button);
  // A short pause keeps a double click from running the action of whatever lies under the
  // pointer in the new frame.
  const std::int64_t until = platform().clockMs() + kPauseAfterClickMs;
  while (platform().clockMs() < until && isOpen()) platform().processEvents();
  window.setPointer(platform::MousePointer{});
}

void Game::Background_MouseDown(const platform::MouseEvent& e) {
  StopMovie = true;
  SkipRequested = true;
  if (IsVideoPlaying()) return;
  picWhere_MouseDown(e);
}

void Game::picWhere_MouseDown(const platform::MouseEvent& e) {
  if (e.button == platform::kRightButton) {
    RightClickMenus();
  } else {
    HideMenus();
  }
}

void Game::RightClickMenus() {
  // A right click shows the menu bar, or hides it unless a menu is pulled down.
  if (!mnuExit.visible()) {
    ShowMenus();
  } else if (!MenuOpen) {
    HideMenus();
  }
}

void Game::GameArea_MouseMove() {
  InventoryDirection = 2;  // close
  if (!InventoryMoving && player_.settings.UseInventoryBar) {
    Inventory_Move();
    RunClickHeldForTheBar();
  }
}

}  // namespace tw
