// DisplayFit: the scale factor and offsets of a full-screen window.
#include "platform/qt/DisplayFit.h"

#include <algorithm>
#include <cmath>

#include "platform/Units.h"

namespace tw::platform {

bool DisplayFit::sharp() const {
  return !alwaysSmooth && std::abs(factor - std::round(factor)) < 1e-9;
}

QPoint DisplayFit::toClientTwips(QPointF target) const {
  const double x = (target.x() - picture.left()) / factor * kTwipsPerPixel;
  const double y = (target.y() - picture.top()) / factor * kTwipsPerPixel;
  // A small tolerance so that the left edge of a scaled pixel maps to its first twip rather
  // than to the last twip of the pixel before it.
  return QPoint(static_cast<int>(std::floor(x + 1e-6)), static_cast<int>(std::floor(y + 1e-6)));
}

QPoint DisplayFit::toTarget(QPoint clientPixel) const {
  return QPoint(picture.left() + static_cast<int>(std::ceil(clientPixel.x() * factor - 1e-9)),
                picture.top() + static_cast<int>(std::ceil(clientPixel.y() * factor - 1e-9)));
}

DisplayFit FitToScreen(QSize client, QSize target) {
  DisplayFit fit;
  if (client.isEmpty() || target.isEmpty()) {
    fit.picture = QRect(QPoint(0, 0), client);
    return fit;
  }
  fit.factor = std::min(static_cast<double>(target.width()) / client.width(),
                        static_cast<double>(target.height()) / client.height());
  const int w = std::min(target.width(), static_cast<int>(std::lround(client.width() * fit.factor)));
  const int h =
      std::min(target.height(), static_cast<int>(std::lround(client.height() * fit.factor)));
  fit.picture = QRect((target.width() - w) / 2, (target.height() - h) / 2, w, h);
  return fit;
}

DisplayFit FitPicture(QSize client, QSize target, PictureScaling scaling) {
  DisplayFit fit = FitToScreen(client, target);
  if (scaling == PictureScaling::Smooth) fit.alwaysSmooth = true;
  if (scaling == PictureScaling::Sharp && fit.factor > 1.0) {
    fit.factor = std::floor(fit.factor + 1e-9);
    const int w = static_cast<int>(client.width() * fit.factor);
    const int h = static_cast<int>(client.height() * fit.factor);
    fit.picture = QRect((target.width() - w) / 2, (target.height() - h) / 2, w, h);
  }
  return fit;
}

DisplayFit FitPart(QSize client, QRect part, QSize target, PictureScaling scaling) {
  part = part.intersected(QRect(QPoint(0, 0), client));
  if (part.isEmpty()) return FitPicture(client, target, scaling);
  DisplayFit fit = FitPicture(part.size(), target, scaling);
  // The part's corner lands on the fitted corner (rounded as toTarget rounds); the client
  // area's corner lies that much further up and left.
  const QPoint corner(static_cast<int>(std::ceil(part.left() * fit.factor - 1e-9)),
                      static_cast<int>(std::ceil(part.top() * fit.factor - 1e-9)));
  fit.picture = QRect(fit.picture.topLeft() - corner,
                      QSize(static_cast<int>(std::lround(client.width() * fit.factor)),
                            static_cast<int>(std::lround(client.height() * fit.factor))));
  return fit;
}

}  // namespace tw::platform
