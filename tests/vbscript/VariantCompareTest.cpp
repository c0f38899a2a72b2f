// Comparison rules: numbers across subtypes, strings binary and text, number vs string,
// Empty, Null and the values that cannot be compared.
#include <gtest/gtest.h>

#include <memory>

#include "VbsTestUtil.h"
#include "vbscript/VariantArray.h"

namespace vbs {
namespace {

Variant S(const char* text) {
  return Variant::fromString(text);
}

struct CompareCase {
  const char* name;
  Variant a, b;
  int expected;
  bool textCompare = false;
};

TEST(Compare, Table) {
  const CompareCase cases[] = {
      {"1 < 2", Variant::fromInteger(1), Variant::fromDouble(2), -1},
      {"Integer 5 = Double 5", Variant::fromInteger(5), Variant::fromDouble(5.0), 0},
      {"Currency 0.1 = Double 0.1", Variant::fromCurrency(1000), Variant::fromDouble(0.1), 0},
      {"Long 3 = Currency 3", Variant::fromLong(3), Variant::fromCurrency(30000), 0},
      {"Currency exact", Variant::fromCurrency(922337203685477580),
       Variant::fromCurrency(922337203685477581), -1},
      {"True = -1", Variant::fromBool(true), Variant::fromInteger(-1), 0},
      {"True < False", Variant::fromBool(true), Variant::fromBool(false), -1},
      {"Date = its serial", Variant::fromDate(36525), Variant::fromLong(36525), 0},
      {"Single 0.1 = Double 0.1 (Single precision)", Variant::fromSingle(0.1f),
       Variant::fromDouble(0.1), 0},
      {"Single 0.1 < Double 0.1000001", Variant::fromSingle(0.1f), Variant::fromDouble(0.1000001),
       -1},
      {"Single 0.1 > Long 0", Variant::fromSingle(0.1f), Variant::fromLong(0), 1},
      {"Byte < Long", Variant::fromByte(255), Variant::fromLong(256), -1},
      {"a < b", S("a"), S("b"), -1},
      {"A < a binary", S("A"), S("a"), -1},
      {"A = a text", S("A"), S("a"), 0, true},
      {"Z > a text", S("Z"), S("a"), 1, true},
      {"_ < a text", S("_"), S("a"), -1, true},
      {"abc < abd", S("abc"), S("abd"), -1},
      {"ab < abc", S("ab"), S("abc"), -1},
      {"\"\" < a", S(""), S("a"), -1},
      {"10 < 9 as strings", S("10"), S("9"), -1},
      {"accented text compare", S("\xC3\xA9t\xC3\xA9"), S("\xC3\x89T\xC3\x89"), 0, true},
      // UTF-16 order: a surrogate pair (U+1F600) sorts below U+FF21, unlike in UTF-8 bytes.
      {"UTF-16 order", S("\xEF\xBC\xA1"), S("\xF0\x9F\x98\x80"), 1},
      {"number < string", Variant::fromInteger(5), S("5"), -1},
      {"string > number", S("5"), Variant::fromInteger(5), 1},
      {"huge number < empty string", Variant::fromDouble(1e300), S(""), -1},
      {"Boolean < string", Variant::fromBool(false), S("False"), -1},
      {"Empty = 0", Variant(), Variant::fromInteger(0), 0},
      {"Empty > -1", Variant(), Variant::fromDouble(-1), 1},
      {"Empty < 0.5", Variant(), Variant::fromDouble(0.5), -1},
      {"Empty = \"\"", Variant(), S(""), 0},
      {"Empty < a", Variant(), S("a"), -1},
      {"a > Empty", S("a"), Variant(), 1},
      {"Empty = Empty", Variant(), Variant(), 0},
      {"Empty = False", Variant(), Variant::fromBool(false), 0},
      {"object default",
       Variant::fromObject(std::make_shared<test::ValueObject>(Variant::fromLong(5))),
       Variant::fromInteger(5), 0},
  };
  for (const auto& c : cases) {
    const auto result = Compare(c.a, c.b, c.textCompare);
    ASSERT_TRUE(result.has_value()) << c.name;
    EXPECT_EQ(*result, c.expected) << c.name;
    // The rules are symmetric: swapping the sides negates the result.
    EXPECT_EQ(*Compare(c.b, c.a, c.textCompare), -c.expected) << c.name;
  }
}

TEST(Compare, NullGivesNoResult) {
  EXPECT_FALSE(Compare(Variant::Null(), Variant::fromInteger(1)).has_value());
  EXPECT_FALSE(Compare(S("a"), Variant::Null()).has_value());
  EXPECT_FALSE(Compare(Variant::Null(), Variant::Null()).has_value());
  EXPECT_FALSE(Compare(Variant(), Variant::Null()).has_value());
}

TEST(Compare, UncomparableValues) {
  const Variant array = Variant::fromArray(VariantArray::withUpperBounds({1}));
  EXPECT_EQ(test::ErrorOf([&] { Compare(array, Variant::fromInteger(1)); }), 13);
  EXPECT_EQ(test::ErrorOf([&] { Compare(S("x"), array); }), 13);
  EXPECT_EQ(test::ErrorOf([] { Compare(Variant::fromError(5), Variant::fromError(5)); }), 13);
  EXPECT_EQ(test::ErrorOf([] { Compare(Variant::fromObject(nullptr), Variant::fromInteger(1)); }),
            91);
  EXPECT_EQ(test::ErrorOf([] {
              Compare(Variant::fromObject(std::make_shared<test::PlainObject>()), S("x"));
            }),
            438);
}

}  // namespace
}  // namespace vbs
