// Invoke: calls — script procedures, members of script and host objects, built-in functions,
// array indexing — and the passing of arguments (ByRef by default: a variable or an array
// element is passed as itself, anything else as a temporary).
#include <utility>

#include "vbscript/Runtime.h"
#include "vbscript/ScriptObject.h"
#include "vbscript/VariantArray.h"

namespace vbs::detail {

using namespace ast;

namespace {
constexpr int kMaxCallDepth = 2000;
constexpr std::size_t kInlineLocals = 8;

// The conversion functions give a value of a fixed type and nothing else: called as a
// statement (CInt 1, Call CLng(2)) the Windows engine converts, then refuses the value with 458.
bool IsConversion(const BuiltinInfo& b) {
  static constexpr std::string_view kNames[] = {"CBool", "CByte", "CCur", "CDate", "CDbl",
                                                "CInt",  "CLng",  "CSng", "CStr"};
  for (const std::string_view name : kNames) {
    if (b.name == name) return true;
  }
  return false;
}

// How much work a value stands for: the bytes of a text, the elements of an array.
std::size_t BulkOf(const Variant& v) {
  if (v.isString()) return v.rawString().size();
  if (v.isArray()) return v.array()->size();
  return 0;
}

}  // namespace

// Counts the nesting of script calls; 28 "Out of stack space" beyond the limits.
class CallGuard {
 public:
  explicit CallGuard(Runtime& rt) : rt_(rt) {
    if (++rt_.callDepth_ > kMaxCallDepth) {
      --rt_.callDepth_;
      throw VbError(err::kOutOfStackSpace);
    }
    try {
      rt_.checkStack();
    } catch (...) {
      --rt_.callDepth_;
      throw;
    }
  }
  ~CallGuard() { --rt_.callDepth_; }
  CallGuard(const CallGuard&) = delete;
  CallGuard& operator=(const CallGuard&) = delete;

 private:
  Runtime& rt_;
};

Variant Runtime::callProc(const ProcDef& proc, ScriptObject* me, std::span<Variant*> args,
                          Frame* outer) {
  if (args.size() != proc.params.size()) throw VbError(450);
  CallGuard guard(*this);
  tick();
  const std::size_t n = static_cast<std::size_t>(proc.localCount);
  InlineVariants<kInlineLocals> inlineStore;
  Variant* inlineSlots[kInlineLocals];
  std::unique_ptr<Variant[]> heapStore;
  std::unique_ptr<Variant*[]> heapSlots;
  Variant* store = nullptr;
  Variant** slots = inlineSlots;
  if (n <= kInlineLocals) {
    store = inlineStore.construct(n);
  } else {
    heapStore = std::make_unique<Variant[]>(n);
    heapSlots = std::make_unique<Variant*[]>(n);
    store = heapStore.get();
    slots = heapSlots.get();
  }
  for (std::size_t i = 0; i < n; ++i) slots[i] = &store[i];
  const std::size_t first = proc.hasResult() ? 1 : 0;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (proc.params[i].byVal) {
      store[first + i] = args[i]->deepCopy();
    } else {
      slots[first + i] = args[i];
    }
  }
  Frame frame;
  frame.proc = &proc;
  frame.slots = slots;
  frame.outer = outer;
  frame.me = me;
  execBlock(proc.body, frame);
  if (proc.hasResult()) return std::move(store[0]);
  return Variant();
}

void Runtime::runMain(const Unit& unit, Frame* outer, ScriptObject* me) {
  const ProcDef& main = unit.main;
  const std::size_t n = static_cast<std::size_t>(main.localCount);
  std::vector<Variant> store(n);
  std::vector<Variant*> slots(n);
  for (std::size_t i = 0; i < n; ++i) slots[i] = &store[i];
  Frame frame;
  frame.proc = &main;
  frame.slots = slots.data();
  frame.outer = outer;
  frame.me = me;
  execBlock(main.body, frame);
}

void Runtime::evalArgs(const std::vector<ExprPtr>& args, const ProcDef* target, ArgPack& pack,
                       Frame& f) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const Expr* a = args[i].get();
    if (!a) continue;
    const bool byRef = !target || (i < target->params.size() && !target->params[i].byVal);
    if (byRef) {
      if (a->kind == ExprKind::Name) {
        if (Variant* v = variableOf(*a, f, true)) {
          pack.ref(i) = v;
          continue;
        }
      } else if (a->kind == ExprKind::Call) {
        std::shared_ptr<VariantArray> owner;
        if (Variant* element = elementOf(*a, f, &owner)) {
          pack.lock(std::move(owner));
          pack.ref(i) = element;
          continue;
        }
      }
    }
    pack.temp(i) = eval(*a, f);
    // An array reached through an expression (f (arr), f(g())) is passed as a copy: the
    // callee's changes must not reach a variable the caller did not pass by reference.
    Variant& temp = pack.temp(i);
    if (byRef && temp.isArray() && temp.array().use_count() > 1) temp = temp.deepCopy();
  }
}

Variant Runtime::callGlobalProc(const Global& g, const std::vector<ExprPtr>* args, Frame& f) {
  const ProcDef& proc = *g.proc;
  const std::size_t n = args ? args->size() : 0;
  if (n != proc.params.size()) throw VbError(450);
  ArgPack pack(n);
  if (args) evalArgs(*args, &proc, pack, f);
  return callProc(proc, nullptr, pack.refs());
}

Variant Runtime::callBuiltin(const BuiltinInfo& b, const std::vector<ExprPtr>* args, Frame& f) {
  const std::size_t n = args ? args->size() : 0;
  if (static_cast<int>(n) < b.minArgs || static_cast<int>(n) > b.maxArgs) throw VbError(450);
  ArgPack pack(n);
  for (std::size_t i = 0; i < n; ++i) {
    pack.temp(i) = (*args)[i] ? eval(*(*args)[i], f) : Variant::fromError(kMissingArgument);
  }
  Variant result = b.function(*this, {&pack.temp(0), n});
  std::size_t work = BulkOf(result);
  for (std::size_t i = 0; i < n; ++i) work += BulkOf(pack.temp(i));
  spend(work);
  return result;
}

Variant Runtime::evalCall(const Expr& call, Frame& f, InvokeKind kind) {
  const Expr& callee = *call.target;
  switch (callee.kind) {
    case ExprKind::Name: return callName(call, callee, f, kind);
    case ExprKind::Member: return invokeMemberExpr(callee, &call.args, f, kind, nullptr);
    default: {
      // (f)(x) and ((f))(x) call f with x as f(x) does, x going by reference.
      const Expr* inner = &callee;
      while (inner->kind == ExprKind::Paren) inner = inner->target.get();
      if (inner->kind == ExprKind::Name) return callName(call, *inner, f, kind);
      const Variant value = eval(callee, f);
      return indexValue(value, call.args, f, kind);
    }
  }
}

Variant Runtime::callName(const Expr& call, const Expr& callee, Frame& f, InvokeKind kind) {
  switch (callee.bind) {
    case Bind::Local:
    case Bind::OuterLocal:
    case Bind::Field: {
      Variant* var = variableOf(callee, f, false);
      if (!var) throw VbError(err::kObjectRequired);
      return indexValue(*var, call.args, f, kind);
    }
    case Bind::ClassMember: {
      if (!f.me) throw VbError(err::kObjectRequired);
      const ClassMember& m = f.me->cls().members[static_cast<std::size_t>(callee.slot)];
      const ProcDef* target = m.method ? m.method : m.get;
      ArgPack pack(call.args.size());
      evalArgs(call.args, target, pack, f);
      return invokeScript(*f.me, callee.slot, kind, pack.refs(), true);
    }
    case Bind::Global: {
      const int index = globalOf(callee, f);
      if (index < 0) {
        if (callee.slot >= 0) {
          if (f.proc->explicitNames) throw VbError(err::kVariableUndefined);
          Variant& implicit = *implicitLocal(callee, f);
          // Nothing ever stored under the name: it names no procedure and no value, and
          // calling it fails as it does at top level (a misspelt procedure name).
          if (implicit.isEmpty() && (kind == InvokeKind::Call || call.parens)) {
            throw VbError(err::kTypeMismatch);
          }
          return indexValue(implicit, call.args, f, kind);
        }
        throw VbError(err::kTypeMismatch);  // an unknown procedure
      }
      const Global& g = global(index);
      switch (g.kind) {
        case GlobalKind::Procedure: return callGlobalProc(g, &call.args, f);
        case GlobalKind::Variable:
        case GlobalKind::Constant: {
          const Variant value = g.value;
          return indexValue(value, call.args, f, kind);
        }
        case GlobalKind::NamedObject: {
          const auto object = g.value.object();
          return invokeObject(object, &callee, &call.args, f, kind, nullptr,
                              call.args.empty() && kind == InvokeKind::Get && !call.parens
                                  ? Object::kUnknownMember
                                  : Object::kDefaultMember);
        }
        case GlobalKind::HostMember: {
          const auto host = g.host;
          return invokeObject(host, &callee, &call.args, f, kind, nullptr, g.memberId);
        }
        case GlobalKind::Class: throw VbError(err::kTypeMismatch);
      }
      return Variant();
    }
    case Bind::Builtin:
      if (kind == InvokeKind::Call && IsConversion(*callee.builtin)) {
        callBuiltin(*callee.builtin, &call.args, f);  // a failing conversion raises its own error
        throw VbError(458);
      }
      return callBuiltin(*callee.builtin, &call.args, f);
    case Bind::Intrinsic:
      return callIntrinsic(static_cast<Intrinsic>(callee.slot), &call.args, f);
    case Bind::Unbound: break;
  }
  throw VbError(err::kTypeMismatch);
}

// value(args): an element of an array, or the default member of an object.
Variant Runtime::indexValue(const Variant& value, const std::vector<ExprPtr>& args, Frame& f,
                            InvokeKind kind) {
  if (value.isArray()) {
    if (args.empty()) return value;
    const auto array = value.array();
    return array->at(indices(args, f).span());
  }
  if (value.isObject()) {
    if (!value.object()) throw VbError(err::kObjectVariableNotSet);
    if (args.empty() && kind == InvokeKind::Get) return value;
    const auto object = value.object();
    return invokeObject(object, nullptr, &args, f, kind, nullptr, Object::kDefaultMember);
  }
  if (args.empty()) return value;
  throw VbError(err::kTypeMismatch);
}

Variant Runtime::objectOf(const Expr& member, Frame& f) {
  if (!member.target) {
    if (member.slot < 0) throw VbError(505);  // .name outside any With block
    return *f.slots[member.slot];
  }
  return eval(*member.target, f);
}

Variant Runtime::invokeMemberExpr(const Expr& member, const std::vector<ExprPtr>* args, Frame& f,
                                  InvokeKind kind, Variant* value) {
  const Variant base = objectOf(member, f);
  if (!base.isObject() || !base.object()) throw VbError(err::kObjectRequired);
  return invokeObject(base.object(), &member, args, f, kind, value, -2);
}

// Invokes a member of an object: memberId -2 means the member named by site (looked up once
// per object kind and cached at the site); kUnknownMember means the object itself is wanted.
Variant Runtime::invokeObject(const std::shared_ptr<Object>& obj, const Expr* site,
                              const std::vector<ExprPtr>* args, Frame& f, InvokeKind kind,
                              Variant* value, int memberId) {
  if (memberId == Object::kUnknownMember) return Variant::fromObject(obj);
  const std::size_t n = args ? args->size() : 0;
  const std::size_t total = n + (value ? 1 : 0);
  if (ScriptObject* script = obj->asScript()) {
    const ClassDecl& cls = script->cls();
    const bool allowPrivate = f.me && &f.me->cls() == &cls;
    int index;
    if (memberId == -2) {
      MemberCache& cache = site->memberCache;
      if (cache.id >= 0 && cache.object.expired() && cache.cls == &cls &&
          cache.allowPrivate == allowPrivate) {
        index = cache.id;
      } else {
        index = script->findMember(site->name, allowPrivate);
        if (index < 0) throw VbError(err::kObjectDoesntSupport);
        cache.object.reset();
        cache.cls = &cls;
        cache.id = index;
        cache.allowPrivate = allowPrivate;
      }
    } else {
      index = memberId == Object::kDefaultMember ? cls.defaultMember : memberId - 1;
    }
    if (index < 0) throw VbError(err::kObjectDoesntSupport);
    const ClassMember& m = cls.members[static_cast<std::size_t>(index)];
    const ProcDef* target = m.method;
    if (!target) target = kind == InvokeKind::Let ? m.let : kind == InvokeKind::Set ? m.set : m.get;
    ArgPack pack(total);
    if (args) evalArgs(*args, target, pack, f);
    if (value) pack.temp(n) = std::move(*value);
    const auto keep = script->shared_from_this();
    return invokeScript(*script, index, kind, pack.refs(), allowPrivate);
  }
  int id = memberId;
  if (memberId == -2) {
    MemberCache& cache = site->memberCache;
    if (cache.id >= 0 && cache.cls == nullptr && !cache.object.owner_before(obj) &&
        !obj.owner_before(cache.object)) {
      id = cache.id;
    } else {
      id = obj->memberId(site->name);
      if (id == Object::kUnknownMember) throw VbError(err::kObjectDoesntSupport);
      cache.object = obj;
      cache.cls = nullptr;
      cache.id = id;
    }
  }
  ArgPack pack(total);
  if (args) {
    for (std::size_t i = 0; i < n; ++i) {
      // A skipped argument reaches a host object as automation passes it.
      pack.temp(i) = (*args)[i] ? eval(*(*args)[i], f) : Variant::fromError(kMissingArgument);
    }
  }
  if (value) pack.temp(n) = std::move(*value);
  Variant result = obj->invoke(id, kind, pack.valuesForHost());
  spend(BulkOf(result));
  return result;
}

Variant Runtime::invokeScript(ScriptObject& obj, int memberIndex, InvokeKind kind,
                              std::span<Variant*> args, bool allowPrivate) {
  const ClassDecl& cls = obj.cls();
  if (memberIndex < 0 || static_cast<std::size_t>(memberIndex) >= cls.members.size()) {
    throw VbError(err::kObjectDoesntSupport);
  }
  const ClassMember& m = cls.members[static_cast<std::size_t>(memberIndex)];
  if (!m.isPublic && !allowPrivate) throw VbError(err::kObjectDoesntSupport);
  const bool write = kind == InvokeKind::Let || kind == InvokeKind::Set;
  if (m.field >= 0) {
    Variant& field = obj.fields()[static_cast<std::size_t>(m.field)];
    if (!write) {
      if (args.empty()) return field;
      if (field.isArray()) {
        std::vector<std::int32_t> at;
        for (Variant* a : args) at.push_back(a->resolved().toLong());
        const auto array = field.array();
        return array->at(at);
      }
      if (field.isObject() && field.object()) {
        const auto object = field.object();
        std::vector<Variant> values;
        for (Variant* a : args) values.push_back(*a);
        return object->invoke(Object::kDefaultMember, kind, values);
      }
      throw VbError(err::kTypeMismatch);
    }
    if (args.empty()) throw VbError(450);
    Variant value = *args.back();
    if (kind == InvokeKind::Set && !value.isObject()) throw VbError(err::kObjectRequired);
    if (kind == InvokeKind::Let) {
      if (value.isObject()) value = value.resolved();
      if (value.isArray()) value = value.deepCopy();
    }
    if (args.size() == 1) {
      storeInto(field, std::move(value), kind == InvokeKind::Set);
      return Variant();
    }
    if (!field.isArray()) throw VbError(err::kTypeMismatch);
    std::vector<std::int32_t> at;
    for (std::size_t i = 0; i + 1 < args.size(); ++i) at.push_back(args[i]->resolved().toLong());
    const auto array = field.array();
    storeInto(array->at(at), std::move(value), kind == InvokeKind::Set);
    return Variant();
  }
  if (m.method) {
    if (write) throw VbError(err::kObjectDoesntSupport);
    return callProc(*m.method, &obj, args);
  }
  if (!write) {
    if (!m.get) throw VbError(err::kObjectDoesntSupport);
    if (m.get->params.empty() && !args.empty()) {
      // obj.Items(2): the property gives an array or object, which the arguments index.
      const Variant whole = callProc(*m.get, &obj, {});
      if (whole.isArray()) {
        std::vector<std::int32_t> at;
        for (Variant* a : args) at.push_back(a->resolved().toLong());
        return whole.array()->at(at);
      }
      if (whole.isObject() && whole.object()) {
        std::vector<Variant> values;
        for (Variant* a : args) values.push_back(*a);
        return whole.object()->invoke(Object::kDefaultMember, kind, values);
      }
      throw VbError(err::kTypeMismatch);
    }
    return callProc(*m.get, &obj, args);
  }
  const ProcDef* setter = kind == InvokeKind::Let ? m.let : m.set;
  if (!setter) throw VbError(err::kObjectDoesntSupport);
  if (kind == InvokeKind::Let && !args.empty()) {
    Variant& value = *args.back();
    if (value.isObject()) value = value.resolved();
  }
  return callProc(*setter, &obj, args);
}

}  // namespace vbs::detail
