// DateTime: calendar arithmetic (DateTime.h), SplitDate, DateFromParts and FormatDate.
#include "vbscript/DateTime.h"

#include <cmath>
#include <string>

#include "vbscript/Variant.h"
#include "vbscript/VbError.h"

namespace vbs::detail {
namespace {

// Days from 1970-01-01 to 1899-12-30.
constexpr std::int64_t kOleEpochFromUnix = -25569;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

}  // namespace

// Civil-from-days and days-from-civil after H. Hinnant's public-domain algorithms.
std::int64_t DayIndexFromCivil(std::int64_t year, int month, int day) {
  year -= month <= 2;
  const std::int64_t era = FloorDiv(year, 400);
  const std::int64_t yoe = year - era * 400;
  const std::int64_t mp = (month + 9) % 12;
  const std::int64_t doy = (153 * mp + 2) / 5 + day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468 - kOleEpochFromUnix;
}

void CivilFromDayIndex(std::int64_t dayIndex, std::int64_t& year, int& month, int& day) {
  const std::int64_t z = dayIndex + kOleEpochFromUnix + 719468;
  const std::int64_t era = FloorDiv(z, 146097);
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = yoe + era * 400 + (month <= 2);
}

int DaysInMonth(std::int64_t year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2) {
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return leap ? 29 : 28;
  }
  return kDays[month - 1];
}

double EncodeOleDate(std::int64_t dayIndex, std::int64_t secondsOfDay) {
  const double fraction = static_cast<double>(secondsOfDay) / 86400.0;
  const auto day = static_cast<double>(dayIndex);
  return dayIndex >= 0 ? day + fraction : day - fraction;
}

bool IsOleDateInRange(double oleDate) {
  // The whole last day is valid, and so is a negative number whose fraction is a time of
  // the first day.
  return oleDate > static_cast<double>(kFirstDayIndex) - 1.0 &&
         oleDate < static_cast<double>(kLastDayIndex) + 1.0;
}

bool DecodeOleDate(double oleDate, std::int64_t& dayIndex, std::int64_t& secondsOfDay) {
  if (!IsOleDateInRange(oleDate)) return false;
  const double whole = std::trunc(oleDate);
  dayIndex = static_cast<std::int64_t>(whole);
  secondsOfDay = std::llround(std::fabs(oleDate - whole) * 86400.0);
  if (secondsOfDay >= 86400) {
    // Rounding reached the next midnight; the moment moves forward whatever the sign, except
    // past the last valid day, where it stays on that day's last second.
    if (dayIndex == kLastDayIndex) {
      secondsOfDay = 86399;
    } else {
      ++dayIndex;
      secondsOfDay -= 86400;
    }
  }
  return true;
}

}  // namespace vbs::detail

namespace vbs {

using namespace detail;

DateParts SplitDate(double oleDate) {
  std::int64_t dayIndex = 0, seconds = 0;
  if (!DecodeOleDate(oleDate, dayIndex, seconds)) throw VbError(err::kOverflow);
  std::int64_t year = 0;
  DateParts parts{};
  CivilFromDayIndex(dayIndex, year, parts.month, parts.day);
  parts.year = static_cast<int>(year);
  parts.hour = static_cast<int>(seconds / 3600);
  parts.minute = static_cast<int>(seconds / 60 % 60);
  parts.second = static_cast<int>(seconds % 60);
  return parts;
}

double DateFromParts(const DateParts& parts) {
  std::int64_t year = parts.year;
  if (year < 0) throw VbError(err::kInvalidCall);
  if (year < 30) {
    year += 2000;
  } else if (year < 100) {
    year += 1900;
  }
  // Months beyond 1..12 move the year; days beyond the month move through the calendar.
  const std::int64_t monthCount = year * 12 + (static_cast<std::int64_t>(parts.month) - 1);
  const std::int64_t normYear = FloorDiv(monthCount, 12);
  const int normMonth = static_cast<int>(monthCount - normYear * 12) + 1;
  if (normYear < 0 || normYear > 20000) throw VbError(err::kInvalidCall);
  std::int64_t dayIndex =
      DayIndexFromCivil(normYear, normMonth, 1) + (static_cast<std::int64_t>(parts.day) - 1);
  const std::int64_t seconds = static_cast<std::int64_t>(parts.hour) * 3600 +
                               static_cast<std::int64_t>(parts.minute) * 60 + parts.second;
  dayIndex += FloorDiv(seconds, 86400);
  const std::int64_t secondsOfDay = seconds - FloorDiv(seconds, 86400) * 86400;
  if (dayIndex < kFirstDayIndex || dayIndex > kLastDayIndex) throw VbError(err::kInvalidCall);
  return EncodeOleDate(dayIndex, secondsOfDay);
}

std::string FormatDate(double oleDate) {
  std::int64_t dayIndex = 0, seconds = 0;
  if (!DecodeOleDate(oleDate, dayIndex, seconds)) throw VbError(err::kOverflow);
  std::string out;
  // The date is left out on 1899-12-30 (a pure time), the time at midnight (a pure date).
  if (dayIndex != 0) {
    std::int64_t year = 0;
    int month = 0, day = 0;
    CivilFromDayIndex(dayIndex, year, month, day);
    out = std::to_string(month) + "/" + std::to_string(day) + "/" + std::to_string(year);
  }
  if (dayIndex == 0 || seconds != 0) {
    const auto hour = seconds / 3600;
    const auto minute = seconds / 60 % 60;
    const auto second = seconds % 60;
    const auto hour12 = hour % 12 == 0 ? 12 : hour % 12;
    if (!out.empty()) out += ' ';
    out += std::to_string(hour12);
    out += minute < 10 ? ":0" : ":";
    out += std::to_string(minute);
    out += second < 10 ? ":0" : ":";
    out += std::to_string(second);
    out += hour < 12 ? " AM" : " PM";
  }
  return out;
}

}  // namespace vbs
