// Dates: splitting into parts, DateSerial/TimeSerial arithmetic and the accepted date texts.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "VbsTestUtil.h"

namespace vbs {
namespace {

using test::ErrorOf;

constexpr double kDec31_1999 = 36525.0;

bool SameParts(const DateParts& a, const DateParts& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
         a.minute == b.minute && a.second == b.second;
}

std::string Show(const DateParts& p) {
  return std::to_string(p.year) + "-" + std::to_string(p.month) + "-" + std::to_string(p.day) +
         " " + std::to_string(p.hour) + ":" + std::to_string(p.minute) + ":" +
         std::to_string(p.second);
}

TEST(SplitDate, PartsAndRounding) {
  const std::pair<double, DateParts> cases[] = {
      {0.0, {1899, 12, 30, 0, 0, 0}},
      {kDec31_1999, {1999, 12, 31, 0, 0, 0}},
      {kDec31_1999 + 0.75, {1999, 12, 31, 18, 0, 0}},
      {kDec31_1999 + 0.99999999, {2000, 1, 1, 0, 0, 0}},  // rounds to the next midnight
      {-1.25, {1899, 12, 29, 6, 0, 0}},
      {-0.5, {1899, 12, 30, 12, 0, 0}},        // "-0" with half a day
      {-1.99999999, {1899, 12, 30, 0, 0, 0}},  // a negative date rounding forward
      {60.0, {1900, 2, 28, 0, 0, 0}},          // 1900 is no leap year
      {61.0, {1900, 3, 1, 0, 0, 0}},
      {36585.0, {2000, 2, 29, 0, 0, 0}},
      {-657434.0, {100, 1, 1, 0, 0, 0}},
      {2958465.0, {9999, 12, 31, 0, 0, 0}},
  };
  for (const auto& [date, expected] : cases) {
    const DateParts got = SplitDate(date);
    EXPECT_TRUE(SameParts(got, expected)) << date << " gave " << Show(got);
  }
}

struct SerialCase {
  DateParts parts;
  double expected;
};

TEST(DateFromParts, CarriesAndTwoDigitYears) {
  const SerialCase cases[] = {
      {{1999, 12, 31, 0, 0, 0}, kDec31_1999},
      {{2000, 1, 0, 0, 0, 0}, kDec31_1999},           // day 0 is the last of the month before
      {{1999, 13, 1, 0, 0, 0}, 36526},                // month 13 is January next year
      {{2000, 0, 31, 0, 0, 0}, kDec31_1999},          // month 0 is December before
      {{2000, -11, 31, 0, 0, 0}, kDec31_1999 - 334},  // January 31, 1999
      {{2000, 3, 0, 0, 0, 0}, 36585},                 // Feb 29, 2000
      {{1900, 3, 0, 0, 0, 0}, 60},                    // Feb 28, 1900
      {{99, 12, 31, 0, 0, 0}, kDec31_1999},           // 30..99 -> 1930..1999
      {{29, 1, 1, 0, 0, 0}, 47119},                   // 0..29 -> 2000..2029
      {{30, 1, 1, 0, 0, 0}, 10959},
      {{1999, 12, 31, 22, 0, 0}, kDec31_1999 + 22.0 / 24},
      {{2000, 1, 1, -2, 0, 0}, kDec31_1999 + 22.0 / 24},    // negative hours go back a day
      {{1999, 12, 30, 46, 0, 0}, kDec31_1999 + 22.0 / 24},  // 46 hours carry into the day
      {{1999, 12, 31, 0, 0, 86400}, 36526},
      {{1999, 12, 31, 0, 90, -30}, kDec31_1999 + 5370.0 / 86400},
      {{1899, 12, 29, 12, 0, 0}, -1.5},  // before 1899-12-30 the time still counts up
      {{1899, 12, 30, -6, 0, 0}, -1.75},
      {{100, 1, 1, 0, 0, 0}, -657434},
      {{9999, 12, 31, 0, 0, 0}, 2958465},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(DateFromParts(c.parts), c.expected) << Show(c.parts);
  }
}

TEST(DateFromParts, OutOfRangeIsInvalidCall) {
  const DateParts cases[] = {
      {10000, 1, 1, 0, 0, 0},   {9999, 12, 32, 0, 0, 0}, {100, 1, 0, 0, 0, 0},
      {9999, 12, 31, 24, 0, 0}, {-1, 1, 1, 0, 0, 0},     {2000, 2000000000, 1, 0, 0, 0},
  };
  for (const auto& parts : cases) {
    EXPECT_EQ(ErrorOf([&] { DateFromParts(parts); }), 5) << Show(parts);
  }
}

TEST(DateFromParts, RoundTripsThroughSplitDate) {
  for (double day = -657434; day <= 2958465; day += 9973.0) {
    for (int seconds : {0, 1, 43200, 86399}) {
      const double date = day >= 0 ? day + seconds / 86400.0 : day - seconds / 86400.0;
      const DateParts parts = SplitDate(date);
      EXPECT_DOUBLE_EQ(DateFromParts(parts), date) << Show(parts);
    }
  }
}

struct TextCase {
  const char* text;
  std::optional<double> expected;
};

TEST(ParseDateText, AcceptedForms) {
  constexpr double t22 = 22.0 / 24;
  const TextCase cases[] = {
      {"1999-12-31", kDec31_1999},
      {"1999-12-31 10:00:00", kDec31_1999 + 10.0 / 24},
      {"1999/12/31", kDec31_1999},
      {"12/31/1999", kDec31_1999},
      {"12-31-1999", kDec31_1999},
      {" 12/31/1999 ", kDec31_1999},
      {"12/31/1999 10:00:00 PM", kDec31_1999 + t22},
      {"12/31/1999 10:00 pm", kDec31_1999 + t22},
      {"10:00:00 PM 12/31/1999", kDec31_1999 + t22},
      {"12/31/99", kDec31_1999},
      {"31/12/1999", kDec31_1999},  // 31 cannot be a month: day first
      {"December 31, 1999", kDec31_1999},
      {"Dec 31 1999", kDec31_1999},
      {"31 December 1999", kDec31_1999},
      {"31-Dec-1999", kDec31_1999},
      {"Friday, December 31, 1999", kDec31_1999},
      {"DECEMBER 31, 1999 10:00 PM", kDec31_1999 + t22},
      {"December 1999", kDec31_1999 - 30},
      {"12/1999", kDec31_1999 - 30},
      {"feb 29 2000", 36585},
      {"1/1/29", 47119},
      {"1/1/30", 10959},
      {"1/1/100", -657434},
      {"12/31/9999", 2958465},
      {"12/29/1899 6:00 AM", -1.25},
      {"10:00 AM", 10.0 / 24},
      {"10:00", 10.0 / 24},
      {"22:00:00", t22},
      {"10 PM", t22},
      {"10PM", t22},
      {"10:00PM", t22},
      {"12:00 AM", 0.0},
      {"12:30 PM", 12.5 / 24},
      {"0:00", 0.0},
      {"23:59:59", 86399.0 / 86400},
  };
  for (const auto& c : cases) {
    const auto got = ParseDateText(c.text, 2024);
    ASSERT_TRUE(got.has_value()) << c.text;
    EXPECT_DOUBLE_EQ(*got, *c.expected) << c.text;
  }
}

TEST(ParseDateText, FormsWithoutYearTakeTheCurrentYear) {
  EXPECT_DOUBLE_EQ(*ParseDateText("12/31", 1999), kDec31_1999);
  EXPECT_DOUBLE_EQ(*ParseDateText("Dec 31", 1999), kDec31_1999);
  EXPECT_DOUBLE_EQ(*ParseDateText("31/12", 1999), kDec31_1999);
  EXPECT_DOUBLE_EQ(*ParseDateText("2/29", 2024), 36585 + 366 * 6 + 365 * 18);
  // Without a 29 February, the only reading left is month / two-digit year.
  EXPECT_DOUBLE_EQ(*ParseDateText("2/29", 2023), DateFromParts({2029, 2, 1, 0, 0, 0}));
}

TEST(ParseDateText, RejectedForms) {
  const char* cases[] = {
      "",
      "   ",
      "abc",
      "5",
      "1999",
      "2/30/1999",
      "13/13/1999",
      "2/29/2001",
      "0/1/1999",
      "1/0/1999",
      "1/1/99999",
      "1/1/10000",
      "25:00",
      "13:00 PM",
      "10:60",
      "10:00:60",
      "10:",
      "10:00 XM",
      "12/31/1999 10:00 11:00",
      "December",
      "Dec Jan 1",
      "1/2/3/4",
      "12/31/1999;",
      "Friday",
      ":",
      "1:2:3:4",
  };
  for (const char* text : cases) {
    EXPECT_FALSE(ParseDateText(text, 2024).has_value()) << text;
  }
}

}  // namespace
}  // namespace vbs
