// FsOps: POSIX implementations of the FileSystemObject's file and folder operations.
#include "vbscript/FsOps.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <memory>

#include "vbscript/FsPath.h"
#include "vbscript/Variant.h"
#include "vbscript/VbError.h"

namespace vbs::detail {

namespace {

struct DirCloser {
  void operator()(DIR* d) const { ::closedir(d); }
};

// An open file descriptor, closed when it goes.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now and reports whether the data reached the file system.
  bool close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

std::optional<struct stat> LstatOf(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return std::nullopt;
  return st;
}

std::string ChildPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The canonical path of a folder, or of a path that does not exist yet inside an existing one.
std::string CanonicalFolder(const std::string& path) {
  if (std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr),
                                                       &std::free);
      real) {
    return real.get();
  }
  const std::string parent = ParentPart(path);
  return CanonicalFolder(parent.empty() ? "." : parent) + "/" + FileNamePart(path);
}

void WriteAll(int fd, const char* data, std::size_t size, const std::string& path) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowSystemError(errno, path);
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
}

}  // namespace

void ThrowSystemError(int errorNumber, const std::string& path) {
  switch (errorNumber) {
    case ENOENT: {
      const std::string parent = ParentPart(path);
      throw VbError(parent.empty() || IsFolder(parent) ? err::kFileNotFound : err::kPathNotFound);
    }
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: throw VbError(err::kPathNotFound);
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case EBUSY:
    case ETXTBSY:
    case EINVAL:
    case EXDEV: throw VbError(err::kPermissionDenied);
    case EEXIST:
    case ENOTEMPTY: throw VbError(err::kFileAlreadyExists);
    case ENOSPC:
    case EDQUOT: throw VbError(err::kDiskFull);
    case EMFILE:
    case ENFILE: throw VbError(err::kTooManyFiles);
    case EIO: throw VbError(err::kDeviceIoError);
    default: throw VbError(err::kPathFileAccessError);
  }
}

std::optional<struct stat> StatOf(const std::string& path) {
  struct stat st;
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return std::nullopt;
  return st;
}

bool IsFolder(const std::string& path) {
  auto st = StatOf(path);
  return st && S_ISDIR(st->st_mode);
}

bool IsFile(const std::string& path) {
  auto st = StatOf(path);
  return st && !S_ISDIR(st->st_mode);
}

double OleDateOf(std::int64_t secondsSinceEpoch) {
  const auto t = static_cast<std::time_t>(secondsSinceEpoch);
  std::tm local{};
  if (::localtime_r(&t, &local) == nullptr) return 0;
  try {
    return DateFromParts({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                          local.tm_min, local.tm_sec});
  } catch (const VbError&) {
    return 0;  // a time stamp outside the Date range: the start of the Date epoch
  }
}

std::vector<std::string> ListFolder(const std::string& folder, bool folders) {
  std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.empty() ? "." : folder.c_str()));
  if (!dir) throw VbError(err::kPathNotFound);
  std::vector<std::string> names;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    auto st = StatOf(ChildPath(folder, name));
    if (st && S_ISDIR(st->st_mode) == folders) names.push_back(name);
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const std::u16string fa = FoldName(a), fb = FoldName(b);
    return fa != fb ? fa < fb : a < b;
  });
  return names;
}

std::vector<std::string> ExpandWildcards(const std::string& source, bool folders) {
  const std::string pattern = FileNamePart(source);
  if (!HasWildcards(pattern)) return {source};
  const std::string parent = ParentPart(source);
  if (!parent.empty() && !IsFolder(parent)) throw VbError(err::kPathNotFound);
  std::vector<std::string> paths;
  for (const std::string& name : ListFolder(parent.empty() ? "." : parent, folders)) {
    if (MatchesWildcard(pattern, name)) paths.push_back(ChildPath(parent, name));
  }
  return paths;
}

void CopyOneFile(const std::string& from, const std::string& to, bool overwrite) {
  auto source = StatOf(from);
  if (!source || S_ISDIR(source->st_mode)) ThrowSystemError(ENOENT, from);
  if (auto target = StatOf(to)) {
    if (S_ISDIR(target->st_mode)) throw VbError(err::kPermissionDenied);
    if (!overwrite) throw VbError(err::kFileAlreadyExists);
    // Copying a file onto itself would truncate it before reading it.
    if (target->st_dev == source->st_dev && target->st_ino == source->st_ino) {
      throw VbError(err::kPermissionDenied);
    }
    if ((target->st_mode & S_IWUSR) == 0) throw VbError(err::kPermissionDenied);  // read-only
  }
  Fd in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
  if (in.get() < 0) ThrowSystemError(errno, from);
  Fd out(::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, source->st_mode & 0777));
  if (out.get() < 0) ThrowSystemError(errno, to);
  std::unique_ptr<char[]> buffer = std::make_unique<char[]>(1 << 16);
  for (;;) {
    const ssize_t n = ::read(in.get(), buffer.get(), 1 << 16);
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowSystemError(errno, from);
    }
    if (n == 0) break;
    WriteAll(out.get(), buffer.get(), static_cast<std::size_t>(n), to);
  }
  if (!out.close()) ThrowSystemError(errno, to);
}

void MoveOne(const std::string& from, const std::string& to) {
  auto source = LstatOf(from);
  if (!source) ThrowSystemError(ENOENT, from);
  if (LstatOf(to)) throw VbError(err::kFileAlreadyExists);
  if (::rename(from.c_str(), to.c_str()) == 0) return;
  if (errno != EXDEV) ThrowSystemError(errno, to);
  // Another volume: copy, then remove the original.
  if (S_ISDIR(source->st_mode)) {
    CopyTree(from, to, false);
    DeleteTree(from, true);
  } else {
    CopyOneFile(from, to, false);
    DeleteOneFile(from, true);
  }
}

void DeleteOneFile(const std::string& path, bool force) {
  auto st = LstatOf(path);
  if (!st || S_ISDIR(st->st_mode)) ThrowSystemError(ENOENT, path);
  if (!force && !S_ISLNK(st->st_mode) && (st->st_mode & S_IWUSR) == 0) {
    throw VbError(err::kPermissionDenied);
  }
  if (::unlink(path.c_str()) != 0) ThrowSystemError(errno, path);
}

void CopyTree(const std::string& from, const std::string& to, bool overwrite) {
  if (!IsFolder(from)) throw VbError(err::kPathNotFound);
  const std::string source = CanonicalFolder(from);
  const std::string target = CanonicalFolder(to);
  // A copy into the folder itself would copy its own copy again and again.
  if (target == source || target.rfind(source + "/", 0) == 0) {
    throw VbError(err::kPermissionDenied);
  }
  if (auto existing = StatOf(to)) {
    if (!S_ISDIR(existing->st_mode) || !overwrite) throw VbError(err::kFileAlreadyExists);
  } else if (::mkdir(to.c_str(), 0777) != 0) {
    ThrowSystemError(errno, to);
  }
  std::unique_ptr<DIR, DirCloser> dir(::opendir(from.c_str()));
  if (!dir) ThrowSystemError(errno, from);
  std::vector<std::string> names;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  dir.reset();
  for (const std::string& name : names) {
    const std::string a = ChildPath(from, name), b = ChildPath(to, name);
    auto st = LstatOf(a);
    if (!st) continue;  // removed meanwhile
    if (S_ISLNK(st->st_mode)) {
      // Links are copied as links: following one could lead out of the tree or round in a loop.
      char link[PATH_MAX];
      const ssize_t n = ::readlink(a.c_str(), link, sizeof link - 1);
      if (n < 0) ThrowSystemError(errno, a);
      if (LstatOf(b)) {
        if (!overwrite) throw VbError(err::kFileAlreadyExists);
        ::unlink(b.c_str());
      }
      if (::symlink(std::string(link, static_cast<std::size_t>(n)).c_str(), b.c_str()) != 0) {
        ThrowSystemError(errno, b);
      }
    } else if (S_ISDIR(st->st_mode)) {
      CopyTree(a, b, overwrite);
    } else {
      CopyOneFile(a, b, overwrite);
    }
  }
}

void DeleteTree(const std::string& path, bool force) {
  auto st = LstatOf(path);
  if (!st) throw VbError(err::kPathNotFound);
  if (!S_ISDIR(st->st_mode)) {
    DeleteOneFile(path, force);
    return;
  }
  std::vector<std::string> names;
  {
    std::unique_ptr<DIR, DirCloser> dir(::opendir(path.c_str()));
    if (!dir) ThrowSystemError(errno, path);
    while (const dirent* entry = ::readdir(dir.get())) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
  }
  for (const std::string& name : names) DeleteTree(ChildPath(path, name), force);
  if (::rmdir(path.c_str()) != 0) ThrowSystemError(errno, path);
}

std::int64_t TreeSize(const std::string& folder) {
  std::int64_t total = 0;
  std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
  if (!dir) return 0;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    const std::string child = ChildPath(folder, name);
    auto st = LstatOf(child);
    if (!st) continue;
    if (S_ISDIR(st->st_mode)) {
      total += TreeSize(child);
    } else if (S_ISREG(st->st_mode)) {
      total += st->st_size;
    }
  }
  return total;
}

std::int32_t AttributesOf(const std::string& path) {
  auto st = StatOf(path);
  if (!st) ThrowSystemError(ENOENT, path);
  std::int32_t attributes = 0;
  if ((st->st_mode & S_IWUSR) == 0) attributes |= 1;
  const std::string name = FileNamePart(path);
  if (!name.empty() && name[0] == '.') attributes |= 2;
  attributes |= S_ISDIR(st->st_mode) ? 16 : 32;
  return attributes;
}

void SetAttributes(const std::string& path, std::int32_t attributes) {
  auto st = StatOf(path);
  if (!st) ThrowSystemError(ENOENT, path);
  mode_t mode = st->st_mode & 07777;
  if (attributes & 1) {
    mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
  } else {
    mode |= S_IWUSR;
  }
  if (mode != (st->st_mode & 07777) && ::chmod(path.c_str(), mode) != 0) {
    ThrowSystemError(errno, path);
  }
}

}  // namespace vbs::detail
