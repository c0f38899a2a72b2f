// MetafileReader: headers, sizes and the record walk of wmf and emf files.
#include "platform/MetafileReader.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace tw::platform::metafile {

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7u;
constexpr std::size_t kPlaceableSize = 22;
constexpr std::size_t kWmfHeaderSize = 18;
constexpr std::uint16_t kWmfEof = 0x0000;
constexpr std::uint16_t kWmfSetWindowOrg = 0x020B;
constexpr std::uint16_t kWmfSetWindowExt = 0x020C;
constexpr std::uint32_t kEmfHeader = 1;
constexpr std::uint32_t kEmfEof = 14;
constexpr std::uint32_t kEmfSignature = 0x464D4520u;  // " EMF"
constexpr std::size_t kEmfHeaderSize = 88;
constexpr double kTwipsPerInch = 1440.0;
constexpr double kTwipsPerPixel = 15.0;

[[noreturn]] void Bad(const char* why) {
  throw BadMetafile(why);
}

// Pixels of a side given in twips; the side must be positive and not absurdly large.
int PixelsOf(double twips) {
  if (!(twips > 0) || twips / kTwipsPerPixel > kMaxSide) Bad("picture size out of range");
  return std::max(1, static_cast<int>(std::lround(twips / kTwipsPerPixel)));
}

void SetSize(Layout& layout, double widthTwips, double heightTwips) {
  layout.width = PixelsOf(widthTwips);
  layout.height = PixelsOf(heightTwips);
  if (static_cast<std::int64_t>(layout.width) * layout.height > kMaxPixels) {
    Bad("picture too large");
  }
}

// The records of a wmf from `at` (just after its 9-word header) to its end-of-file record.
void WalkWmf(const std::uint8_t* data, std::size_t size, std::size_t at, Layout& layout) {
  const Params file(data, size);
  for (;;) {
    if (at + 6 > size) Bad("wmf without end-of-file record");
    const std::uint64_t words = file.u32(at);
    const std::uint16_t function = file.u16(at + 4);
    if (words < 3 || words * 2 > size - at) Bad("wmf record size out of range");
    if (function == kWmfEof) return;
    layout.records.push_back(
        Record{function, Params(data + at + 6, static_cast<std::size_t>(words * 2 - 6))});
    at += static_cast<std::size_t>(words * 2);
  }
}

Layout ReadWmf(const std::uint8_t* data, std::size_t size) {
  Layout layout;
  layout.kind = Kind::Wmf;
  const Params file(data, size);
  const bool placeable = size >= 4 && file.u32(0) == kPlaceableKey;
  const std::size_t start = placeable ? kPlaceableSize : 0;
  if (size < start + kWmfHeaderSize) Bad("wmf header truncated");
  const std::uint16_t type = file.u16(start);
  const std::uint16_t headerWords = file.u16(start + 2);
  if ((type != 1 && type != 2) || headerWords != 9) Bad("not a wmf header");
  layout.objectCount = file.u16(start + 10);
  WalkWmf(data, size, start + kWmfHeaderSize, layout);

  if (placeable) {
    // The bounding box, in logical units of `inch` to the inch. Its checksum (the XOR of
    // the ten words before it) is not enforced: converters of the time often wrote it
    // wrong, and the box is checked for itself here.
    const double left = file.i16(6), top = file.i16(8);
    const double right = file.i16(10), bottom = file.i16(12);
    const double inch = file.u16(14);
    if (inch <= 0) Bad("placeable wmf without units per inch");
    layout.frameLeft = left;
    layout.frameTop = top;
    layout.frameWidth = right - left;
    layout.frameHeight = bottom - top;
    SetSize(layout, layout.frameWidth * kTwipsPerInch / inch,
            layout.frameHeight * kTwipsPerInch / inch);
    return layout;
  }
  // No size in the file: the first window the records set, one logical unit per pixel.
  bool haveOrigin = false, haveExtent = false;
  for (const Record& r : layout.records) {
    if (r.type == kWmfSetWindowOrg && !haveOrigin) {
      layout.frameTop = r.params.word(0);
      layout.frameLeft = r.params.word(1);
      haveOrigin = true;
    } else if (r.type == kWmfSetWindowExt && !haveExtent) {
      layout.frameHeight = r.params.word(0);
      layout.frameWidth = r.params.word(1);
      haveExtent = true;
    }
  }
  if (!haveExtent || layout.frameWidth == 0 || layout.frameHeight == 0) {
    Bad("wmf without placeable header or window extent");
  }
  SetSize(layout, std::abs(layout.frameWidth) * kTwipsPerPixel,
          std::abs(layout.frameHeight) * kTwipsPerPixel);
  return layout;
}

Layout ReadEmf(const std::uint8_t* data, std::size_t size) {
  Layout layout;
  layout.kind = Kind::Emf;
  const Params file(data, size);
  if (size < kEmfHeaderSize) Bad("emf header truncated");
  const std::uint32_t headerSize = file.u32(4);
  if (file.u32(0) != kEmfHeader || file.u32(40) != kEmfSignature) Bad("not an emf header");
  if (headerSize < kEmfHeaderSize || headerSize % 4 != 0 || headerSize > size) {
    Bad("emf header size out of range");
  }
  // Frame in 0.01 mm, inclusive of its right and bottom edges.
  const double frameLeft = file.i32(24), frameTop = file.i32(28);
  const double frameRight = file.i32(32), frameBottom = file.i32(36);
  layout.objectCount = file.u16(52);
  const double devicePixelsX = file.i32(72), devicePixelsY = file.i32(76);
  const double deviceMmX = file.i32(80), deviceMmY = file.i32(84);
  if (devicePixelsX <= 0 || devicePixelsY <= 0 || deviceMmX <= 0 || deviceMmY <= 0) {
    Bad("emf reference device out of range");
  }
  const double widthMm100 = frameRight - frameLeft, heightMm100 = frameBottom - frameTop;
  SetSize(layout, widthMm100 * kTwipsPerInch / 2540.0, heightMm100 * kTwipsPerInch / 2540.0);
  layout.pixelsPerMmX = devicePixelsX / deviceMmX;
  layout.pixelsPerMmY = devicePixelsY / deviceMmY;
  layout.frameLeft = frameLeft / 100.0 * layout.pixelsPerMmX;
  layout.frameTop = frameTop / 100.0 * layout.pixelsPerMmY;
  layout.frameWidth = widthMm100 / 100.0 * layout.pixelsPerMmX;
  layout.frameHeight = heightMm100 / 100.0 * layout.pixelsPerMmY;

  for (std::size_t at = headerSize;;) {
    if (at + 8 > size) Bad("emf without end-of-file record");
    const std::uint32_t type = file.u32(at);
    const std::uint64_t recordSize = file.u32(at + 4);
    if (recordSize < 8 || recordSize % 4 != 0 || recordSize > size - at) {
      Bad("emf record size out of range");
    }
    if (type == kEmfEof) return layout;
    layout.records.push_back(Record{type, Params(data + at, static_cast<std::size_t>(recordSize))});
    at += static_cast<std::size_t>(recordSize);
  }
}

}  // namespace

std::uint16_t Params::u16(std::size_t at) const {
  const std::uint8_t* b = bytes(at, 2);
  return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::uint32_t Params::u32(std::size_t at) const {
  const std::uint8_t* b = bytes(at, 4);
  return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
         (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

float Params::f32(std::size_t at) const {
  const std::uint32_t bits = u32(at);
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

const std::uint8_t* Params::bytes(std::size_t at, std::size_t n) const {
  if (at > size_ || n > size_ - at) Bad("record shorter than its contents");
  return data_ + at;
}

bool LooksLikeMetafile(const std::uint8_t* data, std::size_t size) {
  const Params b(data, size);
  if (size >= 4 && b.u32(0) == kPlaceableKey) return true;
  if (size >= 6 && (b.u16(0) == 1 || b.u16(0) == 2) && b.u16(2) == 9 &&
      (b.u16(4) == 0x0100 || b.u16(4) == 0x0300)) {
    return true;
  }
  return size >= 44 && b.u32(0) == kEmfHeader && b.u32(40) == kEmfSignature;
}

Layout ReadMetafile(const std::uint8_t* data, std::size_t size) {
  if (size >= 4 && Params(data, size).u32(0) == kEmfHeader) return ReadEmf(data, size);
  return ReadWmf(data, size);
}

}  // namespace tw::platform::metafile
