// Value forms of FieldWriter and the replace-on-success save.
#include "common/FieldWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "common/FileResolver.h"
#include "common/TextEncoding.h"
#include "common/UniqueFd.h"
#include "vbscript/VbError.h"

namespace tw {
namespace {

vbs::VbError ErrorFor(int code) {
  switch (code) {
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
      return vbs::VbError(vbs::err::kPermissionDenied);
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return vbs::VbError(vbs::err::kDiskFull);
    case ENOENT:
    case ENOTDIR:
      return vbs::VbError(vbs::err::kPathNotFound);
    default:
      return vbs::VbError(vbs::err::kPathFileAccessError);
  }
}

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t put = ::write(fd, data.data(), data.size());
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    data.remove_prefix(static_cast<std::size_t>(put));
  }
  return true;
}

// Removes the temporary file unless the save went through.
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

void FieldWriter::writeString(std::string_view text) {
  text_ += '"';
  const std::size_t start = text_.size();
  text_ += text;
  std::replace(text_.begin() + static_cast<std::ptrdiff_t>(start), text_.end(), '"', '\'');
  text_ += "\"\r\n";
}

void FieldWriter::writeInteger(std::int32_t value) {
  text_ += std::to_string(value);
  text_ += "\r\n";
}

void FieldWriter::writeVariant(const vbs::Variant& value) {
  using vbs::VarType;
  switch (value.type()) {
    case VarType::Empty:
      break;
    case VarType::Null:
      text_ += "#NULL#";
      break;
    case VarType::Boolean:
      text_ += value.rawInt() != 0 ? "#TRUE#" : "#FALSE#";
      break;
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
      text_ += std::to_string(value.rawInt());
      break;
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
      text_ += value.toString();
      break;
    case VarType::Error:
      text_ += "#ERROR " + std::to_string(value.rawInt()) + "#";
      break;
    case VarType::String:
      writeString(value.rawString());
      return;
    case VarType::Date: {
      const vbs::DateParts p = vbs::SplitDate(value.rawDouble());
      char buffer[48];
      if (p.hour == 0 && p.minute == 0 && p.second == 0) {
        std::snprintf(buffer, sizeof buffer, "#%04d-%02d-%02d#", p.year, p.month, p.day);
      } else {
        std::snprintf(buffer, sizeof buffer, "#%04d-%02d-%02d %02d:%02d:%02d#", p.year, p.month,
                      p.day, p.hour, p.minute, p.second);
      }
      text_ += buffer;
      break;
    }
    default:
      throw vbs::VbError(vbs::err::kTypeMismatch);
  }
  text_ += "\r\n";
}

void FieldWriter::saveTo(std::string_view path) const {
  std::size_t cut = path.size();
  while (cut > 0 && path[cut - 1] != '/' && path[cut - 1] != '\\') --cut;
  const std::string_view name = path.substr(cut);
  if (name.empty() || name == "." || name == "..") {
    throw vbs::VbError(vbs::err::kPathFileAccessError);
  }
  std::string_view folderPart = path.substr(0, cut);
  if (folderPart.empty()) folderPart = ".";

  FileResolver files;
  const auto folder = files.resolve(folderPart);
  if (!folder || !files.isDirectory(*folder)) throw vbs::VbError(vbs::err::kPathNotFound);
  const std::string base = *folder == "/" ? std::string() : *folder;

  std::string target = base + "/" + std::string(name);
  mode_t mode = 0666;  // the umask applies to a new file
  bool replacing = false;
  if (const auto existing = files.resolve(target)) {
    struct stat st {};
    if (::stat(existing->c_str(), &st) != 0) throw ErrorFor(errno);
    if (!S_ISREG(st.st_mode)) throw vbs::VbError(vbs::err::kPathFileAccessError);
    // Replacing a file needs only the folder's permission on Linux; a file nobody may write
    // is the read-only file of Windows and must stay.
    if ((st.st_mode & 0222) == 0 || ::access(existing->c_str(), W_OK) != 0) {
      throw vbs::VbError(vbs::err::kPermissionDenied);
    }
    target = *existing;
    mode = st.st_mode & 07777;
    replacing = true;
  }

  // The temporary name does not repeat the target's: a target name near the file system's
  // length limit must not fail only because its temporary companion is longer.
  UniqueFd fd;
  std::string tempPath;
  for (int attempt = 0; !fd; ++attempt) {
    tempPath = base + "/.talewick-save-" + std::to_string(::getpid()) + "-" +
               std::to_string(attempt) + ".tmp";
    fd = UniqueFd(::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!fd && (errno != EEXIST || attempt >= 100)) throw ErrorFor(errno);
  }
  TempFile temp(tempPath);

  const std::string bytes = EncodeSavedText(text_);
  if (!WriteAll(fd.get(), bytes) || ::fsync(fd.get()) != 0) throw ErrorFor(errno);
  if (replacing && ::fchmod(fd.get(), mode) != 0) throw ErrorFor(errno);
  if (!fd.reset()) throw ErrorFor(errno);
  if (::rename(temp.path().c_str(), target.c_str()) != 0) throw ErrorFor(errno);
  temp.keep();
  // The new name lives in the folder: flush the folder too, so that after a power cut the
  // name points at the complete new file or still at the old one. The file itself is safe
  // by now, so a folder that cannot be flushed is no failure of the save.
  if (UniqueFd dir(::open(base.empty() ? "/" : base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
      dir) {
    ::fsync(dir.get());
  }
}

}  // namespace tw
