// The inventory bar: laid out by the window's reset, sliding down from above the game area
// when the pointer reaches the button or the bar and back up when it returns to the game,
// held open for 2 s after a pick-up.
//
// The slide is timed, not counted: every fifth pass the step is set from the time since the
// last measure, so the bar covers its height in about 0.3 s on any machine. Window events run
// between passes, so the pointer can reverse a slide half-way.
#include <algorithm>
#include <cmath>
#include <exception>
#include <optional>

#include "common/TextEncoding.h"
#include "game/Game.h"
#include "inventory/InventoryLayout.h"
#include "platform/Canvas.h"
#include "platform/Picture.h"
#include "platform/Platform.h"
#include "project/DataFileLocator.h"

namespace tw {

namespace {

constexpr int kTwips = 15;

// The pointer rests on the bar, its button or an icon on it: where the last mouse event or
// drop of the game window was, the bar is now.
bool PointerOnTheBar(Game& game) {
  const std::optional<platform::Point>& at = game.window.lastPointer();
  if (!at) return false;
  for (const platform::Element* e = &game.window.targetAt(at->x, at->y); e; e = e->parent()) {
    if (e == &game.Inventory1 || e == &game.Inventory2) return true;
  }
  return false;
}

bool NamesAPicture(const std::string& name) {
  return !name.empty() && !EqualsNoCase(name, "default");
}

// The button's own picture: a small chest, drawn here so the player needs no files of its own.
std::shared_ptr<const platform::Picture> BuiltInButtonPicture() {
  platform::Canvas canvas;
  canvas.resize(32, 32);
  canvas.fill(platform::ColourFromRgb(40, 32, 24));
  canvas.fillRect(3, 9, 26, 19, platform::ColourFromRgb(120, 72, 30));   // body
  canvas.fillRect(3, 9, 26, 6, platform::ColourFromRgb(150, 94, 42));    // lid
  canvas.fillRect(3, 15, 26, 2, platform::ColourFromRgb(70, 40, 16));    // seam
  canvas.fillRect(14, 13, 4, 6, platform::ColourFromRgb(230, 190, 60));  // lock
  canvas.fillRect(3, 9, 2, 19, platform::ColourFromRgb(230, 190, 60));   // bands
  canvas.fillRect(27, 9, 2, 19, platform::ColourFromRgb(230, 190, 60));
  return canvas.toPicture();
}

}  // namespace

void Game::ResetInventory() {
  const ProjectSettings& s = player_.settings;
  TimerInventory.setEnabled(false);
  InventoryHeldOpen = false;
  InventoryMoving = false;
  InventoryDirection = 0;
  clickAfterBarCloses_.reset();
  if (!Inventory2.picture()) Inventory2.setPicture(BuiltInButtonPicture());
  if (s.UseInventoryBar) {
    const int height = InventorySpacing(s.InventorySpacingY) * 30 + 480;
    Inventory1.move(0, -height, s.GameWidth * kTwips, height);
    Inventory2.move(0, 0);
    Inventory1.setVisible(true);
    Inventory1.add(PickedObject.templ());
    Load_InventoryBackground();
    Inventory2.setVisible(!s.HideInventoryButtonWhenEmpty);
  } else {
    PictureBox.add(PickedObject.templ());
    Inventory1.setVisible(false);
    Inventory2.setVisible(false);
  }
}

void Game::Load_InventoryBackground() {
  const ProjectSettings& s = player_.settings;
  try {
    if (!s.UseInventoryBar || !s.CustomInventoryPictures) {
      Inventory_Background.setVisible(false);
      Inventory_Background.setPicture(nullptr);
      return;
    }
    const std::string background = player_.folders.InventoryFolder + s.InventoryBackgroundPicture;
    if (!NamesAPicture(s.InventoryBackgroundPicture) || !player_.files.exists(background)) {
      Inventory_Background.setVisible(false);
      Inventory_Background.setPicture(nullptr);
    } else {
      Inventory_Background.setPicture(
          platform::Picture::load(ResolvedPath(player_, background)));
      Inventory_Background.move(0, Inventory1.height() - Inventory_Background.height());
      Inventory_Background.setVisible(true);
    }
    const std::string button = player_.folders.InventoryFolder + s.InventoryButtonPicture;
    if (NamesAPicture(s.InventoryButtonPicture) && player_.files.exists(button)) {
      Inventory2.setPicture(platform::Picture::load(ResolvedPath(player_, button)));
    }
  } catch (const std::exception&) {
    // Bar pictures are decoration: a damaged one leaves the bar plain.
  }
}

void Game::Inventory_Move() {
  const ProjectSettings& s = player_.settings;
  platform::Platform& p = platform();
  InventoryMoving = true;
  double step = kTwips;
  int passes = 0;
  std::int64_t measuredAt = p.clockMs();
  for (;;) {
    const int height = Inventory1.height();
    const int top = Inventory1.top();
    if (InventoryDirection == 0 || (InventoryDirection == 1 && top >= 0) ||
        (InventoryDirection == 2 && top <= -height) || !isOpen()) {
      break;
    }
    if (InventoryHeldOpen) InventoryDirection = 1;
    passes = (passes + 1) % 5;
    if (passes == 2) {
      const std::int64_t now = p.clockMs();
      // At least a twip a pass: a step that rounds to nothing would never end the slide.
      step = std::max(static_cast<double>(now - measuredAt) / 1000.0 * height / 1.5, 1.0);
      measuredAt = now;
    }
    if (InventoryDirection == 1) {
      if (!s.SlideInventoryOpen) {
        Inventory1.setTop(0);
        continue;
      }
      const int next = static_cast<int>(std::nearbyint(top + step));
      Inventory1.setTop(next < 0 ? next : 0);
    } else {
      if (!s.SlideInventoryClose) {
        Inventory1.setTop(-height);
        continue;
      }
      const int next = static_cast<int>(std::nearbyint(top - step));
      Inventory1.setTop(next <= -height ? -height : next);
    }
    p.processEvents();
  }
  InventoryMoving = false;
}

void Game::TimerInventory_Timer() {
  TimerInventory.setEnabled(false);
  InventoryHeldOpen = false;
  // A pointer resting on the bar keeps it open: the next drag from it must find the icons.
  if (player_.settings.UseInventoryBar && PointerOnTheBar(*this)) return;
  if (player_.settings.SlideInventoryClose) {
    InventoryDirection = 2;
    if (!InventoryMoving && player_.settings.UseInventoryBar) {
      Inventory_Move();
      RunClickHeldForTheBar();
    }
  }
}

void Game::InventoryPointerOver() {
  InventoryDirection = 1;
  if (!InventoryMoving && player_.settings.UseInventoryBar) {
    Inventory_Move();
    RunClickHeldForTheBar();  // the pointer may have gone back into the game meanwhile
  }
}

}  // namespace tw
