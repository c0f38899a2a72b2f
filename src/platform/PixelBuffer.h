// PixelBuffer: a writable block of opaque pixels for effects that compute every pixel
// themselves (the rippling water), turned into a Picture for the painter to draw.
//
// Pixels are 0x00RRGGBB, rows top to bottom, width x height of them; a buffer made from a
// picture takes its colours with any see-through part over black.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace tw::platform {

class Picture;

class PixelBuffer {
 public:
  PixelBuffer() = default;
  PixelBuffer(int width, int height, std::uint32_t fill = 0);
  static PixelBuffer fromPicture(const Picture& picture);

  int width() const { return width_; }
  int height() const { return height_; }
  std::uint32_t* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const std::uint32_t* row(int y) const {
    return pixels_.data() + static_cast<std::size_t>(y) * width_;
  }
  std::uint32_t at(int x, int y) const { return row(y)[x]; }
  void set(int x, int y, std::uint32_t rgb) { row(y)[x] = rgb; }

  std::shared_ptr<const Picture> toPicture() const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

}  // namespace tw::platform
