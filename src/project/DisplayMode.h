// Display mode changes: switching the screen to the game's resolution and back.
//
// The player never touches the monitor's real mode; the platform emulates the size the game
// sees (Platform::setDisplaySize). A refused size leaves the screen as it was and shows the
// standard error box. The size recorded at start-up (Player::RecordedScreenWidth/Height) is
// never changed here; the restore at exit compares against it.
#pragma once

#include <cstdint>
#include <functional>

namespace tw {

class Player;

// Asks for width x height pixels, letting pending events run before and after the request.
// A refusal shows " Unable to change display resolution. Mode not supported."; returns
// whether the platform accepted the size.
bool SetDisplaySize(Player& player, int width, int height);

// Mode codes: 1 = 640 x 480, 2 = 800 x 600, 3 = 1024 x 768 (GameResolution + 1). Only the
// width is compared with the screen's; any other code does nothing. After a change (even a
// refused one) events run until one second has passed on the platform clock, then
// recentreGameWindow is called (may be empty while no main window exists). Any other
// failure shows " Error changing display resolution. " with the failure's description.
void ChangeDisplayMode(Player& player, std::int16_t code,
                       const std::function<void()>& recentreGameWindow);

// At the end of a game: back to the size recorded at start-up when the screen differs from
// it in width or height. Returns whether a change was asked for.
bool RestoreDisplayAtExit(Player& player);

}  // namespace tw
