// Helpers for the library object tests: calling members by name through the Object interface,
// as the engine does (memberId, then invoke).
#pragma once

#include <initializer_list>
#include <memory>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "vbscript/LibraryObjects.h"
#include "vbscript/Object.h"
#include "vbscript/Variant.h"
#include "vbscript/VariantArray.h"

namespace vbs::test {

inline Variant S(const char* text) { return Variant::fromString(text); }
inline Variant L(std::int32_t value) { return Variant::fromLong(value); }

inline Variant Invoke(Object& object, std::string_view member, InvokeKind kind,
                      std::initializer_list<Variant> args = {}) {
  const int id = object.memberId(member);
  std::vector<Variant> list(args);
  return object.invoke(id, kind, list);
}

inline Variant Get(Object& o, std::string_view m, std::initializer_list<Variant> a = {}) {
  return Invoke(o, m, InvokeKind::Get, a);
}
inline void Call(Object& o, std::string_view m, std::initializer_list<Variant> a = {}) {
  Invoke(o, m, InvokeKind::Call, a);
}
// obj.m(args...) = value: the value comes last.
inline void Let(Object& o, std::string_view m, std::initializer_list<Variant> a) {
  Invoke(o, m, InvokeKind::Let, a);
}

inline std::shared_ptr<Object> ObjectOf(const Variant& v) {
  EXPECT_TRUE(v.isObject());
  return v.isObject() ? v.object() : nullptr;
}

// The elements of a one-dimensional array result as strings.
inline std::vector<std::string> Strings(const Variant& v) {
  std::vector<std::string> out;
  EXPECT_TRUE(v.isArray());
  if (!v.isArray()) return out;
  for (const Variant& e : v.array()->elements()) out.push_back(e.toString());
  return out;
}

}  // namespace vbs::test
