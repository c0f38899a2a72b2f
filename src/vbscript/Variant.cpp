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

Variant Variant::Null() {
  Variant v;
  v.type_ = VarType::Null;
  return v;
}

Variant Variant::fromByte(std::uint8_t value) { return fromWhole(VarType::Byte, value); }
Variant Variant::fromSingle(float value) { return fromReal(VarType::Single, value); }
Variant Variant::fromCurrency(std::int64_t tenThousandths) {
  return fromWhole(VarType::Currency, tenThousandths);
}
Variant Variant::fromDate(double oleDate) { return fromReal(VarType::Date, oleDate); }
Variant Variant::fromError(std::int32_t code) { return fromWhole(VarType::Error, code); }

Variant Variant::fromString(std::string utf8) {
  Variant v;
  v.type_ = VarType::String;
  if (utf8.size() >= kSharedTextBytes) {
    v.held_ = Held::SharedText;
    new (&v.u_.shared) std::shared_ptr<std::string>(std::make_shared<std::string>(std::move(utf8)));
  } else {
    v.held_ = Held::Text;
    new (&v.u_.text) std::string(std::move(utf8));
  }
  return v;
}

Variant Variant::fromObject(std::shared_ptr<Object> object) {
  Variant v;
  v.type_ = VarType::Object;
  v.held_ = Held::Obj;
  new (&v.u_.obj) std::shared_ptr<Object>(std::move(object));
  return v;
}

Variant Variant::fromArray(std::shared_ptr<VariantArray> array) {
  // An array Variant always has storage: a missing one is an empty one-dimensional array.
  if (!array) array = std::make_shared<VariantArray>(std::vector<ArrayBound>{{0, -1}});
  Variant v;
  v.type_ = VarType::Array;
  v.held_ = Held::Arr;
  new (&v.u_.arr) std::shared_ptr<VariantArray>(std::move(array));
  return v;
}

void Variant::copyHeavy(const Variant& other) {
  switch (held_) {
    case Held::Text: new (&u_.text) std::string(other.u_.text); break;
    case Held::SharedText: new (&u_.shared) std::shared_ptr<std::string>(other.u_.shared); break;
    case Held::Obj: new (&u_.obj) std::shared_ptr<Object>(other.u_.obj); break;
    case Held::Arr: new (&u_.arr) std::shared_ptr<VariantArray>(other.u_.arr); break;
    default: u_.i = other.u_.i; break;
  }
}

void Variant::moveHeavy(Variant& other) noexcept {
  switch (held_) {
    case Held::Text: new (&u_.text) std::string(std::move(other.u_.text)); break;
    case Held::SharedText:
      new (&u_.shared) std::shared_ptr<std::string>(std::move(other.u_.shared));
      break;
    case Held::Obj: new (&u_.obj) std::shared_ptr<Object>(std::move(other.u_.obj)); break;
    case Held::Arr: new (&u_.arr) std::shared_ptr<VariantArray>(std::move(other.u_.arr)); break;
    default: u_.i = other.u_.i; break;
  }
}

void Variant::copyAssignHeavy(const Variant& other) {
  if (held_ == Held::Text && other.held_ == Held::Text) {
    u_.text = other.u_.text;  // a text holds no values, so other cannot be inside it
    return;
  }
  if (this == &other) return;
  Variant copy(other);  // other may live inside what this holds
  destroyHeavy();
  type_ = copy.type_;
  held_ = copy.held_;
  if (heavy()) moveHeavy(copy);
  else u_.i = copy.u_.i;
}

void Variant::moveAssignHeavy(Variant& other) noexcept {
  if (held_ == Held::Text && other.held_ == Held::Text) {
    u_.text = std::move(other.u_.text);
    return;
  }
  if (this == &other) return;
  Variant moved(std::move(other));  // other may live inside what this holds
  destroyHeavy();
  type_ = moved.type_;
  held_ = moved.held_;
  if (heavy()) moveHeavy(moved);
  else u_.i = moved.u_.i;
}

void Variant::destroyHeavy() noexcept {
  using String = std::string;
  using SharedString = std::shared_ptr<std::string>;
  using ObjectPtr = std::shared_ptr<Object>;
  using ArrayPtr = std::shared_ptr<VariantArray>;
  switch (held_) {
    case Held::Text: u_.text.~String(); break;
    case Held::SharedText: u_.shared.~SharedString(); break;
    case Held::Obj: u_.obj.~ObjectPtr(); break;
    case Held::Arr: u_.arr.~ArrayPtr(); break;
    default: break;
  }
  held_ = Held::None;
  u_.i = 0;
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

const std::string& Variant::rawString() const {
  if (held_ == Held::SharedText) return *u_.shared;
  return u_.text;
}

std::string& Variant::mutableString() {
  if (held_ == Held::SharedText) {
    if (u_.shared.use_count() > 1) u_.shared = std::make_shared<std::string>(*u_.shared);
    return *u_.shared;
  }
  std::string& text = u_.text;
  // A text grown in place past the size that is shared becomes shared from now on.
  if (text.size() >= kSharedTextBytes) {
    auto shared = std::make_shared<std::string>(std::move(text));
    destroyHeavy();
    held_ = Held::SharedText;
    new (&u_.shared) std::shared_ptr<std::string>(std::move(shared));
    return *u_.shared;
  }
  return text;
}

const std::shared_ptr<Object>& Variant::object() const { return u_.obj; }

const std::shared_ptr<VariantArray>& Variant::array() const { return u_.arr; }

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
