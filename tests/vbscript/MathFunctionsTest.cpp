// Maths functions: domains and errors, subtypes kept by Int/Fix/Abs/Round, banker's rounding,
// and VB's random generator (its known sequence and seed rules).
#include "BuiltinTestUtil.h"

namespace vbs::test {
namespace {

TEST(MathFunctionsTest, RealFunctionsAndDomains) {
  RunTable({
      {"Atn", {I(1)}, "Double:0.785398163397448"},
      {"Cos", {I(0)}, "Double:1"},
      {"Sin", {N()}, "Null"},
      {"Tan", {I(0)}, "Double:0"},
      {"Exp", {I(1)}, "Double:2.71828182845905"},
      {"Exp", {I(1000)}, "error 6"},
      {"Log", {I(1)}, "Double:0"},
      {"Log", {I(0)}, "error 5"},
      {"Log", {I(-1)}, "error 5"},
      {"Sqr", {I(4)}, "Double:2"},
      {"Sqr", {S("9")}, "Double:3"},
      {"Sqr", {I(-1)}, "error 5"},
      {"Sqr", {S("x")}, "error 13"},
  });
}

TEST(MathFunctionsTest, IntFixAbsSgnKeepSubtypes) {
  RunTable({
      {"Int", {D(-8.4)}, "Double:-9"},
      {"Fix", {D(-8.4)}, "Double:-8"},
      {"Int", {D(8.7)}, "Double:8"},
      {"Int", {I(5)}, "Integer:5"},
      {"Int", {S("2.5")}, "Double:2"},
      {"Int", {E()}, "Integer:0"},
      {"Int", {N()}, "Null"},
      {"Int", {B(true)}, "Integer:-1"},
      {"Int", {C(-15000)}, "Currency:-2"},
      {"Fix", {C(-15000)}, "Currency:-1"},
      {"Int", {F(2.5f)}, "Single:2"},
      {"Int", {Dt("1/1/2000 6:00 PM")}, "Date:1/1/2000"},
      {"Int", {S("x")}, "error 13"},
      {"Abs", {I(-32768)}, "Long:32768"},
      {"Abs", {D(-1.5)}, "Double:1.5"},
      {"Abs", {N()}, "Null"},
      {"Abs", {E()}, "Integer:0"},
      {"Abs", {B(true)}, "Integer:1"},
      {"Abs", {S("-3")}, "Double:3"},
      {"Abs", {C(-10000)}, "Currency:1"},
      {"Sgn", {D(-2.5)}, "Integer:-1"},
      {"Sgn", {I(0)}, "Integer:0"},
      {"Sgn", {S("7")}, "Integer:1"},
      {"Sgn", {N()}, "error 94"},
  });
}

TEST(MathFunctionsTest, RoundIsHalfToEven) {
  RunTable({
      {"Round", {D(2.5)}, "Double:2"},
      {"Round", {D(3.5)}, "Double:4"},
      {"Round", {D(-2.5)}, "Double:-2"},
      {"Round", {D(2.567), I(2)}, "Double:2.57"},
      {"Round", {D(0.125), I(2)}, "Double:0.12"},
      {"Round", {D(0.375), I(2)}, "Double:0.38"},
      {"Round", {D(1234.5678), I(3)}, "Double:1234.568"},
      {"Round", {D(1.5), I(-1)}, "error 5"},
      {"Round", {I(7)}, "Integer:7"},
      {"Round", {C(25000)}, "Currency:2"},
      {"Round", {C(35000)}, "Currency:4"},
      {"Round", {C(12345), I(2)}, "Currency:1.23"},
      {"Round", {C(12350), I(2)}, "Currency:1.24"},
      {"Round", {S("2.5")}, "Double:2"},
      {"Round", {N()}, "Null"},
      {"Round", {F(2.5f)}, "Single:2"},
      {"Round", {D(1e300), I(5)}, "Double:1E+300"},
  });
}

TEST(MathFunctionsTest, RndFollowsVbsGenerator) {
  FakeHost host;
  // The sequence a script gets without Randomize.
  EXPECT_EQ(Describe(Call(host, "Rnd", {})), "Single:0.7055475");
  EXPECT_EQ(Describe(Call(host, "Rnd", {})), "Single:0.533424");
  EXPECT_EQ(Describe(Call(host, "Rnd", {I(1)})), "Single:0.5795186");
  // Rnd(0) repeats the last number.
  EXPECT_EQ(Describe(Call(host, "Rnd", {I(0)})), "Single:0.5795186");
  // Rnd(negative) restarts: the same number gives the same value.
  EXPECT_EQ(Describe(Call(host, "Rnd", {I(-1)})), "Single:0.224007");
  const Variant after = Call(host, "Rnd", {});
  EXPECT_EQ(Describe(Call(host, "Rnd", {I(-1)})), "Single:0.224007");
  EXPECT_EQ(Describe(Call(host, "Rnd", {})), Describe(after));
  EXPECT_EQ(Outcome([&] { return Call(host, "Rnd", {N()}); }), "error 94");
}

TEST(MathFunctionsTest, RandomizeRepeatsOnlyAfterRndNegative) {
  auto sequence = [](FakeHost& host) {
    return Describe(Call(host, "Rnd", {})) + " " + Describe(Call(host, "Rnd", {}));
  };
  FakeHost host;
  Call(host, "Rnd", {I(-1)});
  Call(host, "Randomize", {I(5)});
  const std::string first = sequence(host);
  // Randomize with the same number alone does not repeat the sequence ...
  Call(host, "Randomize", {I(5)});
  EXPECT_NE(sequence(host), first);
  // ... but Rnd(-1) right before it does.
  Call(host, "Rnd", {I(-1)});
  Call(host, "Randomize", {I(5)});
  EXPECT_EQ(sequence(host), first);

  // Without a number the host's timer seeds the generator.
  FakeHost a, b, c;
  c.seconds = 100.25;
  Call(a, "Randomize", {});
  Call(b, "Randomize", {});
  Call(c, "Randomize", {});
  const std::string fromA = sequence(a);
  EXPECT_EQ(sequence(b), fromA);
  EXPECT_NE(sequence(c), fromA);
}

}  // namespace
}  // namespace vbs::test
