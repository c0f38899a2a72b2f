// KeyboardPlay: keys that move and press the pointer, and the outlines of what can be clicked.
#include "game/KeyboardPlay.h"

#include <algorithm>
#include <exception>
#include <tuple>

#include "effects/VisualEffects.h"
#include "game/Game.h"
#include "platform/Platform.h"
#include "platform/Settings.h"

namespace tw {

namespace {

constexpr int kTwips = 15;

// The middle of a pixel, in twips: a point that maps back into the same pixel however it is
// rounded.
int PixelMiddle(int pixel) {
  return pixel * kTwips + kTwips / 2;
}

}  // namespace

KeyboardPlay::KeyboardPlay(Game& game)
    : mnuAccessSeparator("mnuAccessSeparator", "-"),
      mnuShowHotspots("mnuShowHotspots", "Show Hotspots While Held\tSpace"),
      mnuKeyboardPlay("mnuKeyboardPlay", "Keyboard Play\tTab, Enter, I"),
      game_(game) {
  const auto setting = [&](const char* key) {
    try {
      return game_.platform().settings().get(game_.player().settings.ProjectId, key, "") != "0";
    } catch (const std::exception&) {
      return true;
    }
  };
  showHotspots_ = setting("ShowHotspots");
  keyboard_ = setting("KeyboardPlay");
  platform::MenuItem& options = game_.mnuOptions;
  options.add(mnuAccessSeparator);
  options.add(mnuShowHotspots);
  options.add(mnuKeyboardPlay);
  mnuShowHotspots.setCheckable(true);
  mnuKeyboardPlay.setCheckable(true);
  mnuShowHotspots.setChecked(showHotspots_);
  mnuKeyboardPlay.setChecked(keyboard_);
  mnuShowHotspots.onClick = [this](platform::MenuItem&) { setShowHotspotsEnabled(!showHotspots_); };
  mnuKeyboardPlay.onClick = [this](platform::MenuItem&) { setKeyboardEnabled(!keyboard_); };
}

void KeyboardPlay::save(const char* key, bool on) {
  try {
    game_.platform().settings().save(game_.player().settings.ProjectId, key, on ? "1" : "0");
  } catch (const std::exception&) {
    // Not remembered: the choice still holds for this run.
  }
}

void KeyboardPlay::setShowHotspotsEnabled(bool on) {
  showHotspots_ = on;
  mnuShowHotspots.setChecked(on);
  save("ShowHotspots", on);
  if (!on) showOutlines(false);
}

void KeyboardPlay::setKeyboardEnabled(bool on) {
  keyboard_ = on;
  mnuKeyboardPlay.setChecked(on);
  save("KeyboardPlay", on);
  if (!on) inInventory_ = false;
}

// --- keys -----------------------------------------------------------------------------------

bool KeyboardPlay::keyDown(int keyCode, int shift) {
  const bool repeated = std::find(down_.begin(), down_.end(), keyCode) != down_.end();
  if (!repeated) down_.push_back(keyCode);
  if (keyCode == kKeySpace && showHotspots_ && shift == 0) {
    showOutlines(true);
    return true;
  }
  // Ctrl and Alt combinations stay the game's and the desktop's.
  if (!keyboard_ || (shift & ~platform::kShiftMask) != 0) return false;
  const bool fine = (shift & platform::kShiftMask) != 0;
  const int step = fine ? 1 : kNudgePixels;
  switch (keyCode) {
    case kKeyTab:
      tab(fine);
      return true;
    case kKeyEnter:
      if (!repeated) enter();  // a held Enter clicks once
      return true;
    case kKeyI:
      if (!repeated) toggleInventory();
      return true;
    case kKeyLeft:
    case kKeyUp:
      if (inInventory_) {
        chooseItem(-1);
      } else {
        keyCode == kKeyLeft ? nudge(-step, 0) : nudge(0, -step);
      }
      return true;
    case kKeyRight:
    case kKeyDown:
      if (inInventory_) {
        chooseItem(1);
      } else {
        keyCode == kKeyRight ? nudge(step, 0) : nudge(0, step);
      }
      return true;
    case kKeyEscape:
      // Drops the item held; otherwise Esc is the game's (the menus, a video, a transition).
      if (!itemHeld() && !inInventory_) return false;
      leaveInventory(true);
      return true;
    default:
      return false;
  }
}

void KeyboardPlay::keyUp(int keyCode, int /*shift*/) {
  down_.erase(std::remove(down_.begin(), down_.end(), keyCode), down_.end());
  if (keyCode == kKeySpace) showOutlines(false);
}

// --- outlines -------------------------------------------------------------------------------

void KeyboardPlay::showOutlines(bool on) {
  if (outlinesShown_ == on) return;
  outlinesShown_ = on;
  // The templates too: hotspots and animated pictures of a frame opened meanwhile show it.
  game_.Area.templ().setOutlined(on);
  for (int i : game_.Area.indexes()) {
    // An animated hotspot's own element is a placeholder; its picture is outlined instead.
    const bool placeholder = game_.AreaAnimation.count(i) != 0;
    game_.Area[i].setOutlined(on && !placeholder);
  }
  auto& boxes = game_.effects().animations.AniGifBox;
  boxes.templ().setOutlined(on);
  for (int i : boxes.indexes()) boxes[i].setOutlined(on);
  game_.FrameMessageBox.setOutlined(on);
}

// --- the pointer ----------------------------------------------------------------------------

std::optional<platform::Point> KeyboardPlay::pointer() const {
  const std::optional<platform::Point>& at = game_.window.lastPointer();
  if (!at) return std::nullopt;
  int left = 0, top = 0;
  game_.PictureBox.positionInWindow(left, top);
  const auto pixels = [](int twips) {
    return twips >= 0 ? twips / kTwips : -((-twips + kTwips - 1) / kTwips);
  };
  return platform::Point{pixels(at->x - left), pixels(at->y - top)};
}

void KeyboardPlay::movePointer(platform::Point at) {
  game_.window.warpPointer(at.x, at.y);
  game_.window.dispatchMouseMove(0, 0, at.x, at.y);
}

const platform::Element* KeyboardPlay::clickable(int area) const {
  if (area <= 0 || !game_.Area.exists(area)) return nullptr;
  const platform::Element* element = &game_.Area[area];
  // An animated hotspot is clicked on its picture; its own element is a placeholder.
  const auto animation = game_.AreaAnimation.find(area);
  if (animation != game_.AreaAnimation.end() && animation->second > 0) {
    auto& boxes = game_.effects().animations.AniGifBox;
    if (!boxes.exists(animation->second)) return nullptr;
    element = &boxes[animation->second];
  }
  if (!element->visible() || !element->enabled()) return nullptr;
  return element;
}

std::vector<KeyboardPlay::Stop> KeyboardPlay::stops() const {
  Game& game = game_;
  std::vector<std::tuple<int, int, int, platform::Point>> found;  // top, left, number, point
  if (!game.PictureBox.visible()) return {};
  int boxLeft = 0, boxTop = 0;
  game.PictureBox.positionInWindow(boxLeft, boxTop);
  const int widthPx = game.PictureBox.width() / kTwips;
  const int heightPx = game.PictureBox.height() / kTwips;
  for (int i : game.Area.indexes()) {
    const platform::Element* element = clickable(i);
    if (!element) continue;
    const platform::Element& area = *element;
    // The hotspot's pixels inside the game area.
    const int left = std::max(0, area.left() / kTwips);
    const int top = std::max(0, area.top() / kTwips);
    const int right = std::min(widthPx, (area.left() + area.width()) / kTwips);
    const int bottom = std::min(heightPx, (area.top() + area.height()) / kTwips);
    if (right <= left || bottom <= top) continue;
    // Its middle, else the first point of a grid over it that is not covered by something
    // in front (another hotspot, the inventory bar, the message bar).
    std::optional<platform::Point> reach;
    constexpr int kGrid = 8;
    const auto tryAt = [&](int x, int y) {
      const platform::Point p{boxLeft + PixelMiddle(x), boxTop + PixelMiddle(y)};
      if (&game.window.targetAt(p.x, p.y) == &area) reach = p;
    };
    tryAt((left + right - 1) / 2, (top + bottom - 1) / 2);
    for (int gy = 0; gy <= kGrid && !reach; ++gy) {
      for (int gx = 0; gx <= kGrid && !reach; ++gx) {
        tryAt(left + (right - 1 - left) * gx / kGrid, top + (bottom - 1 - top) * gy / kGrid);
      }
    }
    if (reach) found.emplace_back(area.top(), area.left(), i, *reach);
  }
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
    return std::tie(std::get<0>(a), std::get<1>(a), std::get<2>(a)) <
           std::tie(std::get<0>(b), std::get<1>(b), std::get<2>(b));
  });
  std::vector<Stop> out;
  for (const auto& [top, left, number, at] : found) out.push_back({number, at});
  return out;
}

void KeyboardPlay::tab(bool backwards) {
  if (inInventory_) leaveInventory(false);
  const std::vector<Stop> all = stops();
  if (all.empty()) return;
  const int count = static_cast<int>(all.size());
  // Where Tab stands: the hotspot it went to last while the pointer is still on it, else the
  // pointer's own place in reading order.
  int current = -1;
  const std::optional<platform::Point>& at = game_.window.lastPointer();
  for (int n = 0; n < count; ++n) {
    if (all[n].area == lastStop_ && at &&
        &game_.window.targetAt(at->x, at->y) == clickable(lastStop_)) {
      current = n;
    }
  }
  int next = 0;
  if (current >= 0) {
    next = (current + (backwards ? count - 1 : 1)) % count;
  } else if (at) {
    int left = 0, top = 0;
    game_.PictureBox.positionInWindow(left, top);
    const auto before = [&](const Stop& s) {
      const platform::Element& area = *clickable(s.area);
      return std::make_pair(area.top(), area.left()) < std::make_pair(at->y - top, at->x - left);
    };
    int firstAfter = 0;
    while (firstAfter < count && before(all[firstAfter])) ++firstAfter;
    next = backwards ? (firstAfter + count - 1) % count : firstAfter % count;
  } else {
    next = backwards ? count - 1 : 0;
  }
  lastStop_ = all[next].area;
  movePointer(all[next].at);
  // A move raises no events while an item is dragged: the bar slides away as it does when the
  // pointer comes back into the game.
  if (itemHeld() && barInUse()) game_.GameArea_MouseMove();
}

void KeyboardPlay::nudge(int dx, int dy) {
  int left = 0, top = 0;
  game_.PictureBox.positionInWindow(left, top);
  const int widthPx = game_.PictureBox.width() / kTwips;
  const int heightPx = game_.PictureBox.height() / kTwips;
  platform::Point p = pointer().value_or(platform::Point{widthPx / 2, heightPx / 2});
  p.x = std::clamp(p.x + dx, 0, std::max(0, widthPx - 1));
  p.y = std::clamp(p.y + dy, 0, std::max(0, heightPx - 1));
  movePointer({left + PixelMiddle(p.x), top + PixelMiddle(p.y)});
}

void KeyboardPlay::enter() {
  const std::optional<platform::Point> at = game_.window.lastPointer();
  if (!at) return;
  platform::Window& window = game_.window;
  if (itemHeld()) {
    // The release of a drag: the item is used on what lies under the pointer.
    window.dispatchMouseUp(platform::kLeftButton, 0, at->x, at->y);
    return;
  }
  // In the inventory Enter presses on the item chosen, and on nothing while there is none.
  if (inInventory_ && !itemPoint(chosenItem_)) return;
  window.dispatchMouseDown(platform::kLeftButton, 0, at->x, at->y);
  if (inInventory_) {
    // The press on an icon starts its drag, as with the mouse; the bar makes way for the game.
    // A press that started none (a video plays) is let go at once.
    if (itemHeld()) {
      leaveInventory(false);
    } else if (game_.isOpen()) {
      window.dispatchMouseUp(platform::kLeftButton, 0, at->x, at->y);
    }
    return;
  }
  // The press may have closed the game; the release then goes nowhere.
  if (game_.isOpen()) window.dispatchMouseUp(platform::kLeftButton, 0, at->x, at->y);
}

// --- the inventory --------------------------------------------------------------------------

bool KeyboardPlay::itemHeld() const {
  const platform::Element* dragged = game_.window.dragSource();
  return dragged && dragged->name() == game_.PickedObject.name();
}

bool KeyboardPlay::barInUse() const {
  return game_.player().settings.UseInventoryBar;
}

std::optional<platform::Point> KeyboardPlay::itemPoint(int item) const {
  if (item < 1 || item > game_.ObjectsCount || !game_.PickedObject.exists(item)) {
    return std::nullopt;
  }
  const platform::Image& icon = game_.PickedObject[item];
  int x = 0, y = 0;
  icon.positionInWindow(x, y);
  return platform::Point{x + PixelMiddle(icon.width() / kTwips / 2),
                         y + PixelMiddle(icon.height() / kTwips / 2)};
}

void KeyboardPlay::toggleInventory() {
  if (inInventory_) {
    leaveInventory(true);
    return;
  }
  inInventory_ = true;
  gamePointer_ = game_.window.lastPointer();
  // As the pointer reaching the bar's button: the bar slides down (a nested loop).
  if (barInUse()) game_.InventoryPointerOver();
  if (!game_.isOpen()) return;
  chosenItem_ = std::clamp(chosenItem_, 1, std::max<int>(1, game_.ObjectsCount));
  chooseItem(0);
}

void KeyboardPlay::chooseItem(int step) {
  if (game_.ObjectsCount < 1) return;
  chosenItem_ = std::clamp(chosenItem_ + step, 1, static_cast<int>(game_.ObjectsCount));
  if (const std::optional<platform::Point> at = itemPoint(chosenItem_)) movePointer(*at);
}

void KeyboardPlay::leaveInventory(bool dropItem) {
  if (dropItem) game_.window.cancelDrag();
  const bool wasIn = inInventory_;
  inInventory_ = false;
  if (!wasIn) return;
  if (gamePointer_) movePointer(*gamePointer_);
  // The pointer is back in the game: the bar slides away as after a mouse move there (which
  // raises no event while an item is dragged, or when the pointer had no place in the game).
  if (barInUse() && game_.isOpen() && game_.Inventory1.top() > -game_.Inventory1.height()) {
    game_.GameArea_MouseMove();
  }
}

}  // namespace tw
