// How late a script's time-out ends scripts that do their work inside built-ins and library
// objects: a runaway pattern, a search costing length x pattern length, many short matches,
// heavy statements in a loop, built-ins over texts of tens of megabytes, and the compiling
// of huge generated code. Each run first checks that the script really ended by the
// time-out (not by another error, not by finishing); the counter "late_ms" is the time from
// the deadline to the moment the engine gave control back. A case's setup (building its
// huge texts) runs first, without a time-out, in the same engine.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <iterator>
#include <memory>
#include <string>

#include "vbscript/Engine.h"

namespace {

constexpr auto kTimeout = std::chrono::milliseconds(20);

struct Case {
  const char* setup;   // run first, with no time-out
  const char* script;  // must end by the time-out
};

// Huge texts for the cases that take them from their setup.
const char* const kHuge =
    "s = String(40000000, \"a\")\nw = String(20000000, ChrW(233))\n"
    "p = Replace(Space(1000000), \" \", \"x = x + 1 : \")\n";

const Case kCases[] = {
    {"", "Set re = New RegExp\nre.Pattern = \"(a*)*b\"\nx = re.Test(String(30, \"a\"))"},
    {"", "x = InStr(String(400000, \"a\"), String(200000, \"a\") & \"b\")"},
    {"", "s = String(4000000, \"a\")\nSet re = New RegExp\nre.Global = True\nre.Pattern = \"a\"\n"
         "Do\nx = re.Replace(s, \"b\")\nLoop"},
    {"", "s = String(40000000, \"a\")\nDo\nt = s & \"\"\nLoop"},
    // 4..: the text is there before the clock starts.
    {kHuge, "Do\nt = s & \"b\"\nLoop"},
    {kHuge, "Do\nt = UCase(w)\nLoop"},
    {kHuge, "Do\nt = Mid(s, 2)\nLoop"},
    {kHuge, "Do\nt = StrReverse(w)\nLoop"},
    {kHuge, "Do\nt = Replace(s, \"a\", \"b\")\nLoop"},
    {kHuge, "Do\nt = Join(Array(s, \"x\"), \"-\")\nLoop"},
    {kHuge, "Do\nt = Split(w, \"a\")\nLoop"},
    {kHuge, "Do\nt = (s = s & \"\")\nLoop"},
    {kHuge, "Do\nt = Len(w) + InStr(w, \"b\")\nLoop"},
    {kHuge, "Set re = New RegExp\nre.Pattern = \"b\"\nDo\nt = re.Test(w)\nLoop"},
    {kHuge, "Execute p"},
};

void BM_LateBeyondTheTimeOut(benchmark::State& state) {
  const Case& c = kCases[state.range(0)];
  const std::string script = c.script;
  double worstMs = 0, totalMs = 0;
  int runs = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto engine = std::make_unique<vbs::Engine>();
    engine->setTimeout(std::chrono::milliseconds(0));
    engine->run(c.setup);
    state.ResumeTiming();
    engine->setTimeout(kTimeout);
    const auto start = std::chrono::steady_clock::now();
    bool timedOut = false;
    try {
      engine->run(script);
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
    state.PauseTiming();
    engine.reset();
    state.ResumeTiming();
  }
  state.counters["late_ms"] = totalMs / runs;
  state.counters["worst_late_ms"] = worstMs;
}
BENCHMARK(BM_LateBeyondTheTimeOut)
    ->DenseRange(0, static_cast<int>(std::size(kCases)) - 1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
