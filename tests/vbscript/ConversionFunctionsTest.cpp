// Conversions, type tests, arrays, constants, the look-up by name, and the functions that go
// through the host (MsgBox, InputBox, CreateObject).
#include "BuiltinTestUtil.h"

namespace vbs::test {
namespace {

Variant Nothing() {
  return Variant::fromObject(nullptr);
}

TEST(ConversionFunctionsTest, Conversions) {
  RunTable({
      {"CInt", {D(2.5)}, "Integer:2"},
      {"CInt", {D(3.5)}, "Integer:4"},
      {"CInt", {S("12")}, "Integer:12"},
      {"CInt", {L(32768)}, "error 6"},
      {"CInt", {N()}, "error 94"},
      {"CLng", {S("&HFF")}, "Long:255"},
      {"CByte", {I(-1)}, "error 6"},
      {"CBool", {S("true")}, "Boolean:True"},
      {"CBool", {S("x")}, "error 13"},
      {"CBool", {I(0)}, "Boolean:False"},
      {"CDbl", {S("1e3")}, "Double:1000"},
      {"CStr", {D(0.1)}, "String:0.1"},
      {"CStr", {B(true)}, "String:True"},
      {"CStr", {N()}, "error 94"},
      {"CDate", {S("12/31/1999")}, "Date:12/31/1999"},
      {"CDate", {D(36526)}, "Date:1/1/2000"},
      {"CSng", {D(1.1)}, "Single:1.1"},
      {"CCur", {S("1.23456")}, "Currency:1.2346"},
      {"CStr", {Variant::fromObject(std::make_shared<ValueObject>(I(7)))}, "String:7"},
  });
}

TEST(ConversionFunctionsTest, TypeTests) {
  const auto valueObject = Variant::fromObject(std::make_shared<ValueObject>(I(7)));
  const auto plainObject = Variant::fromObject(std::make_shared<PlainObject>());
  RunTable({
      {"IsArray", {Arr({})}, "Boolean:True"},
      {"IsArray", {S("a")}, "Boolean:False"},
      {"IsDate", {S("12/31/1999")}, "Boolean:True"},
      {"IsDate", {S("x")}, "Boolean:False"},
      {"IsDate", {I(1)}, "Boolean:False"},
      {"IsDate", {Dt("1/1/2000")}, "Boolean:True"},
      {"IsDate", {plainObject}, "Boolean:False"},
      {"IsEmpty", {E()}, "Boolean:True"},
      {"IsEmpty", {S("")}, "Boolean:False"},
      {"IsNull", {N()}, "Boolean:True"},
      {"IsNull", {E()}, "Boolean:False"},
      {"IsNumeric", {S("12")}, "Boolean:True"},
      {"IsNumeric", {S("12a")}, "Boolean:False"},
      {"IsNumeric", {S("")}, "Boolean:False"},
      {"IsNumeric", {E()}, "Boolean:True"},
      {"IsNumeric", {N()}, "Boolean:False"},
      {"IsNumeric", {Dt("1/1/2000")}, "Boolean:False"},
      {"IsNumeric", {S("&H10")}, "Boolean:True"},
      {"IsNumeric", {valueObject}, "Boolean:True"},
      {"IsObject", {Nothing()}, "Boolean:True"},
      {"IsObject", {I(1)}, "Boolean:False"},
      {"TypeName", {I(1)}, "String:Integer"},
      {"TypeName", {Nothing()}, "String:Nothing"},
      {"TypeName", {Arr({})}, "String:Variant()"},
      {"TypeName", {E()}, "String:Empty"},
      {"TypeName", {valueObject}, "String:ValueObject"},
      {"VarType", {S("a")}, "Integer:8"},
      {"VarType", {Arr({})}, "Integer:8204"},
      {"VarType", {N()}, "Integer:1"},
      {"VarType", {valueObject}, "Integer:2"},
      {"VarType", {plainObject}, "Integer:9"},
      {"VarType", {Nothing()}, "Integer:9"},
  });
}

TEST(ConversionFunctionsTest, ArraysAndBounds) {
  RunTable({
      {"UBound", {Arr({I(1), I(2), I(3)})}, "Long:2"},
      {"LBound", {Arr({I(1), I(2), I(3)})}, "Long:0"},
      {"UBound", {Arr({})}, "Long:-1"},
      {"UBound", {S("abc")}, "error 13"},
      {"UBound", {Arr({I(1)}), I(2)}, "error 9"},
      {"UBound", {Arr({I(1)}), N()}, "error 94"},
      {"Array", {}, "Variant():()"},
      {"Array", {I(1), S("a")}, "Variant():(1,a)"},
  });
  auto grid = std::make_shared<VariantArray>(std::vector<ArrayBound>{{0, 2}, {1, 4}});
  EXPECT_EQ(Describe(Call("UBound", {Variant::fromArray(grid), I(2)})), "Long:4");
  EXPECT_EQ(Describe(Call("LBound", {Variant::fromArray(grid), I(2)})), "Long:1");
  // Array(a) holds a copy of a: changing a afterwards leaves it alone.
  Variant inner = Arr({I(1)});
  const Variant outer = Call("Array", {inner});
  inner.array()->elements()[0] = I(9);
  EXPECT_EQ(Describe(outer.array()->elements()[0]), "Variant():(1)");
}

TEST(ConversionFunctionsTest, ConstantsAndLookUp) {
  const std::vector<std::pair<const char*, const char*>> constants = {
      {"vbCrLf", "String:\r\n"},
      {"VBCRLF", "String:\r\n"},
      {"vbNewLine", "String:\r\n"},
      {"vbTab", "String:\t"},
      {"vbTextCompare", "Integer:1"},
      {"vbObjectError", "Long:-2147221504"},
      {"vbRed", "Long:255"},
      {"vbBlue", "Long:16711680"},
      {"vbString", "Integer:8"},
      {"vbOKCancel", "Integer:1"},
      {"vbNo", "Integer:7"},
      {"vbSaturday", "Integer:7"},
      {"vbFirstFourDays", "Integer:2"},
      {"vbShortTime", "Integer:4"},
      {"vbUseDefault", "Integer:-2"},
      {"vbTrue", "Integer:-1"},
      {"vbArray", "Integer:8192"},
      {"vbExclamation", "Integer:48"},
      {"vbMsgBoxSetForeground", "Long:65536"},
  };
  for (const auto& [name, expected] : constants) {
    SCOPED_TRACE(name);
    const auto value = FindConstant(name);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(Describe(*value), expected);
  }
  EXPECT_EQ(FindConstant("vbNullChar")->rawString(), std::string(1, '\0'));
  EXPECT_FALSE(FindConstant("vbNoSuchThing").has_value());

  const BuiltinInfo* instrrev = FindBuiltin("instrrev");
  ASSERT_NE(instrrev, nullptr);
  EXPECT_EQ(instrrev->name, "InStrRev");
  EXPECT_EQ(instrrev->minArgs, 2);
  EXPECT_EQ(instrrev->maxArgs, 4);
  EXPECT_EQ(FindBuiltin("Eval"), nullptr);  // the engine's own
  EXPECT_EQ(FindBuiltin("NoSuchFunction"), nullptr);
}

TEST(ConversionFunctionsTest, HostFunctions) {
  FakeHost host;
  host.answer = 6;  // vbYes
  EXPECT_EQ(Describe(Call(host, "MsgBox", {S("Sure?"), I(4 + 32), S("Title")})), "Integer:6");
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].prompt, "Sure?");
  EXPECT_EQ(host.boxes[0].buttons, 36);
  EXPECT_EQ(host.boxes[0].title, "Title");
  EXPECT_EQ(Outcome([&] { return Call(host, "MsgBox", {N()}); }), "error 94");

  host.input = S("Bob");
  EXPECT_EQ(Describe(Call(host, "InputBox", {S("Name?"), S("T"), S("Al")})), "String:Bob");
  EXPECT_EQ(host.boxes.back().title, "Al");  // the default text reached the host
  host.input = Variant();
  EXPECT_EQ(Describe(Call(host, "InputBox", {S("Name?")})), "Empty");

  EXPECT_TRUE(Call(host, "CreateObject", {S("Test.Object")}).isObject());
  RunTable({
      {"CreateObject", {S("No.Such")}, "error 429"},
      {"CreateObject", {S("Test.Object"), S("remote")}, "error 429"},
      {"GetObject", {S("x")}, "error 429"},
      {"ScriptEngine", {}, "String:VBScript"},
      {"ScriptEngineMajorVersion", {}, "Long:5"},
      {"ScriptEngineMinorVersion", {}, "Long:8"},
      {"RGB", {I(255), I(0), I(0)}, "Long:255"},
      {"RGB", {I(300), I(0), I(0)}, "Long:255"},
      {"RGB", {I(0), I(0), I(1)}, "Long:65536"},
      {"RGB", {I(-1), I(0), I(0)}, "error 5"},
      {"GetLocale", {}, "Long:1033"},
  });
}

}  // namespace
}  // namespace vbs::test
