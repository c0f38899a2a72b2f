// PictureCache: decoded pictures kept for the next time the same file is shown, so a frame
// visited again draws its background without decoding it anew.
//
// Bounded in memory: the pictures kept take at most budgetBytes() of pixels (64 MiB unless
// told otherwise: twenty-one 1024 x 768 backgrounds); past it, the pictures used least
// recently are let go. A picture larger than the whole budget is decoded and not kept. A
// kept picture is handed out only while its file is the one decoded: same device, inode,
// size, modification and change time; any change (a file replaced, rewritten, touched)
// decodes it again. Paths are real paths on disk (ResolvedPath); errors are Picture::load's.
//
// The pixels of a picture let go are reused for the next picture decoded at the same size
// and format when nothing else holds that picture, so changing between frames of one size
// does not allocate and fault in a fresh image each time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>

namespace tw::platform {

class Picture;

class PictureCache {
 public:
  static constexpr std::size_t kDefaultBudgetBytes = std::size_t{64} << 20;

  explicit PictureCache(std::size_t budgetBytes = kDefaultBudgetBytes);
  ~PictureCache();
  PictureCache(const PictureCache&) = delete;
  PictureCache& operator=(const PictureCache&) = delete;

  std::shared_ptr<const Picture> load(const std::string& path);

  std::size_t budgetBytes() const { return budget_; }
  std::size_t bytes() const { return bytes_; }
  std::size_t size() const { return entries_.size(); }
  // Loads answered from memory, and loads that decoded the file.
  std::size_t hits() const { return hits_; }
  std::size_t decodes() const { return decodes_; }
  void clear();

 private:
  struct Stamp {
    std::uint64_t device = 0, inode = 0, size = 0;
    std::int64_t modifiedNs = 0, changedNs = 0;
    bool operator==(const Stamp&) const = default;
  };
  struct Entry {
    std::string path;
    Stamp stamp;
    std::shared_ptr<const Picture> picture;
    std::size_t bytes = 0;
  };
  struct Spare;  // pixels of a picture let go, for the next decode

  void forget(std::list<Entry>::iterator it);
  void trim();

  std::size_t budget_;
  std::size_t bytes_ = 0;
  std::size_t hits_ = 0;
  std::size_t decodes_ = 0;
  std::list<Entry> entries_;  // most recently used first
  std::unordered_map<std::string, std::list<Entry>::iterator> byPath_;
  std::unique_ptr<Spare> spare_;
};

}  // namespace tw::platform
