// EmfPlayer: the records of an enhanced (32-bit) metafile played into a MetafileDc.
//
// Every emf record starts with its type and size; the offsets inside a record (of strings
// and bitmaps) count from the record's start. Objects are created at the index the record
// names; indices with the high bit set are the system's stock objects.
#include <QString>
#include <cmath>

#include "platform/MetafileReader.h"
#include "platform/qt/MetafileDc.h"

namespace tw::platform::metafile {

namespace {

enum EmfRecord : std::uint32_t {
  kPolyBezier = 2,
  kPolygon = 3,
  kPolyline = 4,
  kPolyBezierTo = 5,
  kPolylineTo = 6,
  kPolyPolyline = 7,
  kPolyPolygon = 8,
  kSetWindowExtEx = 9,
  kSetWindowOrgEx = 10,
  kSetViewportExtEx = 11,
  kSetViewportOrgEx = 12,
  kSetPixelV = 15,
  kSetMapMode = 17,
  kSetBkMode = 18,
  kSetPolyFillMode = 19,
  kSetRop2 = 20,
  kSetTextAlign = 22,
  kSetTextColor = 24,
  kSetBkColor = 25,
  kOffsetClipRgn = 26,
  kMoveToEx = 27,
  kExcludeClipRect = 29,
  kIntersectClipRect = 30,
  kScaleViewportExtEx = 31,
  kScaleWindowExtEx = 32,
  kSaveDc = 33,
  kRestoreDc = 34,
  kSetWorldTransform = 35,
  kModifyWorldTransform = 36,
  kSelectObject = 37,
  kCreatePen = 38,
  kCreateBrushIndirect = 39,
  kDeleteObject = 40,
  kEllipse = 42,
  kRectangle = 43,
  kRoundRect = 44,
  kArc = 45,
  kChord = 46,
  kPie = 47,
  kCreatePalette = 49,
  kLineTo = 54,
  kArcTo = 55,
  kBeginPath = 59,
  kEndPath = 60,
  kCloseFigure = 61,
  kFillPath = 62,
  kStrokeAndFillPath = 63,
  kStrokePath = 64,
  kExtSelectClipRgn = 75,
  kBitBlt = 76,
  kStretchBlt = 77,
  kSetDibitsToDevice = 80,
  kStretchDibits = 81,
  kExtCreateFontIndirectW = 82,
  kExtTextOutA = 83,
  kExtTextOutW = 84,
  kPolyBezier16 = 85,
  kPolygon16 = 86,
  kPolyline16 = 87,
  kPolyBezierTo16 = 88,
  kPolylineTo16 = 89,
  kPolyPolyline16 = 90,
  kPolyPolygon16 = 91,
  kCreateDibPatternBrushPt = 94,
  kExtCreatePen = 95,
};

constexpr std::uint32_t kStockBit = 0x80000000u;
constexpr int kEtoOpaque = 2;
constexpr int kEtoClipped = 4;
constexpr int kEtoPdy = 0x2000;
constexpr std::uint32_t kRgnCopy = 5;

QPointF PointAt(const Params& p, std::size_t at) {
  return QPointF(p.i32(at), p.i32(at + 4));
}

QRectF RectAt(const Params& p, std::size_t at) {
  return QRectF(PointAt(p, at), PointAt(p, at + 8));
}

QSizeF SizeAt(const Params& p, std::size_t at) {
  return QSizeF(p.i32(at), p.i32(at + 4));
}

// `count` points from byte `at`, 32-bit or 16-bit coordinates.
QPolygonF Points(const Params& p, std::size_t at, std::size_t count, bool small) {
  const std::size_t each = small ? 4 : 8;
  if (count > p.size() / each) throw BadMetafile("more points than the record holds");
  p.bytes(at, count * each);
  QPolygonF points;
  points.reserve(static_cast<qsizetype>(count));
  for (std::size_t k = 0; k < count; ++k) {
    const std::size_t a = at + k * each;
    points << (small ? QPointF(p.i16(a), p.i16(a + 2)) : PointAt(p, a));
  }
  return points;
}

// The polygons of a PolyPolygon or PolyPolyline record.
std::vector<QPolygonF> PolyPoints(const Params& p, bool small) {
  const std::size_t polygons = p.u32(24);
  const std::size_t total = p.u32(28);
  if (polygons > p.size() / 4) throw BadMetafile("more polygons than the record holds");
  std::size_t at = 32 + polygons * 4;
  std::size_t used = 0;
  std::vector<QPolygonF> result;
  for (std::size_t k = 0; k < polygons; ++k) {
    const std::size_t n = p.u32(32 + 4 * k);
    if (n > total - used) throw BadMetafile("polygon counts exceed their total");
    result.push_back(Points(p, at, n, small));
    used += n;
    at += n * (small ? 4 : 8);
  }
  return result;
}

QTransform TransformAt(const Params& p, std::size_t at) {
  double m[6];
  for (int i = 0; i < 6; ++i) {
    m[i] = p.f32(at + 4 * static_cast<std::size_t>(i));
    if (!std::isfinite(m[i])) throw BadMetafile("transform not finite");
  }
  return QTransform(m[0], m[1], m[2], m[3], m[4], m[5]);
}

// A bitmap given by offsets and sizes of its info and bits inside the record.
QImage Dib(const Params& p, std::size_t offsetsAt, bool& bottomUp) {
  const std::size_t offInfo = p.u32(offsetsAt), infoSize = p.u32(offsetsAt + 4);
  const std::size_t offBits = p.u32(offsetsAt + 8), bitsSize = p.u32(offsetsAt + 12);
  const std::uint8_t* info = p.bytes(offInfo, infoSize);
  const std::uint8_t* bits = p.bytes(offBits, bitsSize);
  const Params header(info, infoSize);
  bottomUp = header.u32(0) == 12 || header.i32(8) > 0;
  return MetafileDc::DecodeDib(info, infoSize, bits, bitsSize);
}

QRectF SourceRect(const QImage& image, bool bottomUp, double x, double y, double w, double h) {
  if (bottomUp) y = image.height() - y - h;
  return QRectF(x, y, w, h);
}

void DrawText(MetafileDc& dc, const Params& p, bool wide) {
  const QPointF at = PointAt(p, 36);
  const std::size_t count = p.u32(44);
  const std::size_t offString = p.u32(48);
  const int options = static_cast<int>(p.u32(52));
  const QRectF box = RectAt(p, 56);
  QString text;
  if (wide) {
    if (count > p.size() / 2) throw BadMetafile("text longer than its record");
    const std::uint8_t* b = p.bytes(offString, count * 2);
    text.reserve(static_cast<qsizetype>(count));
    for (std::size_t k = 0; k < count; ++k) {
      text += QChar(static_cast<char16_t>(b[2 * k] | (b[2 * k + 1] << 8)));
    }
  } else {
    const auto* b = reinterpret_cast<const char*>(p.bytes(offString, count));
    text = QString::fromLatin1(b, static_cast<qsizetype>(count));
  }
  // Spacing: one 32-bit distance per character (two, x and y, with ETO_PDY).
  std::vector<double> advances;
  const std::size_t offDx = p.u32(72);
  if (offDx != 0 && count > 0) {
    const std::size_t each = (options & kEtoPdy) ? 8 : 4;
    if (count > p.size() / each) throw BadMetafile("spacing longer than its record");
    p.bytes(offDx, count * each);
    for (std::size_t k = 0; k < count; ++k) advances.push_back(p.i32(offDx + k * each));
  }
  dc.text(at, text, options & kEtoOpaque, options & kEtoClipped, box, advances);
}

void Play(MetafileDc& dc, const Record& r) {
  const Params& p = r.params;
  DcState& s = dc.state();
  switch (r.type) {
    case kSetWindowExtEx:
      s.windowExt = SizeAt(p, 8);
      break;
    case kSetWindowOrgEx:
      s.windowOrg = PointAt(p, 8);
      break;
    case kSetViewportExtEx:
      s.viewportExt = SizeAt(p, 8);
      break;
    case kSetViewportOrgEx:
      s.viewportOrg = PointAt(p, 8);
      break;
    case kScaleViewportExtEx:
    case kScaleWindowExtEx: {
      const double xNum = p.i32(8), xDen = p.i32(12), yNum = p.i32(16), yDen = p.i32(20);
      if (xDen == 0 || yDen == 0) break;
      QSizeF& ext = r.type == kScaleWindowExtEx ? s.windowExt : s.viewportExt;
      ext = QSizeF(ext.width() * xNum / xDen, ext.height() * yNum / yDen);
      break;
    }
    case kSetMapMode:
      s.mapMode = static_cast<int>(p.u32(8));
      break;
    case kSetBkMode:
      s.opaqueBack = p.u32(8) == 2;
      break;
    case kSetPolyFillMode:
      s.fillRule = p.u32(8) == 2 ? Qt::WindingFill : Qt::OddEvenFill;
      break;
    case kSetRop2:
      s.drawNothing = p.u32(8) == 11;
      break;
    case kSetTextAlign:
      s.textAlign = static_cast<int>(p.u32(8));
      break;
    case kSetTextColor:
      s.textColour = MetafileDc::ColourRef(p.u32(8));
      break;
    case kSetBkColor:
      s.backColour = MetafileDc::ColourRef(p.u32(8));
      break;
    case kSaveDc:
      dc.save();
      break;
    case kRestoreDc:
      dc.restore(p.i32(8));
      break;
    case kSetWorldTransform:
      s.world = TransformAt(p, 8);
      break;
    case kModifyWorldTransform: {
      const QTransform x = TransformAt(p, 8);
      switch (p.u32(32)) {
        case 1:
          s.world = QTransform();
          break;
        case 2:
          s.world = x * s.world;
          break;
        case 3:
          s.world = s.world * x;
          break;
        case 4:
          s.world = x;
          break;
        default:
          break;
      }
      break;
    }
    case kExcludeClipRect:
      dc.excludeClip(RectAt(p, 8));
      break;
    case kIntersectClipRect:
      dc.intersectClip(RectAt(p, 8));
      break;
    case kExtSelectClipRgn:
      if (p.u32(12) == kRgnCopy && p.u32(8) == 0) s.clip.reset();  // back to no clipping
      break;
    case kOffsetClipRgn:
      break;

    case kSelectObject: {
      const std::uint32_t index = p.u32(8);
      if (index & kStockBit) {
        dc.selectStockObject(index & ~kStockBit);
      } else {
        dc.selectObject(static_cast<int>(std::min<std::uint32_t>(index, 0x7FFFFFFF)));
      }
      break;
    }
    case kDeleteObject: {
      const std::uint32_t index = p.u32(8);
      if (!(index & kStockBit)) dc.deleteObject(static_cast<int>(index));
      break;
    }
    case kCreatePen: {
      GdiObject o{GdiObject::Kind::Pen};
      o.pen.style = static_cast<int>(p.u32(12));
      o.pen.width = p.i32(16);
      o.pen.colour = MetafileDc::ColourRef(p.u32(24));
      dc.createObject(static_cast<int>(p.u32(8) & 0x7FFFFFFF), o);
      break;
    }
    case kExtCreatePen: {
      GdiObject o{GdiObject::Kind::Pen};
      o.pen.style = static_cast<int>(p.u32(28));
      o.pen.width = p.u32(32) & 0x7FFFFFFF;
      o.pen.colour = MetafileDc::ColourRef(p.u32(40));
      if (p.u32(36) == 1) o.pen.style = 5;  // a pen of the null brush draws nothing
      dc.createObject(static_cast<int>(p.u32(8) & 0x7FFFFFFF), o);
      break;
    }
    case kCreateBrushIndirect: {
      GdiObject o{GdiObject::Kind::Brush};
      o.brush.style = static_cast<int>(p.u32(12));
      o.brush.colour = MetafileDc::ColourRef(p.u32(16));
      o.brush.hatch = static_cast<int>(p.u32(20));
      dc.createObject(static_cast<int>(p.u32(8) & 0x7FFFFFFF), o);
      break;
    }
    case kCreateDibPatternBrushPt: {
      GdiObject o{GdiObject::Kind::Brush};
      o.brush.style = 5;
      bool bottomUp;
      o.brush.pattern = Dib(p, 16, bottomUp);
      dc.createObject(static_cast<int>(p.u32(8) & 0x7FFFFFFF), o);
      break;
    }
    case kCreatePalette:
      dc.createObject(static_cast<int>(p.u32(8) & 0x7FFFFFFF), GdiObject{GdiObject::Kind::Other});
      break;
    case kExtCreateFontIndirectW: {
      GdiObject o{GdiObject::Kind::Font};
      o.font.height = p.i32(12);
      o.font.escapement = p.i32(20);
      o.font.weight = p.i32(28);
      const std::uint8_t* flags = p.bytes(32, 3);
      o.font.italic = flags[0] != 0;
      o.font.underline = flags[1] != 0;
      o.font.strikeOut = flags[2] != 0;
      const std::uint8_t* face = p.bytes(40, 64);
      for (int k = 0; k < 32; ++k) {
        const char16_t c = static_cast<char16_t>(face[2 * k] | (face[2 * k + 1] << 8));
        if (c == 0) break;
        o.font.face += QChar(c);
      }
      dc.createObject(static_cast<int>(p.u32(8) & 0x7FFFFFFF), o);
      break;
    }

    case kMoveToEx:
      dc.moveTo(PointAt(p, 8));
      break;
    case kLineTo:
      dc.lineTo(PointAt(p, 8));
      break;
    case kPolygon:
    case kPolygon16:
      dc.polygons({Points(p, 28, p.u32(24), r.type == kPolygon16)});
      break;
    case kPolyline:
    case kPolyline16:
      dc.polyline(Points(p, 28, p.u32(24), r.type == kPolyline16));
      break;
    case kPolylineTo:
    case kPolylineTo16:
      dc.polylineTo(Points(p, 28, p.u32(24), r.type == kPolylineTo16));
      break;
    case kPolyBezier:
    case kPolyBezier16:
      dc.polyBezier(Points(p, 28, p.u32(24), r.type == kPolyBezier16), false);
      break;
    case kPolyBezierTo:
    case kPolyBezierTo16:
      dc.polyBezier(Points(p, 28, p.u32(24), r.type == kPolyBezierTo16), true);
      break;
    case kPolyPolygon:
    case kPolyPolygon16:
      dc.polygons(PolyPoints(p, r.type == kPolyPolygon16));
      break;
    case kPolyPolyline:
    case kPolyPolyline16:
      for (const QPolygonF& line : PolyPoints(p, r.type == kPolyPolyline16)) dc.polyline(line);
      break;
    case kRectangle:
      dc.rectangle(RectAt(p, 8));
      break;
    case kEllipse:
      dc.ellipse(RectAt(p, 8));
      break;
    case kRoundRect:
      dc.roundRect(RectAt(p, 8), SizeAt(p, 24));
      break;
    case kArc:
    case kChord:
    case kPie:
    case kArcTo: {
      const auto kind = r.type == kArc     ? MetafileDc::ArcKind::Arc
                        : r.type == kChord ? MetafileDc::ArcKind::Chord
                        : r.type == kPie   ? MetafileDc::ArcKind::Pie
                                           : MetafileDc::ArcKind::ArcTo;
      dc.arc(kind, RectAt(p, 8), PointAt(p, 24), PointAt(p, 32));
      break;
    }
    case kSetPixelV:
      dc.setPixel(PointAt(p, 8), MetafileDc::ColourRef(p.u32(16)));
      break;

    case kBeginPath:
      dc.beginPath();
      break;
    case kEndPath:
      dc.endPath();
      break;
    case kCloseFigure:
      dc.closeFigure();
      break;
    case kFillPath:
      dc.fillPath(true, false);
      break;
    case kStrokeAndFillPath:
      dc.fillPath(true, true);
      break;
    case kStrokePath:
      dc.fillPath(false, true);
      break;

    case kExtTextOutA:
    case kExtTextOutW:
      DrawText(dc, p, r.type == kExtTextOutW);
      break;

    case kBitBlt:
    case kStretchBlt: {
      const QRectF dest(PointAt(p, 24), SizeAt(p, 32));
      const std::uint32_t rop = p.u32(40);
      if (p.u32(88) == 0) {  // no source bitmap: a fill by the raster operation
        dc.patternBlt(dest, rop);
        break;
      }
      bool bottomUp;
      const QImage image = Dib(p, 84, bottomUp);
      const QSizeF sourceSize = r.type == kStretchBlt ? SizeAt(p, 100) : dest.size();
      dc.bitmap(dest, image, QRectF(PointAt(p, 44), sourceSize), rop);
      break;
    }
    case kStretchDibits: {
      bool bottomUp;
      const QImage image = Dib(p, 48, bottomUp);
      const QRectF dest(PointAt(p, 24), SizeAt(p, 72));
      const QPointF from = PointAt(p, 32);
      const QSizeF size = SizeAt(p, 40);
      dc.bitmap(dest, image,
                SourceRect(image, bottomUp, from.x(), from.y(), size.width(), size.height()),
                p.u32(68));
      break;
    }
    case kSetDibitsToDevice: {
      bool bottomUp;
      const QImage image = Dib(p, 48, bottomUp);
      const QPointF from = PointAt(p, 32);
      const QSizeF size = SizeAt(p, 40);
      dc.bitmap(QRectF(PointAt(p, 24), size), image,
                SourceRect(image, bottomUp, from.x(), from.y(), size.width(), size.height()),
                kSrcCopy);
      break;
    }
    default:
      break;
  }
}

}  // namespace

void PlayEmf(MetafileDc& dc, const Layout& layout) {
  for (const Record& record : layout.records) Play(dc, record);
}

}  // namespace tw::platform::metafile
