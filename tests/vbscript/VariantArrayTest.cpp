// Arrays: bounds, addressing order, ReDim (with and without Preserve), copies.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "VbsTestUtil.h"
#include "vbscript/VariantArray.h"

namespace vbs {
namespace {

using test::ErrorOf;
using Indices = std::vector<std::int32_t>;

TEST(VariantArray, BoundsAndElementCount) {
  auto a = VariantArray::withUpperBounds({2, 3});
  EXPECT_EQ(a->dimensions(), 2);
  EXPECT_EQ(a->lowerBound(1), 0);
  EXPECT_EQ(a->upperBound(1), 2);
  EXPECT_EQ(a->upperBound(2), 3);
  EXPECT_EQ(a->size(), 12u);
  EXPECT_EQ(ErrorOf([&] { a->upperBound(3); }), 9);
  EXPECT_EQ(ErrorOf([&] { a->lowerBound(0); }), 9);
  for (const Variant& v : a->elements()) EXPECT_TRUE(v.isEmpty());

  VariantArray host({{1, 3}, {-2, 2}});  // arrays from hosts may start anywhere
  EXPECT_EQ(host.size(), 15u);
  host.at(Indices{3, -2}) = Variant::fromLong(7);
  EXPECT_EQ(host.at(Indices{3, -2}).toLong(), 7);
  EXPECT_EQ(ErrorOf([&] { host.at(Indices{0, 0}); }), 9);
}

TEST(VariantArray, FirstIndexVariesFastest) {
  auto a = VariantArray::withUpperBounds({2, 1});
  a->at(Indices{1, 0}) = Variant::fromInteger(10);
  a->at(Indices{0, 1}) = Variant::fromInteger(30);
  EXPECT_EQ(a->elements()[1].toInteger(), 10);
  EXPECT_EQ(a->elements()[3].toInteger(), 30);
}

TEST(VariantArray, BadSubscripts) {
  auto a = VariantArray::withUpperBounds({2, 3});
  EXPECT_EQ(ErrorOf([&] { a->at(Indices{3, 0}); }), 9);
  EXPECT_EQ(ErrorOf([&] { a->at(Indices{0, -1}); }), 9);
  EXPECT_EQ(ErrorOf([&] { a->at(Indices{0}); }), 9);
  EXPECT_EQ(ErrorOf([&] { a->at(Indices{0, 0, 0}); }), 9);
}

TEST(VariantArray, ShapesThatCannotExist) {
  EXPECT_EQ(ErrorOf([] { VariantArray(std::vector<ArrayBound>{}); }), 9);
  EXPECT_EQ(ErrorOf([] { VariantArray(std::vector<ArrayBound>(61, ArrayBound{0, 0})); }), 9);
  EXPECT_EQ(ErrorOf([] { VariantArray(std::vector<ArrayBound>(60, ArrayBound{0, 0})); }), 0);
  EXPECT_EQ(ErrorOf([] { VariantArray::withUpperBounds({-2}); }), 9);
  // 60 dimensions of 100 elements would overflow any size computation.
  EXPECT_EQ(ErrorOf([] { VariantArray(std::vector<ArrayBound>(60, ArrayBound{0, 99})); }), 7);
  EXPECT_EQ(ErrorOf([] { VariantArray::withUpperBounds({2147483647}); }), 7);
}

TEST(VariantArray, EmptyArrays) {
  auto a = VariantArray::fromValues({});
  EXPECT_EQ(a->upperBound(1), -1);
  EXPECT_EQ(a->size(), 0u);
  // An empty dimension next to a large one holds nothing and is allowed.
  VariantArray b({{0, -1}, {0, 1000000}});
  EXPECT_EQ(b.size(), 0u);
}

TEST(VariantArray, FromValues) {
  auto a = VariantArray::fromValues({Variant::fromInteger(1), Variant::fromString("two")});
  EXPECT_EQ(a->upperBound(1), 1);
  EXPECT_EQ(a->at(Indices{1}).toString(), "two");
}

TEST(VariantArray, RedimPreserveKeepsElements) {
  auto a = VariantArray::withUpperBounds({1, 1});
  a->at(Indices{1, 1}) = Variant::fromInteger(11);
  a->at(Indices{0, 1}) = Variant::fromInteger(1);
  a->redim({{0, 1}, {0, 3}}, true);
  EXPECT_EQ(a->at(Indices{1, 1}).toInteger(), 11);
  EXPECT_EQ(a->at(Indices{0, 1}).toInteger(), 1);
  EXPECT_TRUE(a->at(Indices{1, 3}).isEmpty());
  a->redim({{0, 1}, {0, 0}}, true);  // shrinking drops the last columns
  EXPECT_EQ(a->size(), 2u);
  EXPECT_EQ(ErrorOf([&] { a->at(Indices{0, 1}); }), 9);
}

TEST(VariantArray, RedimPreserveOnlyChangesTheLastUpperBound) {
  auto a = VariantArray::withUpperBounds({1, 1});
  EXPECT_EQ(ErrorOf([&] { a->redim({{0, 2}, {0, 1}}, true); }), 9);
  EXPECT_EQ(ErrorOf([&] { a->redim({{0, 1}, {1, 1}}, true); }), 9);
  EXPECT_EQ(ErrorOf([&] { a->redim({{0, 1}}, true); }), 9);
  EXPECT_EQ(a->size(), 4u);  // a refused ReDim leaves the array as it was
}

TEST(VariantArray, RedimWithoutPreserveClears) {
  auto a = VariantArray::withUpperBounds({1});
  a->at(Indices{0}) = Variant::fromInteger(5);
  a->redim({{0, 2}, {0, 2}}, false);
  EXPECT_EQ(a->dimensions(), 2);
  for (const Variant& v : a->elements()) EXPECT_TRUE(v.isEmpty());
}

TEST(VariantArray, FixedArraysRefuseRedim) {
  auto a = VariantArray::withUpperBounds({3});
  a->setFixed(true);
  EXPECT_EQ(ErrorOf([&] { a->redim({{0, 5}}, false); }), 10);
  EXPECT_EQ(ErrorOf([&] { a->redim({{0, 5}}, true); }), 10);
  EXPECT_EQ(a->size(), 4u);
}

TEST(VariantArray, CopiesShareDeepCopiesDoNot) {
  auto inner = VariantArray::withUpperBounds({0});
  inner->at(Indices{0}) = Variant::fromString("inner");
  auto outer = VariantArray::withUpperBounds({1});
  outer->setFixed(true);
  outer->at(Indices{0}) = Variant::fromArray(inner);
  auto object = std::make_shared<test::PlainObject>();
  outer->at(Indices{1}) = Variant::fromObject(object);
  const Variant original = Variant::fromArray(outer);

  const Variant shared = original;
  shared.array()->at(Indices{1}) = Variant::fromInteger(1);
  EXPECT_EQ(original.array()->at(Indices{1}).toInteger(), 1);
  original.array()->at(Indices{1}) = Variant::fromObject(object);

  const Variant copy = original.deepCopy();
  EXPECT_NE(copy.array(), original.array());
  EXPECT_FALSE(copy.array()->isFixed());
  const Variant& copiedInner = copy.array()->at(Indices{0});
  copiedInner.array()->at(Indices{0}) = Variant::fromString("changed");
  EXPECT_EQ(inner->at(Indices{0}).toString(), "inner");
  EXPECT_EQ(copy.array()->at(Indices{1}).object(), object);  // objects stay shared
}

TEST(VariantArray, NullStorageBecomesAnEmptyArray) {
  const Variant v = Variant::fromArray(nullptr);
  ASSERT_TRUE(v.isArray());
  EXPECT_EQ(v.array()->upperBound(1), -1);
}

}  // namespace
}  // namespace vbs
