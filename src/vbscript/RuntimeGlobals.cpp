// RuntimeGlobals: the global table, named objects, loading units, host callbacks, and the
// guards of a run (deadline, machine stack).
#include <utility>

#include "vbscript/ErrObject.h"
#include "vbscript/Lexer.h"
#include "vbscript/LibraryObjects.h"
#include "vbscript/Runtime.h"
#include "vbscript/ScriptObject.h"
#include "vbscript/VariantArray.h"

namespace vbs::detail {

ArgPack::ArgPack(std::size_t count) : count_(count) {
  if (count <= kInline) {
    temps_ = inlineTemps_.construct(count);
    refs_ = inlineRefs_;
  } else {
    heapTemps_ = std::make_unique<Variant[]>(count);
    heapRefs_ = std::make_unique<Variant*[]>(count);
    temps_ = heapTemps_.get();
    refs_ = heapRefs_.get();
  }
  for (std::size_t i = 0; i < count; ++i) refs_[i] = &temps_[i];
}

ArgPack::~ArgPack() {
  for (auto& array : locked_) array->setFixed(false);
}

void ArgPack::lock(std::shared_ptr<VariantArray> array) {
  // A fixed array is already safe from ReDim; only dynamic ones need the temporary lock.
  if (array->isFixed()) {
    keep_.push_back(std::move(array));
    return;
  }
  array->setFixed(true);
  locked_.push_back(std::move(array));
}

std::span<Variant> ArgPack::valuesForHost() {
  for (std::size_t i = 0; i < count_; ++i) {
    if (refs_[i] != &temps_[i]) temps_[i] = *refs_[i];
  }
  return {temps_, count_};
}

Runtime::Runtime()
    : generation_(1), err_(std::make_shared<ErrState>()), errObject_(std::make_shared<ErrObject>(err_)) {}

Runtime::~Runtime() { letGoOfHeldValues(); }

void Runtime::clear() {
  // Objects may run Class_Terminate while they go; do it while the tables are still whole,
  // and take them apart from a moved-out copy so the code that runs sees an empty engine.
  std::deque<Global> old;
  old.swap(globals_);
  globalIndex_.clear();
  ++generation_;
  std::vector<NamedObject> oldObjects;
  oldObjects.swap(namedObjects_);
  for (auto& g : old) g.value = Variant();
  old.clear();
  oldObjects.clear();
  globals_.clear();
  globalIndex_.clear();
  namedObjects_.clear();
  units_.clear();
  ++generation_;
  err_->clear();
  errorPlace_ = {};
}

int Runtime::findGlobalByName(std::string_view name) {
  const std::string key = FoldCase(name);
  if (auto it = globalIndex_.find(key); it != globalIndex_.end()) return it->second;
  // Members of objects added with their members as globals: the latest object first.
  for (auto it = namedObjects_.rbegin(); it != namedObjects_.rend(); ++it) {
    if (!it->membersAsGlobals) continue;
    const int id = it->object->memberId(name);
    if (id == Object::kUnknownMember) continue;
    Global g;
    g.name = std::string(name);
    g.kind = GlobalKind::HostMember;
    g.host = it->object;
    g.memberId = id;
    globals_.push_back(std::move(g));
    const int index = static_cast<int>(globals_.size()) - 1;
    globalIndex_[key] = index;  // a new entry only; cached misses of this name were misses of
                                // the objects too, so no generation change is needed
    return index;
  }
  return -1;
}

bool Runtime::isKnownGlobal(std::string_view name) const {
  if (globalIndex_.count(FoldCase(name))) return true;
  for (const auto& o : namedObjects_) {
    if (NamesEqual(o.name, name)) return true;
  }
  return false;
}

void Runtime::addNamedObject(const std::string& name, std::shared_ptr<Object> object,
                             bool membersAsGlobals) {
  Global g;
  g.name = name;
  g.kind = GlobalKind::NamedObject;
  g.value = Variant::fromObject(object);
  globals_.push_back(std::move(g));
  globalIndex_[FoldCase(name)] = static_cast<int>(globals_.size()) - 1;
  namedObjects_.push_back({name, std::move(object), membersAsGlobals});
  ++generation_;
}

DynamicScope::DynamicScope(Runtime& runtime) : rt(runtime) { ++rt.dynamicScopes_; }

DynamicScope::~DynamicScope() {
  --rt.dynamicScopes_;
  // The entries stay in the table (indexes must not move) but hold nothing any more.
  for (const auto& [name, index] : names) {
    if (index < static_cast<int>(rt.globals_.size())) {
      Global& g = rt.globals_[static_cast<std::size_t>(index)];
      Variant old = std::move(g.value);
      g = Global{};
    }
  }
}

Frame* Runtime::scopeOwner(Frame& f) {
  Frame* p = &f;
  while (p && p->proc && p->proc->kind == ast::ProcKind::Main && p->outer) p = p->outer;
  if (!p || !p->proc || p->proc->kind == ast::ProcKind::Main) return nullptr;
  return p;
}

int Runtime::dynamicOf(std::string_view name, Frame& f) {
  Frame* owner = scopeOwner(f);
  if (!owner || !owner->dynamic) return -1;
  const auto it = owner->dynamic->names.find(FoldCase(name));
  return it == owner->dynamic->names.end() ? -1 : it->second;
}

Global& Runtime::declareDynamic(Frame& owner, Global g) {
  if (!owner.dynamic) owner.dynamic = std::make_unique<DynamicScope>(*this);
  const std::string key = FoldCase(g.name);
  auto& names = owner.dynamic->names;
  if (auto it = names.find(key); it != names.end()) {
    Global& old = globals_[static_cast<std::size_t>(it->second)];
    // Declaring an existing variable again keeps its value; anything else replaces it.
    if (!(g.kind == GlobalKind::Variable && old.kind == GlobalKind::Variable)) old = std::move(g);
    return old;
  }
  globals_.push_back(std::move(g));
  names[key] = static_cast<int>(globals_.size()) - 1;
  return globals_.back();
}

void Runtime::load(const std::shared_ptr<const ast::Unit>& unit, Frame* outer, ScriptObject* me) {
  Frame* owner = outer ? scopeOwner(*outer) : nullptr;
  auto put = [&](Global g) {
    if (owner) {
      declareDynamic(*owner, std::move(g));
      return;
    }
    const std::string key = FoldCase(g.name);
    if (auto it = globalIndex_.find(key); it != globalIndex_.end()) {
      Global& old = globals_[static_cast<std::size_t>(it->second)];
      // Declaring an existing variable again keeps its value; anything else replaces it.
      if (g.kind == GlobalKind::Variable && old.kind == GlobalKind::Variable) return;
      old = std::move(g);
      return;
    }
    globals_.push_back(std::move(g));
    globalIndex_[key] = static_cast<int>(globals_.size()) - 1;
  };
  for (const auto& d : unit->globals) {
    Global g;
    g.name = d.name;  // an array comes when its Dim statement runs
    put(std::move(g));
  }
  for (const auto& c : unit->consts) {
    Global g;
    g.name = c.name;
    g.kind = GlobalKind::Constant;
    g.value = c.value;
    put(std::move(g));
  }
  for (const auto& p : unit->procs) {
    Global g;
    g.name = p->name;
    g.kind = GlobalKind::Procedure;
    g.proc = p.get();
    g.unit = unit;
    put(std::move(g));
  }
  for (const auto& c : unit->classes) {
    Global g;
    g.name = c->name;
    g.kind = GlobalKind::Class;
    g.cls = c.get();
    g.unit = unit;
    put(std::move(g));
  }
  ++generation_;
  units_.push_back(unit);
  runMain(*unit, outer, me);
}

Runtime::Entry::Entry(Runtime& rt) : rt_(rt) {
  if (rt_.entryDepth_++ == 0) {
    char here = 0;
    rt_.stackBase_ = &here;
    rt_.deadline_ = std::chrono::steady_clock::now() + rt_.timeout;
    rt_.errorPlace_ = {};
    rt_.callDepth_ = 0;
  }
}

Runtime::Entry::~Entry() {
  if (--rt_.entryDepth_ == 0) rt_.stackBase_ = nullptr;
}

void Runtime::pauseClock() {
  if (pauseDepth_++ == 0) pausedAt_ = std::chrono::steady_clock::now();
}

void Runtime::resumeClock() {
  if (pauseDepth_ == 0) return;
  if (--pauseDepth_ == 0) deadline_ += std::chrono::steady_clock::now() - pausedAt_;
}

// A box the script opened belongs to the player's time, not the script's.
struct ClockPauseScope {
  explicit ClockPauseScope(Runtime& rt) : rt(rt) { rt.pauseClock(); }
  ~ClockPauseScope() { rt.resumeClock(); }
  Runtime& rt;
};

void Runtime::checkDeadline() {
  if (entryDepth_ > 0 && pauseDepth_ == 0 && timeout.count() > 0 &&
      std::chrono::steady_clock::now() > deadline_) {
    throw ScriptAbort{ScriptAbort::Reason::TimedOut, 0};
  }
}

void Runtime::checkStack() {
  char here = 0;
  if (stackBase_ == nullptr) return;
  const auto used = stackBase_ > &here ? static_cast<std::size_t>(stackBase_ - &here)
                                       : static_cast<std::size_t>(&here - stackBase_);
  if (used > stackBudget) throw VbError(err::kOutOfStackSpace);
}

Variant Runtime::msgBox(const Variant& prompt, int buttons, const Variant& title) {
  if (callbacks.msgBox) {
    ClockPauseScope pause(*this);
    return callbacks.msgBox(prompt, buttons, title);
  }
  return Variant::fromInteger(1);  // vbOK: no one to ask
}

Variant Runtime::inputBox(const Variant& prompt, const Variant& title, const Variant& def) {
  if (callbacks.inputBox) {
    ClockPauseScope pause(*this);
    return callbacks.inputBox(prompt, title, def);
  }
  return Variant();  // cancelled
}

std::shared_ptr<Object> Runtime::createObject(std::string_view progId) {
  if (callbacks.createObject) {
    if (auto object = callbacks.createObject(progId)) return object;
  }
  auto object = CreateLibraryObject(progId, weak_from_this());
  if (object) track(object);
  return object;
}

}  // namespace vbs::detail
