// Operators: result subtypes, widening, Null and Empty rules, errors. Expected values are
// VBScript 5.8's documented results.
#include <functional>

#include "BuiltinTestUtil.h"
#include "vbscript/Operators.h"

namespace vbs::test {
namespace {

using Binary = Variant (*)(const Variant&, const Variant&);

struct Case {
  const char* what;
  Binary op;
  Variant a, b;
  const char* expected;
};

void RunTable(const std::vector<Case>& table) {
  for (const Case& c : table) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Outcome([&] { return c.op(c.a, c.b); }), c.expected);
  }
}

TEST(OperatorsTest, AdditionSubtypesAndWidening) {
  RunTable({
      {"Integer + Integer", ops::Add, I(3), I(4), "Integer:7"},
      {"Integer overflow widens to Long", ops::Add, I(32767), I(1), "Long:32768"},
      {"Long overflow widens to Double", ops::Add, L(2147483647), L(1), "Double:2147483648"},
      {"Byte + Byte fits", ops::Add, Y(200), Y(50), "Byte:250"},
      {"Byte overflow widens to Integer", ops::Add, Y(200), Y(100), "Integer:300"},
      {"Boolean + Boolean is Integer", ops::Add, B(true), B(true), "Integer:-2"},
      {"numeric text + number", ops::Add, S("3"), I(4), "Double:7"},
      {"text + text concatenates", ops::Add, S("3"), S("4"), "String:34"},
      {"Empty + Empty", ops::Add, E(), E(), "Integer:0"},
      {"Empty + text", ops::Add, E(), S("a"), "String:a"},
      {"Empty + Long keeps Long", ops::Add, E(), L(5), "Long:5"},
      {"Null + number", ops::Add, N(), I(1), "Null"},
      {"Null + text", ops::Add, N(), S("x"), "Null"},
      {"non-numeric text + number", ops::Add, S("a"), I(1), "error 13"},
      {"Date + number stays Date", ops::Add, Dt("1/1/2000"), I(1), "Date:1/2/2000"},
      {"Date + half day", ops::Add, Dt("1/1/2000"), D(0.5), "Date:1/1/2000 12:00:00 PM"},
      {"Currency + Integer", ops::Add, C(15000), I(1), "Currency:2.5"},
      {"Currency + Double is Currency", ops::Add, C(10000), D(0.25), "Currency:1.25"},
      {"Single + Integer", ops::Add, F(1.5f), I(1), "Single:2.5"},
      {"Single + Long is Double", ops::Add, F(1.5f), L(1), "Double:2.5"},
      {"Double overflow", ops::Add, D(1e308), D(1e308), "error 6"},
      {"Integer + Double", ops::Add, I(1), D(0.5), "Double:1.5"},
      {"array operand", ops::Add, Arr({I(1)}), I(1), "error 13"},
      {"Nothing operand", ops::Add, Variant::fromObject(nullptr), I(1), "error 91"},
      {"object's default value", ops::Add,
       Variant::fromObject(std::make_shared<ValueObject>(I(40))), I(2), "Integer:42"},
  });
}

TEST(OperatorsTest, SubtractionAndMultiplication) {
  RunTable({
      {"Date - Date is Double", ops::Subtract, Dt("1/2/2000"), Dt("1/1/2000"), "Double:1"},
      {"Date - number is Date", ops::Subtract, Dt("1/2/2000"), I(1), "Date:1/1/2000"},
      {"text - text subtracts", ops::Subtract, S("10"), S("4"), "Double:6"},
      {"Integer underflow widens", ops::Subtract, I(-32768), I(1), "Long:-32769"},
      {"Byte below zero widens", ops::Subtract, Y(1), Y(2), "Integer:-1"},
      {"Empty - Empty", ops::Subtract, E(), E(), "Integer:0"},
      {"Currency overflow", ops::Subtract, C(INT64_MIN), C(10000), "error 6"},
      {"Integer * Integer widens", ops::Multiply, I(200), I(200), "Long:40000"},
      {"Long * Long widens to Double", ops::Multiply, L(65536), L(65536), "Double:4294967296"},
      {"Currency * Currency", ops::Multiply, C(25000), C(25000), "Currency:6.25"},
      {"Currency * Double", ops::Multiply, C(10000), D(0.5), "Currency:0.5"},
      {"Date * number is Double", ops::Multiply, Variant::fromDate(2.0), I(2), "Double:4"},
      {"Null * number", ops::Multiply, N(), I(2), "Null"},
      {"Boolean * Byte", ops::Multiply, B(true), Y(3), "Integer:-3"},
  });
}

TEST(OperatorsTest, DivisionIntegerDivisionModuloPower) {
  RunTable({
      {"Integer / Integer is Double", ops::Divide, I(1), I(2), "Double:0.5"},
      {"Single / Integer is Single", ops::Divide, F(1), I(4), "Single:0.25"},
      {"Single / Long is Double", ops::Divide, F(1), L(4), "Double:0.25"},
      {"x / 0", ops::Divide, I(1), I(0), "error 11"},
      {"0 / 0 overflows", ops::Divide, I(0), I(0), "error 6"},
      {"Null / 0", ops::Divide, N(), I(0), "Null"},
      {"text / text", ops::Divide, S("9"), S("3"), "Double:3"},
      {"\\ Integers", ops::IntDivide, I(7), I(2), "Integer:3"},
      {"\\ rounds 7.5 to 8", ops::IntDivide, D(7.5), I(2), "Long:4"},
      {"\\ rounds 6.5 to 6", ops::IntDivide, D(6.5), I(2), "Long:3"},
      {"\\ truncates toward zero", ops::IntDivide, I(-7), I(2), "Integer:-3"},
      {"\\ Bytes", ops::IntDivide, Y(7), Y(2), "Byte:3"},
      {"\\ by zero", ops::IntDivide, I(5), I(0), "error 11"},
      {"\\ by 0.4 (rounds to 0)", ops::IntDivide, I(5), D(0.4), "error 11"},
      {"\\ widens -32768 \\ -1", ops::IntDivide, I(-32768), I(-1), "Long:32768"},
      {"\\ beyond Long", ops::IntDivide, D(3e9), I(1), "error 6"},
      {"\\ text", ops::IntDivide, S("7"), I(2), "Long:3"},
      {"Mod", ops::Modulo, I(7), I(3), "Integer:1"},
      {"Mod sign of dividend", ops::Modulo, I(-7), I(3), "Integer:-1"},
      {"Mod negative divisor", ops::Modulo, I(7), I(-3), "Integer:1"},
      {"Mod rounds 5.5 to 6", ops::Modulo, D(5.5), I(3), "Long:0"},
      {"Mod rounds 4.5 to 4", ops::Modulo, D(4.5), I(3), "Long:1"},
      {"Mod by zero", ops::Modulo, I(5), I(0), "error 11"},
      {"Null Mod", ops::Modulo, N(), I(2), "Null"},
      {"^ is Double", ops::Power, I(2), I(10), "Double:1024"},
      {"^ negative base, whole exponent", ops::Power, I(-2), I(3), "Double:-8"},
      {"^ negative base, fraction", ops::Power, I(-8), D(1.0 / 3), "error 5"},
      {"^ overflow", ops::Power, I(10), I(400), "error 6"},
      {"0 ^ 0", ops::Power, I(0), I(0), "Double:1"},
      {"Null ^", ops::Power, N(), I(2), "Null"},
  });
}

TEST(OperatorsTest, NegationKeepsOrWidensSubtype) {
  const std::vector<std::pair<Variant, const char*>> table = {
      {I(-32768), "Long:32768"},
      {I(5), "Integer:-5"},
      {Y(5), "Integer:-5"},
      {B(true), "Integer:1"},
      {E(), "Integer:0"},
      {S("3"), "Double:-3"},
      {N(), "Null"},
      {C(10000), "Currency:-1"},
      {F(2.5f), "Single:-2.5"},
      {L(INT32_MIN), "Double:2147483648"},
      {S("x"), "error 13"},
  };
  // A named pair, not a structured binding: clang 14 lets no lambda capture a binding.
  for (const auto& row : table) {
    const Variant& value = row.first;
    SCOPED_TRACE(Describe(value));
    EXPECT_EQ(Outcome([&] { return ops::Negate(value); }), row.second);
  }
}

TEST(OperatorsTest, Concatenation) {
  RunTable({
      {"Null & text", ops::Concat, N(), S("x"), "String:x"},
      {"text & Null", ops::Concat, S("x"), N(), "String:x"},
      {"Null & Null", ops::Concat, N(), N(), "Null"},
      {"numbers", ops::Concat, I(1), I(2), "String:12"},
      {"Boolean", ops::Concat, B(true), S(""), "String:True"},
      {"Double", ops::Concat, D(0.5), S(""), "String:0.5"},
      {"Empty & Empty", ops::Concat, E(), E(), "String:"},
      {"array", ops::Concat, Arr({}), S(""), "error 13"},
  });
}

TEST(OperatorsTest, ConcatenationBeyondTheStringLimitRaises14) {
  Variant text = S(std::string(1 << 20, 'x'));
  int error = ErrorOf([&] {
    for (int i = 0; i < 40; ++i) text = ops::Concat(text, text);
  });
  EXPECT_EQ(error, err::kOutOfStringSpace);
  EXPECT_LE(text.rawString().size(), std::size_t{64} << 20);
}

TEST(OperatorsTest, LogicalOperators) {
  RunTable({
      {"True And False", ops::And, B(true), B(false), "Boolean:False"},
      {"Null And False", ops::And, N(), B(false), "Boolean:False"},
      {"Null And True", ops::And, N(), B(true), "Null"},
      {"Null And 0", ops::And, N(), I(0), "Integer:0"},
      {"Null Or True", ops::Or, N(), B(true), "Boolean:True"},
      {"Null Or False", ops::Or, N(), B(false), "Null"},
      {"True Xor Null", ops::Xor, B(true), N(), "Null"},
      {"12 And 10", ops::And, I(12), I(10), "Integer:8"},
      {"12 Or 3", ops::Or, I(12), I(3), "Integer:15"},
      {"Byte Xor Byte", ops::Xor, Y(12), Y(10), "Byte:6"},
      {"Integer And Long", ops::And, I(5), L(3), "Long:1"},
      {"True And 3", ops::And, B(true), I(3), "Integer:3"},
      {"False Imp Null", ops::Imp, B(false), N(), "Boolean:True"},
      {"Null Imp True", ops::Imp, N(), B(true), "Boolean:True"},
      {"True Imp Null", ops::Imp, B(true), N(), "Null"},
      {"Null Imp False", ops::Imp, N(), B(false), "Null"},
      {"True Imp False", ops::Imp, B(true), B(false), "Boolean:False"},
      {"True Eqv True", ops::Eqv, B(true), B(true), "Boolean:True"},
      {"5 Eqv 3", ops::Eqv, I(5), I(3), "Integer:-7"},
      {"text And True", ops::And, S("abc"), B(true), "error 13"},
      {"\"True\" And True", ops::And, S("True"), B(true), "Boolean:True"},
      {"Double beyond Long", ops::And, D(3e9), I(1), "error 6"},
      {"Double rounded", ops::Or, D(2.5), I(1), "Long:3"},
  });
  const std::vector<std::pair<Variant, const char*>> nots = {
      {B(true), "Boolean:False"}, {I(0), "Integer:-1"}, {Y(0), "Byte:255"}, {N(), "Null"},
      {E(), "Integer:-1"},        {D(1.5), "Long:-3"},
  };
  for (const auto& row : nots) {
    const Variant& value = row.first;
    SCOPED_TRACE(Describe(value));
    EXPECT_EQ(Outcome([&] { return ops::Not(value); }), row.second);
  }
}

TEST(OperatorsTest, Comparisons) {
  struct CmpCase {
    const char* what;
    Variant (*op)(const Variant&, const Variant&, bool);
    Variant a, b;
    bool text;
    const char* expected;
  };
  const std::vector<CmpCase> table = {
      {"1 = 1.0", ops::Equal, I(1), D(1.0), false, "Boolean:True"},
      {"a < b", ops::Less, S("a"), S("b"), false, "Boolean:True"},
      {"a = A binary", ops::Equal, S("a"), S("A"), false, "Boolean:False"},
      {"a = A text", ops::Equal, S("a"), S("A"), true, "Boolean:True"},
      {"B < a binary", ops::Less, S("B"), S("a"), false, "Boolean:True"},
      {"number below text", ops::Less, I(9), S("1"), false, "Boolean:True"},
      {"Null = Null", ops::Equal, N(), N(), false, "Null"},
      {"Empty = 0", ops::Equal, E(), I(0), false, "Boolean:True"},
      {"Empty = \"\"", ops::Equal, E(), S(""), false, "Boolean:True"},
      {"Date > 1", ops::Greater, Dt("1/1/2000"), I(1), false, "Boolean:True"},
      {"True = -1", ops::Equal, B(true), I(-1), false, "Boolean:True"},
      {"2 >= 2", ops::GreaterEqual, I(2), L(2), false, "Boolean:True"},
      {"2 <= 1", ops::LessEqual, I(2), I(1), false, "Boolean:False"},
      {"1 <> 2", ops::NotEqual, I(1), I(2), false, "Boolean:True"},
      {"array", ops::Equal, Arr({}), I(1), false, "error 13"},
  };
  for (const CmpCase& c : table) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Outcome([&] { return c.op(c.a, c.b, c.text); }), c.expected);
  }
}

TEST(OperatorsTest, IsComparesIdentityAndNeedsObjects) {
  const auto one = Variant::fromObject(std::make_shared<PlainObject>());
  const auto two = Variant::fromObject(std::make_shared<PlainObject>());
  const auto nothing = Variant::fromObject(nullptr);
  EXPECT_TRUE(ops::Is(one, one));
  EXPECT_FALSE(ops::Is(one, two));
  EXPECT_TRUE(ops::Is(nothing, nothing));
  EXPECT_FALSE(ops::Is(one, nothing));
  EXPECT_EQ(ErrorOf([&] { ops::Is(I(1), one); }), err::kObjectRequired);
  EXPECT_EQ(ErrorOf([&] { ops::Is(one, E()); }), err::kObjectRequired);
}

}  // namespace
}  // namespace vbs::test
