// OperatorsArith: + - * / \ Mod ^ unary - and & on Variants, with VBScript's result subtypes.
//
// The result subtype of + - * follows the "most precise operand": Byte < Integer < Long <
// Single < Double < Currency, with Boolean and Empty counting as Integer (Empty alone beside
// another operand keeps that operand's subtype), strings read as Double, and Single beside Long
// giving Double. Whole-number results that do not fit their subtype widen (Byte -> Integer ->
// Long -> Double), as Variant arithmetic does; Double, Currency and Date overflow raise 6.
// Date + number and Date - number stay Dates; Date - Date is a Double.
#include <algorithm>
#include <cmath>
#include <limits>

#include "vbscript/Operators.h"
#include "vbscript/OperatorsDetail.h"
#include "vbscript/VbError.h"

namespace vbs::ops {
namespace {

using detail::Operand;
using detail::Rank;

// A whole-number result in the smallest subtype from `rank` upwards that holds it.
Variant WholeResult(std::int64_t value, Rank rank) {
  if (rank == Rank::Byte && value >= 0 && value <= 255) {
    return Variant::fromByte(static_cast<std::uint8_t>(value));
  }
  if (rank <= Rank::Integer && value >= -32768 && value <= 32767) {
    return Variant::fromInteger(static_cast<std::int16_t>(value));
  }
  if (value >= std::numeric_limits<std::int32_t>::min() &&
      value <= std::numeric_limits<std::int32_t>::max()) {
    return Variant::fromLong(static_cast<std::int32_t>(value));
  }
  return Variant::fromDouble(static_cast<double>(value));
}

Variant DoubleResult(double value) {
  if (!std::isfinite(value)) throw VbError(err::kOverflow);
  return Variant::fromDouble(value);
}

// A Single result widens to Double when it leaves the Single range.
Variant SingleResult(double value) {
  if (!std::isfinite(value)) throw VbError(err::kOverflow);
  if (std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max())) {
    return Variant::fromDouble(value);
  }
  return Variant::fromSingle(static_cast<float>(value));
}

Variant DateResult(double value) {
  if (!std::isfinite(value) || value <= -657435.0 || value >= 2958466.0) {
    throw VbError(err::kOverflow);
  }
  return Variant::fromDate(value);
}

constexpr std::int64_t kCurrencyMax = std::numeric_limits<std::int64_t>::max();

Variant CurrencyFromDouble(double tenThousandths) {
  const double rounded = std::nearbyint(tenThousandths);  // half to even (default mode)
  if (!(std::fabs(rounded) < 9.2233720368547758e18)) throw VbError(err::kOverflow);
  return Variant::fromCurrency(static_cast<std::int64_t>(rounded));
}

enum class Op { Add, Subtract, Multiply };

Variant Arithmetic(const Variant& left, const Variant& right, Op op) {
  if (left.isNull() || right.isNull()) return Variant::Null();
  const Operand a = detail::NumericOperand(left);
  const Operand b = detail::NumericOperand(right);
  if (a.isNull || b.isNull) return Variant::Null();

  if (op != Op::Multiply && (a.rank == Rank::Date || b.rank == Rank::Date)) {
    const double x = a.asDouble(), y = b.asDouble();
    if (op == Op::Add) return DateResult(x + y);
    if (a.rank == Rank::Date && b.rank == Rank::Date) return DoubleResult(x - y);
    return DateResult(x - y);
  }
  // A Date among * operands counts as a Double.
  const Rank ra = a.rank == Rank::Date ? Rank::Double : a.rank;
  const Rank rb = b.rank == Rank::Date ? Rank::Double : b.rank;

  if (ra == Rank::Currency || rb == Rank::Currency) {
    if (op == Op::Multiply) {
      if (ra == Rank::Currency && rb == Rank::Currency) {
        const __int128 product = static_cast<__int128>(a.whole) * b.whole;
        // Back to ten-thousandths, half to even.
        __int128 quotient = product / 10000;
        __int128 rest = product % 10000;
        if (rest < 0) rest = -rest;
        if (rest > 5000 || (rest == 5000 && quotient % 2 != 0)) quotient += product < 0 ? -1 : 1;
        if (quotient > kCurrencyMax || quotient < -kCurrencyMax - 1) throw VbError(err::kOverflow);
        return Variant::fromCurrency(static_cast<std::int64_t>(quotient));
      }
      const Operand& cy = ra == Rank::Currency ? a : b;
      const Operand& other = ra == Rank::Currency ? b : a;
      if (other.rank <= Rank::Long) {
        const __int128 product = static_cast<__int128>(cy.whole) * other.whole;
        if (product > kCurrencyMax || product < -kCurrencyMax - 1) throw VbError(err::kOverflow);
        return Variant::fromCurrency(static_cast<std::int64_t>(product));
      }
      return CurrencyFromDouble(static_cast<double>(cy.whole) * other.asDouble());
    }
    const std::int64_t x = a.asCurrency(), y = b.asCurrency();
    std::int64_t result = 0;
    const bool overflow = op == Op::Add ? __builtin_add_overflow(x, y, &result)
                                        : __builtin_sub_overflow(x, y, &result);
    if (overflow) throw VbError(err::kOverflow);
    return Variant::fromCurrency(result);
  }

  const double x = a.asDouble(), y = b.asDouble();
  const double real = op == Op::Add ? x + y : op == Op::Subtract ? x - y : x * y;
  if (ra == Rank::Double || rb == Rank::Double) return DoubleResult(real);
  if (ra == Rank::Single || rb == Rank::Single) {
    if (ra == Rank::Long || rb == Rank::Long) return DoubleResult(real);
    return SingleResult(real);
  }
  // Whole numbers: exact in 64 bits (operands are at most 32-bit).
  const std::int64_t whole = op == Op::Add        ? a.whole + b.whole
                             : op == Op::Subtract ? a.whole - b.whole
                                                  : a.whole * b.whole;
  // Empty beside Empty is an Integer, as Empty alone counts as Integer 0.
  const Rank rank = a.isEmpty && b.isEmpty ? Rank::Integer : std::max(ra, rb);
  return WholeResult(whole, rank);
}

// The operands of \ and Mod as whole numbers, and the subtype of the result.
struct WholeOperands {
  std::int64_t x = 0, y = 0;
  Rank rank = Rank::Integer;
};

WholeOperands ToWholeOperands(const Operand& a, const Operand& b) {
  auto whole = [](const Operand& o, Rank& rank) -> std::int64_t {
    if (o.rank <= Rank::Long) {
      rank = o.rank;
      return o.whole;
    }
    rank = Rank::Long;
    return o.value.toLong();  // banker's rounding, 6 beyond the Long range
  };
  WholeOperands result;
  Rank ra = Rank::Integer, rb = Rank::Integer;
  result.x = whole(a, ra);
  result.y = whole(b, rb);
  result.rank = std::max(ra, rb);
  if (result.y == 0) throw VbError(err::kDivisionByZero);
  return result;
}

}  // namespace

Variant Add(const Variant& left, const Variant& right) {
  const Variant a = left.isObject() ? left.resolved() : left;
  const Variant b = right.isObject() ? right.resolved() : right;
  // Two strings, or a string beside Empty, concatenate.
  if (a.isString() && (b.isString() || b.isEmpty())) return detail::JoinStrings(a, b);
  if (b.isString() && a.isEmpty()) return detail::JoinStrings(a, b);
  return Arithmetic(a, b, Op::Add);
}

Variant Subtract(const Variant& a, const Variant& b) {
  return Arithmetic(a, b, Op::Subtract);
}

Variant Multiply(const Variant& a, const Variant& b) {
  return Arithmetic(a, b, Op::Multiply);
}

Variant Divide(const Variant& left, const Variant& right) {
  if (left.isNull() || right.isNull()) return Variant::Null();
  const Operand a = detail::NumericOperand(left);
  const Operand b = detail::NumericOperand(right);
  if (a.isNull || b.isNull) return Variant::Null();
  const double x = a.asDouble(), y = b.asDouble();
  if (y == 0.0) throw VbError(x == 0.0 ? err::kOverflow : err::kDivisionByZero);
  const double result = x / y;
  // Single stays Single beside Byte, Integer, Boolean, Empty or Single; everything else is
  // Double.
  const bool singleLeft = a.rank == Rank::Single, singleRight = b.rank == Rank::Single;
  if ((singleLeft || singleRight) && a.rank <= Rank::Single && b.rank <= Rank::Single &&
      a.rank != Rank::Long && b.rank != Rank::Long) {
    return SingleResult(result);
  }
  return DoubleResult(result);
}

Variant IntDivide(const Variant& left, const Variant& right) {
  if (left.isNull() || right.isNull()) return Variant::Null();
  const Operand a = detail::NumericOperand(left);
  const Operand b = detail::NumericOperand(right);
  if (a.isNull || b.isNull) return Variant::Null();
  const WholeOperands w = ToWholeOperands(a, b);
  return WholeResult(w.x / w.y, w.rank);  // truncates toward zero
}

Variant Modulo(const Variant& left, const Variant& right) {
  if (left.isNull() || right.isNull()) return Variant::Null();
  const Operand a = detail::NumericOperand(left);
  const Operand b = detail::NumericOperand(right);
  if (a.isNull || b.isNull) return Variant::Null();
  const WholeOperands w = ToWholeOperands(a, b);
  return WholeResult(w.x % w.y, w.rank);  // the sign of the dividend
}

Variant Power(const Variant& left, const Variant& right) {
  if (left.isNull() || right.isNull()) return Variant::Null();
  const Operand a = detail::NumericOperand(left);
  const Operand b = detail::NumericOperand(right);
  if (a.isNull || b.isNull) return Variant::Null();
  const double x = a.asDouble(), y = b.asDouble();
  if (x < 0.0 && y != std::trunc(y)) throw VbError(err::kInvalidCall);
  if (x == 0.0 && y < 0.0) throw VbError(err::kInvalidCall);
  return DoubleResult(std::pow(x, y));
}

Variant Negate(const Variant& value) {
  if (value.isNull()) return Variant::Null();
  const Operand a = detail::NumericOperand(value);
  if (a.isNull) return Variant::Null();
  switch (a.rank) {
    case Rank::Byte:
    case Rank::Integer:
    case Rank::Long:
      return WholeResult(-a.whole, a.rank == Rank::Byte ? Rank::Integer : a.rank);
    case Rank::Single:
      return Variant::fromSingle(-static_cast<float>(a.asDouble()));
    case Rank::Double:
      return Variant::fromDouble(-a.asDouble());
    case Rank::Currency:
      if (a.whole == std::numeric_limits<std::int64_t>::min()) throw VbError(err::kOverflow);
      return Variant::fromCurrency(-a.whole);
    case Rank::Date:
      return DateResult(-a.asDouble());
  }
  return Variant::Null();
}

Variant Concat(const Variant& left, const Variant& right) {
  return ConcatInSlices(left, right, {});
}

Variant ConcatInSlices(const Variant& left, const Variant& right,
                       const std::function<void()>& poll) {
  const Variant a = left.isObject() ? left.resolved() : left;
  const Variant b = right.isObject() ? right.resolved() : right;
  if (a.isNull() && b.isNull()) return Variant::Null();
  return detail::JoinStrings(a.isNull() ? Variant() : a, b.isNull() ? Variant() : b, poll);
}

}  // namespace vbs::ops
