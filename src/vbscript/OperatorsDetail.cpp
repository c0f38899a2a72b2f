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

Variant JoinStrings(const Variant& a, const Variant& b, const Poll& poll) {
  // Check before copying: a runaway loop doubling a string must fail fast. Texts are read in
  // place; only other values (numbers, dates) are converted, and their texts are short.
  std::string leftText, rightText;
  const std::string& left = a.isString() ? a.rawString() : (leftText = a.toString());
  const std::string& right = b.isString() ? b.rawString() : (rightText = b.toString());
  CheckStringSize(left.size() + right.size());
  std::string text;
  text.reserve(left.size() + right.size());
  AppendText(text, left, poll);
  AppendText(text, right, poll);
  return Variant::fromString(std::move(text));
}

}  // namespace vbs::detail
