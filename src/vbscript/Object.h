// Object: base of every object a script can hold (host objects such as Action, and objects of
// script classes). The engine extends it with member lookup and calls later.
//
// Objects are shared: Variants hold them through std::shared_ptr, and Set copies the pointer.
#pragma once

#include <string>

#include "vbscript/Variant.h"

namespace vbs {

class Object {
 public:
  virtual ~Object();

  // TypeName() of the object ("Object" unless a subclass names itself).
  virtual std::string typeName() const;

  // The value of the default property, used when a script treats the object as a value
  // (CStr(obj), obj = 5). Objects without one throw 438.
  virtual Variant defaultValue() const;
};

}  // namespace vbs
