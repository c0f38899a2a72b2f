// Exec: the statements. Each statement of a block runs under the block's error handling:
// an error is noted with the statement's place and either ends the block (and the procedure)
// or, under On Error Resume Next, goes into Err and the next statement runs.
#include <cstdint>
#include <utility>

#include "vbscript/CompileError.h"
#include "vbscript/Lexer.h"
#include "vbscript/Operators.h"
#include "vbscript/OperatorsDetail.h"
#include "vbscript/Runtime.h"
#include "vbscript/ScriptObject.h"
#include "vbscript/VariantArray.h"

namespace vbs::detail {

using namespace ast;

std::shared_ptr<VariantArray> NewDimArray(const std::vector<std::int32_t>& uppers) {
  if (uppers.empty()) return VariantArray::unallocated();
  std::int64_t count = 1;
  for (const std::int32_t upper : uppers) {
    if (upper < -1) throw VbError(err::kSubscriptOutOfRange);
    count *= static_cast<std::int64_t>(upper) + 1;
    if (count > kMaxArrayElements) throw VbError(err::kOutOfMemory);
  }
  auto array = VariantArray::withUpperBounds(uppers);
  array->setFixed(true);
  return array;
}

Flow Runtime::execBlock(const Block& block, Frame& f) {
  for (const auto& sp : block) {
    const Stmt& s = *sp;
    try {
      const Flow flow = execStmt(s, f);
      if (flow != Flow::Normal) return flow;
    } catch (const VbError& e) {
      if (!handleError(e, s, f)) throw;
    } catch (const ScriptAbort&) {
      if (!errorPlace_.set) errorPlace_ = {true, f.proc->unit, s.line, s.column};
      throw;
    }
  }
  return Flow::Normal;
}

// Notes where an error happened; under On Error Resume Next it goes into Err instead.
bool Runtime::handleError(const VbError& e, const Stmt& s, Frame& f) {
  if (!errorPlace_.set) errorPlace_ = {true, f.proc->unit, s.line, s.column};
  if (!f.resumeNext) return false;
  ErrState& state = *err_;
  state.number = e.number();
  state.description = e.description();
  if (const auto* sourced = dynamic_cast<const SourcedError*>(&e)) {
    state.source = sourced->source();
  } else if (dynamic_cast<const CompileError*>(&e)) {
    state.source = kCompileSource;
  } else {
    state.source = kRuntimeSource;
  }
  // Only Err.Raise names a help topic; the engine's own errors have none.
  if (!dynamic_cast<const SourcedError*>(&e)) {
    state.helpFile.clear();
    state.helpContext = 0;
  }
  errorPlace_ = {};
  return true;
}

// Operators and calls carry the place of their operator or "("; the part is reported where
// its text starts, at its leftmost operand.
void Runtime::notePlace(const Expr& part, Frame& f) {
  if (errorPlace_.set) return;
  const Expr* start = &part;
  while ((start->kind == ExprKind::Binary || start->kind == ExprKind::Call ||
          (start->kind == ExprKind::Member && start->target)) &&
         start->target) {
    start = start->target.get();
  }
  errorPlace_ = {true, f.proc->unit, start->line, start->column};
}

bool Runtime::condition(const Expr& e, Frame& f) {
  Variant temp;
  const Variant& v = evalRef(e, f, temp);
  switch (v.type()) {
    case VarType::Boolean: return v.rawInt() != 0;
    case VarType::Null:
    case VarType::Empty: return false;
    default: return v.resolved().toBool();
  }
}

Flow Runtime::execStmt(const Stmt& s, Frame& f) {
  switch (s.kind) {
    case StmtKind::Assign: {
      if (appendInPlace(s, f)) return Flow::Normal;
      Variant value = eval(*s.value, f);
      const Expr& target = *s.target;
      // A plain value into a local: what assign does, without its general dispatch.
      if (target.kind == ExprKind::Name && !value.isObject() && !value.isArray()) {
        if (target.bind == Bind::Local) {
          storeInto(*f.slots[target.slot], std::move(value), false);
          return Flow::Normal;
        }
        if (Global* g = cachedVariable(target)) {
          storeInto(g->value, std::move(value), false);
          return Flow::Normal;
        }
      }
      assign(target, std::move(value), false, f);
      return Flow::Normal;
    }
    case StmtKind::Set: {
      Variant value = eval(*s.value, f);
      if (!value.isObject()) throw VbError(err::kObjectRequired);
      assign(*s.target, std::move(value), true, f);
      return Flow::Normal;
    }
    case StmtKind::Call:
      evalCall(*s.target, f, InvokeKind::Call);
      return Flow::Normal;
    case StmtKind::ReDim: execReDim(s, f); return Flow::Normal;
    case StmtKind::Dim: execDim(s, f); return Flow::Normal;
    case StmtKind::Erase: execErase(s, f); return Flow::Normal;
    case StmtKind::If: return execIf(s, f);
    case StmtKind::Select: return execSelect(s, f);
    case StmtKind::For: return execFor(s, f);
    case StmtKind::ForEach: return execForEach(s, f);
    case StmtKind::Do:
    case StmtKind::While: return execDo(s, f);
    case StmtKind::Exit:
      switch (s.exitKind) {
        case ExitKind::Do: return Flow::ExitDo;
        case ExitKind::For: return Flow::ExitFor;
        default: return Flow::ExitProc;
      }
    case StmtKind::With: {
      try {
        *f.slots[s.slot] = eval(*s.value, f);
      } catch (const VbError& e) {
        if (!handleError(e, s, f)) throw;
        *f.slots[s.slot] = Variant();  // resumed: the body runs without a subject
      }
      const Flow flow = execBlock(s.body, f);
      *f.slots[s.slot] = Variant();
      return flow;
    }
    case StmtKind::OnErrorResumeNext:
      f.resumeNext = true;
      err_->clear();
      return Flow::Normal;
    case StmtKind::OnErrorGoTo0:
      f.resumeNext = false;
      err_->clear();
      return Flow::Normal;
    case StmtKind::Nop:
      return Flow::Normal;
  }
  return Flow::Normal;
}

// s = s & a & b ...: appends to the variable's own text instead of copying it once per
// operator, which makes building a long string linear rather than quadratic. Taken only when
// every appended operand is a literal or a plain variable other than s, so nothing can see
// the text half-built; anything else goes the general way.
bool Runtime::appendInPlace(const Stmt& s, Frame& f) {
  const Expr& target = *s.target;
  if (target.kind != ExprKind::Name || s.value->kind != ExprKind::Binary ||
      s.value->binOp != BinOp::Concat) {
    return false;
  }
  const Expr* leftmost = s.value.get();
  const Expr* operands[16];
  std::size_t count = 0;
  while (leftmost->kind == ExprKind::Binary && leftmost->binOp == BinOp::Concat) {
    if (count == std::size(operands)) return false;
    operands[count++] = leftmost->right.get();
    leftmost = leftmost->target.get();
  }
  if (leftmost->kind != ExprKind::Name || leftmost->bind != target.bind ||
      leftmost->slot != target.slot || !NamesEqual(leftmost->name, target.name)) {
    return false;
  }
  Variant* var = variableOf(target, f, false);
  if (!var || !var->isString()) return false;
  const Variant* values[16];
  for (std::size_t i = 0; i < count; ++i) {
    const Expr& e = *operands[i];
    if (e.kind == ExprKind::Literal) {
      values[i] = &e.value;
    } else if (e.kind == ExprKind::Name && !NamesEqual(e.name, target.name)) {
      values[i] = variableOf(e, f, false);
      if (!values[i]) return false;
    } else {
      return false;
    }
    const VarType t = values[i]->type();
    if (t == VarType::Object || t == VarType::Array || t == VarType::Error) return false;
  }
  std::string pieces;
  for (std::size_t i = count; i-- > 0;) {
    const Variant& v = *values[i];
    if (v.isNull()) continue;
    if (v.isString()) AppendText(pieces, v.rawString(), poll_);
    else pieces += v.toString();
  }
  std::string& text = var->mutableString();
  CheckStringSize(text.size() + pieces.size());
  AppendText(text, pieces, poll_);
  spend(pieces.size());
  return true;
}

// Under On Error Resume Next a failing condition lets the statement after it run, which is
// the first statement of its branch, as VBScript does.
Flow Runtime::execIf(const Stmt& s, Frame& f) {
  for (const IfArm& arm : s.arms) {
    bool taken = true;
    if (arm.cond) {
      try {
        taken = condition(*arm.cond, f);
      } catch (const VbError& e) {
        notePlace(*arm.cond, f);
        if (!handleError(e, s, f)) throw;
        taken = true;
      }
    }
    if (taken) return execBlock(arm.body, f);
  }
  return Flow::Normal;
}

// Under On Error Resume Next a failing subject runs no Case (execution resumes after End
// Select), and a failing Case test runs that Case's statements, as the Windows engine does.
Flow Runtime::execSelect(const Stmt& s, Frame& f) {
  Variant subject;
  try {
    subject = eval(*s.value, f);
  } catch (const VbError& e) {
    notePlace(*s.value, f);
    if (!handleError(e, s, f)) throw;
    return Flow::Normal;
  }
  const bool subjectConstant = IsConstantExpr(*s.value);
  for (const CaseArm& arm : s.cases) {
    bool match = arm.isElse;
    for (const auto& v : arm.values) {
      try {
        Variant value = eval(*v, f);
        if (!subjectConstant) MatchConstant(*v, subject, value);
        const Variant r = ops::Equal(subject, value);
        match = r.isBoolean() && r.rawInt() != 0;
      } catch (const VbError& e) {
        notePlace(*v, f);
        if (!handleError(e, s, f)) throw;
        match = true;
      }
      if (match) break;
    }
    if (match) return execBlock(arm.body, f);
  }
  return Flow::Normal;
}

// A loop whose header failed under On Error Resume Next: execution resumes with the first
// statement of the body, which runs once; the loop then ends. A For or For Each that reaches
// its Next so finds no loop to go on with, and Next raises 92 "For loop not initialized"
// (451 "Object not a collection" for For Each).
Flow Runtime::bodyAfterFailedHeader(const Stmt& s, Frame& f) {
  const Flow flow = execBlock(s.body, f);
  if (s.kind == StmtKind::For || s.kind == StmtKind::ForEach) {
    if (flow == Flow::Normal) throw VbError(s.kind == StmtKind::For ? 92 : 451);
    if (flow == Flow::ExitFor) return Flow::Normal;
  }
  if (flow == Flow::ExitDo && s.kind == StmtKind::Do) return Flow::Normal;
  return flow;
}

namespace {

Variant LoopNumber(Variant v) {
  v = v.resolved();
  if (v.isNumberType() || v.isDate()) return v;
  if (v.isNull()) throw VbError(err::kInvalidUseOfNull);
  if (v.isEmpty()) return Variant::fromInteger(0);
  if (v.isBoolean()) return Variant::fromInteger(static_cast<std::int16_t>(v.rawInt()));
  return Variant::fromDouble(v.toDouble());
}

bool IsWhole(const Variant& v) {
  return v.type() == VarType::Integer || v.type() == VarType::Long || v.type() == VarType::Byte;
}

}  // namespace

// For counter = start To limit [Step step]: limit and step are read once; the counter is read
// back each round, so the body may change it.
Flow Runtime::execFor(const Stmt& s, Frame& f) {
  Variant limit, step;
  const Expr* part = s.value.get();
  try {
    const Variant start = LoopNumber(eval(*part, f));
    part = s.limit.get();
    limit = LoopNumber(eval(*part, f));
    part = s.step ? s.step.get() : s.target.get();
    step = s.step ? LoopNumber(eval(*part, f)) : Variant::fromInteger(1);
    part = s.target.get();
    assign(*part, start, false, f);
  } catch (const VbError& e) {
    notePlace(*part, f);
    if (!handleError(e, s, f)) throw;
    return bodyAfterFailedHeader(s, f);
  }
  const bool up = Compare(step, Variant::fromInteger(0)).value_or(0) >= 0;
  const bool whole = IsWhole(limit) && IsWhole(step);
  Variant* counter = variableOf(*s.target, f, true);
  for (;;) {
    tick();
    Variant temp;
    const Variant& cur = counter ? *counter : (temp = eval(*s.target, f));
    if (whole && IsWhole(cur)) {
      if (up ? cur.rawInt() > limit.rawInt() : cur.rawInt() < limit.rawInt()) break;
    } else {
      const int c = Compare(LoopNumber(cur), limit).value_or(0);
      if (up ? c > 0 : c < 0) break;
    }
    const Flow flow = execBlock(s.body, f);
    if (flow == Flow::ExitFor) break;
    if (flow != Flow::Normal) return flow;
    Variant now = counter ? *counter : eval(*s.target, f);
    if (whole && IsWhole(now)) {
      const std::int64_t next = now.rawInt() + step.rawInt();
      if (now.type() == VarType::Integer && step.type() == VarType::Integer &&
          next >= INT16_MIN && next <= INT16_MAX) {
        now = Variant::fromInteger(static_cast<std::int16_t>(next));
      } else if (next >= INT32_MIN && next <= INT32_MAX) {
        now = Variant::fromLong(static_cast<std::int32_t>(next));
      } else {
        now = Variant::fromDouble(static_cast<double>(next));
      }
    } else {
      now = ops::Add(now, step);
    }
    if (counter) *counter = std::move(now);
    else assign(*s.target, std::move(now), false, f);
  }
  return Flow::Normal;
}

// An object's elements are taken when the loop starts. A loop that runs to its end leaves the
// element variable Empty; Exit For leaves the element it stopped at.
Flow Runtime::execForEach(const Stmt& s, Frame& f) {
  std::shared_ptr<VariantArray> array;
  std::vector<Variant> elements;
  try {
    const Variant collection = eval(*s.value, f);
    if (collection.isArray()) {
      array = collection.array();
    } else if (collection.isObject()) {
      if (!collection.object()) throw VbError(err::kObjectRequired);
      if (!collection.object()->enumerate(elements)) throw VbError(451);
    } else {
      throw VbError(451);
    }
  } catch (const VbError& e) {
    notePlace(*s.value, f);
    if (!handleError(e, s, f)) throw;
    return bodyAfterFailedHeader(s, f);
  }
  auto run = [&](const Variant& element) -> std::optional<Flow> {
    tick();
    assign(*s.target, element, element.isObject(), f);
    const Flow flow = execBlock(s.body, f);
    if (flow == Flow::ExitFor) return Flow::Normal;
    if (flow != Flow::Normal) return flow;
    return std::nullopt;
  };
  if (array) {
    for (std::size_t i = 0; i < array->size(); ++i) {
      const Variant element = array->elements()[i];
      if (auto flow = run(element)) return *flow;
    }
  } else {
    for (const Variant& element : elements) {
      if (auto flow = run(element)) return *flow;
    }
  }
  assign(*s.target, Variant(), false, f);
  return Flow::Normal;
}

// A condition that fails under On Error Resume Next: at the top of the loop the body runs
// once more and the loop ends; at the bottom the loop ends.
Flow Runtime::execDo(const Stmt& s, Frame& f) {
  const DoKind kind = s.kind == StmtKind::While ? DoKind::PreWhile : s.doKind;
  auto test = [&](bool& failed) {
    try {
      return condition(*s.cond, f);
    } catch (const VbError& e) {
      notePlace(*s.cond, f);
      if (!handleError(e, s, f)) throw;
      failed = true;
      return false;
    }
  };
  for (;;) {
    tick();
    bool failed = false;
    if (kind == DoKind::PreWhile || kind == DoKind::PreUntil) {
      const bool value = test(failed);
      if (failed) return bodyAfterFailedHeader(s, f);
      if (value != (kind == DoKind::PreWhile)) break;
    }
    const Flow flow = execBlock(s.body, f);
    if (flow == Flow::ExitDo && s.kind == StmtKind::Do) break;
    if (flow != Flow::Normal) return flow;
    if (kind == DoKind::PostWhile || kind == DoKind::PostUntil) {
      const bool value = test(failed);
      if (failed || value != (kind == DoKind::PostWhile)) break;
    }
  }
  return Flow::Normal;
}

// Dim name(uppers) makes its array when it runs. Run again (in a loop), it keeps the array
// the variable already holds, elements and all.
void Runtime::execDim(const Stmt& s, Frame& f) {
  Variant* var = variableOf(*s.target, f, true);
  if (!var) throw VbError(err::kTypeMismatch);
  if (!var->isArray()) *var = Variant::fromArray(NewDimArray(s.uppers));
}

void Runtime::execReDim(const Stmt& s, Frame& f) {
  // A fixed array is refused before the bounds are read (ReDim f("x") on one raises 10).
  if (const Variant* held = variableOf(*s.target, f, false);
      held && held->isArray() && held->array()->isFixed()) {
    throw VbError(err::kArrayFixedOrLocked);
  }
  std::vector<ArrayBound> bounds;
  std::int64_t count = 1;
  for (const auto& e : s.exprs) {
    const std::int32_t upper = eval(*e, f).resolved().toLong();
    if (upper < -1) throw VbError(err::kSubscriptOutOfRange);
    bounds.push_back({0, upper});
    count *= static_cast<std::int64_t>(upper) + 1;
    if (count > kMaxArrayElements) throw VbError(err::kOutOfMemory);
  }
  Variant* var = variableOf(*s.target, f, true);
  if (!var) throw VbError(err::kTypeMismatch);
  if (var->isArray()) {
    const auto& array = var->array();
    if (array->isFixed()) throw VbError(err::kArrayFixedOrLocked);
    if (s.preserve) {
      array->redim(std::move(bounds), true);
      return;
    }
  }
  *var = Variant::fromArray(std::make_shared<VariantArray>(std::move(bounds)));
}

void Runtime::execErase(const Stmt& s, Frame& f) {
  Variant* var = variableOf(*s.target, f, false);
  if (!var || !var->isArray()) throw VbError(err::kTypeMismatch);
  const auto array = var->array();
  if (array->isFixed()) {
    for (Variant& v : array->elements()) v = Variant();
    return;
  }
  *var = Variant::fromArray(VariantArray::unallocated());
}

}  // namespace vbs::detail
