// VariantCompare: the comparison behind =, <>, <, >, <=, >= and StrComp.
//
// Rules (values held in variables, which is all a Variant knows about):
//  - Null on either side: no result (the comparison is Null).
//  - Objects compare by their default values; arrays and Error values are a type mismatch.
//  - Two numbers (Boolean, Byte, Integer, Long, Single, Double, Currency, Date) compare by
//    value; whole numbers and Currency exactly, a Single beside a Double as Singles, the
//    others as doubles.
//  - Two strings compare by UTF-16 code units (binary) or case-folded units (text compare).
//  - A number and a string: the number is less.
//  - Empty is 0 against a number, "" against a string, and equal to Empty.
#include <algorithm>

#include "vbscript/Object.h"
#include "vbscript/TextSlices.h"
#include "vbscript/Utf16.h"
#include "vbscript/Variant.h"
#include "vbscript/VbError.h"

namespace vbs {
namespace {

enum class Kind { Empty, Number, String };

Kind KindOf(const Variant& v) {
  switch (v.type()) {
    case VarType::Empty:
      return Kind::Empty;
    case VarType::String:
      return Kind::String;
    case VarType::Boolean:
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Date:
      return Kind::Number;
    default:
      throw VbError(err::kTypeMismatch);
  }
}

bool IsExact(const Variant& v) {
  switch (v.type()) {
    case VarType::Empty:
    case VarType::Boolean:
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Currency:
      return true;
    default:
      return false;
  }
}

// Exact values scaled to ten-thousandths (a Long times 10000 fits easily).
std::int64_t Scaled(const Variant& v) {
  if (v.isEmpty()) return 0;
  return v.type() == VarType::Currency ? v.rawInt() : v.rawInt() * 10000;
}

template <typename T>
int Sign(T a, T b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

int CompareNumbers(const Variant& a, const Variant& b) {
  if (IsExact(a) && IsExact(b)) return Sign(Scaled(a), Scaled(b));
  // A Single beside a Double compares at Single precision, so CSng(0.1) = 0.1.
  const bool single = a.type() == VarType::Single || b.type() == VarType::Single;
  const bool dbl = a.type() == VarType::Double || b.type() == VarType::Double;
  if (single && dbl) {
    return Sign(static_cast<float>(a.toDouble()), static_cast<float>(b.toDouble()));
  }
  return Sign(a.toDouble(), b.toDouble());
}

int CompareStrings(const std::string& a, const std::string& b, bool textCompare) {
  return detail::CompareText(a, b, textCompare, {});
}

}  // namespace

std::optional<int> Compare(const Variant& left, const Variant& right, bool textCompare) {
  if (left.isNull() || right.isNull()) return std::nullopt;
  const Variant a = left.resolved();
  const Variant b = right.resolved();
  if (a.isNull() || b.isNull()) return std::nullopt;
  const Kind ka = KindOf(a), kb = KindOf(b);

  if (ka == Kind::String && kb == Kind::String) {
    return CompareStrings(a.rawString(), b.rawString(), textCompare);
  }
  if (ka == Kind::String) return kb == Kind::Empty ? Sign(a.rawString().size(), std::size_t{0}) : 1;
  if (kb == Kind::String)
    return ka == Kind::Empty ? Sign(std::size_t{0}, b.rawString().size()) : -1;
  return CompareNumbers(a, b);  // Empty, numbers: Empty is 0
}

}  // namespace vbs
