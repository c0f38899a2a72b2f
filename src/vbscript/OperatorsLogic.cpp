// OperatorsLogic: Not And Or Xor Eqv Imp, the comparisons and Is.
//
// The logical operators are bitwise on whole numbers: Byte stays Byte, Boolean beside Boolean
// stays Boolean, otherwise the wider of Integer (Boolean and Empty count as Integer) and Long;
// Single, Double, Currency, Date and numeric strings are rounded to Long first (6 beyond it).
// Null is "unknown": a result is Null unless the known operand decides every bit
// (Null And 0 = 0, Null Or True = True, False Imp Null = True).
#include <algorithm>

#include "vbscript/Object.h"
#include "vbscript/Operators.h"
#include "vbscript/VbError.h"

namespace vbs::ops {
namespace {

enum class Width { Byte = 8, Integer = 16, Long = 32 };

struct Bits {
  bool isNull = false;
  bool isBool = false;
  Width width = Width::Integer;
  std::int64_t value = 0;
};

bool EqualsWord(const std::string& text, std::string_view word) {
  return std::equal(text.begin(), text.end(), word.begin(), word.end(),
                    [](char a, char b) { return (a >= 'A' && a <= 'Z' ? a + 32 : a) == b; });
}

Bits ToBits(const Variant& original) {
  const Variant v = original.isObject() ? original.resolved() : original;
  Bits b;
  switch (v.type()) {
    case VarType::Null:
      b.isNull = true;
      break;
    case VarType::Empty:
      break;
    case VarType::Boolean:
      b.isBool = true;
      b.value = v.rawInt();
      break;
    case VarType::Byte:
      b.width = Width::Byte;
      b.value = v.rawInt();
      break;
    case VarType::Integer:
      b.value = v.rawInt();
      break;
    case VarType::Long:
      b.width = Width::Long;
      b.value = v.rawInt();
      break;
    case VarType::String:
      // "True" and "False" take part as Booleans, other text as a number.
      if (EqualsWord(v.rawString(), "true") || EqualsWord(v.rawString(), "false")) {
        b.isBool = true;
        b.value = v.toBool() ? -1 : 0;
        break;
      }
      [[fallthrough]];
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Date:
      b.width = Width::Long;
      b.value = v.toLong();
      break;
    default:
      throw VbError(err::kTypeMismatch);
  }
  return b;
}

// All bits of the width set: -1 for Integer, Long and Boolean, 255 for Byte.
std::int64_t AllOnes(Width w) {
  return w == Width::Byte ? 255 : -1;
}

std::int64_t Normalize(std::int64_t value, Width w) {
  switch (w) {
    case Width::Byte:
      return value & 0xFF;
    case Width::Integer:
      return static_cast<std::int16_t>(value);
    case Width::Long:
      return static_cast<std::int32_t>(value);
  }
  return value;
}

Variant Make(std::int64_t value, bool isBool, Width w) {
  value = Normalize(value, w);
  if (isBool) return Variant::fromBool(value != 0);
  switch (w) {
    case Width::Byte:
      return Variant::fromByte(static_cast<std::uint8_t>(value));
    case Width::Integer:
      return Variant::fromInteger(static_cast<std::int16_t>(value));
    case Width::Long:
      return Variant::fromLong(static_cast<std::int32_t>(value));
  }
  return Variant();
}

Variant Same(const Bits& b) {
  return Make(b.value, b.isBool, b.isBool ? Width::Integer : b.width);
}

enum class Logic { And, Or, Xor, Eqv, Imp };

std::int64_t Apply(Logic op, std::int64_t x, std::int64_t y) {
  switch (op) {
    case Logic::And:
      return x & y;
    case Logic::Or:
      return x | y;
    case Logic::Xor:
      return x ^ y;
    case Logic::Eqv:
      return ~(x ^ y);
    case Logic::Imp:
      return ~x | y;
  }
  return 0;
}

Variant Binary(const Variant& left, const Variant& right, Logic op) {
  const Bits a = ToBits(left), b = ToBits(right);
  if (a.isNull && b.isNull) return Variant::Null();
  if (a.isNull || b.isNull) {
    const Bits& known = a.isNull ? b : a;
    const std::int64_t ones = AllOnes(known.isBool ? Width::Integer : known.width);
    switch (op) {
      case Logic::And:
        return known.value == 0 ? Same(known) : Variant::Null();
      case Logic::Or:
        return known.value == ones ? Same(known) : Variant::Null();
      case Logic::Imp:
        // Null Imp True = True; False Imp Null = True.
        if (a.isNull) return known.value == ones ? Same(known) : Variant::Null();
        if (known.value == 0) return Make(ones, known.isBool, known.width);
        return Variant::Null();
      default:
        return Variant::Null();
    }
  }
  const bool isBool = a.isBool && b.isBool;
  const Width wa = a.isBool ? Width::Integer : a.width;
  const Width wb = b.isBool ? Width::Integer : b.width;
  const Width w = static_cast<int>(wa) >= static_cast<int>(wb) ? wa : wb;
  return Make(Apply(op, a.value, b.value), isBool, isBool ? Width::Integer : w);
}

Variant Comparison(const Variant& a, const Variant& b, bool textCompare, bool (*test)(int)) {
  const auto order = Compare(a, b, textCompare);
  if (!order) return Variant::Null();
  return Variant::fromBool(test(*order));
}

}  // namespace

Variant Not(const Variant& value) {
  const Bits a = ToBits(value);
  if (a.isNull) return Variant::Null();
  return Make(~a.value, a.isBool, a.isBool ? Width::Integer : a.width);
}

Variant And(const Variant& a, const Variant& b) {
  return Binary(a, b, Logic::And);
}
Variant Or(const Variant& a, const Variant& b) {
  return Binary(a, b, Logic::Or);
}
Variant Xor(const Variant& a, const Variant& b) {
  return Binary(a, b, Logic::Xor);
}
Variant Eqv(const Variant& a, const Variant& b) {
  return Binary(a, b, Logic::Eqv);
}
Variant Imp(const Variant& a, const Variant& b) {
  return Binary(a, b, Logic::Imp);
}

Variant Equal(const Variant& a, const Variant& b, bool textCompare) {
  return Comparison(a, b, textCompare, [](int c) { return c == 0; });
}
Variant NotEqual(const Variant& a, const Variant& b, bool textCompare) {
  return Comparison(a, b, textCompare, [](int c) { return c != 0; });
}
Variant Less(const Variant& a, const Variant& b, bool textCompare) {
  return Comparison(a, b, textCompare, [](int c) { return c < 0; });
}
Variant LessEqual(const Variant& a, const Variant& b, bool textCompare) {
  return Comparison(a, b, textCompare, [](int c) { return c <= 0; });
}
Variant Greater(const Variant& a, const Variant& b, bool textCompare) {
  return Comparison(a, b, textCompare, [](int c) { return c > 0; });
}
Variant GreaterEqual(const Variant& a, const Variant& b, bool textCompare) {
  return Comparison(a, b, textCompare, [](int c) { return c >= 0; });
}

bool Is(const Variant& a, const Variant& b) {
  if (!a.isObject() || !b.isObject()) throw VbError(err::kObjectRequired);
  return a.object() == b.object();
}

}  // namespace vbs::ops
