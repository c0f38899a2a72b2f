// Runtime: the state of one running engine and the tree-walking interpreter over it.
// Internal to the engine; the host sees Engine (Engine.h).
//
// Compiled form: the parser's tree, annotated once by the resolver (Resolver.h) with where
// every name lives: a slot of the frame (locals, arguments, a Function's result, With
// subjects), a field or member index of Me's class, a built-in, or a global entry found
// through a per-node cache that is checked against generation_ (no name is looked up by
// text while that cache holds). A slot-annotated tree rather than bytecode or closures,
// because the error places (line and column of the statement or part that failed), On Error
// Resume Next's resumption rules and Execute/Eval's view of the caller's slots all hang on
// the tree's nodes; a second representation would have to carry and keep all of that in
// step. The per-step costs are kept off instead: values are a tagged union whose numbers
// are copied as bytes (Variant.h); Integer, Long and Double operators and comparisons take
// a short path (FastBinary, Eval.cpp); a call keeps its locals and argument temporaries on
// the machine stack, constructing only as many as it has; variables whose cache is current
// are read and assigned in place; and the clock is looked at once every 1,024 steps (tick)
// or after bulk work (spend), not at every step.
//
// Invariants:
//  - Globals live in a deque, so a reference to one stays valid while others are added;
//    globalIndex_ maps folded names to them, and generation_ grows whenever that map changes
//    (the Name nodes' caches compare against it). generation_ never repeats, even across
//    reset, and the units whose caches hold it belong to this runtime alone.
//  - A Frame's slots point at its own storage or, for ByRef parameters, at the caller's
//    variable; whatever such a pointer reaches is kept alive and in place for the call (arrays
//    whose element is passed ByRef are locked against ReDim and Erase meanwhile).
//  - Errors are VbError exceptions; the first statement that sees one records its place
//    (errorPlace_) unless On Error Resume Next handles it. Time-out and WScript.Quit unwind as
//    ScriptAbort, which On Error Resume Next does not catch.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "vbscript/Ast.h"
#include "vbscript/Builtins.h"
#include "vbscript/Object.h"
#include "vbscript/Variant.h"
#include "vbscript/VbError.h"

namespace vbs {

class ScriptObject;

namespace detail {

// Ends a run without being an error a script could handle.
struct ScriptAbort {
  enum class Reason { TimedOut, Quit } reason;
  int exitCode = 0;
};

// An error raised by Err.Raise or by compiling Execute's text: carries its own source.
class SourcedError : public VbError {
 public:
  SourcedError(int number, std::string description, std::string source)
      : VbError(number, std::move(description)), source_(std::move(source)) {}
  const std::string& source() const { return source_; }

 private:
  std::string source_;
};


// The array of Dim name(uppers): fixed when it has bounds, dynamic and empty for name().
std::shared_ptr<VariantArray> NewDimArray(const std::vector<std::int32_t>& uppers);

// A constant compared with a value of the other kind (number against text) takes that
// value's kind first; `value` is the constant's value, changed in place when it applies.
bool IsConstantExpr(const ast::Expr& e);
void MatchConstant(const ast::Expr& constant, const Variant& other, Variant& value);

inline constexpr const char* kRuntimeSource = "Microsoft VBScript runtime error";
inline constexpr const char* kCompileSource = "Microsoft VBScript compilation error";

enum class GlobalKind : unsigned char { Variable, Constant, Procedure, Class, NamedObject, HostMember };

struct Global {
  std::string name;
  GlobalKind kind = GlobalKind::Variable;
  Variant value;                              // Variable, Constant, NamedObject
  const ast::ProcDef* proc = nullptr;         // Procedure
  const ast::ClassDecl* cls = nullptr;        // Class
  std::shared_ptr<const ast::Unit> unit;      // keeps proc and cls alive
  std::shared_ptr<Object> host;               // HostMember: the object whose member it is
  int memberId = -1;
};

class Runtime;

// Names that Execute defined inside a procedure call: like the call's own locals they are
// seen by that call (and by Execute and Eval code run in it) and end with it. Each lives in
// the runtime's global table at an index no global name maps to.
struct DynamicScope {
  Runtime& rt;
  std::unordered_map<std::string, int> names;  // folded name -> index in the global table
  explicit DynamicScope(Runtime& runtime);
  ~DynamicScope();
  DynamicScope(const DynamicScope&) = delete;
  DynamicScope& operator=(const DynamicScope&) = delete;
};

struct Frame {
  const ast::ProcDef* proc = nullptr;
  Variant** slots = nullptr;
  Frame* outer = nullptr;           // the frame whose locals Execute and Eval code sees
  ScriptObject* me = nullptr;       // kept alive by the caller
  bool resumeNext = false;
  std::unique_ptr<DynamicScope> dynamic;  // made by the first Execute that defines a name
};

enum class Flow : unsigned char { Normal, ExitDo, ExitFor, ExitProc };

// Variants in place, of which only the first count are constructed, so that a call with few
// arguments or locals pays for those alone. They go in reverse order, as an array's would.
template <std::size_t N>
class InlineVariants {
 public:
  InlineVariants() = default;
  InlineVariants(const InlineVariants&) = delete;
  InlineVariants& operator=(const InlineVariants&) = delete;
  ~InlineVariants() {
    while (count_ > 0) data()[--count_].~Variant();
  }
  Variant* construct(std::size_t count) {
    for (; count_ < count; ++count_) new (&data()[count_]) Variant();
    return data();
  }

 private:
  Variant* data() { return reinterpret_cast<Variant*>(bytes_); }
  alignas(Variant) unsigned char bytes_[N * sizeof(Variant)];
  std::size_t count_ = 0;
};

// The subscripts of an array access: up to four without an allocation.
class Subscripts {
 public:
  void push_back(std::int32_t value) {
    if (count_ < kInline) {
      inline_[count_++] = value;
      return;
    }
    if (more_.empty()) more_.assign(inline_, inline_ + kInline);
    more_.push_back(value);
    ++count_;
  }
  std::span<const std::int32_t> span() const {
    if (count_ <= kInline) return {inline_, count_};
    return more_;
  }

 private:
  static constexpr std::size_t kInline = 4;
  std::int32_t inline_[kInline];
  std::size_t count_ = 0;
  std::vector<std::int32_t> more_;
};

// Where each argument of a call lives: ByRef arguments point at the caller's variables, the
// others at temporaries held here. Small calls need no allocation.
class ArgPack {
 public:
  static constexpr std::size_t kInline = 6;
  explicit ArgPack(std::size_t count);
  ArgPack(const ArgPack&) = delete;
  ArgPack& operator=(const ArgPack&) = delete;
  ~ArgPack();

  std::size_t size() const { return count_; }
  Variant& temp(std::size_t i) { return temps_[i]; }
  Variant*& ref(std::size_t i) { return refs_[i]; }
  std::span<Variant*> refs() { return {refs_, count_}; }
  // Keeps an array in place while one of its elements is passed ByRef.
  void lock(std::shared_ptr<VariantArray> array);
  // The values in order (for host objects, which take a span of values).
  std::span<Variant> valuesForHost();

 private:
  InlineVariants<kInline> inlineTemps_;  // first: its values go last, after the locks
  std::size_t count_;
  Variant* inlineRefs_[kInline];
  std::unique_ptr<Variant[]> heapTemps_;
  std::unique_ptr<Variant*[]> heapRefs_;
  Variant* temps_;
  Variant** refs_;
  std::vector<std::shared_ptr<VariantArray>> locked_;
  std::vector<std::shared_ptr<void>> keep_;
};

struct ErrState {
  int number = 0;
  std::string description;
  std::string source;
  std::string helpFile;
  int helpContext = 0;
  void clear() { *this = ErrState{}; }
};

struct ErrorPlace {
  bool set = false;
  const ast::Unit* unit = nullptr;
  int line = 0;
  int column = 0;
};

struct HostCallbacks {
  std::function<Variant(const Variant& prompt, int buttons, const Variant& title)> msgBox;
  std::function<Variant(const Variant& prompt, const Variant& title, const Variant& def)>
      inputBox;
  std::function<std::shared_ptr<Object>(std::string_view progId)> createObject;
};

class Runtime : public BuiltinHost, public std::enable_shared_from_this<Runtime> {
 public:
  Runtime();
  ~Runtime() override;

  // --- host side (RuntimeGlobals.cpp)
  HostCallbacks callbacks;
  std::chrono::milliseconds timeout{10000};
  std::size_t stackBudget = 3 * 1024 * 1024;  // bytes of machine stack a run may use

  void clear();  // drops every global, named object and the Err state
  void addNamedObject(const std::string& name, std::shared_ptr<Object> object,
                      bool membersAsGlobals);
  // Declares the unit's procedures, classes, variables and constants and runs its statements.
  // With outer inside a procedure call (Execute there), the unit's names go to that call's
  // scope instead of the global table.
  void load(const std::shared_ptr<const ast::Unit>& unit, Frame* outer = nullptr,
            ScriptObject* me = nullptr);
  int findGlobalByName(std::string_view name);  // -1 when none
  Global& global(int index) { return globals_[static_cast<std::size_t>(index)]; }
  bool isKnownGlobal(std::string_view name) const;

  // Entry and exit of a host call: sets the deadline and the stack base on the outermost one.
  class Entry {
   public:
    explicit Entry(Runtime& rt);
    ~Entry();
    Entry(const Entry&) = delete;
    Entry& operator=(const Entry&) = delete;

   private:
    Runtime& rt_;
  };
  // Time between pauseClock and the matching resumeClock does not count toward the time-out.
  void pauseClock();
  void resumeClock();
  const ErrorPlace& errorPlace() const { return errorPlace_; }
  void clearErrorPlace() { errorPlace_ = {}; }
  ErrState& err() { return *err_; }

  // --- BuiltinHost
  Variant msgBox(const Variant& prompt, int buttons, const Variant& title) override;
  Variant inputBox(const Variant& prompt, const Variant& title, const Variant& def) override;
  RandomState& random() override { return random_; }
  std::shared_ptr<Object> createObject(std::string_view progId) override;
  void checkTime() override { checkDeadline(); }

  // --- execution
  Flow execBlock(const ast::Block& block, Frame& f);
  Variant eval(const ast::Expr& e, Frame& f);
  // Calls a script procedure; me may be null. args.size() must match its parameters.
  Variant callProc(const ast::ProcDef& proc, ScriptObject* me, std::span<Variant*> args,
                   Frame* outer = nullptr);
  // Runs a unit's statements in a frame of their own.
  void runMain(const ast::Unit& unit, Frame* outer, ScriptObject* me);
  // Invokes a script object's member, ByRef arguments through refs.
  Variant invokeScript(ScriptObject& obj, int memberIndex, InvokeKind kind,
                       std::span<Variant*> args, bool allowPrivate);
  // Class_Terminate and freeing without deep recursion (ScriptObject.cpp).
  void releaseInstance(std::shared_ptr<struct InstanceData> data);
  // Remembers an instance or a created object that may hold script values, so that the
  // engine can let go of what it holds when the engine goes (ObjectRegistry.cpp).
  void track(const std::shared_ptr<struct InstanceData>& data);
  void track(const std::shared_ptr<Object>& object);

  // Eval and Execute of a text, in the scope of frame f.
  Variant evalText(const std::string& text, Frame& f);
  void executeText(const std::string& text, Frame& f, bool global);

  void tick() {
    if ((++ticks_ & 0x3FF) == 0) checkDeadline();
  }
  // Work that one step may do in bulk (bytes of text built, elements copied) brings the next
  // look at the clock nearer, so that a loop of heavy statements cannot run far past the
  // time-out between two of tick's looks.
  void spend(std::size_t units) {
    work_ += units;
    if (work_ >= kWorkBetweenClockChecks) {
      work_ = 0;
      checkDeadline();
    }
  }
  [[noreturn]] void raise(int number) { throw VbError(number); }
  // checkDeadline as a callable, for work done in slices (TextSlices.h).
  const std::function<void()> poll_ = [this] { checkDeadline(); };

 private:
  friend class CallGuard;
  // statements (Exec.cpp)
  Flow execStmt(const ast::Stmt& s, Frame& f);
  Flow execIf(const ast::Stmt& s, Frame& f);
  Flow execFor(const ast::Stmt& s, Frame& f);
  Flow execForEach(const ast::Stmt& s, Frame& f);
  Flow execDo(const ast::Stmt& s, Frame& f);
  Flow execSelect(const ast::Stmt& s, Frame& f);
  Flow bodyAfterFailedHeader(const ast::Stmt& s, Frame& f);
  void execReDim(const ast::Stmt& s, Frame& f);
  void execDim(const ast::Stmt& s, Frame& f);
  void execErase(const ast::Stmt& s, Frame& f);
  bool handleError(const VbError& e, const ast::Stmt& s, Frame& f);
  // An error in a part of a compound statement (a condition, a Case value, a loop bound) is
  // reported at that part, which may stand on a later line than the statement's start.
  void notePlace(const ast::Expr& part, Frame& f);
  bool appendInPlace(const ast::Stmt& s, Frame& f);
  bool condition(const ast::Expr& e, Frame& f);

  // expressions and variables (Eval.cpp)
  // The value of e: read in place for a literal or a variable, else computed into temp.
  const Variant& evalRef(const ast::Expr& e, Frame& f, Variant& temp) {
    if (e.kind == ast::ExprKind::Name && e.bind == ast::Bind::Local) return *f.slots[e.slot];
    if (e.kind == ast::ExprKind::Literal) return e.value;
    if (e.kind == ast::ExprKind::Name) {
      if (Global* g = cachedVariable(e)) return g->value;
    }
    return evalRefSlow(e, f, temp);
  }
  const Variant& evalRefSlow(const ast::Expr& e, Frame& f, Variant& temp);
  // The global variable a Global name stands for when the name's cache is current and no
  // Execute scope could hide it; null when that takes the general way (globalOf).
  Global* cachedVariable(const ast::Expr& e) const {
    if (e.bind != ast::Bind::Global || dynamicScopes_ > 0 ||
        e.globalCache.generation != generation_ || !e.globalCache.entry) {
      return nullptr;
    }
    auto* g = static_cast<Global*>(e.globalCache.entry);
    return g->kind == GlobalKind::Variable ? g : nullptr;
  }
  Variant evalName(const ast::Expr& e, Frame& f);
  Variant evalBinary(const ast::Expr& e, Frame& f);
  Variant evalNew(const ast::Expr& e, Frame& f);
  // The variable a Name stands for, or null when it names no variable (a procedure, a host
  // member, ...). create: make an implicit global for an unknown name at top level.
  Variant* variableOf(const ast::Expr& e, Frame& f, bool create);
  int globalOf(const ast::Expr& e, Frame& f);
  // The implicit local behind a Global name that no global answers: a slot of f, or of the
  // frame that ran Execute or Eval when the name is that frame's implicit local.
  Variant* implicitLocal(const ast::Expr& e, Frame& f);
  // The procedure call whose scope Execute code run in f defines names in; null at top level.
  static Frame* scopeOwner(Frame& f);
  // A name Execute defined in the scope of f's procedure call; -1 when none.
  int dynamicOf(std::string_view name, Frame& f);
  // Declares a name in the scope of owner's call (a new variable, procedure or class).
  Global& declareDynamic(Frame& owner, Global g);
  friend struct DynamicScope;
  void assign(const ast::Expr& target, Variant value, bool isSet, Frame& f);
  void assignName(const ast::Expr& target, Variant value, bool isSet, Frame& f);
  static void storeInto(Variant& slot, Variant value, bool /*isSet*/) {
    Variant old = std::exchange(slot, std::move(value));
    // old goes here, after the slot holds its new value: a Class_Terminate it starts sees
    // the assignment done.
  }
  Variant* elementOf(const ast::Expr& call, Frame& f, std::shared_ptr<VariantArray>* owner);

  // calls (Invoke.cpp)
  Variant evalCall(const ast::Expr& call, Frame& f, InvokeKind kind);
  Variant callName(const ast::Expr& call, const ast::Expr& callee, Frame& f, InvokeKind kind);
  Variant invokeMemberExpr(const ast::Expr& member, const std::vector<ast::ExprPtr>* args,
                           Frame& f, InvokeKind kind, Variant* value);
  Variant invokeObject(const std::shared_ptr<Object>& obj, const ast::Expr* site,
                       const std::vector<ast::ExprPtr>* args, Frame& f, InvokeKind kind,
                       Variant* value, int memberId);
  Variant indexValue(const Variant& value, const std::vector<ast::ExprPtr>& args, Frame& f,
                     InvokeKind kind);
  Variant callBuiltin(const BuiltinInfo& b, const std::vector<ast::ExprPtr>* args, Frame& f);
  void evalArgs(const std::vector<ast::ExprPtr>& args, const ast::ProcDef* target,
                ArgPack& pack, Frame& f);
  Variant callGlobalProc(const Global& g, const std::vector<ast::ExprPtr>* args, Frame& f);
  Variant objectOf(const ast::Expr& e, Frame& f);  // the object a member access starts from
  Subscripts indices(const std::vector<ast::ExprPtr>& args, Frame& f);

  // engine functions (Intrinsics.cpp)
  Variant callIntrinsic(ast::Intrinsic which, const std::vector<ast::ExprPtr>* args, Frame& f);
  Variant getRef(const std::string& name);

  void checkDeadline();
  void checkStack();

  std::deque<Global> globals_;
  std::unordered_map<std::string, int> globalIndex_;
  struct NamedObject {
    std::string name;
    std::shared_ptr<Object> object;
    bool membersAsGlobals;
  };
  std::vector<NamedObject> namedObjects_;
  std::vector<std::shared_ptr<const ast::Unit>> units_;  // loaded, kept for their procedures
  std::uint64_t generation_;
  std::shared_ptr<ErrState> err_;
  std::shared_ptr<Object> errObject_;
  ErrorPlace errorPlace_;
  RandomState random_;
  std::uint32_t ticks_ = 0;
  static constexpr std::size_t kWorkBetweenClockChecks = std::size_t{1} << 18;
  std::size_t work_ = 0;
  std::chrono::steady_clock::time_point deadline_;
  int entryDepth_ = 0;
  int dynamicScopes_ = 0;  // DynamicScope objects alive: lookups skip them while 0
  int pauseDepth_ = 0;
  std::chrono::steady_clock::time_point pausedAt_;
  const char* stackBase_ = nullptr;
  int callDepth_ = 0;
  // Instances waiting for Class_Terminate and release, so that freeing a long chain of
  // objects is a loop rather than a recursion.
  std::vector<std::shared_ptr<struct InstanceData>> pendingRelease_;
  bool releasing_ = false;
  // Every instance and created object still alive (and some gone, until the next pruning).
  // Objects holding each other (a Dictionary holding itself, two instances naming each
  // other) are never freed by counting references; when the engine goes, what they hold
  // is let go, so that they go with it.
  std::vector<std::weak_ptr<struct InstanceData>> trackedInstances_;
  std::vector<std::weak_ptr<Object>> trackedObjects_;
  std::size_t pruneTrackedAt_ = 1024;
  void pruneTracked();
  void letGoOfHeldValues();
};

}  // namespace detail
}  // namespace vbs
