// DateTime: calendar arithmetic behind the Date subtype.
//
// An OLE date counts days from 1899-12-30; its fraction is the time of day. Before that day the
// number is negative but the fraction still counts forward from midnight: -1.25 is 1899-12-29
// 06:00, not 1899-12-28 18:00. Everything here works with the linear pair (day index, seconds
// of the day) and converts at the edges, so sums across that boundary come out right.
// Valid dates run from 100-01-01 to 9999-12-31.
#pragma once

#include <cstdint>

namespace vbs::detail {

inline constexpr std::int64_t kFirstDayIndex = -657434;  // 100-01-01
inline constexpr std::int64_t kLastDayIndex = 2958465;   // 9999-12-31

// Days since 1899-12-30 of a proleptic Gregorian date (month and day already in range).
std::int64_t DayIndexFromCivil(std::int64_t year, int month, int day);
void CivilFromDayIndex(std::int64_t dayIndex, std::int64_t& year, int& month, int& day);
int DaysInMonth(std::int64_t year, int month);

// The OLE date of a moment; secondsOfDay in 0..86399.
double EncodeOleDate(std::int64_t dayIndex, std::int64_t secondsOfDay);

// The moment of an OLE date, rounded to the second; false for NaN and dates out of range.
bool DecodeOleDate(double oleDate, std::int64_t& dayIndex, std::int64_t& secondsOfDay);

// Whether a number can be a Date (CDate's range check).
bool IsOleDateInRange(double oleDate);

}  // namespace vbs::detail
