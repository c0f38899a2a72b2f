// MetafileWriter: writes wmf and emf files record by record, so tests can make exactly the
// metafile they need (and damage it on purpose) without any drawing program.
//
// Colours are COLORREF numbers (0x00BBGGRR, the same as VB colour numbers). Coordinates are
// the file's logical units. bytes() completes the headers (sizes, record counts, the
// placeable checksum) and appends the end-of-file record; rawRecords() gives the records
// alone for tests that assemble a damaged file themselves.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tw::test {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t Rgb(int r, int g, int b) {
  return static_cast<std::uint32_t>(r | (g << 8) | (b << 16));
}

// A 24-bit device-independent bitmap (info header, then bits stored bottom-up as Windows
// keeps them); pixel(x, y) gives 0x00RRGGBB with y counted from the top.
struct Dib {
  Bytes info;  // the 40-byte header (no colour table)
  Bytes bits;
  int width = 0;
  int height = 0;
  Bytes whole() const;
};
Dib MakeDib(int width, int height, const std::function<std::uint32_t(int x, int y)>& pixel);

class WmfWriter {
 public:
  // A placeable wmf: bounding box in logical units, `inch` of them to the inch.
  static WmfWriter Placeable(int left, int top, int right, int bottom, int inch, int objects = 8);
  // A wmf without the placeable header.
  static WmfWriter Plain(int objects = 8);

  // One record: the function and its parameter words as stored, then raw bytes.
  WmfWriter& record(std::uint16_t function, const std::vector<int>& words, const Bytes& tail = {});

  WmfWriter& setWindowOrg(int x, int y) { return record(0x020B, {y, x}); }
  WmfWriter& setWindowExt(int w, int h) { return record(0x020C, {h, w}); }
  WmfWriter& setViewportOrg(int x, int y) { return record(0x020D, {y, x}); }
  WmfWriter& setViewportExt(int w, int h) { return record(0x020E, {h, w}); }
  WmfWriter& setMapMode(int mode) { return record(0x0103, {mode}); }
  WmfWriter& saveDc() { return record(0x001E, {}); }
  WmfWriter& restoreDc(int n) { return record(0x0127, {n}); }
  WmfWriter& setBkMode(int mode) { return record(0x0102, {mode}); }
  WmfWriter& setTextColour(std::uint32_t c) { return record(0x0209, Colour(c)); }
  WmfWriter& setTextAlign(int align) { return record(0x012E, {align}); }
  WmfWriter& createBrush(int style, std::uint32_t colour, int hatch = 0);
  WmfWriter& createPen(int style, int width, std::uint32_t colour);
  WmfWriter& createFont(int height, const std::string& face, int weight = 400);
  WmfWriter& selectObject(int index) { return record(0x012D, {index}); }
  WmfWriter& deleteObject(int index) { return record(0x01F0, {index}); }
  WmfWriter& rectangle(int l, int t, int r, int b) { return record(0x041B, {b, r, t, l}); }
  WmfWriter& ellipse(int l, int t, int r, int b) { return record(0x0418, {b, r, t, l}); }
  WmfWriter& moveTo(int x, int y) { return record(0x0214, {y, x}); }
  WmfWriter& lineTo(int x, int y) { return record(0x0213, {y, x}); }
  WmfWriter& polygon(const std::vector<int>& xy);
  WmfWriter& polyline(const std::vector<int>& xy);
  WmfWriter& textOut(int x, int y, const std::string& text);
  // The whole bitmap stretched onto (x, y, w, h); or the part (sx, sy, sw, sh) of it, whose
  // origin is the bitmap's bottom-left corner as Windows counts it for bottom-up bitmaps.
  WmfWriter& stretchDibits(int x, int y, int w, int h, const Dib& dib);
  WmfWriter& stretchDibits(int x, int y, int w, int h, const Dib& dib, int sx, int sy, int sw,
                           int sh);

  Bytes rawRecords() const { return records_; }
  Bytes bytes() const;

 private:
  static std::vector<int> Colour(std::uint32_t c) {
    return {static_cast<int>(c & 0xFFFF), static_cast<int>(c >> 16)};
  }
  bool placeable_ = false;
  int box_[4] = {0, 0, 0, 0};
  int inch_ = 0;
  int objects_ = 0;
  std::uint32_t largest_ = 3;
  Bytes records_;
};

class EmfWriter {
 public:
  // Frame in 0.01 mm; the reference device is 96 pixels to 25.4 mm, so with the default
  // mapping one logical unit is one pixel of the picture.
  EmfWriter(int left, int top, int right, int bottom, int handles = 8);
  // A reference device other than 96 dpi: pixels and millimetres of its screen.
  EmfWriter& device(int pixelsX, int pixelsY, int mmX, int mmY);

  // One record: its type and 32-bit values after the type and size, then raw bytes.
  EmfWriter& record(std::uint32_t type, const std::vector<std::int64_t>& values,
                    const Bytes& tail = {});

  EmfWriter& setMapMode(int mode) { return record(17, {mode}); }
  EmfWriter& setWindowExt(int w, int h) { return record(9, {w, h}); }
  EmfWriter& setWindowOrg(int x, int y) { return record(10, {x, y}); }
  EmfWriter& setViewportExt(int w, int h) { return record(11, {w, h}); }
  EmfWriter& setViewportOrg(int x, int y) { return record(12, {x, y}); }
  EmfWriter& setBkMode(int mode) { return record(18, {mode}); }
  EmfWriter& setTextColour(std::uint32_t c) { return record(24, {c}); }
  EmfWriter& saveDc() { return record(33, {}); }
  EmfWriter& restoreDc(int n) { return record(34, {n}); }
  EmfWriter& createBrush(int index, int style, std::uint32_t colour, int hatch = 0) {
    return record(39, {index, style, colour, hatch});
  }
  EmfWriter& createPen(int index, int style, int width, std::uint32_t colour) {
    return record(38, {index, style, width, 0, colour});
  }
  EmfWriter& createFont(int index, int height, const std::string& face, int weight = 400);
  EmfWriter& selectObject(std::uint32_t index) { return record(37, {index}); }
  EmfWriter& deleteObject(int index) { return record(40, {index}); }
  EmfWriter& rectangle(int l, int t, int r, int b) { return record(43, {l, t, r, b}); }
  EmfWriter& ellipse(int l, int t, int r, int b) { return record(42, {l, t, r, b}); }
  EmfWriter& moveTo(int x, int y) { return record(27, {x, y}); }
  EmfWriter& lineTo(int x, int y) { return record(54, {x, y}); }
  // Polygon16 and Polyline16.
  EmfWriter& polygon16(const std::vector<int>& xy);
  EmfWriter& polyline16(const std::vector<int>& xy);
  // With `dx`, the distances from each character to the next.
  EmfWriter& textOutW(int x, int y, const std::u16string& text, const std::vector<int>& dx = {});
  EmfWriter& stretchDibits(int x, int y, int w, int h, const Dib& dib);

  Bytes rawRecords() const { return records_; }
  Bytes bytes() const;

 private:
  int frame_[4];
  int handles_;
  int device_[4] = {960, 960, 254, 254};
  std::uint32_t count_ = 0;
  Bytes records_;
};

// Little-endian helpers for tests that patch bytes.
void PutU16(Bytes& b, std::size_t at, std::uint16_t v);
void PutU32(Bytes& b, std::size_t at, std::uint32_t v);

}  // namespace tw::test
