// TextSizeSetting: the size of the player's own texts for a game (Options > Text Size),
// remembered per game in the per-user settings (section ProjectId, "TextSize" "100", "150" or
// "200"); missing or unreadable, the desktop's font scale decides (DefaultTextScale). The
// start-up window applies it too, so its boxes already have the game's size.
#pragma once

namespace tw {

class Player;

int TextSizeChosen(Player& player);
void RememberTextSize(Player& player, int percent);

}  // namespace tw
