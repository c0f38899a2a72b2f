// BuiltinsDetail: the per-topic tables of built-in functions and the argument helpers they
// share. Internal to the built-in library (the engine uses Builtins.h).
//
// Every table lists functions by their documented names; FindBuiltin searches them all, so a
// name must appear in one table only.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "vbscript/Builtins.h"
#include "vbscript/Variant.h"

namespace vbs::detail {

using BuiltinTable = std::span<const BuiltinInfo>;

BuiltinTable StringBuiltins();
BuiltinTable ConversionBuiltins();
BuiltinTable MathBuiltins();
BuiltinTable DateBuiltins();
BuiltinTable FormatBuiltins();
BuiltinTable InteractionBuiltins();

// The argument at index i with objects replaced by their default values; Empty when the
// script left it out (HasArg false).
Variant ArgValue(std::span<Variant> args, std::size_t i);
// Whether the script gave argument i (a skipped argument is an Error value kMissingArgument).
inline bool HasArg(std::span<Variant> args, std::size_t i) {
  return i < args.size() && !(args[i].isError() && args[i].rawInt() == kMissingArgument);
}

// A whole-number argument (CLng rules: banker's rounding, 6 beyond the Long range);
// Null raises 94.
std::int32_t LongOf(const Variant& value);
// An optional whole-number argument; fallback when it is missing.
std::int32_t LongArg(std::span<Variant> args, std::size_t i, std::int32_t fallback);
// A text argument (CStr rules); Null raises 94.
std::string StringOf(const Variant& value);
// The compare argument of InStr, Replace, Split, StrComp, Filter: 0 binary, 1 text;
// missing means binary; other values raise 5.
bool TextCompareArg(std::span<Variant> args, std::size_t i);

// The Windows-1252 byte of a UTF-16 unit, '?' when it has none (Asc under en-US).
std::uint8_t ToWindows1252(char16_t unit);
// The UTF-16 unit of a Windows-1252 byte (Chr under en-US); bytes Windows-1252 leaves unused
// map to the same-numbered control characters, as Windows does.
char16_t FromWindows1252(std::uint8_t byte);

// Case mapping of one unit, as LCase and UCase do under en-US (Latin, Greek, Cyrillic).
char16_t UpperCase(char16_t unit);
char16_t LowerCase(char16_t unit);

// English month (1..12) and weekday (1 = Sunday .. 7) names, full or in three letters.
std::string_view MonthNameOf(int month, bool abbreviated);
std::string_view WeekdayNameOf(int weekday, bool abbreviated);
// The weekday of a day index (days since 1899-12-30), 1 = Sunday .. 7 = Saturday.
int WeekdayOf(std::int64_t dayIndex);

}  // namespace vbs::detail
