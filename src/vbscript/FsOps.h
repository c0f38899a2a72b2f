// FsOps: the file system operations behind FileSystemObject, File and Folder, and the mapping
// of system errors to the VB error numbers Windows scripts see.
//
// Paths given here are disk paths (already resolved, "/" separators). Every failure throws
// VbError: 53 File not found, 76 Path not found, 58 File already exists, 70 Permission denied,
// 61 Disk full, 67 Too many files, 75 Path/File access error for the rest.
// Recursive operations never follow symbolic links into folders, so a link cannot make a copy
// or a deletion loop or leave the tree it was asked to work on.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vbs::detail {

// Throws the VB error for an errno of an operation on path (ENOENT is 53 when the parent
// folder exists, else 76).
[[noreturn]] void ThrowSystemError(int errorNumber, const std::string& path);

// stat() following links; nullopt when the path does not exist.
std::optional<struct stat> StatOf(const std::string& path);
bool IsFolder(const std::string& path);
bool IsFile(const std::string& path);  // anything that exists and is not a folder

// A file time as an OLE date in local time.
double OleDateOf(std::int64_t secondsSinceEpoch);

// The names in a folder (not "." and ".."), sorted without regard to case; folders or files
// only. Throws 76 when the folder cannot be read.
std::vector<std::string> ListFolder(const std::string& folder, bool folders);

// The paths a source with wildcards in its last component names (sorted), or the path itself
// when it has none. Only entries of the wanted kind count.
std::vector<std::string> ExpandWildcards(const std::string& source, bool folders);

void CopyOneFile(const std::string& from, const std::string& to, bool overwrite);
void MoveOne(const std::string& from, const std::string& to);  // file or folder; 58 if to exists
void DeleteOneFile(const std::string& path, bool force);
void CopyTree(const std::string& from, const std::string& to, bool overwrite);
void DeleteTree(const std::string& path, bool force);
std::int64_t TreeSize(const std::string& folder);

// Windows file attributes as Linux shows them: ReadOnly (1) when the owner may not write,
// Hidden (2) for names starting with ".", Directory (16), Archive (32) for files.
std::int32_t AttributesOf(const std::string& path);
// Sets the ReadOnly attribute (the other bits cannot be changed here and are ignored).
void SetAttributes(const std::string& path, std::int32_t attributes);

}  // namespace vbs::detail
