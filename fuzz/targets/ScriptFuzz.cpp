// Fuzz target: the script engine — lexer, parser and interpreter — on any text. The input
// is added as code and, when that compiles and runs, the procedures it may declare under the
// usual names are called. Every outcome must be a result, a ScriptException or a ScriptQuit;
// no run may pass its time-out by much.
//
// The script reaches no file: CreateObject("Scripting.FileSystemObject") gets a Dictionary,
// so a mutated script cannot write or delete anything on the machine that fuzzes it.
#include <chrono>
#include <ctime>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "vbscript/Engine.h"
#include "vbscript/LibraryObjects.h"
#include "vbscript/Variant.h"

namespace {

bool NamesFileSystem(std::string_view progId) {
  std::string folded;
  for (char c : progId) folded += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return folded.find("filesystem") != std::string::npos;
}

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 64 * 1024) return -1;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  vbs::Engine engine;
  constexpr auto kTimeout = std::chrono::milliseconds(40);
  engine.setTimeout(kTimeout);
  engine.setMsgBoxHandler(
      [](const vbs::Variant&, int, const vbs::Variant&) { return vbs::Variant::fromInteger(1); });
  engine.setInputBoxHandler([](const vbs::Variant&, const vbs::Variant&, const vbs::Variant&) {
    return vbs::Variant::fromString("x");
  });
  engine.setObjectFactory([](std::string_view progId) -> std::shared_ptr<vbs::Object> {
    if (NamesFileSystem(progId)) return vbs::CreateLibraryObject("Scripting.Dictionary");
    return nullptr;
  });
  const auto attempt = [&](auto&& body) {
    const double started = ThreadSeconds();
    try {
      body();
    } catch (const vbs::ScriptException&) {
    } catch (const vbs::ScriptQuit&) {
    }
    // Each run has its own time-out. The processor time it took is measured, not the
    // clock's, so a busy machine does not make a run look long; what stays far beyond the
    // time-out (the sanitizers slow everything down tenfold or more) is a hang.
    if (ThreadSeconds() - started > 5.0) __builtin_trap();
  };
  attempt([&] { engine.addCode(text); });
  for (const char* name : {"Main", "Test", "F", "S"}) {
    attempt([&] {
      if (engine.hasProcedure(name)) engine.call(name);
    });
  }
  return 0;
}
