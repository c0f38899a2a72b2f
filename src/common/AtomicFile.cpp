#include "common/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/UniqueFd.h"

namespace tw {

namespace {

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t put = ::write(fd, data.data(), data.size());
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      if (put == 0) errno = EIO;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(put));
  }
  return true;
}

// Removes the temporary file unless it became the target.
class TempFile {
 public:
  explicit TempFile(std::string path) : path_(std::move(path)) {}
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  const std::string& path() const { return path_; }
  void keep() { path_.clear(); }

 private:
  std::string path_;
};

}  // namespace

int ReplaceFileAtomically(const std::string& folder, const std::string& name,
                          std::string_view bytes, std::optional<mode_t> mode) {
  // The temporary name does not repeat the target's: a target name near the file system's
  // length limit must not fail only because its temporary companion is longer.
  UniqueFd fd;
  std::string tempPath;
  for (int attempt = 0; !fd; ++attempt) {
    tempPath = folder + "/.talewick-save-" + std::to_string(::getpid()) + "-" +
               std::to_string(attempt) + ".tmp";
    fd = UniqueFd(::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!fd && (errno != EEXIST || attempt >= 100)) return errno;
  }
  TempFile temp(tempPath);
  if (!WriteAll(fd.get(), bytes) || ::fsync(fd.get()) != 0) return errno;
  if (mode && ::fchmod(fd.get(), *mode) != 0) return errno;
  if (!fd.reset()) return errno;
  const std::string target = folder + "/" + name;
  if (::rename(temp.path().c_str(), target.c_str()) != 0) return errno;
  temp.keep();
  // The file itself is safe by now, so a folder that cannot be flushed is no failure.
  if (UniqueFd dir(::open(folder.empty() ? "/" : folder.c_str(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC));
      dir) {
    ::fsync(dir.get());
  }
  return 0;
}

int ReplacePathAtomically(const std::string& path, std::string_view bytes) {
  const std::size_t cut = path.find_last_of('/');
  const std::string folder = cut == std::string::npos ? "." : path.substr(0, cut);
  const std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
  std::optional<mode_t> mode;
  if (struct stat st {}; ::stat(path.c_str(), &st) == 0) mode = st.st_mode & 07777;
  return ReplaceFileAtomically(folder, name, bytes, mode);
}

}  // namespace tw
