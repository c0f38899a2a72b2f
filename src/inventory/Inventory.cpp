// The items the player holds: adding, removing, giving a hotspot's item, and the icon
// layout in the bar (columns of 32-pixel slots with the spacing before every column and
// above every row).
//
// The spacings are clamped where they are used (InventoryLayout.h).
//
// Invariant: positions 1..ObjectsCount each hold an icon element whose tag is the item's
// name and whose picture is its icon. An item whose file or icon cannot be read is not
// added at all (the box tells the player), so the list never holds a nameless slot.
#include <exception>

#include "common/FieldReader.h"
#include "frames/FieldTests.h"
#include "game/Game.h"
#include "inventory/InventoryLayout.h"
#include "platform/Picture.h"
#include "project/DataFileLocator.h"
#include "project/ErrorBoxes.h"
#include "vbscript/VbError.h"

namespace tw {

namespace {
constexpr int kIconSize = 32;  // pixels
constexpr int kTwips = 15;
}  // namespace

platform::Rect Game::IconPlace(int position) const {
  const ProjectSettings& s = player_.settings;
  const int spacingX = InventorySpacing(s.InventorySpacingX);
  const int spacingY = InventorySpacing(s.InventorySpacingY);
  const int slot = spacingX + kIconSize;
  const int columns = s.GameWidth / slot;
  if (columns < 1) throw vbs::VbError(vbs::err::kDivisionByZero);
  const int column = (position - 1) % columns;
  const int row = (position - 1) / columns;
  return {spacingX + column * slot, spacingY + row * (spacingY + kIconSize), kIconSize, kIconSize};
}

namespace {

// The bar's height in pixels for items up to a position: one row of slots per row used.
int BarHeightFor(const Game& game, const ProjectSettings& s, int position) {
  const int spacingY = InventorySpacing(s.InventorySpacingY);
  const platform::Rect place = game.IconPlace(position);
  const int row = (place.top - spacingY) / (spacingY + kIconSize);
  return spacingY + (row + 1) * (spacingY + kIconSize);
}

}  // namespace

void Game::SetBarHeight(int height) {
  // A closed bar stays closed: growing it in place would let its lower rows hang into the
  // game area.
  const bool closed = Inventory1.top() <= -Inventory1.height();
  Inventory1.setHeight(height);
  if (closed) Inventory1.setTop(-height);
  if (Inventory_Background.visible()) {
    Inventory_Background.move(0, Inventory1.height() - Inventory_Background.height());
  }
}

void Game::AddPickedObject(const std::string& ObjectName, bool bDoNotPopup) {
  const ProjectSettings& s = player_.settings;
  std::string iconFile;
  try {
    TimerInventory.setEnabled(false);
    {
      FieldReader in = FieldReader::Open(player_.files, player_.folders.AreasFolder + ObjectName + ".obj");
      iconFile = in.readString();
    }
    if (ObjectsCount == INT16_MAX) throw vbs::VbError(vbs::err::kOverflow);
    const int position = ObjectsCount + 1;
    const platform::Rect place = IconPlace(position);
    const std::string path = LocateDataFile(player_, player_.folders.AreasFolder + iconFile);
    const auto icon = player_.pictures.load(ResolvedPath(player_, path));

    // Only a readable item takes a place in the list.
    platform::Image& element = PickedObject.load(position);
    ObjectsCount = static_cast<std::int16_t>(position);
    // Every icon fills its 32 x 32 slot, whatever its own size, here as after a removal
    // moves it: a larger one never reaches into the next slot.
    element.setStretch(true);
    element.move(place.left * kTwips, place.top * kTwips, kIconSize * kTwips, kIconSize * kTwips);
    element.setPicture(icon);
    element.setDragIcon(icon);
    element.setToolTip(ObjectName);
    element.setTag(ObjectName);
    element.setVisible(true);
    element.bringToFront();

    if (s.UseInventoryBar) {
      SetBarHeight(BarHeightFor(*this, s, position) * kTwips);
      Inventory2.setVisible(ObjectsCount > 0);
    }
  } catch (const std::exception&) {
    ShowStandardError(player_, " Unable to pick up the item named '" + ObjectName +
                                   "'. The item may be unavailable, or the icon '" + iconFile +
                                   "' associated to the item may be corrupt.");
    return;
  }
  if (s.OpenInventoryOnPickUp && !bDoNotPopup) {
    InventoryHeldOpen = true;
    InventoryDirection = 1;
    if (!InventoryMoving && s.UseInventoryBar) Inventory_Move();
    TimerInventory.setEnabled(false);
    TimerInventory.setEnabled(true);
  }
}

void Game::RemovePickedObject(std::int16_t ObjectIndex) {
  const ProjectSettings& s = player_.settings;
  try {
    if (ObjectIndex < 1 || ObjectIndex > ObjectsCount) {
      throw vbs::VbError(vbs::err::kSubscriptOutOfRange);
    }
    // The elements keep their places; the items move forward into them.
    for (int i = ObjectIndex; i < ObjectsCount; ++i) {
      platform::Image& to = PickedObject[i];
      const platform::Image& from = PickedObject[i + 1];
      to.setPicture(from.picture());
      to.setDragIcon(from.dragIcon());
      to.setTag(from.tag());
      to.setToolTip(from.toolTip());
      to.setStretch(true);
      to.move(to.left(), to.top(), kIconSize * kTwips, kIconSize * kTwips);
    }
    PickedObject.unload(ObjectsCount);
    --ObjectsCount;
    if (s.UseInventoryBar && ObjectsCount > 0) SetBarHeight(BarHeightFor(*this, s, ObjectsCount) * kTwips);
    if (s.UseInventoryBar && ObjectsCount == 0 && s.HideInventoryButtonWhenEmpty) {
      Inventory2.setVisible(false);
    }
  } catch (const std::exception&) {
    ShowStandardError(player_, " Unable to remove the item from the inventory.");
  }
}

void Game::PickOrNotPickObject(std::int16_t AreaIndex) {
  try {
    const std::string file = player_.folders.AreasFolder + player_.frame.CurrentFrameName + "/" +
                             std::to_string(AreaIndex) + "c.dat";
    if (!player_.files.exists(file)) return;
    std::string item;
    {
      FieldReader in = FieldReader::Open(player_.files, file);
      if (!IsOne(in.readAny())) return;
      item = in.readAny().toString();
    }
    AddPickedObject(item, false);
  } catch (const std::exception&) {
    // A damaged item file of a hotspot gives nothing, silently.
  }
}

std::string Game::PickedObjectName(std::int16_t index) {
  if (index < 1 || index > ObjectsCount || !PickedObject.exists(index)) return "";
  return PickedObject[index].tag();
}

void Game::BringInventoryToFront() {
  for (int i = 1; i <= ObjectsCount; ++i) {
    if (PickedObject.exists(i)) PickedObject[i].bringToFront();
  }
  Inventory2.bringToFront();
  Inventory1.bringToFront();
}

}  // namespace tw
