// OperatorsDetail: numeric operands and the string size limit (OperatorsDetail.h).
#include "vbscript/OperatorsDetail.h"

#include "vbscript/VbError.h"

namespace vbs::detail {

void CheckStringSize(std::size_t bytes) {
  if (bytes > kMaxStringBytes) throw VbError(err::kOutOfStringSpace);
}

double Operand::asDouble() const {
  if (isEmpty) return 0.0;
  return value.toDouble();
}

std::int64_t Operand::asCurrency() const {
  if (isEmpty) return 0;
  return value.toCurrency();
}

Operand NumericOperand(const Variant& v) {
  Operand o;
  o.value = v.isObject() ? v.resolved() : v;
  switch (o.value.type()) {
    case VarType::Null:
      o.isNull = true;
      break;
    case VarType::Empty:
      o.isEmpty = true;
      o.rank = Rank::Byte;
      break;
    case VarType::Byte:
      o.rank = Rank::Byte;
      o.whole = o.value.rawInt();
      break;
    case VarType::Boolean:
    case VarType::Integer:
      o.rank = Rank::Integer;
      o.whole = o.value.rawInt();
      break;
    case VarType::Long:
      o.rank = Rank::Long;
      o.whole = o.value.rawInt();
      break;
    case VarType::Single:
      o.rank = Rank::Single;
      break;
    case VarType::Double:
      o.rank = Rank::Double;
      break;
    case VarType::Currency:
      o.rank = Rank::Currency;
      o.whole = o.value.rawInt();
      break;
    case VarType::Date:
      o.rank = Rank::Date;
      break;
    case VarType::String:
      o.rank = Rank::Double;
      o.value = Variant::fromDouble(o.value.toDouble());  // 13 when not a number
      break;
    default:
      throw VbError(err::kTypeMismatch);
  }
  return o;
}

Variant JoinStrings(const Variant& a, const Variant& b) {
  // Check before copying: a runaway loop doubling a string must fail fast.
  if (a.isString() && b.isString()) CheckStringSize(a.rawString().size() + b.rawString().size());
  std::string text = a.toString();
  if (b.isString()) {
    CheckStringSize(text.size() + b.rawString().size());
    text += b.rawString();
  } else {
    const std::string right = b.toString();
    CheckStringSize(text.size() + right.size());
    text += right;
  }
  return Variant::fromString(std::move(text));
}

}  // namespace vbs::detail
