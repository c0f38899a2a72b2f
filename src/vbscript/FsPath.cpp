// FsPath: path strings and the case-insensitive resolver.
#include "vbscript/FsPath.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "vbscript/Utf16.h"

namespace vbs::detail {

namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

bool Exists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

std::string Join(const std::string& folder, std::string_view name) {
  if (folder.empty()) return std::string(name);
  if (folder.back() == '/') return folder + std::string(name);
  return folder + "/" + std::string(name);
}

struct DirCloser {
  void operator()(DIR* d) const { ::closedir(d); }
};

// The entry of folder whose name equals name without regard to case; "" when none.
std::string FindIgnoringCase(const std::string& folder, std::string_view name) {
  std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.empty() ? "." : folder.c_str()));
  if (!dir) return {};
  const std::u16string wanted = FoldName(name);
  std::vector<std::string> matches;
  while (const dirent* entry = ::readdir(dir.get())) {
    std::string_view entryName = entry->d_name;
    if (FoldName(entryName) == wanted) {
      matches.emplace_back(entryName);
    }
  }
  if (matches.empty()) return {};
  return *std::min_element(matches.begin(), matches.end());
}

// The components of a path, without empty ones.
std::vector<std::string_view> Components(std::string_view path) {
  std::vector<std::string_view> parts;
  std::size_t i = 0;
  while (i < path.size()) {
    while (i < path.size() && IsSeparator(path[i])) ++i;
    std::size_t j = i;
    while (j < path.size() && !IsSeparator(path[j])) ++j;
    if (j > i) parts.push_back(path.substr(i, j - i));
    i = j;
  }
  return parts;
}

std::string_view WithoutTrailingSeparators(std::string_view path) {
  while (path.size() > 1 && IsSeparator(path.back())) path.remove_suffix(1);
  return path;
}

bool IsDriveLetterPath(std::string_view path) {
  return path.size() >= 2 && path[1] == ':' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

}  // namespace

std::string ToSlashes(std::string_view path) {
  std::string out(path);
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

std::string ResolvePath(std::string_view scriptPath) {
  const std::string path = ToSlashes(scriptPath);
  if (path.empty() || Exists(path)) return path;
  std::string out = path.front() == '/' ? "/" : "";
  const std::vector<std::string_view> parts = Components(path);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    std::string_view part = parts[i];
    std::string exact = Join(out, part);
    if (part == "." || part == ".." || Exists(exact)) {
      out = std::move(exact);
      continue;
    }
    std::string found = FindIgnoringCase(out, part);
    if (found.empty()) {
      // Nothing further exists: keep the rest as the script wrote it.
      for (std::size_t k = i; k < parts.size(); ++k) out = Join(out, parts[k]);
      break;
    }
    out = Join(out, found);
  }
  if (EndsWithSeparator(path) && !out.empty() && out.back() != '/') out += '/';
  return out;
}

std::string AbsolutePath(std::string_view path) {
  std::string full = ToSlashes(path);
  if (full.empty() || full.front() != '/') {
    std::string cwd;
    if (std::unique_ptr<char, decltype(&std::free)> buffer(::getcwd(nullptr, 0), &std::free);
        buffer) {
      cwd = buffer.get();
    } else {
      cwd = "/";  // a removed working directory: fall back to the root rather than fail
    }
    full = cwd + "/" + full;
  }
  std::vector<std::string_view> kept;
  for (std::string_view part : Components(full)) {
    if (part == ".") continue;
    if (part == "..") {
      if (!kept.empty()) kept.pop_back();
      continue;
    }
    kept.push_back(part);
  }
  std::string out;
  for (std::string_view part : kept) {
    out += '/';
    out += part;
  }
  return out.empty() ? "/" : out;
}

std::string FileNamePart(std::string_view path) {
  path = WithoutTrailingSeparators(path);
  if (path.size() == 1 && IsSeparator(path[0])) return {};
  if (IsDriveLetterPath(path) && path.size() == 2) return {};
  std::size_t cut = path.find_last_of("/\\");
  std::string_view name = cut == std::string_view::npos ? path : path.substr(cut + 1);
  if (cut == std::string_view::npos && IsDriveLetterPath(name)) name.remove_prefix(2);
  return std::string(name);
}

std::string ParentPart(std::string_view path) {
  path = WithoutTrailingSeparators(path);
  std::size_t cut = path.find_last_of("/\\");
  if (cut == std::string_view::npos) {
    return IsDriveLetterPath(path) && path.size() > 2 ? std::string(path.substr(0, 2)) : "";
  }
  if (path.size() == 1) return {};  // the root has no parent
  std::string_view parent = path.substr(0, cut);
  while (!parent.empty() && IsSeparator(parent.back())) parent.remove_suffix(1);
  if (parent.empty()) return "/";
  if (parent.size() == 2 && IsDriveLetterPath(parent)) return ToSlashes(path.substr(0, 3));
  return ToSlashes(parent);
}

std::string BaseNamePart(std::string_view path) {
  const std::string name = FileNamePart(path);
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string ExtensionPart(std::string_view path) {
  const std::string name = FileNamePart(path);
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string DriveNamePart(std::string_view path) {
  if (IsDriveLetterPath(path)) return std::string(path.substr(0, 2));
  if (path.size() > 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    // \\server\share: the server and the share name.
    std::size_t server = path.find_first_of("/\\", 2);
    if (server == std::string_view::npos) return ToSlashes(path);
    std::size_t share = path.find_first_of("/\\", server + 1);
    return ToSlashes(path.substr(0, share));
  }
  if (!path.empty() && IsSeparator(path[0])) return "/";
  return {};
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  if (folder.empty()) return ToSlashes(name);
  if (name.empty()) return ToSlashes(folder);
  if (IsDriveLetterPath(folder) && folder.size() == 2) return ToSlashes(folder) + ToSlashes(name);
  while (!name.empty() && IsSeparator(name.front())) name.remove_prefix(1);
  std::string out = ToSlashes(folder);
  if (out.back() != '/') out += '/';
  return out + ToSlashes(name);
}

bool EndsWithSeparator(std::string_view path) { return !path.empty() && IsSeparator(path.back()); }

std::u16string FoldName(std::string_view name) {
  std::u16string folded = ToUtf16(name);
  for (char16_t& c : folded) c = FoldCase(c);
  return folded;
}

bool HasWildcards(std::string_view name) {
  return name.find_first_of("*?") != std::string_view::npos;
}

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
  if (pattern == "*.*") return true;
  const std::u16string p = FoldName(pattern);
  const std::u16string n = FoldName(name);
  // Iterative matching with one back-track point: linear in practice, no recursion depth.
  std::size_t pi = 0, ni = 0, starP = std::u16string::npos, starN = 0;
  while (ni < n.size()) {
    if (pi < p.size() && (p[pi] == u'?' || p[pi] == n[ni])) {
      ++pi;
      ++ni;
    } else if (pi < p.size() && p[pi] == u'*') {
      starP = pi++;
      starN = ni;
    } else if (starP != std::u16string::npos) {
      pi = starP + 1;
      ni = ++starN;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == u'*') ++pi;
  return pi == p.size();
}

}  // namespace vbs::detail
