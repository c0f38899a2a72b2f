// FrameDataReads: the data files read while one frame opens, each read from disk once.
//
// Opening a frame reads its frame file for the header and again whole, its hotspot count
// twice, and every hotspot's geometry file once to make the hotspot and once to decide
// whether it shows. While a FrameDataReads is active (OpenFrame keeps one for as long as it
// runs), those readings share one read of each file; afterwards every reading goes to the
// disk again, so a file changed between two frame changes is seen. A file that cannot be
// read is not remembered: each attempt fails as it would without the memo.
#pragma once

#include <string>
#include <unordered_map>

#include "common/FieldReader.h"

namespace tw {

class FileResolver;

class FrameDataReads {
 public:
  explicit FrameDataReads(FileResolver& files) : files_(files) {}
  FrameDataReads(const FrameDataReads&) = delete;
  FrameDataReads& operator=(const FrameDataReads&) = delete;

  // A reader over the file, as FieldReader::Open gives it (and with its errors).
  FieldReader open(const std::string& path);
  // How many files were read from disk.
  std::size_t filesRead() const { return texts_.size(); }

 private:
  FileResolver& files_;
  std::unordered_map<std::string, std::string> texts_;  // path as asked -> decoded text
};

}  // namespace tw
