// MetafileDc: the drawing state a metafile's records act on — the device context of the
// system that recorded them — and the drawing of shapes, text and bitmaps with QPainter into
// the picture. For the metafile player only (platform code).
//
// Coordinates given to the drawing calls are logical units. They reach the picture through
// the world transform (emf), the mapping mode with its window and viewport, and last the
// fixed map of the file's frame onto the picture. Text is laid out in picture pixels so a
// mapping that turns y upwards never draws it upside down. Objects (pens, brushes, fonts)
// live in a table of the size the file declares; an index outside it raises BadMetafile.
// Inside a path bracket shapes are collected instead of drawn, as the recording system did.
#pragma once

#include <QBrush>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QString>
#include <QTransform>
#include <cstdint>
#include <optional>
#include <vector>

namespace tw::platform::metafile {

struct Layout;

// Mapping modes, as numbered in both formats.
enum MapMode : int {
  kMapText = 1,
  kMapLoMetric = 2,
  kMapHiMetric = 3,
  kMapLoEnglish = 4,
  kMapHiEnglish = 5,
  kMapTwips = 6,
  kMapIsotropic = 7,
  kMapAnisotropic = 8
};

struct LogPen {
  int style = 0;     // PS_SOLID 0 ... PS_NULL 5; higher bits (end caps, joins) ignored
  double width = 0;  // logical units; 0 = one pixel
  QColor colour = Qt::black;
};

struct LogBrush {
  int style = 0;  // BS_SOLID 0, BS_NULL 1, BS_HATCHED 2, patterns 3 and 5
  QColor colour = Qt::white;
  int hatch = 0;
  QImage pattern;
};

struct LogFont {
  double height = 0;   // logical units: < 0 character height, > 0 cell height, 0 default
  int escapement = 0;  // tenths of a degree, anticlockwise
  int weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  QString face;
};

struct GdiObject {
  enum class Kind { Empty, Pen, Brush, Font, Other };
  GdiObject() = default;
  explicit GdiObject(Kind k) : kind(k) {}
  Kind kind = Kind::Empty;
  LogPen pen;
  LogBrush brush;
  LogFont font;
};

struct DcState {
  int mapMode = kMapText;
  QPointF windowOrg;
  QSizeF windowExt{1, 1};
  QPointF viewportOrg;
  QSizeF viewportExt{1, 1};
  QTransform world;
  LogPen pen;
  LogBrush brush;
  LogFont font;
  QColor textColour = Qt::black;
  QColor backColour = Qt::white;
  bool opaqueBack = true;
  int textAlign = 0;
  Qt::FillRule fillRule = Qt::OddEvenFill;
  bool drawNothing = false;          // raster operation R2_NOP
  QPointF position;                  // current position, logical units
  std::optional<QPainterPath> clip;  // picture pixels
};

// Raster operations of bitmap transfers.
inline constexpr std::uint32_t kSrcCopy = 0x00CC0020u;
inline constexpr std::uint32_t kSrcPaint = 0x00EE0086u;
inline constexpr std::uint32_t kSrcAnd = 0x008800C6u;
inline constexpr std::uint32_t kSrcInvert = 0x00660046u;
inline constexpr std::uint32_t kNotSrcCopy = 0x00330008u;
inline constexpr std::uint32_t kBlackness = 0x00000042u;
inline constexpr std::uint32_t kWhiteness = 0x00FF0062u;
inline constexpr std::uint32_t kPatCopy = 0x00F00021u;
inline constexpr std::uint32_t kDstInvert = 0x00550009u;

// Text alignment flags.
inline constexpr int kTaUpdateCp = 1;
inline constexpr int kTaRight = 2;
inline constexpr int kTaCenter = 6;
inline constexpr int kTaBottom = 8;
inline constexpr int kTaBaseline = 24;

class MetafileDc {
 public:
  // Draws into `image` (already of the picture's size), mapping the layout's frame onto it.
  MetafileDc(QImage& image, const Layout& layout);
  ~MetafileDc();
  MetafileDc(const MetafileDc&) = delete;
  MetafileDc& operator=(const MetafileDc&) = delete;

  DcState& state() { return state_; }
  void save();
  // n < 0: that many levels back; n > 0: the n-th saved state. Out of range: nothing.
  void restore(int n);

  // Objects. `index` < 0 takes the lowest free slot (wmf).
  void createObject(int index, GdiObject object);
  void selectObject(int index);
  void deleteObject(int index);
  void selectStockObject(std::uint32_t stock);

  // Colours of the file: 0x00BBGGRR (the high byte, palette flags, is ignored).
  static QColor ColourRef(std::uint32_t colourRef);
  // A device-independent bitmap: info header and colours, then bits (separate or together).
  // A null image when it cannot be decoded; BadMetafile when its size is absurd.
  static QImage DecodeDib(const std::uint8_t* info, std::size_t infoSize, const std::uint8_t* bits,
                          std::size_t bitsSize);

  // Shapes, logical units.
  void moveTo(QPointF p);
  void lineTo(QPointF p);
  void polyline(const QPolygonF& points);
  void polylineTo(const QPolygonF& points);
  void polygons(const std::vector<QPolygonF>& polygons);
  void polyBezier(const QPolygonF& points, bool fromCurrent);
  void rectangle(const QRectF& r);
  void roundRect(const QRectF& r, QSizeF corner);
  void ellipse(const QRectF& r);
  enum class ArcKind { Arc, Chord, Pie, ArcTo };
  void arc(ArcKind kind, const QRectF& r, QPointF start, QPointF end);
  void setPixel(QPointF p, QColor colour);
  // Fill of a rectangle by a raster operation without source (PatBlt).
  void patternBlt(const QRectF& r, std::uint32_t rop);
  // Source rectangle of `bitmap` (its pixels, top-down) stretched onto the destination.
  void bitmap(const QRectF& dest, const QImage& bitmap, const QRectF& source, std::uint32_t rop);
  // Text at a point; `box` for the opaque or clipped rectangle of ExtTextOut.
  // `advances`, when there is one per character, are the distances from each character to
  // the next in logical units (ExtTextOut's spacing); else the font's own widths are used.
  void text(QPointF at, const QString& text, bool opaque, bool clipped, const QRectF& box,
            const std::vector<double>& advances = {});

  // Paths and clipping.
  void beginPath();
  void endPath();
  void closeFigure();
  void fillPath(bool fill, bool stroke);
  void intersectClip(const QRectF& r);
  void excludeClip(const QRectF& r);

 private:
  QTransform toPicture() const;
  double scaleX() const;
  double scaleY() const;
  QPen qpen() const;
  void applyClip();
  void fillBrush(const QPainterPath& picturePath);
  void draw(const QPainterPath& logical, bool fill, bool stroke);
  GdiObject& object(int index);

  QImage& image_;
  QPainter painter_;
  QTransform frameToPicture_;
  double pixelsPerMmX_;
  double pixelsPerMmY_;
  DcState state_;
  std::vector<DcState> saved_;
  std::vector<GdiObject> objects_;
  std::optional<QPainterPath> path_;  // picture pixels, while a path bracket is open
  bool pathOpen_ = false;
  bool fonts_;
};

// Size of a bitmap's info header with its colour table, from the header's own fields.
std::size_t DibInfoSize(const std::uint8_t* info, std::size_t available);

// Play every record of a checked file (see MetafileReader.h) into the context. Records
// that do not draw in a picture (printer escapes, palettes, comments) are passed over.
void PlayWmf(MetafileDc& dc, const Layout& layout);
void PlayEmf(MetafileDc& dc, const Layout& layout);

// Reads and plays a metafile into a new see-through image: of the file's own size, or of
// `size` when one is given (the drawing then fills it). Raises BadMetafile, also for a
// size beyond the limits of MetafileReader.h.
QImage PlayMetafile(const std::uint8_t* data, std::size_t size, std::optional<QSize> target = {});

}  // namespace tw::platform::metafile
