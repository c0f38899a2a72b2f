// Operators: VBScript's arithmetic, string, logical and comparison operators on Variants.
//
// Each function takes its operands as the script gave them (objects are reduced to their
// default values here) and returns what VBScript 5.8 returns, subtype included:
//  - Null propagates (Null + 1 = Null) except where the logic decides anyway
//    (Null And False = False, Null Or True = True) and in & (Null & "x" = "x").
//  - Empty is 0 for numbers and "" for strings; "3" + 4 = 7, "3" + "4" = "34".
//  - Integer results that overflow widen (Integer -> Long -> Double); Byte stays Byte while it
//    fits; Currency and Date keep their subtype where VBScript keeps it.
//  - Errors are thrown as VbError: 6 Overflow, 11 Division by zero, 13 Type mismatch,
//    5 for a negative base with a fractional exponent, 424 for Is on non-objects.
#pragma once

#include <functional>

#include "vbscript/Variant.h"

namespace vbs::ops {

Variant Add(const Variant& a, const Variant& b);        // +
Variant Subtract(const Variant& a, const Variant& b);   // -
Variant Multiply(const Variant& a, const Variant& b);   // *
Variant Divide(const Variant& a, const Variant& b);     // /
Variant IntDivide(const Variant& a, const Variant& b);  // \  (operands rounded to integers)
Variant Modulo(const Variant& a, const Variant& b);     // Mod (operands rounded to integers)
Variant Power(const Variant& a, const Variant& b);      // ^
Variant Negate(const Variant& a);                       // unary -
Variant Concat(const Variant& a, const Variant& b);     // &
// & as the running script does it: a huge result is built in slices with poll (the
// script's clock check) between them.
Variant ConcatInSlices(const Variant& a, const Variant& b, const std::function<void()>& poll);

// Bitwise on integers, three-valued on Booleans with Null.
Variant Not(const Variant& a);
Variant And(const Variant& a, const Variant& b);
Variant Or(const Variant& a, const Variant& b);
Variant Xor(const Variant& a, const Variant& b);
Variant Eqv(const Variant& a, const Variant& b);
Variant Imp(const Variant& a, const Variant& b);

// Comparisons give a Boolean, or Null when either side is Null. textCompare follows
// Option Compare Text (the engine passes false; StrComp and Filter use their own argument).
Variant Equal(const Variant& a, const Variant& b, bool textCompare = false);
Variant NotEqual(const Variant& a, const Variant& b, bool textCompare = false);
Variant Less(const Variant& a, const Variant& b, bool textCompare = false);
Variant LessEqual(const Variant& a, const Variant& b, bool textCompare = false);
Variant Greater(const Variant& a, const Variant& b, bool textCompare = false);
Variant GreaterEqual(const Variant& a, const Variant& b, bool textCompare = false);

// Object identity (Is); Nothing Is Nothing is True. Throws 424 when either side is no object.
bool Is(const Variant& a, const Variant& b);

}  // namespace vbs::ops
