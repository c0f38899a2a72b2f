// WmfPlayer: the records of a 16-bit Windows metafile played into a MetafileDc.
//
// Parameters of a wmf record are 16-bit words stored in the reverse order of the call that
// recorded them (Rectangle(left, top, right, bottom) is stored bottom, right, top, left).
// Strings are in the Windows ANSI code page (1252). Objects take the lowest free slot of the
// table, as the recording system handed them out.
#include <QString>

#include "common/TextEncoding.h"
#include "platform/MetafileReader.h"
#include "platform/qt/MetafileDc.h"

namespace tw::platform::metafile {

namespace {

enum WmfFunction : std::uint32_t {
  kSaveDc = 0x001E,
  kRealizePalette = 0x0035,
  kSetBkMode = 0x0102,
  kSetMapMode = 0x0103,
  kSetRop2 = 0x0104,
  kSetPolyFillMode = 0x0106,
  kSetTextAlign = 0x012E,
  kRestoreDc = 0x0127,
  kSelectObject = 0x012D,
  kDibCreatePatternBrush = 0x0142,
  kDeleteObject = 0x01F0,
  kCreatePatternBrush = 0x01F9,
  kCreatePalette = 0x00F7,
  kSetBkColor = 0x0201,
  kSetTextColor = 0x0209,
  kSetWindowOrg = 0x020B,
  kSetWindowExt = 0x020C,
  kSetViewportOrg = 0x020D,
  kSetViewportExt = 0x020E,
  kOffsetWindowOrg = 0x020F,
  kOffsetViewportOrg = 0x0211,
  kLineTo = 0x0213,
  kMoveTo = 0x0214,
  kCreatePenIndirect = 0x02FA,
  kCreateFontIndirect = 0x02FB,
  kCreateBrushIndirect = 0x02FC,
  kPolygon = 0x0324,
  kPolyline = 0x0325,
  kScaleWindowExt = 0x0410,
  kScaleViewportExt = 0x0412,
  kExcludeClipRect = 0x0415,
  kIntersectClipRect = 0x0416,
  kEllipse = 0x0418,
  kRectangle = 0x041B,
  kSetPixel = 0x041F,
  kTextOut = 0x0521,
  kPolyPolygon = 0x0538,
  kRoundRect = 0x061C,
  kPatBlt = 0x061D,
  kCreateRegion = 0x06FF,
  kArc = 0x0817,
  kPie = 0x081A,
  kChord = 0x0830,
  kDibBitBlt = 0x0940,
  kExtTextOut = 0x0A32,
  kDibStretchBlt = 0x0B41,
  kSetDibitsToDevice = 0x0D33,
  kStretchDibits = 0x0F43,
};

constexpr int kEtoOpaque = 2;
constexpr int kEtoClipped = 4;

// A point stored y first, from word i.
QPointF PointYX(const Params& p, std::size_t i) {
  return QPointF(p.word(i + 1), p.word(i));
}

// A rectangle stored bottom, right, top, left from word i.
QRectF RectBRTL(const Params& p, std::size_t i) {
  const double bottom = p.word(i), right = p.word(i + 1), top = p.word(i + 2), left = p.word(i + 3);
  return QRectF(QPointF(left, top), QPointF(right, bottom));
}

QPolygonF Points(const Params& p, std::size_t firstWord, std::size_t count) {
  p.bytes(firstWord * 2, count * 4);  // checks the whole run at once
  QPolygonF points;
  points.reserve(static_cast<qsizetype>(count));
  for (std::size_t k = 0; k < count; ++k) {
    points << QPointF(p.word(firstWord + 2 * k), p.word(firstWord + 2 * k + 1));
  }
  return points;
}

QString AnsiText(const Params& p, std::size_t at, std::size_t count) {
  const auto* b = reinterpret_cast<const char*>(p.bytes(at, count));
  return QString::fromStdString(tw::Cp1252ToUtf8(std::string_view(b, count)));
}

// The bitmap at byte `at` to the end of the record.
QImage Dib(const Params& p, std::size_t at, bool& bottomUp) {
  const std::size_t available = p.size() >= at ? p.size() - at : 0;
  const std::uint8_t* info = p.bytes(at, available);
  const std::size_t infoSize = DibInfoSize(info, available);
  const Params header(info, infoSize);
  bottomUp = header.u32(0) == 12 || header.i32(8) > 0;
  return MetafileDc::DecodeDib(info, infoSize, info + infoSize, available - infoSize);
}

// Source rectangle in a decoded (top-down) picture of a rectangle given from the bitmap's
// bottom-left corner when the bitmap is stored bottom-up.
QRectF SourceRect(const QImage& image, bool bottomUp, double x, double y, double w, double h) {
  if (bottomUp) y = image.height() - y - h;
  return QRectF(x, y, w, h);
}

LogFont FontOf(const Params& p) {
  LogFont f;
  f.height = p.word(0);
  f.escapement = p.word(2);
  f.weight = p.word(4);
  const std::uint8_t* flags = p.bytes(10, 2);
  f.italic = flags[0] != 0;
  f.underline = flags[1] != 0;
  f.strikeOut = *p.bytes(12, 1) != 0;
  if (p.size() > 18) {
    const std::size_t length = std::min<std::size_t>(32, p.size() - 18);
    const auto* face = reinterpret_cast<const char*>(p.bytes(18, length));
    std::size_t n = 0;
    while (n < length && face[n] != '\0') ++n;
    f.face = QString::fromStdString(tw::Cp1252ToUtf8(std::string_view(face, n)));
  }
  return f;
}

void Play(MetafileDc& dc, const Record& r) {
  const Params& p = r.params;
  DcState& s = dc.state();
  switch (r.type) {
    case kSaveDc:
      dc.save();
      break;
    case kRestoreDc:
      dc.restore(p.word(0));
      break;
    case kSetBkMode:
      s.opaqueBack = p.word(0) == 2;
      break;
    case kSetMapMode:
      s.mapMode = p.word(0);
      break;
    case kSetRop2:
      s.drawNothing = p.word(0) == 11;
      break;
    case kSetPolyFillMode:
      s.fillRule = p.word(0) == 2 ? Qt::WindingFill : Qt::OddEvenFill;
      break;
    case kSetTextAlign:
      s.textAlign = static_cast<std::uint16_t>(p.word(0));
      break;
    case kSetBkColor:
      s.backColour = MetafileDc::ColourRef(p.u32(0));
      break;
    case kSetTextColor:
      s.textColour = MetafileDc::ColourRef(p.u32(0));
      break;
    case kSetWindowOrg:
      s.windowOrg = PointYX(p, 0);
      break;
    case kSetWindowExt:
      s.windowExt = QSizeF(p.word(1), p.word(0));
      break;
    case kSetViewportOrg:
      s.viewportOrg = PointYX(p, 0);
      break;
    case kSetViewportExt:
      s.viewportExt = QSizeF(p.word(1), p.word(0));
      break;
    case kOffsetWindowOrg:
      s.windowOrg += PointYX(p, 0);
      break;
    case kOffsetViewportOrg:
      s.viewportOrg += PointYX(p, 0);
      break;
    case kScaleWindowExt:
    case kScaleViewportExt: {
      const double yDen = p.word(0), yNum = p.word(1), xDen = p.word(2), xNum = p.word(3);
      if (xDen == 0 || yDen == 0) break;
      QSizeF& ext = r.type == kScaleWindowExt ? s.windowExt : s.viewportExt;
      ext = QSizeF(ext.width() * xNum / xDen, ext.height() * yNum / yDen);
      break;
    }
    case kExcludeClipRect:
      dc.excludeClip(RectBRTL(p, 0));
      break;
    case kIntersectClipRect:
      dc.intersectClip(RectBRTL(p, 0));
      break;

    case kSelectObject:
      dc.selectObject(static_cast<std::uint16_t>(p.word(0)));
      break;
    case kDeleteObject:
      dc.deleteObject(static_cast<std::uint16_t>(p.word(0)));
      break;
    case kCreatePenIndirect: {
      GdiObject o{GdiObject::Kind::Pen};
      o.pen.style = static_cast<std::uint16_t>(p.word(0));
      o.pen.width = p.word(1);
      o.pen.colour = MetafileDc::ColourRef(p.u32(6));
      dc.createObject(-1, o);
      break;
    }
    case kCreateBrushIndirect: {
      GdiObject o{GdiObject::Kind::Brush};
      o.brush.style = static_cast<std::uint16_t>(p.word(0));
      o.brush.colour = MetafileDc::ColourRef(p.u32(2));
      o.brush.hatch = p.word(3);
      dc.createObject(-1, o);
      break;
    }
    case kDibCreatePatternBrush: {
      GdiObject o{GdiObject::Kind::Brush};
      o.brush.style = 5;
      bool bottomUp;
      o.brush.pattern = Dib(p, 4, bottomUp);
      dc.createObject(-1, o);
      break;
    }
    case kCreateFontIndirect: {
      GdiObject o{GdiObject::Kind::Font};
      o.font = FontOf(p);
      dc.createObject(-1, o);
      break;
    }
    case kCreatePalette:
    case kCreatePatternBrush:
    case kCreateRegion:
      // They hold a slot of the table that later indices count on.
      dc.createObject(-1, GdiObject{GdiObject::Kind::Other});
      break;

    case kMoveTo:
      dc.moveTo(PointYX(p, 0));
      break;
    case kLineTo:
      dc.lineTo(PointYX(p, 0));
      break;
    case kPolygon:
      dc.polygons({Points(p, 1, static_cast<std::uint16_t>(p.word(0)))});
      break;
    case kPolyline:
      dc.polyline(Points(p, 1, static_cast<std::uint16_t>(p.word(0))));
      break;
    case kPolyPolygon: {
      const std::size_t count = static_cast<std::uint16_t>(p.word(0));
      std::vector<QPolygonF> polygons;
      std::size_t next = 1 + count;
      for (std::size_t k = 0; k < count; ++k) {
        const std::size_t n = static_cast<std::uint16_t>(p.word(1 + k));
        polygons.push_back(Points(p, next, n));
        next += 2 * n;
      }
      dc.polygons(polygons);
      break;
    }
    case kRectangle:
      dc.rectangle(RectBRTL(p, 0));
      break;
    case kEllipse:
      dc.ellipse(RectBRTL(p, 0));
      break;
    case kRoundRect:
      dc.roundRect(RectBRTL(p, 2), QSizeF(p.word(1), p.word(0)));
      break;
    case kArc:
    case kPie:
    case kChord: {
      const auto kind = r.type == kArc   ? MetafileDc::ArcKind::Arc
                        : r.type == kPie ? MetafileDc::ArcKind::Pie
                                         : MetafileDc::ArcKind::Chord;
      dc.arc(kind, RectBRTL(p, 4), PointYX(p, 2), PointYX(p, 0));
      break;
    }
    case kSetPixel:
      dc.setPixel(PointYX(p, 2), MetafileDc::ColourRef(p.u32(0)));
      break;
    case kPatBlt:
      dc.patternBlt(QRectF(p.word(5), p.word(4), p.word(3), p.word(2)), p.u32(0));
      break;

    case kTextOut: {
      const std::size_t count = static_cast<std::uint16_t>(p.word(0));
      const std::size_t after = 2 + ((count + 1) & ~std::size_t{1});
      const QPointF at(p.i16(after + 2), p.i16(after));
      dc.text(at, AnsiText(p, 2, count), false, false, QRectF());
      break;
    }
    case kExtTextOut: {
      const QPointF at = PointYX(p, 0);
      const std::size_t count = static_cast<std::uint16_t>(p.word(2));
      const int options = static_cast<std::uint16_t>(p.word(3));
      std::size_t text = 8;
      QRectF box;
      // The rectangle is stored left, top, right, bottom; it is there only when an option
      // needs it (a string of no characters may end the record before it).
      if ((options & (kEtoOpaque | kEtoClipped)) && p.size() >= 16) {
        box = QRectF(QPointF(p.word(4), p.word(5)), QPointF(p.word(6), p.word(7)));
        text = 16;
      }
      // The spacing, one word per character, follows the string when the record holds it.
      std::vector<double> advances;
      const std::size_t dx = text + ((count + 1) & ~std::size_t{1});
      if (count > 0 && p.size() >= dx + 2 * count) {
        for (std::size_t k = 0; k < count; ++k) advances.push_back(p.i16(dx + 2 * k));
      }
      dc.text(at, AnsiText(p, text, count), options & kEtoOpaque, options & kEtoClipped, box,
              advances);
      break;
    }

    case kStretchDibits: {
      bool bottomUp;
      const QImage image = Dib(p, 22, bottomUp);
      const QRectF dest(p.word(10), p.word(9), p.word(8), p.word(7));
      dc.bitmap(dest, image,
                SourceRect(image, bottomUp, p.word(6), p.word(5), p.word(4), p.word(3)), p.u32(0));
      break;
    }
    case kSetDibitsToDevice: {
      bool bottomUp;
      const QImage image = Dib(p, 18, bottomUp);
      const double w = p.word(6), h = p.word(5);
      dc.bitmap(QRectF(p.word(8), p.word(7), w, h), image,
                SourceRect(image, bottomUp, p.word(4), p.word(3), w, h), kSrcCopy);
      break;
    }
    case kDibStretchBlt: {
      if (p.size() == 22) {  // no bitmap: a fill by the raster operation
        dc.patternBlt(QRectF(p.word(10), p.word(9), p.word(8), p.word(7)), p.u32(0));
        break;
      }
      bool bottomUp;
      const QImage image = Dib(p, 20, bottomUp);
      dc.bitmap(QRectF(p.word(9), p.word(8), p.word(7), p.word(6)), image,
                QRectF(p.word(5), p.word(4), p.word(3), p.word(2)), p.u32(0));
      break;
    }
    case kDibBitBlt: {
      if (p.size() == 18) {
        dc.patternBlt(QRectF(p.word(8), p.word(7), p.word(6), p.word(5)), p.u32(0));
        break;
      }
      bool bottomUp;
      const QImage image = Dib(p, 16, bottomUp);
      const double w = p.word(5), h = p.word(4);
      dc.bitmap(QRectF(p.word(7), p.word(6), w, h), image, QRectF(p.word(3), p.word(2), w, h),
                p.u32(0));
      break;
    }
    case kRealizePalette:
    default:
      break;
  }
}

}  // namespace

void PlayWmf(MetafileDc& dc, const Layout& layout) {
  for (const Record& record : layout.records) Play(dc, record);
}

}  // namespace tw::platform::metafile
