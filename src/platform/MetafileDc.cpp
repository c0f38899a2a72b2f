// MetafileDc: mapping modes, objects, saved states and the QPainter drawing of metafile
// records. GDI draws without smoothing, so neither does this (a rectangle's colour is exact).
#include "platform/qt/MetafileDc.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QLineF>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/Font.h"
#include "platform/MetafileReader.h"
#include "platform/qt/Bridge.h"

namespace tw::platform::metafile {

namespace {

constexpr std::size_t kMaxSavedStates = 4096;
constexpr double kDefaultFontPixels = 16;  // the system font of a 96 dpi screen
constexpr double kMaxFontPixels = 2048;

const GdiObject& Stock(std::uint32_t stock, GdiObject& scratch) {
  scratch = GdiObject{};
  auto brush = [&](int style, QColor c) {
    scratch.kind = GdiObject::Kind::Brush;
    scratch.brush.style = style;
    scratch.brush.colour = c;
  };
  auto pen = [&](int style, QColor c) {
    scratch.kind = GdiObject::Kind::Pen;
    scratch.pen.style = style;
    scratch.pen.colour = c;
  };
  switch (stock) {
    case 0:
      brush(0, Qt::white);
      break;
    case 1:
      brush(0, QColor(192, 192, 192));
      break;
    case 2:
      brush(0, QColor(128, 128, 128));
      break;
    case 3:
      brush(0, QColor(64, 64, 64));
      break;
    case 4:
      brush(0, Qt::black);
      break;
    case 5:
      brush(1, Qt::black);
      break;
    case 6:
      pen(0, Qt::white);
      break;
    case 7:
      pen(0, Qt::black);
      break;
    case 8:
      pen(5, Qt::black);
      break;
    case 10:
    case 11:
    case 12:
    case 13:
    case 14:
    case 16:
    case 17:
      scratch.kind = GdiObject::Kind::Font;
      scratch.font.face = (stock == 10 || stock == 11 || stock == 16)
                              ? QStringLiteral("Courier New")
                              : QStringLiteral("MS Sans Serif");
      break;
    default:
      break;  // palettes and the DC pen and brush: nothing to change
  }
  return scratch;
}

Qt::BrushStyle HatchStyle(int hatch) {
  switch (hatch) {
    case 0:
      return Qt::HorPattern;
    case 1:
      return Qt::VerPattern;
    case 2:
      return Qt::FDiagPattern;
    case 3:
      return Qt::BDiagPattern;
    case 4:
      return Qt::CrossPattern;
    default:
      return Qt::DiagCrossPattern;
  }
}

QPainter::CompositionMode RopMode(std::uint32_t rop) {
  switch (rop) {
    case kSrcPaint:
      return QPainter::RasterOp_SourceOrDestination;
    case kSrcAnd:
      return QPainter::RasterOp_SourceAndDestination;
    case kSrcInvert:
      return QPainter::RasterOp_SourceXorDestination;
    default:
      return QPainter::CompositionMode_SourceOver;
  }
}

}  // namespace

MetafileDc::MetafileDc(QImage& image, const Layout& layout)
    : image_(image),
      painter_(&image),
      pixelsPerMmX_(layout.pixelsPerMmX),
      pixelsPerMmY_(layout.pixelsPerMmY),
      objects_(static_cast<std::size_t>(layout.objectCount)),
      fonts_(FontsAvailable()) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
  frameToPicture_ =
      QTransform::fromTranslate(-layout.frameLeft, -layout.frameTop) *
      QTransform::fromScale(image.width() / layout.frameWidth, image.height() / layout.frameHeight);
  if (layout.kind == Kind::Wmf) {
    // A wmf is played with its window and viewport on its frame, so a file that sets no
    // window of its own still fills the picture.
    state_.mapMode = kMapAnisotropic;
    state_.windowOrg = state_.viewportOrg = QPointF(layout.frameLeft, layout.frameTop);
    state_.windowExt = state_.viewportExt = QSizeF(layout.frameWidth, layout.frameHeight);
  }
}

MetafileDc::~MetafileDc() = default;

// world, then window to viewport, then the frame onto the picture.
QTransform MetafileDc::toPicture() const {
  const DcState& s = state_;
  double sx = 1, sy = 1;
  auto extents = [&] {
    if (s.windowExt.width() != 0) sx = s.viewportExt.width() / s.windowExt.width();
    if (s.windowExt.height() != 0) sy = s.viewportExt.height() / s.windowExt.height();
  };
  switch (s.mapMode) {
    case kMapText:
      break;
    case kMapIsotropic: {
      extents();
      const double m = std::min(std::abs(sx), std::abs(sy));
      sx = std::copysign(m, sx);
      sy = std::copysign(m, sy);
      break;
    }
    case kMapLoMetric:
    case kMapHiMetric:
    case kMapLoEnglish:
    case kMapHiEnglish:
    case kMapTwips: {
      if (pixelsPerMmX_ <= 0) {  // a wmf has no device to measure: use its window
        extents();
        break;
      }
      static constexpr double kMmPerUnit[] = {0.1, 0.01, 0.254, 0.0254, 25.4 / 1440};
      const double mm = kMmPerUnit[s.mapMode - kMapLoMetric];
      sx = pixelsPerMmX_ * mm;
      sy = -pixelsPerMmY_ * mm;  // y grows upwards
      break;
    }
    default:
      extents();
      break;
  }
  const QTransform page(sx, 0, 0, sy, s.viewportOrg.x() - s.windowOrg.x() * sx,
                        s.viewportOrg.y() - s.windowOrg.y() * sy);
  return s.world * page * frameToPicture_;
}

double MetafileDc::scaleX() const {
  const QTransform t = toPicture();
  return QLineF(t.map(QPointF(0, 0)), t.map(QPointF(1, 0))).length();
}

double MetafileDc::scaleY() const {
  const QTransform t = toPicture();
  return QLineF(t.map(QPointF(0, 0)), t.map(QPointF(0, 1))).length();
}

void MetafileDc::save() {
  if (saved_.size() >= kMaxSavedStates) throw BadMetafile("saved states nest too deep");
  saved_.push_back(state_);
}

void MetafileDc::restore(int n) {
  std::size_t index;
  if (n < 0) {
    if (static_cast<std::size_t>(-static_cast<long>(n)) > saved_.size()) return;
    index = saved_.size() - static_cast<std::size_t>(-static_cast<long>(n));
  } else {
    if (n == 0 || static_cast<std::size_t>(n) > saved_.size()) return;
    index = static_cast<std::size_t>(n) - 1;
  }
  state_ = saved_[index];
  saved_.resize(index);
}

GdiObject& MetafileDc::object(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= objects_.size()) {
    throw BadMetafile("object index out of range");
  }
  return objects_[static_cast<std::size_t>(index)];
}

void MetafileDc::createObject(int index, GdiObject created) {
  if (index < 0) {
    auto free = std::find_if(objects_.begin(), objects_.end(),
                             [](const GdiObject& o) { return o.kind == GdiObject::Kind::Empty; });
    if (free == objects_.end()) throw BadMetafile("object table full");
    *free = std::move(created);
    return;
  }
  object(index) = std::move(created);
}

void MetafileDc::selectObject(int index) {
  const GdiObject& o = object(index);
  switch (o.kind) {
    case GdiObject::Kind::Pen:
      state_.pen = o.pen;
      break;
    case GdiObject::Kind::Brush:
      state_.brush = o.brush;
      break;
    case GdiObject::Kind::Font:
      state_.font = o.font;
      break;
    default:
      break;  // palettes, regions, deleted slots
  }
}

void MetafileDc::deleteObject(int index) {
  object(index) = GdiObject{};
}

void MetafileDc::selectStockObject(std::uint32_t stock) {
  GdiObject scratch;
  const GdiObject& o = Stock(stock, scratch);
  if (o.kind == GdiObject::Kind::Pen) state_.pen = o.pen;
  if (o.kind == GdiObject::Kind::Brush) state_.brush = o.brush;
  if (o.kind == GdiObject::Kind::Font) state_.font = o.font;
}

QColor MetafileDc::ColourRef(std::uint32_t c) {
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                static_cast<int>((c >> 16) & 0xFF));
}

QImage MetafileDc::DecodeDib(const std::uint8_t* info, std::size_t infoSize,
                             const std::uint8_t* bits, std::size_t bitsSize) {
  const Params header(info, infoSize);
  const std::uint32_t headerSize = header.u32(0);
  std::int64_t width, height;
  if (headerSize == 12) {  // the OS/2 core header
    width = header.u16(4);
    height = header.u16(6);
  } else {
    if (headerSize < 40) throw BadMetafile("bitmap header too short");
    width = header.i32(4);
    height = header.i32(8);
  }
  if (width <= 0 || height == 0 || width > kMaxSide || std::abs(height) > kMaxSide ||
      width * std::abs(height) > kMaxPixels) {
    throw BadMetafile("bitmap size out of range");
  }
  // The bitmap as a .bmp file, so Qt's reader decodes every depth and compression.
  QByteArray file(14, '\0');
  const std::size_t offBits = 14 + infoSize;
  const std::size_t fileSize = offBits + bitsSize;
  file[0] = 'B';
  file[1] = 'M';
  for (int i = 0; i < 4; ++i) {
    file[2 + i] = static_cast<char>((fileSize >> (8 * i)) & 0xFF);
    file[10 + i] = static_cast<char>((offBits >> (8 * i)) & 0xFF);
  }
  file.append(reinterpret_cast<const char*>(info), static_cast<qsizetype>(infoSize));
  file.append(reinterpret_cast<const char*>(bits), static_cast<qsizetype>(bitsSize));
  QImage image = QImage::fromData(file, "BMP");
  if (image.isNull()) throw BadMetafile("bitmap cannot be decoded");
  return image;
}

QPen MetafileDc::qpen() const {
  const LogPen& p = state_.pen;
  const double scale = (scaleX() + scaleY()) / 2;
  const double width = std::max(1.0, p.width * scale);
  QPen pen(p.colour, width <= 1 ? 1 : width);
  pen.setCapStyle(width <= 1 ? Qt::FlatCap : Qt::RoundCap);
  pen.setJoinStyle(width <= 1 ? Qt::MiterJoin : Qt::RoundJoin);
  switch (p.style & 0xF) {
    case 1:
      pen.setStyle(Qt::DashLine);
      break;
    case 2:
      pen.setStyle(Qt::DotLine);
      break;
    case 3:
      pen.setStyle(Qt::DashDotLine);
      break;
    case 4:
      pen.setStyle(Qt::DashDotDotLine);
      break;
    case 5:
      pen.setStyle(Qt::NoPen);
      break;
    default:
      break;  // solid, inside frame and the rest
  }
  return pen;
}

void MetafileDc::applyClip() {
  if (state_.clip) {
    painter_.setClipPath(*state_.clip);
  } else {
    painter_.setClipping(false);
  }
}

void MetafileDc::fillBrush(const QPainterPath& area) {
  const LogBrush& b = state_.brush;
  switch (b.style) {
    case 1:
      return;
    case 2:
      if (state_.opaqueBack) painter_.fillPath(area, state_.backColour);
      painter_.fillPath(area, QBrush(b.colour, HatchStyle(b.hatch)));
      return;
    case 3:
    case 5:
      if (!b.pattern.isNull()) {
        painter_.fillPath(area, QBrush(b.pattern));
        return;
      }
      [[fallthrough]];
    default:
      painter_.fillPath(area, b.colour);
  }
}

void MetafileDc::draw(const QPainterPath& logical, bool fill, bool stroke) {
  QPainterPath shape = toPicture().map(logical);
  shape.setFillRule(state_.fillRule);
  if (pathOpen_) {
    path_->addPath(shape);
    return;
  }
  if (state_.drawNothing) return;
  applyClip();
  if (fill) fillBrush(shape);
  if (stroke && (state_.pen.style & 0xF) != 5) painter_.strokePath(shape, qpen());
}

void MetafileDc::moveTo(QPointF p) {
  state_.position = p;
  if (pathOpen_) path_->moveTo(toPicture().map(p));
}

void MetafileDc::lineTo(QPointF p) {
  if (pathOpen_) {
    const QTransform t = toPicture();
    if (path_->elementCount() == 0) path_->moveTo(t.map(state_.position));
    path_->lineTo(t.map(p));
  } else {
    QPainterPath line(state_.position);
    line.lineTo(p);
    draw(line, false, true);
  }
  state_.position = p;
}

void MetafileDc::polyline(const QPolygonF& points) {
  if (points.size() < 2) return;
  QPainterPath line;
  line.addPolygon(points);
  draw(line, false, true);
}

void MetafileDc::polylineTo(const QPolygonF& points) {
  for (QPointF p : points) lineTo(p);
}

void MetafileDc::polygons(const std::vector<QPolygonF>& polygons) {
  QPainterPath area;
  for (QPolygonF polygon : polygons) {
    if (polygon.size() < 2) continue;
    if (polygon.first() != polygon.last()) polygon << polygon.first();
    area.addPolygon(polygon);
    area.closeSubpath();
  }
  draw(area, true, true);
}

void MetafileDc::polyBezier(const QPolygonF& points, bool fromCurrent) {
  QPainterPath curve(fromCurrent ? state_.position : (points.isEmpty() ? QPointF() : points[0]));
  qsizetype i = fromCurrent ? 0 : 1;
  for (; i + 2 < points.size(); i += 3) curve.cubicTo(points[i], points[i + 1], points[i + 2]);
  if (fromCurrent && i > 0) state_.position = points[i - 1];
  if (pathOpen_) {
    const QTransform t = toPicture();
    if (fromCurrent && path_->elementCount() > 0) {
      for (qsizetype k = 1; k < curve.elementCount(); k += 3) {
        path_->cubicTo(t.map(QPointF(curve.elementAt(k))), t.map(QPointF(curve.elementAt(k + 1))),
                       t.map(QPointF(curve.elementAt(k + 2))));
      }
    } else {
      path_->addPath(t.map(curve));
    }
    return;
  }
  draw(curve, false, true);
}

void MetafileDc::rectangle(const QRectF& r) {
  QPainterPath area;
  area.addRect(r.normalized());
  draw(area, true, true);
}

void MetafileDc::roundRect(const QRectF& r, QSizeF corner) {
  QPainterPath area;
  area.addRoundedRect(r.normalized(), std::abs(corner.width()) / 2, std::abs(corner.height()) / 2);
  draw(area, true, true);
}

void MetafileDc::ellipse(const QRectF& r) {
  QPainterPath area;
  area.addEllipse(r.normalized());
  draw(area, true, true);
}

// The arc runs anticlockwise (on the screen) from the ray to `start` to the ray to `end`.
void MetafileDc::arc(ArcKind kind, const QRectF& box, QPointF start, QPointF end) {
  const QRectF r = box.normalized();
  if (r.isEmpty()) return;
  const QPointF c = r.center();
  // Angles as Qt counts them (anticlockwise, y down), from the points' directions with the
  // ellipse's axes taken out.
  auto angle = [&](QPointF p) {
    return std::atan2(-(p.y() - c.y()) / r.height(), (p.x() - c.x()) / r.width()) * 180.0 /
           std::numbers::pi;
  };
  const double a0 = angle(start);
  double sweep = angle(end) - a0;
  if (sweep <= 0) sweep += 360;
  QPainterPath shape;
  if (kind == ArcKind::Pie) {
    shape.moveTo(c);
    shape.arcTo(r, a0, sweep);
    shape.closeSubpath();
  } else {
    shape.arcMoveTo(r, a0);
    if (kind == ArcKind::ArcTo) {
      QPainterPath joined(state_.position);
      joined.lineTo(shape.currentPosition());
      joined.arcTo(r, a0, sweep);
      shape = joined;
    } else {
      shape.arcTo(r, a0, sweep);
    }
    if (kind == ArcKind::Chord) shape.closeSubpath();
  }
  if (kind == ArcKind::ArcTo) state_.position = shape.currentPosition();
  const bool closed = kind == ArcKind::Pie || kind == ArcKind::Chord;
  draw(shape, closed, true);
}

void MetafileDc::setPixel(QPointF p, QColor colour) {
  if (pathOpen_ || state_.drawNothing) return;
  applyClip();
  const QPointF at = toPicture().map(p);
  painter_.fillRect(QRectF(std::floor(at.x()), std::floor(at.y()), 1, 1), colour);
}

void MetafileDc::patternBlt(const QRectF& r, std::uint32_t rop) {
  if (pathOpen_) return;
  applyClip();
  QPainterPath area;
  area.addRect(r.normalized());
  area = toPicture().map(area);
  switch (rop) {
    case kBlackness:
      painter_.fillPath(area, Qt::black);
      break;
    case kWhiteness:
      painter_.fillPath(area, Qt::white);
      break;
    case kDstInvert:
      painter_.setCompositionMode(QPainter::RasterOp_NotDestination);
      painter_.fillPath(area, Qt::white);
      painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
      break;
    default:
      fillBrush(area);
      break;
  }
}

void MetafileDc::bitmap(const QRectF& dest, const QImage& source, const QRectF& from,
                        std::uint32_t rop) {
  if (pathOpen_ || state_.drawNothing) return;
  if (rop == kBlackness || rop == kWhiteness || rop == kPatCopy || rop == kDstInvert) {
    patternBlt(dest, rop);
    return;
  }
  const QRect part = from.toRect().normalized().intersected(source.rect());
  if (part.isEmpty() || from.width() == 0 || from.height() == 0) return;
  QImage pixels = source.copy(part).convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (rop == kNotSrcCopy) pixels.invertPixels();
  applyClip();
  painter_.save();
  painter_.setTransform(
      QTransform::fromScale(dest.width() / part.width(), dest.height() / part.height()) *
      QTransform::fromTranslate(dest.x(), dest.y()) * toPicture());
  painter_.setCompositionMode(RopMode(rop));
  painter_.drawImage(QPointF(0, 0), pixels);
  painter_.restore();
}

void MetafileDc::text(QPointF at, const QString& s, bool opaque, bool clipped, const QRectF& box,
                      const std::vector<double>& advances) {
  if (pathOpen_ || state_.drawNothing) return;
  applyClip();
  const QTransform t = toPicture();
  if (opaque && !box.isEmpty()) {
    QPainterPath area;
    area.addRect(box.normalized());
    painter_.fillPath(t.map(area), state_.backColour);
  }
  if (state_.textAlign & kTaUpdateCp) at = state_.position;
  if (!fonts_ || s.isEmpty()) return;

  const LogFont& f = state_.font;
  Font face;
  face.name = f.face.isEmpty() ? std::string("Arial") : f.face.toStdString();
  QFont font = ToQFont(face);
  double pixels = f.height == 0 ? kDefaultFontPixels : std::abs(f.height) * scaleY();
  pixels = std::clamp(pixels, 1.0, kMaxFontPixels);
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
  if (f.height > 0) {  // a cell height: the em is the cell less its internal leading
    const QFontMetricsF cell(font);
    const double ratio = pixels / std::max(1.0, cell.ascent() + cell.descent());
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels * ratio))));
  }
  if (f.weight > 0) font.setWeight(static_cast<QFont::Weight>(std::clamp(f.weight, 100, 900)));
  font.setItalic(f.italic);
  font.setUnderline(f.underline);
  font.setStrikeOut(f.strikeOut);
  const QFontMetricsF metrics(font);
  const bool spaced = !advances.empty() && advances.size() >= static_cast<std::size_t>(s.size());
  std::vector<double> steps;  // picture pixels
  double advance = 0;
  if (spaced) {
    const double sx = scaleX();
    for (qsizetype i = 0; i < s.size(); ++i) {
      steps.push_back(advances[static_cast<std::size_t>(i)] * sx);
      advance += steps.back();
    }
  } else {
    advance = metrics.horizontalAdvance(s);
  }

  double dx = 0;
  if ((state_.textAlign & kTaCenter) == kTaCenter) {
    dx = -advance / 2;
  } else if (state_.textAlign & kTaRight) {
    dx = -advance;
  }
  double baseline = metrics.ascent();  // top alignment
  if ((state_.textAlign & kTaBaseline) == kTaBaseline) {
    baseline = 0;
  } else if (state_.textAlign & kTaBottom) {
    baseline = -metrics.descent();
  }
  painter_.save();
  if (clipped && !box.isEmpty()) {
    QPainterPath area;
    area.addRect(box.normalized());
    painter_.setClipPath(t.map(area), Qt::IntersectClip);
  }
  painter_.translate(t.map(at));
  painter_.rotate(-f.escapement / 10.0);
  if (state_.opaqueBack && !opaque) {
    painter_.fillRect(QRectF(dx, baseline - metrics.ascent(), advance, metrics.height()),
                      state_.backColour);
  }
  painter_.setFont(font);
  painter_.setPen(state_.textColour);
  if (spaced) {
    double x = dx;
    for (qsizetype i = 0; i < s.size(); ++i) {
      painter_.drawText(QPointF(x, baseline), QString(s[i]));
      x += steps[static_cast<std::size_t>(i)];
    }
  } else {
    painter_.drawText(QPointF(dx, baseline), s);
  }
  painter_.restore();
  if (state_.textAlign & kTaUpdateCp) {
    const double sx = scaleX();
    if (sx > 0) state_.position.rx() += (advance / sx) * (t.m11() < 0 ? -1 : 1);
  }
}

void MetafileDc::beginPath() {
  path_ = QPainterPath();
  pathOpen_ = true;
}

void MetafileDc::endPath() {
  pathOpen_ = false;
}

void MetafileDc::closeFigure() {
  if (pathOpen_) path_->closeSubpath();
}

void MetafileDc::fillPath(bool fill, bool stroke) {
  if (pathOpen_ || !path_) return;
  QPainterPath shape = *path_;
  path_.reset();
  if (state_.drawNothing) return;
  shape.setFillRule(state_.fillRule);
  applyClip();
  if (fill) fillBrush(shape);
  if (stroke && (state_.pen.style & 0xF) != 5) painter_.strokePath(shape, qpen());
}

void MetafileDc::intersectClip(const QRectF& r) {
  QPainterPath area;
  area.addRect(r.normalized());
  area = toPicture().map(area);
  state_.clip = state_.clip ? state_.clip->intersected(area) : area;
}

void MetafileDc::excludeClip(const QRectF& r) {
  QPainterPath area;
  area.addRect(r.normalized());
  area = toPicture().map(area);
  QPainterPath all;
  all.addRect(QRectF(image_.rect()));
  state_.clip = (state_.clip ? *state_.clip : all).subtracted(area);
}

std::size_t DibInfoSize(const std::uint8_t* info, std::size_t available) {
  const Params header(info, available);
  const std::uint32_t size = header.u32(0);
  if (size == 12) {
    const unsigned bitCount = header.u16(10);
    return 12 + (bitCount <= 8 ? (std::size_t{1} << bitCount) * 3 : 0);
  }
  if (size < 40) throw BadMetafile("bitmap header too short");
  const unsigned bitCount = header.u16(14);
  const std::uint32_t compression = header.u32(16);
  std::size_t colours = header.u32(32);
  if (colours == 0 && bitCount <= 8) colours = std::size_t{1} << bitCount;
  if (colours > 256 && bitCount <= 8) throw BadMetafile("bitmap colour table too large");
  if (colours > 65536) throw BadMetafile("bitmap colour table too large");
  std::size_t masks = (size == 40 && (compression == 3 || compression == 6)) ? 12 : 0;
  if (compression == 6) masks = 16;
  const std::size_t total = size + masks + colours * 4;
  if (total > available) throw BadMetafile("bitmap header beyond its record");
  return total;
}

}  // namespace tw::platform::metafile
