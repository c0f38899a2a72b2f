// NumberText: the numeric text reader of the conversions (see NumberText.h for the form).
#include "vbscript/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "vbscript/Variant.h"
#include "vbscript/VbError.h"

namespace vbs::detail {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<ParsedNumber> ParseHexOrOctal(std::string_view body) {
  // body starts after "&"; "H" or "O" follows.
  const char kind = body.empty() ? '\0' : body[0];
  const unsigned base = (kind == 'H' || kind == 'h') ? 16 : (kind == 'O' || kind == 'o') ? 8 : 0;
  if (base == 0) return std::nullopt;
  ParsedNumber result;
  result.isHexOrOctal = true;
  std::size_t i = 1;
  std::size_t digitCount = 0;
  for (; i < body.size(); ++i) {
    const int d = HexDigit(body[i]);
    if (d < 0 || static_cast<unsigned>(d) >= base) break;
    ++digitCount;
    if (result.hexValue > (std::numeric_limits<std::uint64_t>::max() >> 4)) {
      result.hexTooLarge = true;
    } else {
      result.hexValue = result.hexValue * base + static_cast<unsigned>(d);
    }
  }
  if (digitCount == 0) return std::nullopt;
  for (; i < body.size(); ++i) {
    if (!IsBlank(body[i])) return std::nullopt;
  }
  if (result.hexValue > 0xFFFFFFFFu) result.hexTooLarge = true;
  return result;
}

}  // namespace

std::optional<ParsedNumber> ParseNumber(std::string_view text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && IsBlank(text[i])) ++i;
  if (i < n && text[i] == '&') return ParseHexOrOctal(text.substr(i + 1));

  ParsedNumber result;
  bool sawSign = false, sawParen = false, sawDollar = false;
  for (; i < n; ++i) {
    const char c = text[i];
    if ((c == '+' || c == '-') && !sawSign) {
      sawSign = true;
      result.negative = (c == '-');
    } else if (c == '(' && !sawParen) {
      sawParen = true;
    } else if (c == '$' && !sawDollar) {
      sawDollar = true;
    } else {
      break;
    }
  }

  // Digits: leading zeros are dropped, every other digit is kept.
  bool anyDigit = false;
  std::int64_t fractionDigits = 0;
  for (; i < n; ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      anyDigit = true;
      if (!(c == '0' && result.digits.empty())) result.digits.push_back(c);
    } else if (c == ',' && anyDigit) {
      continue;  // thousands separator
    } else {
      break;
    }
  }
  if (i < n && text[i] == '.') {
    for (++i; i < n && IsDigit(text[i]); ++i) {
      anyDigit = true;
      ++fractionDigits;
      if (!(text[i] == '0' && result.digits.empty())) {
        result.digits.push_back(text[i]);
      }
    }
  }
  if (!anyDigit) return std::nullopt;
  // Every fraction digit counts in the exponent; the leading zeros that were not stored stand
  // for nothing, so the value is still digits x 10^exponent.
  result.exponent = -fractionDigits;

  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool expNegative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
      expNegative = (text[i] == '-');
      ++i;
    }
    if (i >= n || !IsDigit(text[i])) return std::nullopt;
    std::int64_t exp = 0;
    for (; i < n && IsDigit(text[i]); ++i) {
      if (exp < 100000) exp = exp * 10 + (text[i] - '0');
    }
    result.exponent += expNegative ? -exp : exp;
  }

  if (sawParen) {
    if (i >= n || text[i] != ')') return std::nullopt;
    ++i;
    result.negative = true;
  }
  if (!sawSign && i < n && (text[i] == '+' || text[i] == '-')) {
    result.negative = (text[i] == '-');
    ++i;
  }
  while (i < n && IsBlank(text[i])) ++i;
  if (i != n) return std::nullopt;

  // Trailing zeros move into the exponent so digits stays short.
  while (!result.digits.empty() && result.digits.back() == '0') {
    result.digits.pop_back();
    ++result.exponent;
  }
  if (result.digits.empty()) result.exponent = 0;
  return result;
}

double ParsedToDouble(const ParsedNumber& number) {
  if (number.isHexOrOctal) {
    if (number.hexTooLarge) throw VbError(err::kOverflow);
    return static_cast<double>(
        static_cast<std::int32_t>(static_cast<std::uint32_t>(number.hexValue)));
  }
  if (number.digits.empty()) return 0.0;
  const auto magnitude = number.exponent + static_cast<std::int64_t>(number.digits.size());
  if (magnitude > 400) throw VbError(err::kOverflow);
  if (magnitude < -400) return 0.0;
  const std::string text = number.digits + "e" + std::to_string(number.exponent);
  double value = 0.0;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  (void)ptr;
  if (ec == std::errc::result_out_of_range) {
    if (magnitude > 0) throw VbError(err::kOverflow);
    value = 0.0;  // underflow reads as zero
  } else if (ec != std::errc()) {
    throw VbError(err::kTypeMismatch);
  }
  return number.negative ? -value : value;
}

std::int64_t ParsedToCurrency(const ParsedNumber& number) {
  if (number.isHexOrOctal) return HexValueAs(number, false) * 10000;
  if (number.digits.empty()) return 0;
  // Scale by 10^4: digits x 10^(exponent + 4); split into the integer part and what is dropped.
  const std::int64_t shift = number.exponent + 4;
  const auto count = static_cast<std::int64_t>(number.digits.size());
  if (count + shift > 19) throw VbError(err::kOverflow);
  std::string integerDigits;
  std::string_view dropped;
  if (shift >= 0) {
    integerDigits = number.digits + std::string(static_cast<std::size_t>(shift), '0');
  } else if (-shift < count) {
    integerDigits = number.digits.substr(0, static_cast<std::size_t>(count + shift));
    dropped = std::string_view(number.digits).substr(static_cast<std::size_t>(count + shift));
  } else {
    dropped = number.digits;  // all digits lie below the fourth decimal
  }
  unsigned __int128 magnitude = 0;
  for (char c : integerDigits) magnitude = magnitude * 10 + static_cast<unsigned>(c - '0');
  // Round half to even on the exact dropped digits (a value below 10^-5 has an implicit
  // leading zero, which the shift accounts for: dropped then starts below the half position).
  if (!dropped.empty()) {
    const bool droppedStartsAtHalfPosition = (-shift <= count);
    if (droppedStartsAtHalfPosition) {
      const char first = dropped[0];
      const bool restNonZero = dropped.find_first_not_of('0', 1) != std::string_view::npos;
      if (first > '5' || (first == '5' && (restNonZero || (magnitude & 1) != 0))) ++magnitude;
    }
  }
  const unsigned __int128 limit =
      static_cast<unsigned __int128>(std::numeric_limits<std::int64_t>::max()) +
      (number.negative ? 1 : 0);
  if (magnitude > limit) throw VbError(err::kOverflow);
  if (number.negative) return static_cast<std::int64_t>(-static_cast<__int128>(magnitude));
  return static_cast<std::int64_t>(magnitude);
}

std::int64_t HexValueAs(const ParsedNumber& number, bool targetIs16Bit) {
  if (number.hexTooLarge) throw VbError(err::kOverflow);
  if (targetIs16Bit && number.hexValue <= 0xFFFF) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(number.hexValue));
  }
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(number.hexValue));
}

}  // namespace vbs::detail

namespace vbs {

std::optional<double> ParseNumberText(std::string_view text) {
  const auto parsed = detail::ParseNumber(text);
  if (!parsed) return std::nullopt;
  return detail::ParsedToDouble(*parsed);
}

}  // namespace vbs
