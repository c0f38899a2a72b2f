#include "scripting/HostObject.h"

#include "vbscript/Lexer.h"
#include "vbscript/VbError.h"

namespace tw::scripting {

namespace {
constexpr int kWrongArgumentCount = 450;
}

int HostObject::memberId(std::string_view name) {
  for (std::size_t i = 0; i < names_.size(); ++i) {
    if (vbs::NamesEqual(names_[i], name)) return static_cast<int>(i) + 1;
  }
  return kUnknownMember;
}

void ExpectArgs(std::span<vbs::Variant> args, std::size_t count) {
  if (args.size() != count) throw vbs::VbError(kWrongArgumentCount);
}

namespace {
// A missing argument reaches a host object as the error value DISP_E_PARAMNOTFOUND; a
// typed parameter cannot take it.
void RefuseMissing(const vbs::Variant& v) {
  if (v.isError()) throw vbs::VbError(vbs::err::kTypeMismatch);
}
}  // namespace

std::string ArgText(const vbs::Variant& v) {
  RefuseMissing(v);
  return v.toString();
}
std::int16_t ArgInt16(const vbs::Variant& v) {
  RefuseMissing(v);
  return v.toInteger();
}
std::int32_t ArgInt32(const vbs::Variant& v) {
  RefuseMissing(v);
  return v.toLong();
}
bool ArgBool(const vbs::Variant& v) {
  RefuseMissing(v);
  return v.toBool();
}
double ArgDouble(const vbs::Variant& v) {
  RefuseMissing(v);
  return v.toDouble();
}
std::shared_ptr<vbs::Object> ArgObject(const vbs::Variant& v) {
  if (!v.isObject()) throw vbs::VbError(vbs::err::kTypeMismatch);
  if (!v.object()) throw vbs::VbError(vbs::err::kObjectVariableNotSet);
  return v.object();
}

bool IsPropertyRead(vbs::InvokeKind kind, std::span<vbs::Variant> args) {
  return (kind == vbs::InvokeKind::Get || kind == vbs::InvokeKind::Call) && args.empty();
}
bool IsPropertyWrite(vbs::InvokeKind kind, std::span<vbs::Variant> args) {
  return (kind == vbs::InvokeKind::Let || kind == vbs::InvokeKind::Set) && args.size() == 1;
}

}  // namespace tw::scripting
