// KeyboardPlay: the player's keys for playing without a mouse, and the hotspot outlines shown
// while Space is held.
//
// Show Hotspots: while Space is held, every visible hotspot and the message bar (the text a
// click closes) are drawn with an outline (Element::outlined, set on the hotspots' template
// too, so a frame opened meanwhile shows its own). Nothing else changes: no click, no flag,
// no timer; the game never sees the key.
//
// Keyboard Play: the keys move the pointer and press the mouse button for the player, through
// the window's own mouse events, so everything a mouse reaches (hotspot actions, pointer
// shapes, the inventory bar sliding under the pointer, drag and drop) is reached the same way:
//   Tab / Shift+Tab  the pointer to the next / previous visible hotspot in reading order (top
//                    to bottom, then left to right), at a point where a click reaches it
//   arrows           nudge the pointer by kNudgePixels (Shift: 1 pixel) in the game area
//   Enter            a left click at the pointer; with an item held, its drop there
//   I                opens the inventory (the bar slides down, the pointer onto an item) and
//                    closes it again, dropping an item held
//   in the inventory the arrows choose an item; Enter picks it up (the press that starts a
//   drag), the bar closes and the pointer is back where it was, so the next Enter uses the
//   item there; with an item held, I opens the bar again and Enter on another item puts the
//   two together. Esc drops the item held (and closes the bar).
// In the real window the back end moves the real pointer too (Window::warpPointer).
//
// Both are Options menu entries, on unless the player clears them, remembered per game
// (section ProjectId: "ShowHotspots", "KeyboardPlay", "1"/"0"). Games have no way of their
// own to read these keys (the window's key handling knows Esc, S, Q and the Debug keys only),
// so the defaults change nothing until a key is pressed. Off, a key goes to the game as
// before.
#pragma once

#include <optional>
#include <vector>

#include "platform/Element.h"
#include "platform/Menu.h"
#include "platform/Picture.h"

namespace tw {

class Game;

class KeyboardPlay {
 public:
  static constexpr int kKeyTab = 9;
  static constexpr int kKeyEnter = 13;
  static constexpr int kKeyEscape = 27;
  static constexpr int kKeySpace = 32;
  static constexpr int kKeyLeft = 37;
  static constexpr int kKeyUp = 38;
  static constexpr int kKeyRight = 39;
  static constexpr int kKeyDown = 40;
  static constexpr int kKeyI = 73;
  static constexpr int kNudgePixels = 8;

  explicit KeyboardPlay(Game& game);
  KeyboardPlay(const KeyboardPlay&) = delete;
  KeyboardPlay& operator=(const KeyboardPlay&) = delete;

  // True when the key was the player's and not the game's.
  bool keyDown(int keyCode, int shift);
  void keyUp(int keyCode, int shift);

  bool showHotspotsEnabled() const { return showHotspots_; }
  void setShowHotspotsEnabled(bool on);
  bool keyboardEnabled() const { return keyboard_; }
  void setKeyboardEnabled(bool on);
  // Whether the outlines are drawn now (Space held).
  bool outlinesShown() const { return outlinesShown_; }
  // Whether the keys are choosing an item in the inventory.
  bool inInventory() const { return inInventory_; }

  // The pointer in pixels of the game area, where the last mouse event or key put it.
  std::optional<platform::Point> pointer() const;

  // A visible hotspot as Tab reaches it: its number and a point of the window's client area
  // (twips) where a click reaches it.
  struct Stop {
    int area = 0;
    platform::Point at;
  };
  // The visible hotspots that a click can reach, in reading order.
  std::vector<Stop> stops() const;

  platform::MenuItem mnuAccessSeparator;
  platform::MenuItem mnuShowHotspots;
  platform::MenuItem mnuKeyboardPlay;

 private:
  void showOutlines(bool on);
  void tab(bool backwards);
  void nudge(int dx, int dy);
  void enter();
  void toggleInventory();
  void chooseItem(int step);
  void leaveInventory(bool dropItem);
  // Moves the pointer to a point of the client area (twips), as a mouse move there does.
  void movePointer(platform::Point at);
  bool itemHeld() const;
  // The element a click on a hotspot goes to, when it is shown; nullptr otherwise.
  const platform::Element* clickable(int area) const;
  bool barInUse() const;
  std::optional<platform::Point> itemPoint(int item) const;
  void save(const char* key, bool on);

  Game& game_;
  bool showHotspots_ = true;
  bool keyboard_ = true;
  bool outlinesShown_ = false;
  bool inInventory_ = false;
  int chosenItem_ = 1;
  // The hotspot Tab last went to: Tab goes on from it while the pointer is still inside.
  int lastStop_ = 0;
  // Where the pointer was in the game when the inventory opened (client twips).
  std::optional<platform::Point> gamePointer_;
  // Keys down now: a held key's repeated presses do not click again.
  std::vector<int> down_;
};

}  // namespace tw
