// Scripting.Dictionary through its automation interface: key identity across subtypes,
// the missing-key rules of Item, renaming, compare modes, order and errors.
#include <gtest/gtest.h>

#include "LibraryTestUtil.h"
#include "VbsTestUtil.h"

namespace vbs::test {
namespace {

using Strs = std::vector<std::string>;

class DictionaryTest : public ::testing::Test {
 protected:
  std::shared_ptr<Object> dict = CreateLibraryObject("scripting.DICTIONARY");
  Object& d = *dict;

  int count() { return static_cast<int>(Get(d, "Count").toLong()); }
  bool exists(Variant key) { return Get(d, "Exists", {key}).toBool(); }
};

TEST(LibraryObjectsTest, ProgIdsMatchWithoutCaseAndUnknownOnesGiveNothing) {
  ASSERT_NE(CreateLibraryObject("Scripting.Dictionary"), nullptr);
  EXPECT_EQ(CreateLibraryObject("SCRIPTING.dictionary")->typeName(), "Dictionary");
  EXPECT_EQ(CreateLibraryObject("Scripting.Dictionary.1"), nullptr);
  EXPECT_EQ(CreateLibraryObject("Word.Application"), nullptr);
  EXPECT_EQ(CreateLibraryObject(""), nullptr);
  // Each call gives an independent object.
  EXPECT_NE(CreateLibraryObject("Scripting.Dictionary"),
            CreateLibraryObject("Scripting.Dictionary"));
}

TEST_F(DictionaryTest, AddExistsItemAndDuplicateKey) {
  Call(d, "Add", {S("a"), L(1)});
  Call(d, "add", {S("b"), S("two")});
  EXPECT_EQ(count(), 2);
  EXPECT_TRUE(exists(S("a")));
  EXPECT_FALSE(exists(S("A")));  // binary compare by default
  EXPECT_EQ(Get(d, "Item", {S("b")}).toString(), "two");
  std::vector<Variant> key{S("a")};
  EXPECT_EQ(d.invoke(Object::kDefaultMember, InvokeKind::Get, key).toLong(), 1);
  EXPECT_EQ(ErrorOf([&] { Call(d, "Add", {S("a"), L(9)}); }), 457);
  EXPECT_EQ(Get(d, "Item", {S("a")}).toLong(), 1);  // the failed Add changed nothing
}

TEST_F(DictionaryTest, NumericSubtypesShareAKeyButStringsAndOtherKindsDoNot) {
  Call(d, "Add", {Variant::fromInteger(1), S("int")});
  EXPECT_EQ(ErrorOf([&] { Call(d, "Add", {Variant::fromLong(1), S("x")}); }), 457);
  EXPECT_EQ(ErrorOf([&] { Call(d, "Add", {Variant::fromDouble(1.0), S("x")}); }), 457);
  EXPECT_EQ(ErrorOf([&] { Call(d, "Add", {Variant::fromByte(1), S("x")}); }), 457);
  EXPECT_EQ(ErrorOf([&] { Call(d, "Add", {Variant::fromCurrency(10000), S("x")}); }), 457);
  // Different kinds are different keys.
  const Variant others[] = {S("1"), Variant::fromBool(true), Variant::fromDate(1.0),
                            Variant(), Variant::Null(), Variant::fromDouble(1.5),
                            Variant::fromSingle(0.1f), Variant::fromDouble(0.1)};
  for (const Variant& k : others) {
    SCOPED_TRACE(k.typeName());
    EXPECT_EQ(ErrorOf([&] { Call(d, "Add", {k, S("other")}); }), 0);
  }
  EXPECT_EQ(count(), 9);
  EXPECT_EQ(Get(d, "Item", {Variant::fromDouble(1.0)}).toString(), "int");
  EXPECT_EQ(Get(d, "Item", {S("1")}).toString(), "other");
  // Negative zero is zero.
  Call(d, "Add", {Variant::fromDouble(0.0), S("zero")});
  EXPECT_TRUE(exists(Variant::fromDouble(-0.0)));
  EXPECT_TRUE(exists(Variant::fromInteger(0)));
}

TEST_F(DictionaryTest, ObjectKeysByIdentityAndArraysAreNoKeys) {
  auto a = std::make_shared<ValueObject>(S("same"));
  auto b = std::make_shared<ValueObject>(S("same"));
  Call(d, "Add", {Variant::fromObject(a), L(1)});
  EXPECT_TRUE(exists(Variant::fromObject(a)));
  EXPECT_FALSE(exists(Variant::fromObject(b)));
  EXPECT_FALSE(exists(S("same")));
  Call(d, "Add", {Variant::fromObject(nullptr), L(2)});  // Nothing is a key like any other
  EXPECT_TRUE(exists(Variant::fromObject(nullptr)));
  Variant array = Variant::fromArray(VariantArray::fromValues({L(1)}));
  EXPECT_EQ(ErrorOf([&] { Call(d, "Add", {array, L(1)}); }), 13);
  EXPECT_EQ(ErrorOf([&] { exists(array); }), 13);
}

TEST_F(DictionaryTest, ReadingAMissingItemAddsItEmptyAndAssignmentAddsOrSets) {
  Variant v = Get(d, "Item", {S("ghost")});
  EXPECT_TRUE(v.isEmpty());
  EXPECT_EQ(count(), 1);
  EXPECT_TRUE(exists(S("ghost")));
  Let(d, "Item", {S("k"), L(5)});
  Let(d, "Item", {S("k"), L(6)});
  EXPECT_EQ(Get(d, "Item", {S("k")}).toLong(), 6);
  auto o = std::make_shared<PlainObject>();
  Invoke(d, "Item", InvokeKind::Set, {S("obj"), Variant::fromObject(o)});
  EXPECT_EQ(Get(d, "Item", {S("obj")}).object(), o);
  EXPECT_EQ(Strs({"ghost", "k", "obj"}), Strings(Get(d, "Keys")));
}

TEST_F(DictionaryTest, KeysAndItemsKeepInsertionOrderThroughRemovals) {
  for (const char* k : {"z", "a", "m", "b"}) Call(d, "Add", {S(k), S(k)});
  Call(d, "Remove", {S("a")});
  Call(d, "Add", {S("a"), S("again")});
  EXPECT_EQ(Strs({"z", "m", "b", "a"}), Strings(Get(d, "Keys")));
  EXPECT_EQ(Strs({"z", "m", "b", "again"}), Strings(Get(d, "Items")));
  std::vector<Variant> each;
  ASSERT_TRUE(d.enumerate(each));
  ASSERT_EQ(each.size(), 4u);
  EXPECT_EQ(each[3].toString(), "a");
  Call(d, "RemoveAll");
  EXPECT_EQ(count(), 0);
  Variant keys = Get(d, "Keys");
  ASSERT_TRUE(keys.isArray());
  EXPECT_EQ(keys.array()->upperBound(1), -1);
}

TEST_F(DictionaryTest, RemoveAndRenameErrors) {
  Call(d, "Add", {S("a"), L(1)});
  Call(d, "Add", {S("b"), L(2)});
  Call(d, "Add", {S("c"), L(3)});
  EXPECT_EQ(ErrorOf([&] { Call(d, "Remove", {S("x")}); }), 32811);
  EXPECT_EQ(ErrorOf([&] { Let(d, "Key", {S("x"), S("y")}); }), 32811);
  EXPECT_EQ(ErrorOf([&] { Let(d, "Key", {S("a"), S("b")}); }), 457);
  Let(d, "Key", {S("b"), S("B2")});  // renaming keeps the item and the position
  EXPECT_EQ(Strs({"a", "B2", "c"}), Strings(Get(d, "Keys")));
  EXPECT_EQ(Get(d, "Item", {S("B2")}).toLong(), 2);
  EXPECT_FALSE(exists(S("b")));
  EXPECT_EQ(ErrorOf([&] { Get(d, "Key", {S("a")}); }), 438);  // Key can only be assigned
}

TEST_F(DictionaryTest, TextCompareModeFoldsCaseAndCanOnlyChangeWhileEmpty) {
  EXPECT_EQ(Get(d, "CompareMode").toLong(), 0);
  Let(d, "CompareMode", {L(1)});
  Call(d, "Add", {S("Key"), L(1)});
  EXPECT_TRUE(exists(S("KEY")));
  EXPECT_TRUE(exists(S("key")));
  EXPECT_EQ(ErrorOf([&] { Call(d, "Add", {S("kEY"), L(2)}); }), 457);
  Call(d, "Add", {S("\xC3\x89t\xC3\xA9"), L(3)});  // "Été"
  EXPECT_TRUE(exists(S("\xC3\xA9T\xC3\x89")));     // "éTÉ"
  EXPECT_EQ(ErrorOf([&] { Let(d, "CompareMode", {L(0)}); }), 5);
  EXPECT_EQ(Strs({"Key", "Été"}), Strings(Get(d, "Keys")));  // keys keep their own case
  // Under text compare a rename may change only the letter case.
  Let(d, "Key", {S("key"), S("KEY")});
  EXPECT_EQ(Strs({"KEY", "Été"}), Strings(Get(d, "Keys")));
  Call(d, "RemoveAll");
  EXPECT_EQ(ErrorOf([&] { Let(d, "CompareMode", {L(-1)}); }), 5);
  Let(d, "CompareMode", {L(0)});
  Call(d, "Add", {S("Key"), L(1)});
  EXPECT_FALSE(exists(S("KEY")));
}

TEST_F(DictionaryTest, StoredArraysAreCopies) {
  auto array = VariantArray::fromValues({L(1), L(2)});
  Call(d, "Add", {S("a"), Variant::fromArray(array)});
  array->elements()[0] = L(99);
  Variant stored = Get(d, "Item", {S("a")});
  ASSERT_TRUE(stored.isArray());
  EXPECT_EQ(stored.array()->elements()[0].toLong(), 1);
  stored.array()->elements()[1] = L(77);  // changing what was handed out changes nothing
  EXPECT_EQ(Get(d, "Item", {S("a")}).array()->elements()[1].toLong(), 2);
}

TEST_F(DictionaryTest, MemberTableRejectsUnknownMembersKindsAndCounts) {
  EXPECT_EQ(d.memberId("NoSuchMember"), Object::kUnknownMember);
  EXPECT_EQ(d.memberId("ITEM"), Object::kDefaultMember);
  EXPECT_EQ(ErrorOf([&] { d.invoke(12345, InvokeKind::Get, {}); }), 438);
  EXPECT_EQ(ErrorOf([&] { Let(d, "Count", {L(3)}); }), 438);
  EXPECT_EQ(ErrorOf([&] { Let(d, "Exists", {S("a"), L(3)}); }), 438);
  EXPECT_EQ(ErrorOf([&] { Call(d, "Add", {S("a")}); }), 450);
  EXPECT_EQ(ErrorOf([&] { Call(d, "Add", {S("a"), L(1), L(2)}); }), 450);
  EXPECT_EQ(ErrorOf([&] { Get(d, "Count", {L(1)}); }), 450);
  EXPECT_EQ(ErrorOf([&] { Get(d, "Item"); }), 450);
  EXPECT_EQ(ErrorOf([&] { Get(d, "Exists", {Variant::fromError(-2147352572)}); }), 450);
  EXPECT_EQ(ErrorOf([&] { Let(d, "CompareMode", {Variant::Null()}); }), 13);
  EXPECT_EQ(ErrorOf([&] { Let(d, "CompareMode", {Variant::fromDouble(1e20)}); }), 6);
  EXPECT_EQ(count(), 0);
}

TEST_F(DictionaryTest, ManyKeysStayFindable) {
  for (int i = 0; i < 20000; ++i) Call(d, "Add", {L(i), L(i * 2)});
  for (int i = 0; i < 20000; i += 2) Call(d, "Remove", {Variant::fromDouble(i)});
  EXPECT_EQ(count(), 10000);
  EXPECT_EQ(Get(d, "Item", {Variant::fromInteger(12345)}).toLong(), 24690);
  EXPECT_FALSE(exists(L(12344)));
}

}  // namespace
}  // namespace vbs::test
