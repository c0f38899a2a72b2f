// Variant: construction, inspection and the Object base (conversions live in VariantConvert,
// comparison in VariantCompare).
#include "vbscript/Variant.h"

#include <cmath>
#include <utility>

#include "vbscript/NumberText.h"
#include "vbscript/Object.h"
#include "vbscript/VariantArray.h"
#include "vbscript/VbError.h"

namespace vbs {

Variant::Variant() : type_(VarType::Empty) {}

Variant::Variant(VarType type, Payload payload) : type_(type), payload_(std::move(payload)) {}

Variant Variant::Null() {
  return Variant(VarType::Null, std::monostate{});
}

Variant Variant::fromBool(bool value) {
  return Variant(VarType::Boolean, std::int64_t{value ? -1 : 0});
}

Variant Variant::fromByte(std::uint8_t value) {
  return Variant(VarType::Byte, std::int64_t{value});
}

Variant Variant::fromInteger(std::int16_t value) {
  return Variant(VarType::Integer, std::int64_t{value});
}

Variant Variant::fromLong(std::int32_t value) {
  return Variant(VarType::Long, std::int64_t{value});
}

Variant Variant::fromSingle(float value) {
  return Variant(VarType::Single, static_cast<double>(value));
}

Variant Variant::fromDouble(double value) {
  return Variant(VarType::Double, value);
}

Variant Variant::fromCurrency(std::int64_t tenThousandths) {
  return Variant(VarType::Currency, tenThousandths);
}

Variant Variant::fromDate(double oleDate) {
  return Variant(VarType::Date, oleDate);
}

Variant Variant::fromString(std::string utf8) {
  if (utf8.size() >= kSharedTextBytes) {
    return Variant(VarType::String, std::make_shared<std::string>(std::move(utf8)));
  }
  return Variant(VarType::String, std::move(utf8));
}

Variant Variant::fromError(std::int32_t code) {
  return Variant(VarType::Error, std::int64_t{code});
}

Variant Variant::fromObject(std::shared_ptr<Object> object) {
  return Variant(VarType::Object, std::move(object));
}

Variant Variant::fromArray(std::shared_ptr<VariantArray> array) {
  // An array Variant always has storage: a missing one is an empty one-dimensional array.
  if (!array) array = std::make_shared<VariantArray>(std::vector<ArrayBound>{{0, -1}});
  return Variant(VarType::Array, std::move(array));
}

int Variant::varType() const {
  if (type_ == VarType::Array) {
    return static_cast<int>(VarType::Array) | static_cast<int>(VarType::Variant);
  }
  return static_cast<int>(type_);
}

std::string Variant::typeName() const {
  switch (type_) {
    case VarType::Empty:
      return "Empty";
    case VarType::Null:
      return "Null";
    case VarType::Integer:
      return "Integer";
    case VarType::Long:
      return "Long";
    case VarType::Single:
      return "Single";
    case VarType::Double:
      return "Double";
    case VarType::Currency:
      return "Currency";
    case VarType::Date:
      return "Date";
    case VarType::String:
      return "String";
    case VarType::Object:
      return object() ? object()->typeName() : "Nothing";
    case VarType::Error:
      return "Error";
    case VarType::Boolean:
      return "Boolean";
    case VarType::Byte:
      return "Byte";
    case VarType::Array:
      return "Variant()";
    case VarType::Variant:
      break;
  }
  return "Unknown";
}

bool Variant::isNothing() const {
  return type_ == VarType::Object && !object();
}

bool Variant::isNumberType() const {
  switch (type_) {
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
      return true;
    default:
      return false;
  }
}

bool Variant::isNumeric() const {
  switch (type_) {
    case VarType::Empty:
    case VarType::Boolean:
      return true;
    case VarType::String: {
      const auto parsed = detail::ParseNumber(rawString());
      if (!parsed) return false;
      try {
        detail::ParsedToDouble(*parsed);
        return true;
      } catch (const VbError&) {
        return false;  // too large for a Double
      }
    }
    case VarType::Object: {
      if (!object()) return false;
      try {
        return object()->defaultValue().isNumeric();
      } catch (const VbError&) {
        return false;
      }
    }
    default:
      return isNumberType();
  }
}

std::int64_t Variant::rawInt() const {
  return std::get<std::int64_t>(payload_);
}

double Variant::rawDouble() const {
  return std::get<double>(payload_);
}

const std::string& Variant::rawString() const {
  if (const auto* shared = std::get_if<std::shared_ptr<std::string>>(&payload_)) return **shared;
  return std::get<std::string>(payload_);
}

std::string& Variant::mutableString() {
  if (auto* shared = std::get_if<std::shared_ptr<std::string>>(&payload_)) {
    if (shared->use_count() > 1) *shared = std::make_shared<std::string>(**shared);
    return **shared;
  }
  auto& text = std::get<std::string>(payload_);
  // A text grown in place past the size that is shared becomes shared from now on.
  if (text.size() >= kSharedTextBytes) {
    payload_ = std::make_shared<std::string>(std::move(text));
    return *std::get<std::shared_ptr<std::string>>(payload_);
  }
  return text;
}

const std::shared_ptr<Object>& Variant::object() const {
  return std::get<std::shared_ptr<Object>>(payload_);
}

const std::shared_ptr<VariantArray>& Variant::array() const {
  return std::get<std::shared_ptr<VariantArray>>(payload_);
}

Variant Variant::resolved() const {
  if (type_ != VarType::Object) return *this;
  if (!object()) throw VbError(err::kObjectVariableNotSet);
  // A default property may itself return an object; follow the chain a bounded number of
  // times so that an object returning itself cannot loop forever.
  Variant value = object()->defaultValue();
  for (int depth = 0; value.type_ == VarType::Object; ++depth) {
    if (!value.object()) throw VbError(err::kObjectVariableNotSet);
    if (depth >= 16) throw VbError(err::kObjectDoesntSupport);
    value = value.object()->defaultValue();
  }
  return value;
}

Variant Variant::deepCopy() const {
  if (type_ != VarType::Array) return *this;
  return fromArray(array()->deepCopy());
}

}  // namespace vbs
