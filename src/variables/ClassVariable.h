// The two kinds of game variable: ClassVariable (a 16-bit integer) and ClassVariableVariant
// (any script value).
//
// Each has a Name and a Value; Value is what a script reads and writes when it names the
// variable. An integer variable only ever holds -32768..32767: assigning anything outside
// raises "Overflow" and keeps the old value. A new variant variable holds the integer 0,
// not Empty, so scripts comparing it with 0 or printing it see a number.
#pragma once

#include <cstdint>
#include <string>

#include "vbscript/Variant.h"

namespace tw {

class ClassVariable {
 public:
  ClassVariable(std::string name, std::int16_t value) : Name(std::move(name)), value_(value) {}

  std::int16_t Value() const { return value_; }
  void setValue(std::int16_t value) { value_ = value; }
  // Throws VbError 6 "Overflow" outside the 16-bit range; the value stays as it was.
  void setValue(std::int32_t value);
  // A script assignment: converted as CInt does (rounding to even, Overflow, Type mismatch).
  void setValue(const vbs::Variant& value);

  std::string Name;

 private:
  std::int16_t value_;
};

class ClassVariableVariant {
 public:
  explicit ClassVariableVariant(std::string name, vbs::Variant value = vbs::Variant::fromInteger(0))
      : Name(std::move(name)), Value(std::move(value)) {}

  std::string Name;
  vbs::Variant Value;
};

}  // namespace tw
