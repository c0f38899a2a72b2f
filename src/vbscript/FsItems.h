// FsItems: the objects the FileSystemObject hands out — File, Folder, the Files and Folders
// collections, Drive and Drives — and the operations they share with it.
//
// Each object keeps an absolute disk path ("/" separators, real letter case) and asks the
// disk on every use, as the Windows objects do: a File whose file was deleted raises 53 on
// its next use, a Files collection counts the folder's files as they are now. The default
// member of File, Folder and Drive is Path; collections enumerate in case-insensitive name
// order.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "vbscript/Object.h"

namespace vbs::detail {

// The disk path a script path names, absolute: resolved without regard to case.
std::string DiskPath(std::string_view scriptPath);

std::shared_ptr<Object> NewFileItem(std::string path);
std::shared_ptr<Object> NewFolderItem(std::string path);
std::shared_ptr<Object> NewDriveItem(std::string root);
std::shared_ptr<Object> NewDrivesCollection();

// The root of the mounted volume a path lies on.
std::string VolumeRootOf(const std::string& path);

// The copy, move and delete rules of CopyFile, MoveFile, DeleteFile, CopyFolder, MoveFolder and
// DeleteFolder (File and Folder objects use them too). Sources may hold wildcards in their last
// component; a destination ending with a separator, or any destination of a wildcard source,
// names an existing folder to copy or move into.
void CopyFiles(std::string_view source, std::string_view destination, bool overwrite);
void MoveFiles(std::string_view source, std::string_view destination);
void DeleteFiles(std::string_view spec, bool force);
void CopyFolders(std::string_view source, std::string_view destination, bool overwrite);
void MoveFolders(std::string_view source, std::string_view destination);
void DeleteFolders(std::string_view spec, bool force);

// CreateTextFile: 58 when the file exists and overwrite is False, 70 for a folder.
std::shared_ptr<Object> CreateTextFileAt(const std::string& diskPath, bool overwrite,
                                         bool unicode);

}  // namespace vbs::detail
