// FileSystemObject: the member table and the members that are not File/Folder operations.
#include "vbscript/FileSystemObject.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "vbscript/FsItems.h"
#include "vbscript/FsOps.h"
#include "vbscript/FsPath.h"
#include "vbscript/LibraryMembers.h"
#include "vbscript/TextStream.h"
#include "vbscript/VbError.h"

namespace vbs::detail {

namespace {

enum Member { kBuildPath = 1, kGetAbsolutePathName, kGetBaseName, kGetExtensionName,
              kGetFileName, kGetParentFolderName, kGetDriveName, kGetTempName, kFileExists,
              kFolderExists, kDriveExists, kCreateFolder, kCreateTextFile, kOpenTextFile,
              kCopyFile, kMoveFile, kDeleteFile, kCopyFolder, kMoveFolder, kDeleteFolder,
              kGetFile, kGetFolder, kGetSpecialFolder, kGetDrive, kDrives, kGetFileVersion };

const MemberTable& Members() {
  static const MemberTable table{
      {"BuildPath", kBuildPath, 2, 2, kMethod},
      {"GetAbsolutePathName", kGetAbsolutePathName, 1, 1, kMethod},
      {"GetBaseName", kGetBaseName, 1, 1, kMethod},
      {"GetExtensionName", kGetExtensionName, 1, 1, kMethod},
      {"GetFileName", kGetFileName, 1, 1, kMethod},
      {"GetParentFolderName", kGetParentFolderName, 1, 1, kMethod},
      {"GetDriveName", kGetDriveName, 1, 1, kMethod},
      {"GetTempName", kGetTempName, 0, 0, kMethod},
      {"FileExists", kFileExists, 1, 1, kMethod},
      {"FolderExists", kFolderExists, 1, 1, kMethod},
      {"DriveExists", kDriveExists, 1, 1, kMethod},
      {"CreateFolder", kCreateFolder, 1, 1, kMethod},
      {"CreateTextFile", kCreateTextFile, 1, 3, kMethod},
      {"OpenTextFile", kOpenTextFile, 1, 4, kMethod},
      {"CopyFile", kCopyFile, 2, 3, kMethod},
      {"MoveFile", kMoveFile, 2, 2, kMethod},
      {"DeleteFile", kDeleteFile, 1, 2, kMethod},
      {"CopyFolder", kCopyFolder, 2, 3, kMethod},
      {"MoveFolder", kMoveFolder, 2, 2, kMethod},
      {"DeleteFolder", kDeleteFolder, 1, 2, kMethod},
      {"GetFile", kGetFile, 1, 1, kMethod},
      {"GetFolder", kGetFolder, 1, 1, kMethod},
      {"GetSpecialFolder", kGetSpecialFolder, 1, 1, kMethod},
      {"GetDrive", kGetDrive, 1, 1, kMethod},
      {"Drives", kDrives, 0, 0, kReadOnly},
      {"GetFileVersion", kGetFileVersion, 1, 1, kMethod},
  };
  return table;
}

Variant Text(std::string text) { return Variant::fromString(std::move(text)); }

std::string TempFolder() {
  const char* tmp = std::getenv("TMPDIR");
  if (tmp != nullptr && *tmp == '/' && IsFolder(tmp)) return AbsolutePath(tmp);
  return "/tmp";
}

class FileSystemObject final : public Object {
 public:
  std::string typeName() const override { return "FileSystemObject"; }
  int memberId(std::string_view name) override { return Members().idOf(name); }

  Variant invoke(int id, InvokeKind kind, std::span<Variant> all) override {
    std::span<Variant> args = Members().check(id, kind, all);
    auto arg = [&](std::size_t i) { return ArgString(args[i]); };
    switch (id) {
      case kBuildPath: return Text(JoinPath(arg(0), arg(1)));
      case kGetAbsolutePathName: return Text(DiskPath(arg(0)));
      case kGetBaseName: return Text(BaseNamePart(arg(0)));
      case kGetExtensionName: return Text(ExtensionPart(arg(0)));
      case kGetFileName: return Text(FileNamePart(arg(0)));
      case kGetParentFolderName: return Text(ParentPart(arg(0)));
      case kGetDriveName: return Text(DriveNamePart(arg(0)));
      case kGetTempName: return Text(tempName());
      case kFileExists: return Variant::fromBool(!arg(0).empty() && IsFile(DiskPath(arg(0))));
      case kFolderExists:
        return Variant::fromBool(!arg(0).empty() && IsFolder(DiskPath(arg(0))));
      case kDriveExists: {
        const std::string drive = arg(0);
        if (drive.empty()) return Variant::fromBool(false);
        const std::string path = DiskPath(drive);
        return Variant::fromBool(IsFolder(path) && VolumeRootOf(path) == path);
      }
      case kCreateFolder: return createFolder(arg(0));
      case kCreateTextFile:
        return Variant::fromObject(
            CreateTextFileAt(DiskPath(arg(0)), ArgBool(args, 1, true), ArgBool(args, 2, false)));
      case kOpenTextFile:
        return Variant::fromObject(OpenTextStream(DiskPath(arg(0)), ArgLong(args, 1, kForReading),
                                                  ArgBool(args, 2, false),
                                                  ArgLong(args, 3, kTristateFalse)));
      case kCopyFile: CopyFiles(arg(0), arg(1), ArgBool(args, 2, true)); return {};
      case kMoveFile: MoveFiles(arg(0), arg(1)); return {};
      case kDeleteFile: DeleteFiles(arg(0), ArgBool(args, 1, false)); return {};
      case kCopyFolder: CopyFolders(arg(0), arg(1), ArgBool(args, 2, true)); return {};
      case kMoveFolder: MoveFolders(arg(0), arg(1)); return {};
      case kDeleteFolder: DeleteFolders(arg(0), ArgBool(args, 1, false)); return {};
      case kGetFile: {
        const std::string path = DiskPath(arg(0));
        if (!IsFile(path)) throw VbError(err::kFileNotFound);
        return Variant::fromObject(NewFileItem(path));
      }
      case kGetFolder: {
        const std::string path = DiskPath(arg(0));
        if (!IsFolder(path)) throw VbError(err::kPathNotFound);
        return Variant::fromObject(NewFolderItem(path));
      }
      case kGetSpecialFolder: {
        const std::int32_t which = ArgLong(args[0]);
        if (which < 0 || which > 2) throw VbError(err::kInvalidCall);
        return Variant::fromObject(NewFolderItem(which == 2 ? TempFolder() : "/"));
      }
      case kGetDrive: {
        const std::string drive = arg(0);
        const std::string path = drive.empty() ? std::string() : DiskPath(drive);
        if (path.empty() || !IsFolder(path)) throw VbError(err::kDeviceUnavailable);
        return Variant::fromObject(NewDriveItem(VolumeRootOf(path)));
      }
      case kDrives: return Variant::fromObject(NewDrivesCollection());
      case kGetFileVersion:
        // Linux files carry no version resource: an existing file has an empty version.
        if (!IsFile(DiskPath(arg(0)))) throw VbError(err::kFileNotFound);
        return Text("");
    }
    throw VbError(err::kObjectDoesntSupport);
  }

 private:
  Variant createFolder(const std::string& folder) {
    const std::string path = DiskPath(folder);
    if (StatOf(path)) throw VbError(err::kFileAlreadyExists);
    if (::mkdir(path.c_str(), 0777) != 0) ThrowSystemError(errno, path);
    return Variant::fromObject(NewFolderItem(path));
  }

  // "rad" and five hexadecimal digits, as Windows names its temporary files.
  std::string tempName() {
    char name[16];
    std::snprintf(name, sizeof name, "rad%05X.tmp",
                  static_cast<unsigned>(random_() & 0xFFFFFu));
    return name;
  }

  std::mt19937 random_{std::random_device{}()};
};

}  // namespace

std::shared_ptr<Object> NewFileSystemObject() { return std::make_shared<FileSystemObject>(); }

}  // namespace vbs::detail
