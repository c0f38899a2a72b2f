// Scripts written to hurt: each must end with a clear error, soon after the time-out at the
// latest, and leave the engine usable — never hang or crash the host.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "vbscript/Engine.h"

namespace vbs {
namespace {

constexpr std::size_t kLargestString = std::size_t{64} << 20;

ScriptError ErrorOf(Engine& engine, const std::string& script) {
  try {
    engine.run(script);
  } catch (const ScriptException& e) {
    return e.error();
  }
  return {};
}

// Work that grows with its input stops at the time-out even inside one built-in call or one
// library method. The limit for lateness is loose (the machine may be busy); without the
// clock checks these run for seconds to hours, or end with another error.
TEST(HostileScriptTest, TimeOutHoldsInsideBuiltinsAndRegExp) {
  const std::string prelude = "s = String(8000000, \"a\")\n";
  const std::vector<std::string> scripts = {
      // A pattern that backtracks without end, on a short text.
      "Set re = New RegExp\nre.Pattern = \"(a*)*b\"\nx = re.Test(String(30, \"a\"))",
      // A search costing length x pattern length: 200,000 x 100,000 comparisons.
      "x = InStr(String(200000, \"a\"), String(100000, \"a\") & \"b\")",
      "x = InStrRev(String(200000, \"a\"), String(100000, \"a\") & \"b\")",
      "x = Replace(String(200000, \"a\"), String(100000, \"a\") & \"b\", \"\")",
      "x = Split(String(200000, \"a\"), String(100000, \"a\") & \"b\")",
      // Many short matches: each search is quick, all of them are not.
      prelude + "Set re = New RegExp\nre.Global = True\nre.Pattern = \"a\"\n"
                "Do\nx = re.Replace(s, \"b\")\nLoop",
      // Heavy statements in a loop: few statements, much work each.
      prelude + "Do\nt = s & \"\"\nLoop",
      prelude + "Do\nt = UCase(s)\nLoop",
  };
  for (const std::string& script : scripts) {
    Engine engine;
    engine.setTimeout(std::chrono::milliseconds(50));
    const auto start = std::chrono::steady_clock::now();
    const ScriptError e = ErrorOf(engine, script);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(e.timedOut) << script << "\n-> " << e.number << " " << e.description;
    EXPECT_LT(took, std::chrono::seconds(2)) << script;
    EXPECT_EQ(engine.eval("1 + 1").toLong(), 2);
  }
}

// Compiling counts toward the time-out: a huge generated text whose only fault is at its
// very end ends by the time-out while it compiles, not by the syntax error the compiler
// would reach seconds later. Host texts, Execute, ExecuteGlobal and Eval alike.
TEST(HostileScriptTest, TimeOutHoldsWhileCompiling) {
  Engine engine;
  engine.setTimeout(std::chrono::milliseconds(0));
  engine.run(
      "s = Replace(Space(1500000), \" \", \"x = x + 1 : \") & \")\"\n"
      "e = \"Array(\" & Replace(Space(1500000), \" \", \"x, \") & \"x\"");
  engine.setTimeout(std::chrono::milliseconds(20));
  for (const char* script : {"Execute s", "ExecuteGlobal s", "y = Eval(e)",
                             "On Error Resume Next\nExecute s\ny = Eval(e)"}) {
    const ScriptError e = ErrorOf(engine, script);
    EXPECT_TRUE(e.timedOut) << script << "\n-> " << e.number << " " << e.description;
    EXPECT_FALSE(e.compileError) << script;
  }
  const std::string text = engine.eval("s").toString();
  for (bool cached : {false, true}) {
    ScriptError e;
    try {
      if (cached) {
        engine.addCode(text);
      } else {
        engine.run(text);
      }
    } catch (const ScriptException& x) {
      e = x.error();
    }
    EXPECT_TRUE(e.timedOut) << cached << " -> " << e.number << " " << e.description;
  }
  // A text that compiles in time still reports its own fault.
  const ScriptError own = ErrorOf(engine, "Execute \"x = (\"");
  EXPECT_FALSE(own.timedOut);
  EXPECT_EQ(own.number, 1023);  // Expected expression
  EXPECT_EQ(engine.eval("1 + 1").toLong(), 2);
}

// A search that finds its text still finds it where it is, slice borders or not.
TEST(HostileScriptTest, SlicedSearchesFindWhatWholeSearchesFind) {
  Engine engine;
  engine.run("s = String(300000, \"a\") & \"xyz\" & String(300000, \"a\") & \"xyz\"");
  EXPECT_EQ(engine.eval("InStr(s, \"axyz\")").toLong(), 300000);
  EXPECT_EQ(engine.eval("InStr(300002, s, \"xyz\")").toLong(), 600004);
  EXPECT_EQ(engine.eval("InStrRev(s, \"xyza\")").toLong(), 300001);
  EXPECT_EQ(engine.eval("InStrRev(s, \"xyz\", 600005)").toLong(), 300001);
  EXPECT_EQ(engine.eval("UBound(Split(s, \"xyz\"))").toLong(), 2);
  EXPECT_EQ(engine.eval("Len(Replace(s, \"xyz\", \"\"))").toLong(), 600000);
  EXPECT_EQ(engine.eval("InStr(1, s, \"XYZ\", 1)").toLong(), 300001);
  EXPECT_EQ(engine.eval("UBound(Filter(Array(\"q\", s), \"zax\"))").toLong(), -1);
  EXPECT_EQ(engine.eval("UBound(Filter(Array(\"q\", s), \"yza\"))").toLong(), 0);
}

// Nesting deeper than the compiler follows is "Out of stack space", as the run-time says it.
TEST(HostileScriptTest, DeepNestingIsOutOfStackSpace) {
  const std::size_t n = 100000;
  std::string parentheses = "x = " + std::string(n, '(') + "1" + std::string(n, ')');
  std::string ifs;
  for (std::size_t i = 0; i < n; ++i) ifs += "If True Then\n";
  for (std::size_t i = 0; i < n; ++i) ifs += "End If\n";
  for (std::string* script : {&parentheses, &ifs}) {
    Engine engine;
    const ScriptError e = ErrorOf(engine, *script);
    EXPECT_TRUE(e.compileError);
    EXPECT_EQ(e.number, 28);
    EXPECT_EQ(e.description, "Out of stack space");
  }
  // Nesting a script really uses still runs.
  Engine engine;
  engine.run("x = " + std::string(100, '(') + "7" + std::string(100, ')'));
  EXPECT_EQ(engine.eval("x").toLong(), 7);
}

TEST(HostileScriptTest, EndlessRecursionOfASubIsOutOfStackSpace) {
  Engine engine;
  const ScriptError e = ErrorOf(engine, "Sub R(n)\nR n + 1\nEnd Sub\nR 1");
  EXPECT_FALSE(e.compileError);
  EXPECT_EQ(e.number, 28);
  EXPECT_EQ(engine.eval("1 + 1").toLong(), 2);
}

// One limit for the largest string, whichever operation builds it.
TEST(HostileScriptTest, OneLimitForTheLargestString) {
  Engine engine;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(ErrorOf(engine, "x = String(1e9, \"x\")").number, 14);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));

  const std::string limit = std::to_string(kLargestString);
  engine.run("s = String(" + limit + ", \"x\")");
  EXPECT_EQ(engine.eval("Len(s)").toLong(), static_cast<std::int32_t>(kLargestString));
  EXPECT_EQ(ErrorOf(engine, "t = s & \"x\"").number, 14);
  EXPECT_EQ(ErrorOf(engine, "s = s & \"x\"").number, 14);  // appended in place
  EXPECT_EQ(ErrorOf(engine, "t = \"x\" & s").number, 14);
  EXPECT_EQ(ErrorOf(engine, "t = s + \"x\"").number, 14);
  EXPECT_EQ(ErrorOf(engine, "t = Space(" + limit + " + 1)").number, 14);
  EXPECT_EQ(ErrorOf(engine, "t = String(" + limit + " + 1, 65)").number, 14);
  EXPECT_EQ(ErrorOf(engine, "t = Replace(s, \"x\", \"xy\", 1, 1)").number, 14);
  EXPECT_EQ(ErrorOf(engine, "t = Join(Array(s, \"\"), \"-\")").number, 14);
  EXPECT_EQ(ErrorOf(engine, "t = Escape(Space(30000000))").number, 14);
  EXPECT_EQ(ErrorOf(engine, "Set re = New RegExp\nre.Pattern = \"^x\"\nt = re.Replace(s, \"yy\")")
                .number,
            14);
  // Two-byte characters count by their bytes: half as many fit.
  EXPECT_EQ(ErrorOf(engine, "t = String(" + std::to_string(kLargestString / 2 + 1) +
                                ", ChrW(233))")
                .number,
            14);
  EXPECT_EQ(engine.eval("Len(s)").toLong(), static_cast<std::int32_t>(kLargestString));
}

// Freeing a long chain of containers, each holding the next, is a loop, not a recursion as
// deep as the chain.
TEST(HostileScriptTest, LongChainsOfContainersAreFreedWithoutDeepRecursion) {
  Engine engine;
  engine.setTimeout(std::chrono::milliseconds(0));
  engine.run(
      "Set d = Nothing\n"
      "For i = 1 To 300000\n"
      "  Set n = CreateObject(\"Scripting.Dictionary\")\n"
      "  If i Mod 2 = 0 Then n.Add \"k\", d Else n.Add \"k\", Array(1, d)\n"
      "  Set d = n\n"
      "Next\n"
      "Set n = Nothing\n"
      "Set d = Nothing");
  EXPECT_EQ(engine.eval("1 + 1").toLong(), 2);
  engine.run(
      "For i = 1 To 300000\n"
      "  Set n = CreateObject(\"Scripting.Dictionary\")\n"
      "  n.Add d, 1\n"
      "  Set d = n\n"
      "Next");
  engine.reset();  // the chain goes with the engine's variables
}

}  // namespace
}  // namespace vbs
