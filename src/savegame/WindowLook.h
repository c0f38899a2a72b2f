// WindowLook: what the save and load windows share — the game's colours, the fonts, the
// position on the screen and the keys every list window answers.
//
// The windows take the window and text colours of the game's scheme (the start-up window's
// look), so they belong to the game rather than to the desktop; without a scheme they keep
// the classic button-face grey. They are centred on the screen the game sees.
#pragma once

#include "platform/Controls.h"
#include "platform/Label.h"
#include "platform/Window.h"

namespace tw {

class Player;

inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeyUp = 38;
inline constexpr int kKeyDown = 40;

// Scheme colours for the window and its prompt, fonts for the controls.
void ApplyGameLook(Player& player, platform::Window& window, platform::Label& prompt,
                   std::initializer_list<platform::Element*> controls);

// The window, laid out at 100 %, made as large as the player's text size asks.
void FitToTextSize(Player& player, platform::Window& window);

// top = (screen height - window height) / 2, left likewise.
void CentreOnScreen(Player& player, platform::Window& window);

// Up and Down pressed while the focus is elsewhere than in the list move the list's choice
// (as a click on the entry does); true when the key was used. A focused list moves by
// itself in the back end.
bool MoveListChoice(platform::Window& window, platform::ListBox& list, int keyCode);

}  // namespace tw
