// Helpers shared by the script-engine tests.
#pragma once

#include <functional>

#include "vbscript/Object.h"
#include "vbscript/Variant.h"
#include "vbscript/VbError.h"

namespace vbs::test {

// The VB error number the call raises, 0 when it raises none.
inline int ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const VbError& e) {
    return e.number();
  }
  return 0;
}

// An object whose default property holds a fixed value.
class ValueObject : public Object {
 public:
  explicit ValueObject(Variant value) : value_(std::move(value)) {}
  std::string typeName() const override { return "ValueObject"; }
  Variant defaultValue() override { return value_; }

 private:
  Variant value_;
};

// An object without a default property.
class PlainObject : public Object {};

}  // namespace vbs::test
