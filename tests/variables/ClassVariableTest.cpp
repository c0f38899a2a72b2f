// Variable objects and variable lists.
#include <gtest/gtest.h>

#include <functional>

#include "variables/VariableStore.h"

namespace tw {
namespace {

int ErrorNumber(const std::function<void()>& action) {
  try {
    action();
  } catch (const vbs::VbError& e) {
    return e.number();
  }
  return 0;
}

TEST(ClassVariableTest, ValuesOutsideSixteenBitsOverflowAndKeepTheOldValue) {
  ClassVariable v("Score", 5);
  EXPECT_EQ(ErrorNumber([&] { v.setValue(std::int32_t{32768}); }), 6);
  EXPECT_EQ(ErrorNumber([&] { v.setValue(std::int32_t{-32769}); }), 6);
  EXPECT_EQ(v.Value(), 5);
  v.setValue(std::int32_t{-32768});
  EXPECT_EQ(v.Value(), -32768);
  v.setValue(std::int32_t{32767});
  EXPECT_EQ(v.Value(), 32767);
}

TEST(ClassVariableTest, ScriptValuesConvertAsCIntDoes) {
  ClassVariable v("X", 1);
  v.setValue(vbs::Variant::fromDouble(2.5));
  EXPECT_EQ(v.Value(), 2);
  v.setValue(vbs::Variant::fromDouble(3.5));
  EXPECT_EQ(v.Value(), 4);
  v.setValue(vbs::Variant::fromString("12"));
  EXPECT_EQ(v.Value(), 12);
  v.setValue(vbs::Variant::fromBool(true));
  EXPECT_EQ(v.Value(), -1);
  EXPECT_EQ(ErrorNumber([&] { v.setValue(vbs::Variant::fromDouble(40000)); }), 6);
  EXPECT_EQ(ErrorNumber([&] { v.setValue(vbs::Variant::fromString("many")); }), 13);
  EXPECT_EQ(v.Value(), -1);
}

TEST(VariableListTest, PositionsKeysAndRemoval) {
  VariablesCollection list;
  list.Add("A", std::int16_t{1});
  list.Add("B", std::int16_t{2}, "KeyB");
  list.Add("C", std::int16_t{3});
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Item(2)->Name, "B");
  EXPECT_EQ(list.Item("keyb")->Name, "B");  // keys ignore case
  EXPECT_EQ(ErrorNumber([&] { list.Add("D", std::int16_t{4}, "KEYB"); }), 457);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(ErrorNumber([&] { list.Item(0); }), 9);
  EXPECT_EQ(ErrorNumber([&] { list.Item(4); }), 9);
  EXPECT_EQ(ErrorNumber([&] { list.Item("nokey"); }), 5);

  list.Remove(1);  // later elements move up
  EXPECT_EQ(list.Item(1)->Name, "B");
  EXPECT_EQ(list.Item(2)->Name, "C");
  list.Remove("KeyB");
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Item(1)->Name, "C");
  EXPECT_EQ(ErrorNumber([&] { list.Remove(2); }), 9);
}

TEST(VariableListTest, ElementsAreSharedWithWhoeverHoldsThem) {
  VariantCollection list;
  auto held = list.Add("V", vbs::Variant::fromInteger(0));
  held->Value = vbs::Variant::fromString("changed by a script");
  EXPECT_EQ(list.Item(1)->Value.toString(), "changed by a script");
  list.Clear();
  EXPECT_EQ(held->Name, "V");  // a holder keeps its object after the list lets go
}

}  // namespace
}  // namespace tw
