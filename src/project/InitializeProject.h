// Start-up of a game: folders, message table, "General", in a fixed order.
//
// InitializeProject is the first thing the start-up window does. It returns false when the
// program must end at once (the large-fonts warning or the missing "General" warning was
// refused); otherwise every later routine may rely on the folders, the message table and
// the project settings being set. Failures of single steps after the screen size is
// recorded are ignored and the next step runs.
#pragma once

#include <string_view>

namespace tw {

class Player;

bool InitializeProject(Player& player);

// Presets the game folder (the optional first argument of the program).
void PresetProjectFolder(Player& player, std::string_view folder);

// Empties the current frame's name, background and hotspot count.
void ClearFrameState(Player& player);

}  // namespace tw
