// FileSystemObject: the Script Runtime's "Scripting.FileSystemObject" — path texts, file and
// folder operations, text files — on Linux paths (see FsPath for how Windows paths are found).
// GetSpecialFolder(2) is the temporary folder ($TMPDIR, else /tmp); the Windows and System
// folders (0 and 1) are the root folder, which every Linux system has.
#pragma once

#include <memory>

#include "vbscript/Object.h"

namespace vbs::detail {

std::shared_ptr<Object> NewFileSystemObject();

}  // namespace vbs::detail
