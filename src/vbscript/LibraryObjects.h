// LibraryObjects: the objects of the Script Runtime library that scripts create by name with
// CreateObject — "Scripting.Dictionary", "Scripting.FileSystemObject" — and VBScript's own
// "VBScript.RegExp", the object New RegExp makes.
//
// Each call gives a new, independent object. Prog ids match without regard to case, as the
// Windows registry matches them. The engine turns a nullptr into error 429 ("ActiveX component
// can't create object"), so unknown names behave as on a machine without the component.
#pragma once

#include <memory>
#include <string_view>

#include "vbscript/Builtins.h"
#include "vbscript/Object.h"

namespace vbs {

// A new Dictionary, FileSystemObject or RegExp for its prog id; nullptr for any other name.
// A RegExp's searches end at the time-out of `host`'s scripts.
std::shared_ptr<Object> CreateLibraryObject(std::string_view progId,
                                            std::weak_ptr<BuiltinHost> host = {});

}  // namespace vbs
