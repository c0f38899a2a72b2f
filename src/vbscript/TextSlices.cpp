// Slice-by-slice copying and scanning of huge texts (see the header).
#include "vbscript/TextSlices.h"

#include <algorithm>

#include "vbscript/Utf16.h"

namespace vbs::detail {

void AppendText(std::string& out, std::string_view text, const Poll& poll) {
  if (text.size() < kTextSlice || !poll) {
    out += text;
    return;
  }
  // Grows as += would (geometrically), so that appending in a loop stays linear.
  const std::size_t needed = out.size() + text.size();
  if (out.capacity() < needed) out.reserve(std::max(needed, 2 * out.capacity()));
  for (std::size_t at = 0; at < text.size(); at += kTextSlice) {
    poll();
    out += text.substr(at, kTextSlice);
  }
}

std::string CopyText(std::string_view text, const Poll& poll) {
  std::string out;
  AppendText(out, text, poll);
  return out;
}

std::string RepeatedByte(std::size_t n, char byte, const Poll& poll) {
  if (n < kTextSlice || !poll) return std::string(n, byte);
  std::string out;
  out.reserve(n);
  while (out.size() < n) {
    poll();
    out.append(std::min(kTextSlice, n - out.size()), byte);
  }
  return out;
}

bool IsAsciiText(std::string_view text, const Poll& poll) {
  for (std::size_t at = 0; at < text.size(); at += kTextSlice) {
    if (at > 0 && poll) poll();
    const std::string_view slice = text.substr(at, kTextSlice);
    if (!std::all_of(slice.begin(), slice.end(), [](char c) { return (c & 0x80) == 0; })) {
      return false;
    }
  }
  return true;
}

namespace {

// Lexicographic order, a slice at a time.
template <typename Char>
int CompareInSlices(std::basic_string_view<Char> a, std::basic_string_view<Char> b,
                    const Poll& poll) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t at = 0; at < common; at += kTextSlice) {
    if (at > 0 && poll) poll();
    const std::size_t n = std::min(kTextSlice, common - at);
    const int order = a.substr(at, n).compare(b.substr(at, n));
    if (order != 0) return order < 0 ? -1 : 1;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

void FoldInSlices(std::u16string& s, const Poll& poll) {
  for (std::size_t at = 0; at < s.size(); at += kTextSlice) {
    if (at > 0 && poll) poll();
    const auto first = s.begin() + static_cast<std::ptrdiff_t>(at);
    const auto last = s.begin() + static_cast<std::ptrdiff_t>(std::min(s.size(), at + kTextSlice));
    std::transform(first, last, first, FoldCase);
  }
}

}  // namespace

// Byte order of UTF-8 equals code point order; UTF-16 order differs only where a character
// above U+FFFF meets one in U+E000..U+FFFF, and for text compare: those go through UTF-16.
int CompareText(std::string_view a, std::string_view b, bool textCompare, const Poll& poll) {
  if (!textCompare && IsAsciiText(a, poll) && IsAsciiText(b, poll)) {
    return CompareInSlices(a, b, poll);
  }
  std::u16string ua = ToUtf16(a, poll), ub = ToUtf16(b, poll);
  if (textCompare) {
    FoldInSlices(ua, poll);
    FoldInSlices(ub, poll);
  }
  return CompareInSlices(std::u16string_view(ua), std::u16string_view(ub), poll);
}

}  // namespace vbs::detail
