// Helpers for the tests of the operators and the built-in library: a scripted host, calls by
// name, and a compact "Subtype:text" description of results for tables.
#pragma once

#include <deque>
#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "VbsTestUtil.h"
#include "vbscript/Builtins.h"
#include "vbscript/VariantArray.h"

namespace vbs::test {

// A host with a fixed clock, its own generator and recorded dialog boxes.
class FakeHost : public BuiltinHost {
 public:
  struct Box {
    std::string prompt;
    int buttons;
    std::string title;
  };

  Variant msgBox(const Variant& prompt, int buttons, const Variant& title) override {
    boxes.push_back({prompt.toString(), buttons, title.toString()});
    return Variant::fromInteger(answer);
  }
  Variant inputBox(const Variant& prompt, const Variant&, const Variant& defaultText) override {
    boxes.push_back({prompt.toString(), 0, defaultText.toString()});
    return input;
  }
  RandomState& random() override { return rng; }
  std::shared_ptr<Object> createObject(std::string_view progId) override {
    if (progId == "Test.Object") return std::make_shared<PlainObject>();
    return nullptr;
  }
  double now() override { return clock; }
  double timer() override { return seconds; }

  std::vector<Box> boxes;
  std::int16_t answer = 1;
  Variant input;
  RandomState rng;
  double clock = 36526.75;  // 1/1/2000 6:00:00 PM
  double seconds = 64800.5;
};

// Calls a built-in by name with the given arguments (the engine's argument count check is
// repeated here so a table cannot call with a count the engine would refuse).
inline Variant Call(BuiltinHost& host, std::string_view name, std::vector<Variant> args) {
  const BuiltinInfo* info = FindBuiltin(name);
  if (!info) throw std::logic_error("no built-in " + std::string(name));
  const int count = static_cast<int>(args.size());
  if (count < info->minArgs || count > info->maxArgs) throw VbError(450);
  return info->function(host, args);
}

inline Variant Call(std::string_view name, std::vector<Variant> args) {
  FakeHost host;
  return Call(host, name, std::move(args));
}

// Short constructors for tables.
inline Variant S(std::string text) {
  return Variant::fromString(std::move(text));
}
inline Variant I(std::int16_t v) {
  return Variant::fromInteger(v);
}
inline Variant L(std::int32_t v) {
  return Variant::fromLong(v);
}
inline Variant D(double v) {
  return Variant::fromDouble(v);
}
inline Variant F(float v) {
  return Variant::fromSingle(v);
}
inline Variant B(bool v) {
  return Variant::fromBool(v);
}
inline Variant Y(std::uint8_t v) {
  return Variant::fromByte(v);
}
inline Variant C(std::int64_t tenThousandths) {
  return Variant::fromCurrency(tenThousandths);
}
inline Variant E() {
  return Variant();
}
inline Variant N() {
  return Variant::Null();
}
inline Variant Dt(const std::string& text) {
  return Variant::fromDate(*ParseDateText(text));
}
inline Variant Arr(std::vector<Variant> values) {
  return Variant::fromArray(VariantArray::fromValues(std::move(values)));
}

// "Subtype:text" of a value: "Integer:7", "String:ab", "Null", "Empty", arrays as
// "Variant():(a,b)".
inline std::string Describe(const Variant& v) {
  if (v.isNull() || v.isEmpty()) return v.typeName();
  if (v.isArray()) {
    std::string out = "Variant():(";
    const auto& elements = v.array()->elements();
    for (std::size_t i = 0; i < elements.size(); ++i) {
      if (i > 0) out += ',';
      out += elements[i].toString();
    }
    return out + ")";
  }
  if (v.isObject()) return v.typeName();
  if (v.isError()) return "Error:" + std::to_string(v.rawInt());
  return v.typeName() + ":" + v.toString();
}

// The outcome of a call: its description, or "error N".
template <typename F>
std::string Outcome(F&& call) {
  try {
    return Describe(call());
  } catch (const VbError& e) {
    return "error " + std::to_string(e.number());
  }
}

// One row of a built-in function table: the function, its arguments, the expected Outcome.
struct Case {
  const char* name;
  std::vector<Variant> args;
  const char* expected;
};

// Calls each row's function and compares the outcome, naming the row when it fails.
inline void RunTable(const std::vector<Case>& table) {
  for (const Case& c : table) {
    std::string trace = c.name;
    for (const Variant& a : c.args) trace += " " + Describe(a);
    SCOPED_TRACE(trace);
    EXPECT_EQ(Outcome([&] { return Call(c.name, c.args); }), c.expected);
  }
}

}  // namespace vbs::test
