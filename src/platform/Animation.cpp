// Animation: Qt's image reader walks the frames; each is composed by the reader already.
#include "platform/Animation.h"

#include <QFileInfo>
#include <QImageReader>

#include "platform/Picture.h"
#include "platform/qt/Bridge.h"
#include "vbscript/VbError.h"

namespace tw::platform {

std::vector<AnimationFrame> LoadAnimation(const std::string& path) {
  const QString name = QString::fromStdString(path);
  const QFileInfo info(name);
  if (!info.exists() || info.isDir()) throw vbs::VbError(vbs::err::kFileNotFound);
  QImageReader reader(name);
  reader.setDecideFormatFromContent(true);
  std::vector<AnimationFrame> frames;
  // A damaged file could claim any number of frames; the reader stops at the first it
  // cannot read.
  constexpr int kMaxFrames = 10000;
  while (static_cast<int>(frames.size()) < kMaxFrames) {
    QImage image = reader.read();
    if (image.isNull()) break;
    const int delay = reader.nextImageDelay();
    frames.push_back(AnimationFrame{
        PictureAccess::make(image.convertToFormat(QImage::Format_ARGB32_Premultiplied)),
        delay > 0 ? delay : kDefaultFrameMs});
    if (!reader.supportsAnimation() || !reader.canRead()) break;
  }
  if (frames.empty()) throw vbs::VbError(481, "Invalid picture");
  return frames;
}

}  // namespace tw::platform
