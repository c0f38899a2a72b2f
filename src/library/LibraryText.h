// LibraryText: how the library words a game's history of play.
#pragma once

#include <cstdint>
#include <string>

namespace tw::library {

// "1 h 05 min", "12 min", "less than a minute".
std::string PlayTimeText(std::int64_t seconds);

// "Last played 10 Dec 2026, 14:03 · played for 1 h 05 min" in the user's local time, or
// "Not played yet".
std::string PlayedText(std::int64_t lastPlayed, std::int64_t secondsPlayed);

}  // namespace tw::library
