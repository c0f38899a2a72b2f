// The game's variables as scripts see them: one object per variable, named by the variable,
// whose default property is Value, so "Gold = Gold + 1" reads and writes the variable.
//
// The objects share the variable with the game's lists: a script's change is the game's
// change at once. An integer variable keeps -32768..32767 (40000 raises 6 "Overflow" and
// leaves the old value); a variant variable takes any value and keeps its kind (a string
// stays a string, an array a copy of the array).
#pragma once

#include <memory>

#include "scripting/HostObject.h"
#include "variables/ClassVariable.h"

namespace tw::scripting {

class IntegerVariableObject : public HostObject {
 public:
  explicit IntegerVariableObject(std::shared_ptr<ClassVariable> variable);
  vbs::Variant invoke(int id, vbs::InvokeKind kind, std::span<vbs::Variant> args) override;
  vbs::Variant defaultValue() override;
  const std::shared_ptr<ClassVariable>& variable() const { return variable_; }

 private:
  std::shared_ptr<ClassVariable> variable_;
};

class VariantVariableObject : public HostObject {
 public:
  explicit VariantVariableObject(std::shared_ptr<ClassVariableVariant> variable);
  vbs::Variant invoke(int id, vbs::InvokeKind kind, std::span<vbs::Variant> args) override;
  vbs::Variant defaultValue() override;
  const std::shared_ptr<ClassVariableVariant>& variable() const { return variable_; }

 private:
  std::shared_ptr<ClassVariableVariant> variable_;
};

}  // namespace tw::scripting
