// The host API: named objects (with members as globals, default properties, element arrays),
// code caching, calls, reset, error reports, time-out and the limits that keep hostile
// scripts from crashing the host.
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <memory>
#include <string>

#include "vbscript/Engine.h"
#include "vbscript/Lexer.h"
#include "vbscript/VbError.h"

namespace vbs {
namespace {

// A game-variable-like object: Value is the default property; Bump(n) adds n and returns
// the new value.
class HostVariable : public Object {
 public:
  Variant value = Variant::fromInteger(0);
  std::string typeName() const override { return "ClassVariable"; }
  int memberId(std::string_view name) override {
    if (NamesEqual(name, "Value")) return 1;
    if (NamesEqual(name, "Bump")) return 2;
    return kUnknownMember;
  }
  Variant invoke(int id, InvokeKind kind, std::span<Variant> args) override {
    if (id == kDefaultMember || id == 1) {
      if (kind == InvokeKind::Let && args.size() == 1) {
        value = args[0];
        return Variant();
      }
      if (args.empty()) return value;
      throw VbError(450);
    }
    if (id == 2 && args.size() == 1) {
      value = Variant::fromLong(value.toLong() + args[0].toLong());
      return value;
    }
    throw VbError(438);
  }
};

// An element of a host array with one property, Visible.
class Element : public Object {
 public:
  bool visible = true;
  int memberId(std::string_view name) override {
    return NamesEqual(name, "Visible") ? 1 : kUnknownMember;
  }
  Variant invoke(int id, InvokeKind kind, std::span<Variant> args) override {
    if (id != 1) throw VbError(438);
    if (kind == InvokeKind::Let) {
      visible = args.back().toBool();
      return Variant();
    }
    return Variant::fromBool(visible);
  }
};

// A host element array: the default member takes an index.
class ElementArray : public Object {
 public:
  std::map<int, std::shared_ptr<Element>> elements;
  Variant invoke(int id, InvokeKind, std::span<Variant> args) override {
    if (id != kDefaultMember || args.size() != 1) throw VbError(438);
    auto it = elements.find(args[0].toLong());
    if (it == elements.end()) throw VbError(340);
    return Variant::fromObject(it->second);
  }
};

ScriptError ErrorOf(const std::function<void()>& run) {
  try {
    run();
  } catch (const ScriptException& e) {
    return e.error();
  }
  return {};
}

TEST(EngineTest, NamedObjectsMembersAsGlobalsAndDefaultProperty) {
  Engine engine;
  auto score = std::make_shared<HostVariable>();
  auto action = std::make_shared<HostVariable>();
  engine.addCode("Sub Startup\nScore = Score + 5\nBump 2\nEnd Sub");
  engine.addObject("Score", score, false);
  engine.addObject("Action", action, true);  // Bump and Value become global names
  engine.call("Startup");
  EXPECT_EQ(score->value.toLong(), 5);
  EXPECT_EQ(action->value.toLong(), 2);
  EXPECT_EQ(engine.eval("Action.Bump(3) + Value").toLong(), 10);
  EXPECT_EQ(engine.eval("TypeName(Score)").toString(), "ClassVariable");
}

TEST(EngineTest, ElementArrayOfTheHost) {
  Engine engine;
  auto hotspots = std::make_shared<ElementArray>();
  hotspots->elements[3] = std::make_shared<Element>();
  engine.addObject("Hotspot", hotspots, false);
  engine.run("Hotspot(3).Visible = False");
  EXPECT_FALSE(hotspots->elements[3]->visible);
  EXPECT_EQ(engine.eval("Hotspot(3).Visible").toBool(), false);
  EXPECT_EQ(ErrorOf([&] { engine.run("Hotspot(4).Visible = True"); }).number, 340);
}

TEST(EngineTest, CallPassesArgumentsByReference) {
  Engine engine;
  engine.addCode("Function Twice(x)\nx = x * 2\nTwice = x + 1\nEnd Function");
  Variant args[] = {Variant::fromInteger(4)};
  EXPECT_EQ(engine.call("Twice", args).toLong(), 9);
  EXPECT_EQ(args[0].toLong(), 8);
  EXPECT_TRUE(engine.hasProcedure("twice"));
  const ScriptError unknown = ErrorOf([&] { engine.call("Nope"); });
  EXPECT_EQ(unknown.number, 35);
  const ScriptError count = ErrorOf([&] { engine.call("Twice"); });
  EXPECT_EQ(count.number, 450);
}

TEST(EngineTest, ResetStartsClean) {
  Engine engine;
  std::string log;
  engine.setMsgBoxHandler([&](const Variant& prompt, int, const Variant&) {
    log += prompt.toString() + ";";
    return Variant::fromInteger(1);
  });
  engine.addCode(
      "Dim kept\nkept = 1\nClass Tracker\nSub Class_Terminate\nMsgBox \"bye\"\nEnd Sub\nEnd Class\n"
      "Dim t\nSet t = New Tracker");
  engine.addObject("Obj", std::make_shared<HostVariable>(), true);
  engine.reset();
  EXPECT_EQ(log, "bye;");
  EXPECT_TRUE(engine.eval("IsEmpty(kept)").toBool());
  EXPECT_FALSE(engine.hasProcedure("Bump"));
  EXPECT_EQ(ErrorOf([&] { engine.run("Option Explicit\nx = Obj"); }).number, 500);
}

TEST(EngineTest, CachedCodeRunsCorrectlyAfterEachReset) {
  Engine engine;
  const std::string text = "Function F(n)\nF = n + 1\nEnd Function";
  for (int i = 0; i < 3; ++i) {
    engine.reset();
    engine.addCode(text);
    engine.addObject("Value", std::make_shared<HostVariable>(), false);
    EXPECT_EQ(engine.eval("F(" + std::to_string(i) + ")").toLong(), i + 1);
  }
}

TEST(EngineTest, ReusedCodeSeesTheNewRunsGlobals) {
  // A procedure compiled once reaches a host name that is added only after the code; the
  // name's cache must follow reset and re-adding, not keep the previous run's object.
  Engine engine;
  const std::string text = "Function Read()\nRead = Counter.Value\nEnd Function";
  for (int run = 1; run <= 3; ++run) {
    engine.reset();
    engine.addCode(text);
    auto counter = std::make_shared<HostVariable>();
    counter->value = Variant::fromInteger(static_cast<std::int16_t>(run * 10));
    engine.addObject("Counter", counter, false);
    EXPECT_EQ(engine.call("Read").toLong(), run * 10);
  }
}

TEST(EngineTest, RuntimeErrorReportsPlaceAndLine) {
  Engine engine;
  const ScriptError e = ErrorOf([&] {
    engine.run("Dim a\na = 1\n  b = a / 0\n");
  });
  EXPECT_EQ(e.number, 11);
  EXPECT_EQ(e.description, "Division by zero");
  EXPECT_EQ(e.source, "Microsoft VBScript runtime error");
  EXPECT_EQ(e.line, 3);
  EXPECT_EQ(e.column, 3);
  EXPECT_EQ(e.lineText, "  b = a / 0");
  EXPECT_FALSE(e.compileError);
  // the innermost statement is reported for errors inside procedures
  const ScriptError inner = ErrorOf([&] {
    engine.run("Sub F\nx = CInt(\"a\")\nEnd Sub\nF");
  });
  EXPECT_EQ(inner.number, 13);
  EXPECT_EQ(inner.line, 2);
}

TEST(EngineTest, CompileErrorReportsPlace) {
  Engine engine;
  const ScriptError e = ErrorOf([&] { engine.addCode("x = 1\ny = (2\n"); });
  EXPECT_TRUE(e.compileError);
  EXPECT_EQ(e.number, 1006);
  EXPECT_EQ(e.description, "Expected ')'");
  EXPECT_EQ(e.source, "Microsoft VBScript compilation error");
  EXPECT_EQ(e.line, 2);
  EXPECT_EQ(e.lineText, "y = (2");
  const ScriptError raised = ErrorOf([&] { engine.run("Err.Raise 1001, \"Src\", \"Mine\""); });
  EXPECT_EQ(raised.number, 1001);
  EXPECT_EQ(raised.source, "Src");
  EXPECT_EQ(raised.description, "Mine");
}

TEST(EngineTest, TimeOutEndsEndlessLoopsEvenUnderResumeNext) {
  Engine engine;
  engine.setTimeout(std::chrono::milliseconds(50));
  const ScriptError e = ErrorOf([&] { engine.run("On Error Resume Next\nDo\nLoop"); });
  EXPECT_TRUE(e.timedOut);
  EXPECT_EQ(e.line, 2);
  // the engine is usable afterwards
  EXPECT_EQ(engine.eval("1 + 1").toLong(), 2);
  const ScriptError recursive = ErrorOf([&] {
    engine.run("Sub Spin\nDo While True\nLoop\nEnd Sub\nSpin");
  });
  EXPECT_TRUE(recursive.timedOut);
}

TEST(EngineTest, DeepRecursionIsOutOfStackSpace) {
  Engine engine;
  const ScriptError e = ErrorOf([&] {
    engine.run("Function R(n)\nR = R(n + 1)\nEnd Function\nx = R(0)");
  });
  EXPECT_EQ(e.number, 28);
  EXPECT_EQ(e.description, "Out of stack space");
  const ScriptError viaObjects = ErrorOf([&] {
    engine.run(
        "Class C\nFunction F(n)\nSet o = New C\nF = o.F(n + 1)\nEnd Function\nEnd Class\n"
        "Set inst = New C\nx = inst.F(0)");
  });
  EXPECT_EQ(viaObjects.number, 28);
}

TEST(EngineTest, HugeAllocationsAreErrors) {
  Engine engine;
  EXPECT_EQ(ErrorOf([&] { engine.run("Dim a(100000000)"); }).number, 7);
  EXPECT_EQ(ErrorOf([&] { engine.run("ReDim a(5000, 5000)"); }).number, 7);
  EXPECT_EQ(ErrorOf([&] { engine.run("Dim b(10000, 10000, 10000)"); }).number, 7);
}

TEST(EngineTest, ScriptObjectsOutliveTheirEngine) {
  std::shared_ptr<Object> kept;
  {
    Engine engine;
    engine.run("Class K\nPublic Name\nFunction Hello\nHello = \"hi\"\nEnd Function\nEnd Class");
    Variant made = engine.eval("New K");
    kept = made.object();
    const int id = kept->memberId("hello");
    ASSERT_NE(id, Object::kUnknownMember);
    EXPECT_EQ(kept->invoke(id, InvokeKind::Get, {}).toString(), "hi");
  }
  // The engine is gone: calling into the object is an error, not a crash.
  EXPECT_THROW(kept->invoke(kept->memberId("hello"), InvokeKind::Get, {}), VbError);
}

// Objects that hold each other are never freed by counting references; they go with their
// engine, whose end runs no Class_Terminate.
TEST(EngineTest, ObjectsHoldingEachOtherAreFreedWithTheirEngine) {
  std::weak_ptr<Object> selfHolding, pairHalf, chainHead, kept;
  std::shared_ptr<Object> keptAlive;
  {
    Engine engine;
    engine.run(
        "Class Node\nPublic Other\nSub Class_Terminate\nEnd Sub\nEnd Class\n"
        "Set d = CreateObject(\"Scripting.Dictionary\")\nd.Add \"me\", d\n"
        "Set a = New Node\nSet b = New Node\nSet a.Other = b\nSet b.Other = a\n"
        "Set head = New Node\nSet cur = head\n"
        "For i = 1 To 100000\nSet n = New Node\nSet cur.Other = n\nSet cur = n\nNext\n"
        "Set cur.Other = head\n"
        "Set k = New Node\nk.Other = 5\n");
    selfHolding = engine.eval("d").object();
    pairHalf = engine.eval("a").object();
    chainHead = engine.eval("head").object();
    keptAlive = engine.eval("k").object();
    kept = keptAlive;
    // While the engine lives, the cycles are whole.
    engine.run("Set d = Nothing\nSet a = Nothing\nSet b = Nothing\nSet head = Nothing\n"
               "Set cur = Nothing\nSet n = Nothing");
    EXPECT_FALSE(selfHolding.expired());
    EXPECT_FALSE(pairHalf.expired());
    EXPECT_FALSE(chainHead.expired());
  }
  EXPECT_TRUE(selfHolding.expired());
  EXPECT_TRUE(pairHalf.expired());
  EXPECT_TRUE(chainHead.expired());  // a ring of 100,001 instances, freed without recursion
  // An object the host still holds stays, emptied of what it held.
  EXPECT_FALSE(kept.expired());
}

TEST(EngineTest, InputBoxAndRandomizeGoThroughTheHost) {
  Engine engine;
  engine.setInputBoxHandler([](const Variant& prompt, const Variant&, const Variant&) {
    return Variant::fromString("answer to " + prompt.toString());
  });
  EXPECT_EQ(engine.eval("InputBox(\"q\")").toString(), "answer to q");
  engine.run("Randomize 3");
  const std::uint32_t seed = engine.random().seed();
  engine.run("Randomize 3");
  EXPECT_EQ(engine.random().seed(), seed);
}

}  // namespace
}  // namespace vbs
