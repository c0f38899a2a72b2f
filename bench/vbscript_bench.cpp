// Script engine speed: loop-heavy and string-heavy scripts, dictionary and array work, and the
// per-run overhead of a host that resets the engine, adds an unchanged 2,000-line procedures
// text and runs a one-line script, as game timers do many times a second.
#include <benchmark/benchmark.h>

#include <string>

#include "vbscript/Engine.h"

namespace {

// Runs the script once and checks that `check` then reads `expected`, so a script that
// stopped early or computed something else is reported rather than timed.
void RunScript(benchmark::State& state, const char* script, const char* check,
               const char* expected) {
  vbs::Engine engine;
  engine.setTimeout(std::chrono::milliseconds(0));
  engine.run(script);
  const std::string result = engine.eval(check).toString();
  if (result != expected) {
    state.SkipWithError(("wrong result " + result + ", expected " + expected).c_str());
    return;
  }
  for (auto _ : state) {
    engine.reset();
    engine.run(script);
  }
}

void BM_Fibonacci(benchmark::State& state) {
  RunScript(state,
            "Function Fib(n)\n"
            "  If n < 2 Then Fib = n Else Fib = Fib(n - 1) + Fib(n - 2)\n"
            "End Function\n"
            "x = Fib(20)\n",
            "x", "6765");
}
BENCHMARK(BM_Fibonacci)->Unit(benchmark::kMillisecond);

void BM_NestedLoops(benchmark::State& state) {
  RunScript(state,
            "Dim result\n"
            "Sub Work\n"
            "  Dim i, j, total\n"
            "  total = 0\n"
            "  For i = 1 To 300\n"
            "    For j = 1 To 300\n"
            "      total = total + (i * j) Mod 7 - j \\ 3\n"
            "    Next\n"
            "  Next\n"
            "  result = total\n"
            "End Sub\n"
            "Work\n",
            "result", "-4252026");
}
BENCHMARK(BM_NestedLoops)->Unit(benchmark::kMillisecond);

void BM_LongString(benchmark::State& state) {
  RunScript(state,
            "Dim s, i\n"
            "s = \"\"\n"
            "For i = 1 To 20000\n"
            "  s = s & \"line \" & i & vbCrLf\n"
            "Next\n",
            "Len(s)", "228894");
}
BENCHMARK(BM_LongString)->Unit(benchmark::kMillisecond);

void BM_DictionaryAndArrays(benchmark::State& state) {
  RunScript(state,
            "Dim d, a(), i, total, k\n"
            "Set d = CreateObject(\"Scripting.Dictionary\")\n"
            "ReDim a(5000)\n"
            "For i = 0 To 5000\n"
            "  d(\"key\" & i) = i\n"
            "  a(i) = i * 2\n"
            "Next\n"
            "total = 0\n"
            "For Each k In d.Keys\n"
            "  total = total + d(k) + a(d(k))\n"
            "Next\n",
            "total", "37507500");
}
BENCHMARK(BM_DictionaryAndArrays)->Unit(benchmark::kMillisecond);

std::string ProceduresText() {
  std::string text;
  for (int i = 0; i < 250; ++i) {  // 8 lines each: 2,000 lines
    const std::string n = std::to_string(i);
    text += "Function Helper" + n + "(a, b)\r\n";
    text += "  Dim t\r\n";
    text += "  t = a * " + n + " + b\r\n";
    text += "  If t > 100 Then\r\n";
    text += "    t = t - 100\r\n";
    text += "  End If\r\n";
    text += "  Helper" + n + " = t\r\n";
    text += "End Function\r\n";
  }
  return text;
}

// One script run of the player: reset, procedures (unchanged), named object, one-line script.
void BM_PerRunOverhead(benchmark::State& state) {
  vbs::Engine engine;
  const std::string procedures = ProceduresText();
  const std::string script = "Sub StartupProcedure\r\nx = Helper7(1, 2)\r\nEnd Sub";
  auto object = std::make_shared<vbs::Object>();
  engine.addCode(procedures);
  if (engine.eval("Helper7(1, 2)").toString() != "9") {
    state.SkipWithError("Helper7 gives a wrong result");
    return;
  }
  for (auto _ : state) {
    engine.reset();
    engine.addCode(procedures);
    engine.addCode(script);
    engine.addObject("Action", object, true);
    engine.call("StartupProcedure");
  }
}
BENCHMARK(BM_PerRunOverhead)->Unit(benchmark::kMicrosecond);

// The first compile of the same text, for comparison with the cached run above.
void BM_CompileProcedures(benchmark::State& state) {
  const std::string procedures = ProceduresText();
  {
    vbs::Engine engine;
    engine.addCode(procedures);
    if (!engine.hasProcedure("Helper249")) {
      state.SkipWithError("the last procedure was not compiled");
      return;
    }
  }
  for (auto _ : state) {
    vbs::Engine engine;
    engine.addCode(procedures);
  }
}
BENCHMARK(BM_CompileProcedures)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
