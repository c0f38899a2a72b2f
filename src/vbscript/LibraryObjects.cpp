// LibraryObjects: CreateObject's table of the library's prog ids.
#include "vbscript/LibraryObjects.h"

#include "vbscript/Dictionary.h"
#include "vbscript/FileSystemObject.h"
#include "vbscript/RegExpObject.h"

namespace vbs {

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

std::shared_ptr<Object> CreateLibraryObject(std::string_view progId,
                                            std::weak_ptr<BuiltinHost> host) {
  if (SameIgnoringCase(progId, "Scripting.Dictionary")) return detail::NewDictionary();
  if (SameIgnoringCase(progId, "Scripting.FileSystemObject")) {
    return detail::NewFileSystemObject();
  }
  if (SameIgnoringCase(progId, "VBScript.RegExp")) return NewRegExp(std::move(host));
  return nullptr;
}

}  // namespace vbs
