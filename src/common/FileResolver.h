// FileResolver: the one way the player finds files named by game data.
//
// Game data is written on Windows: paths use "\" or "/", and a name may differ in letter case
// from the file on disk. The resolver matches each path component without regard to case
// (EqualsNoCase: ASCII and the Windows-1252 letters); blanks and dots that end the last name
// of a path are dropped, as Windows drops them. Where a folder holds several entries
// that differ only in case (possible on Linux only), the one spelled exactly as asked wins,
// as far as the path exists so spelled; below the first component that is not, the variants
// are tried in byte order until the rest of the path is found, so the result is the same on
// every machine. "." and ".." are applied to the path's text before anything is looked up, as
// Windows does, so "Frames\..\Config" names Config whether or not Frames exists.
//
// Directory listings are cached per folder. A cached listing is used only while the folder's
// modification time (and identity) is unchanged and that time lies well before the moment
// of listing; a folder changed within the last seconds is listed again, so a file created or
// deleted by anyone, even within the file system's time granularity, is seen. Each listing
// keeps its names hashed by their folded spelling, so a look-up (found or not) costs the
// same in a folder of ten files as in one of ten thousand. The cache is bounded: at most
// kMaxListings folders and kMaxCachedEntries names in all; past either, the folders used
// least recently are forgotten (and listed again when next needed).
//
// Names handed out (list, findFileName) are UTF-8; a name stored on disk in Windows-1252
// bytes is converted, and resolve() maps such a UTF-8 name back to the bytes on disk.
//
// Not thread-safe: one resolver belongs to one thread (the player has only one).
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tw {

class FileResolver {
 public:
  // Files larger than this are refused by readFile ("Out of memory"): game data files are
  // small, and this keeps a wrong or damaged path from exhausting memory.
  static constexpr std::uint64_t kMaxFileSize = std::uint64_t{256} << 20;
  // Bounds of the listing cache (about 100 bytes per name).
  static constexpr std::size_t kMaxListings = 128;
  static constexpr std::size_t kMaxCachedEntries = 100'000;

  // The real path of an existing file or folder, absolute, with each component as spelled on
  // disk; nullopt when a component matches nothing. Relative paths start at the current
  // directory. A trailing separator is allowed and then requires a folder. Empty components
  // ("a\\b") are ignored; an empty path resolves to nothing.
  std::optional<std::string> resolve(std::string_view path);

  bool exists(std::string_view path);
  bool isDirectory(std::string_view path);

  // The names of the files (not folders) in `folder` that match `pattern` ("*" and "?",
  // without regard to case; a pattern ending in ".*" also matches names without a dot, as
  // "*.*" matches every file on Windows), sorted without regard to case as a file list box
  // shows them. Empty when the folder does not exist.
  std::vector<std::string> list(std::string_view folder, std::string_view pattern);

  // The file-name part of the first file that matches `path`, whose last component may hold
  // wildcards; a path ending in a separator means every file of that folder. "" when nothing
  // matches or the look-up fails (empty path, missing or unreadable folder). Folders never
  // match, as with the runtime's Dir().
  std::string findFileName(std::string_view path);

  // Last modification time of a file or folder in local time as an OLE date (whole seconds).
  std::optional<double> fileDate(std::string_view path);

  // Deletes a file (never a folder); false when it does not exist or cannot be deleted.
  bool removeFile(std::string_view path);

  // The whole file as bytes; nullopt when it does not exist, is not a regular file or cannot
  // be read. Throws vbs::VbError(7) "Out of memory" for a file above kMaxFileSize.
  std::optional<std::string> readFile(std::string_view path);

  // Forgets every cached listing.
  void invalidate();
  // Folders whose listing is cached now, and the names they hold in all.
  std::size_t cachedListings() const { return cache_.size(); }
  std::size_t cachedEntries() const { return cachedEntries_; }

 private:
  enum class Kind : std::uint8_t { File, Directory, Other };
  struct Entry {
    std::string diskName;  // bytes as stored
    std::string utf8Name;  // NameToUtf8(diskName)
    std::string key;       // FoldCase(utf8Name)
    Kind kind;
  };
  struct Listing {
    dev_t device = 0;
    ino_t inode = 0;
    std::int64_t modifiedNs = 0;
    std::int64_t listedNs = 0;
    std::uint64_t lastUse = 0;
    std::vector<Entry> entries;  // in byte order of diskName
    // Folded name -> the entries of that name, in byte order (several only where names
    // differ in case alone).
    std::unordered_map<std::string, std::vector<std::uint32_t>> byKey;
  };

  // The listing of an existing folder (absolute real path), from the cache when still valid.
  const Listing* listing(const std::string& folder);
  // Resolves parts[index..] below `current` (a real folder path), extending `current`.
  bool walk(const std::vector<std::string>& parts, std::size_t index, std::string& current);
  std::vector<const Entry*> matchingFiles(const std::string& folder, std::string_view pattern);

  // Forgets the least recently used listings until the cache is within its bounds; `keep`
  // (the folder just listed) stays.
  void trimCache(const std::string& keep);

  std::unordered_map<std::string, Listing> cache_;
  std::size_t cachedEntries_ = 0;
  std::uint64_t useClock_ = 0;
};

// The path with each "\" turned into "/".
std::string ToNativeSeparators(std::string_view path);

}  // namespace tw
