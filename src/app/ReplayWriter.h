// ReplayWriter: replay lines written as text that ParseReplay reads back to the same line.
//
// A line that cannot be written so (a name with blanks at its ends, which the reader drops;
// an input box answered with an empty text, which reads as a cancel; a key without a name)
// gives nullopt, and the recorder writes a comment in its place.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/ReplayScript.h"

namespace tw {

std::optional<std::string> FormatReplayLine(const ReplayLine& line);

// The name a replay file gives a virtual-key code (shift: 1 shift, 2 ctrl, 4 alt), when
// the replay reader knows that name; nullopt otherwise.
std::optional<std::string> KeyNameFromCode(int keyCode, int shift = 0);

// Milliseconds rounded to the nearest 10, never negative.
int RoundedWait(std::int64_t ms);

// "# TEXT" on one line: line breaks of the text become blanks.
std::string ReplayComment(const std::string& text);

}  // namespace tw
