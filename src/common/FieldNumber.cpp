// Parsing of numeric field text; locale-independent (std::from_chars), never reads past the
// text.
#include "common/FieldNumber.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

#include "vbscript/VbError.h"

namespace tw {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int DigitValue(char c, int base) {
  int v = -1;
  if (c >= '0' && c <= '9') v = c - '0';
  if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
  return v < base ? v : -1;
}

std::optional<double> ParseRadix(std::string_view digits, int base) {
  bool forceLong = false;
  if (!digits.empty() && digits.back() == '&') {
    forceLong = true;
    digits.remove_suffix(1);
  }
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : digits) {
    const int d = DigitValue(c, base);
    if (d < 0) return std::nullopt;
    value = value * static_cast<unsigned>(base) + static_cast<unsigned>(d);
    if (value > 0xFFFFFFFFu) throw vbs::VbError(vbs::err::kOverflow);
  }
  if (!forceLong && value <= 0xFFFF) {
    return static_cast<double>(static_cast<std::int16_t>(static_cast<std::uint16_t>(value)));
  }
  return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

// Checks the decimal grammar; on success `normal` holds the text with "D" replaced by "E"
// and without a leading "+", ready for from_chars.
bool NormalDecimal(std::string_view text, std::string& normal) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t mantissaDigits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++mantissaDigits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++mantissaDigits;
  }
  if (mantissaDigits == 0) return false;
  std::size_t exponentAt = std::string_view::npos;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    exponentAt = i++;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t exponentDigits = 0;
    while (i < text.size() && IsDigit(text[i])) ++i, ++exponentDigits;
    if (exponentDigits == 0) return false;
  }
  if (i != text.size()) return false;
  normal.assign(text.starts_with('+') ? text.substr(1) : text);
  if (exponentAt != std::string_view::npos) {
    normal[exponentAt - (text.starts_with('+') ? 1 : 0)] = 'e';
  }
  return true;
}

}  // namespace

std::optional<double> ParseFieldNumber(std::string_view text) {
  if (text.size() >= 2 && text[0] == '&') {
    if (text[1] == 'h' || text[1] == 'H') return ParseRadix(text.substr(2), 16);
    if (text[1] == 'o' || text[1] == 'O') return ParseRadix(text.substr(2), 8);
    return std::nullopt;
  }
  std::string normal;
  if (!NormalDecimal(text, normal)) return std::nullopt;
  double value = 0;
  const char* first = normal.data();
  const char* last = normal.data() + normal.size();
  const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    // Too large or too small for a Double. A value whose decimal exponent is negative
    // overall is tiny and reads as 0; anything else overflows.
    const std::size_t e = normal.find('e');
    const std::string_view mantissa = std::string_view(normal).substr(0, e);
    // Only the exponent's size matters: one beyond a million, or beyond a long, is as good
    // as infinite, and so bounded the sum below cannot overflow.
    constexpr long kHugeExponent = 1000000;
    long exponent = 0;
    if (e != std::string::npos) {
      std::string_view ex = std::string_view(normal).substr(e + 1);
      const bool negative = ex.starts_with('-');
      if (negative || ex.starts_with('+')) ex.remove_prefix(1);
      long magnitude = 0;
      const auto parsed = std::from_chars(ex.data(), ex.data() + ex.size(), magnitude);
      if (parsed.ec == std::errc::result_out_of_range || magnitude > kHugeExponent) {
        magnitude = kHugeExponent;
      }
      exponent = negative ? -magnitude : magnitude;
    }
    const std::size_t dot = mantissa.find('.');
    const std::size_t nonZero = mantissa.find_first_not_of("+-0.");
    const long integerDigits =
        nonZero == std::string_view::npos ? 0
        : (dot == std::string_view::npos || nonZero < dot)
            ? static_cast<long>((dot == std::string_view::npos ? mantissa.size() : dot) - nonZero)
            : -static_cast<long>(nonZero - dot - 1);
    if (integerDigits + exponent <= 0) return normal.starts_with('-') ? -0.0 : 0.0;
    throw vbs::VbError(vbs::err::kOverflow);
  }
  if (ec != std::errc() || end != last) return std::nullopt;
  return value;
}

double RoundHalfEven(double value) {
  const double floor = std::floor(value);
  const double diff = value - floor;
  if (diff < 0.5) return floor;
  if (diff > 0.5) return floor + 1;
  return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

}  // namespace tw
