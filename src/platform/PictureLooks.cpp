// PictureLooks: lighter and shifted copies made with Qt's 32-bit images.
#include "platform/PictureLooks.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdint>

#include "platform/Picture.h"
#include "platform/qt/Bridge.h"

namespace tw::platform {

std::shared_ptr<const Picture> LighterPicture(const Picture& picture, int percent) {
  const std::uint32_t t = static_cast<std::uint32_t>(std::clamp(percent, 0, 100));
  // Premultiplied: "white" for a pixel is its own alpha in every channel.
  QImage image = PictureAccess::image(picture).convertToFormat(QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const std::uint32_t p = row[x];
      const std::uint32_t a = p >> 24;
      if (a == 0) continue;
      auto lift = [a, t](std::uint32_t c) { return c + ((a - c) * t * c / a + 50) / 100; };
      row[x] = (a << 24) | (lift((p >> 16) & 0xFF) << 16) | (lift((p >> 8) & 0xFF) << 8) |
               lift(p & 0xFF);
    }
  }
  return PictureAccess::make(std::move(image));
}

std::shared_ptr<const Picture> ShiftedPicture(const Picture& picture, int dx, int dy) {
  const QImage& from = PictureAccess::image(picture);
  QImage image(from.size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(dx, dy, from);
  painter.end();
  return PictureAccess::make(std::move(image));
}

}  // namespace tw::platform
