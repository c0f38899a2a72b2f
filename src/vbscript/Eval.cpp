// Eval: expressions, names and assignment.
//
// Reading a variable gives its value as stored (an object stays an object); operators and
// Let assignment reduce objects to their default values. A Let assignment copies an array
// unless the value is a temporary nobody else holds, so arrays keep value semantics.
#include <cmath>
#include <cstdint>
#include <optional>
#include <utility>

#include "vbscript/Lexer.h"
#include "vbscript/Operators.h"
#include "vbscript/OperatorsDetail.h"
#include "vbscript/RegExpObject.h"
#include "vbscript/Runtime.h"
#include "vbscript/ScriptObject.h"
#include "vbscript/VariantArray.h"

namespace vbs::detail {

using namespace ast;

namespace {
bool IsPure(const Expr& e) { return e.kind == ExprKind::Literal || e.kind == ExprKind::Name; }
}  // namespace

Variant Runtime::eval(const Expr& e, Frame& f) {
  switch (e.kind) {
    case ExprKind::Literal: return e.value;
    case ExprKind::Name: return evalName(e, f);
    case ExprKind::Member: return invokeMemberExpr(e, nullptr, f, InvokeKind::Get, nullptr);
    case ExprKind::Call: return evalCall(e, f, InvokeKind::Get);
    case ExprKind::Paren: return eval(*e.target, f);
    case ExprKind::Unary: {
      Variant temp;
      const Variant& v = evalRef(*e.target, f, temp);
      switch (e.unOp) {
        case UnOp::Neg: return ops::Negate(v);
        case UnOp::Not: return ops::Not(v);
        case UnOp::Plus: return v;  // +o is o itself, not its default value
      }
      return v;
    }
    case ExprKind::Binary: return evalBinary(e, f);
    case ExprKind::New: return evalNew(e, f);
    case ExprKind::Me:
      if (!f.me) throw VbError(err::kObjectRequired);
      return Variant::fromObject(f.me->shared_from_this());
  }
  return Variant();
}

const Variant& Runtime::evalRefSlow(const Expr& e, Frame& f, Variant& temp) {
  if (e.kind == ExprKind::Literal) return e.value;
  if (e.kind == ExprKind::Name) {
    if (Variant* v = variableOf(e, f, false)) return *v;
  }
  temp = eval(e, f);
  return temp;
}

bool IsConstantExpr(const Expr& e) {
  if (e.kind == ExprKind::Literal) return true;
  return e.kind == ExprKind::Unary && e.unOp != UnOp::Not && e.target &&
         e.target->kind == ExprKind::Literal;
}

// n = 9 then n < "1" compares 9 with the number 1, and s = "10" then s < 9 compares the
// texts "10" and "9", as the Windows engine does. A text constant that is not a number
// leaves the comparison to the rule for two values (a number is less than any text).
void MatchConstant(const Expr& constant, const Variant& other, Variant& value) {
  if (!IsConstantExpr(constant)) return;
  if (value.isString() && other.isNumberType()) {
    if (const std::optional<double> number = ParseNumberText(value.rawString())) {
      value = Variant::fromDouble(*number);
    }
  } else if (value.isNumberType() && other.isString()) {
    value = Variant::fromString(value.toString());
  }
}

// A comparison of two texts of which one is huge, as the operator gives it, with looks at
// the clock while it compares; nullopt for every other comparison.
static std::optional<Variant> CompareHugeTexts(BinOp op, const Variant& a, const Variant& b,
                                               const std::function<void()>& poll) {
  if (!a.isString() || !b.isString() ||
      a.rawString().size() + b.rawString().size() < kTextSlice) {
    return std::nullopt;
  }
  const int order = CompareText(a.rawString(), b.rawString(), false, poll);
  switch (op) {
    case BinOp::Eq: return Variant::fromBool(order == 0);
    case BinOp::Ne: return Variant::fromBool(order != 0);
    case BinOp::Lt: return Variant::fromBool(order < 0);
    case BinOp::Gt: return Variant::fromBool(order > 0);
    case BinOp::Le: return Variant::fromBool(order <= 0);
    default: return Variant::fromBool(order >= 0);
  }
}

namespace {

bool IsComparison(BinOp op) {
  return op == BinOp::Eq || op == BinOp::Ne || op == BinOp::Lt || op == BinOp::Gt ||
         op == BinOp::Le || op == BinOp::Ge;
}

bool Compared(BinOp op, int order) {
  switch (op) {
    case BinOp::Eq: return order == 0;
    case BinOp::Ne: return order != 0;
    case BinOp::Lt: return order < 0;
    case BinOp::Gt: return order > 0;
    case BinOp::Le: return order <= 0;
    default: return order >= 0;
  }
}

// Integer and Long operands of + - * \ Mod and of the comparisons, and Double operands of
// + - * and the comparisons, the common steps of loops and counters, without the general
// operators' conversions. Gives the same values and subtypes as ops:: does; false leaves
// anything else (Byte, Boolean, Empty, texts, overflow to Double, division by zero) to them.
inline bool FastBinary(BinOp op, const Variant& a, const Variant& b, Variant& out) {
  const VarType ta = a.type(), tb = b.type();
  const bool wholeA = ta == VarType::Integer || ta == VarType::Long;
  const bool wholeB = tb == VarType::Integer || tb == VarType::Long;
  if (wholeA && wholeB) {
    const std::int64_t x = a.rawInt(), y = b.rawInt();
    const bool asLong = ta == VarType::Long || tb == VarType::Long;
    std::int64_t r;
    switch (op) {
      case BinOp::Add: r = x + y; break;
      case BinOp::Sub: r = x - y; break;
      case BinOp::Mul: r = x * y; break;
      case BinOp::Mod:
        if (y == 0) return false;
        r = x % y;
        break;
      case BinOp::IntDiv:
        if (y == 0) return false;
        r = x / y;
        break;
      default:
        if (!IsComparison(op)) return false;
        out = Variant::fromBool(Compared(op, x < y ? -1 : x > y ? 1 : 0));
        return true;
    }
    if (!asLong && r >= INT16_MIN && r <= INT16_MAX) {
      out = Variant::fromInteger(static_cast<std::int16_t>(r));
    } else if (r >= INT32_MIN && r <= INT32_MAX) {
      out = Variant::fromLong(static_cast<std::int32_t>(r));
    } else {
      return false;
    }
    return true;
  }
  const bool realA = ta == VarType::Double || wholeA;
  const bool realB = tb == VarType::Double || wholeB;
  if (!realA || !realB || (ta != VarType::Double && tb != VarType::Double)) return false;
  const double x = ta == VarType::Double ? a.rawDouble() : static_cast<double>(a.rawInt());
  const double y = tb == VarType::Double ? b.rawDouble() : static_cast<double>(b.rawInt());
  double r;
  switch (op) {
    case BinOp::Add: r = x + y; break;
    case BinOp::Sub: r = x - y; break;
    case BinOp::Mul: r = x * y; break;
    default:
      if (!IsComparison(op) || x != x || y != y) return false;
      out = Variant::fromBool(Compared(op, x < y ? -1 : x > y ? 1 : 0));
      return true;
  }
  if (!std::isfinite(r)) return false;
  out = Variant::fromDouble(r);
  return true;
}

}  // namespace

Variant Runtime::evalBinary(const Expr& e, Frame& f) {
  Variant leftTemp, rightTemp;
  // The left operand may be read in place only when the right one cannot change it.
  const Variant& a = IsPure(*e.right) ? evalRef(*e.target, f, leftTemp)
                                      : (leftTemp = eval(*e.target, f));
  const Variant& b = evalRef(*e.right, f, rightTemp);
  if (Variant fast; FastBinary(e.binOp, a, b, fast)) return fast;
  if (IsComparison(e.binOp)) {
    const bool leftConstant = IsConstantExpr(*e.target);
    const bool rightConstant = IsConstantExpr(*e.right);
    if (leftConstant != rightConstant) {
      Variant x = a;
      Variant y = b;
      if (leftConstant) {
        MatchConstant(*e.target, y, x);
      } else {
        MatchConstant(*e.right, x, y);
      }
      if (auto huge = CompareHugeTexts(e.binOp, x, y, poll_)) return *huge;
      switch (e.binOp) {
        case BinOp::Eq: return ops::Equal(x, y);
        case BinOp::Ne: return ops::NotEqual(x, y);
        case BinOp::Lt: return ops::Less(x, y);
        case BinOp::Gt: return ops::Greater(x, y);
        case BinOp::Le: return ops::LessEqual(x, y);
        default: return ops::GreaterEqual(x, y);
      }
    }
    if (auto huge = CompareHugeTexts(e.binOp, a, b, poll_)) return *huge;
  }
  switch (e.binOp) {
    case BinOp::Add: return ops::Add(a, b);
    case BinOp::Sub: return ops::Subtract(a, b);
    case BinOp::Mul: return ops::Multiply(a, b);
    case BinOp::Div: return ops::Divide(a, b);
    case BinOp::IntDiv: return ops::IntDivide(a, b);
    case BinOp::Mod: return ops::Modulo(a, b);
    case BinOp::Pow: return ops::Power(a, b);
    case BinOp::Concat: {
      // Concat checks the size against the one string limit before it copies anything.
      Variant r = ops::ConcatInSlices(a, b, poll_);
      if (r.isString()) spend(r.rawString().size());
      return r;
    }
    case BinOp::Eq: return ops::Equal(a, b);
    case BinOp::Ne: return ops::NotEqual(a, b);
    case BinOp::Lt: return ops::Less(a, b);
    case BinOp::Gt: return ops::Greater(a, b);
    case BinOp::Le: return ops::LessEqual(a, b);
    case BinOp::Ge: return ops::GreaterEqual(a, b);
    case BinOp::Is: return Variant::fromBool(ops::Is(a, b));
    case BinOp::And: return ops::And(a, b);
    case BinOp::Or: return ops::Or(a, b);
    case BinOp::Xor: return ops::Xor(a, b);
    case BinOp::Eqv: return ops::Eqv(a, b);
    case BinOp::Imp: return ops::Imp(a, b);
  }
  return Variant();
}

int Runtime::globalOf(const Expr& e, Frame& f) {
  if (dynamicScopes_ > 0) {
    if (const int index = dynamicOf(e.name, f); index >= 0) return index;
  }
  GlobalCache& cache = e.globalCache;
  if (cache.generation == generation_) return cache.index;
  const int index = findGlobalByName(e.name);
  cache.generation = generation_;
  cache.index = index;
  cache.entry = index >= 0 ? &global(index) : nullptr;
  return index;
}

Variant* Runtime::variableOf(const Expr& e, Frame& f, bool create) {
  switch (e.bind) {
    case Bind::Local: return f.slots[e.slot];
    case Bind::OuterLocal: return f.outer ? f.outer->slots[e.slot] : nullptr;
    case Bind::Field: return f.me ? &f.me->fields()[static_cast<std::size_t>(e.slot)] : nullptr;
    case Bind::Global: {
      const int index = globalOf(e, f);
      if (index >= 0) {
        Global& g = global(index);
        return g.kind == GlobalKind::Variable ? &g.value : nullptr;
      }
      if (e.slot >= 0) {
        if (f.proc->explicitNames) throw VbError(err::kVariableUndefined);
        return implicitLocal(e, f);
      }
      if (!create) return nullptr;
      if (f.proc->explicitNames) throw VbError(err::kVariableUndefined);
      Global g;
      g.name = e.name;
      // Execute code inside a procedure makes its new names that procedure call's.
      if (Frame* owner = scopeOwner(f)) return &declareDynamic(*owner, std::move(g)).value;
      globals_.push_back(std::move(g));
      globalIndex_[FoldCase(e.name)] = static_cast<int>(globals_.size()) - 1;
      ++generation_;
      return &globals_.back().value;
    }
    default: return nullptr;
  }
}

Variant* Runtime::implicitLocal(const Expr& e, Frame& f) {
  Frame* owner = e.outerSlot ? f.outer : &f;
  if (!owner) throw VbError(err::kObjectRequired);
  return owner->slots[e.slot];
}

Variant Runtime::evalName(const Expr& e, Frame& f) {
  if (Global* g = cachedVariable(e)) return g->value;
  switch (e.bind) {
    case Bind::Local: return *f.slots[e.slot];
    case Bind::OuterLocal:
    case Bind::Field:
      if (Variant* v = variableOf(e, f, false)) return *v;
      throw VbError(err::kObjectRequired);
    case Bind::ClassMember:
      if (!f.me) throw VbError(err::kObjectRequired);
      return invokeScript(*f.me, e.slot, InvokeKind::Get, {}, true);
    case Bind::Global: {
      const int index = globalOf(e, f);
      if (index < 0) {
        if (Variant* v = variableOf(e, f, true)) return *v;
        return Variant();
      }
      Global& g = global(index);
      switch (g.kind) {
        case GlobalKind::Variable:
        case GlobalKind::Constant:
        case GlobalKind::NamedObject: return g.value;
        case GlobalKind::Procedure: return callGlobalProc(g, nullptr, f);
        case GlobalKind::HostMember: {
          auto host = g.host;
          return host->invoke(g.memberId, InvokeKind::Get, {});
        }
        case GlobalKind::Class: throw VbError(err::kTypeMismatch);
      }
      return Variant();
    }
    case Bind::Builtin: return callBuiltin(*e.builtin, nullptr, f);
    case Bind::Intrinsic: return callIntrinsic(static_cast<Intrinsic>(e.slot), nullptr, f);
    case Bind::Unbound: break;
  }
  throw VbError(err::kVariableUndefined);
}

Variant Runtime::evalNew(const Expr& e, Frame& f) {
  // New RegExp is always the built-in object, even where the script declares a class of
  // that name.
  if (NamesEqual(e.name, "RegExp")) return Variant::fromObject(NewRegExp(weak_from_this()));
  const int index = globalOf(e, f);
  if (index < 0 || global(index).kind != GlobalKind::Class) {
    throw VbError(506);  // Class not defined
  }
  const Global& g = global(index);
  const ClassDecl& cls = *g.cls;
  auto data = std::make_shared<InstanceData>();
  data->unit = g.unit;
  data->cls = &cls;
  data->fields.resize(cls.fields.size());
  for (std::size_t i = 0; i < cls.fields.size(); ++i) {
    const FieldDecl& field = cls.fields[i];
    if (field.hasBounds) data->fields[i] = Variant::fromArray(NewDimArray(field.uppers));
  }
  track(data);
  auto object = std::make_shared<ScriptObject>(std::move(data), weak_from_this());
  if (cls.initialize) callProc(*cls.initialize, object.get(), {});
  return Variant::fromObject(std::move(object));
}

void Runtime::assign(const Expr& target, Variant value, bool isSet, Frame& f) {
  if (!isSet) {
    if (value.isObject()) value = value.resolved();
    if (value.isArray() && value.array().use_count() > 1) value = value.deepCopy();
  }
  switch (target.kind) {
    case ExprKind::Name: return assignName(target, std::move(value), isSet, f);
    case ExprKind::Member:
      invokeMemberExpr(target, nullptr, f, isSet ? InvokeKind::Set : InvokeKind::Let, &value);
      return;
    case ExprKind::Call: {
      const Expr& callee = *target.target;
      const InvokeKind kind = isSet ? InvokeKind::Set : InvokeKind::Let;
      if (callee.kind == ExprKind::Member) {
        invokeMemberExpr(callee, &target.args, f, kind, &value);
        return;
      }
      if (callee.kind == ExprKind::Name) {
        if (Variant* var = variableOf(callee, f, false)) {
          if (var->isArray()) {
            const auto array = var->array();  // kept while the indices are computed
            const Subscripts at = indices(target.args, f);
            storeInto(array->at(at.span()), std::move(value), isSet);
            return;
          }
          if (var->isObject() && var->object()) {
            const auto object = var->object();
            invokeObject(object, &callee, &target.args, f, kind, &value, Object::kDefaultMember);
            return;
          }
          throw VbError(err::kTypeMismatch);
        }
        if (callee.bind == Bind::ClassMember && f.me) {
          ArgPack pack(target.args.size() + 1);
          evalArgs(target.args, nullptr, pack, f);
          pack.temp(target.args.size()) = std::move(value);
          invokeScript(*f.me, callee.slot, kind, pack.refs(), true);
          return;
        }
        if (callee.bind == Bind::Global) {
          const int index = globalOf(callee, f);
          if (index >= 0) {
            const Global& g = global(index);
            if (g.kind == GlobalKind::NamedObject || g.kind == GlobalKind::HostMember) {
              const auto object = g.kind == GlobalKind::NamedObject ? g.value.object() : g.host;
              const int id = g.kind == GlobalKind::NamedObject ? Object::kDefaultMember : g.memberId;
              invokeObject(object, &callee, &target.args, f, kind, &value, id);
              return;
            }
          }
        }
        throw VbError(501);  // Illegal assignment
      }
      const Variant base = eval(callee, f);
      if (!base.isObject() || !base.object()) throw VbError(err::kObjectRequired);
      invokeObject(base.object(), &callee, &target.args, f, kind, &value, Object::kDefaultMember);
      return;
    }
    default:
      throw VbError(501);  // Illegal assignment: a constant, a literal, Me
  }
}

void Runtime::assignName(const Expr& target, Variant value, bool isSet, Frame& f) {
  if (target.bind == Bind::ClassMember) {
    if (!f.me) throw VbError(err::kObjectRequired);
    Variant* arg = &value;
    invokeScript(*f.me, target.slot, isSet ? InvokeKind::Set : InvokeKind::Let, {&arg, 1}, true);
    return;
  }
  if (target.bind == Bind::Global) {
    const int index = globalOf(target, f);
    if (index >= 0) {
      Global& g = global(index);
      switch (g.kind) {
        case GlobalKind::Variable: return storeInto(g.value, std::move(value), isSet);
        case GlobalKind::NamedObject: {
          // A named object's bare name assigns its default property (a game variable's Value).
          if (isSet) throw VbError(501);
          const auto object = g.value.object();
          object->invoke(Object::kDefaultMember, InvokeKind::Let, {&value, 1});
          return;
        }
        case GlobalKind::HostMember: {
          const auto host = g.host;
          host->invoke(g.memberId, isSet ? InvokeKind::Set : InvokeKind::Let, {&value, 1});
          return;
        }
        default: throw VbError(501);  // Illegal assignment
      }
    }
  }
  Variant* slot = variableOf(target, f, true);
  if (!slot) throw VbError(501);
  storeInto(*slot, std::move(value), isSet);
}

Subscripts Runtime::indices(const std::vector<ExprPtr>& args, Frame& f) {
  Subscripts out;
  for (const auto& a : args) {
    if (!a) throw VbError(err::kSubscriptOutOfRange);
    Variant temp;
    const Variant& v = evalRef(*a, f, temp);
    const VarType t = v.type();
    out.push_back(t == VarType::Integer || t == VarType::Long
                      ? static_cast<std::int32_t>(v.rawInt())
                      : v.isObject() ? v.resolved().toLong() : v.toLong());
  }
  return out;
}

Variant* Runtime::elementOf(const Expr& call, Frame& f, std::shared_ptr<VariantArray>* owner) {
  const Expr& callee = *call.target;
  if (callee.kind != ExprKind::Name || call.args.empty()) return nullptr;
  Variant* var = variableOf(callee, f, false);
  if (!var || !var->isArray()) return nullptr;
  *owner = var->array();
  const Subscripts at = indices(call.args, f);
  return &(*owner)->at(at.span());
}

}  // namespace vbs::detail
