// Utf16: the engine keeps strings as UTF-8, but VBScript's strings are UTF-16; binary string
// order, lengths and positions follow UTF-16 code units, so comparisons go through these.
// Bytes that are not valid UTF-8 read as U+FFFD.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace vbs::detail {

std::u16string ToUtf16(std::string_view utf8);
std::string ToUtf8(std::u16string_view utf16);
// The same conversions a slice at a time, calling poll between slices (TextSlices.h): for
// texts that may be huge, inside a running script.
std::u16string ToUtf16(std::string_view utf8, const std::function<void()>& poll);
std::string ToUtf8(std::u16string_view utf16, const std::function<void()>& poll);

// Lower-case fold of one code unit for text compare: ASCII, Latin-1, Latin Extended-A, Greek
// and Cyrillic capitals; other units unchanged.
char16_t FoldCase(char16_t unit);

}  // namespace vbs::detail
