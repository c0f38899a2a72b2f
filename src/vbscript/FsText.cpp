// FsText: Windows-1252, UTF-8 and UTF-16LE conversions for text files.
#include "vbscript/FsText.h"

#include "vbscript/Utf16.h"

namespace vbs::detail {

namespace {

// Windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves undefined map to the C1
// control of the same value, as Windows' own conversion does, so they survive a round trip.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Length of the UTF-8 sequence a lead byte starts; 0 for a byte that cannot start one.
std::size_t SequenceLength(unsigned char b) {
  if (b < 0x80) return 1;
  if (b >= 0xC2 && b < 0xE0) return 2;
  if (b >= 0xE0 && b < 0xF0) return 3;
  if (b >= 0xF0 && b < 0xF5) return 4;
  return 0;
}

// Whether bytes[i..i+n) is one well-formed sequence (no overlong form, no surrogate).
bool WellFormed(std::string_view bytes, std::size_t i, std::size_t n) {
  const auto b0 = static_cast<unsigned char>(bytes[i]);
  char32_t cp = n == 1 ? b0 : n == 2 ? (b0 & 0x1Fu) : n == 3 ? (b0 & 0x0Fu) : (b0 & 0x07u);
  for (std::size_t k = 1; k < n; ++k) {
    const auto b = static_cast<unsigned char>(bytes[i + k]);
    if ((b & 0xC0) != 0x80) return false;
    cp = (cp << 6) | (b & 0x3Fu);
  }
  if (n == 3) return cp >= 0x800 && (cp < 0xD800 || cp > 0xDFFF);
  if (n == 4) return cp >= 0x10000 && cp <= 0x10FFFF;
  return true;
}

}  // namespace

void Utf8Checker::feed(std::string_view piece) {
  if (!valid_) return;
  std::string joined;
  if (!carry_.empty()) {
    joined = carry_ + std::string(piece);
    piece = joined;
    carry_.clear();
  }
  std::size_t i = 0;
  while (i < piece.size()) {
    const auto b = static_cast<unsigned char>(piece[i]);
    if (b < 0x80) {
      ++i;
      continue;
    }
    nonAscii_ = true;
    const std::size_t n = SequenceLength(b);
    if (n == 0) {
      valid_ = false;
      return;
    }
    if (i + n > piece.size()) {
      carry_ = std::string(piece.substr(i));
      return;
    }
    if (!WellFormed(piece, i, n)) {
      valid_ = false;
      return;
    }
    i += n;
  }
}

std::size_t WholeCharacterPrefix(std::string_view bytes, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Cp1252: return bytes.size();
    case TextEncoding::Utf16Le: return bytes.size() & ~std::size_t{1};
    case TextEncoding::Utf8: break;
  }
  // Look back at most three bytes for the lead byte of an unfinished sequence.
  for (std::size_t back = 1; back <= 3 && back <= bytes.size(); ++back) {
    const auto b = static_cast<unsigned char>(bytes[bytes.size() - back]);
    if ((b & 0xC0) == 0x80) continue;  // continuation byte: keep looking
    const std::size_t n = SequenceLength(b);
    return n > back ? bytes.size() - back : bytes.size();
  }
  return bytes.size();
}

std::u16string DecodeText(std::string_view bytes, TextEncoding encoding) {
  std::u16string out;
  switch (encoding) {
    case TextEncoding::Utf8: return ToUtf16(bytes);
    case TextEncoding::Cp1252:
      out.reserve(bytes.size());
      for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out.push_back(b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : char16_t{b});
      }
      return out;
    case TextEncoding::Utf16Le:
      out.reserve(bytes.size() / 2);
      for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                            (static_cast<unsigned char>(bytes[i + 1]) << 8)));
      }
      return out;
  }
  return out;
}

std::optional<std::string> EncodeCp1252(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char16_t c : text) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    bool found = false;
    for (int k = 0; k < 32; ++k) {
      if (kHighControls[k] == c) {
        out.push_back(static_cast<char>(0x80 + k));
        found = true;
        break;
      }
    }
    if (!found) return std::nullopt;
  }
  return out;
}

std::string EncodeText(std::u16string_view text, TextEncoding encoding) {
  if (encoding == TextEncoding::Utf16Le) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char16_t c : text) {
      out.push_back(static_cast<char>(c & 0xFF));
      out.push_back(static_cast<char>(c >> 8));
    }
    return out;
  }
  if (encoding == TextEncoding::Cp1252) {
    if (auto bytes = EncodeCp1252(text)) return *bytes;
  }
  return ToUtf8(text);
}

}  // namespace vbs::detail
