// The player's standard error box and the missing-file warning.
//
// The standard error box is how almost every routine reports its own failure: error icon,
// title = message table entry 29, text = entry 30, two line breaks, entry 31, then a fixed
// description that begins with a blank (" Unable to load variables list."). After it the
// routine returns and the game goes on.
#pragma once

#include <string>
#include <string_view>

namespace tw {

class Player;

// The text of the standard error box for a description (which starts with its own blank).
std::string StandardErrorText(const Player& player, std::string_view description);

void ShowStandardError(Player& player, std::string_view description);

}  // namespace tw
