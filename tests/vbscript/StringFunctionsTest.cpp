// String functions: positions and lengths in UTF-16 units, compare modes, Null rules,
// Windows-1252 for Chr and Asc, limits. Expected values are VBScript 5.8's documented results.
#include "BuiltinTestUtil.h"

namespace vbs::test {
namespace {

TEST(StringFunctionsTest, LengthsAndSlices) {
  RunTable({
      {"Len", {S("abc")}, "Long:3"},
      {"Len", {N()}, "Null"},
      {"Len", {I(123)}, "Long:3"},
      {"Len", {E()}, "Long:0"},
      {"Len", {S("\xC3\xA9")}, "Long:1"},          // é
      {"Len", {S("\xF0\x9F\x98\x80")}, "Long:2"},  // a surrogate pair
      {"LenB", {S("abc")}, "Long:6"},
      {"Left", {S("abc"), I(2)}, "String:ab"},
      {"Left", {S("abc"), I(5)}, "String:abc"},
      {"Left", {S("abc"), I(-1)}, "error 5"},
      {"Left", {N(), I(1)}, "Null"},
      {"Left", {S("abc"), N()}, "error 94"},
      {"Right", {S("abc"), I(2)}, "String:bc"},
      {"Right", {S("h\xC3\xA9llo"), I(4)}, "String:\xC3\xA9llo"},
      {"Right", {S("abc"), I(-2)}, "error 5"},
      {"Mid", {S("abcdef"), I(2), I(3)}, "String:bcd"},
      {"Mid", {S("abc"), I(2)}, "String:bc"},
      {"Mid", {S("abc"), I(5)}, "String:"},
      {"Mid", {S("abc"), I(0)}, "error 5"},
      {"Mid", {S("abc"), I(1), I(-1)}, "error 5"},
      {"Mid", {N(), I(1)}, "error 94"},
      {"Mid", {D(3.25), I(2), I(2)}, "String:.2"},
      {"LeftB", {S("abc"), I(4)}, "String:ab"},
      {"RightB", {S("abc"), I(2)}, "String:c"},
      {"MidB", {S("abc"), I(3), I(2)}, "String:b"},
      {"MidB", {S("abc"), I(0)}, "error 5"},
      {"InStrB", {S("abc"), S("b")}, "Long:3"},
      {"InStrB", {I(4), S("abab"), S("a")}, "Long:5"},
      {"InStrB", {S("abc"), S("x")}, "Long:0"},
      {"LeftB", {N(), I(2)}, "Null"},
  });
}

TEST(StringFunctionsTest, Searching) {
  RunTable({
      {"InStr", {S("abcabc"), S("c")}, "Long:3"},
      {"InStr", {I(4), S("abcabc"), S("c")}, "Long:6"},
      {"InStr", {S("abc"), S("")}, "Long:1"},
      {"InStr", {I(2), S("abc"), S("")}, "Long:2"},
      {"InStr", {S(""), S("a")}, "Long:0"},
      {"InStr", {I(1), S("ABC"), S("b"), I(1)}, "Long:2"},
      {"InStr", {I(1), S("ABC"), S("b"), I(0)}, "Long:0"},
      {"InStr", {N(), S("a")}, "Null"},
      {"InStr", {S("a"), N()}, "Null"},
      {"InStr", {I(0), S("a"), S("a")}, "error 5"},
      {"InStr", {I(5), S("abc"), S("c")}, "Long:0"},
      {"InStr", {N(), S("abc"), S("c")}, "error 94"},
      {"InStr", {I(1), S("abc"), S("c"), I(3)}, "error 5"},
      {"InStrRev", {S("abcabc"), S("c")}, "Long:6"},
      {"InStrRev", {S("abcabc"), S("c"), I(5)}, "Long:3"},
      {"InStrRev", {S("abcabc"), S("bc"), I(3)}, "Long:2"},
      {"InStrRev", {S("abcabc"), S("bc"), I(2)}, "Long:0"},
      {"InStrRev", {S("abc"), S("")}, "Long:3"},
      {"InStrRev", {S("abc"), S("x")}, "Long:0"},
      {"InStrRev", {S("abc"), S("c"), I(0)}, "error 5"},
      {"InStrRev", {S("ABCABC"), S("b"), I(-1), I(1)}, "Long:5"},
      {"InStrRev", {N(), S("c")}, "error 94"},
  });
}

TEST(StringFunctionsTest, Replace) {
  RunTable({
      {"Replace", {S("aaa"), S("a"), S("b")}, "String:bbb"},
      {"Replace", {S("abcabc"), S("b"), S("X"), I(3)}, "String:caXc"},
      {"Replace", {S("abcabc"), S("b"), S("X"), I(1), I(1)}, "String:aXcabc"},
      {"Replace", {S("ABC"), S("b"), S("x"), I(1), I(-1), I(1)}, "String:AxC"},
      {"Replace", {S("ABC"), S("b"), S("x")}, "String:ABC"},
      {"Replace", {S("abc"), S(""), S("x")}, "String:abc"},
      {"Replace", {S("abc"), S("b"), S("")}, "String:ac"},
      {"Replace", {S("abc"), S("b"), S("x"), I(5)}, "String:"},
      {"Replace", {S("abc"), S("b"), S("x"), I(1), I(0)}, "String:abc"},
      {"Replace", {S("abc"), S("a"), S("b"), I(0)}, "error 5"},
      {"Replace", {S("abc"), S("a"), S("b"), I(1), I(-2)}, "error 5"},
      {"Replace", {N(), S("a"), S("b")}, "error 94"},
      {"Replace", {S("aa"), S("a"), S("aa")}, "String:aaaa"},
  });
}

TEST(StringFunctionsTest, CaseTrimAndRepetition) {
  RunTable({
      {"LCase",
       {S("\xC3\x80"
          "BC")},
       "String:\xC3\xA0"
       "bc"},  // ÀBC
      {"UCase",
       {S("stra\xC3\x9F"
          "e")},
       "String:STRA\xC3\x9F"
       "E"},
      {"UCase", {S("\xC3\xBF")}, "String:\xC5\xB8"},  // ÿ -> Ÿ
      {"UCase", {N()}, "Null"},
      {"LCase", {I(12)}, "String:12"},
      {"Trim", {S("  a b  ")}, "String:a b"},
      {"LTrim", {S("  a b  ")}, "String:a b  "},
      {"RTrim", {S("  a b  ")}, "String:  a b"},
      {"Trim", {S("\ta ")}, "String:\ta"},
      {"Trim", {N()}, "Null"},
      {"Space", {I(3)}, "String:   "},
      {"Space", {I(-1)}, "error 5"},
      {"Space", {N()}, "error 94"},
      {"String", {I(3), S("ab")}, "String:aaa"},
      {"String", {I(3), I(65)}, "String:AAA"},
      {"String", {I(2), I(321)}, "String:AA"},
      {"String", {I(1), I(128)}, "String:\xE2\x82\xAC"},
      {"String", {L(1000000000), S("x")}, "error 14"},
      {"String", {I(-1), S("x")}, "error 5"},
      {"String", {I(2), S("")}, "error 5"},
      {"String", {I(2), N()}, "Null"},
      {"Space", {L(2000000000)}, "error 14"},
      {"StrReverse", {S("abc")}, "String:cba"},
      {"StrReverse", {S("")}, "String:"},
      {"StrReverse",
       {S("a\xF0\x9F\x98\x80"
          "b")},
       "String:b\xF0\x9F\x98\x80"
       "a"},
      {"StrReverse", {N()}, "error 94"},
  });
}

TEST(StringFunctionsTest, CompareAndCharacterCodes) {
  RunTable({
      {"StrComp", {S("a"), S("b")}, "Integer:-1"},
      {"StrComp", {S("b"), S("a")}, "Integer:1"},
      {"StrComp", {S("A"), S("a"), I(1)}, "Integer:0"},
      {"StrComp", {S("A"), S("a")}, "Integer:-1"},
      {"StrComp", {I(1), S("1")}, "Integer:0"},
      {"StrComp", {N(), S("a")}, "Null"},
      {"StrComp", {S("a"), S("a"), I(2)}, "error 5"},
      {"Asc", {S("A")}, "Integer:65"},
      {"Asc", {S("\xE2\x82\xAC")}, "Integer:128"},  // €
      {"Asc", {S("\xC4\x80")}, "Integer:63"},       // Ā has no Windows-1252 byte
      {"Asc", {S("")}, "error 5"},
      {"Asc", {N()}, "error 94"},
      {"AscW", {S("\xE2\x82\xAC")}, "Integer:8364"},
      {"AscW", {S("\xEF\xBF\xBF")}, "Integer:-1"},  // U+FFFF
      {"AscB", {S("\xE2\x82\xAC")}, "Integer:172"},
      {"Chr", {I(65)}, "String:A"},
      {"Chr", {I(128)}, "String:\xE2\x82\xAC"},
      {"Chr", {I(0x81)}, "String:\xC2\x81"},
      {"Chr", {I(256)}, "error 5"},
      {"Chr", {I(-1)}, "error 5"},
      {"ChrW", {I(8364)}, "String:\xE2\x82\xAC"},
      {"ChrW", {I(-1)}, "String:\xEF\xBF\xBF"},
      {"ChrW", {L(65536)}, "error 5"},
      {"Hex", {I(255)}, "String:FF"},
      {"Hex", {I(-1)}, "String:FFFF"},
      {"Hex", {L(-1)}, "String:FFFFFFFF"},
      {"Hex", {N()}, "Null"},
      {"Hex", {E()}, "String:0"},
      {"Hex", {D(10.5)}, "String:A"},
      {"Hex", {D(3e9)}, "error 6"},
      {"Oct", {I(8)}, "String:10"},
      {"Oct", {I(-1)}, "String:177777"},
      {"Escape", {S("a b&c")}, "String:a%20b%26c"},
      {"Escape", {S("@*_+-./")}, "String:@*_+-./"},
      {"Escape", {S("\xC3\xA9\xE2\x82\xAC")}, "String:%E9%u20AC"},
      {"Unescape", {S("%41%u20AC%zz%4")}, "String:A\xE2\x82\xAC%zz%4"},
      {"Escape", {N()}, "Null"},
  });
}

TEST(StringFunctionsTest, SplitJoinFilter) {
  RunTable({
      {"Split", {S("a,b,c"), S(",")}, "Variant():(a,b,c)"},
      {"Split", {S("a b")}, "Variant():(a,b)"},
      {"Split", {S("")}, "Variant():()"},
      {"Split", {S("a,,b"), S(",")}, "Variant():(a,,b)"},
      {"Split", {S("a,b,c"), S(","), I(2)}, "Variant():(a,b,c)"},
      {"Split", {S("aXbxc"), S("x"), I(-1), I(1)}, "Variant():(a,b,c)"},
      {"Split", {S("aXbxc"), S("x")}, "Variant():(aXb,c)"},
      {"Split", {S("abc"), S("")}, "Variant():(abc)"},
      {"Split", {S("a,b"), S(","), I(0)}, "Variant():()"},
      {"Split", {S("a,b"), S(","), I(-2)}, "error 5"},
      {"Join", {Arr({S("a"), S("b")}), S("-")}, "String:a-b"},
      {"Join", {Arr({I(1), I(2)})}, "String:1 2"},
      {"Join", {Arr({})}, "String:"},
      {"Join", {S("abc")}, "error 13"},
      {"Join", {N()}, "error 94"},
      {"Filter", {Arr({S("apple"), S("banana"), S("cherry")}), S("an")}, "Variant():(banana)"},
      {"Filter",
       {Arr({S("apple"), S("banana"), S("cherry")}), S("an"), B(false)},
       "Variant():(apple,cherry)"},
      {"Filter", {Arr({S("Apple")}), S("a"), B(true), I(1)}, "Variant():(Apple)"},
      {"Filter", {Arr({S("Apple")}), S("a")}, "Variant():()"},
      {"Filter", {S("abc"), S("a")}, "error 13"},
  });
  // The third part of a count-limited split keeps the rest, delimiters included.
  const Variant parts = Call("Split", {S("a,b,c,d"), S(","), I(2)});
  ASSERT_TRUE(parts.isArray());
  EXPECT_EQ(parts.array()->size(), 2u);
  EXPECT_EQ(parts.array()->elements()[1].toString(), "b,c,d");
  EXPECT_EQ(parts.array()->upperBound(1), 1);
}

}  // namespace
}  // namespace vbs::test
