// PixelBuffer: copies between the buffer and Qt's 32-bit images.
#include "platform/PixelBuffer.h"

#include <QImage>
#include <algorithm>
#include <cstring>

#include "platform/Picture.h"
#include "platform/qt/Bridge.h"

namespace tw::platform {

PixelBuffer::PixelBuffer(int width, int height, std::uint32_t fill)
    : width_(std::max(0, width)),
      height_(std::max(0, height)),
      pixels_(static_cast<std::size_t>(width_) * height_, fill & 0xFFFFFFu) {}

PixelBuffer PixelBuffer::fromPicture(const Picture& picture) {
  QImage image = PictureAccess::image(picture).convertToFormat(QImage::Format_RGB32);
  PixelBuffer out(image.width(), image.height());
  for (int y = 0; y < out.height_; ++y) {
    const auto* src = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
    std::uint32_t* dst = out.row(y);
    for (int x = 0; x < out.width_; ++x) dst[x] = src[x] & 0xFFFFFFu;
  }
  return out;
}

std::shared_ptr<const Picture> PixelBuffer::toPicture() const {
  QImage image(std::max(1, width_), std::max(1, height_), QImage::Format_RGB32);
  if (width_ == 0 || height_ == 0) image.fill(Qt::black);
  for (int y = 0; y < height_; ++y) {
    auto* dst = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
    const std::uint32_t* src = row(y);
    for (int x = 0; x < width_; ++x) dst[x] = src[x] | 0xFF000000u;
  }
  return PictureAccess::make(std::move(image));
}

}  // namespace tw::platform
