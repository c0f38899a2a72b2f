#include "scripting/VariableObjects.h"

namespace tw::scripting {

namespace {
enum : int { kValue = 1, kName = 2 };
const std::vector<std::string_view> kMembers = {"Value", "Name"};

// Id 0 and Value are the same property.
bool IsValue(int id) { return id == vbs::Object::kDefaultMember || id == kValue; }
}  // namespace

IntegerVariableObject::IntegerVariableObject(std::shared_ptr<ClassVariable> variable)
    : HostObject("ClassVariable", kMembers), variable_(std::move(variable)) {}

vbs::Variant IntegerVariableObject::invoke(int id, vbs::InvokeKind kind,
                                           std::span<vbs::Variant> args) {
  if (IsValue(id)) {
    return Property(
        kind, args, [&] { return vbs::Variant::fromInteger(variable_->Value()); },
        [&](const vbs::Variant& v) { variable_->setValue(v.resolved()); });
  }
  if (id == kName) {
    return Property(kind, args, [&] { return vbs::Variant::fromString(variable_->Name); },
                    nullptr);
  }
  throw vbs::VbError(vbs::err::kObjectDoesntSupport);
}

vbs::Variant IntegerVariableObject::defaultValue() {
  return vbs::Variant::fromInteger(variable_->Value());
}

VariantVariableObject::VariantVariableObject(std::shared_ptr<ClassVariableVariant> variable)
    : HostObject("ClassVariableVariant", kMembers), variable_(std::move(variable)) {}

vbs::Variant VariantVariableObject::invoke(int id, vbs::InvokeKind kind,
                                           std::span<vbs::Variant> args) {
  if (IsValue(id)) {
    if (kind == vbs::InvokeKind::Set && args.size() == 1) {
      variable_->Value = args[0];
      return {};
    }
    return Property(
        kind, args, [&] { return variable_->Value; },
        [&](const vbs::Variant& v) {
          vbs::Variant value = v.isObject() ? v.resolved() : v;
          variable_->Value = value.isArray() ? value.deepCopy() : value;
        });
  }
  if (id == kName) {
    return Property(kind, args, [&] { return vbs::Variant::fromString(variable_->Name); },
                    nullptr);
  }
  throw vbs::VbError(vbs::err::kObjectDoesntSupport);
}

vbs::Variant VariantVariableObject::defaultValue() {
  if (variable_->Value.isObject()) return variable_->Value.resolved();
  return variable_->Value;
}

}  // namespace tw::scripting
