// NumberFormat: numbers printed as CStr prints them under en-US.
//
// Double and Single use the general form of 15 and 7 significant digits: fixed notation while
// the decimal exponent X of the rounded value satisfies -5 < X < digits, else "d.dddE+XX" with
// at least two exponent digits; trailing zeros and a bare "." are dropped, a zero before the
// point is kept ("0.5"), and negative zero prints "0". The digits come from std::to_chars, which
// ignores the process locale (the Qt front end sets one with "," as decimal point in some
// countries).
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "vbscript/Variant.h"

namespace vbs {
namespace {

std::string FormatGeneral(double value, int significantDigits) {
  if (std::isnan(value)) return "-1.#IND";
  if (std::isinf(value)) return value < 0 ? "-1.#INF" : "1.#INF";
  if (value == 0.0) return "0";

  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                    std::chars_format::scientific, significantDigits - 1);
  const std::string scientific(buffer, result.ptr);
  // scientific is "-d.ddddde+XX"
  const auto ePos = scientific.find('e');
  const bool negative = scientific[0] == '-';
  std::string digits;
  for (std::size_t i = negative ? 1 : 0; i < ePos; ++i) {
    if (scientific[i] != '.') digits.push_back(scientific[i]);
  }
  const int exponent = std::atoi(scientific.c_str() + ePos + 1);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = negative ? "-" : "";
  if (exponent < -4 || exponent >= significantDigits) {
    out += digits[0];
    if (digits.size() > 1) {
      out += '.';
      out.append(digits, 1);
    }
    out += exponent < 0 ? "E-" : "E+";
    const std::string expDigits = std::to_string(std::abs(exponent));
    if (expDigits.size() < 2) out += '0';
    out += expDigits;
  } else if (exponent >= 0) {
    const auto integerCount = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integerCount) {
      out += digits;
      out.append(integerCount - digits.size(), '0');
    } else {
      out.append(digits, 0, integerCount);
      out += '.';
      out.append(digits, integerCount);
    }
  } else {
    out += "0.";
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    out += digits;
  }
  return out;
}

}  // namespace

std::string FormatDouble(double value) {
  return FormatGeneral(value, 15);
}

std::string FormatSingle(float value) {
  return FormatGeneral(static_cast<double>(value), 7);
}

std::string FormatCurrency(std::int64_t tenThousandths) {
  const bool negative = tenThousandths < 0;
  // Through unsigned so that the most negative value keeps its magnitude.
  const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(tenThousandths)
                                           : static_cast<std::uint64_t>(tenThousandths);
  std::string out = negative ? "-" : "";
  out += std::to_string(magnitude / 10000);
  std::uint64_t fraction = magnitude % 10000;
  if (fraction != 0) {
    std::string fractionDigits = std::to_string(fraction);
    fractionDigits.insert(0, 4 - fractionDigits.size(), '0');
    while (fractionDigits.back() == '0') fractionDigits.pop_back();
    out += '.';
    out += fractionDigits;
  }
  return out;
}

}  // namespace vbs
