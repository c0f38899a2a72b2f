// ReadAloudSetting: whether the player asked for the game's texts to be read aloud
// (Options > Read Messages Aloud), remembered per game in the per-user settings (section
// ProjectId, "ReadAloud" "1"/"0"; off when missing). The start-up window reads it too, so
// its buttons are read before the game window exists.
#pragma once

namespace tw {

class Player;

bool ReadAloudChosen(Player& player);
void RememberReadAloud(Player& player, bool on);

}  // namespace tw
