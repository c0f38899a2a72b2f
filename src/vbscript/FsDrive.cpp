// FsDrive: Drive objects and the Drives collection. On Linux a drive is a mounted volume: its
// Path is the mount point, it has no letter, and it is always ready. Drives lists the root
// volume and the volumes mounted from devices (/dev/...).
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/vfs.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

#include "vbscript/FsItems.h"
#include "vbscript/FsOps.h"
#include "vbscript/FsPath.h"
#include "vbscript/LibraryMembers.h"
#include "vbscript/VbError.h"

namespace vbs::detail {

namespace {

Variant SpaceValue(unsigned long long bytes) {
  if (bytes <= INT32_MAX) return Variant::fromLong(static_cast<std::int32_t>(bytes));
  return Variant::fromDouble(static_cast<double>(bytes));
}

std::string FileSystemName(const std::string& root) {
  struct statfs fs;
  if (::statfs(root.c_str(), &fs) != 0) return "";
  switch (static_cast<unsigned long>(fs.f_type)) {
    case 0xEF53: return "ext4";
    case 0x01021994: return "tmpfs";
    case 0x9123683E: return "btrfs";
    case 0x58465342: return "xfs";
    case 0x4d44: return "FAT";
    case 0x5346544e: return "NTFS";
    case 0x9660: return "CDFS";
    case 0x15013346: return "UDF";
    case 0x794c7630: return "overlay";
    default: return "unknown";
  }
}

enum DriveMember { kPath = 0, kDriveLetter, kDriveType, kFileSystem, kFreeSpace,
                   kAvailableSpace, kTotalSize, kIsReady, kRootFolder, kSerialNumber,
                   kShareName, kVolumeName };

const MemberTable& DriveMembers() {
  static const MemberTable table{
      {"Path", kPath, 0, 0, kReadOnly},
      {"DriveLetter", kDriveLetter, 0, 0, kReadOnly},
      {"DriveType", kDriveType, 0, 0, kReadOnly},
      {"FileSystem", kFileSystem, 0, 0, kReadOnly},
      {"FreeSpace", kFreeSpace, 0, 0, kReadOnly},
      {"AvailableSpace", kAvailableSpace, 0, 0, kReadOnly},
      {"TotalSize", kTotalSize, 0, 0, kReadOnly},
      {"IsReady", kIsReady, 0, 0, kReadOnly},
      {"RootFolder", kRootFolder, 0, 0, kReadOnly},
      {"SerialNumber", kSerialNumber, 0, 0, kReadOnly},
      {"ShareName", kShareName, 0, 0, kReadOnly},
      {"VolumeName", kVolumeName, 0, 0, kReadOnly},
  };
  return table;
}

class Drive final : public Object {
 public:
  explicit Drive(std::string root) : root_(std::move(root)) {}
  std::string typeName() const override { return "Drive"; }
  int memberId(std::string_view name) override { return DriveMembers().idOf(name); }

  Variant invoke(int id, InvokeKind kind, std::span<Variant> all) override {
    DriveMembers().check(id, kind, all);
    struct statvfs vfs {};
    const bool ready = ::statvfs(root_.c_str(), &vfs) == 0;
    switch (id) {
      case kPath: return Variant::fromString(root_);
      case kDriveLetter:
      case kShareName:
      case kVolumeName: return Variant::fromString("");
      case kDriveType: return Variant::fromLong(2);  // fixed
      case kFileSystem: return Variant::fromString(FileSystemName(root_));
      case kIsReady: return Variant::fromBool(ready);
      case kRootFolder: return Variant::fromObject(NewFolderItem(root_));
      case kSerialNumber: {
        auto st = StatOf(root_);
        return Variant::fromLong(st ? static_cast<std::int32_t>(st->st_dev) : 0);
      }
      default: break;
    }
    if (!ready) throw VbError(71);  // Disk not ready
    switch (id) {
      case kFreeSpace: return SpaceValue(1ULL * vfs.f_bfree * vfs.f_frsize);
      case kAvailableSpace: return SpaceValue(1ULL * vfs.f_bavail * vfs.f_frsize);
      case kTotalSize: return SpaceValue(1ULL * vfs.f_blocks * vfs.f_frsize);
    }
    throw VbError(err::kObjectDoesntSupport);
  }

 private:
  std::string root_;
};

std::vector<std::string> MountedVolumes() {
  std::vector<std::string> roots{"/"};
  std::ifstream mounts("/proc/self/mounts");
  std::string line;
  while (std::getline(mounts, line)) {
    std::istringstream fields(line);
    std::string device, point;
    fields >> device >> point;
    if (device.rfind("/dev/", 0) != 0 || point.empty()) continue;
    // Spaces in mount points are written as \040.
    std::string unescaped;
    for (std::size_t i = 0; i < point.size(); ++i) {
      if (point.compare(i, 4, "\\040") == 0) {
        unescaped += ' ';
        i += 3;
      } else {
        unescaped += point[i];
      }
    }
    point = std::move(unescaped);
    if (std::find(roots.begin(), roots.end(), point) == roots.end()) roots.push_back(point);
  }
  std::sort(roots.begin(), roots.end());
  return roots;
}

enum DrivesMember { kItem = 0, kCount };

class Drives final : public Object {
 public:
  std::string typeName() const override { return "Drives"; }
  int memberId(std::string_view name) override { return members().idOf(name); }

  Variant invoke(int id, InvokeKind kind, std::span<Variant> all) override {
    std::span<Variant> args = members().check(id, kind, all);
    const std::vector<std::string> roots = MountedVolumes();
    if (id == kCount) return Variant::fromLong(static_cast<std::int32_t>(roots.size()));
    const std::string wanted = ToSlashes(ArgString(args[0]));
    for (const std::string& root : roots) {
      if (root == wanted) return Variant::fromObject(NewDriveItem(root));
    }
    throw VbError(err::kDeviceUnavailable);
  }

  bool enumerate(std::vector<Variant>& elements) override {
    for (const std::string& root : MountedVolumes()) {
      elements.push_back(Variant::fromObject(NewDriveItem(root)));
    }
    return true;
  }

 private:
  static const MemberTable& members() {
    static const MemberTable table{{"Item", kItem, 1, 1, kReadOnly},
                                   {"Count", kCount, 0, 0, kReadOnly}};
    return table;
  }
};

}  // namespace

std::shared_ptr<Object> NewDriveItem(std::string root) {
  return std::make_shared<Drive>(std::move(root));
}

std::shared_ptr<Object> NewDrivesCollection() { return std::make_shared<Drives>(); }

std::string VolumeRootOf(const std::string& path) {
  std::string current = AbsolutePath(path);
  auto st = StatOf(current);
  while (!st && current != "/") {
    current = ParentPart(current);
    st = StatOf(current);
  }
  if (!st) return "/";
  // Climb while the parent lies on the same device.
  while (current != "/") {
    const std::string parent = ParentPart(current);
    auto up = StatOf(parent);
    if (!up || up->st_dev != st->st_dev) break;
    current = parent;
  }
  return current;
}

}  // namespace vbs::detail
