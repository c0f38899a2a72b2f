// VariantConvert: CBool, CByte, CInt, CLng, CSng, CDbl, CCur, CDate and CStr.
//
// Rules kept here: Empty converts to 0, "" and False; Null raises 94; objects convert through
// their default value; Error values and arrays are a type mismatch. Conversions to Byte,
// Integer, Long and Currency round half to even (banker's rounding) and raise 6 when the
// rounded value does not fit (Currency rounds the decimal a number reads as). True converts to -1,
// except to Byte where it is 255.
#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>

#include "vbscript/DateTime.h"
#include "vbscript/NumberText.h"
#include "vbscript/Object.h"
#include "vbscript/Variant.h"
#include "vbscript/VbError.h"

namespace vbs {
namespace {

double RoundHalfEven(double x) {
  double r = std::floor(x);
  const double diff = x - r;
  if (diff > 0.5 || (diff == 0.5 && std::fmod(r, 2.0) != 0.0)) r += 1.0;
  return r;
}

// Currency (x 10000) to a whole number, half to even.
std::int64_t RoundCurrencyToWhole(std::int64_t tenThousandths) {
  std::int64_t whole = tenThousandths / 10000;
  const std::int64_t rest = tenThousandths % 10000;
  const std::int64_t sign = tenThousandths < 0 ? -1 : 1;
  const std::int64_t absRest = rest < 0 ? -rest : rest;
  if (absRest > 5000 || (absRest == 5000 && whole % 2 != 0)) whole += sign;
  return whole;
}

[[noreturn]] void ThrowConversionError(const Variant& v) {
  if (v.isNull()) throw VbError(err::kInvalidUseOfNull);
  throw VbError(err::kTypeMismatch);
}

detail::ParsedNumber ParseOrMismatch(const std::string& text) {
  auto parsed = detail::ParseNumber(text);
  if (!parsed) throw VbError(err::kTypeMismatch);
  return *parsed;
}

// The value of a non-string, non-object Variant as a double (Empty = 0, True = -1).
double PlainNumber(const Variant& v) {
  switch (v.type()) {
    case VarType::Empty:
      return 0.0;
    case VarType::Boolean:
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
      return static_cast<double>(v.rawInt());
    case VarType::Currency:
      return static_cast<double>(v.rawInt()) / 10000.0;
    case VarType::Single:
    case VarType::Double:
    case VarType::Date:
      return v.rawDouble();
    default:
      ThrowConversionError(v);
  }
}

enum class Whole { Byte, Integer, Long };

std::int64_t ToWhole(const Variant& original, Whole target) {
  const Variant v = original.resolved();
  std::int64_t value = 0;
  switch (v.type()) {
    case VarType::Boolean:
      value = (target == Whole::Byte && v.rawInt() != 0) ? 255 : v.rawInt();
      break;
    case VarType::Empty:
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
      value = v.isEmpty() ? 0 : v.rawInt();
      break;
    case VarType::Currency:
      value = RoundCurrencyToWhole(v.rawInt());
      break;
    case VarType::Single:
    case VarType::Double:
    case VarType::Date:
    case VarType::String: {
      double d = 0.0;
      if (v.isString()) {
        const auto parsed = ParseOrMismatch(v.rawString());
        if (parsed.isHexOrOctal) {
          value = detail::HexValueAs(parsed, target != Whole::Long);
          break;
        }
        d = detail::ParsedToDouble(parsed);
      } else {
        d = v.rawDouble();
      }
      const double r = RoundHalfEven(d);
      // Outside the Long range (or NaN) the value cannot fit any whole target.
      if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw VbError(err::kOverflow);
      value = static_cast<std::int64_t>(r);
      break;
    }
    default:
      ThrowConversionError(v);
  }
  std::int64_t low = 0, high = 0;
  switch (target) {
    case Whole::Byte:
      low = 0, high = 255;
      break;
    case Whole::Integer:
      low = -32768, high = 32767;
      break;
    case Whole::Long:
      low = std::numeric_limits<std::int32_t>::min(),
      high = std::numeric_limits<std::int32_t>::max();
      break;
  }
  if (value < low || value > high) throw VbError(err::kOverflow);
  return value;
}

}  // namespace

bool Variant::toBool() const {
  const Variant v = resolved();
  if (v.isString()) {
    const std::string& s = v.rawString();
    // The words in any letter case, and the sequential-file forms exactly.
    auto equalsIgnoringCase = [&s](std::string_view word) {
      if (s.size() != word.size()) return false;
      for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = (s[i] >= 'A' && s[i] <= 'Z') ? static_cast<char>(s[i] + 32) : s[i];
        if (c != word[i]) return false;
      }
      return true;
    };
    if (equalsIgnoringCase("true") || s == "#TRUE#") return true;
    if (equalsIgnoringCase("false") || s == "#FALSE#") return false;
    const auto parsed = ParseOrMismatch(s);
    if (parsed.isHexOrOctal) return detail::HexValueAs(parsed, false) != 0;
    return detail::ParsedToDouble(parsed) != 0.0;
  }
  if (v.isEmpty()) return false;
  return PlainNumber(v) != 0.0;
}

std::uint8_t Variant::toByte() const {
  return static_cast<std::uint8_t>(ToWhole(*this, Whole::Byte));
}

std::int16_t Variant::toInteger() const {
  return static_cast<std::int16_t>(ToWhole(*this, Whole::Integer));
}

std::int32_t Variant::toLong() const {
  return static_cast<std::int32_t>(ToWhole(*this, Whole::Long));
}

double Variant::toDouble() const {
  const Variant v = resolved();
  if (v.isString()) return detail::ParsedToDouble(ParseOrMismatch(v.rawString()));
  return PlainNumber(v);
}

float Variant::toSingle() const {
  const double d = toDouble();
  if (!(std::fabs(d) <= static_cast<double>(FLT_MAX))) throw VbError(err::kOverflow);
  return static_cast<float>(d);
}

std::int64_t Variant::toCurrency() const {
  const Variant v = resolved();
  switch (v.type()) {
    case VarType::Currency:
      return v.rawInt();
    case VarType::Empty:
      return 0;
    case VarType::Boolean:
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
      return v.rawInt() * 10000;
    case VarType::String:
      return detail::ParsedToCurrency(ParseOrMismatch(v.rawString()));
    case VarType::Single:
    case VarType::Double:
    case VarType::Date: {
      // Round the shortest decimal that reads back as this double, not the binary value:
      // 0.00015 is stored a hair below the half, yet a script author wrote a half, and
      // CCur(0.00015) must agree with CCur("0.00015").
      const double d = v.rawDouble();
      if (!std::isfinite(d) || std::fabs(d) >= 1e15) throw VbError(err::kOverflow);
      char buffer[40];
      const auto end = std::to_chars(buffer, buffer + sizeof buffer, d).ptr;
      return detail::ParsedToCurrency(*detail::ParseNumber(std::string_view(buffer, end)));
    }
    default:
      ThrowConversionError(v);
  }
}

double Variant::toDate() const {
  const Variant v = resolved();
  if (v.isDate()) return v.rawDouble();
  if (v.isString()) {
    const auto date = ParseDateText(v.rawString());
    if (!date) throw VbError(err::kTypeMismatch);
    return *date;
  }
  const double d = PlainNumber(v);
  if (!detail::IsOleDateInRange(d)) throw VbError(err::kOverflow);
  return d;
}

std::string Variant::toString() const {
  if (type_ == VarType::String) return rawString();
  const Variant v = resolved();
  switch (v.type()) {
    case VarType::Empty:
      return "";
    case VarType::String:
      return v.rawString();
    case VarType::Boolean:
      return v.rawInt() != 0 ? "True" : "False";
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
      return std::to_string(v.rawInt());
    case VarType::Single:
      return FormatSingle(static_cast<float>(v.rawDouble()));
    case VarType::Double:
      return FormatDouble(v.rawDouble());
    case VarType::Currency:
      return FormatCurrency(v.rawInt());
    case VarType::Date:
      return FormatDate(v.rawDouble());
    default:
      ThrowConversionError(v);
  }
}

}  // namespace vbs
