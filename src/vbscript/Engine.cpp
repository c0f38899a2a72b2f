// Engine: the host API over the runtime; compiles with a small cache and turns every failure
// into a ScriptException.
#include "vbscript/Engine.h"

#include <functional>
#include <new>
#include <stdexcept>
#include <utility>

#include "vbscript/CompileError.h"
#include "vbscript/Parser.h"
#include "vbscript/Resolver.h"
#include "vbscript/Runtime.h"

namespace vbs {

namespace {
constexpr std::size_t kCacheSize = 8;
// HRESULT_FROM_WIN32(ERROR_TIMEOUT): the number a host sees for a script stopped at its time-out.
constexpr int kTimeoutNumber = static_cast<int>(0x800705B4u);

std::string LineOf(std::string_view text, int line) {
  int current = 1;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size() && current < line; ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
      ++current;
      start = i + 1;
    }
  }
  if (current != line) return {};
  std::size_t end = start;
  while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
  return std::string(text.substr(start, end - start));
}
}  // namespace

ScriptException::ScriptException(ScriptError error)
    : std::runtime_error(error.description), error_(std::move(error)) {}

class CompiledCode {
 public:
  explicit CompiledCode(std::shared_ptr<const ast::Unit> unit) : unit(std::move(unit)) {}
  std::shared_ptr<const ast::Unit> unit;
};

struct Engine::CacheEntry {
  std::size_t hash;
  std::shared_ptr<const ast::Unit> unit;
  std::shared_ptr<const ast::Unit> earlier;  // the part it continues, if any
};

Engine::Engine() : rt_(std::make_shared<detail::Runtime>()) {}

Engine::~Engine() {
  try {
    rt_->clear();  // Class_Terminate of objects still held runs while the engine is whole
  } catch (...) {
  }
}

void Engine::setTimeout(std::chrono::milliseconds timeout) { rt_->timeout = timeout; }
void Engine::setStackBudget(std::size_t bytes) { rt_->stackBudget = bytes; }
void Engine::setMsgBoxHandler(
    std::function<Variant(const Variant&, int, const Variant&)> handler) {
  rt_->callbacks.msgBox = std::move(handler);
}
void Engine::setInputBoxHandler(
    std::function<Variant(const Variant&, const Variant&, const Variant&)> handler) {
  rt_->callbacks.inputBox = std::move(handler);
}
void Engine::setObjectFactory(std::function<std::shared_ptr<Object>(std::string_view)> factory) {
  rt_->callbacks.createObject = std::move(factory);
}
RandomState& Engine::random() { return rt_->random(); }

void Engine::addObject(const std::string& name, std::shared_ptr<Object> object,
                       bool membersAsGlobals) {
  if (!object) throw std::invalid_argument("addObject: no object");
  rt_->addNamedObject(name, std::move(object), membersAsGlobals);
}

std::shared_ptr<const ast::Unit> Engine::compileUnit(
    std::string_view text, bool useCache, const std::shared_ptr<const ast::Unit>& earlier) {
  const std::size_t hash = std::hash<std::string_view>{}(text);
  if (useCache) {
    for (std::size_t i = 0; i < cache_.size(); ++i) {
      if (cache_[i]->hash == hash && cache_[i]->earlier == earlier &&
          cache_[i]->unit->source == text) {
        auto entry = cache_[i];
        cache_.erase(cache_.begin() + static_cast<std::ptrdiff_t>(i));
        cache_.insert(cache_.begin(), entry);
        return entry->unit;
      }
    }
  }
  std::shared_ptr<const ast::Unit> unit;
  try {
    // The callers hold an Entry: a huge text ends at the time-out while it compiles.
    const CompilePoll poll = [rt = rt_.get()] { rt->checkTime(); };
    auto parsed = std::shared_ptr<ast::Unit>(ParseProgram(text, poll));
    parsed->source = std::string(text);
    ResolveScope scope;
    scope.isKnownGlobal = [rt = rt_.get()](std::string_view name) {
      return rt->isKnownGlobal(name);
    };
    scope.poll = poll;
    scope.earlier = earlier.get();
    ResolveUnit(*parsed, scope);
    unit = std::move(parsed);
  } catch (const detail::ScriptAbort&) {
    report(std::current_exception(), nullptr);
  } catch (const CompileError& e) {
    ScriptError error;
    error.number = e.number();
    error.description = e.description();
    error.source = detail::kCompileSource;
    error.line = e.line();
    error.column = e.column();
    error.lineText = LineOf(text, e.line());
    error.compileError = true;
    throw ScriptException(std::move(error));
  } catch (const VbError& e) {
    ScriptError error;
    error.number = e.number();
    error.description = e.description();
    error.source = detail::kCompileSource;
    error.compileError = true;
    throw ScriptException(std::move(error));
  }
  if (useCache) {
    cache_.insert(cache_.begin(), std::make_shared<CacheEntry>(CacheEntry{hash, unit, earlier}));
    if (cache_.size() > kCacheSize) cache_.pop_back();
  }
  return unit;
}

void Engine::report(const std::exception_ptr& failure,
                    const std::shared_ptr<const ast::Unit>& unit) {
  ScriptError error;
  error.source = detail::kRuntimeSource;
  try {
    std::rethrow_exception(failure);
  } catch (const ScriptException&) {
    throw;  // from a nested call of this engine: already in its final form
  } catch (const ScriptQuit&) {
    throw;
  } catch (const detail::ScriptAbort&) {
    error.number = kTimeoutNumber;
    error.description = "Script execution timed out";
    error.timedOut = true;
  } catch (const CompileError& e) {
    // Only Eval's own text gets here uncaught by a statement: its place is in that text.
    error.number = e.number();
    error.description = e.description();
    error.source = detail::kCompileSource;
    error.compileError = true;
    if (!rt_->errorPlace().set) {
      error.line = e.line();
      error.column = e.column();
      if (unit) error.lineText = LineOf(unit->source, e.line());
      throw ScriptException(std::move(error));
    }
  } catch (const VbError& e) {
    error.number = e.number();
    error.description = e.description();
    if (const auto* sourced = dynamic_cast<const detail::SourcedError*>(&e)) {
      error.source = sourced->source();
    }
  } catch (const std::bad_alloc&) {
    error.number = err::kOutOfMemory;
    error.description = std::string(StandardErrorText(err::kOutOfMemory));
  } catch (const std::length_error&) {
    error.number = err::kOutOfMemory;
    error.description = std::string(StandardErrorText(err::kOutOfMemory));
  } catch (const std::exception& e) {
    error.number = 51;
    error.description = std::string(StandardErrorText(51)) + ": " + e.what();
  }
  const detail::ErrorPlace& place = rt_->errorPlace();
  if (place.set) {
    error.line = place.line;
    error.column = place.column;
    if (place.unit) error.lineText = LineOf(place.unit->source, place.line);
  }
  rt_->clearErrorPlace();
  throw ScriptException(std::move(error));
}

template <typename F>
auto Engine::guarded(const std::shared_ptr<const ast::Unit>& unit, F&& body) -> decltype(body()) {
  detail::Runtime::Entry entry(*rt_);
  ++running_;
  try {
    if constexpr (std::is_void_v<decltype(body())>) {
      body();
      --running_;
    } else {
      auto result = body();
      --running_;
      return result;
    }
  } catch (...) {
    --running_;
    report(std::current_exception(), unit);
  }
}

// Compiling and running share one time-out: the Entry around both sets the deadline once.
void Engine::addCode(std::string_view text) {
  detail::Runtime::Entry entry(*rt_);
  auto unit = compileUnit(text, true);
  guarded(unit, [&] { rt_->load(unit); });
}

std::shared_ptr<const CompiledCode> Engine::compile(std::string_view text) {
  detail::Runtime::Entry entry(*rt_);
  return std::make_shared<CompiledCode>(compileUnit(text, true));
}

std::shared_ptr<const CompiledCode> Engine::compile(
    std::string_view text, const std::shared_ptr<const CompiledCode>& earlier) {
  detail::Runtime::Entry entry(*rt_);
  return std::make_shared<CompiledCode>(compileUnit(text, true, earlier ? earlier->unit : nullptr));
}

void Engine::addCode(const std::shared_ptr<const CompiledCode>& code) {
  guarded(code->unit, [&] { rt_->load(code->unit); });
}

void Engine::run(std::string_view text) {
  detail::Runtime::Entry entry(*rt_);
  auto unit = compileUnit(text, false);
  guarded(unit, [&] { rt_->load(unit); });
}

Variant Engine::eval(std::string_view expression) {
  auto top = std::make_shared<ast::Unit>();
  top->main.kind = ast::ProcKind::Main;
  top->source = std::string(expression);
  detail::Frame frame;
  frame.proc = &top->main;
  const std::string text(expression);
  return guarded(top, [&] { return rt_->evalText(text, frame); });
}

Variant Engine::call(std::string_view procedure, std::span<Variant> args) {
  const int index = rt_->findGlobalByName(procedure);
  if (index < 0 || rt_->global(index).kind != detail::GlobalKind::Procedure) {
    ScriptError error;
    error.number = 35;
    error.description = std::string(StandardErrorText(35));
    error.source = detail::kRuntimeSource;
    throw ScriptException(std::move(error));
  }
  const detail::Global& g = rt_->global(index);
  const ast::ProcDef* proc = g.proc;
  const auto unit = g.unit;
  std::vector<Variant*> refs;
  for (Variant& a : args) refs.push_back(&a);
  return guarded(unit, [&] { return rt_->callProc(*proc, nullptr, refs); });
}

bool Engine::hasProcedure(std::string_view name) {
  const int index = rt_->findGlobalByName(name);
  return index >= 0 && rt_->global(index).kind == detail::GlobalKind::Procedure;
}

Engine::ClockPause::ClockPause(Engine& engine) : rt_(engine.rt_) { rt_->pauseClock(); }
Engine::ClockPause::~ClockPause() { rt_->resumeClock(); }

void Engine::reset() {
  if (running_ > 0) throw std::logic_error("Engine::reset while a script runs");
  rt_->clear();
}

}  // namespace vbs
