// Utf16: UTF-8 <-> UTF-16 conversion and the case fold of text compare.
#include "vbscript/Utf16.h"

#include <algorithm>

#include "vbscript/TextSlices.h"

namespace vbs::detail {

namespace {

void AppendUtf16(std::string_view utf8, std::u16string& out) {
  std::size_t i = 0;
  const std::size_t n = utf8.size();
  while (i < n) {
    const auto b0 = static_cast<unsigned char>(utf8[i]);
    char32_t cp = 0xFFFD;
    std::size_t length = 1;
    auto cont = [&](std::size_t k) {
      return i + k < n && (static_cast<unsigned char>(utf8[i + k]) & 0xC0) == 0x80;
    };
    auto bits = [&](std::size_t k) { return static_cast<char32_t>(utf8[i + k] & 0x3F); };
    if (b0 < 0x80) {
      cp = b0;
    } else if (b0 >= 0xC2 && b0 < 0xE0 && cont(1)) {
      cp = ((b0 & 0x1Fu) << 6) | bits(1);
      length = 2;
    } else if (b0 >= 0xE0 && b0 < 0xF0 && cont(1) && cont(2)) {
      const char32_t v = ((b0 & 0x0Fu) << 12) | (bits(1) << 6) | bits(2);
      if (v >= 0x800 && (v < 0xD800 || v > 0xDFFF)) {
        cp = v;
        length = 3;
      }
    } else if (b0 >= 0xF0 && b0 < 0xF5 && cont(1) && cont(2) && cont(3)) {
      const char32_t v = ((b0 & 0x07u) << 18) | (bits(1) << 12) | (bits(2) << 6) | bits(3);
      if (v >= 0x10000 && v <= 0x10FFFF) {
        cp = v;
        length = 4;
      }
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    i += length;
  }
}

void AppendUtf8(std::u16string_view utf16, std::string& out) {
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t cp = utf16[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;  // a lone surrogate has no UTF-8 form
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
}

constexpr std::size_t kSlice = kTextSlice;

}  // namespace

std::u16string ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  AppendUtf16(utf8, out);
  return out;
}

std::string ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  AppendUtf8(utf16, out);
  return out;
}

// A slice ends where a character starts (never on a continuation byte): a sequence, valid
// or not, is decoded from the bytes that follow its lead byte only while they are
// continuation bytes, so slices so cut decode exactly as the whole text does.
std::u16string ToUtf16(std::string_view utf8, const std::function<void()>& poll) {
  if (utf8.size() < kSlice || !poll) return ToUtf16(utf8);
  std::u16string out;
  out.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    poll();
    std::size_t end = std::min(utf8.size(), at + kSlice);
    while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) ++end;
    AppendUtf16(utf8.substr(at, end - at), out);
    at = end;
  }
  return out;
}

// A slice never ends between the two halves of a surrogate pair.
std::string ToUtf8(std::u16string_view utf16, const std::function<void()>& poll) {
  if (utf16.size() < kSlice || !poll) return ToUtf8(utf16);
  std::string out;
  out.reserve(utf16.size());
  for (std::size_t at = 0; at < utf16.size();) {
    poll();
    std::size_t end = std::min(utf16.size(), at + kSlice);
    if (end < utf16.size() && utf16[end - 1] >= 0xD800 && utf16[end - 1] <= 0xDBFF) ++end;
    AppendUtf8(utf16.substr(at, end - at), out);
    at = end;
  }
  return out;
}

char16_t FoldCase(char16_t u) {
  if (u >= u'A' && u <= u'Z') return static_cast<char16_t>(u + 32);
  if (u < 0xC0) return u;
  if (u <= 0xDE && u != 0xD7) return static_cast<char16_t>(u + 32);
  if (u >= 0x100 && u <= 0x137 && u % 2 == 0) return static_cast<char16_t>(u + 1);
  if (u >= 0x139 && u <= 0x148 && u % 2 == 1) return static_cast<char16_t>(u + 1);
  if (u >= 0x14A && u <= 0x177 && u % 2 == 0) return static_cast<char16_t>(u + 1);
  if (u == 0x178) return 0xFF;
  if (u >= 0x179 && u <= 0x17E && u % 2 == 1) return static_cast<char16_t>(u + 1);
  if (u >= 0x391 && u <= 0x3AB && u != 0x3A2) return static_cast<char16_t>(u + 32);
  if (u >= 0x400 && u <= 0x40F) return static_cast<char16_t>(u + 80);
  if (u >= 0x410 && u <= 0x42F) return static_cast<char16_t>(u + 32);
  return u;
}

}  // namespace vbs::detail
