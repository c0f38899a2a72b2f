// BuiltinsFormat: FormatNumber, FormatCurrency, FormatPercent and FormatDateTime as they come
// out under English (United States) settings.
//
// Numbers are formatted from their exact decimal digits (the shortest text that reads back as
// the same Double, or Currency's own digits), rounded half away from zero to the requested
// places, so FormatNumber(0.125, 2) is "0.13" whatever the binary value. en-US regional
// defaults: 2 decimal places, a leading zero, "," between groups of three, "-" for negative
// numbers and percentages, "($1.00)" for negative currency. A value that rounds to zero has no
// sign. Dates use M/d/yyyy, "dddd, MMMM d, yyyy", h:mm:ss AM/PM and HH:mm.
#include <array>
#include <charconv>
#include <string>

#include "vbscript/BuiltinsDetail.h"
#include "vbscript/DateTime.h"
#include "vbscript/NumberText.h"
#include "vbscript/VbError.h"

namespace vbs::detail {
namespace {

using Args = std::span<Variant>;

enum class Style { Number, Currency, Percent };

// The exact decimal of a value: digits (no leading zeros) x 10^exponent.
ParsedNumber DecimalOf(const Variant& v) {
  std::string text;
  if (v.type() == VarType::Currency) {
    text = FormatCurrency(v.rawInt());
  } else {
    char buffer[40];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v.toDouble()).ptr;
    text.assign(buffer, end);
  }
  return *ParseNumber(text);
}

// -1 means the regional default; other values must lie in 0..255 (5 otherwise).
int PlacesArg(Args args, std::size_t i) {
  const std::int32_t places = LongArg(args, i, -1);
  if (places < -1 || places > 255) throw VbError(err::kInvalidCall);
  return places == -1 ? 2 : places;
}

// A tristate argument: -2 (vbUseDefault) or missing gives the default; 0 is false, other
// values true.
bool TristateArg(Args args, std::size_t i, bool fallback) {
  const std::int32_t value = LongArg(args, i, -2);
  if (value == -2) return fallback;
  return value != 0;
}

std::string Grouped(const std::string& whole) {
  std::string out;
  const std::size_t n = whole.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += ',';
    out += whole[i];
  }
  return out;
}

Variant FormatAs(Args args, Style style) {
  const Variant v = ArgValue(args, 0);
  const int places = PlacesArg(args, 1);
  const bool leadingDigit = TristateArg(args, 2, true);
  const bool parens = TristateArg(args, 3, style == Style::Currency);
  const bool group = TristateArg(args, 4, true);
  if (v.isNull()) throw VbError(err::kTypeMismatch);  // Null has no number to format

  ParsedNumber number = DecimalOf(v);
  if (style == Style::Percent && !number.digits.empty()) number.exponent += 2;

  // Digits of the value scaled by 10^places, rounded half away from zero.
  std::string digits = number.digits;
  const std::int64_t keep = static_cast<std::int64_t>(digits.size()) + number.exponent + places;
  if (keep < 0) {
    digits.clear();
  } else if (keep < static_cast<std::int64_t>(digits.size())) {
    const bool up = digits[static_cast<std::size_t>(keep)] >= '5';
    digits.resize(static_cast<std::size_t>(keep));
    if (up) {
      std::size_t i = digits.size();
      while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
      if (i == 0) {
        digits.insert(digits.begin(), '1');
      } else {
        ++digits[i - 1];
      }
    }
  } else {
    digits.append(static_cast<std::size_t>(keep) - digits.size(), '0');
  }
  // digits now holds the value x 10^places as a whole number.
  if (digits.size() < static_cast<std::size_t>(places) + 1) {
    digits.insert(0, static_cast<std::size_t>(places) + 1 - digits.size(), '0');
  }
  const bool zero = digits.find_first_not_of('0') == std::string::npos;
  const bool negative = number.negative && !zero;
  std::string whole = digits.substr(0, digits.size() - static_cast<std::size_t>(places));
  const std::string fraction = digits.substr(digits.size() - static_cast<std::size_t>(places));
  whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
  if (whole.empty() && leadingDigit) whole = "0";

  std::string body = group ? Grouped(whole) : whole;
  if (places > 0) body += "." + fraction;
  if (style == Style::Currency) body = "$" + body;
  if (style == Style::Percent) body += "%";
  if (negative) body = parens ? "(" + body + ")" : "-" + body;
  return Variant::fromString(std::move(body));
}

Variant FormatNumber(BuiltinHost&, Args args) {
  return FormatAs(args, Style::Number);
}
Variant FormatCurrencyFn(BuiltinHost&, Args args) {
  return FormatAs(args, Style::Currency);
}
Variant FormatPercent(BuiltinHost&, Args args) {
  return FormatAs(args, Style::Percent);
}

std::string TwoDigits(std::int64_t n) {
  return (n < 10 ? "0" : "") + std::to_string(n);
}

// FormatDateTime(date[, format]): 0 general (as CStr), 1 long date, 2 short date,
// 3 long time, 4 short time (24-hour); other formats raise 5. A Null date is a type mismatch,
// found before the format is read.
Variant FormatDateTime(BuiltinHost&, Args args) {
  const Variant v = ArgValue(args, 0);
  if (v.isNull()) throw VbError(err::kTypeMismatch);
  const std::int32_t format = LongArg(args, 1, 0);
  if (format < 0 || format > 4) throw VbError(err::kInvalidCall);
  const double date = v.toDate();
  std::int64_t day = 0, seconds = 0;
  if (!DecodeOleDate(date, day, seconds)) throw VbError(err::kOverflow);
  std::int64_t year = 0;
  int month = 0, dayOfMonth = 0;
  CivilFromDayIndex(day, year, month, dayOfMonth);
  const std::int64_t hour = seconds / 3600, minute = seconds / 60 % 60, second = seconds % 60;
  std::string out;
  switch (format) {
    case 0:
      out = vbs::FormatDate(date);
      break;
    case 1:
      out = std::string(WeekdayNameOf(WeekdayOf(day), false)) + ", " +
            std::string(MonthNameOf(month, false)) + " " + std::to_string(dayOfMonth) + ", " +
            std::to_string(year);
      break;
    case 2:
      out = std::to_string(month) + "/" + std::to_string(dayOfMonth) + "/" + std::to_string(year);
      break;
    case 3:
      out = std::to_string(hour % 12 == 0 ? 12 : hour % 12) + ":" + TwoDigits(minute) + ":" +
            TwoDigits(second) + (hour < 12 ? " AM" : " PM");
      break;
    case 4:
      out = TwoDigits(hour) + ":" + TwoDigits(minute);
      break;
  }
  return Variant::fromString(std::move(out));
}

constexpr std::array kTable = {
    BuiltinInfo{"FormatNumber", 1, 5, FormatNumber},
    BuiltinInfo{"FormatCurrency", 1, 5, FormatCurrencyFn},
    BuiltinInfo{"FormatPercent", 1, 5, FormatPercent},
    BuiltinInfo{"FormatDateTime", 1, 2, FormatDateTime},
};

}  // namespace

BuiltinTable FormatBuiltins() {
  return kTable;
}

}  // namespace vbs::detail
