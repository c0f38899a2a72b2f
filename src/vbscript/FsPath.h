// FsPath: path texts of the FileSystemObject on Linux.
//
// Scripts were written on Windows: they separate folders with "\" and name files in any letter
// case. Every path a script gives goes through ResolvePath, which accepts "\" and "/" and finds
// each existing component without regard to case; every path handed back to a script uses "/".
// The string functions (file name, parent, base name, ...) never touch the disk, as on Windows.
#pragma once

#include <string>
#include <string_view>

namespace vbs::detail {

// "\" becomes "/".
std::string ToSlashes(std::string_view path);

// The path on disk a script path names: the exact path when it exists, else each component
// matched without regard to case (an exact match first, else the first case variant in
// sorted order); components from the first one that matches nothing on are kept as given, so a
// file about to be created lands in the real parent folder. Empty stays empty.
std::string ResolvePath(std::string_view scriptPath);

// The absolute form of a path: relative paths start at the working directory, "." and ".."
// are applied, repeated and trailing separators dropped ("/" stays "/"). No disk access
// beyond reading the working directory.
std::string AbsolutePath(std::string_view path);

// GetFileName: the last component, trailing separators ignored ("" for a root or "").
std::string FileNamePart(std::string_view path);
// GetParentFolderName: everything before the last component, without trailing separators
// unless that is the root ("/a" -> "/", "a" -> "").
std::string ParentPart(std::string_view path);
// GetBaseName / GetExtensionName: the file name before / after its last ".".
std::string BaseNamePart(std::string_view path);
std::string ExtensionPart(std::string_view path);
// GetDriveName: "C:" for "C:\...", "\\server\share" for UNC paths, "/" for absolute Linux
// paths (the root volume), "" for relative paths.
std::string DriveNamePart(std::string_view path);
// BuildPath: the two joined by exactly one separator (none added after a bare drive "C:").
std::string JoinPath(std::string_view folder, std::string_view name);

// Whether the text ends with "\" or "/" (a destination that names a folder).
bool EndsWithSeparator(std::string_view path);

// A name folded for comparison without regard to case.
std::u16string FoldName(std::string_view name);
// Wildcards of the last path component: "*" any run, "?" one character; "*.*" matches every
// name. Matching ignores case.
bool HasWildcards(std::string_view name);
bool MatchesWildcard(std::string_view pattern, std::string_view name);

}  // namespace vbs::detail
