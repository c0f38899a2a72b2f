// Case-insensitive path resolution over cached directory listings.
#include "common/FileResolver.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <filesystem>
#include <memory>
#include <system_error>

#include "common/TextEncoding.h"
#include "common/UniqueFd.h"
#include "vbscript/Variant.h"
#include "vbscript/VbError.h"

namespace tw {
namespace {

// A folder listed less than this long after its last change is listed again on the next
// look-up: file system times are coarse (2 s on FAT, a clock tick elsewhere), so a change in
// the same tick as the listing would not move the folder's time.
constexpr std::int64_t kSettleNs = std::int64_t{3'000'000'000};

bool IsSeparator(char c) {
  return c == '/' || c == '\\';
}

bool HasWildcard(std::string_view name) {
  return name.find_first_of("*?") != std::string_view::npos;
}

std::int64_t Nanoseconds(const timespec& t) {
  return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

std::string Join(const std::string& folder, std::string_view name) {
  std::string out = folder;
  if (out.empty() || out.back() != '/') out += '/';
  out += name;
  return out;
}

// The absolute path as components, with "." and ".." applied to the text (".." above the
// root stays at the root); nullopt when the current directory is unknown.
std::optional<std::vector<std::string>> AbsoluteComponents(std::string_view path) {
  std::vector<std::string> parts;
  auto split = [&parts](std::string_view text) {
    std::size_t pos = 0;
    while (pos <= text.size()) {
      std::size_t end = pos;
      while (end < text.size() && !IsSeparator(text[end])) ++end;
      const std::string_view part = text.substr(pos, end - pos);
      if (part == "..") {
        if (!parts.empty()) parts.pop_back();
      } else if (!part.empty() && part != ".") {
        parts.emplace_back(part);
      }
      pos = end + 1;
    }
  };
  if (!IsSeparator(path.front())) {
    std::error_code ec;
    const std::filesystem::path cwd = std::filesystem::current_path(ec);
    if (ec) return std::nullopt;
    split(cwd.native());
  }
  split(path);
  // Windows drops the blanks and dots that end a path's last name ("pic.bmp " and "pic.bmp."
  // open pic.bmp), so data written there may carry them.
  std::size_t lastStart = path.size();
  while (lastStart > 0 && !IsSeparator(path[lastStart - 1])) --lastStart;
  const std::string_view lastName = path.substr(lastStart);
  if (!lastName.empty() && lastName != "." && lastName != ".." && !parts.empty()) {
    std::string& last = parts.back();
    const std::size_t keep = last.find_last_not_of(" .");
    if (keep != std::string::npos) last.erase(keep + 1);
  }
  return parts;
}

std::string PathOf(const std::vector<std::string>& parts, std::size_t count) {
  std::string out;
  for (std::size_t i = 0; i < count; ++i) out += '/' + parts[i];
  return out.empty() ? "/" : out;
}

// "*.*" matches every file on Windows, and "name.*" matches "name" too: a final ".*" may
// also match the end of a name that has no dot.
bool MatchesFilePattern(std::string_view name, std::string_view pattern) {
  if (WildcardMatchNoCase(name, pattern)) return true;
  return pattern.ends_with(".*") && name.find('.') == std::string_view::npos &&
         WildcardMatchNoCase(name, pattern.substr(0, pattern.size() - 2));
}

}  // namespace

std::optional<std::string> FileResolver::resolve(std::string_view path) {
  // A NUL would cut the path short in every system call and make another file match.
  if (path.empty() || path.find('\0') != std::string_view::npos) return std::nullopt;
  const bool wantsFolder = IsSeparator(path.back());
  const auto parts = AbsoluteComponents(path);
  if (!parts) return std::nullopt;

  // The longest leading part that exists as spelled needs no listing: an exact match would
  // win anyway.
  std::size_t known = parts->size();
  struct stat st {};
  while (known > 0 && ::stat(PathOf(*parts, known).c_str(), &st) != 0) --known;

  std::string current = PathOf(*parts, known);
  if (!walk(*parts, known, current)) return std::nullopt;
  if (::stat(current.c_str(), &st) != 0) return std::nullopt;
  if (wantsFolder && !S_ISDIR(st.st_mode)) return std::nullopt;
  return current;
}

bool FileResolver::walk(const std::vector<std::string>& parts, std::size_t index,
                        std::string& current) {
  if (index == parts.size()) return true;
  const Listing* folder = listing(current);
  if (!folder) return false;
  const std::string& wanted = parts[index];
  const auto found = folder->byKey.find(FoldCase(wanted));
  if (found == folder->byKey.end()) return false;
  // The exact spelling first, then the other case variants in byte order. Only a folder
  // that holds several variants of one name (possible on Linux, not on Windows) makes the
  // walk try more than one. The names are copied: the walk below may list other folders,
  // and the cache may then forget this one.
  std::vector<std::string> candidates;
  for (const std::uint32_t at : found->second) {
    const Entry& entry = folder->entries[at];
    if (entry.diskName == wanted || entry.utf8Name == wanted) {
      candidates.insert(candidates.begin(), entry.diskName);
    } else {
      candidates.push_back(entry.diskName);
    }
  }
  const std::string base = current;
  for (const std::string& name : candidates) {
    current = Join(base, name);
    if (walk(parts, index + 1, current)) return true;
  }
  current = base;
  return false;
}

bool FileResolver::exists(std::string_view path) {
  return resolve(path).has_value();
}

bool FileResolver::isDirectory(std::string_view path) {
  const auto real = resolve(path);
  struct stat st {};
  return real && ::stat(real->c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

const FileResolver::Listing* FileResolver::listing(const std::string& folder) {
  struct stat st {};
  const auto forget = [this](const std::string& name) {
    if (auto it = cache_.find(name); it != cache_.end()) {
      cachedEntries_ -= it->second.entries.size();
      cache_.erase(it);
    }
  };
  if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    forget(folder);
    return nullptr;
  }
  const std::int64_t modified = Nanoseconds(st.st_mtim);
  if (auto it = cache_.find(folder); it != cache_.end()) {
    Listing& cached = it->second;
    if (cached.device == st.st_dev && cached.inode == st.st_ino && cached.modifiedNs == modified &&
        modified + kSettleNs <= cached.listedNs) {
      cached.lastUse = ++useClock_;
      return &cached;
    }
  }

  // The time is taken before reading, so a change during the read is not mistaken for one
  // that the listing already holds.
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  Listing fresh;
  fresh.device = st.st_dev;
  fresh.inode = st.st_ino;
  fresh.modifiedNs = modified;
  fresh.listedNs = Nanoseconds(now);

  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
  if (!dir) {
    forget(folder);
    return nullptr;
  }
  while (const dirent* d = ::readdir(dir.get())) {
    const std::string_view name = d->d_name;
    if (name == "." || name == "..") continue;
    Kind kind = Kind::Other;
    if (d->d_type == DT_REG) {
      kind = Kind::File;
    } else if (d->d_type == DT_DIR) {
      kind = Kind::Directory;
    } else if (d->d_type == DT_LNK || d->d_type == DT_UNKNOWN) {
      struct stat target {};
      if (::stat(Join(folder, name).c_str(), &target) == 0) {
        kind = S_ISDIR(target.st_mode)   ? Kind::Directory
               : S_ISREG(target.st_mode) ? Kind::File
                                         : Kind::Other;
      }
    }
    std::string utf8 = NameToUtf8(name);
    std::string key = FoldCase(utf8);
    fresh.entries.push_back({std::string(name), std::move(utf8), std::move(key), kind});
  }
  // Byte order makes "the first of several case variants" the same on every machine.
  std::sort(fresh.entries.begin(), fresh.entries.end(),
            [](const Entry& a, const Entry& b) { return a.diskName < b.diskName; });
  fresh.byKey.reserve(fresh.entries.size());
  for (std::size_t i = 0; i < fresh.entries.size(); ++i) {
    fresh.byKey[fresh.entries[i].key].push_back(static_cast<std::uint32_t>(i));
  }
  fresh.lastUse = ++useClock_;
  forget(folder);
  cachedEntries_ += fresh.entries.size();
  Listing& stored = cache_[folder] = std::move(fresh);
  trimCache(folder);
  return &stored;
}

void FileResolver::trimCache(const std::string& keep) {
  while (cache_.size() > 1 &&
         (cache_.size() > kMaxListings || cachedEntries_ > kMaxCachedEntries)) {
    auto oldest = cache_.end();
    for (auto it = cache_.begin(); it != cache_.end(); ++it) {
      if (it->first == keep) continue;
      if (oldest == cache_.end() || it->second.lastUse < oldest->second.lastUse) oldest = it;
    }
    cachedEntries_ -= oldest->second.entries.size();
    cache_.erase(oldest);
  }
}

std::vector<const FileResolver::Entry*> FileResolver::matchingFiles(const std::string& folder,
                                                                    std::string_view pattern) {
  std::vector<const Entry*> out;
  const Listing* l = listing(folder);
  if (!l) return out;
  for (const Entry& entry : l->entries) {
    if (entry.kind == Kind::File && MatchesFilePattern(entry.utf8Name, pattern)) {
      out.push_back(&entry);
    }
  }
  std::sort(out.begin(), out.end(), [](const Entry* a, const Entry* b) {
    return a->key != b->key ? a->key < b->key : a->utf8Name < b->utf8Name;
  });
  return out;
}

std::vector<std::string> FileResolver::list(std::string_view folder, std::string_view pattern) {
  std::vector<std::string> names;
  const auto real = resolve(folder.empty() ? std::string_view(".") : folder);
  if (!real) return names;
  for (const Entry* entry : matchingFiles(*real, pattern)) names.push_back(entry->utf8Name);
  return names;
}

std::string FileResolver::findFileName(std::string_view path) {
  if (path.empty() || path.find('\0') != std::string_view::npos) return "";
  std::size_t cut = path.size();
  while (cut > 0 && !IsSeparator(path[cut - 1])) --cut;
  const std::string_view name = path.substr(cut);

  if (!name.empty() && !HasWildcard(name)) {
    const auto real = resolve(path);
    struct stat st {};
    if (!real || ::stat(real->c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return "";
    return NameToUtf8(real->substr(real->rfind('/') + 1));
  }
  std::string_view folder = path.substr(0, cut);
  if (folder.empty()) folder = ".";
  const auto realFolder = resolve(folder);
  if (!realFolder) return "";
  const auto files = matchingFiles(*realFolder, name.empty() ? std::string_view("*") : name);
  return files.empty() ? "" : files.front()->utf8Name;
}

std::optional<double> FileResolver::fileDate(std::string_view path) {
  const auto real = resolve(path);
  struct stat st {};
  if (!real || ::stat(real->c_str(), &st) != 0) return std::nullopt;
  std::tm local{};
  if (!::localtime_r(&st.st_mtim.tv_sec, &local)) return std::nullopt;
  try {
    return vbs::DateFromParts({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                               local.tm_min, local.tm_sec});
  } catch (const vbs::VbError&) {
    return std::nullopt;  // a time outside the years 100..9999 has no OLE date
  }
}

bool FileResolver::removeFile(std::string_view path) {
  const auto real = resolve(path);
  struct stat st {};
  if (!real || ::lstat(real->c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
  const bool removed = ::unlink(real->c_str()) == 0;
  if (auto it = cache_.find(real->substr(0, std::max<std::size_t>(real->rfind('/'), 1)));
      it != cache_.end()) {
    cachedEntries_ -= it->second.entries.size();
    cache_.erase(it);
  }
  return removed;
}

std::optional<std::string> FileResolver::readFile(std::string_view path) {
  const auto real = resolve(path);
  if (!real) return std::nullopt;
  UniqueFd fd(::open(real->c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!fd) return std::nullopt;
  struct stat st {};
  // Only regular files: a pipe or device named by mistake must not block or never end.
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  if (static_cast<std::uint64_t>(st.st_size) > kMaxFileSize) {
    throw vbs::VbError(vbs::err::kOutOfMemory);
  }
  std::string data(static_cast<std::size_t>(st.st_size), '\0');
  std::size_t filled = 0;
  while (filled < data.size()) {
    const ssize_t got = ::read(fd.get(), data.data() + filled, data.size() - filled);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  data.resize(filled);
  // The file may have grown since fstat: read on to its end, within the limit.
  char more[65536];
  for (;;) {
    const ssize_t got = ::read(fd.get(), more, sizeof more);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    data.append(more, static_cast<std::size_t>(got));
    if (data.size() > kMaxFileSize) throw vbs::VbError(vbs::err::kOutOfMemory);
  }
  return data;
}

void FileResolver::invalidate() {
  cache_.clear();
  cachedEntries_ = 0;
}

std::string ToNativeSeparators(std::string_view path) {
  std::string out(path);
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

}  // namespace tw
