// Value forms of FieldWriter and the replace-on-success save.
#include "common/FieldWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "common/AtomicFile.h"
#include "common/FileResolver.h"
#include "common/TextEncoding.h"
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

  const std::string bytes = EncodeSavedText(text_);
  if (const int failure =
          ReplaceFileAtomically(base, target.substr(base.size() + 1), bytes,
                                replacing ? std::optional<mode_t>(mode) : std::nullopt)) {
    throw ErrorFor(failure);
  }
}

}  // namespace tw
