// MetafileWriter: the byte layout of wmf and emf headers and records.
#include "support/MetafileWriter.h"

#include <cstring>

namespace tw::test {

namespace {

void Add16(Bytes& b, int v) {
  b.push_back(static_cast<std::uint8_t>(v & 0xFF));
  b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void Add32(Bytes& b, std::int64_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF));
}

void Append(Bytes& to, const Bytes& from) {
  to.insert(to.end(), from.begin(), from.end());
}

Bytes Ansi(const std::string& s, std::size_t padTo) {
  Bytes b(s.begin(), s.end());
  while (b.size() % padTo != 0) b.push_back(0);
  return b;
}

}  // namespace

void PutU16(Bytes& b, std::size_t at, std::uint16_t v) {
  b[at] = static_cast<std::uint8_t>(v & 0xFF);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void PutU32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF);
}

Bytes Dib::whole() const {
  Bytes b = info;
  Append(b, bits);
  return b;
}

Dib MakeDib(int width, int height, const std::function<std::uint32_t(int, int)>& pixel) {
  Dib dib;
  dib.width = width;
  dib.height = height;
  Add32(dib.info, 40);
  Add32(dib.info, width);
  Add32(dib.info, height);  // positive: bottom-up
  Add16(dib.info, 1);
  Add16(dib.info, 24);
  for (int i = 0; i < 6; ++i) Add32(dib.info, 0);
  const int row = (width * 3 + 3) / 4 * 4;
  for (int y = height - 1; y >= 0; --y) {
    Bytes line;
    for (int x = 0; x < width; ++x) {
      const std::uint32_t c = pixel(x, y);
      line.push_back(static_cast<std::uint8_t>(c & 0xFF));          // blue
      line.push_back(static_cast<std::uint8_t>((c >> 8) & 0xFF));   // green
      line.push_back(static_cast<std::uint8_t>((c >> 16) & 0xFF));  // red
    }
    line.resize(static_cast<std::size_t>(row), 0);
    Append(dib.bits, line);
  }
  return dib;
}

// ---- wmf

WmfWriter WmfWriter::Placeable(int left, int top, int right, int bottom, int inch, int objects) {
  WmfWriter w;
  w.placeable_ = true;
  w.box_[0] = left, w.box_[1] = top, w.box_[2] = right, w.box_[3] = bottom;
  w.inch_ = inch;
  w.objects_ = objects;
  return w;
}

WmfWriter WmfWriter::Plain(int objects) {
  WmfWriter w;
  w.objects_ = objects;
  return w;
}

WmfWriter& WmfWriter::record(std::uint16_t function, const std::vector<int>& words,
                             const Bytes& tail) {
  Bytes params;
  for (int v : words) Add16(params, v);
  Append(params, tail);
  if (params.size() % 2) params.push_back(0);
  const std::uint32_t size = static_cast<std::uint32_t>(3 + params.size() / 2);
  largest_ = std::max(largest_, size);
  Add32(records_, size);
  Add16(records_, function);
  Append(records_, params);
  return *this;
}

WmfWriter& WmfWriter::createBrush(int style, std::uint32_t colour, int hatch) {
  std::vector<int> words{style};
  for (int v : Colour(colour)) words.push_back(v);
  words.push_back(hatch);
  return record(0x02FC, words);
}

WmfWriter& WmfWriter::createPen(int style, int width, std::uint32_t colour) {
  std::vector<int> words{style, width, 0};
  for (int v : Colour(colour)) words.push_back(v);
  return record(0x02FA, words);
}

WmfWriter& WmfWriter::createFont(int height, const std::string& face, int weight) {
  Bytes tail(8, 0);  // italic, underline, strike out, charset, precisions, quality, pitch
  Bytes name(32, 0);
  std::memcpy(name.data(), face.data(), std::min<std::size_t>(31, face.size()));
  Append(tail, name);
  return record(0x02FB, {height, 0, 0, 0, weight}, tail);
}

WmfWriter& WmfWriter::polygon(const std::vector<int>& xy) {
  std::vector<int> words{static_cast<int>(xy.size() / 2)};
  words.insert(words.end(), xy.begin(), xy.end());
  return record(0x0324, words);
}

WmfWriter& WmfWriter::polyline(const std::vector<int>& xy) {
  std::vector<int> words{static_cast<int>(xy.size() / 2)};
  words.insert(words.end(), xy.begin(), xy.end());
  return record(0x0325, words);
}

WmfWriter& WmfWriter::textOut(int x, int y, const std::string& text) {
  Bytes tail = Ansi(text, 2);
  Add16(tail, y);
  Add16(tail, x);
  return record(0x0521, {static_cast<int>(text.size())}, tail);
}

WmfWriter& WmfWriter::stretchDibits(int x, int y, int w, int h, const Dib& dib) {
  return stretchDibits(x, y, w, h, dib, 0, 0, dib.width, dib.height);
}

WmfWriter& WmfWriter::stretchDibits(int x, int y, int w, int h, const Dib& dib, int sx, int sy,
                                    int sw, int sh) {
  const std::uint32_t rop = 0x00CC0020u;
  return record(
      0x0F43,
      {static_cast<int>(rop & 0xFFFF), static_cast<int>(rop >> 16), 0, sh, sw, sy, sx, h, w, y, x},
      dib.whole());
}

Bytes WmfWriter::bytes() const {
  Bytes records = records_;
  Add32(records, 3);  // end of file
  Add16(records, 0);
  Bytes out;
  if (placeable_) {
    Add32(out, 0x9AC6CDD7u);
    Add16(out, 0);
    for (int v : box_) Add16(out, v);
    Add16(out, inch_);
    Add32(out, 0);
    std::uint16_t sum = 0;
    for (std::size_t i = 0; i < 20; i += 2)
      sum ^= static_cast<std::uint16_t>(out[i] | out[i + 1] << 8);
    Add16(out, sum);
  }
  Add16(out, 1);
  Add16(out, 9);
  Add16(out, 0x0300);
  Add32(out, static_cast<std::int64_t>(9 + records.size() / 2));
  Add16(out, objects_);
  Add32(out, largest_);
  Add16(out, 0);
  Append(out, records);
  return out;
}

// ---- emf

EmfWriter::EmfWriter(int left, int top, int right, int bottom, int handles)
    : frame_{left, top, right, bottom}, handles_(handles) {}

EmfWriter& EmfWriter::device(int pixelsX, int pixelsY, int mmX, int mmY) {
  device_[0] = pixelsX, device_[1] = pixelsY, device_[2] = mmX, device_[3] = mmY;
  return *this;
}

EmfWriter& EmfWriter::record(std::uint32_t type, const std::vector<std::int64_t>& values,
                             const Bytes& tail) {
  Bytes body;
  for (std::int64_t v : values) Add32(body, v);
  Append(body, tail);
  while (body.size() % 4) body.push_back(0);
  Add32(records_, type);
  Add32(records_, static_cast<std::int64_t>(8 + body.size()));
  Append(records_, body);
  ++count_;
  return *this;
}

EmfWriter& EmfWriter::createFont(int index, int height, const std::string& face, int weight) {
  Bytes tail(8, 0);  // italic, underline, strike out, charset, precisions, quality, pitch
  Bytes name(64, 0);
  for (std::size_t i = 0; i < face.size() && i < 31; ++i)
    name[2 * i] = static_cast<std::uint8_t>(face[i]);
  Append(tail, name);
  return record(82, {index, height, 0, 0, 0, weight}, tail);
}

EmfWriter& EmfWriter::polygon16(const std::vector<int>& xy) {
  Bytes tail;
  for (int v : xy) Add16(tail, v);
  return record(86, {0, 0, 0, 0, static_cast<std::int64_t>(xy.size() / 2)}, tail);
}

EmfWriter& EmfWriter::polyline16(const std::vector<int>& xy) {
  Bytes tail;
  for (int v : xy) Add16(tail, v);
  return record(87, {0, 0, 0, 0, static_cast<std::int64_t>(xy.size() / 2)}, tail);
}

EmfWriter& EmfWriter::textOutW(int x, int y, const std::u16string& text,
                               const std::vector<int>& dx) {
  Bytes tail;
  for (char16_t c : text) Add16(tail, c);
  while (tail.size() % 4) tail.push_back(0);
  const std::int64_t offDx = dx.empty() ? 0 : static_cast<std::int64_t>(76 + tail.size());
  for (int d : dx) Add32(tail, d);
  const float one = 1.0f;
  std::uint32_t oneBits;
  std::memcpy(&oneBits, &one, sizeof oneBits);
  // bounds, graphics mode, scales, reference, count, string offset, options, rectangle, dx
  return record(84,
                {0, 0, 0, 0, 1, oneBits, oneBits, x, y, static_cast<std::int64_t>(text.size()), 76,
                 0, 0, 0, 0, 0, offDx},
                tail);
}

EmfWriter& EmfWriter::stretchDibits(int x, int y, int w, int h, const Dib& dib) {
  const std::int64_t infoSize = static_cast<std::int64_t>(dib.info.size());
  return record(81,
                {0, 0, 0, 0, x, y, 0, 0, dib.width, dib.height, 80, infoSize, 80 + infoSize,
                 static_cast<std::int64_t>(dib.bits.size()), 0, 0x00CC0020, w, h},
                dib.whole());
}

Bytes EmfWriter::bytes() const {
  Bytes records = records_;
  Add32(records, 14);  // end of file: no palette
  Add32(records, 20);
  Add32(records, 0);
  Add32(records, 0);
  Add32(records, 20);
  Bytes out;
  Add32(out, 1);
  Add32(out, 88);
  for (int v : {0, 0, 0, 0}) Add32(out, v);  // bounds (not used for drawing)
  for (int v : frame_) Add32(out, v);
  Add32(out, 0x464D4520);
  Add32(out, 0x10000);
  Add32(out, static_cast<std::int64_t>(88 + records.size()));
  Add32(out, count_ + 2);
  Add16(out, handles_);
  Add16(out, 0);
  Add32(out, 0);
  Add32(out, 0);
  Add32(out, 0);
  for (int v : device_) Add32(out, v);
  Append(out, records);
  return out;
}

}  // namespace tw::test
