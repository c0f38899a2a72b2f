// TextSlices: work over huge texts a slice at a time, with a look at the clock between two
// slices, so that no operation on a text of tens of megabytes runs far past a script's
// time-out. The results are exactly those of the same work done in one piece.
//
// A Poll is the running script's clock check (BuiltinHost::checkTime, the runtime's
// deadline check): it throws to end the script when its time is up. An empty Poll never
// stops the work. Texts shorter than one slice are never polled, so small texts pay nothing.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace vbs::detail {

using Poll = std::function<void()>;

// About a few hundred microseconds of copying or scanning on a slow, busy machine.
inline constexpr std::size_t kTextSlice = std::size_t{1} << 18;

// Appends text to out, polling between slices; out grows once, to its final size.
void AppendText(std::string& out, std::string_view text, const Poll& poll);
// A copy of text built slice by slice.
std::string CopyText(std::string_view text, const Poll& poll);
// A text of n copies of one byte, written slice by slice.
std::string RepeatedByte(std::size_t n, char byte, const Poll& poll);
// True when every byte is below 0x80.
bool IsAsciiText(std::string_view text, const Poll& poll);
// The order of two texts by UTF-16 code units (binary) or by case-folded units (text
// compare): -1, 0 or 1.
int CompareText(std::string_view a, std::string_view b, bool textCompare, const Poll& poll);

}  // namespace vbs::detail
