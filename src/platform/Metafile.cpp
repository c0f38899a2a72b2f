// Metafile: reading, then playing into a see-through picture; every failure is 481.
#include "platform/Metafile.h"

#include <QImage>

#include "platform/MetafileReader.h"
#include "platform/qt/Bridge.h"
#include "platform/qt/MetafileDc.h"
#include "vbscript/VbError.h"

namespace tw::platform {

namespace {
constexpr int kInvalidPicture = 481;
}

bool IsMetafile(const std::uint8_t* data, std::size_t size) {
  return metafile::LooksLikeMetafile(data, size);
}

std::shared_ptr<const Picture> RenderMetafile(const std::uint8_t* data, std::size_t size) {
  try {
    return PictureAccess::makeMetafile(metafile::PlayMetafile(data, size),
                                       std::vector<std::uint8_t>(data, data + size));
  } catch (const metafile::BadMetafile&) {
    throw vbs::VbError(kInvalidPicture);
  }
}

namespace metafile {

QImage PlayMetafile(const std::uint8_t* data, std::size_t size, std::optional<QSize> target) {
  const Layout layout = ReadMetafile(data, size);
  const QSize pixels = target.value_or(QSize(layout.width, layout.height));
  if (pixels.width() <= 0 || pixels.height() <= 0 || pixels.width() > kMaxSide ||
      pixels.height() > kMaxSide ||
      static_cast<std::int64_t>(pixels.width()) * pixels.height() > kMaxPixels) {
    throw BadMetafile("picture size out of range");
  }
  QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) throw vbs::VbError(vbs::err::kOutOfMemory);
  image.fill(Qt::transparent);
  MetafileDc dc(image, layout);
  if (layout.kind == Kind::Wmf) {
    PlayWmf(dc, layout);
  } else {
    PlayEmf(dc, layout);
  }
  return image;
}

}  // namespace metafile

}  // namespace tw::platform
