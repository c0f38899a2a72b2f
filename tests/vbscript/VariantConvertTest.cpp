// Conversions CBool .. CStr: text to number, banker's rounding, overflow boundaries,
// Empty / Null / objects / errors.
#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "VbsTestUtil.h"
#include "vbscript/VariantArray.h"

namespace vbs {
namespace {

using test::ErrorOf;

Variant S(const char* text) {
  return Variant::fromString(text);
}

TEST(TextToNumber, AcceptedForms) {
  const std::pair<const char*, double> cases[] = {
      {"12", 12},
      {"  12  ", 12},
      {"\t-3.5 ", -3.5},
      {"+7", 7},
      {"1e3", 1000},
      {"1E+3", 1000},
      {"2.5e-2", 0.025},
      {".5", 0.5},
      {"-.5", -0.5},
      {"1.", 1},
      {"0.000", 0},
      {"1,000", 1000},
      {"1,234,567.5", 1234567.5},
      {"$5", 5},
      {"-$5", -5},
      {"(5)", -5},
      {"5-", -5},
      {"&HFF", 255},
      {"&hff", 255},
      {"&HFFFF", 65535},
      {"&HFFFFFFFF", -1},
      {"&O17", 15},
      {" &H10 ", 16},
      {"007", 7},
      {"10.05", 10.05},
      {"0.000001", 0.000001},
      {"123456789012345678901234567890", 1.2345678901234568e29},
      {"1e-400", 0},
  };
  for (const auto& [text, value] : cases) {
    const auto parsed = ParseNumberText(text);
    ASSERT_TRUE(parsed.has_value()) << text;
    EXPECT_DOUBLE_EQ(*parsed, value) << text;
    EXPECT_DOUBLE_EQ(S(text).toDouble(), value) << text;
  }
}

TEST(TextToNumber, RejectedForms) {
  const char* cases[] = {"",      " ",   "abc", "12abc", "1 2",   ".",  "1e",  "1e+",
                         "--1",   "+-1", "&H",  "&HG",   "&H1 2", "(5", "5)",  ",5",
                         "1.2.3", "e5",  "&Z1", "1..2",  "- 1",   "$",  "True"};
  for (const char* text : cases) {
    EXPECT_FALSE(ParseNumberText(text).has_value()) << text;
    EXPECT_EQ(ErrorOf([&] { S(text).toDouble(); }), 13) << text;
  }
}

TEST(TextToNumber, TooLargeIsOverflow) {
  EXPECT_EQ(ErrorOf([] { S("1e400").toDouble(); }), 6);
  EXPECT_EQ(ErrorOf([] { S("&H1FFFFFFFF").toLong(); }), 6);
  EXPECT_FALSE(S("1e400").isNumeric());
}

// CInt / CLng / CByte round half to even and check their range after rounding.
struct WholeCase {
  double value;
  std::int64_t expected;  // ignored when overflow
  bool overflow;
};

TEST(Rounding, IntegerBankersRoundingAndRange) {
  const WholeCase cases[] = {
      {2.5, 2, false},         {3.5, 4, false},       {-2.5, -2, false},
      {-3.5, -4, false},       {0.5, 0, false},       {1.5, 2, false},
      {2.4999999, 2, false},   {2.5000001, 3, false}, {-0.4, 0, false},
      {32767.4, 32767, false}, {32767.5, 0, true},    {-32768.5, -32768, false},
      {-32768.51, 0, true},    {1e10, 0, true},       {-1e300, 0, true},
  };
  for (const auto& c : cases) {
    if (c.overflow) {
      EXPECT_EQ(ErrorOf([&] { Variant::fromDouble(c.value).toInteger(); }), 6) << c.value;
    } else {
      EXPECT_EQ(Variant::fromDouble(c.value).toInteger(), c.expected) << c.value;
    }
  }
}

TEST(Rounding, LongAndByteRange) {
  EXPECT_EQ(Variant::fromDouble(2147483647.49).toLong(), 2147483647);
  EXPECT_EQ(ErrorOf([] { Variant::fromDouble(2147483647.5).toLong(); }), 6);
  EXPECT_EQ(Variant::fromDouble(-2147483648.5).toLong(), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(ErrorOf([] { Variant::fromDouble(-2147483648.51).toLong(); }), 6);
  EXPECT_EQ(Variant::fromDouble(254.5).toByte(), 254);
  EXPECT_EQ(Variant::fromDouble(253.5).toByte(), 254);
  EXPECT_EQ(ErrorOf([] { Variant::fromDouble(255.5).toByte(); }), 6);
  EXPECT_EQ(Variant::fromDouble(-0.5).toByte(), 0);
  EXPECT_EQ(ErrorOf([] { Variant::fromDouble(-0.51).toByte(); }), 6);
  EXPECT_EQ(ErrorOf([] { Variant::fromInteger(256).toByte(); }), 6);
  EXPECT_EQ(ErrorOf([] { Variant::fromLong(32768).toInteger(); }), 6);
  EXPECT_EQ(ErrorOf([] { Variant::fromLong(-32769).toInteger(); }), 6);
  EXPECT_EQ(Variant::fromLong(-32768).toInteger(), -32768);
  EXPECT_EQ(ErrorOf([] { Variant::fromSingle(3e9f).toLong(); }), 6);
}

TEST(Rounding, FromText) {
  EXPECT_EQ(S("2.5").toInteger(), 2);
  EXPECT_EQ(S("3.5").toLong(), 4);
  EXPECT_EQ(S(" 1e3 ").toInteger(), 1000);
  EXPECT_EQ(S("255.5").toLong(), 256);
  EXPECT_EQ(ErrorOf([] { S("255.5").toByte(); }), 6);
  EXPECT_EQ(ErrorOf([] { S("32768").toInteger(); }), 6);
  // Hexadecimal text: 16-bit patterns are Integers, 32-bit patterns Longs.
  EXPECT_EQ(S("&HFFFF").toInteger(), -1);
  EXPECT_EQ(S("&HFFFF").toLong(), 65535);
  EXPECT_EQ(S("&HFFFFFFFF").toLong(), -1);
  EXPECT_EQ(S("&HFF").toByte(), 255);
  EXPECT_EQ(ErrorOf([] { S("&H10000").toInteger(); }), 6);
}

TEST(Rounding, CurrencyToWholeNumbers) {
  EXPECT_EQ(Variant::fromCurrency(25000).toInteger(), 2);
  EXPECT_EQ(Variant::fromCurrency(35000).toInteger(), 4);
  EXPECT_EQ(Variant::fromCurrency(-25000).toLong(), -2);
  EXPECT_EQ(Variant::fromCurrency(25001).toLong(), 3);
  EXPECT_EQ(Variant::fromCurrency(-24999).toLong(), -2);
  EXPECT_EQ(ErrorOf([] { Variant::fromCurrency(327675000).toInteger(); }), 6);
}

TEST(Currency, TextRoundsTheExactDecimal) {
  const std::pair<const char*, std::int64_t> cases[] = {
      {"1.00005", 10000},  // half to even: stays 1.0000
      {"1.00015", 10002},  // binary 1.00015 lies below the half; the decimal does not
      {"-1.00015", -10002},
      {"0.00005", 0},
      {"0.00006", 1},
      {"0.000051", 1},
      {"0.000049999", 0},
      {"0.0000001", 0},
      {"12.5", 125000},
      {"1e3", 10000000},
      {"$1,234.56", 12345600},
      {"922337203685477.5807", std::numeric_limits<std::int64_t>::max()},
      {"-922337203685477.5808", std::numeric_limits<std::int64_t>::min()},
      {"&HFF", 2550000},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(S(text).toCurrency(), value) << text;
  EXPECT_EQ(ErrorOf([] { S("922337203685477.5808").toCurrency(); }), 6);
  EXPECT_EQ(ErrorOf([] { S("1e20").toCurrency(); }), 6);
}

TEST(Currency, FromNumbers) {
  EXPECT_EQ(Variant::fromDouble(1.5).toCurrency(), 15000);
  EXPECT_EQ(Variant::fromDouble(0.00005).toCurrency(), 0);
  EXPECT_EQ(Variant::fromDouble(0.00015).toCurrency(), 2);
  EXPECT_EQ(Variant::fromLong(-3).toCurrency(), -30000);
  EXPECT_EQ(Variant::fromBool(true).toCurrency(), -10000);
  EXPECT_EQ(ErrorOf([] { Variant::fromDouble(1e15).toCurrency(); }), 6);
  EXPECT_EQ(ErrorOf([] { Variant::fromDouble(9.3e18 / 10000).toCurrency(); }), 6);
  EXPECT_DOUBLE_EQ(Variant::fromCurrency(12345).toDouble(), 1.2345);
}

TEST(Single, RangeAndPrecision) {
  EXPECT_FLOAT_EQ(S("3.4e38").toSingle(), 3.4e38f);
  EXPECT_EQ(ErrorOf([] { Variant::fromDouble(1e39).toSingle(); }), 6);
  EXPECT_EQ(ErrorOf([] { Variant::fromDouble(-1e39).toSingle(); }), 6);
  EXPECT_EQ(Variant::fromDouble(0.1).toSingle(), 0.1f);
}

TEST(Boolean, Conversions) {
  const std::pair<const char*, bool> texts[] = {
      {"True", true},   {"true", true},     {"TRUE", true},  {"False", false}, {"fAlSe", false},
      {"#TRUE#", true}, {"#FALSE#", false}, {"1", true},     {"-1", true},     {"0", false},
      {"0.0", false},   {" 2 ", true},      {"0.001", true}, {"&H0", false},
  };
  for (const auto& [text, value] : texts) EXPECT_EQ(S(text).toBool(), value) << text;
  EXPECT_EQ(ErrorOf([] { S("yes").toBool(); }), 13);
  EXPECT_EQ(ErrorOf([] { S("").toBool(); }), 13);
  EXPECT_FALSE(Variant().toBool());
  EXPECT_FALSE(Variant::fromDouble(0.0).toBool());
  EXPECT_TRUE(Variant::fromDouble(0.5).toBool());
  EXPECT_TRUE(Variant::fromDate(36525).toBool());
  EXPECT_TRUE(Variant::fromCurrency(1).toBool());
  // True is -1 everywhere except in a Byte, which cannot hold it.
  EXPECT_EQ(Variant::fromBool(true).toInteger(), -1);
  EXPECT_EQ(Variant::fromBool(true).toLong(), -1);
  EXPECT_DOUBLE_EQ(Variant::fromBool(true).toDouble(), -1.0);
  EXPECT_EQ(Variant::fromBool(true).toByte(), 255);
  EXPECT_EQ(Variant::fromBool(false).toByte(), 0);
}

TEST(SpecialValues, EmptyIsZeroBlankFalse) {
  const Variant empty;
  EXPECT_EQ(empty.toInteger(), 0);
  EXPECT_EQ(empty.toByte(), 0);
  EXPECT_EQ(empty.toLong(), 0);
  EXPECT_EQ(empty.toDouble(), 0.0);
  EXPECT_EQ(empty.toCurrency(), 0);
  EXPECT_EQ(empty.toDate(), 0.0);
  EXPECT_EQ(empty.toString(), "");
  EXPECT_FALSE(empty.toBool());
}

TEST(SpecialValues, NullErrorArrayAndObjects) {
  const Variant null = Variant::Null();
  const Variant error = Variant::fromError(5);
  const Variant array = Variant::fromArray(VariantArray::withUpperBounds({2}));
  const Variant nothing = Variant::fromObject(nullptr);
  const Variant plain = Variant::fromObject(std::make_shared<test::PlainObject>());
  struct Source {
    const Variant* value;
    int error;
  };
  const Source sources[] = {{&null, 94}, {&error, 13}, {&array, 13}, {&nothing, 91}, {&plain, 438}};
  for (const auto& s : sources) {
    const Variant& v = *s.value;
    EXPECT_EQ(ErrorOf([&] { v.toBool(); }), s.error) << v.typeName();
    EXPECT_EQ(ErrorOf([&] { v.toByte(); }), s.error) << v.typeName();
    EXPECT_EQ(ErrorOf([&] { v.toInteger(); }), s.error) << v.typeName();
    EXPECT_EQ(ErrorOf([&] { v.toLong(); }), s.error) << v.typeName();
    EXPECT_EQ(ErrorOf([&] { v.toSingle(); }), s.error) << v.typeName();
    EXPECT_EQ(ErrorOf([&] { v.toDouble(); }), s.error) << v.typeName();
    EXPECT_EQ(ErrorOf([&] { v.toCurrency(); }), s.error) << v.typeName();
    EXPECT_EQ(ErrorOf([&] { v.toDate(); }), s.error) << v.typeName();
    EXPECT_EQ(ErrorOf([&] { v.toString(); }), s.error) << v.typeName();
  }
  EXPECT_EQ(StandardErrorText(94), "Invalid use of Null");
}

TEST(SpecialValues, ObjectsConvertThroughTheirDefaultValue) {
  const Variant five =
      Variant::fromObject(std::make_shared<test::ValueObject>(Variant::fromString("5.5")));
  EXPECT_EQ(five.toString(), "5.5");
  EXPECT_EQ(five.toInteger(), 6);
  EXPECT_TRUE(five.isNumeric());
  // A default value that is itself an object is followed.
  const Variant nested = Variant::fromObject(std::make_shared<test::ValueObject>(five));
  EXPECT_DOUBLE_EQ(nested.toDouble(), 5.5);
}

TEST(DateConversion, NumbersAndText) {
  EXPECT_DOUBLE_EQ(S("12/31/1999").toDate(), 36525.0);
  EXPECT_DOUBLE_EQ(S("10:00 PM").toDate(), 22.0 / 24);
  EXPECT_DOUBLE_EQ(Variant::fromDouble(36525.5).toDate(), 36525.5);
  EXPECT_DOUBLE_EQ(Variant::fromBool(true).toDate(), -1.0);
  EXPECT_DOUBLE_EQ(Variant::fromCurrency(15000).toDate(), 1.5);
  EXPECT_EQ(ErrorOf([] { Variant::fromDouble(1e10).toDate(); }), 6);
  EXPECT_EQ(ErrorOf([] { Variant::fromDouble(2958466.0).toDate(); }), 6);
  EXPECT_DOUBLE_EQ(Variant::fromDouble(2958465.5).toDate(), 2958465.5);
  EXPECT_EQ(ErrorOf([] { S("abc").toDate(); }), 13);
  EXPECT_EQ(ErrorOf([] { S("").toDate(); }), 13);
  // A date converts to its serial number.
  EXPECT_EQ(Variant::fromDate(36525.75).toLong(), 36526);
  EXPECT_EQ(Variant::fromDate(36525.75).toString(), "12/31/1999 6:00:00 PM");
}

TEST(Inspection, TypesNamesAndIsNumeric) {
  EXPECT_EQ(Variant().varType(), 0);
  EXPECT_EQ(Variant::fromArray(VariantArray::withUpperBounds({1})).varType(), 8204);
  EXPECT_EQ(Variant::fromByte(1).varType(), 17);
  const std::pair<Variant, const char*> names[] = {
      {Variant(), "Empty"},
      {Variant::Null(), "Null"},
      {Variant::fromInteger(1), "Integer"},
      {Variant::fromLong(1), "Long"},
      {Variant::fromSingle(1), "Single"},
      {Variant::fromDouble(1), "Double"},
      {Variant::fromCurrency(1), "Currency"},
      {Variant::fromDate(1), "Date"},
      {S("x"), "String"},
      {Variant::fromBool(true), "Boolean"},
      {Variant::fromByte(1), "Byte"},
      {Variant::fromError(1), "Error"},
      {Variant::fromObject(nullptr), "Nothing"},
      {Variant::fromObject(std::make_shared<test::PlainObject>()), "Object"},
      {Variant::fromArray(VariantArray::withUpperBounds({1})), "Variant()"},
  };
  for (const auto& [value, name] : names) EXPECT_EQ(value.typeName(), name);

  const std::pair<Variant, bool> numeric[] = {
      {Variant(), true},
      {Variant::Null(), false},
      {S("12"), true},
      {S(" 1e3 "), true},
      {S("&H10"), true},
      {S("abc"), false},
      {S(""), false},
      {Variant::fromBool(true), true},
      {Variant::fromDate(1), false},
      {Variant::fromCurrency(1), true},
      {Variant::fromError(1), false},
      {Variant::fromObject(nullptr), false},
  };
  for (const auto& [value, expected] : numeric) {
    EXPECT_EQ(value.isNumeric(), expected) << value.typeName();
  }
}

}  // namespace
}  // namespace vbs
