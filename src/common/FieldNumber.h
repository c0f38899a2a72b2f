// FieldNumber: the numeric text of a sequential-file field.
//
// Fields hold numbers the way the runtime writes them, independent of the user's locale:
//   [+|-] digits [. digits] [(E|D) [+|-] digits]      ("." always the decimal point;
//                                                       "5.", ".5" and "-0" allowed)
//   &H hex-digits [&]   &O octal-digits [&]
// A hexadecimal or octal value up to &HFFFF is a 16-bit pattern (&HFFFF is -1), up to
// &HFFFFFFFF a 32-bit pattern, as the runtime's conversions read such literals; a trailing
// "&" makes it a 32-bit pattern in any case (&HFFFF& is 65535). Nothing else is accepted:
// no blanks inside, no thousands separators, no currency signs.
#pragma once

#include <optional>
#include <string_view>

namespace tw {

// The value, or nullopt when the text is not a number of the forms above. Throws
// vbs::VbError(6) "Overflow" for a number beyond the range of a Double or a hexadecimal or
// octal value beyond 32 bits. A number too small for a Double reads as 0.
std::optional<double> ParseFieldNumber(std::string_view text);

// Rounds to the nearest whole number, halves to the even one (2.5 -> 2, 3.5 -> 4, -2.5 -> -2),
// as the runtime's conversions to Integer and Long do.
double RoundHalfEven(double value);

}  // namespace tw
