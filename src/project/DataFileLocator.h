// Finding data files: LocateDataFile and its small helpers.
//
// Every data file passes through LocateDataFile before it is opened. It returns the path as
// the caller built it when the file is there, else the path with a coded extension
// (Pic.bmp -> Pic.004) when that is there, else what the multi-CD look-up finds, and warns
// when the file is nowhere (not while the game is stopped). Callers open what it returns
// through the player's resolver, which matches names without regard to case.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tw {

class Player;

std::string LocateDataFile(Player& player, const std::string& path);

// The path with its extension replaced by its code (".bmp" -> ".004"), compared on the last
// four characters without regard to case; unchanged when the extension has no code.
std::string EncodedFileName(const std::string& path);

// The name of the first file matching the path (its last part may hold * and ?), as it is
// on disk; "" when there is none or the look-up fails. A path ending in a separator names
// the folder's first file, as the Windows look-up did.
std::string FindFileName(Player& player, std::string_view path);

// The characters after the last "\" or "/"; the whole text when there is none.
std::string FileNameOfPath(std::string_view path);

std::int32_t ClampToZero(std::int32_t n);

}  // namespace tw

namespace tw {
// The path as it is on disk (matched without regard to case, trailing blanks and dots
// dropped), for opening a file that LocateDataFile returned; the path unchanged when nothing
// matches. Every opener of a data file (pictures, pointers, icons, schemes, sounds, videos)
// opens exactly this path, taking its bytes as they stand: a name copied from a Windows disk
// may be Windows-1252 on disk, so the result need not be UTF-8 and must not be converted to
// text and back (it is for opening only, never for showing).
std::string ResolvedPath(Player& player, const std::string& path);
}  // namespace tw
