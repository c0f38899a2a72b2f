#include "variables/ClassVariable.h"

#include "vbscript/VbError.h"

namespace tw {

void ClassVariable::setValue(std::int32_t value) {
  if (value < INT16_MIN || value > INT16_MAX) throw vbs::VbError(vbs::err::kOverflow);
  value_ = static_cast<std::int16_t>(value);
}

void ClassVariable::setValue(const vbs::Variant& value) {
  value_ = value.toInteger();
}

}  // namespace tw
