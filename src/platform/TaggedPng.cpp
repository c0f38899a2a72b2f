#include "platform/TaggedPng.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "common/AtomicFile.h"
#include "platform/Picture.h"
#include "platform/qt/Bridge.h"
#include "vbscript/VbError.h"

namespace tw::platform {

namespace {

bool Tagged(QImageReader& reader, const PngTag& tag) {
  return reader.format() == "png" &&
         reader.text(QString::fromStdString(tag.key)) == QString::fromStdString(tag.value);
}

}  // namespace

// Each pixel of the result is the mean of the source pixels whose centres fall in its
// rectangle (a box filter: smooth for any shrinking, exact 2 x 2 means at half size). Done
// here rather than by QImage::scaled, which hands large pictures to a thread pool.
std::shared_ptr<const Picture> ScaledToWidth(const Picture& picture, int maxWidth) {
  const QImage& from = PictureAccess::image(picture);
  if (from.width() <= maxWidth) return PictureAccess::make(from);
  const int w = std::max(1, maxWidth);
  const int h =
      std::max(1, static_cast<int>(std::lround(double(from.height()) * w / from.width())));
  QImage to(w, h, QImage::Format_ARGB32_Premultiplied);
  if (to.isNull()) throw vbs::VbError(vbs::err::kOutOfMemory);
  const auto edge = [](int i, int n, int size) {
    return static_cast<int>(std::int64_t(i) * size / n);
  };
  for (int y = 0; y < h; ++y) {
    const int y0 = edge(y, h, from.height()), y1 = std::max(y0 + 1, edge(y + 1, h, from.height()));
    auto* out = reinterpret_cast<std::uint32_t*>(to.scanLine(y));
    for (int x = 0; x < w; ++x) {
      const int x0 = edge(x, w, from.width()), x1 = std::max(x0 + 1, edge(x + 1, w, from.width()));
      std::uint64_t sum[4] = {0, 0, 0, 0};
      for (int sy = y0; sy < y1; ++sy) {
        const auto* in = reinterpret_cast<const std::uint32_t*>(from.constScanLine(sy));
        for (int sx = x0; sx < x1; ++sx) {
          for (int c = 0; c < 4; ++c) sum[c] += (in[sx] >> (8 * c)) & 0xFF;
        }
      }
      const std::uint64_t n = std::uint64_t(y1 - y0) * (x1 - x0);
      std::uint32_t pixel = 0;
      for (int c = 0; c < 4; ++c)
        pixel |= static_cast<std::uint32_t>((sum[c] + n / 2) / n) << (8 * c);
      out[x] = pixel;
    }
  }
  return PictureAccess::make(std::move(to));
}

void SaveTaggedPng(const Picture& picture, const std::string& path, const PngTag& tag) {
  // Encoded in memory and written by AtomicFile, whose every write is checked: QSaveFile
  // committed a truncated picture when the disk filled up during its buffered writes.
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  if (!tag.key.empty()) {
    writer.setText(QString::fromStdString(tag.key), QString::fromStdString(tag.value));
  }
  if (!writer.write(PictureAccess::image(picture)) ||
      ReplacePathAtomically(path, std::string_view(bytes.constData(), bytes.size())) != 0) {
    throw vbs::VbError(vbs::err::kPathFileAccessError);
  }
}

bool HasTaggedPng(const std::string& path, const PngTag& tag) {
  QImageReader reader(QFile::decodeName(QByteArray::fromStdString(path)));
  return Tagged(reader, tag);
}

std::shared_ptr<const Picture> LoadTaggedPng(const std::string& path, const PngTag& tag) {
  QImageReader reader(QFile::decodeName(QByteArray::fromStdString(path)));
  if (!Tagged(reader, tag)) return nullptr;
  QImage image;
  if (!reader.read(&image)) return nullptr;
  return PictureAccess::make(std::move(image));
}

}  // namespace tw::platform
