#include "vbscript/Object.h"

#include "vbscript/VbError.h"

namespace vbs {

Object::~Object() = default;

std::string Object::typeName() const { return "Object"; }

int Object::memberId(std::string_view) { return kUnknownMember; }

Variant Object::invoke(int, InvokeKind, std::span<Variant>) {
  throw VbError(err::kObjectDoesntSupport);
}

Variant Object::defaultValue() { return invoke(kDefaultMember, InvokeKind::Get, {}); }

bool Object::enumerate(std::vector<Variant>&) { return false; }

void Object::surrenderValues(std::vector<Variant>&) {}

}  // namespace vbs
