// Intrinsics: the functions that belong to the engine rather than the library — Err, Eval,
// Execute, ExecuteGlobal and GetRef.
#include <utility>

#include "vbscript/Lexer.h"
#include "vbscript/Parser.h"
#include "vbscript/Resolver.h"
#include "vbscript/Runtime.h"
#include "vbscript/ScriptObject.h"

namespace vbs::detail {

using namespace ast;

namespace {

// What GetRef gives: an object whose default member calls the procedure.
class ProcedureRef : public Object {
 public:
  ProcedureRef(std::weak_ptr<Runtime> rt, const ProcDef* proc, std::shared_ptr<const Unit> unit)
      : runtime_(std::move(rt)), proc_(proc), unit_(std::move(unit)) {}

  std::string typeName() const override { return "Object"; }
  int memberId(std::string_view) override { return kUnknownMember; }
  Variant invoke(int memberId, InvokeKind kind, std::span<Variant> args) override {
    if (memberId != kDefaultMember || kind == InvokeKind::Let || kind == InvokeKind::Set) {
      throw VbError(err::kObjectDoesntSupport);
    }
    auto rt = runtime_.lock();
    if (!rt) throw VbError(err::kObjectDoesntSupport);
    Runtime::Entry entry(*rt);
    std::vector<Variant*> refs;
    for (Variant& a : args) refs.push_back(&a);
    return rt->callProc(*proc_, nullptr, refs);
  }

 private:
  std::weak_ptr<Runtime> runtime_;
  const ProcDef* proc_;
  std::shared_ptr<const Unit> unit_;
};

}  // namespace

Variant Runtime::callIntrinsic(Intrinsic which, const std::vector<ExprPtr>* args, Frame& f) {
  const std::size_t n = args ? args->size() : 0;
  auto text = [&]() -> std::string {
    if (n != 1 || !(*args)[0]) throw VbError(450);
    return eval(*(*args)[0], f).resolved().toString();
  };
  switch (which) {
    case Intrinsic::Err:
      if (n != 0) throw VbError(450);
      return Variant::fromObject(errObject_);
    case Intrinsic::Eval: return evalText(text(), f);
    case Intrinsic::Execute:
      executeText(text(), f, f.proc->kind == ProcKind::Main && !f.outer && !f.me);
      return Variant();
    case Intrinsic::ExecuteGlobal:
      executeText(text(), f, true);
      return Variant();
    case Intrinsic::GetRef: return getRef(text());
    case Intrinsic::Randomize: throw VbError(err::kTypeMismatch);
  }
  return Variant();
}

Variant Runtime::evalText(const std::string& text, Frame& f) {
  auto unit = std::make_shared<Unit>();
  unit->source = text;
  // Generated text may be huge: compiling it counts toward the time-out like running it.
  const CompilePoll poll = [this] { checkDeadline(); };
  ExprPtr e = ParseExpression(text, poll);
  ResolveScope scope;
  scope.poll = poll;
  scope.outerProc = f.proc;
  scope.cls = f.me ? &f.me->cls() : nullptr;
  scope.isKnownGlobal = [this](std::string_view name) { return isKnownGlobal(name); };
  ResolveExpression(*e, *unit, scope);
  const std::size_t n = static_cast<std::size_t>(unit->main.localCount);
  std::vector<Variant> store(n);
  std::vector<Variant*> slots(n);
  for (std::size_t i = 0; i < n; ++i) slots[i] = &store[i];
  Frame frame;
  frame.proc = &unit->main;
  frame.slots = slots.data();
  frame.outer = &f;
  frame.me = f.me;
  return eval(*e, frame);
}

void Runtime::executeText(const std::string& text, Frame& f, bool global) {
  const CompilePoll poll = [this] { checkDeadline(); };
  auto unit = std::shared_ptr<Unit>(ParseProgram(text, poll));
  unit->source = text;
  ResolveScope scope;
  scope.poll = poll;
  if (!global) {
    scope.outerProc = f.proc;
    scope.cls = f.me ? &f.me->cls() : nullptr;
  }
  scope.isKnownGlobal = [this](std::string_view name) { return isKnownGlobal(name); };
  ResolveUnit(*unit, scope);
  if (global) {
    load(unit);
    return;
  }
  // Its procedures and classes become the engine's; its statements run in the caller's scope.
  load(std::const_pointer_cast<const Unit>(unit), &f, f.me);
}

Variant Runtime::getRef(const std::string& name) {
  const int index = findGlobalByName(name);
  if (index < 0 || global(index).kind != GlobalKind::Procedure) throw VbError(err::kInvalidCall);
  const Global& g = global(index);
  return Variant::fromObject(std::make_shared<ProcedureRef>(weak_from_this(), g.proc, g.unit));
}

}  // namespace vbs::detail
