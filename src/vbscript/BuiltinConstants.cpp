// BuiltinConstants: the named constants of VBScript 5.8 (FindConstant).
//
// The string constants are Strings. The numeric ones have the type the Windows engine gives
// them: Integer for the small enumerations (vbInteger, vbOK, vbSunday, vbTrue, ...), Long for
// colours, vbObjectError and the MsgBox flags above 32767 (vbTrue and vbFalse are the
// Integers -1 and 0, not Booleans).
#include <algorithm>
#include <array>
#include <string>

#include "vbscript/Builtins.h"

namespace vbs {
namespace {

enum class Kind { Integer, Long, String };

struct Constant {
  std::string_view name;
  Kind kind;
  std::int32_t number;
  std::string_view text;
};

constexpr Constant Int(std::string_view name, std::int32_t value) {
  return {name, Kind::Integer, value, {}};
}
constexpr Constant Lng(std::string_view name, std::int32_t value) {
  return {name, Kind::Long, value, {}};
}
constexpr Constant Str(std::string_view name, std::string_view text) {
  return {name, Kind::String, 0, text};
}

using namespace std::string_view_literals;

constexpr std::array kConstants = {
    // Strings
    Str("vbCr", "\r"),
    Str("vbLf", "\n"),
    Str("vbCrLf", "\r\n"),
    Str("vbNewLine", "\r\n"),
    Str("vbNullChar", "\0"sv),
    Str("vbNullString", ""),
    Str("vbTab", "\t"),
    Str("vbBack", "\b"),
    Str("vbFormFeed", "\f"),
    Str("vbVerticalTab", "\v"),
    // Comparison
    Int("vbBinaryCompare", 0),
    Int("vbTextCompare", 1),
    Int("vbDatabaseCompare", 2),
    // Tristate
    Int("vbUseDefault", -2),
    Int("vbTrue", -1),
    Int("vbFalse", 0),
    // Errors
    Lng("vbObjectError", static_cast<std::int32_t>(0x80040000u)),
    // VarType
    Int("vbEmpty", 0),
    Int("vbNull", 1),
    Int("vbInteger", 2),
    Int("vbLong", 3),
    Int("vbSingle", 4),
    Int("vbDouble", 5),
    Int("vbCurrency", 6),
    Int("vbDate", 7),
    Int("vbString", 8),
    Int("vbObject", 9),
    Int("vbError", 10),
    Int("vbBoolean", 11),
    Int("vbVariant", 12),
    Int("vbDataObject", 13),
    Int("vbDecimal", 14),
    Int("vbByte", 17),
    Int("vbArray", 8192),
    // MsgBox buttons, icons, defaults, modality
    Int("vbOKOnly", 0),
    Int("vbOKCancel", 1),
    Int("vbAbortRetryIgnore", 2),
    Int("vbYesNoCancel", 3),
    Int("vbYesNo", 4),
    Int("vbRetryCancel", 5),
    Int("vbCritical", 16),
    Int("vbQuestion", 32),
    Int("vbExclamation", 48),
    Int("vbInformation", 64),
    Int("vbDefaultButton1", 0),
    Int("vbDefaultButton2", 256),
    Int("vbDefaultButton3", 512),
    Int("vbDefaultButton4", 768),
    Int("vbApplicationModal", 0),
    Int("vbSystemModal", 4096),
    Lng("vbMsgBoxHelpButton", 16384),
    Lng("vbMsgBoxSetForeground", 65536),
    Lng("vbMsgBoxRight", 524288),
    Lng("vbMsgBoxRtlReading", 1048576),
    // MsgBox results
    Int("vbOK", 1),
    Int("vbCancel", 2),
    Int("vbAbort", 3),
    Int("vbRetry", 4),
    Int("vbIgnore", 5),
    Int("vbYes", 6),
    Int("vbNo", 7),
    // Days of the week, first week of the year
    Int("vbUseSystemDayOfWeek", 0),
    Int("vbSunday", 1),
    Int("vbMonday", 2),
    Int("vbTuesday", 3),
    Int("vbWednesday", 4),
    Int("vbThursday", 5),
    Int("vbFriday", 6),
    Int("vbSaturday", 7),
    Int("vbUseSystem", 0),
    Int("vbFirstJan1", 1),
    Int("vbFirstFourDays", 2),
    Int("vbFirstFullWeek", 3),
    // Date formats
    Int("vbGeneralDate", 0),
    Int("vbLongDate", 1),
    Int("vbShortDate", 2),
    Int("vbLongTime", 3),
    Int("vbShortTime", 4),
    // Colours
    Lng("vbBlack", 0x000000),
    Lng("vbRed", 0x0000FF),
    Lng("vbGreen", 0x00FF00),
    Lng("vbYellow", 0x00FFFF),
    Lng("vbBlue", 0xFF0000),
    Lng("vbMagenta", 0xFF00FF),
    Lng("vbCyan", 0xFFFF00),
    Lng("vbWhite", 0xFFFFFF),
};

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return lower(x) == lower(y);
  });
}

}  // namespace

std::optional<Variant> FindConstant(std::string_view name) {
  for (const Constant& c : kConstants) {
    if (!SameName(c.name, name)) continue;
    switch (c.kind) {
      case Kind::Integer:
        return Variant::fromInteger(static_cast<std::int16_t>(c.number));
      case Kind::Long:
        return Variant::fromLong(c.number);
      case Kind::String:
        return Variant::fromString(std::string(c.text));
    }
  }
  return std::nullopt;
}

}  // namespace vbs
