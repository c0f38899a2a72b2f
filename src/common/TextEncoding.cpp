// Windows-1252 <-> UTF-8 conversion, UTF-8 validation, and case folding of names.
#include "common/TextEncoding.h"

#include <array>
#include <cstdint>
#include <vector>

namespace tw {
namespace {

// Code points of the bytes 0x80-0x9F in Windows-1252. The undefined bytes map to the C1
// control with the same number, as MultiByteToWideChar does.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

constexpr char32_t kInvalid = 0xFFFFFFFF;

// Decodes one character at `pos` and advances past it; on a malformed sequence returns
// kInvalid and advances by one byte, so callers can pass the byte through.
char32_t DecodeOne(std::string_view s, std::size_t& pos) {
  const auto b0 = static_cast<unsigned char>(s[pos]);
  if (b0 < 0x80) {
    ++pos;
    return b0;
  }
  int length;
  char32_t cp;
  char32_t minimum;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2, cp = b0 & 0x1F, minimum = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3, cp = b0 & 0x0F, minimum = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4, cp = b0 & 0x07, minimum = 0x10000;
  } else {
    ++pos;
    return kInvalid;
  }
  if (s.size() - pos < static_cast<std::size_t>(length)) {
    ++pos;
    return kInvalid;
  }
  for (int i = 1; i < length; ++i) {
    const auto b = static_cast<unsigned char>(s[pos + i]);
    if ((b & 0xC0) != 0x80) {
      ++pos;
      return kInvalid;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++pos;
    return kInvalid;
  }
  pos += length;
  return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::optional<unsigned char> Cp1252Byte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == cp) return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

char32_t FoldChar(char32_t cp) {
  if (cp >= 'A' && cp <= 'Z') return cp + 0x20;
  if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) return cp + 0x20;
  switch (cp) {
    case 0x0152:
      return 0x0153;  // Œ
    case 0x0160:
      return 0x0161;  // Š
    case 0x017D:
      return 0x017E;  // Ž
    case 0x0178:
      return 0x00FF;  // Ÿ
    default:
      return cp;
  }
}

// A text as folded characters; bytes that are not valid UTF-8 stay distinct from every
// character by being kept above the Unicode range.
std::vector<char32_t> FoldedChars(std::string_view s) {
  std::vector<char32_t> out;
  out.reserve(s.size());
  std::size_t pos = 0;
  while (pos < s.size()) {
    const std::size_t start = pos;
    const char32_t cp = DecodeOne(s, pos);
    out.push_back(cp == kInvalid ? 0x110000 + static_cast<unsigned char>(s[start]) : FoldChar(cp));
  }
  return out;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    if (DecodeOne(bytes, pos) == kInvalid) return false;
  }
  return true;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out += c;
    } else if (b < 0xA0) {
      AppendUtf8(out, kHighControls[b - 0x80]);
    } else {
      AppendUtf8(out, b);
    }
  }
  return out;
}

std::optional<std::string> Utf8ToCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const char32_t cp = DecodeOne(utf8, pos);
    if (cp == kInvalid) return std::nullopt;
    const auto byte = Cp1252Byte(cp);
    if (!byte) return std::nullopt;
    out += static_cast<char>(*byte);
  }
  return out;
}

std::string DecodeDataText(std::string_view bytes) {
  if (IsValidUtf8(bytes)) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    return std::string(bytes);
  }
  return Cp1252ToUtf8(bytes);
}

std::string EncodeSavedText(std::string_view utf8) {
  if (auto cp1252 = Utf8ToCp1252(utf8)) {
    // Pure ASCII is the same in both forms; otherwise the Windows-1252 bytes must not read
    // back as UTF-8, or the reader would see other characters.
    if (*cp1252 == utf8 || !IsValidUtf8(*cp1252)) return std::move(*cp1252);
  }
  return std::string(utf8);
}

std::string FoldCase(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t start = pos;
    const char32_t cp = DecodeOne(text, pos);
    if (cp == kInvalid) {
      out += text[start];
    } else {
      AppendUtf8(out, FoldChar(cp));
    }
  }
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  // Both letters of every case pair have the same UTF-8 length, so folding keeps the
  // length and texts of unequal length cannot be equal.
  if (a.size() != b.size()) return false;
  return FoldCase(a) == FoldCase(b);
}

bool WildcardMatchNoCase(std::string_view name, std::string_view pattern) {
  const std::vector<char32_t> n = FoldedChars(name);
  const std::vector<char32_t> p = FoldedChars(pattern);
  // Greedy matching with a return to the last "*": linear in practice, never exponential.
  std::size_t ni = 0, pi = 0;
  std::size_t starP = std::string_view::npos, starN = 0;
  while (ni < n.size()) {
    if (pi < p.size() && (p[pi] == '?' || (p[pi] != '*' && p[pi] == n[ni]))) {
      ++ni, ++pi;
    } else if (pi < p.size() && p[pi] == '*') {
      starP = pi++;
      starN = ni;
    } else if (starP != std::string_view::npos) {
      pi = starP + 1;
      ni = ++starN;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == '*') ++pi;
  return pi == p.size();
}

std::string NameToUtf8(std::string_view diskName) {
  return IsValidUtf8(diskName) ? std::string(diskName) : Cp1252ToUtf8(diskName);
}

}  // namespace tw
