// What "nonzero" and "is 1" mean for fields of any kind.
#include <gtest/gtest.h>

#include "frames/FieldTests.h"

namespace tw {
namespace {

using vbs::Variant;

TEST(FieldTestsTest, NonZeroAndOneAcrossKinds) {
  struct Case {
    Variant value;
    bool nonZero, one;
  };
  const Case cases[] = {
      {Variant(), false, false},
      {Variant::Null(), false, false},
      {Variant::fromBool(false), false, false},
      {Variant::fromBool(true), true, false},  // True is -1
      {Variant::fromInteger(0), false, false},
      {Variant::fromInteger(1), true, true},
      {Variant::fromInteger(2), true, false},
      {Variant::fromDouble(1.0), true, true},
      {Variant::fromString(""), false, false},
      {Variant::fromString("0"), false, false},
      {Variant::fromString("0.0"), false, false},
      {Variant::fromString("1"), true, true},
      {Variant::fromString("yes"), true, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsNonZero(c.value), c.nonZero) << c.value.typeName();
    EXPECT_EQ(IsOne(c.value), c.one) << c.value.typeName();
  }
}

}  // namespace
}  // namespace tw
