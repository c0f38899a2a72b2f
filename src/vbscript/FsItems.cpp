// FsItems: File and Folder objects, the Files and Folders collections, and the copy, move
// and delete rules shared with the FileSystemObject.
#include "vbscript/FsItems.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <vector>

#include "vbscript/FsOps.h"
#include "vbscript/FsPath.h"
#include "vbscript/LibraryMembers.h"
#include "vbscript/TextStream.h"
#include "vbscript/VbError.h"

namespace vbs::detail {

namespace {

// Sizes are Longs when they fit, else Doubles, as the Windows objects return them.
Variant SizeValue(std::int64_t size) {
  if (size >= INT32_MIN && size <= INT32_MAX) return Variant::fromLong(static_cast<std::int32_t>(size));
  return Variant::fromDouble(static_cast<double>(size));
}

std::string ChildOf(const std::string& folder, std::string_view name) {
  return folder == "/" ? "/" + std::string(name) : folder + "/" + std::string(name);
}

enum class Stamp { Created, Modified, Accessed };

Variant DateOf(const std::string& path, Stamp which, int missingError) {
  struct statx sx;
  if (::statx(AT_FDCWD, path.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0) {
    throw VbError(missingError);
  }
  std::int64_t seconds = sx.stx_mtime.tv_sec;
  if (which == Stamp::Accessed) seconds = sx.stx_atime.tv_sec;
  // File systems without a birth time give the modification time as the creation time.
  if (which == Stamp::Created && (sx.stx_mask & STATX_BTIME)) seconds = sx.stx_btime.tv_sec;
  return Variant::fromDate(OleDateOf(seconds));
}

std::string TypeText(const std::string& name) {
  const std::string extension = ExtensionPart(name);
  if (extension.empty()) return "File";
  std::string upper = extension;
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  if (upper == "TXT") return "Text Document";
  return upper + " File";
}

// Renames the item at path within its folder; returns the new path.
std::string Rename(const std::string& path, const Variant& value) {
  const std::string name = ArgString(value);
  if (name.empty() || name == "." || name == ".." ||
      name.find_first_of("/\\") != std::string::npos) {
    throw VbError(err::kInvalidCall);
  }
  const std::string parent = ParentPart(path);
  const std::string target = parent.empty() ? name : ChildOf(parent, name);
  if (target == path) return path;
  // Another entry named so in any letter case may not be replaced; a change of letter case
  // only is a rename like any other.
  const std::string existing = ResolvePath(target);
  if (StatOf(existing) && existing != path && FoldName(target) != FoldName(path)) {
    throw VbError(err::kFileAlreadyExists);
  }
  if (::rename(path.c_str(), target.c_str()) != 0) ThrowSystemError(errno, target);
  return target;
}

// Members shared by File and Folder (ids equal in both tables).
enum Common { kPath = 0, kName, kShortName, kShortPath, kSize, kType, kDateCreated,
              kDateLastModified, kDateLastAccessed, kAttributes, kParentFolder, kDrive, kCopy,
              kMove, kDelete, kOpenAsTextStream, kIsRootFolder, kFiles, kSubFolders,
              kCreateTextFile };

#define TW_COMMON_MEMBERS                                                   \
  {"Path", kPath, 0, 0, kReadOnly}, {"Name", kName, 0, 0, kReadWrite},      \
      {"ShortName", kShortName, 0, 0, kReadOnly},                           \
      {"ShortPath", kShortPath, 0, 0, kReadOnly},                           \
      {"Size", kSize, 0, 0, kReadOnly}, {"Type", kType, 0, 0, kReadOnly},   \
      {"DateCreated", kDateCreated, 0, 0, kReadOnly},                       \
      {"DateLastModified", kDateLastModified, 0, 0, kReadOnly},             \
      {"DateLastAccessed", kDateLastAccessed, 0, 0, kReadOnly},             \
      {"Attributes", kAttributes, 0, 0, kReadWrite},                        \
      {"ParentFolder", kParentFolder, 0, 0, kReadOnly},                     \
      {"Drive", kDrive, 0, 0, kReadOnly}, {"Copy", kCopy, 1, 2, kMethod},   \
      {"Move", kMove, 1, 1, kMethod}, {"Delete", kDelete, 0, 1, kMethod}

const MemberTable& FileMembers() {
  static const MemberTable table{TW_COMMON_MEMBERS,
                                 {"OpenAsTextStream", kOpenAsTextStream, 0, 2, kMethod}};
  return table;
}

const MemberTable& FolderMembers() {
  static const MemberTable table{TW_COMMON_MEMBERS,
                                 {"IsRootFolder", kIsRootFolder, 0, 0, kReadOnly},
                                 {"Files", kFiles, 0, 0, kReadOnly},
                                 {"SubFolders", kSubFolders, 0, 0, kReadOnly},
                                 {"CreateTextFile", kCreateTextFile, 1, 3, kMethod}};
  return table;
}

#undef TW_COMMON_MEMBERS

// File and Folder: one class, as both answer the same questions about a path.
class Item final : public Object {
 public:
  Item(std::string path, bool folder) : path_(std::move(path)), folder_(folder) {}

  std::string typeName() const override { return folder_ ? "Folder" : "File"; }
  int memberId(std::string_view name) override { return members().idOf(name); }

  Variant invoke(int id, InvokeKind kind, std::span<Variant> all) override {
    std::span<Variant> args = members().check(id, kind, all);
    const bool assigning = kind == InvokeKind::Let || kind == InvokeKind::Set;
    requireExists();
    switch (id) {
      case kPath:
      case kShortPath: return Variant::fromString(path_);
      case kName:
        if (assigning) {
          path_ = Rename(path_, all.back());
          return {};
        }
        [[fallthrough]];
      case kShortName: return Variant::fromString(FileNamePart(path_));
      case kSize: return SizeValue(folder_ ? TreeSize(path_) : StatOf(path_)->st_size);
      case kType: return Variant::fromString(folder_ ? "File folder" : TypeText(path_));
      case kDateCreated: return DateOf(path_, Stamp::Created, missingError());
      case kDateLastModified: return DateOf(path_, Stamp::Modified, missingError());
      case kDateLastAccessed: return DateOf(path_, Stamp::Accessed, missingError());
      case kAttributes:
        if (assigning) {
          SetAttributes(path_, ArgLong(all.back()));
          return {};
        }
        return Variant::fromLong(AttributesOf(path_));
      case kParentFolder: {
        const std::string parent = ParentPart(path_);
        if (parent.empty()) return Variant::fromObject(nullptr);
        return Variant::fromObject(NewFolderItem(parent));
      }
      case kDrive: return Variant::fromObject(NewDriveItem(VolumeRootOf(path_)));
      case kCopy: {
        const bool overwrite = ArgBool(args, 1, true);
        if (folder_) {
          CopyFolders(path_, ArgString(args[0]), overwrite);
        } else {
          CopyFiles(path_, ArgString(args[0]), overwrite);
        }
        return {};
      }
      case kMove: move(ArgString(args[0])); return {};
      case kDelete:
        if (folder_) {
          DeleteFolders(path_, ArgBool(args, 0, false));
        } else {
          DeleteFiles(path_, ArgBool(args, 0, false));
        }
        return {};
      case kOpenAsTextStream:
        return Variant::fromObject(OpenTextStream(path_, ArgLong(args, 0, kForReading), false,
                                                  ArgLong(args, 1, kTristateFalse)));
      case kIsRootFolder: return Variant::fromBool(path_ == "/");
      case kFiles: return Variant::fromObject(collection(false));
      case kSubFolders: return Variant::fromObject(collection(true));
      case kCreateTextFile: {
        const std::string name = ArgString(args[0]);
        const std::string target = DiskPath(name.empty() || name[0] == '/' || name[0] == '\\'
                                                ? name
                                                : ChildOf(path_, name));
        return Variant::fromObject(
            CreateTextFileAt(target, ArgBool(args, 1, true), ArgBool(args, 2, false)));
      }
    }
    throw VbError(err::kObjectDoesntSupport);
  }

 private:
  const MemberTable& members() const { return folder_ ? FolderMembers() : FileMembers(); }
  int missingError() const { return folder_ ? err::kPathNotFound : err::kFileNotFound; }

  void requireExists() const {
    if ((folder_ ? !IsFolder(path_) : !IsFile(path_))) throw VbError(missingError());
  }

  void move(const std::string& destination) {
    const std::string target = DiskPath(destination);
    const std::string finalPath =
        EndsWithSeparator(destination) ? ChildOf(target, FileNamePart(path_)) : target;
    if (folder_) {
      MoveFolders(path_, destination);
    } else {
      MoveFiles(path_, destination);
    }
    path_ = finalPath;
  }

  std::shared_ptr<Object> collection(bool folders) const;

  std::string path_;
  bool folder_;
};

// Files and Folders: a live view of one folder's entries of one kind.
enum CollectionMember { kItem = 0, kCount, kAdd };

class Collection final : public Object {
 public:
  Collection(std::string folder, bool folders) : folder_(std::move(folder)), folders_(folders) {}

  std::string typeName() const override { return folders_ ? "Folders" : "Files"; }
  int memberId(std::string_view name) override { return members().idOf(name); }

  Variant invoke(int id, InvokeKind kind, std::span<Variant> all) override {
    std::span<Variant> args = members().check(id, kind, all);
    switch (id) {
      case kCount: return Variant::fromLong(static_cast<std::int32_t>(names().size()));
      case kItem: {
        // Items are found by name (never by number), without regard to case.
        const std::string wanted = ArgString(args[0]);
        for (const std::string& name : names()) {
          if (FoldName(name) == FoldName(wanted)) return Variant::fromObject(make(name));
        }
        throw VbError(folders_ ? err::kPathNotFound : err::kFileNotFound);
      }
      case kAdd: {
        const std::string name = ArgString(args[0]);
        if (name.empty() || name.find_first_of("/\\") != std::string::npos) {
          throw VbError(err::kInvalidCall);
        }
        const std::string path = ChildOf(folder_, name);
        if (StatOf(path)) throw VbError(err::kFileAlreadyExists);
        if (::mkdir(path.c_str(), 0777) != 0) ThrowSystemError(errno, path);
        return Variant::fromObject(NewFolderItem(path));
      }
    }
    throw VbError(err::kObjectDoesntSupport);
  }

  bool enumerate(std::vector<Variant>& elements) override {
    for (const std::string& name : names()) elements.push_back(Variant::fromObject(make(name)));
    return true;
  }

 private:
  const MemberTable& members() const {
    static const MemberTable files{{"Item", kItem, 1, 1, kReadOnly},
                                   {"Count", kCount, 0, 0, kReadOnly}};
    static const MemberTable folders{{"Item", kItem, 1, 1, kReadOnly},
                                     {"Count", kCount, 0, 0, kReadOnly},
                                     {"Add", kAdd, 1, 1, kMethod}};
    return folders_ ? folders : files;
  }

  std::vector<std::string> names() const {
    if (!IsFolder(folder_)) throw VbError(err::kPathNotFound);
    return ListFolder(folder_, folders_);
  }

  std::shared_ptr<Object> make(const std::string& name) const {
    const std::string path = ChildOf(folder_, name);
    return folders_ ? NewFolderItem(path) : NewFileItem(path);
  }

  std::string folder_;
  bool folders_;
};

std::shared_ptr<Object> Item::collection(bool folders) const {
  return std::make_shared<Collection>(path_, folders);
}

// The sources a copy or move works on, and whether they go into a destination folder.
struct Plan {
  std::vector<std::string> sources;
  std::string destination;
  bool intoFolder;
};

Plan MakePlan(std::string_view source, std::string_view destination, bool folders) {
  Plan plan;
  const std::string from = DiskPath(source);
  const bool wild = HasWildcards(FileNamePart(source));
  plan.sources = ExpandWildcards(from, folders);
  if (wild && plan.sources.empty()) {
    throw VbError(folders ? err::kPathNotFound : err::kFileNotFound);
  }
  plan.destination = DiskPath(destination);
  plan.intoFolder = wild || EndsWithSeparator(destination);
  if (plan.intoFolder && !IsFolder(plan.destination)) throw VbError(err::kPathNotFound);
  return plan;
}

std::string TargetOf(const Plan& plan, const std::string& source) {
  return plan.intoFolder ? ChildOf(plan.destination, FileNamePart(source)) : plan.destination;
}

void RequireKind(const std::string& path, bool folder) {
  if (folder ? !IsFolder(path) : !IsFile(path)) {
    if (folder) throw VbError(err::kPathNotFound);
    ThrowSystemError(ENOENT, path);
  }
}

}  // namespace

std::string DiskPath(std::string_view scriptPath) {
  if (scriptPath.empty()) return AbsolutePath(".");
  return AbsolutePath(ResolvePath(scriptPath));
}

std::shared_ptr<Object> NewFileItem(std::string path) {
  return std::make_shared<Item>(std::move(path), false);
}

std::shared_ptr<Object> NewFolderItem(std::string path) {
  return std::make_shared<Item>(std::move(path), true);
}

void CopyFiles(std::string_view source, std::string_view destination, bool overwrite) {
  const Plan plan = MakePlan(source, destination, false);
  for (const std::string& from : plan.sources) {
    RequireKind(from, false);
    CopyOneFile(from, TargetOf(plan, from), overwrite);
  }
}

void MoveFiles(std::string_view source, std::string_view destination) {
  const Plan plan = MakePlan(source, destination, false);
  for (const std::string& from : plan.sources) {
    RequireKind(from, false);
    MoveOne(from, TargetOf(plan, from));
  }
}

void DeleteFiles(std::string_view spec, bool force) {
  const std::string path = DiskPath(spec);
  const std::vector<std::string> paths = ExpandWildcards(path, false);
  if (paths.empty()) throw VbError(err::kFileNotFound);
  for (const std::string& p : paths) {
    RequireKind(p, false);
    DeleteOneFile(p, force);
  }
}

void CopyFolders(std::string_view source, std::string_view destination, bool overwrite) {
  const Plan plan = MakePlan(source, destination, true);
  for (const std::string& from : plan.sources) {
    RequireKind(from, true);
    CopyTree(from, TargetOf(plan, from), overwrite);
  }
}

void MoveFolders(std::string_view source, std::string_view destination) {
  const Plan plan = MakePlan(source, destination, true);
  for (const std::string& from : plan.sources) {
    RequireKind(from, true);
    MoveOne(from, TargetOf(plan, from));
  }
}

void DeleteFolders(std::string_view spec, bool force) {
  const std::string path = DiskPath(spec);
  const std::vector<std::string> paths = ExpandWildcards(path, true);
  if (paths.empty()) throw VbError(err::kPathNotFound);
  for (const std::string& p : paths) {
    RequireKind(p, true);
    if (p == "/") throw VbError(err::kPermissionDenied);  // never the whole file system
    DeleteTree(p, force);
  }
}

std::shared_ptr<Object> CreateTextFileAt(const std::string& diskPath, bool overwrite,
                                         bool unicode) {
  if (auto st = StatOf(diskPath)) {
    if (S_ISDIR(st->st_mode)) throw VbError(err::kPermissionDenied);
    if (!overwrite) throw VbError(err::kFileAlreadyExists);
  }
  return OpenTextStream(diskPath, kForWriting, true, unicode ? kTristateTrue : kTristateFalse);
}

}  // namespace vbs::detail
