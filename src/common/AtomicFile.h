// AtomicFile: replaces a file with new bytes so that the old file survives any failure.
//
// The bytes are written and flushed (fsync) under a hidden temporary name in the target's
// folder, the file is closed, renamed over the target in one step, and the folder is flushed
// so that after a power cut the name points at the complete new file or still at the old one.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

namespace tw {

// Writes `bytes` to `folder`/`name` (folder without a trailing "/"; "" for the root). `mode`
// is given to the new file (the umask applies when it is nullopt). Returns 0, or the errno
// of the step that failed; the target is then untouched and no temporary file is left.
int ReplaceFileAtomically(const std::string& folder, const std::string& name,
                          std::string_view bytes, std::optional<mode_t> mode = std::nullopt);

// The same for a whole path ("name" alone is in the current folder). A file already there
// keeps its permissions.
int ReplacePathAtomically(const std::string& path, std::string_view bytes);

}  // namespace tw
