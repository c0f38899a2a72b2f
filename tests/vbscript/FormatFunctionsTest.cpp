// FormatNumber, FormatCurrency, FormatPercent under en-US: defaults, the tristate options,
// half-away-from-zero rounding of the decimal value, skipped arguments.
#include "BuiltinTestUtil.h"

namespace vbs::test {
namespace {

struct Case {
  const char* name;
  std::vector<Variant> args;
  const char* expected;
};

Variant Skipped() {
  return Variant::fromError(kMissingArgument);
}

TEST(FormatFunctionsTest, NumbersCurrencyPercent) {
  const std::vector<Case> table = {
      {"FormatNumber", {D(1234.5)}, "String:1,234.50"},
      {"FormatNumber", {D(-1234.5)}, "String:-1,234.50"},
      {"FormatNumber", {D(0.5), I(2), I(0)}, "String:.50"},
      {"FormatNumber", {D(-0.5), I(2), I(-1), I(-1)}, "String:(0.50)"},
      {"FormatNumber", {L(1234567), I(0)}, "String:1,234,567"},
      {"FormatNumber", {D(1234.5), I(2), I(-1), I(0), I(0)}, "String:1234.50"},
      {"FormatNumber", {D(1234.5), Skipped(), Skipped(), Skipped(), I(0)}, "String:1234.50"},
      {"FormatNumber", {D(0.125), I(2)}, "String:0.13"},
      {"FormatNumber", {D(2.5), I(0)}, "String:3"},
      {"FormatNumber", {D(-2.5), I(0)}, "String:-3"},
      {"FormatNumber", {D(999.995), I(2)}, "String:1,000.00"},
      {"FormatNumber", {D(-0.001), I(2)}, "String:0.00"},
      {"FormatNumber", {D(1e20), I(0)}, "String:100,000,000,000,000,000,000"},
      {"FormatNumber", {D(1.5e-7), I(8)}, "String:0.00000015"},
      {"FormatNumber", {S("1234.5")}, "String:1,234.50"},
      {"FormatNumber", {S("abc")}, "error 13"},
      {"FormatNumber", {I(1), I(-2)}, "error 5"},
      {"FormatNumber", {E()}, "String:0.00"},
      {"FormatNumber", {B(true)}, "String:-1.00"},
      {"FormatNumber", {C(12345678)}, "String:1,234.57"},
      {"FormatNumber", {I(5), I(3)}, "String:5.000"},
      {"FormatCurrency", {D(1234.5)}, "String:$1,234.50"},
      {"FormatCurrency", {D(-1234.5)}, "String:($1,234.50)"},
      {"FormatCurrency", {I(-1), I(2), I(-1), I(0)}, "String:-$1.00"},
      {"FormatCurrency", {D(0.5), I(0)}, "String:$1"},
      {"FormatCurrency", {D(0.456), I(2), I(0)}, "String:$.46"},
      {"FormatPercent", {D(0.125)}, "String:12.50%"},
      {"FormatPercent", {D(-0.5)}, "String:-50.00%"},
      {"FormatPercent", {D(-0.5), I(0), I(-1), I(-1)}, "String:(50%)"},
      {"FormatPercent", {I(1)}, "String:100.00%"},
      {"FormatPercent", {D(12.34567), I(1)}, "String:1,234.6%"},
      {"FormatPercent", {D(0.00125), I(1)}, "String:0.1%"},
  };
  for (const Case& c : table) {
    std::string trace = c.name;
    for (const Variant& a : c.args) trace += " " + Describe(a);
    SCOPED_TRACE(trace);
    EXPECT_EQ(Outcome([&] { return Call(c.name, c.args); }), c.expected);
  }
}

}  // namespace
}  // namespace vbs::test
