// CStr of numbers, Booleans and dates: the text scripts print and compare.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "VbsTestUtil.h"

namespace vbs {
namespace {

struct DoubleCase {
  double value;
  const char* text;
};

TEST(NumberFormat, DoubleUsesFifteenDigitsAndVbExponentForm) {
  const DoubleCase cases[] = {
      {0.0, "0"},
      {-0.0, "0"},
      {0.5, "0.5"},
      {-0.5, "-0.5"},
      {100.0, "100"},
      {123.456, "123.456"},
      {12345.6789, "12345.6789"},
      {0.1 + 0.2, "0.3"},
      {1.0 / 3.0, "0.333333333333333"},
      {2.0 / 3.0, "0.666666666666667"},
      {123456789012345.0, "123456789012345"},
      {1e15, "1E+15"},
      {-1234567890123456.0, "-1.23456789012346E+15"},
      {999999999999999.9, "1E+15"},  // rounding to 15 digits moves the exponent
      {1e20, "1E+20"},
      {1e100, "1E+100"},
      {0.0001, "0.0001"},
      {0.00012345, "0.00012345"},
      {0.00001, "1E-05"},
      {1.5e-7, "1.5E-07"},
      {-2.5e-10, "-2.5E-10"},
      {std::numeric_limits<double>::max(), "1.79769313486232E+308"},
      {4.94065645841247e-324, "4.94065645841247E-324"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatDouble(c.value), c.text) << c.value;
    EXPECT_EQ(Variant::fromDouble(c.value).toString(), c.text) << c.value;
  }
}

TEST(NumberFormat, SingleUsesSevenDigits) {
  const std::pair<float, const char*> cases[] = {
      {0.1f, "0.1"},           {3.14159265f, "3.141593"},
      {1234567.0f, "1234567"}, {16777216.0f, "1.677722E+07"},
      {1e7f, "1E+07"},         {1e-5f, "1E-05"},
      {-0.25f, "-0.25"},       {0.0f, "0"},
  };
  for (const auto& [value, text] : cases) {
    EXPECT_EQ(Variant::fromSingle(value).toString(), text) << value;
  }
}

TEST(NumberFormat, CurrencyUpToFourDecimals) {
  const std::pair<std::int64_t, const char*> cases[] = {
      {0, "0"},
      {10000, "1"},
      {15000, "1.5"},
      {1, "0.0001"},
      {-5000, "-0.5"},
      {123456789, "12345.6789"},
      {std::numeric_limits<std::int64_t>::max(), "922337203685477.5807"},
      {std::numeric_limits<std::int64_t>::min(), "-922337203685477.5808"},
  };
  for (const auto& [value, text] : cases) {
    EXPECT_EQ(Variant::fromCurrency(value).toString(), text) << value;
  }
}

TEST(NumberFormat, WholeNumbersAndBooleans) {
  EXPECT_EQ(Variant::fromByte(255).toString(), "255");
  EXPECT_EQ(Variant::fromInteger(-32768).toString(), "-32768");
  EXPECT_EQ(Variant::fromLong(-2147483647 - 1).toString(), "-2147483648");
  EXPECT_EQ(Variant::fromBool(true).toString(), "True");
  EXPECT_EQ(Variant::fromBool(false).toString(), "False");
  EXPECT_EQ(Variant().toString(), "");
}

TEST(NumberFormat, DatesInUsShortForm) {
  const double dec31 = 36525.0;  // 12/31/1999
  const std::pair<double, const char*> cases[] = {
      {dec31, "12/31/1999"},
      {dec31 + 22.0 / 24, "12/31/1999 10:00:00 PM"},
      {22.0 / 24, "10:00:00 PM"},  // 1899-12-30 prints only the time
      {0.0, "12:00:00 AM"},
      {0.5, "12:00:00 PM"},
      {36526.0 + 1.0 / 86400, "1/1/2000 12:00:01 AM"},
      {36526.0 + (9 * 3600 + 5 * 60 + 7) / 86400.0, "1/1/2000 9:05:07 AM"},
      {dec31 + 0.5 + 0.4 / 86400, "12/31/1999 12:00:00 PM"},  // rounded to the second
      {dec31 + 0.5 + 0.6 / 86400, "12/31/1999 12:00:01 PM"},
      {dec31 + 0.9999999, "1/1/2000"},   // rounds up to the next midnight
      {-1.25, "12/29/1899 6:00:00 AM"},  // negative dates count the time forward
      {1.0, "12/31/1899"},
      {-657434.0, "1/1/100"},
      {2958465.9999999, "12/31/9999 11:59:59 PM"},  // never rounds past the last day
  };
  for (const auto& [value, text] : cases) {
    EXPECT_EQ(Variant::fromDate(value).toString(), text) << value;
  }
}

TEST(NumberFormat, DateOutOfRangeIsOverflow) {
  EXPECT_EQ(test::ErrorOf([] { FormatDate(3e6); }), 6);
  EXPECT_EQ(test::ErrorOf([] { FormatDate(-700000.0); }), 6);
  EXPECT_EQ(test::ErrorOf([] { FormatDate(std::nan("")); }), 6);
}

}  // namespace
}  // namespace vbs
