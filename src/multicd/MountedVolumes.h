// MountedVolumes: the "drives" a CD can be in — the mounted volumes of the machine.
//
// The list comes from /proc/self/mountinfo: each volume's root folder and its kind, told
// from its file system type (iso9660 and udf are optical discs, nfs or cifs network
// shares, tmpfs and ramfs RAM disks) and, for the disk kinds, from where it is mounted
// (under /media or /run/media: removable). Kernel file systems (proc, sysfs, cgroup, ...)
// and the system's own RAM folders under /dev, /proc, /sys and /run are not drives and are
// left out. Roots end in "/"; the list is ordered by root.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tw {

enum class VolumeKind { Removable, HardDisk, Network, Optical, RamDisk };

struct Volume {
  std::string root;  // ends in "/"
  VolumeKind kind = VolumeKind::HardDisk;
};

// The volumes listed in the text of a mountinfo file.
std::vector<Volume> ParseMountInfo(std::string_view text);

// The volumes of this machine now (empty when /proc/self/mountinfo cannot be read).
std::vector<Volume> MountedVolumes();

// "(Floppy Drive)", "(Hard Drive)", "(Network Drive)", "(CD-Rom Drive)", "(RAM Disk)".
const char* VolumeKindCaption(VolumeKind kind);

// Where a CD is looked for when the player never chose a drive and no optical disc is
// mounted: the usual mount point of the first CD drive.
inline constexpr const char* kDefaultCdRoot = "/media/cdrom/";

// The root of the last optical volume of the list, else kDefaultCdRoot.
std::string FindCDDrive(const std::vector<Volume>& volumes);

}  // namespace tw
