// NumberText: reading numbers out of text the way VBScript's conversions do (en-US).
//
// The accepted form: blanks, then in any order at most one sign, one "(" and one "$", then
// digits with thousands commas after the first digit, an optional "." and fraction, an optional
// exponent ("e"/"E", sign, digits), then a ")" closing a "(" (negative), an optional trailing
// sign when none came before, and blanks. "&H" and "&O" introduce hexadecimal and octal
// integers (blanks around allowed, nothing else). A decimal result keeps every digit, so
// Currency can round the exact decimal value rather than a binary approximation.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vbs::detail {

struct ParsedNumber {
  bool negative = false;
  // Decimal: value = digits x 10^exponent; digits has no leading zeros ("" for zero).
  std::string digits;
  std::int64_t exponent = 0;
  // "&H" / "&O" forms: the unsigned value; hexTooLarge when it needs more than 32 bits.
  bool isHexOrOctal = false;
  std::uint64_t hexValue = 0;
  bool hexTooLarge = false;
};

std::optional<ParsedNumber> ParseNumber(std::string_view text);

// The decimal value as a correctly rounded double; throws 6 when it exceeds a Double.
// "&H"/"&O" values up to 32 bits are Longs: &HFFFFFFFF is -1.
double ParsedToDouble(const ParsedNumber& number);

// The value x 10000 rounded half to even from the exact decimal digits; throws 6 outside
// the Currency range.
std::int64_t ParsedToCurrency(const ParsedNumber& number);

// "&H"/"&O" value as an integer of the given width: values that fit 16 bits read as a signed
// 16-bit Integer when targetIs16Bit, values that fit 32 bits as a signed Long; throws 6 beyond.
std::int64_t HexValueAs(const ParsedNumber& number, bool targetIs16Bit);

}  // namespace vbs::detail
