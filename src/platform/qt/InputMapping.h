// InputMapping: Qt's keys, buttons and modifiers as the game's handlers number them.
//
// Keys become Windows virtual-key codes (Esc 27, Enter 13, letters 65-90 whatever the shift
// state, digits 48-57, F1..F24 112-135, arrows 37-40, the numeric keypad 96-111). The symbol
// a shifted digit or punctuation key types on a US keyboard gives the code of its key, since a
// virtual-key code names the key, not the character. Keys without a code give 0 and are not
// passed on. Buttons: 1 left, 2 right, 4 middle; shift state: 1 shift, 2 ctrl, 4 alt.
#pragma once

#include <Qt>

namespace tw::platform {

// 0 when the key has no virtual-key code.
int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers);
// The one button of a press or release; 0 for buttons the game does not know.
int ButtonFromQt(Qt::MouseButton button);
// The buttons held during a move.
int ButtonsFromQt(Qt::MouseButtons buttons);
int ShiftFromQt(Qt::KeyboardModifiers modifiers);

}  // namespace tw::platform
