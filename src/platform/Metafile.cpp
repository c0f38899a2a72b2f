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
    const metafile::Layout layout = metafile::ReadMetafile(data, size);
    QImage image(layout.width, layout.height, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) throw vbs::VbError(vbs::err::kOutOfMemory);
    image.fill(Qt::transparent);
    {
      metafile::MetafileDc dc(image, layout);
      if (layout.kind == metafile::Kind::Wmf) {
        metafile::PlayWmf(dc, layout);
      } else {
        metafile::PlayEmf(dc, layout);
      }
    }
    return PictureAccess::make(std::move(image));
  } catch (const metafile::BadMetafile&) {
    throw vbs::VbError(kInvalidPicture);
  }
}

}  // namespace tw::platform
