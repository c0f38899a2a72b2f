// How late a script's time-out ends scripts that do their work inside built-ins and library
// objects: a runaway pattern, a search costing length x pattern length, many short matches,
// heavy statements in a loop. Each run first checks that the script really ended by the
// time-out (not by another error, not by finishing); the counter "late_ms" is the time from
// the deadline to the moment the engine gave control back.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "vbscript/Engine.h"

namespace {

constexpr auto kTimeout = std::chrono::milliseconds(20);

const char* const kScripts[] = {
    "Set re = New RegExp\nre.Pattern = \"(a*)*b\"\nx = re.Test(String(30, \"a\"))",
    "x = InStr(String(400000, \"a\"), String(200000, \"a\") & \"b\")",
    "s = String(4000000, \"a\")\nSet re = New RegExp\nre.Global = True\nre.Pattern = \"a\"\n"
    "Do\nx = re.Replace(s, \"b\")\nLoop",
    "s = String(40000000, \"a\")\nDo\nt = s & \"\"\nLoop",
};

void BM_LateBeyondTheTimeOut(benchmark::State& state) {
  const std::string script = kScripts[state.range(0)];
  double worstMs = 0, totalMs = 0;
  int runs = 0;
  for (auto _ : state) {
    vbs::Engine engine;
    engine.setTimeout(kTimeout);
    const auto start = std::chrono::steady_clock::now();
    bool timedOut = false;
    try {
      engine.run(script);
    } catch (const vbs::ScriptException& e) {
      timedOut = e.error().timedOut;
    }
    const auto end = std::chrono::steady_clock::now();
    if (!timedOut) {
      state.SkipWithError("the script did not end by the time-out");
      return;
    }
    const double late =
        std::chrono::duration<double, std::milli>(end - start - kTimeout).count();
    worstMs = std::max(worstMs, late);
    totalMs += late;
    ++runs;
  }
  state.counters["late_ms"] = totalMs / runs;
  state.counters["worst_late_ms"] = worstMs;
}
BENCHMARK(BM_LateBeyondTheTimeOut)
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
