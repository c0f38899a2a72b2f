#include "frames/FieldTests.h"

#include <exception>
#include <optional>

namespace tw {

bool IsNonZero(const vbs::Variant& value) {
  if (value.isEmpty() || value.isNull()) return false;
  if (value.isString()) {
    const std::string& text = value.rawString();
    if (text.empty()) return false;
    const std::optional<double> number = vbs::ParseNumberText(text);
    return !number || *number != 0;
  }
  try {
    return value.toDouble() != 0;
  } catch (const std::exception&) {
    return true;  // an object or an error value is something, not zero
  }
}

bool IsOne(const vbs::Variant& value) {
  if (value.isEmpty() || value.isNull()) return false;
  try {
    return value.toDouble() == 1;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace tw
