// Canvas: a QImage (ARGB32 premultiplied) drawn on with QPainter.
#include "platform/Canvas.h"

#include <QPainter>
#include <algorithm>

#include "platform/Font.h"
#include "platform/Picture.h"
#include "platform/qt/Bridge.h"
#include "vbscript/VbError.h"

namespace tw::platform {

struct Canvas::Impl {
  QImage image;
};

namespace {

QColor ToQColor(Colour colour) {
  Rgb rgb = ToRgb(colour);
  return QColor(rgb.r, rgb.g, rgb.b);
}

QStringList SplitLines(const std::string& text) {
  QString s = QString::fromStdString(text);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return s.split(QLatin1Char('\n'));
}

}  // namespace

QImage& PictureAccess::image(Canvas& canvas) {
  return canvas.impl().image;
}
const QImage& PictureAccess::image(const Canvas& canvas) {
  return canvas.impl().image;
}

Canvas::Canvas() : impl_(std::make_unique<Impl>()) {}
Canvas::~Canvas() = default;
Canvas::Canvas(Canvas&&) noexcept = default;
Canvas& Canvas::operator=(Canvas&&) noexcept = default;

int Canvas::width() const {
  return impl_->image.width();
}
int Canvas::height() const {
  return impl_->image.height();
}

void Canvas::resize(int width, int height) {
  width = std::max(0, width);
  height = std::max(0, height);
  if (width == this->width() && height == this->height()) return;
  QImage next;
  if (width > 0 && height > 0) {
    next = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
    next.fill(Qt::transparent);
    if (!impl_->image.isNull()) {
      QPainter p(&next);
      p.setCompositionMode(QPainter::CompositionMode_Source);
      p.drawImage(0, 0, impl_->image);
    }
  }
  impl_->image = std::move(next);
}

void Canvas::clear() {
  if (!impl_->image.isNull()) impl_->image.fill(Qt::transparent);
}

void Canvas::fill(Colour colour) {
  if (!impl_->image.isNull()) impl_->image.fill(ToQColor(colour));
}

void Canvas::fillRect(int x, int y, int width, int height, Colour colour) {
  if (impl_->image.isNull()) return;
  QPainter p(&impl_->image);
  p.fillRect(QRect(x, y, width, height), ToQColor(colour));
}

void Canvas::drawPicture(const Picture& picture, int x, int y) {
  if (impl_->image.isNull()) return;
  QPainter p(&impl_->image);
  p.drawImage(x, y, PictureAccess::image(picture));
}

void Canvas::drawPictureScaled(const Picture& picture, int x, int y, int width, int height) {
  if (impl_->image.isNull() || width <= 0 || height <= 0) return;
  QPainter p(&impl_->image);
  const QImage drawn = PictureAccess::drawnAt(picture, QSize(width, height));
  if (!drawn.isNull()) {
    p.drawImage(x, y, drawn);
    return;
  }
  p.setRenderHint(QPainter::SmoothPixmapTransform, true);
  p.drawImage(QRect(x, y, width, height), PictureAccess::image(picture));
}

void Canvas::blendPicture(const Picture& picture, int x, int y, int opacity) {
  if (impl_->image.isNull()) return;
  QPainter p(&impl_->image);
  p.setOpacity(std::clamp(opacity, 0, 255) / 255.0);
  p.drawImage(x, y, PictureAccess::image(picture));
}

void Canvas::tile(const Picture& picture) {
  if (impl_->image.isNull()) return;
  // Tiles start at (0, 0) and cover the canvas up to and including its far edges.
  const int w = picture.width(), h = picture.height();
  QPainter p(&impl_->image);
  for (int x = 0; x <= width(); x += w) {
    for (int y = 0; y <= height(); y += h) p.drawImage(x, y, PictureAccess::image(picture));
  }
}

void Canvas::drawText(int x, int y, const std::string& text, const Font& font, Colour colour) {
  if (impl_->image.isNull() || text.empty() || !FontsAvailable()) return;
  QPainter p(&impl_->image);
  QFont qfont = ToQFont(font);
  p.setFont(qfont);
  p.setPen(ToQColor(colour));
  QFontMetrics metrics(qfont, &impl_->image);
  int lineY = y;
  for (const QString& line : SplitLines(text)) {
    p.drawText(x, lineY + metrics.ascent(), line);
    lineY += metrics.height();
  }
}

std::uint32_t Canvas::pixel(int x, int y) const {
  if (!impl_->image.valid(x, y)) return 0;
  return impl_->image.pixelColor(x, y).rgba();
}

std::shared_ptr<const Picture> Canvas::toPicture() const {
  if (impl_->image.isNull()) throw vbs::VbError(vbs::err::kInvalidCall);
  return PictureAccess::make(impl_->image);
}

std::shared_ptr<const Picture> Canvas::region(int x, int y, int width, int height) const {
  QRect r = QRect(x, y, width, height).intersected(impl_->image.rect());
  if (r.isEmpty()) throw vbs::VbError(vbs::err::kInvalidCall);
  return PictureAccess::make(impl_->image.copy(r));
}

}  // namespace tw::platform
