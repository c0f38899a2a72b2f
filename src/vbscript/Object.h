// Object: base of every object a script can hold — host objects (the player's Action object,
// game variables, window elements), the engine's own library objects (Dictionary,
// FileSystemObject, RegExp, ...) and instances of script classes.
//
// Members are reached the way COM automation reaches them: a name is turned into a member
// id once (case-insensitive; the engine may cache the id per call site), then the member is
// invoked with that id. Id 0 is the default member (a variable's Value, a Dictionary's Item),
// used when a script treats the object as a value or indexes it: CStr(obj), obj = 5, obj(3).
//
// Objects are shared: Variants hold them through std::shared_ptr, and Set copies the pointer.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "vbscript/Variant.h"

namespace vbs {

class ScriptObject;

enum class InvokeKind {
  Get,   // property read, or a method call whose result is used: x = obj.Name(1)
  Call,  // a statement call, result unused: obj.Run 1, 2 / Call obj.Run(1, 2)
  Let,   // property assignment: obj.Name(1) = value (value is the last argument)
  Set,   // object assignment: Set obj.Name = value (value is the last argument)
};

class Object {
 public:
  static constexpr int kDefaultMember = 0;
  static constexpr int kUnknownMember = -1;

  virtual ~Object();

  // TypeName() of the object ("Object" unless a subclass names itself).
  virtual std::string typeName() const;

  // The id of a member named without regard to case; kUnknownMember when there is none.
  virtual int memberId(std::string_view name);

  // Invokes a member. Arguments come in script order; a member may write back into them
  // (ByRef arguments). Throws VbError: 438 for an unknown member or a kind the member does
  // not support, 450 for a wrong number of arguments, 13/5/... as the member decides.
  virtual Variant invoke(int memberId, InvokeKind kind, std::span<Variant> args);

  // The value of the default property (invoke of kDefaultMember with no arguments);
  // objects without one throw 438.
  virtual Variant defaultValue();

  // For Each over the object: fills the elements in order and returns true, or returns
  // false when the object is not a collection (the engine then raises 451).
  virtual bool enumerate(std::vector<Variant>& elements);

  // Moves every value the object holds into out, leaving it empty; called only on an object
  // about to be freed, so that chains of containers are freed in a loop (ReleaseValues,
  // VariantArray.h). Objects that hold no script values keep the default, which does nothing.
  virtual void surrenderValues(std::vector<Variant>& out);

  // The object as an instance of a script Class, or null: calls ask this on every member
  // access, so it is a field rather than a dynamic_cast.
  ScriptObject* asScript() const { return script_; }

 protected:
  ScriptObject* script_ = nullptr;  // set by ScriptObject
};

}  // namespace vbs
