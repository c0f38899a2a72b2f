// BuiltinsDates: Now, Date, Time, Timer, the date parts, Weekday, WeekdayName, MonthName,
// DateAdd, DateDiff, DatePart, DateSerial, DateValue, TimeSerial and TimeValue.
//
// Dates are taken apart into the linear pair (day index, second of the day) of DateTime.h and
// put together again from it, so arithmetic across 1899-12-30 (where OLE dates turn negative)
// is right; results are rounded to the second. Functions that take a date read it as CDate
// does; Null gives Null where the Windows engine gives it (the parts, DateDiff, DatePart,
// DateAdd's date) and raises 94 where it does (DateAdd's number, MonthName, WeekdayName).
// Weeks start on firstdayofweek (1 = Sunday by default, 0 = the system's, also Sunday under
// en-US); week 1 of a year follows firstweekofyear (Jan 1, first four days, first full week).
#include <array>
#include <cmath>
#include <string>

#include "vbscript/BuiltinsDetail.h"
#include "vbscript/DateTime.h"
#include "vbscript/VbError.h"

namespace vbs::detail {

namespace {
constexpr const char* kMonthNames[] = {"January",   "February", "March",    "April",
                                       "May",       "June",     "July",     "August",
                                       "September", "October",  "November", "December"};
constexpr const char* kWeekdayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                         "Thursday", "Friday", "Saturday"};

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}
}  // namespace

std::string_view MonthNameOf(int month, bool abbreviated) {
  const std::string_view name = kMonthNames[month - 1];
  return abbreviated ? name.substr(0, 3) : name;
}

std::string_view WeekdayNameOf(int weekday, bool abbreviated) {
  const std::string_view name = kWeekdayNames[weekday - 1];
  return abbreviated ? name.substr(0, 3) : name;
}

int WeekdayOf(std::int64_t dayIndex) {
  // Day 0, 1899-12-30, was a Saturday.
  return static_cast<int>(((dayIndex + 6) % 7 + 7) % 7) + 1;
}

namespace {

using Args = std::span<Variant>;

struct Moment {
  std::int64_t day = 0;
  std::int64_t second = 0;  // 0..86399
};

Moment MomentOf(const Variant& v) {
  Moment m;
  if (!DecodeOleDate(v.toDate(), m.day, m.second)) throw VbError(err::kOverflow);
  return m;
}

Variant DateOf(const Moment& m) {
  if (m.day < kFirstDayIndex || m.day > kLastDayIndex) throw VbError(err::kInvalidCall);
  return Variant::fromDate(EncodeOleDate(m.day, m.second));
}

Moment FromTotalSeconds(std::int64_t total) {
  return Moment{FloorDiv(total, 86400), total - FloorDiv(total, 86400) * 86400};
}

std::int64_t TotalSeconds(const Moment& m) {
  return m.day * 86400 + m.second;
}

struct Civil {
  std::int64_t year = 0;
  int month = 0, day = 0;
};

Civil CivilOf(std::int64_t dayIndex) {
  Civil c;
  CivilFromDayIndex(dayIndex, c.year, c.month, c.day);
  return c;
}

Variant Now(BuiltinHost& host, Args) {
  return Variant::fromDate(host.now());
}

Variant DateFn(BuiltinHost& host, Args) {
  return Variant::fromDate(std::floor(host.now()));
}

Variant Time(BuiltinHost& host, Args) {
  const double now = host.now();
  return Variant::fromDate(now - std::floor(now));
}

Variant Timer(BuiltinHost& host, Args) {
  return Variant::fromSingle(static_cast<float>(host.timer()));
}

template <typename Part>
Variant DatePartOf(Args args, Part part) {
  const Variant v = ArgValue(args, 0);
  if (v.isNull()) return Variant::Null();
  const Moment m = MomentOf(v);
  return Variant::fromInteger(static_cast<std::int16_t>(part(m)));
}

Variant Year(BuiltinHost&, Args args) {
  return DatePartOf(args, [](const Moment& m) { return CivilOf(m.day).year; });
}
Variant Month(BuiltinHost&, Args args) {
  return DatePartOf(args, [](const Moment& m) { return CivilOf(m.day).month; });
}
Variant Day(BuiltinHost&, Args args) {
  return DatePartOf(args, [](const Moment& m) { return CivilOf(m.day).day; });
}
Variant Hour(BuiltinHost&, Args args) {
  return DatePartOf(args, [](const Moment& m) { return m.second / 3600; });
}
Variant Minute(BuiltinHost&, Args args) {
  return DatePartOf(args, [](const Moment& m) { return m.second / 60 % 60; });
}
Variant Second(BuiltinHost&, Args args) {
  return DatePartOf(args, [](const Moment& m) { return m.second % 60; });
}

// firstdayofweek: 0 (system: Sunday) .. 7; anything else raises 5.
int FirstDayArg(Args args, std::size_t i) {
  const std::int32_t value = LongArg(args, i, 1);
  if (value < 0 || value > 7) throw VbError(err::kInvalidCall);
  return value == 0 ? 1 : value;
}

// firstweekofyear: 0 (system: Jan 1) .. 3; anything else raises 5.
int FirstWeekArg(Args args, std::size_t i) {
  const std::int32_t value = LongArg(args, i, 1);
  if (value < 0 || value > 3) throw VbError(err::kInvalidCall);
  return value == 0 ? 1 : value;
}

// The weekday counted from firstDay (1 = firstDay).
int WeekdayFrom(std::int64_t dayIndex, int firstDay) {
  return (WeekdayOf(dayIndex) - firstDay + 7) % 7 + 1;
}

Variant Weekday(BuiltinHost&, Args args) {
  const int firstDay = FirstDayArg(args, 1);
  const Variant v = ArgValue(args, 0);
  if (v.isNull()) return Variant::Null();
  return Variant::fromInteger(static_cast<std::int16_t>(WeekdayFrom(MomentOf(v).day, firstDay)));
}

bool BoolArg(Args args, std::size_t i) {
  if (!HasArg(args, i)) return false;
  const Variant v = ArgValue(args, i);
  if (v.isNull()) throw VbError(err::kInvalidUseOfNull);
  return v.toBool();
}

// WeekdayName(weekday[, abbreviate[, firstdayofweek]]): weekday 1..7 counts from
// firstdayofweek.
Variant WeekdayName(BuiltinHost&, Args args) {
  const std::int32_t weekday = LongOf(ArgValue(args, 0));
  const bool abbreviated = BoolArg(args, 1);
  const int firstDay = FirstDayArg(args, 2);
  if (weekday < 1 || weekday > 7) throw VbError(err::kInvalidCall);
  return Variant::fromString(
      std::string(WeekdayNameOf((weekday - 1 + firstDay - 1) % 7 + 1, abbreviated)));
}

// MonthName(month[, abbreviate]): a Null in either argument raises 94 before the other is read.
Variant MonthName(BuiltinHost&, Args args) {
  const Variant monthArg = ArgValue(args, 0);
  if (monthArg.isNull() || ArgValue(args, 1).isNull()) throw VbError(err::kInvalidUseOfNull);
  const std::int32_t month = LongOf(monthArg);
  const bool abbreviated = BoolArg(args, 1);
  if (month < 1 || month > 12) throw VbError(err::kInvalidCall);
  return Variant::fromString(std::string(MonthNameOf(month, abbreviated)));
}

std::int16_t IntegerOf(const Variant& v) {
  if (v.isNull()) throw VbError(err::kInvalidUseOfNull);
  return v.toInteger();
}

// DateSerial(year, month, day): out-of-range months and days carry over; 0..29 are 2000..2029
// and 30..99 are 1930..1999.
Variant DateSerial(BuiltinHost&, Args args) {
  DateParts parts{};
  parts.year = IntegerOf(ArgValue(args, 0));
  parts.month = IntegerOf(ArgValue(args, 1));
  parts.day = IntegerOf(ArgValue(args, 2));
  return Variant::fromDate(DateFromParts(parts));
}

// TimeSerial(hour, minute, second): a time on day 0; values out of range carry over, into the
// days before or after when the sum leaves 0:00..23:59:59.
Variant TimeSerial(BuiltinHost&, Args args) {
  const std::int64_t total = std::int64_t{IntegerOf(ArgValue(args, 0))} * 3600 +
                             std::int64_t{IntegerOf(ArgValue(args, 1))} * 60 +
                             IntegerOf(ArgValue(args, 2));
  return DateOf(FromTotalSeconds(total));
}

// DateValue(date): the date part of what CDate reads.
Variant DateValue(BuiltinHost&, Args args) {
  const Variant v = ArgValue(args, 0);
  if (v.isNull()) throw VbError(err::kInvalidUseOfNull);
  return DateOf(Moment{MomentOf(v).day, 0});
}

// TimeValue(time): the time part of what CDate reads.
Variant TimeValue(BuiltinHost&, Args args) {
  const Variant v = ArgValue(args, 0);
  if (v.isNull()) throw VbError(err::kInvalidUseOfNull);
  return DateOf(Moment{0, MomentOf(v).second});
}

enum class Interval { Year, Quarter, Month, DayOfYear, Day, Weekday, Week, Hour, Minute, Second };

Interval IntervalOf(const Variant& v) {
  std::string text = StringOf(v);
  for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  if (text == "yyyy") return Interval::Year;
  if (text == "q") return Interval::Quarter;
  if (text == "m") return Interval::Month;
  if (text == "y") return Interval::DayOfYear;
  if (text == "d") return Interval::Day;
  if (text == "w") return Interval::Weekday;
  if (text == "ww") return Interval::Week;
  if (text == "h") return Interval::Hour;
  if (text == "n") return Interval::Minute;
  if (text == "s") return Interval::Second;
  throw VbError(err::kInvalidCall);
}

Moment AddMonths(const Moment& m, std::int64_t months) {
  const Civil c = CivilOf(m.day);
  const std::int64_t count = c.year * 12 + (c.month - 1) + months;
  const std::int64_t year = FloorDiv(count, 12);
  const int month = static_cast<int>(count - year * 12) + 1;
  if (year < 100 || year > 9999) throw VbError(err::kInvalidCall);
  // The day stays, but not beyond the end of the new month (Jan 31 + 1 month = Feb 28/29).
  const int day = std::min(c.day, DaysInMonth(year, month));
  return Moment{DayIndexFromCivil(year, month, day), m.second};
}

// DateAdd(interval, number, date): number is rounded to a whole number first; a Null number
// raises 94, a Null date gives Null, both before the interval is read.
Variant DateAdd(BuiltinHost&, Args args) {
  const Variant numberArg = ArgValue(args, 1), dateArg = ArgValue(args, 2);
  if (numberArg.isNull()) throw VbError(err::kInvalidUseOfNull);
  if (dateArg.isNull()) return Variant::Null();
  const Interval interval = IntervalOf(ArgValue(args, 0));
  const std::int64_t number = numberArg.toLong();
  const Moment m = MomentOf(dateArg);
  switch (interval) {
    case Interval::Year:
      return DateOf(AddMonths(m, number * 12));
    case Interval::Quarter:
      return DateOf(AddMonths(m, number * 3));
    case Interval::Month:
      return DateOf(AddMonths(m, number));
    case Interval::DayOfYear:
    case Interval::Day:
    case Interval::Weekday:
      return DateOf(Moment{m.day + number, m.second});
    case Interval::Week:
      return DateOf(Moment{m.day + number * 7, m.second});
    case Interval::Hour:
      return DateOf(FromTotalSeconds(TotalSeconds(m) + number * 3600));
    case Interval::Minute:
      return DateOf(FromTotalSeconds(TotalSeconds(m) + number * 60));
    case Interval::Second:
      return DateOf(FromTotalSeconds(TotalSeconds(m) + number));
  }
  return Variant();
}

// The day index of the first day of the week holding dayIndex.
std::int64_t WeekStart(std::int64_t dayIndex, int firstDay) {
  return dayIndex - (WeekdayFrom(dayIndex, firstDay) - 1);
}

// DateDiff(interval, date1, date2[, firstdayofweek[, firstweekofyear]]): the number of
// interval boundaries between the dates ("yyyy" from Dec 31 to Jan 1 is 1); "w" counts whole
// weeks, "ww" the first days of weeks.
Variant DateDiff(BuiltinHost&, Args args) {
  const Interval interval = IntervalOf(ArgValue(args, 0));
  const int firstDay = FirstDayArg(args, 3);
  FirstWeekArg(args, 4);
  const Variant a = ArgValue(args, 1), b = ArgValue(args, 2);
  if (a.isNull() || b.isNull()) return Variant::Null();
  const Moment m1 = MomentOf(a), m2 = MomentOf(b);
  const Civil c1 = CivilOf(m1.day), c2 = CivilOf(m2.day);
  std::int64_t diff = 0;
  switch (interval) {
    case Interval::Year:
      diff = c2.year - c1.year;
      break;
    case Interval::Quarter:
      diff = (c2.year * 4 + (c2.month - 1) / 3) - (c1.year * 4 + (c1.month - 1) / 3);
      break;
    case Interval::Month:
      diff = (c2.year * 12 + c2.month) - (c1.year * 12 + c1.month);
      break;
    case Interval::DayOfYear:
    case Interval::Day:
      diff = m2.day - m1.day;
      break;
    case Interval::Weekday:
      diff = (m2.day - m1.day) / 7;
      break;
    case Interval::Week:
      diff = (WeekStart(m2.day, firstDay) - WeekStart(m1.day, firstDay)) / 7;
      break;
    case Interval::Hour:
      diff = FloorDiv(TotalSeconds(m2), 3600) - FloorDiv(TotalSeconds(m1), 3600);
      break;
    case Interval::Minute:
      diff = FloorDiv(TotalSeconds(m2), 60) - FloorDiv(TotalSeconds(m1), 60);
      break;
    case Interval::Second:
      diff = TotalSeconds(m2) - TotalSeconds(m1);
      break;
  }
  if (diff < INT32_MIN || diff > INT32_MAX) throw VbError(err::kOverflow);
  return Variant::fromLong(static_cast<std::int32_t>(diff));
}

// The first day of week 1 of a year.
std::int64_t FirstWeekStart(std::int64_t year, int firstDay, int firstWeek) {
  const std::int64_t jan1 = DayIndexFromCivil(year, 1, 1);
  std::int64_t start = WeekStart(jan1, firstDay);
  const std::int64_t daysInYear = start + 7 - jan1;  // days of that week in the new year
  if (firstWeek == 2 && daysInYear < 4) start += 7;
  if (firstWeek == 3 && start != jan1) start += 7;
  return start;
}

// Week of the year: counted from week 1's first day; days before it belong to the last week
// of the year before. With "first four days", a last week of December that holds Jan 1's
// week is week 1 of the new year (those days would otherwise get a week 53 that the next year
// also counts as its week 1).
int WeekOfYear(std::int64_t dayIndex, int firstDay, int firstWeek) {
  const std::int64_t year = CivilOf(dayIndex).year;
  if (firstWeek == 2 && year < 9999 && dayIndex >= FirstWeekStart(year + 1, firstDay, firstWeek)) {
    return 1;
  }
  std::int64_t start = FirstWeekStart(year, firstDay, firstWeek);
  if (dayIndex < start) start = FirstWeekStart(year - 1, firstDay, firstWeek);
  return static_cast<int>((dayIndex - start) / 7) + 1;
}

// DatePart(interval, date[, firstdayofweek[, firstweekofyear]]).
Variant DatePart(BuiltinHost&, Args args) {
  const Interval interval = IntervalOf(ArgValue(args, 0));
  const int firstDay = FirstDayArg(args, 2);
  const int firstWeek = FirstWeekArg(args, 3);
  const Variant v = ArgValue(args, 1);
  if (v.isNull()) return Variant::Null();
  const Moment m = MomentOf(v);
  const Civil c = CivilOf(m.day);
  std::int64_t part = 0;
  switch (interval) {
    case Interval::Year:
      part = c.year;
      break;
    case Interval::Quarter:
      part = (c.month - 1) / 3 + 1;
      break;
    case Interval::Month:
      part = c.month;
      break;
    case Interval::DayOfYear:
      part = m.day - DayIndexFromCivil(c.year, 1, 1) + 1;
      break;
    case Interval::Day:
      part = c.day;
      break;
    case Interval::Weekday:
      part = WeekdayFrom(m.day, firstDay);
      break;
    case Interval::Week:
      part = WeekOfYear(m.day, firstDay, firstWeek);
      break;
    case Interval::Hour:
      part = m.second / 3600;
      break;
    case Interval::Minute:
      part = m.second / 60 % 60;
      break;
    case Interval::Second:
      part = m.second % 60;
      break;
  }
  return Variant::fromInteger(static_cast<std::int16_t>(part));
}

constexpr std::array kTable = {
    BuiltinInfo{"Now", 0, 0, Now},
    BuiltinInfo{"Date", 0, 0, DateFn},
    BuiltinInfo{"Time", 0, 0, Time},
    BuiltinInfo{"Timer", 0, 0, Timer},
    BuiltinInfo{"Year", 1, 1, Year},
    BuiltinInfo{"Month", 1, 1, Month},
    BuiltinInfo{"Day", 1, 1, Day},
    BuiltinInfo{"Hour", 1, 1, Hour},
    BuiltinInfo{"Minute", 1, 1, Minute},
    BuiltinInfo{"Second", 1, 1, Second},
    BuiltinInfo{"Weekday", 1, 2, Weekday},
    BuiltinInfo{"WeekdayName", 1, 3, WeekdayName},
    BuiltinInfo{"MonthName", 1, 2, MonthName},
    BuiltinInfo{"DateSerial", 3, 3, DateSerial},
    BuiltinInfo{"TimeSerial", 3, 3, TimeSerial},
    BuiltinInfo{"DateValue", 1, 1, DateValue},
    BuiltinInfo{"TimeValue", 1, 1, TimeValue},
    BuiltinInfo{"DateAdd", 3, 3, DateAdd},
    BuiltinInfo{"DateDiff", 3, 5, DateDiff},
    BuiltinInfo{"DatePart", 2, 4, DatePart},
};

}  // namespace

BuiltinTable DateBuiltins() {
  return kTable;
}

}  // namespace vbs::detail
