// Resolver: see Resolver.h. One pass over each procedure, with the declarations of the
// procedure, its class and its unit known beforehand (VBScript hoists them all).
#include "vbscript/Resolver.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "vbscript/Builtins.h"
#include "vbscript/CompileError.h"
#include "vbscript/Lexer.h"

namespace vbs {

using namespace ast;

namespace {

struct IntrinsicName {
  std::string_view name;
  Intrinsic which;
};
constexpr IntrinsicName kIntrinsics[] = {
    {"err", Intrinsic::Err},         {"eval", Intrinsic::Eval},
    {"execute", Intrinsic::Execute}, {"executeglobal", Intrinsic::ExecuteGlobal},
    {"getref", Intrinsic::GetRef},
};

class Resolver {
 public:
  Resolver(Unit& unit, const ResolveScope& scope) : unit_(unit), scope_(scope) {}

  void unit() {
    declareUnitNames();
    for (auto& cls : unit_.classes) classDecl(*cls);
    for (auto& proc : unit_.procs) procedure(*proc, nullptr);
    procedure(unit_.main, scope_.cls);
  }

  void expressionIn(Expr& e, ProcDef& frame) {
    beginProcedure(frame, scope_.cls);
    expr(e, false);
  }

 private:
  void pollNow() {
    if ((++visited_ & 0xFFF) == 0 && scope_.poll) scope_.poll();
  }

  [[noreturn]] static void fail(int number, int line, int column) {
    throw CompileError(number, line, column);
  }

  void declareGlobal(const std::string& name, int line, int column) {
    if (!unitGlobals_.insert(FoldCase(name)).second) fail(cerr::kNameRedefined, line, column);
  }

  void declareUnitNames() {
    if (const Unit* earlier = scope_.earlier) {
      if (earlier->optionExplicit) unit_.optionExplicit = true;
      for (const auto& g : earlier->globals) unitGlobals_.insert(FoldCase(g.name));
      for (const auto& c : earlier->consts) {
        unitGlobals_.insert(FoldCase(c.name));
        unitConsts_[FoldCase(c.name)] = c.value;
      }
      for (const auto& p : earlier->procs) unitGlobals_.insert(FoldCase(p->name));
      for (const auto& c : earlier->classes) unitGlobals_.insert(FoldCase(c->name));
    }
    for (const auto& g : unit_.globals) declareGlobal(g.name, g.line, g.column);
    for (const auto& c : unit_.consts) {
      declareGlobal(c.name, c.line, c.column);
      unitConsts_[FoldCase(c.name)] = c.value;
    }
    // A procedure defined again in the same text replaces the earlier one (the later
    // definition is the one every call reaches); any other clash of names is an error.
    std::unordered_set<std::string> procNames;
    for (const auto& p : unit_.procs) {
      if (procNames.insert(FoldCase(p->name)).second) declareGlobal(p->name, p->line, p->column);
    }
    for (const auto& c : unit_.classes) declareGlobal(c->name, c->line, c->column);
  }

  void classDecl(ClassDecl& cls) {
    cls.unit = &unit_;
    for (std::size_t i = 0; i < cls.fields.size(); ++i) {
      const FieldDecl& f = cls.fields[i];
      const std::string key = FoldCase(f.name);
      if (cls.memberIndex.count(key)) fail(cerr::kNameRedefined, cls.line, cls.column);
      ClassMember m;
      m.name = f.name;
      m.isPublic = f.isPublic;
      m.field = static_cast<int>(i);
      cls.memberIndex[key] = static_cast<int>(cls.members.size());
      cls.members.push_back(std::move(m));
    }
    for (auto& p : cls.procs) {
      const std::string key = FoldCase(p->name);
      auto it = cls.memberIndex.find(key);
      if (it == cls.memberIndex.end()) {
        ClassMember m;
        m.name = p->name;
        m.isPublic = p->isPublic;
        it = cls.memberIndex.emplace(key, static_cast<int>(cls.members.size())).first;
        cls.members.push_back(std::move(m));
      }
      ClassMember& m = cls.members[static_cast<std::size_t>(it->second)];
      const ProcDef** place = nullptr;
      switch (p->kind) {
        case ProcKind::Sub:
        case ProcKind::Function:
          if (m.get || m.let || m.set) fail(cerr::kNameRedefined, p->line, p->column);
          place = &m.method;
          break;
        case ProcKind::PropertyGet: place = &m.get; break;
        case ProcKind::PropertyLet: place = &m.let; break;
        case ProcKind::PropertySet: place = &m.set; break;
        case ProcKind::Main: break;
      }
      if (m.field >= 0 || m.method || !place || *place) fail(cerr::kNameRedefined, p->line, p->column);
      *place = p.get();
      if (p->isPublic) m.isPublic = true;
      if (p->isDefault) {
        if (cls.defaultMember >= 0 && cls.defaultMember != it->second) {
          fail(cerr::kMultipleDefaults, p->line, p->column);
        }
        cls.defaultMember = it->second;
      }
      if (key == "class_initialize") cls.initialize = p.get();
      if (key == "class_terminate") cls.terminate = p.get();
    }
    for (auto& p : cls.procs) procedure(*p, &cls);
  }

  int newSlot(const std::string& name, bool implicit = false) {
    proc_->localNames.push_back(FoldCase(name));
    proc_->implicitSlots.push_back(implicit);
    return proc_->localCount++;
  }

  void beginProcedure(ProcDef& proc, const ClassDecl* cls) {
    proc_ = &proc;
    cls_ = cls;
    proc.owner = cls;
    proc.unit = &unit_;
    proc.explicitNames = unit_.optionExplicit;
    locals_.clear();
    implicit_.clear();
    consts_.clear();
    withSlots_.clear();
    resultName_.clear();
    // Execute and Eval code run inside a procedure keeps no implicit locals of its own: a name
    // it does not know is looked for when it runs and, when new, made in the procedure call's
    // scope, so that every later statement of the call finds that one variable.
    inProcedure_ = proc.kind != ProcKind::Main;
    if (proc.hasResult()) {
      resultName_ = FoldCase(proc.name);
      locals_[resultName_] = newSlot(proc.name);
    }
    for (const auto& p : proc.params) {
      if (!locals_.emplace(FoldCase(p.name), proc.localCount).second) {
        fail(cerr::kNameRedefined, proc.line, proc.column);
      }
      newSlot(p.name);
    }
    for (const auto& d : proc.dims) {
      if (d.fromReDim) continue;
      const std::string key = FoldCase(d.name);
      if (locals_.count(key) && key != resultName_) fail(cerr::kNameRedefined, d.line, d.column);
      locals_[key] = newSlot(d.name);
    }
    for (const auto& c : proc.consts) consts_[FoldCase(c.first)] = c.second;
  }

  void procedure(ProcDef& proc, const ClassDecl* cls) {
    beginProcedure(proc, cls);
    block(proc.body);
  }

  void block(Block& b) {
    for (auto& s : b) stmt(*s);
  }

  void stmt(Stmt& s) {
    pollNow();
    switch (s.kind) {
      case StmtKind::Assign:
      case StmtKind::Set:
        expr(*s.target, false);
        expr(*s.value, false);
        break;
      case StmtKind::Call:
        expr(*s.target, true);
        break;
      case StmtKind::ReDim:
        name(*s.target, false, true);
        for (auto& e : s.exprs) expr(*e, false);
        break;
      case StmtKind::Dim:
        name(*s.target, false, false);
        break;
      case StmtKind::Erase:
        name(*s.target, false, false);
        break;
      case StmtKind::If:
        for (auto& arm : s.arms) {
          if (arm.cond) expr(*arm.cond, false);
          block(arm.body);
        }
        break;
      case StmtKind::Select:
        expr(*s.value, false);
        for (auto& c : s.cases) {
          for (auto& v : c.values) expr(*v, false);
          block(c.body);
        }
        break;
      case StmtKind::For:
        name(*s.target, false, false);
        expr(*s.value, false);
        expr(*s.limit, false);
        if (s.step) expr(*s.step, false);
        block(s.body);
        break;
      case StmtKind::ForEach:
        name(*s.target, false, false);
        expr(*s.value, false);
        block(s.body);
        break;
      case StmtKind::Do:
      case StmtKind::While:
        if (s.cond) expr(*s.cond, false);
        block(s.body);
        break;
      case StmtKind::With:
        expr(*s.value, false);
        s.slot = newSlot("");
        withSlots_.push_back(s.slot);
        block(s.body);
        withSlots_.pop_back();
        break;
      case StmtKind::Exit:
      case StmtKind::OnErrorResumeNext:
      case StmtKind::OnErrorGoTo0:
      case StmtKind::Nop:
        break;
    }
  }

  // callee: the name is called (statement call, or with arguments), so a Function's own name
  // means the function rather than its result.
  void expr(Expr& e, bool callee) {
    pollNow();
    switch (e.kind) {
      case ExprKind::Literal:
      case ExprKind::New:
        break;
      case ExprKind::Me:
        if (!cls_) fail(cerr::kInvalidMe, e.line, e.column);
        break;
      case ExprKind::Name:
        if (e.bind == Bind::Unbound) name(e, callee, false);  // Randomize comes bound
        break;
      case ExprKind::Member:
        if (e.target) {
          expr(*e.target, false);
        } else {
          // -1 outside any With: the access raises 505 when it runs
          e.slot = withSlots_.empty() ? -1 : withSlots_.back();
        }
        break;
      case ExprKind::Call:
        expr(*e.target, true);
        for (auto& a : e.args) {
          if (a) expr(*a, false);
        }
        break;
      case ExprKind::Paren:  // (f)(x) calls f as f(x) does
        expr(*e.target, callee);
        break;
      case ExprKind::Unary:
        expr(*e.target, false);
        break;
      case ExprKind::Binary:
        expr(*e.target, false);
        expr(*e.right, false);
        break;
    }
  }

  void toLiteral(Expr& e, const Variant& value) {
    e.kind = ExprKind::Literal;
    e.value = value;
  }

  void name(Expr& e, bool callee, bool declareIfUnknown) {
    const std::string key = FoldCase(e.name);
    if (!(callee && key == resultName_)) {
      if (auto it = locals_.find(key); it != locals_.end()) {
        e.bind = Bind::Local;
        e.slot = it->second;
        return;
      }
    }
    if (auto it = implicit_.find(key); it != implicit_.end()) {
      e.bind = Bind::Global;
      e.slot = it->second;
      return;
    }
    if (auto it = consts_.find(key); it != consts_.end()) return toLiteral(e, it->second);
    // Only the statements of Execute and Eval code run in the caller's frame; its procedures
    // have frames of their own.
    if (scope_.outerProc && proc_ == &unit_.main) {
      const auto& names = scope_.outerProc->localNames;
      for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == key && !key.empty()) {
          e.slot = static_cast<int>(i);
          // The caller's implicit local stands behind a name as it does in the caller: a
          // variable its Execute code declared comes first.
          const bool implicit = scope_.outerProc->implicitSlots[i];
          e.bind = implicit ? Bind::Global : Bind::OuterLocal;
          e.outerSlot = implicit;
          return;
        }
      }
    }
    if (cls_) {
      if (auto it = cls_->memberIndex.find(key); it != cls_->memberIndex.end()) {
        const ClassMember& m = cls_->members[static_cast<std::size_t>(it->second)];
        e.bind = m.field >= 0 ? Bind::Field : Bind::ClassMember;
        e.slot = m.field >= 0 ? m.field : it->second;
        return;
      }
    }
    if (auto it = unitConsts_.find(key); it != unitConsts_.end()) return toLiteral(e, it->second);
    if (unitGlobals_.count(key)) {
      e.bind = Bind::Global;
      e.slot = -1;
      return;
    }
    const bool known = scope_.isKnownGlobal && scope_.isKnownGlobal(key);
    if (!known && !declareIfUnknown) {
      for (const auto& i : kIntrinsics) {
        if (i.name == key) {
          e.bind = Bind::Intrinsic;
          e.slot = static_cast<int>(i.which);
          return;
        }
      }
      if (const BuiltinInfo* b = FindBuiltin(key)) {
        e.bind = Bind::Builtin;
        e.builtin = b;
        return;
      }
      if (auto c = FindConstant(key)) return toLiteral(e, *c);
    }
    // A global found at run time; inside a procedure an implicit local stands behind it.
    e.bind = Bind::Global;
    e.slot = -1;
    if (inProcedure_) {
      if (declareIfUnknown && !known) {
        e.bind = Bind::Local;
        e.slot = newSlot(e.name);
        locals_[key] = e.slot;
        return;
      }
      e.slot = newSlot(e.name, true);
      implicit_[key] = e.slot;
    }
  }

  Unit& unit_;
  const ResolveScope& scope_;
  std::uint32_t visited_ = 0;  // statements and expressions seen, for pollNow
  std::unordered_set<std::string> unitGlobals_;
  std::unordered_map<std::string, Variant> unitConsts_;
  ProcDef* proc_ = nullptr;
  const ClassDecl* cls_ = nullptr;
  bool inProcedure_ = false;
  std::string resultName_;
  std::unordered_map<std::string, int> locals_;
  std::unordered_map<std::string, int> implicit_;
  std::unordered_map<std::string, Variant> consts_;
  std::vector<int> withSlots_;
};

}  // namespace

void ResolveUnit(Unit& unit, const ResolveScope& scope) { Resolver(unit, scope).unit(); }

void ResolveExpression(Expr& e, Unit& unit, const ResolveScope& scope) {
  unit.main.kind = ProcKind::Main;
  Resolver(unit, scope).expressionIn(e, unit.main);
}

}  // namespace vbs
