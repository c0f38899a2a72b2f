// Date functions: parts, weekdays, serials, DateAdd / DateDiff / DatePart with their intervals
// and week rules, FormatDateTime, the host clock. Expected values are VBScript 5.8's
// documented results under en-US.
#include "BuiltinTestUtil.h"

namespace vbs::test {
namespace {

TEST(DateFunctionsTest, PartsAndNames) {
  const Variant eve = Dt("12/31/1999 10:30:15 PM");
  RunTable({
      {"Year", {eve}, "Integer:1999"},
      {"Month", {eve}, "Integer:12"},
      {"Day", {eve}, "Integer:31"},
      {"Hour", {eve}, "Integer:22"},
      {"Minute", {eve}, "Integer:30"},
      {"Second", {eve}, "Integer:15"},
      {"Year", {N()}, "Null"},
      {"Year", {S("abc")}, "error 13"},
      {"Month", {S("March 5, 2001")}, "Integer:3"},
      {"Day", {D(2.0)}, "Integer:1"},  // 1/1/1900
      {"Weekday", {Dt("1/1/2000")}, "Integer:7"},
      {"Weekday", {Dt("1/1/2000"), I(2)}, "Integer:6"},
      {"Weekday", {Dt("1/1/2000"), I(0)}, "Integer:7"},
      {"Weekday", {Dt("1/1/2000"), I(8)}, "error 5"},
      {"Weekday", {N()}, "Null"},
      {"Weekday", {D(-1.0)}, "Integer:6"},  // 12/29/1899 was a Friday
      {"WeekdayName", {I(1)}, "String:Sunday"},
      {"WeekdayName", {I(1), B(true)}, "String:Sun"},
      {"WeekdayName", {I(1), B(false), I(2)}, "String:Monday"},
      {"WeekdayName", {I(7), B(false), I(2)}, "String:Sunday"},
      {"WeekdayName", {I(8)}, "error 5"},
      {"MonthName", {I(12)}, "String:December"},
      {"MonthName", {I(1), B(true)}, "String:Jan"},
      {"MonthName", {I(13)}, "error 5"},
  });
}

TEST(DateFunctionsTest, SerialsAndValues) {
  RunTable({
      {"DateSerial", {I(2000), I(2), I(30)}, "Date:3/1/2000"},
      {"DateSerial", {I(99), I(1), I(1)}, "Date:1/1/1999"},
      {"DateSerial", {I(5), I(1), I(1)}, "Date:1/1/2005"},
      {"DateSerial", {I(2000), I(0), I(1)}, "Date:12/1/1999"},
      {"DateSerial", {I(2000), I(13), I(1)}, "Date:1/1/2001"},
      {"DateSerial", {I(2000), I(1), I(0)}, "Date:12/31/1999"},
      {"DateSerial", {I(10000), I(1), I(1)}, "error 5"},
      {"DateSerial", {N(), I(1), I(1)}, "error 94"},
      {"TimeSerial", {I(12), I(30), I(0)}, "Date:12:30:00 PM"},
      {"TimeSerial", {I(0), I(90), I(0)}, "Date:1:30:00 AM"},
      {"TimeSerial", {I(25), I(0), I(0)}, "Date:12/31/1899 1:00:00 AM"},
      {"TimeSerial", {I(-1), I(0), I(0)}, "Date:12/29/1899 11:00:00 PM"},
      {"DateValue", {S("December 31, 1999 10:00 PM")}, "Date:12/31/1999"},
      {"DateValue", {S("no date")}, "error 13"},
      {"TimeValue", {S("12/31/1999 10:00 PM")}, "Date:10:00:00 PM"},
  });
}

TEST(DateFunctionsTest, DateAdd) {
  RunTable({
      {"DateAdd", {S("m"), I(1), Dt("1/31/2000")}, "Date:2/29/2000"},
      {"DateAdd", {S("m"), I(1), Dt("1/31/1999")}, "Date:2/28/1999"},
      {"DateAdd", {S("yyyy"), I(1), Dt("2/29/2000")}, "Date:2/28/2001"},
      {"DateAdd", {S("q"), I(1), Dt("11/30/2000")}, "Date:2/28/2001"},
      {"DateAdd", {S("d"), I(-1), Dt("1/1/2000")}, "Date:12/31/1999"},
      {"DateAdd", {S("y"), I(1), Dt("12/31/1999")}, "Date:1/1/2000"},
      {"DateAdd", {S("w"), I(1), Dt("12/31/1999")}, "Date:1/1/2000"},
      {"DateAdd", {S("ww"), I(2), Dt("1/1/2000")}, "Date:1/15/2000"},
      {"DateAdd", {S("h"), I(25), Dt("1/1/2000")}, "Date:1/2/2000 1:00:00 AM"},
      {"DateAdd", {S("N"), I(-90), Dt("1/1/2000")}, "Date:12/31/1999 10:30:00 PM"},
      {"DateAdd", {S("s"), I(1), Dt("12/31/1999 11:59:59 PM")}, "Date:1/1/2000"},
      {"DateAdd", {S("m"), I(1), Dt("1/31/2000 6:00 PM")}, "Date:2/29/2000 6:00:00 PM"},
      // Day 0 (12/30/1899) prints as a time alone.
      {"DateAdd", {S("d"), I(1), Dt("12/29/1899 6:00 AM")}, "Date:6:00:00 AM"},
      {"DateAdd", {S("x"), I(1), Dt("1/1/2000")}, "error 5"},
      {"DateAdd", {S("yyyy"), I(8000), Dt("1/1/2000")}, "error 5"},
      {"DateAdd", {S("d"), I(1), N()}, "Null"},
  });
}

TEST(DateFunctionsTest, DateDiffCountsBoundaries) {
  RunTable({
      {"DateDiff", {S("yyyy"), Dt("12/31/1999"), Dt("1/1/2000")}, "Long:1"},
      {"DateDiff", {S("d"), Dt("1/1/2000 11:00 PM"), Dt("1/2/2000 1:00 AM")}, "Long:1"},
      {"DateDiff", {S("d"), Dt("1/2/2000"), Dt("1/1/2000")}, "Long:-1"},
      {"DateDiff", {S("h"), Dt("1/1/2000 11:59 PM"), Dt("1/2/2000 12:01 AM")}, "Long:1"},
      {"DateDiff", {S("m"), Dt("1/31/2000"), Dt("2/1/2000")}, "Long:1"},
      {"DateDiff", {S("q"), Dt("3/31/2000"), Dt("4/1/2000")}, "Long:1"},
      {"DateDiff", {S("w"), Dt("1/1/2000"), Dt("1/14/2000")}, "Long:1"},
      {"DateDiff", {S("w"), Dt("1/14/2000"), Dt("1/1/2000")}, "Long:-1"},
      {"DateDiff", {S("ww"), Dt("1/1/2000"), Dt("1/2/2000")}, "Long:1"},
      {"DateDiff", {S("ww"), Dt("1/2/2000"), Dt("1/8/2000")}, "Long:0"},
      {"DateDiff", {S("ww"), Dt("1/2/2000"), Dt("1/3/2000"), I(2)}, "Long:1"},
      {"DateDiff", {S("s"), Dt("1/1/2000"), Dt("1/1/2000 12:01:00 AM")}, "Long:60"},
      {"DateDiff", {S("n"), Dt("12/29/1899 11:59 PM"), Dt("12/30/1899 12:01 AM")}, "Long:2"},
      {"DateDiff", {S("s"), Dt("1/1/100"), Dt("12/31/9999")}, "error 6"},
      {"DateDiff", {S("d"), N(), Dt("1/1/2000")}, "Null"},
      {"DateDiff", {S("d"), Dt("1/1/2000"), Dt("1/2/2000"), I(9)}, "error 5"},
  });
}

TEST(DateFunctionsTest, DatePartWeeksAndParts) {
  RunTable({
      {"DatePart", {S("q"), Dt("5/1/2000")}, "Integer:2"},
      {"DatePart", {S("y"), Dt("12/31/2000")}, "Integer:366"},
      {"DatePart", {S("w"), Dt("1/1/2000")}, "Integer:7"},
      {"DatePart", {S("w"), Dt("1/1/2000"), I(2)}, "Integer:6"},
      {"DatePart", {S("ww"), Dt("1/1/2000")}, "Integer:1"},
      {"DatePart", {S("ww"), Dt("1/2/2000")}, "Integer:2"},
      {"DatePart", {S("ww"), Dt("12/31/2000")}, "Integer:54"},
      {"DatePart", {S("ww"), Dt("1/1/2000"), I(2), I(2)}, "Integer:52"},
      {"DatePart", {S("ww"), Dt("1/3/2000"), I(2), I(2)}, "Integer:1"},
      {"DatePart", {S("ww"), Dt("12/29/2003"), I(2), I(2)}, "Integer:1"},
      {"DatePart", {S("ww"), Dt("12/28/2003"), I(2), I(2)}, "Integer:52"},
      {"DatePart", {S("ww"), Dt("1/1/2000"), I(1), I(3)}, "Integer:52"},
      {"DatePart", {S("ww"), Dt("1/2/2000"), I(1), I(3)}, "Integer:1"},
      {"DatePart", {S("h"), Dt("10:30 PM")}, "Integer:22"},
      {"DatePart", {S("yyyy"), N()}, "Null"},
      {"DatePart", {S("x"), Dt("1/1/2000")}, "error 5"},
      {"DatePart", {S("ww"), Dt("1/1/2000"), I(1), I(4)}, "error 5"},
  });
}

TEST(DateFunctionsTest, FormatDateTime) {
  const Variant eve = Dt("12/31/1999 10:05:03 PM");
  RunTable({
      {"FormatDateTime", {eve}, "String:12/31/1999 10:05:03 PM"},
      {"FormatDateTime", {eve, I(1)}, "String:Friday, December 31, 1999"},
      {"FormatDateTime", {eve, I(2)}, "String:12/31/1999"},
      {"FormatDateTime", {eve, I(3)}, "String:10:05:03 PM"},
      {"FormatDateTime", {eve, I(4)}, "String:22:05"},
      {"FormatDateTime", {Dt("1/5/2000"), I(3)}, "String:12:00:00 AM"},
      {"FormatDateTime", {Dt("1/5/2000"), I(1)}, "String:Wednesday, January 5, 2000"},
      {"FormatDateTime", {Dt("9:07 AM"), I(2)}, "String:12/30/1899"},
      {"FormatDateTime", {Dt("9:07 AM"), I(4)}, "String:09:07"},
      {"FormatDateTime", {eve, I(5)}, "error 5"},
      {"FormatDateTime", {S("1/2/2003")}, "String:1/2/2003"},
  });
}

TEST(DateFunctionsTest, ClockFunctionsAskTheHost) {
  FakeHost host;
  EXPECT_EQ(Describe(Call(host, "Now", {})), "Date:1/1/2000 6:00:00 PM");
  EXPECT_EQ(Describe(Call(host, "Date", {})), "Date:1/1/2000");
  EXPECT_EQ(Describe(Call(host, "Time", {})), "Date:6:00:00 PM");
  EXPECT_EQ(Describe(Call(host, "Timer", {})), "Single:64800.5");
}

}  // namespace
}  // namespace vbs::test
