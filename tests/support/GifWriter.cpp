// GifWriter: codes are written three bits wide with a clear code after every two pixels, so
// the code table never grows past its first size (a valid, if long, LZW stream).
#include "support/GifWriter.h"

#include <algorithm>
#include <stdexcept>

namespace tw::test {

namespace {

void Le16(std::string& out, int v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}

class BitWriter {
 public:
  void put(int code, int bits) {
    acc_ |= static_cast<std::uint32_t>(code) << count_;
    count_ += bits;
    while (count_ >= 8) {
      bytes_ += static_cast<char>(acc_ & 0xFF);
      acc_ >>= 8;
      count_ -= 8;
    }
  }
  std::string finish() {
    if (count_ > 0) bytes_ += static_cast<char>(acc_ & 0xFF);
    return bytes_;
  }

 private:
  std::uint32_t acc_ = 0;
  int count_ = 0;
  std::string bytes_;
};

}  // namespace

std::string GifBytes(int width, int height, const std::vector<GifFrame>& frames) {
  std::vector<std::uint32_t> palette;
  for (const GifFrame& f : frames) {
    if (std::find(palette.begin(), palette.end(), f.rgb) == palette.end()) palette.push_back(f.rgb);
  }
  if (palette.size() > 4) throw std::invalid_argument("at most four colours");
  palette.resize(4, 0);
  std::string out = "GIF89a";
  Le16(out, width);
  Le16(out, height);
  out += static_cast<char>(0x91);  // global table of 4 colours
  out += '\0';
  out += '\0';
  for (std::uint32_t c : palette) {
    out += static_cast<char>((c >> 16) & 0xFF);
    out += static_cast<char>((c >> 8) & 0xFF);
    out += static_cast<char>(c & 0xFF);
  }
  out += "\x21\xFF\x0BNETSCAPE2.0\x03\x01";
  out += std::string("\x00\x00\x00", 3);
  for (const GifFrame& f : frames) {
    const int index = static_cast<int>(std::find(palette.begin(), palette.end(), f.rgb) -
                                       palette.begin());
    out += "\x21\xF9\x04\x04";  // graphic control: disposal "leave", no transparency
    Le16(out, f.delayCs);
    out += std::string("\x00\x00", 2);
    out += '\x2C';
    Le16(out, 0);
    Le16(out, 0);
    Le16(out, width);
    Le16(out, height);
    out += '\0';
    out += '\x02';  // minimum code size
    constexpr int kClear = 4, kEnd = 5, kBits = 3;
    BitWriter bits;
    const int pixels = width * height;
    for (int i = 0; i < pixels; ++i) {
      if (i % 2 == 0) bits.put(kClear, kBits);
      bits.put(index, kBits);
    }
    bits.put(kEnd, kBits);
    const std::string data = bits.finish();
    for (std::size_t at = 0; at < data.size(); at += 255) {
      const std::size_t n = std::min<std::size_t>(255, data.size() - at);
      out += static_cast<char>(n);
      out += data.substr(at, n);
    }
    out += '\0';
  }
  out += '\x3B';
  return out;
}

}  // namespace tw::test
