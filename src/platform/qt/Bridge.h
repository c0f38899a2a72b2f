// Bridge: the Qt objects behind the platform's own picture, canvas and font types, for the
// platform's Qt code only (the painter, the Qt back end, cursors and drag pictures). Game
// code never includes this header.
//
// Pictures hold QImage::Format_ARGB32_Premultiplied; canvases always hold
// ARGB32_Premultiplied with transparent pixels where nothing was drawn.
#pragma once

#include <QFont>
#include <QImage>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Canvas.h"
#include "platform/Font.h"
#include "platform/Picture.h"

namespace tw::platform {

struct PictureAccess {
  static const QImage& image(const Picture& picture);
  static std::shared_ptr<const Picture> make(QImage image,
                                             std::optional<Point> hotSpot = std::nullopt);
  // A picture drawn from a metafile, which keeps the file so it can be drawn again at
  // another size.
  static std::shared_ptr<const Picture> makeMetafile(QImage image,
                                                     std::vector<std::uint8_t> metafile);
  // The picture drawn afresh at `size` when it comes from a metafile (lines stay thin and
  // text sharp, as when Windows plays a metafile into a larger rectangle); a null image for
  // other pictures, which the caller scales itself.
  static QImage drawnAt(const Picture& picture, QSize size);
  // Picture::load, decoding into `spare`'s pixels where the reader can.
  static std::shared_ptr<const Picture> load(const std::string& path, QImage spare);
  // The pixels of a picture that nothing else holds (null otherwise, and for metafiles);
  // the picture is gone afterwards.
  static QImage takePixels(std::shared_ptr<const Picture>&& picture);
  static QImage& image(Canvas& canvas);
  static const QImage& image(const Canvas& canvas);
};

// The Qt font for a VB font: Windows family names mapped to their metric-compatible
// stand-ins, size in pixels at 96 dpi.
QFont ToQFont(const Font& font);
// Whether fonts can be used: Qt reads them only once a QGuiApplication exists.
bool FontsAvailable();

}  // namespace tw::platform
