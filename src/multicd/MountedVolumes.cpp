#include "multicd/MountedVolumes.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <optional>
#include <sstream>

namespace tw {

namespace {

// mountinfo writes blanks, tabs, new lines and backslashes of a path as \ooo.
std::string Unescape(std::string_view field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size()) {
      const std::string_view digits = field.substr(i + 1, 3);
      if (digits.size() == 3 &&
          std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '7'; })) {
        out += static_cast<char>((digits[0] - '0') * 64 + (digits[1] - '0') * 8 + (digits[2] - '0'));
        i += 3;
        continue;
      }
    }
    out += field[i];
  }
  return out;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool Under(std::string_view path, std::string_view folder) {
  return path == folder || StartsWith(path, std::string(folder) + "/");
}

constexpr std::array<std::string_view, 9> kNetwork = {
    "nfs", "nfs4", "cifs", "smb3", "smbfs", "fuse.sshfs", "9p", "fuse.davfs2", "ceph"};
constexpr std::array<std::string_view, 15> kDisk = {
    "ext2", "ext3", "ext4", "xfs", "btrfs", "zfs", "f2fs", "jfs", "reiserfs",
    "vfat", "exfat", "ntfs", "ntfs3", "fuseblk", "overlay"};

std::optional<VolumeKind> KindOf(std::string_view type, std::string_view mountPoint) {
  if (type == "iso9660" || type == "udf") return VolumeKind::Optical;
  if (std::find(kNetwork.begin(), kNetwork.end(), type) != kNetwork.end()) {
    return VolumeKind::Network;
  }
  const bool systemFolder = Under(mountPoint, "/dev") || Under(mountPoint, "/proc") ||
                            Under(mountPoint, "/sys") ||
                            (Under(mountPoint, "/run") && !Under(mountPoint, "/run/media"));
  if (type == "tmpfs" || type == "ramfs") {
    if (systemFolder) return std::nullopt;
    return VolumeKind::RamDisk;
  }
  if (std::find(kDisk.begin(), kDisk.end(), type) != kDisk.end()) {
    if (systemFolder && !Under(mountPoint, "/run/media")) return std::nullopt;
    if (Under(mountPoint, "/media") || Under(mountPoint, "/run/media")) {
      return VolumeKind::Removable;
    }
    return VolumeKind::HardDisk;
  }
  return std::nullopt;
}

}  // namespace

std::vector<Volume> ParseMountInfo(std::string_view text) {
  std::vector<Volume> volumes;
  std::istringstream lines{std::string(text)};
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::vector<std::string> parts;
    for (std::string part; fields >> part;) parts.push_back(part);
    // id parent major:minor root mount-point options [optional...] - type source options
    const auto dash = std::find(parts.begin(), parts.end(), "-");
    if (parts.size() < 5 || dash == parts.end() || dash + 1 == parts.end()) continue;
    if (dash - parts.begin() < 6) continue;
    const std::string mountPoint = Unescape(parts[4]);
    const std::optional<VolumeKind> kind = KindOf(*(dash + 1), mountPoint);
    if (!kind) continue;
    std::string root = mountPoint;
    if (root.empty() || root.back() != '/') root += '/';
    // A folder mounted twice is one drive; the later mount hides the earlier one.
    const auto same = std::find_if(volumes.begin(), volumes.end(),
                                   [&](const Volume& v) { return v.root == root; });
    if (same != volumes.end()) {
      same->kind = *kind;
    } else {
      volumes.push_back({root, *kind});
    }
  }
  std::sort(volumes.begin(), volumes.end(),
            [](const Volume& a, const Volume& b) { return a.root < b.root; });
  return volumes;
}

std::vector<Volume> MountedVolumes() {
  std::ifstream in("/proc/self/mountinfo");
  if (!in) return {};
  std::ostringstream text;
  text << in.rdbuf();
  return ParseMountInfo(text.str());
}

const char* VolumeKindCaption(VolumeKind kind) {
  switch (kind) {
    case VolumeKind::Removable: return "(Floppy Drive)";
    case VolumeKind::HardDisk: return "(Hard Drive)";
    case VolumeKind::Network: return "(Network Drive)";
    case VolumeKind::Optical: return "(CD-Rom Drive)";
    case VolumeKind::RamDisk: return "(RAM Disk)";
  }
  return "";
}

std::string FindCDDrive(const std::vector<Volume>& volumes) {
  std::string found = kDefaultCdRoot;
  for (const Volume& v : volumes) {
    if (v.kind == VolumeKind::Optical) found = v.root;
  }
  return found;
}

}  // namespace tw
