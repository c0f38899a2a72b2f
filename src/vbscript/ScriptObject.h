// ScriptObject: an instance of a script Class, seen by scripts and hosts as an Object.
//
// The instance's fields live in InstanceData, which the one ScriptObject created by New owns.
// When the last reference to that ScriptObject goes, the runtime runs Class_Terminate with a
// fresh handle as Me (so Me is a real reference during it) and then frees the fields; a
// terminated instance never terminates again. Member ids are the class's member index + 1;
// id 0 is the default member. Private members are not visible through memberId.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "vbscript/Ast.h"
#include "vbscript/Object.h"

namespace vbs {

namespace detail {
class Runtime;

struct InstanceData {
  std::shared_ptr<const ast::Unit> unit;  // keeps the class's code alive
  const ast::ClassDecl* cls = nullptr;
  std::vector<Variant> fields;
  bool terminated = false;
};
}  // namespace detail

class ScriptObject : public Object, public std::enable_shared_from_this<ScriptObject> {
 public:
  ScriptObject(std::shared_ptr<detail::InstanceData> data, std::weak_ptr<detail::Runtime> rt);
  ~ScriptObject() override;

  std::string typeName() const override;
  int memberId(std::string_view name) override;
  Variant invoke(int memberId, InvokeKind kind, std::span<Variant> args) override;

  const ast::ClassDecl& cls() const { return *data_->cls; }
  std::vector<Variant>& fields() { return data_->fields; }
  // Member index by name, private ones included when allowPrivate; -1 when none.
  int findMember(std::string_view name, bool allowPrivate) const;

 private:
  std::shared_ptr<detail::InstanceData> data_;
  std::weak_ptr<detail::Runtime> runtime_;
};

}  // namespace vbs
