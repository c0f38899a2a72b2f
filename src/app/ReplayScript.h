// ReplayScript: the lines of a replay file, parsed and checked before anything runs.
//
// One input per line: start, click X Y, rclick X Y, move X Y, drag N X Y, dragitem N M,
// key K (pressed and released), hold K and release K (a key held down in between), menu NAME,
// wait MS, answer B, input [TEXT], save NAME, load NAME (load alone: the
// automatic save), drive PATH (or drive cancel). Blank lines and
// lines starting with "#" are ignored. A line that is not one of these stops the replay
// with a message naming its line number.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

namespace tw {

struct ReplayLine {
  enum class Kind { Start, Click, RightClick, Move, Drag, DragItem, Key, Hold, Release, Menu,
                    Wait, Answer, Input, Save, Load, Drive };
  Kind kind = Kind::Start;
  int lineNumber = 0;
  int a = 0;  // X, N, MS
  int b = 0;  // Y, M
  int c = 0;  // the Y of drag
  int keyCode = 0;
  int shift = 0;  // held with the key: 1 Shift, 2 Ctrl, 4 Alt
  std::string text;  // menu name, input text, saved-game name
  platform::MsgAnswer answer = platform::MsgAnswer::Ok;
  bool cancelInput = false;  // "input" with nothing after it, or "drive cancel"
};

class ReplayError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Throws ReplayError ("line 7: ...") for the first line that cannot be understood.
std::vector<ReplayLine> ParseReplay(const std::string& text);

// Virtual-key code of a key name: a letter, a digit, Escape, Enter, Tab, Space, Left, Right,
// Up, Down, F1..F12; nullopt if none.
std::optional<int> KeyCodeFromName(const std::string& name);

struct KeyPress {
  int keyCode = 0;
  int shift = 0;
};
// A key name with any of the prefixes "Shift+", "Ctrl+", "Alt+" (Shift+Tab, Alt+Enter).
std::optional<KeyPress> KeyPressFromName(const std::string& name);

}  // namespace tw
