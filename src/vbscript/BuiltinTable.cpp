// BuiltinTable: the name look-up over all tables of built-in functions, the argument helpers
// of BuiltinsDetail.h and the default clock of BuiltinHost.
#include <algorithm>
#include <chrono>
#include <ctime>

#include "vbscript/Builtins.h"
#include "vbscript/BuiltinsDetail.h"
#include "vbscript/DateTime.h"
#include "vbscript/VbError.h"

namespace vbs {
namespace {

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return lower(x) == lower(y);
  });
}

// Local wall-clock time split into a day index and seconds (with fractions) of the day.
void LocalNow(std::int64_t& dayIndex, double& seconds) {
  const auto now = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&t, &local);
  const auto sinceSecond = now - std::chrono::system_clock::from_time_t(t);  // sub-second part
  dayIndex = detail::DayIndexFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  seconds = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec +
            std::chrono::duration<double>(sinceSecond).count();
}

}  // namespace

double BuiltinHost::now() {
  std::int64_t day = 0;
  double seconds = 0;
  LocalNow(day, seconds);
  return detail::EncodeOleDate(day, static_cast<std::int64_t>(seconds));
}

double BuiltinHost::timer() {
  std::int64_t day = 0;
  double seconds = 0;
  LocalNow(day, seconds);
  return seconds;
}

const BuiltinInfo* FindBuiltin(std::string_view name) {
  for (const auto table :
       {detail::StringBuiltins(), detail::ConversionBuiltins(), detail::MathBuiltins(),
        detail::DateBuiltins(), detail::FormatBuiltins(), detail::InteractionBuiltins()}) {
    for (const BuiltinInfo& info : table) {
      if (SameName(info.name, name)) return &info;
    }
  }
  return nullptr;
}

}  // namespace vbs

namespace vbs::detail {

Variant ArgValue(std::span<Variant> args, std::size_t i) {
  if (!HasArg(args, i)) return Variant();
  return args[i].isObject() ? args[i].resolved() : args[i];
}

std::int32_t LongOf(const Variant& value) {
  if (value.isNull()) throw VbError(err::kInvalidUseOfNull);
  return value.toLong();
}

std::int32_t LongArg(std::span<Variant> args, std::size_t i, std::int32_t fallback) {
  if (!HasArg(args, i)) return fallback;
  return LongOf(ArgValue(args, i));
}

std::string StringOf(const Variant& value) {
  if (value.isNull()) throw VbError(err::kInvalidUseOfNull);
  return value.toString();
}

bool TextCompareArg(std::span<Variant> args, std::size_t i) {
  const std::int32_t mode = LongArg(args, i, 0);
  if (mode != 0 && mode != 1) throw VbError(err::kInvalidCall);
  return mode == 1;
}

namespace {
// Windows-1252 0x80..0x9F; 0 marks the five unused bytes.
constexpr char16_t kHigh1252[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
}  // namespace

std::uint8_t ToWindows1252(char16_t unit) {
  if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<std::uint8_t>(unit);
  for (int i = 0; i < 32; ++i) {
    if (kHigh1252[i] == unit) return static_cast<std::uint8_t>(0x80 + i);
    if (kHigh1252[i] == 0 && unit == 0x80 + i) return static_cast<std::uint8_t>(unit);
  }
  return '?';
}

char16_t FromWindows1252(std::uint8_t byte) {
  if (byte < 0x80 || byte >= 0xA0) return byte;
  const char16_t mapped = kHigh1252[byte - 0x80];
  return mapped != 0 ? mapped : byte;
}

char16_t LowerCase(char16_t u) {
  if (u >= u'A' && u <= u'Z') return static_cast<char16_t>(u + 32);
  if (u < 0xC0) return u;
  if (u <= 0xDE && u != 0xD7) return static_cast<char16_t>(u + 32);
  if (u >= 0x100 && u <= 0x137 && u % 2 == 0 && u != 0x130) return static_cast<char16_t>(u + 1);
  if (u >= 0x139 && u <= 0x148 && u % 2 == 1) return static_cast<char16_t>(u + 1);
  if (u >= 0x14A && u <= 0x177 && u % 2 == 0) return static_cast<char16_t>(u + 1);
  if (u == 0x178) return 0xFF;
  if (u >= 0x179 && u <= 0x17E && u % 2 == 1) return static_cast<char16_t>(u + 1);
  if (u >= 0x391 && u <= 0x3AB && u != 0x3A2) return static_cast<char16_t>(u + 32);
  if (u >= 0x400 && u <= 0x40F) return static_cast<char16_t>(u + 80);
  if (u >= 0x410 && u <= 0x42F) return static_cast<char16_t>(u + 32);
  return u;
}

char16_t UpperCase(char16_t u) {
  if (u >= u'a' && u <= u'z') return static_cast<char16_t>(u - 32);
  if (u < 0xE0) return u;
  if (u <= 0xFE && u != 0xF7) return static_cast<char16_t>(u - 32);
  if (u == 0xFF) return 0x178;
  if (u >= 0x101 && u <= 0x137 && u % 2 == 1 && u != 0x131) return static_cast<char16_t>(u - 1);
  if (u >= 0x13A && u <= 0x148 && u % 2 == 0) return static_cast<char16_t>(u - 1);
  if (u >= 0x14B && u <= 0x177 && u % 2 == 1) return static_cast<char16_t>(u - 1);
  if (u >= 0x17A && u <= 0x17E && u % 2 == 0) return static_cast<char16_t>(u - 1);
  if (u >= 0x3B1 && u <= 0x3CB && u != 0x3C2) return static_cast<char16_t>(u - 32);
  if (u >= 0x430 && u <= 0x44F) return static_cast<char16_t>(u - 32);
  if (u >= 0x450 && u <= 0x45F) return static_cast<char16_t>(u - 80);
  return u;
}

}  // namespace vbs::detail
