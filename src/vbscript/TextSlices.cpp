// Slice-by-slice copying and scanning of huge texts (see the header).
#include "vbscript/TextSlices.h"

#include <algorithm>

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

}  // namespace vbs::detail
