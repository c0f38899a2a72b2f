// Engine: the VBScript engine as a host uses it — the counterpart of the Windows script
// control. Add named objects and code, run statements, evaluate expressions, call procedures;
// reset() returns it to a clean state.
//
// Invariants: code added with the same text is compiled once and reused (a small cache of
// recent texts survives reset()), so a host that runs its procedures text many times a second
// pays only for declaring its names. Every failure reaches the host as ScriptException, whose
// ScriptError carries VBScript's number, description, source and the place in the text that
// was added; nothing a script does can crash the host or run past the time-out.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "vbscript/Builtins.h"
#include "vbscript/Object.h"
#include "vbscript/Variant.h"

namespace vbs {

namespace detail {
class Runtime;
}
namespace ast {
struct Unit;
}

struct ScriptError {
  int number = 0;
  std::string description;
  std::string source;  // "Microsoft VBScript runtime error" or "... compilation error"
  int line = 0;        // 1-based, in the text given to addCode/run/eval; 0 when unknown
  int column = 0;
  std::string lineText;
  bool compileError = false;
  bool timedOut = false;
};

class ScriptException : public std::runtime_error {
 public:
  explicit ScriptException(ScriptError error);
  const ScriptError& error() const { return error_; }

 private:
  ScriptError error_;
};

// WScript.Quit and similar: the script asked to end; not an error.
class ScriptQuit : public std::exception {
 public:
  explicit ScriptQuit(int code) : code_(code) {}
  int code() const { return code_; }
  const char* what() const noexcept override { return "script quit"; }

 private:
  int code_;
};

// Compiled text, reusable with addCode while the engine lives.
class CompiledCode;

class Engine {
 public:
  Engine();
  ~Engine();
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  // --- settings
  // 0: none; default 10000 ms. Each call from the host (run, addCode, compile, eval, call)
  // has that long, compiling its text included.
  void setTimeout(std::chrono::milliseconds timeout);
  void setStackBudget(std::size_t bytes);               // machine stack a run may use
  void setMsgBoxHandler(
      std::function<Variant(const Variant& prompt, int buttons, const Variant& title)> handler);
  void setInputBoxHandler(std::function<Variant(const Variant& prompt, const Variant& title,
                                                const Variant& defaultText)> handler);
  // Objects for CreateObject beyond the library's; return nullptr for unknown names.
  void setObjectFactory(std::function<std::shared_ptr<Object>(std::string_view progId)> factory);
  RandomState& random();

  // --- state
  // A named object; with membersAsGlobals its members are global names too.
  void addObject(const std::string& name, std::shared_ptr<Object> object,
                 bool membersAsGlobals);
  // Compiles (or reuses) the text, declares its procedures, classes and variables and runs
  // its statements outside procedures.
  void addCode(std::string_view text);
  std::shared_ptr<const CompiledCode> compile(std::string_view text);
  // Compiles text as the rest of the program that earlier begins, for a host that keeps one
  // part compiled and adds the other many times: earlier's Option Explicit holds in text, and
  // text may not declare again a name that earlier declares (1041 Name redefined).
  std::shared_ptr<const CompiledCode> compile(std::string_view text,
                                              const std::shared_ptr<const CompiledCode>& earlier);
  void addCode(const std::shared_ptr<const CompiledCode>& code);
  // Runs statements at global level (same as addCode, without caching).
  void run(std::string_view text);
  void executeStatement(std::string_view text) { run(text); }
  Variant eval(std::string_view expression);
  // Calls a global Sub or Function; arguments are passed ByRef, so the procedure may change
  // them. Throws ScriptException 35 "Sub or Function not defined" for an unknown name.
  Variant call(std::string_view procedure, std::span<Variant> args = {});
  bool hasProcedure(std::string_view name);
  // Drops all code, variables and named objects (objects still referenced elsewhere live on).
  // Refused (logic_error) while a script of this engine is running.
  void reset();
  bool running() const { return running_ > 0; }

  // While one lives, the time-out clock of the running script stands still: the host opens
  // a modal box or window, or runs another script, and that time is not the script's.
  // MsgBox and InputBox pause it by themselves. Pauses nest.
  class ClockPause {
   public:
    explicit ClockPause(Engine& engine);
    ~ClockPause();
    ClockPause(const ClockPause&) = delete;
    ClockPause& operator=(const ClockPause&) = delete;

   private:
    std::shared_ptr<detail::Runtime> rt_;
  };

 private:
  template <typename F>
  auto guarded(const std::shared_ptr<const ast::Unit>& unit, F&& body) -> decltype(body());
  std::shared_ptr<const ast::Unit> compileUnit(
      std::string_view text, bool useCache,
      const std::shared_ptr<const ast::Unit>& earlier = nullptr);
  [[noreturn]] void report(const std::exception_ptr& error,
                           const std::shared_ptr<const ast::Unit>& unit);

  std::shared_ptr<detail::Runtime> rt_;
  struct CacheEntry;
  std::vector<std::shared_ptr<CacheEntry>> cache_;  // most recent first
  int running_ = 0;
};

}  // namespace vbs
