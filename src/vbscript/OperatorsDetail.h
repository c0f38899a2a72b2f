// OperatorsDetail: helpers shared by the operators and the built-in functions (not for the
// engine): numeric operands with their rank, and the limit on the size of a string.
//
// Invariant of Operand: value is the operand with objects replaced by their default values;
// whole holds the exact value for Byte, Integer, Long (and Boolean, counted as Integer) and the
// ten-thousandths for Currency.
#pragma once

#include <cstddef>
#include <cstdint>

#include "vbscript/TextSlices.h"
#include "vbscript/Variant.h"

namespace vbs::detail {

// The one limit on the size of a string: every operation that builds text (&, String, Space,
// Replace, Join, Escape, RegExp.Replace, reading a text stream, ...) refuses to build one of
// more than this many bytes (UTF-8) with error 14 "Out of string space", so a hostile or
// runaway script ends quickly instead of exhausting the player's memory. Real games never
// come near it.
inline constexpr std::size_t kMaxStringBytes = std::size_t{64} << 20;
// Throws 14 when a string of that many bytes would exceed the limit.
void CheckStringSize(std::size_t bytes);

// Ranks of numeric operands, least precise first (Date stands apart; its rules are its own).
enum class Rank { Byte, Integer, Long, Single, Double, Currency, Date };

struct Operand {
  bool isNull = false;
  bool isEmpty = false;
  Rank rank = Rank::Integer;
  std::int64_t whole = 0;
  Variant value;

  double asDouble() const;
  std::int64_t asCurrency() const;  // ten-thousandths
};

// An operand of arithmetic: objects give their default value; Empty ranks as Byte (so that it
// leaves the other operand's subtype alone); Boolean as Integer; strings are read as Double
// (13 when they are no number); arrays, Error values and Nothing raise 13 / 91.
Operand NumericOperand(const Variant& v);

// CStr(a) & CStr(b), within the string limit; a huge result is built slice by slice with
// poll between slices.
Variant JoinStrings(const Variant& a, const Variant& b, const Poll& poll = {});

}  // namespace vbs::detail
