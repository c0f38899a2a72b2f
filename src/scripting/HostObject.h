// HostObject: the base of the player's objects that scripts reach (the Action object, the
// variables, the window's elements, the screen and the application).
//
// Each object names its members once, in a fixed table; a member's id is its place in that
// table plus one, and id 0 is the default member when the object has one. Arguments reach
// the members as values and are converted the way automation converts them for a typed
// parameter: CStr for text, CInt for integers (6 "Overflow", 13 "Type mismatch"), CBool,
// CDbl. A wrong number of arguments raises 450, a member used the wrong way 438; the script
// host turns these into its error box, so no script input can do more than fail.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "vbscript/Object.h"
#include "vbscript/Variant.h"
#include "vbscript/VbError.h"

namespace tw::scripting {

class HostObject : public vbs::Object {
 public:
  // names[i] gets the id i + 1.
  HostObject(std::string typeName, const std::vector<std::string_view>& names)
      : typeName_(std::move(typeName)), names_(names) {}

  std::string typeName() const override { return typeName_; }
  int memberId(std::string_view name) override;

 protected:
  const std::vector<std::string_view>& names() const { return names_; }

 private:
  std::string typeName_;
  std::vector<std::string_view> names_;
};

// --- argument helpers ----------------------------------------------------------------
// Raises 450 unless exactly count arguments came.
void ExpectArgs(std::span<vbs::Variant> args, std::size_t count);
std::string ArgText(const vbs::Variant& v);
std::int16_t ArgInt16(const vbs::Variant& v);
std::int32_t ArgInt32(const vbs::Variant& v);
bool ArgBool(const vbs::Variant& v);
double ArgDouble(const vbs::Variant& v);
// The object an argument holds; 13 "Type mismatch" for anything else, 91 for Nothing.
std::shared_ptr<vbs::Object> ArgObject(const vbs::Variant& v);

// A property: a read (Get or Call without arguments) or a write (Let with the value as the
// only argument). Anything else raises 450 or 438.
bool IsPropertyRead(vbs::InvokeKind kind, std::span<vbs::Variant> args);
bool IsPropertyWrite(vbs::InvokeKind kind, std::span<vbs::Variant> args);
// Reads or writes a property with a getter and a setter; read-only when set is null.
template <class Get, class Set>
vbs::Variant Property(vbs::InvokeKind kind, std::span<vbs::Variant> args, Get get, Set set) {
  if (IsPropertyRead(kind, args)) return get();
  if (IsPropertyWrite(kind, args)) {
    if constexpr (std::is_same_v<Set, std::nullptr_t>) {
      throw vbs::VbError(vbs::err::kObjectDoesntSupport);
    } else {
      set(args[0]);
      return {};
    }
  }
  throw vbs::VbError(vbs::err::kObjectDoesntSupport);
}

}  // namespace tw::scripting
