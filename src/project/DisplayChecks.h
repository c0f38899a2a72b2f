// Questions about the screen: its size, the game's resolution, the desktop font.
//
// The player never changes the monitor's real mode; the platform reports the size the game
// sees, which a display-mode change alters (and the restore at exit puts back).
#pragma once

#include <cstdint>

namespace tw {

class Player;
namespace platform {
class Platform;
}

// The current screen size in pixels; 0 when it cannot be measured.
int CurrentScreenWidth(platform::Platform& platform);
int CurrentScreenHeight(platform::Platform& platform);

// The screen size in twips (15 per pixel).
std::int32_t ScreenWidthTwips(platform::Platform& platform);
std::int32_t ScreenHeightTwips(platform::Platform& platform);

// False when the desktop font is taller than 16 pixels (large fonts); true when the font
// cannot be measured.
bool UsesSmallFonts(platform::Platform& platform);

// True when the screen size recorded at start-up is the size GameResolution names
// (0: 640 x 480, 1: 800 x 600, 2: 1024 x 768); false for any other code.
bool DisplayMatchesGameResolution(const Player& player);

}  // namespace tw
