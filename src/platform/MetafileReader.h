// MetafileReader: the structure of a Windows metafile — a wmf (with or without the placeable
// header) or an emf — checked in full before anything of it is drawn.
//
// Reading finds the picture's own size and the list of its records up to the end-of-file
// record. Every record lies wholly inside the file, every size is a whole number of units
// (words for wmf, four bytes for emf) and at least a record header, so walking the list
// always ends; a file without its end-of-file record is truncated. Anything else that does
// not hold raises BadMetafile; drawing the records (WmfPlayer, EmfPlayer) reads their
// parameters through Params, which raises BadMetafile too when a record is shorter than
// its contents need.
//
// Sizes: a placeable wmf has a bounding box in units of so many per inch, an emf a frame
// in hundredths of a millimetre; both become twips, then pixels (15 twips each). A wmf
// without the placeable header carries no size: its first window origin and extent
// records give the rectangle it draws, at one logical unit per pixel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace tw::platform::metafile {

struct BadMetafile : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The largest picture a metafile may ask for: beyond it the file is treated as damaged.
inline constexpr int kMaxSide = 16384;
inline constexpr std::int64_t kMaxPixels = 16 * 1024 * 1024;

enum class Kind { Wmf, Emf };

// Little-endian access to one record's bytes; any read outside them raises BadMetafile.
class Params {
 public:
  Params(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::size_t size() const { return size_; }
  std::uint16_t u16(std::size_t at) const;
  std::int16_t i16(std::size_t at) const { return static_cast<std::int16_t>(u16(at)); }
  std::uint32_t u32(std::size_t at) const;
  std::int32_t i32(std::size_t at) const { return static_cast<std::int32_t>(u32(at)); }
  float f32(std::size_t at) const;
  // n bytes from `at`, checked.
  const std::uint8_t* bytes(std::size_t at, std::size_t n) const;
  // The parameters of a wmf record are 16-bit words: word i.
  std::int16_t word(std::size_t i) const { return i16(i * 2); }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

struct Record {
  std::uint32_t type = 0;  // wmf: the function number; emf: the record type
  Params params;           // wmf: after size and function; emf: the whole record
};

struct Layout {
  Kind kind = Kind::Wmf;
  int width = 0;   // pixels
  int height = 0;  // pixels
  // The rectangle, in the file's device units, that fills the picture. For a wmf these are
  // the logical units of its bounding box (or of its first window); for an emf, pixels of
  // the device it was recorded on.
  double frameLeft = 0;
  double frameTop = 0;
  double frameWidth = 1;
  double frameHeight = 1;
  // Device pixels per millimetre of the recording device (emf; metric mapping modes).
  double pixelsPerMmX = 0;
  double pixelsPerMmY = 0;
  int objectCount = 0;  // size of the object table
  std::vector<Record> records;
};

// Whether the bytes start like a metafile (placeable key, wmf header or emf header).
bool LooksLikeMetafile(const std::uint8_t* data, std::size_t size);

// Checks the file and lists its records; the records point into `data`, which must outlive
// the layout. Raises BadMetafile.
Layout ReadMetafile(const std::uint8_t* data, std::size_t size);

}  // namespace tw::platform::metafile
