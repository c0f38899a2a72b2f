// make_demo_pictures: draws every picture of the demo game "The Lighthouse Keeper's Lamp"
// and writes it into games/demo/ (backgrounds as jpg, hotspot pictures as gif and bmp, the
// start-up window's buttons and tile, the two pointers as .cur files, the inventory items'
// 32 x 32 icons as .ico files, and the inventory button and bar background).
//
// Everything is drawn with QPainter from shapes, paths and gradients; random detail (stars,
// sand grains, paper fibres) comes from fixed seeds, so each run writes the same pictures.
// The positions of the objects that hotspots cover are the constants in namespace `layout`;
// tools/demo/make_demo_data.py uses the same numbers for the hotspot rectangles.
//
// Build and run (from the repository's top folder):
//   g++ -std=c++20 -fPIC tools/demo/make_demo_pictures.cpp $(pkg-config --cflags --libs Qt6Gui) \
//       -o /tmp/make_demo_pictures
//   QT_QPA_PLATFORM=offscreen /tmp/make_demo_pictures games/demo

#include <QtGui/QGuiApplication>
#include <QtGui/QFont>
#include <QtGui/QImage>
#include <QtGui/QImageReader>
#include <QtGui/QLinearGradient>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QRadialGradient>
#include <QtCore/QBuffer>
#include <QtCore/QDir>
#include <QtCore/QFile>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int W = 640;
constexpr int H = 480;

// Where drawn objects sit (pixels of the 640 x 480 frame). Mirrored in make_demo_data.py.
namespace layout {
constexpr QPoint kShell{226, 392};          // beach: the shell picture's top-left (natural size)
constexpr QRect kSign{52, 262, 116, 128};   // beach: sign post with its board
constexpr QRect kBeachPath{478, 238, 140, 190};
constexpr QRect kTitleArt{170, 150, 300, 200};  // title card picture (natural size)
constexpr QRect kDoor{270, 178, 100, 214};      // lighthouse door (open-door picture crop)
constexpr QRect kLever{492, 206, 60, 110};      // boat house lever plate (lever-down crop)
constexpr QPoint kMatches{150, 212};            // boat house: matches tin, top-left
constexpr QRect kLogbook{262, 228, 92, 40};     // boat house: logbook on the bench
constexpr QPoint kShellOnSill{468, 292};        // lamp room: shell on the sill
constexpr QPoint kWick{214, 122};               // boat house: coil of wick on a nail (44 x 52)
constexpr QPoint kOilCan{496, 384};             // lamp room: the oil can by the wall (60 x 58)
}  // namespace layout

using Rng = std::mt19937;

double Rand(Rng& rng, double lo, double hi) {
  return std::uniform_real_distribution<double>(lo, hi)(rng);
}

QColor Mix(const QColor& a, const QColor& b, double t) {
  return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                          float(a.greenF() + (b.greenF() - a.greenF()) * t),
                          float(a.blueF() + (b.blueF() - a.blueF()) * t),
                          float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QImage NewImage(int w, int h, bool alpha = false) {
  QImage img(w, h, alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
  img.fill(alpha ? Qt::transparent : Qt::black);
  return img;
}

void Vertical(QPainter& p, const QRectF& r, const std::vector<std::pair<double, QColor>>& stops) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  for (const auto& [at, c] : stops) g.setColorAt(at, c);
  p.fillRect(r, g);
}

void Glow(QPainter& p, QPointF c, double radius, QColor colour) {
  QRadialGradient g(c, radius);
  g.setColorAt(0, colour);
  QColor edge = colour;
  edge.setAlpha(0);
  g.setColorAt(1, edge);
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawEllipse(c, radius, radius);
}

void Stars(QPainter& p, Rng& rng, const QRectF& area, int count, double maxAlpha) {
  p.setPen(Qt::NoPen);
  for (int i = 0; i < count; ++i) {
    QPointF at(Rand(rng, area.left(), area.right()), Rand(rng, area.top(), area.bottom()));
    // Fainter towards the bottom of the area, where the sky is still bright.
    double fade = 1.0 - (at.y() - area.top()) / area.height();
    double a = Rand(rng, 0.25, 1.0) * maxAlpha * fade;
    double r = Rand(rng, 0.5, 1.4);
    p.setBrush(QColor::fromRgbF(1, 1, 0.92f, float(a)));
    p.drawEllipse(at, r, r);
    if (r > 1.25 && a > 0.5) {  // a few bright ones twinkle with a cross
      p.setPen(QPen(QColor::fromRgbF(1, 1, 0.9f, float(a * 0.5)), 0.6));
      p.drawLine(at + QPointF(-4, 0), at + QPointF(4, 0));
      p.drawLine(at + QPointF(0, -4), at + QPointF(0, 4));
      p.setPen(Qt::NoPen);
    }
  }
}

// Soft grain over a region: small translucent dots, lighter and darker.
void Grain(QPainter& p, Rng& rng, const QRectF& area, int count, double strength) {
  p.setPen(Qt::NoPen);
  for (int i = 0; i < count; ++i) {
    QPointF at(Rand(rng, area.left(), area.right()), Rand(rng, area.top(), area.bottom()));
    bool light = rng() % 2;
    p.setBrush(light ? QColor::fromRgbF(1, 1, 1, float(Rand(rng, 0, strength)))
                     : QColor::fromRgbF(0, 0, 0, float(Rand(rng, 0, strength))));
    double r = Rand(rng, 0.4, 1.2);
    p.drawEllipse(at, r, r);
  }
}

void Cloud(QPainter& p, Rng& rng, QPointF c, double w, QColor top, QColor bottom) {
  QPainterPath path;
  path.setFillRule(Qt::WindingFill);  // overlapping puffs merge instead of cancelling
  int puffs = 6;
  for (int i = 0; i < puffs; ++i) {
    double x = c.x() - w / 2 + w * (i + 0.5) / puffs + Rand(rng, -6, 6);
    double r = w / puffs * Rand(rng, 0.7, 1.2);
    double y = c.y() - std::sin(M_PI * (i + 0.5) / puffs) * r * 0.7;
    path.addEllipse(QPointF(x, y), r, r * 0.6);
  }
  path.addRoundedRect(QRectF(c.x() - w / 2, c.y() - 6, w, 12), 6, 6);
  QLinearGradient g(QPointF(0, c.y() - w / 6), QPointF(0, c.y() + 8));
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawPath(path.simplified());
}

void Gull(QPainter& p, QPointF at, double size, QColor c) {
  QPainterPath path;
  path.moveTo(at + QPointF(-size, -size * 0.2));
  path.quadTo(at + QPointF(-size * 0.5, -size * 0.6), at);
  path.quadTo(at + QPointF(size * 0.5, -size * 0.6), at + QPointF(size, -size * 0.2));
  p.setPen(QPen(c, std::max(1.0, size / 6), Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
}

// Horizontal wave strokes over a sea band; brighter strokes near the sun's reflection.
void Waves(QPainter& p, Rng& rng, const QRectF& sea, double sunX, QColor crest, QColor glint,
           int count = 260) {
  for (int i = 0; i < count; ++i) {
    double y = Rand(rng, sea.top() + 2, sea.bottom());
    double depth = (y - sea.top()) / sea.height();  // 0 far, 1 near
    double len = 6 + depth * 40 * Rand(rng, 0.5, 1.2);
    double x = Rand(rng, sea.left() - 20, sea.right());
    double nearSun = std::exp(-std::pow((x - sunX) / (30 + depth * 60), 2));
    QColor c = Mix(crest, glint, nearSun);
    c.setAlphaF(float(0.25 + 0.6 * nearSun + depth * 0.15));
    p.setPen(QPen(c, 0.8 + depth * 1.4, Qt::SolidLine, Qt::RoundCap));
    QPainterPath w;
    w.moveTo(x, y);
    w.quadTo(x + len / 2, y - 1.5 - depth * 2, x + len, y);
    p.drawPath(w);
  }
}

// A lighthouse: tapered tower with red and white bands, gallery, lantern and dome.
// `base` is the middle of the tower's foot; `h` its height to the top of the dome.
void Lighthouse(QPainter& p, QPointF base, double h, bool lit, QColor light, QColor shade) {
  double bottomW = h * 0.26, topW = h * 0.17;
  double towerH = h * 0.72;
  double topY = base.y() - towerH;
  QPolygonF tower;
  tower << QPointF(base.x() - bottomW / 2, base.y()) << QPointF(base.x() + bottomW / 2, base.y())
        << QPointF(base.x() + topW / 2, topY) << QPointF(base.x() - topW / 2, topY);
  // Bands: clip to the tower and fill stripes, then shade the round side.
  p.save();
  QPainterPath clip;
  clip.addPolygon(tower);
  p.setClipPath(clip);
  int bands = 5;
  for (int i = 0; i < bands; ++i) {
    double y0 = base.y() - towerH * i / bands, y1 = base.y() - towerH * (i + 1) / bands;
    p.fillRect(QRectF(base.x() - bottomW, y1, bottomW * 2, y0 - y1),
               i % 2 ? QColor(178, 40, 44) : QColor(236, 232, 222));
  }
  QLinearGradient round(QPointF(base.x() - bottomW / 2, 0), QPointF(base.x() + bottomW / 2, 0));
  round.setColorAt(0, QColor(0, 0, 0, 30));
  round.setColorAt(0.35, QColor(255, 255, 255, 40));
  round.setColorAt(1, QColor(0, 0, 0, 150));
  p.fillRect(QRectF(base.x() - bottomW, topY, bottomW * 2, towerH), round);
  // A tint of the evening light over everything.
  p.fillRect(QRectF(base.x() - bottomW, topY, bottomW * 2, towerH), shade);
  p.restore();
  // Gallery and railing.
  double galW = topW * 1.5;
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(40, 36, 44));
  p.drawRect(QRectF(base.x() - galW / 2, topY - h * 0.025, galW, h * 0.03));
  p.setPen(QPen(QColor(40, 36, 44), std::max(1.0, h / 200)));
  double railTop = topY - h * 0.07;
  p.drawLine(QPointF(base.x() - galW / 2, railTop), QPointF(base.x() + galW / 2, railTop));
  for (int i = 0; i <= 6; ++i) {
    double x = base.x() - galW / 2 + galW * i / 6;
    p.drawLine(QPointF(x, railTop), QPointF(x, topY - h * 0.025));
  }
  // Lantern room.
  double lanW = topW * 0.9, lanH = h * 0.13;
  QRectF lantern(base.x() - lanW / 2, topY - h * 0.025 - lanH, lanW, lanH);
  if (lit) {
    Glow(p, lantern.center(), h * 0.45, QColor(255, 230, 150, 150));
    p.fillRect(lantern, QColor(255, 244, 200));
  } else {
    QLinearGradient glass(lantern.topLeft(), lantern.topRight());
    glass.setColorAt(0, QColor(70, 80, 110));
    glass.setColorAt(0.4, QColor(120, 130, 160));
    glass.setColorAt(1, QColor(40, 44, 66));
    p.fillRect(lantern, glass);
  }
  p.setPen(QPen(QColor(30, 28, 36), std::max(1.0, h / 180)));
  for (int i = 0; i <= 3; ++i) {
    double x = lantern.left() + lantern.width() * i / 3;
    p.drawLine(QPointF(x, lantern.top()), QPointF(x, lantern.bottom()));
  }
  // Dome and finial.
  QPainterPath dome;
  dome.moveTo(lantern.left() - lanW * 0.12, lantern.top());
  dome.quadTo(base.x(), lantern.top() - lanH * 1.1, lantern.right() + lanW * 0.12, lantern.top());
  dome.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(150, 30, 36));
  p.drawPath(dome);
  p.setBrush(QColor(30, 28, 36));
  p.drawEllipse(QPointF(base.x(), lantern.top() - lanH * 0.58), h * 0.012, h * 0.012);
  // A small door at the foot.
  p.setBrush(QColor(60, 40, 30));
  QPainterPath door;
  double dw = bottomW * 0.22, dh = towerH * 0.12;
  door.addRoundedRect(QRectF(base.x() - dw / 2, base.y() - dh, dw, dh), dw / 2, dw / 2);
  p.drawPath(door);
  (void)light;
}

// ---------------------------------------------------------------------------------------
// Writers: gif (own LZW encoder, one transparent colour), cur (hand-assembled directory).

struct Indexed {
  int w = 0, h = 0;
  std::vector<QRgb> palette;   // entry 0 is the transparent colour when `transparent`
  std::vector<uint8_t> pixels;
  bool transparent = false;
};

// Reduces a picture to at most 255 colours: the most used cells of a 4-4-4 bit colour cube,
// each represented by the mean of its pixels; every pixel takes the nearest entry. Pixels
// with alpha below 128 become the transparent entry 0.
Indexed Quantize(const QImage& source, bool transparent) {
  QImage img = source.convertToFormat(QImage::Format_ARGB32);
  Indexed out;
  out.w = img.width();
  out.h = img.height();
  out.transparent = transparent;
  struct Cell {
    double r = 0, g = 0, b = 0;
    long n = 0;
  };
  std::map<int, Cell> cells;
  for (int y = 0; y < img.height(); ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      QRgb c = line[x];
      if (transparent && qAlpha(c) < 128) continue;
      int key = (qRed(c) >> 4) << 8 | (qGreen(c) >> 4) << 4 | (qBlue(c) >> 4);
      Cell& cell = cells[key];
      cell.r += qRed(c);
      cell.g += qGreen(c);
      cell.b += qBlue(c);
      ++cell.n;
    }
  }
  std::vector<Cell> sorted;
  for (auto& [k, c] : cells) sorted.push_back(c);
  std::sort(sorted.begin(), sorted.end(), [](const Cell& a, const Cell& b) { return a.n > b.n; });
  if (transparent) out.palette.push_back(qRgb(255, 0, 255));
  for (const Cell& c : sorted) {
    if (out.palette.size() >= 256) break;
    out.palette.push_back(qRgb(int(c.r / c.n + 0.5), int(c.g / c.n + 0.5), int(c.b / c.n + 0.5)));
  }
  if (out.palette.empty()) out.palette.push_back(qRgb(0, 0, 0));
  std::map<QRgb, uint8_t> nearest;
  out.pixels.resize(size_t(out.w) * out.h);
  const size_t first = transparent ? 1 : 0;
  for (int y = 0; y < img.height(); ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      QRgb c = line[x];
      uint8_t index = 0;
      if (!(transparent && qAlpha(c) < 128)) {
        QRgb key = c | 0xff000000u;
        auto found = nearest.find(key);
        if (found != nearest.end()) {
          index = found->second;
        } else {
          long best = -1;
          for (size_t i = first; i < out.palette.size(); ++i) {
            long dr = qRed(out.palette[i]) - qRed(c), dg = qGreen(out.palette[i]) - qGreen(c),
                 db = qBlue(out.palette[i]) - qBlue(c);
            long d = dr * dr * 3 + dg * dg * 4 + db * db * 2;
            if (best < 0 || d < best) {
              best = d;
              index = uint8_t(i);
            }
          }
          nearest[key] = index;
        }
      }
      out.pixels[size_t(y) * out.w + x] = index;
    }
  }
  return out;
}

class BitWriter {
 public:
  void put(int code, int bits) {
    acc_ |= uint32_t(code) << count_;
    count_ += bits;
    while (count_ >= 8) {
      bytes.push_back(uint8_t(acc_ & 0xff));
      acc_ >>= 8;
      count_ -= 8;
    }
  }
  void flush() {
    if (count_ > 0) bytes.push_back(uint8_t(acc_ & 0xff));
    acc_ = 0;
    count_ = 0;
  }
  std::vector<uint8_t> bytes;

 private:
  uint32_t acc_ = 0;
  int count_ = 0;
};

// GIF LZW: codes start one bit wider than the colour depth; the table restarts (clear code)
// when it reaches 4096 entries.
std::vector<uint8_t> Lzw(const std::vector<uint8_t>& pixels, int minBits) {
  const int clear = 1 << minBits, end = clear + 1;
  BitWriter out;
  std::map<int, int> table;  // (prefix code << 8 | byte) -> code
  int next = end + 1, width = minBits + 1;
  out.put(clear, width);
  int prefix = -1;
  for (uint8_t px : pixels) {
    if (prefix < 0) {
      prefix = px;
      continue;
    }
    int key = prefix << 8 | px;
    auto found = table.find(key);
    if (found != table.end()) {
      prefix = found->second;
      continue;
    }
    out.put(prefix, width);
    if (next < 4096) {
      table[key] = next++;
      if (next > (1 << width) && width < 12) ++width;
    } else {
      out.put(clear, width);
      table.clear();
      next = end + 1;
      width = minBits + 1;
    }
    prefix = px;
  }
  if (prefix >= 0) out.put(prefix, width);
  out.put(end, width);
  out.flush();
  return out.bytes;
}

void Le16(std::vector<uint8_t>& b, int v) {
  b.push_back(uint8_t(v & 0xff));
  b.push_back(uint8_t((v >> 8) & 0xff));
}
void Le32(std::vector<uint8_t>& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(uint8_t((v >> (8 * i)) & 0xff));
}

bool WriteBytes(const QString& path, const std::vector<uint8_t>& bytes) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly)) return false;
  f.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
  return true;
}

bool SaveGif(const QImage& image, const QString& path, bool transparent) {
  Indexed ix = Quantize(image, transparent);
  std::vector<uint8_t> b = {'G', 'I', 'F', '8', '9', 'a'};
  Le16(b, ix.w);
  Le16(b, ix.h);
  b.push_back(0xf7);  // global table of 256 entries, 8 bits per primary
  b.push_back(0);     // background colour index
  b.push_back(0);     // pixel aspect
  for (int i = 0; i < 256; ++i) {
    QRgb c = i < int(ix.palette.size()) ? ix.palette[size_t(i)] : qRgb(0, 0, 0);
    b.push_back(uint8_t(qRed(c)));
    b.push_back(uint8_t(qGreen(c)));
    b.push_back(uint8_t(qBlue(c)));
  }
  if (transparent) {  // graphic control extension: colour 0 is see-through
    for (uint8_t v : {0x21, 0xf9, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00}) b.push_back(v);
  }
  b.push_back(0x2c);
  Le16(b, 0);
  Le16(b, 0);
  Le16(b, ix.w);
  Le16(b, ix.h);
  b.push_back(0);  // no local table, not interlaced
  b.push_back(8);  // LZW minimum code size
  std::vector<uint8_t> data = Lzw(ix.pixels, 8);
  for (size_t at = 0; at < data.size(); at += 255) {
    size_t n = std::min<size_t>(255, data.size() - at);
    b.push_back(uint8_t(n));
    b.insert(b.end(), data.begin() + long(at), data.begin() + long(at + n));
  }
  b.push_back(0);
  b.push_back(0x3b);
  return WriteBytes(path, b);
}

// A Windows cursor or icon file: an icon directory (type 2 for a cursor, 1 for an icon) with
// one 32 x 32 entry; in a cursor the entry's planes and bit-count fields hold the hot spot, in
// an icon they are 1 and 32. The image is a 32-bit BGRA DIB (height doubled for the AND mask),
// rows bottom-up, followed by the 1-bit AND mask.
bool SaveIconFile(const QImage& image, bool cursor, QPoint hot, const QString& path) {
  QImage img = image.convertToFormat(QImage::Format_ARGB32);
  const int w = img.width(), h = img.height();
  const int maskStride = ((w + 31) / 32) * 4;
  std::vector<uint8_t> dib;
  Le32(dib, 40);
  Le32(dib, uint32_t(w));
  Le32(dib, uint32_t(h * 2));
  Le16(dib, 1);
  Le16(dib, 32);
  Le32(dib, 0);
  Le32(dib, uint32_t(w * h * 4 + maskStride * h));
  Le32(dib, 0);
  Le32(dib, 0);
  Le32(dib, 0);
  Le32(dib, 0);
  for (int y = h - 1; y >= 0; --y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    for (int x = 0; x < w; ++x) {
      dib.push_back(uint8_t(qBlue(line[x])));
      dib.push_back(uint8_t(qGreen(line[x])));
      dib.push_back(uint8_t(qRed(line[x])));
      dib.push_back(uint8_t(qAlpha(line[x])));
    }
  }
  for (int y = h - 1; y >= 0; --y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    std::vector<uint8_t> row(size_t(maskStride), 0);
    for (int x = 0; x < w; ++x) {
      if (qAlpha(line[x]) < 128) row[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
    }
    dib.insert(dib.end(), row.begin(), row.end());
  }
  std::vector<uint8_t> b;
  Le16(b, 0);
  Le16(b, cursor ? 2 : 1);
  Le16(b, 1);
  b.push_back(uint8_t(w));
  b.push_back(uint8_t(h));
  b.push_back(0);
  b.push_back(0);
  Le16(b, cursor ? hot.x() : 1);
  Le16(b, cursor ? hot.y() : 32);
  Le32(b, uint32_t(dib.size()));
  Le32(b, 6 + 16);
  b.insert(b.end(), dib.begin(), dib.end());
  return WriteBytes(path, b);
}

bool SaveCursor(const QImage& image, QPoint hot, const QString& path) {
  return SaveIconFile(image, true, hot, path);
}

// ---------------------------------------------------------------------------------------

QString g_root;
int g_failures = 0;

void Report(const QString& rel, bool ok) {
  if (!ok) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(rel));
    ++g_failures;
    return;
  }
  std::printf("%7lld  %s\n", QFileInfo(g_root + "/" + rel).size(), qPrintable(rel));
}

void Jpg(const QImage& img, const QString& rel, int quality = 85) {
  Report(rel, img.save(g_root + "/" + rel, "JPG", quality));
}
void Bmp(const QImage& img, const QString& rel) {
  Report(rel, img.convertToFormat(QImage::Format_RGB888).save(g_root + "/" + rel, "BMP"));
}
void Gif(const QImage& img, const QString& rel, bool transparent = true) {
  Report(rel, SaveGif(img, g_root + "/" + rel, transparent));
}

// ---------------------------------------------------------------------------------------
// Scenes

void PaintBeach(QPainter& p) {
  Rng rng(11);
  const double horizon = 262;
  Vertical(p, QRectF(0, 0, W, horizon),
           {{0, QColor(38, 26, 72)}, {0.35, QColor(112, 52, 112)}, {0.7, QColor(222, 108, 96)},
            {1, QColor(255, 176, 98)}});
  Stars(p, rng, QRectF(0, 0, W, 110), 70, 0.8);
  const QPointF sun(300, horizon + 4);
  Glow(p, sun, 190, QColor(255, 190, 110, 120));
  Glow(p, sun, 70, QColor(255, 220, 150, 200));
  p.setBrush(QColor(255, 226, 150));
  p.drawEllipse(sun, 34, 34);
  Cloud(p, rng, QPointF(120, 120), 170, QColor(250, 160, 150, 200), QColor(150, 70, 120, 220));
  Cloud(p, rng, QPointF(420, 80), 220, QColor(240, 150, 160, 170), QColor(120, 60, 120, 210));
  Cloud(p, rng, QPointF(250, 200), 120, QColor(255, 190, 140, 150), QColor(190, 90, 110, 200));
  // Sea.
  Vertical(p, QRectF(0, horizon, W, 120),
           {{0, QColor(120, 70, 120)}, {0.3, QColor(70, 50, 110)}, {1, QColor(30, 36, 80)}});
  // The sun's path of light on the water.
  for (int i = 0; i < 40; ++i) {
    double y = horizon + 3 + i * 2.4;
    double half = 20 + i * 1.6 + Rand(rng, -6, 6);
    p.setPen(QPen(QColor(255, 210, 140, std::max(20, 200 - i * 4)), 1.4));
    p.drawLine(QPointF(sun.x() - half + Rand(rng, -5, 5), y), QPointF(sun.x() + half, y));
  }
  Waves(p, rng, QRectF(0, horizon, W, 110), sun.x(), QColor(150, 140, 200), QColor(255, 220, 160));
  // Cliff on the right with the lighthouse.
  QPainterPath cliff;
  cliff.moveTo(440, horizon + 90);
  cliff.cubicTo(470, 250, 500, 210, 540, 196);
  cliff.lineTo(640, 186);
  cliff.lineTo(640, 480);
  cliff.lineTo(440, 480);
  cliff.closeSubpath();
  QLinearGradient rock(QPointF(440, 200), QPointF(640, 420));
  rock.setColorAt(0, QColor(86, 60, 84));
  rock.setColorAt(1, QColor(34, 26, 44));
  p.setPen(Qt::NoPen);
  p.setBrush(rock);
  p.drawPath(cliff);
  // Grass on the cliff top.
  QPainterPath grass;
  grass.moveTo(520, 204);
  grass.cubicTo(560, 190, 600, 186, 640, 184);
  grass.lineTo(640, 200);
  grass.cubicTo(600, 204, 560, 210, 520, 212);
  grass.closeSubpath();
  p.setBrush(QColor(64, 84, 60));
  p.drawPath(grass);
  Lighthouse(p, QPointF(590, 192), 130, false, {}, QColor(120, 60, 110, 70));
  // Rock strata.
  p.setPen(QPen(QColor(20, 14, 28, 90), 1.2));
  for (int i = 0; i < 12; ++i) {
    double y = 230 + i * 18;
    QPainterPath s;
    s.moveTo(470 + i * 3, y);
    s.cubicTo(530, y - 8, 580, y + 6, 640, y - 4);
    p.drawPath(s);
  }
  // Sand.
  QPainterPath sand;
  sand.moveTo(0, 352);
  sand.cubicTo(150, 338, 330, 360, 470, 332);
  sand.lineTo(520, 480);
  sand.lineTo(0, 480);
  sand.closeSubpath();
  QLinearGradient sg(QPointF(0, 335), QPointF(0, 480));
  sg.setColorAt(0, QColor(214, 150, 118));
  sg.setColorAt(1, QColor(150, 96, 86));
  p.setBrush(sg);
  p.setPen(Qt::NoPen);
  p.drawPath(sand);
  p.save();
  p.setClipPath(sand);
  Grain(p, rng, QRectF(0, 330, 520, 150), 2600, 0.18);
  p.restore();
  // Foam where the water meets the sand.
  for (int k = 0; k < 3; ++k) {
    QPainterPath foam;
    foam.moveTo(0, 350 - k * 5);
    foam.cubicTo(150, 336 - k * 5, 330, 358 - k * 5, 468, 331 - k * 5);
    p.setPen(QPen(QColor(255, 240, 236, 150 - k * 45), 2.5 - k * 0.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(foam);
  }
  // The path: a pale trail rising from the sand over the cliff's shoulder.
  QPainterPath trail;
  trail.moveTo(470, 430);
  trail.cubicTo(520, 400, 510, 330, 560, 300);
  trail.cubicTo(590, 280, 590, 240, 600, 214);
  trail.lineTo(612, 214);
  trail.cubicTo(606, 244, 610, 290, 582, 312);
  trail.cubicTo(540, 342, 552, 410, 520, 440);
  trail.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(196, 150, 124, 220));
  p.drawPath(trail);
  // Posts along the trail.
  p.setPen(QPen(QColor(50, 34, 30), 3, Qt::SolidLine, Qt::RoundCap));
  const QPointF posts[] = {{505, 408}, {530, 356}, {566, 316}, {592, 272}};
  for (QPointF post : posts) p.drawLine(post, post + QPointF(0, -18));
  p.setPen(QPen(QColor(60, 44, 36), 1));
  for (int i = 0; i + 1 < 4; ++i) p.drawLine(posts[i] + QPointF(0, -14), posts[i + 1] + QPointF(0, -14));
  // Sign post on the left.
  const QRect s = layout::kSign;
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(70, 46, 34));
  p.drawRect(QRectF(s.center().x() - 4, s.top() + 20, 8, s.height() - 20));
  QRectF board(s.left() + 4, s.top() + 8, s.width() - 8, 48);
  QLinearGradient wood(board.topLeft(), board.bottomLeft());
  wood.setColorAt(0, QColor(168, 120, 80));
  wood.setColorAt(1, QColor(110, 72, 50));
  p.setBrush(wood);
  p.setPen(QPen(QColor(60, 40, 30), 2));
  p.drawRoundedRect(board, 4, 4);
  p.setPen(QColor(250, 236, 210));
  QFont f("DejaVu Serif", 10, QFont::Bold);
  p.setFont(f);
  p.drawText(board.adjusted(0, 4, 0, -20), Qt::AlignHCenter | Qt::AlignTop, "LIGHTHOUSE");
  p.setFont(QFont("DejaVu Serif", 9));
  p.drawText(board.adjusted(0, 24, 0, -2), Qt::AlignHCenter | Qt::AlignTop, "keep the lamp lit");
  // Gulls.
  Gull(p, QPointF(180, 70), 9, QColor(40, 24, 50));
  Gull(p, QPointF(210, 86), 6, QColor(40, 24, 50));
  Gull(p, QPointF(372, 150), 7, QColor(60, 30, 60));
  // Pebbles.
  for (int i = 0; i < 26; ++i) {
    QPointF at(Rand(rng, 10, 440), Rand(rng, 380, 470));
    p.setBrush(QColor(90 + int(Rand(rng, 0, 40)), 70, 80));
    p.setPen(Qt::NoPen);
    p.drawEllipse(at, Rand(rng, 2, 5), Rand(rng, 1.5, 3));
  }
}

QImage ShellPicture() {
  QImage img = NewImage(52, 40, true);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  // A scallop: a fan of ribs over a small hinge.
  QPointF hinge(26, 35);
  QPainterPath fan;
  fan.moveTo(hinge);
  fan.arcTo(QRectF(2, 2, 48, 62), 160, -140);
  fan.closeSubpath();
  QRadialGradient g(QPointF(26, 18), 30);
  g.setColorAt(0, QColor(255, 236, 226));
  g.setColorAt(0.6, QColor(244, 190, 176));
  g.setColorAt(1, QColor(196, 120, 120));
  p.setPen(QPen(QColor(130, 70, 80), 1.2));
  p.setBrush(g);
  p.drawPath(fan);
  p.save();
  p.setClipPath(fan);
  for (int i = 0; i <= 8; ++i) {
    double a = M_PI * (0.16 + 0.68 * i / 8.0);
    QPointF tip(hinge.x() - std::cos(a) * 44, hinge.y() - std::sin(a) * 44);
    p.setPen(QPen(QColor(170, 96, 100, 160), 1.3));
    p.drawLine(hinge, tip);
  }
  p.restore();
  // Hinge ears.
  p.setBrush(QColor(220, 150, 140));
  p.setPen(QPen(QColor(130, 70, 80), 1));
  QPolygonF ears;
  ears << QPointF(18, 32) << QPointF(34, 32) << QPointF(31, 38) << QPointF(21, 38);
  p.drawPolygon(ears);
  // Highlight.
  Glow(p, QPointF(20, 14), 8, QColor(255, 255, 255, 150));
  return img;
}

void PaintPath(QPainter& p) {
  Rng rng(23);
  Vertical(p, QRectF(0, 0, W, 250),
           {{0, QColor(22, 18, 56)}, {0.5, QColor(84, 48, 110)}, {0.85, QColor(196, 96, 110)},
            {1, QColor(236, 146, 110)}});
  Stars(p, rng, QRectF(0, 0, W, 170), 140, 1.0);
  Glow(p, QPointF(96, 70), 40, QColor(255, 250, 220, 90));
  p.setBrush(QColor(250, 246, 226));
  p.drawEllipse(QPointF(96, 70), 14, 14);
  p.setBrush(QColor(52, 36, 80));  // crescent
  p.drawEllipse(QPointF(102, 66), 12, 12);
  // Far sea on the left.
  Vertical(p, QRectF(0, 236, 300, 60), {{0, QColor(160, 90, 120)}, {1, QColor(50, 40, 90)}});
  Waves(p, rng, QRectF(0, 238, 300, 50), 120, QColor(160, 130, 190), QColor(250, 200, 170));
  // Hillside.
  QPainterPath hill;
  hill.moveTo(0, 300);
  hill.cubicTo(160, 280, 260, 236, 400, 232);
  hill.cubicTo(500, 230, 580, 250, 640, 246);
  hill.lineTo(640, 480);
  hill.lineTo(0, 480);
  hill.closeSubpath();
  QLinearGradient hg(QPointF(0, 230), QPointF(0, 480));
  hg.setColorAt(0, QColor(70, 96, 70));
  hg.setColorAt(1, QColor(22, 40, 30));
  p.setPen(Qt::NoPen);
  p.setBrush(hg);
  p.drawPath(hill);
  // Lighthouse, big, on the hilltop.
  Lighthouse(p, QPointF(500, 240), 210, false, {}, QColor(90, 50, 120, 80));
  // Boat house by the water, lower left.
  QRectF house(64, 244, 140, 78);
  p.setBrush(QColor(110, 64, 50));
  p.drawRect(house);
  p.setPen(QPen(QColor(60, 34, 30, 150), 1));
  for (double x = house.left() + 10; x < house.right(); x += 10) p.drawLine(QPointF(x, house.top()), QPointF(x, house.bottom()));
  QPolygonF roof;
  roof << QPointF(house.left() - 12, house.top() + 2) << QPointF(house.center().x(), house.top() - 40)
       << QPointF(house.right() + 12, house.top() + 2);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(54, 46, 60));
  p.drawPolygon(roof);
  // Wide doors and a warm window.
  p.setBrush(QColor(40, 26, 26));
  p.drawRect(QRectF(house.left() + 20, house.top() + 26, 50, 52));
  p.setBrush(QColor(255, 200, 120));
  p.drawRect(QRectF(house.right() - 42, house.top() + 20, 24, 18));
  Glow(p, QPointF(house.right() - 30, house.top() + 29), 30, QColor(255, 190, 110, 80));
  p.setPen(QPen(QColor(40, 26, 26), 2));
  p.drawLine(QPointF(house.right() - 30, house.top() + 20), QPointF(house.right() - 30, house.top() + 38));
  // Jetty.
  p.setPen(QPen(QColor(60, 40, 34), 4));
  p.drawLine(QPointF(20, 318), QPointF(70, 318));
  // The path: from the bottom middle, forking to the lighthouse and the boat house.
  QPainterPath toLight;
  toLight.moveTo(300, 480);
  toLight.cubicTo(330, 400, 420, 360, 470, 300);
  toLight.cubicTo(486, 280, 494, 262, 496, 242);
  QPainterPath toHouse;
  toHouse.moveTo(340, 410);
  toHouse.cubicTo(260, 380, 200, 350, 140, 324);
  p.setBrush(Qt::NoBrush);
  for (auto [width, colour] : {std::pair{30.0, QColor(150, 120, 96)}, std::pair{22.0, QColor(190, 156, 124)}}) {
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(toLight);
    p.setPen(QPen(colour, width * 0.55, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(toHouse);
  }
  // Grass tufts.
  for (int i = 0; i < 260; ++i) {
    QPointF at(Rand(rng, 0, W), Rand(rng, 270, 480));
    double depth = (at.y() - 240) / 240;
    p.setPen(QPen(QColor(40 + int(Rand(rng, 0, 40)), 80 + int(Rand(rng, 0, 40)), 50, 200), 1 + depth));
    double hgt = 4 + depth * 12;
    p.drawLine(at, at + QPointF(Rand(rng, -3, 3), -hgt));
    p.drawLine(at, at + QPointF(Rand(rng, -5, 1), -hgt * 0.8));
  }
  // A signpost at the fork.
  p.setPen(QPen(QColor(60, 40, 30), 4));
  p.drawLine(QPointF(356, 412), QPointF(356, 360));
  p.setBrush(QColor(150, 106, 70));
  p.setPen(QPen(QColor(60, 40, 30), 1.5));
  QPolygonF left, right;
  left << QPointF(350, 364) << QPointF(300, 364) << QPointF(290, 372) << QPointF(300, 380) << QPointF(350, 380);
  right << QPointF(362, 350) << QPointF(412, 346) << QPointF(422, 354) << QPointF(412, 362) << QPointF(362, 366);
  p.drawPolygon(left);
  p.drawPolygon(right);
  p.setPen(QColor(250, 236, 210));
  p.setFont(QFont("DejaVu Sans", 6, QFont::Bold));
  p.drawText(QRectF(296, 364, 54, 16), Qt::AlignCenter, "BOATS");
  p.drawText(QRectF(362, 348, 54, 16), Qt::AlignCenter, "LIGHT");
}

// An arrow in a round plate pointing left (going back) or down.
QImage ArrowPicture(bool down) {
  QImage img = NewImage(64, 64, true);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient g(QPointF(26, 24), 34);
  g.setColorAt(0, QColor(255, 236, 180, 235));
  g.setColorAt(1, QColor(196, 140, 70, 235));
  p.setPen(QPen(QColor(90, 56, 30), 3));
  p.setBrush(g);
  p.drawEllipse(QRectF(4, 4, 56, 56));
  QPolygonF arrow;
  arrow << QPointF(16, 32) << QPointF(32, 16) << QPointF(32, 26) << QPointF(48, 26) << QPointF(48, 38)
        << QPointF(32, 38) << QPointF(32, 48);
  if (down) {
    QTransform t;
    t.translate(32, 32);
    t.rotate(-90);
    t.translate(-32, -32);
    arrow = t.map(arrow);
  }
  p.setPen(QPen(QColor(70, 40, 24), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(QColor(110, 60, 30));
  p.drawPolygon(arrow);
  return img;
}

// The lighthouse's foot with its door; `open` shows the doorway with stairs inside.
void PaintDoor(QPainter& p, bool open) {
  Rng rng(31);
  Vertical(p, QRectF(0, 0, W, H),
           {{0, QColor(24, 20, 58)}, {0.6, QColor(110, 60, 120)}, {1, QColor(210, 110, 110)}});
  Stars(p, rng, QRectF(0, 0, W, 200), 120, 1.0);
  // Ground.
  QPainterPath ground;
  ground.moveTo(0, 380);
  ground.cubicTo(200, 370, 440, 372, 640, 384);
  ground.lineTo(640, 480);
  ground.lineTo(0, 480);
  ground.closeSubpath();
  p.setPen(Qt::NoPen);
  QLinearGradient gg(QPointF(0, 370), QPointF(0, 480));
  gg.setColorAt(0, QColor(66, 92, 64));
  gg.setColorAt(1, QColor(24, 40, 30));
  p.setBrush(gg);
  p.drawPath(ground);
  // The tower wall fills the middle: a wide cylinder with bands.
  QRectF wall(150, 0, 340, 404);
  p.save();
  p.setClipRect(wall);
  p.fillRect(QRectF(150, 0, 340, 150), QColor(178, 40, 44));
  p.fillRect(QRectF(150, 150, 340, 254), QColor(232, 226, 214));
  for (double y = 160; y < 390; y += 22) {  // mortar lines of the stones
    p.setPen(QPen(QColor(0, 0, 0, 30), 1));
    p.drawLine(QPointF(150, y), QPointF(490, y));
    for (double x = 150 + (int(y) / 22 % 2) * 20; x < 490; x += 40) p.drawLine(QPointF(x, y), QPointF(x, y + 22));
  }
  QLinearGradient round(QPointF(150, 0), QPointF(490, 0));
  round.setColorAt(0, QColor(20, 10, 40, 200));
  round.setColorAt(0.3, QColor(255, 220, 200, 30));
  round.setColorAt(0.55, QColor(0, 0, 0, 0));
  round.setColorAt(1, QColor(20, 10, 40, 230));
  p.fillRect(wall, round);
  p.fillRect(wall, QColor(120, 60, 140, 50));
  Grain(p, rng, wall, 1500, 0.08);
  p.restore();
  // Stone step and base.
  p.setBrush(QColor(110, 104, 110));
  p.setPen(QPen(QColor(60, 56, 64), 1.5));
  p.drawRect(QRectF(140, 392, 360, 18));
  p.drawRect(QRectF(250, 378, 140, 16));
  // Door frame: stone arch.
  const QRect d = layout::kDoor;
  QPainterPath arch;
  arch.setFillRule(Qt::WindingFill);
  arch.addRoundedRect(QRectF(d).adjusted(-12, -12, 12, 0), 62, 62);
  arch.addRect(QRectF(d).adjusted(-12, 60, 12, 0));
  p.setPen(QPen(QColor(80, 74, 84), 2));
  p.setBrush(QColor(150, 140, 146));
  p.drawPath(arch.simplified());
  QPainterPath opening;
  opening.setFillRule(Qt::WindingFill);
  opening.addRoundedRect(QRectF(d), 50, 50);
  opening.addRect(QRectF(d).adjusted(0, 60, 0, 0));
  opening = opening.simplified();
  if (!open) {
    p.save();
    p.setClipPath(opening);
    QLinearGradient wood(QPointF(d.left(), 0), QPointF(d.right(), 0));
    wood.setColorAt(0, QColor(90, 54, 36));
    wood.setColorAt(0.5, QColor(136, 86, 56));
    wood.setColorAt(1, QColor(70, 42, 30));
    p.fillRect(d, wood);
    p.setPen(QPen(QColor(50, 30, 22), 2));
    for (int x = d.left() + 20; x < d.right(); x += 20) p.drawLine(x, d.top(), x, d.bottom());
    // Iron bands and a heavy ring.
    for (int y : {d.top() + 60, d.bottom() - 50}) {
      p.fillRect(QRect(d.left(), y, d.width(), 10), QColor(46, 44, 50));
      p.setBrush(QColor(90, 90, 96));
      p.setPen(Qt::NoPen);
      for (int x = d.left() + 8; x < d.right(); x += 18) p.drawEllipse(QPointF(x, y + 5), 2, 2);
    }
    p.setPen(QPen(QColor(60, 60, 66), 4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(d.right() - 24, d.center().y() + 10), 10, 10);
    p.restore();
  } else {
    p.save();
    p.setClipPath(opening);
    // Inside: warm dark stairwell with the first steps curving up.
    QRadialGradient inside(QPointF(d.center().x(), d.bottom() - 40), 180);
    inside.setColorAt(0, QColor(120, 84, 60));
    inside.setColorAt(1, QColor(20, 14, 16));
    p.fillRect(d, inside);
    for (int i = 0; i < 7; ++i) {
      double y = d.bottom() - 12 - i * 22;
      double x0 = d.left() + 8 + i * 9, x1 = d.right() - 2;
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(150 - i * 14, 120 - i * 12, 104 - i * 10));
      p.drawRect(QRectF(x0, y, x1 - x0, 8));
      p.setBrush(QColor(90 - i * 8, 70 - i * 7, 64 - i * 6));
      p.drawRect(QRectF(x0, y + 8, x1 - x0, 14));
    }
    // The door itself swung inwards, seen edge-on at the left.
    QLinearGradient wood(QPointF(d.left(), 0), QPointF(d.left() + 18, 0));
    wood.setColorAt(0, QColor(60, 36, 26));
    wood.setColorAt(1, QColor(110, 70, 46));
    p.fillRect(QRect(d.left(), d.top(), 18, d.height()), wood);
    Glow(p, QPointF(d.center().x() + 10, d.top() + 60), 50, QColor(255, 200, 120, 70));
    p.restore();
  }
  // A lantern hook beside the door.
  p.setPen(QPen(QColor(40, 36, 44), 3));
  p.drawLine(QPointF(418, 200), QPointF(440, 200));
  p.drawLine(QPointF(440, 200), QPointF(440, 214));
  p.setBrush(QColor(40, 36, 44));
  p.drawRect(QRectF(432, 214, 16, 24));
  p.setBrush(open ? QColor(255, 210, 120) : QColor(90, 90, 110));
  p.drawRect(QRectF(435, 218, 10, 16));
  if (open) Glow(p, QPointF(440, 226), 40, QColor(255, 200, 110, 110));
  // A coil of rope and a bucket.
  p.setPen(QPen(QColor(170, 140, 96), 3));
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < 4; ++i) p.drawEllipse(QPointF(520, 418 - i * 3), 24 - i * 2, 8);
  p.setPen(QPen(QColor(40, 40, 50), 1.5));
  p.setBrush(QColor(90, 96, 110));
  QPolygonF bucket;
  bucket << QPointF(96, 396) << QPointF(126, 396) << QPointF(122, 426) << QPointF(100, 426);
  p.drawPolygon(bucket);
}

void PaintBoathouse(QPainter& p, bool leverDown) {
  Rng rng(47);
  // Plank walls.
  for (int x = 0; x < W; x += 40) {
    QLinearGradient plank(QPointF(x, 0), QPointF(x + 40, 0));
    int tone = int(Rand(rng, -14, 14));
    plank.setColorAt(0, QColor(96 + tone, 62 + tone, 44 + tone));
    plank.setColorAt(0.5, QColor(120 + tone, 80 + tone, 56 + tone));
    plank.setColorAt(1, QColor(84 + tone, 54 + tone, 40 + tone));
    p.fillRect(QRectF(x, 0, 40, 360), plank);
    p.fillRect(QRectF(x, 0, 2, 360), QColor(40, 24, 20));
    p.setPen(QPen(QColor(60, 36, 26, 120), 1));
    for (int k = 0; k < 3; ++k) {  // wood grain
      double gx = x + Rand(rng, 6, 34);
      QPainterPath grain;
      grain.moveTo(gx, 0);
      grain.cubicTo(gx + Rand(rng, -4, 4), 120, gx + Rand(rng, -4, 4), 240, gx, 360);
      p.drawPath(grain);
    }
    p.setBrush(QColor(40, 30, 30));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(x + 20, 40), 1.6, 1.6);
    p.drawEllipse(QPointF(x + 20, 320), 1.6, 1.6);
  }
  // Roof beams.
  p.fillRect(QRectF(0, 0, W, 26), QColor(50, 32, 26));
  p.fillRect(QRectF(0, 26, W, 4), QColor(30, 18, 16));
  // Floor.
  Vertical(p, QRectF(0, 360, W, 120), {{0, QColor(70, 48, 38)}, {1, QColor(36, 24, 20)}});
  p.setPen(QPen(QColor(24, 14, 12), 1.5));
  for (int i = 0; i < 6; ++i) {
    double y = 360 + i * i * 4.0;
    p.drawLine(QPointF(0, y), QPointF(W, y));
  }
  for (int i = -8; i <= 8; ++i) p.drawLine(QPointF(320 + i * 40, 360), QPointF(320 + i * 120, 480));
  // A window on the left wall with the dusk sea outside.
  QRectF win(40, 70, 150, 110);
  Vertical(p, win, {{0, QColor(70, 50, 110)}, {0.55, QColor(230, 130, 100)}, {0.6, QColor(120, 70, 120)}, {1, QColor(40, 40, 90)}});
  p.setBrush(QColor(255, 220, 150));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(120, 132), 12, 12);
  p.setPen(QPen(QColor(54, 34, 26), 6));
  p.setBrush(Qt::NoBrush);
  p.drawRect(win);
  p.drawLine(QPointF(win.center().x(), win.top()), QPointF(win.center().x(), win.bottom()));
  p.drawLine(QPointF(win.left(), win.center().y()), QPointF(win.right(), win.center().y()));
  // Light from the window across the room.
  QLinearGradient beam(QPointF(190, 120), QPointF(520, 420));
  beam.setColorAt(0, QColor(255, 190, 130, 60));
  beam.setColorAt(1, QColor(255, 190, 130, 0));
  QPolygonF shaft;
  shaft << win.topRight() << win.bottomRight() << QPointF(460, 480) << QPointF(640, 380);
  p.setPen(Qt::NoPen);
  p.setBrush(beam);
  p.drawPolygon(shaft);
  // Shelf with the matches tin (drawn separately) and jars.
  p.fillRect(QRectF(120, 236, 180, 10), QColor(60, 38, 28));
  p.fillRect(QRectF(124, 246, 8, 18), QColor(50, 32, 24));
  p.fillRect(QRectF(286, 246, 8, 18), QColor(50, 32, 24));
  for (int i = 0; i < 2; ++i) {
    QRectF jar(214 + i * 34, 204, 24, 32);
    QLinearGradient glass(jar.topLeft(), jar.topRight());
    glass.setColorAt(0, QColor(140, 170, 150, 200));
    glass.setColorAt(0.4, QColor(210, 240, 220, 220));
    glass.setColorAt(1, QColor(90, 120, 110, 200));
    p.setBrush(glass);
    p.setPen(QPen(QColor(50, 60, 56), 1));
    p.drawRoundedRect(jar, 4, 4);
    p.fillRect(QRectF(jar.left() + 3, jar.top() - 4, jar.width() - 6, 6), QColor(120, 80, 50));
  }
  // Bench with the logbook.
  const QRect lb = layout::kLogbook;
  p.fillRect(QRectF(236, 268, 150, 12), QColor(74, 46, 32));
  p.fillRect(QRectF(244, 280, 10, 80), QColor(56, 34, 26));
  p.fillRect(QRectF(368, 280, 10, 80), QColor(56, 34, 26));
  QPolygonF book;
  book << QPointF(lb.left() + 6, lb.bottom() - 2) << QPointF(lb.right() - 6, lb.bottom() - 2)
       << QPointF(lb.right() - 14, lb.top() + 10) << QPointF(lb.left() + 14, lb.top() + 10);
  p.setBrush(QColor(232, 220, 190));
  p.setPen(QPen(QColor(80, 40, 30), 2));
  p.drawPolygon(book);
  p.drawLine(QPointF(lb.center().x(), lb.top() + 10), QPointF(lb.center().x(), lb.bottom() - 2));
  p.setPen(QPen(QColor(90, 90, 120, 160), 1));
  for (int i = 0; i < 4; ++i) {
    double y = lb.top() + 15 + i * 5;
    p.drawLine(QPointF(lb.left() + 20 + i, y), QPointF(lb.center().x() - 5, y));
    p.drawLine(QPointF(lb.center().x() + 5, y), QPointF(lb.right() - 20 - i, y));
  }
  // A quill.
  p.setPen(QPen(QColor(240, 240, 230), 2));
  p.drawLine(QPointF(lb.right() - 4, lb.top() + 2), QPointF(lb.right() + 26, lb.top() - 22));
  // The rowing boat on the floor.
  QPainterPath hull;
  hull.moveTo(70, 390);
  hull.cubicTo(140, 460, 380, 470, 470, 400);
  hull.lineTo(480, 380);
  hull.cubicTo(360, 400, 160, 400, 60, 372);
  hull.closeSubpath();
  QLinearGradient hg(QPointF(0, 372), QPointF(0, 460));
  hg.setColorAt(0, QColor(60, 110, 140));
  hg.setColorAt(1, QColor(24, 50, 70));
  p.setBrush(hg);
  p.setPen(QPen(QColor(20, 30, 40), 2));
  p.drawPath(hull);
  p.setPen(QPen(QColor(240, 230, 210), 4));
  QPainterPath rim;
  rim.moveTo(62, 374);
  rim.cubicTo(160, 402, 360, 402, 478, 382);
  p.setBrush(Qt::NoBrush);
  p.drawPath(rim);
  p.setPen(QColor(250, 240, 220));
  p.setFont(QFont("DejaVu Serif", 11, QFont::Bold, true));
  p.drawText(QRectF(200, 412, 160, 24), Qt::AlignCenter, "Marigold");
  // Oars against the wall.
  p.setPen(QPen(QColor(150, 110, 70), 5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(420, 120), QPointF(452, 356));
  p.drawLine(QPointF(440, 116), QPointF(462, 356));
  p.setBrush(QColor(150, 110, 70));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(420, 112), 8, 26);
  p.drawEllipse(QPointF(440, 108), 8, 26);
  // The nail the spare wick hangs from (the wick itself is a hotspot picture).
  p.setBrush(QColor(30, 26, 24));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(layout::kWick.x() + 22, layout::kWick.y() + 4), 2.2, 2.2);
  // Coiled rope on a hook.
  p.setPen(QPen(QColor(196, 170, 120), 3));
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < 4; ++i) p.drawEllipse(QPointF(590, 150 + i * 2), 22 - i * 2, 30 - i * 2);
  // The lever: an iron plate with a slot and a handle, up or pulled down.
  const QRect lv = layout::kLever;
  p.setBrush(QColor(70, 72, 80));
  p.setPen(QPen(QColor(30, 30, 36), 2));
  p.drawRoundedRect(QRectF(lv), 6, 6);
  p.setBrush(QColor(20, 20, 24));
  p.drawRoundedRect(QRectF(lv.center().x() - 4, lv.top() + 16, 8, lv.height() - 32), 3, 3);
  for (QPointF bolt : {QPointF(lv.left() + 8, lv.top() + 8), QPointF(lv.right() - 8, lv.top() + 8),
                       QPointF(lv.left() + 8, lv.bottom() - 8), QPointF(lv.right() - 8, lv.bottom() - 8)}) {
    p.setBrush(QColor(140, 140, 150));
    p.setPen(Qt::NoPen);
    p.drawEllipse(bolt, 3, 3);
  }
  QPointF pivot(lv.center().x(), leverDown ? lv.bottom() - 20 : lv.top() + 20);
  QPointF knob = pivot + QPointF(-2, leverDown ? 8 : -8);
  p.setPen(QPen(QColor(150, 150, 160), 5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(pivot, knob);
  QRadialGradient ball(knob + QPointF(-3, -3), 12);
  ball.setColorAt(0, QColor(250, 110, 100));
  ball.setColorAt(1, QColor(140, 20, 20));
  p.setBrush(ball);
  p.setPen(QPen(QColor(80, 10, 10), 1));
  p.drawEllipse(knob, 9, 9);
  // A chain from the plate up through the roof, taut when pulled.
  p.setPen(QPen(QColor(110, 110, 120), 2, leverDown ? Qt::SolidLine : Qt::DotLine));
  p.drawLine(QPointF(lv.center().x() + 20, lv.top()), QPointF(lv.center().x() + 20, 30));
  p.fillRect(QRect(0, 0, W, 30), QColor(0, 0, 0, 0));
  // Lantern hanging from a beam, glowing.
  p.setPen(QPen(QColor(30, 20, 20), 2));
  p.drawLine(QPointF(340, 30), QPointF(340, 70));
  Glow(p, QPointF(340, 86), 70, QColor(255, 200, 110, 90));
  p.setBrush(QColor(40, 30, 28));
  p.setPen(Qt::NoPen);
  p.drawRect(QRectF(330, 70, 20, 6));
  p.setBrush(QColor(255, 214, 130));
  p.drawRect(QRectF(332, 76, 16, 20));
  p.setBrush(QColor(40, 30, 28));
  p.drawRect(QRectF(330, 96, 20, 4));
}

QImage MatchesPicture() {
  QImage img = NewImage(46, 26, true);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QRectF tin(2, 4, 42, 20);
  QLinearGradient g(tin.topLeft(), tin.bottomLeft());
  g.setColorAt(0, QColor(230, 70, 60));
  g.setColorAt(1, QColor(140, 26, 24));
  p.setBrush(g);
  p.setPen(QPen(QColor(70, 14, 14), 1.2));
  p.drawRoundedRect(tin, 3, 3);
  p.setBrush(QColor(250, 220, 120));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(23, 14), 9, 6);
  p.setPen(QColor(120, 20, 20));
  p.setFont(QFont("DejaVu Sans", 5, QFont::Bold));
  p.drawText(QRectF(14, 9, 18, 10), Qt::AlignCenter, "FIRE");
  // Two matches sticking out.
  p.setPen(QPen(QColor(240, 220, 170), 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(34, 6), QPointF(40, 1));
  p.setBrush(QColor(170, 40, 40));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(40.5, 1.5), 1.6, 1.6);
  return img;
}

QImage PaperTile() {
  QImage img = NewImage(128, 128);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(img.rect(), QColor(238, 226, 196));
  Rng rng(59);
  // Fibres and stains that wrap around the edges so the tile repeats without seams.
  for (int i = 0; i < 500; ++i) {
    QPointF at(Rand(rng, 0, 128), Rand(rng, 0, 128));
    QColor c = rng() % 3 ? QColor(180, 150, 110, 30) : QColor(255, 250, 235, 50);
    p.setPen(QPen(c, Rand(rng, 0.5, 1.2)));
    QPointF d(Rand(rng, -6, 6), Rand(rng, -2, 2));
    for (int dx : {-128, 0, 128})
      for (int dy : {-128, 0, 128}) p.drawLine(at + QPointF(dx, dy), at + d + QPointF(dx, dy));
  }
  for (int i = 0; i < 3; ++i) {
    QPointF at(Rand(rng, 0, 128), Rand(rng, 0, 128));
    for (int dx : {-128, 0, 128})
      for (int dy : {-128, 0, 128}) Glow(p, at + QPointF(dx, dy), Rand(rng, 14, 30), QColor(190, 150, 100, 30));
  }
  // Ruled lines every 32 pixels, so they continue from tile to tile.
  p.setPen(QPen(QColor(120, 140, 190, 90), 1));
  for (int y = 24; y < 128; y += 32) p.drawLine(QPointF(0, y + 0.5), QPointF(128, y + 0.5));
  return img;
}

// Looking up the spiral stair: steps wind round a dark well towards a glow above.
void PaintStairs(QPainter& p) {
  p.fillRect(QRect(0, 0, W, H), QColor(26, 22, 30));
  const QPointF c(330, 220);
  QRadialGradient wall(c, 420);
  wall.setColorAt(0, QColor(60, 52, 58));
  wall.setColorAt(1, QColor(16, 14, 20));
  p.fillRect(QRect(0, 0, W, H), wall);
  Rng rng(71);
  // Stone courses of the round wall.
  p.setPen(QPen(QColor(0, 0, 0, 70), 1.2));
  p.setBrush(Qt::NoBrush);
  for (double r = 60; r < 480; r *= 1.18) p.drawEllipse(c, r, r * 0.9);
  // The steps: wedges of a spiral, each a bit smaller and darker towards the top.
  int steps = 40;
  for (int i = steps - 1; i >= 0; --i) {
    double t = double(i) / steps;
    double r0 = 40 + 330 * std::pow(t, 1.35), r1 = r0 + 30 + 70 * t;
    double a0 = -i * 26.0, a1 = a0 - 24;
    QPainterPath wedge;
    QRectF inner(c.x() - r0, c.y() - r0 * 0.9, r0 * 2, r0 * 1.8);
    QRectF outer(c.x() - r1, c.y() - r1 * 0.9, r1 * 2, r1 * 1.8);
    wedge.arcMoveTo(inner, a0);
    wedge.arcTo(inner, a0, a1 - a0);
    wedge.arcTo(outer, a1, a0 - a1);
    wedge.closeSubpath();
    int light = int(60 + 120 * t);
    p.setPen(QPen(QColor(20, 16, 20), 1.5));
    p.setBrush(QColor(light + 10, light, light - 10 + int(Rand(rng, -6, 6))));
    p.drawPath(wedge);
  }
  // The well in the middle, lit from the lamp room far above.
  Glow(p, c, 60, QColor(255, 220, 150, 210));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 236, 190));
  p.drawEllipse(c, 14, 12);
  // An iron handrail following the steps.
  QPainterPath rail;
  for (int i = 0; i <= 400; ++i) {
    double t = i / 400.0;
    double r = 40 + 330 * std::pow(t, 1.35) + 6;
    double a = -(t * steps) * 26.0 * M_PI / 180.0;
    QPointF pt(c.x() + r * std::cos(a), c.y() - r * 0.9 * std::sin(a));
    if (i == 0) rail.moveTo(pt);
    else rail.lineTo(pt);
  }
  p.setPen(QPen(QColor(20, 18, 22), 3));
  p.setBrush(Qt::NoBrush);
  p.drawPath(rail);
  Vertical(p, QRectF(0, 0, W, 90), {{0, QColor(0, 0, 0, 140)}, {1, QColor(0, 0, 0, 0)}});
}

// The lamp room at night: glass panes all round, the sea far below, the great lens.
void PaintLampRoom(QPainter& p, bool lit) {
  Rng rng(83);
  Vertical(p, QRectF(0, 0, W, 300),
           {{0, QColor(8, 10, 34)}, {0.7, QColor(24, 30, 76)}, {1, QColor(50, 50, 100)}});
  Stars(p, rng, QRectF(0, 0, W, 280), 260, 1.0);
  // Moon.
  Glow(p, QPointF(540, 80), 60, QColor(220, 230, 255, 70));
  p.setBrush(QColor(240, 240, 226));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(540, 80), 20, 20);
  p.setBrush(QColor(210, 210, 200));
  p.drawEllipse(QPointF(534, 74), 4, 4);
  p.drawEllipse(QPointF(548, 88), 3, 3);
  // The sea, far below.
  Vertical(p, QRectF(0, 250, W, 90), {{0, QColor(30, 40, 80)}, {1, QColor(10, 14, 36)}});
  Waves(p, rng, QRectF(0, 252, W, 80), 540, QColor(60, 80, 140), QColor(230, 230, 240), 120);
  // A ship's lights far out (to the left of the lamp).
  p.setBrush(QColor(255, 230, 150));
  p.drawEllipse(QPointF(110, 262), 2, 2);
  p.setBrush(QColor(255, 80, 70));
  p.drawEllipse(QPointF(124, 263), 1.6, 1.6);
  p.setPen(QPen(QColor(20, 20, 30), 2));
  p.drawLine(QPointF(104, 266), QPointF(132, 266));
  p.drawLine(QPointF(117, 266), QPointF(117, 248));
  if (lit) {
    // Beams sweeping out over the sea.
    const QPointF lens(320, 220);
    for (auto [angle, spread, alpha] : {std::tuple{188.0, 4.0, 130}, std::tuple{-8.0, 4.0, 130},
                                        std::tuple{170.0, 2.5, 60}, std::tuple{10.0, 2.5, 60}}) {
      QPainterPath beam;
      beam.moveTo(lens);
      double a0 = (angle - spread) * M_PI / 180, a1 = (angle + spread) * M_PI / 180;
      beam.lineTo(lens + QPointF(std::cos(a0) * 700, -std::sin(a0) * 700));
      beam.lineTo(lens + QPointF(std::cos(a1) * 700, -std::sin(a1) * 700));
      beam.closeSubpath();
      QRadialGradient g(lens, 640);
      g.setColorAt(0, QColor(255, 240, 180, alpha));
      g.setColorAt(1, QColor(255, 240, 180, 0));
      p.setPen(Qt::NoPen);
      p.setBrush(g);
      p.drawPath(beam);
    }
    // The light on the water.
    for (int i = 0; i < 60; ++i) {
      double x = Rand(rng, 0, 250), y = Rand(rng, 256, 330);
      p.setPen(QPen(QColor(255, 240, 190, 160), 1.2));
      p.drawLine(QPointF(x, y), QPointF(x + Rand(rng, 4, 14), y));
    }
  }
  // Window frames (mullions) and the sill.
  p.setPen(QPen(QColor(20, 22, 30), 10));
  for (int x = 0; x <= W; x += 160) p.drawLine(QPointF(x, 0), QPointF(x, 330));
  p.setPen(QPen(QColor(20, 22, 30), 6));
  p.drawLine(QPointF(0, 130), QPointF(W, 130));
  QRectF sill(0, 330, W, 30);
  Vertical(p, sill, {{0, QColor(120, 110, 110)}, {1, QColor(60, 54, 58)}});
  // Floor: iron plates.
  Vertical(p, QRectF(0, 360, W, 120), {{0, QColor(50, 46, 50)}, {1, QColor(20, 18, 22)}});
  p.setPen(QPen(QColor(10, 10, 12), 1.5));
  for (int i = -10; i <= 10; ++i) p.drawLine(QPointF(320 + i * 30, 360), QPointF(320 + i * 110, 480));
  for (double y : {380.0, 410.0, 450.0}) p.drawLine(QPointF(0, y), QPointF(W, y));
  // Brass pedestal.
  QPolygonF ped;
  ped << QPointF(270, 430) << QPointF(370, 430) << QPointF(350, 330) << QPointF(290, 330);
  QLinearGradient brass(QPointF(270, 0), QPointF(370, 0));
  brass.setColorAt(0, QColor(110, 76, 30));
  brass.setColorAt(0.4, QColor(230, 190, 100));
  brass.setColorAt(1, QColor(90, 60, 24));
  p.setBrush(brass);
  p.setPen(QPen(QColor(60, 40, 16), 2));
  p.drawPolygon(ped);
  p.drawRect(QRectF(250, 430, 140, 14));
  // The lens: a beehive of glass rings around the lamp.
  QRectF lens(250, 110, 140, 220);
  if (lit) Glow(p, lens.center(), 220, QColor(255, 230, 140, 170));
  for (int i = 0; i < 11; ++i) {
    double y = lens.top() + i * lens.height() / 11;
    double bulge = std::sin(M_PI * (i + 0.5) / 11);
    double half = 42 + 28 * bulge;
    QRectF ring(lens.center().x() - half, y, half * 2, lens.height() / 11 + 1);
    QLinearGradient glass(ring.topLeft(), ring.topRight());
    if (lit) {
      glass.setColorAt(0, QColor(255, 200, 100));
      glass.setColorAt(0.5, QColor(255, 252, 230));
      glass.setColorAt(1, QColor(240, 170, 80));
    } else {
      glass.setColorAt(0, QColor(60, 80, 110));
      glass.setColorAt(0.45, QColor(190, 210, 230));
      glass.setColorAt(0.55, QColor(120, 150, 180));
      glass.setColorAt(1, QColor(40, 56, 80));
    }
    p.setBrush(glass);
    p.setPen(QPen(lit ? QColor(200, 140, 60) : QColor(30, 40, 60), 1));
    p.drawRoundedRect(ring, 6, 6);
  }
  // The brass band around the lens' middle and the cap.
  p.setBrush(brass);
  p.setPen(QPen(QColor(60, 40, 16), 1.5));
  p.drawRect(QRectF(lens.left() - 4, lens.center().y() - 5, lens.width() + 8, 10));
  QPainterPath cap;
  cap.moveTo(lens.left() + 20, lens.top() + 2);
  cap.quadTo(lens.center().x(), lens.top() - 40, lens.right() - 20, lens.top() + 2);
  cap.closeSubpath();
  p.drawPath(cap);
  if (lit) {
    Glow(p, lens.center(), 40, QColor(255, 255, 240, 230));
  } else {
    // The dark wick in the middle.
    p.setBrush(QColor(40, 30, 24));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(lens.center().x() - 3, lens.center().y() - 18, 6, 14));
  }
  // The keeper's chair.
  p.setPen(QPen(QColor(50, 30, 20), 4));
  p.drawLine(QPointF(90, 440), QPointF(96, 380));
  p.drawLine(QPointF(140, 440), QPointF(136, 380));
  p.setBrush(QColor(110, 70, 44));
  p.setPen(QPen(QColor(50, 30, 20), 2));
  p.drawRect(QRectF(84, 374, 62, 10));
  p.drawRect(QRectF(84, 320, 8, 56));
  // (The oil can by the wall is a hotspot picture, OilCanPicture, so it can be taken.)
  if (lit) p.fillRect(QRect(0, 0, W, H), QColor(255, 200, 100, 18));
}

// The title card's picture: the lighthouse by moonlight in a gilt oval frame.
QImage TitleArt() {
  const QRect r = layout::kTitleArt;
  QImage img = NewImage(r.width(), r.height(), true);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QRectF oval(8, 8, r.width() - 16, r.height() - 16);
  QPainterPath clip;
  clip.addEllipse(oval);
  p.save();
  p.setClipPath(clip);
  Rng rng(97);
  Vertical(p, QRectF(0, 0, r.width(), 130),
           {{0, QColor(14, 18, 50)}, {0.7, QColor(60, 50, 110)}, {1, QColor(150, 90, 130)}});
  Stars(p, rng, QRectF(0, 0, r.width(), 110), 90, 1.0);
  Glow(p, QPointF(80, 50), 40, QColor(230, 230, 255, 90));
  p.setBrush(QColor(246, 244, 230));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(80, 50), 13, 13);
  Vertical(p, QRectF(0, 128, r.width(), 80), {{0, QColor(70, 60, 120)}, {1, QColor(14, 18, 44)}});
  Waves(p, rng, QRectF(0, 130, r.width(), 70), 80, QColor(110, 110, 180), QColor(240, 240, 255));
  QPainterPath rock;
  rock.moveTo(150, 200);
  rock.cubicTo(170, 150, 200, 140, 230, 138);
  rock.cubicTo(260, 140, 280, 160, 300, 200);
  rock.closeSubpath();
  p.setBrush(QColor(24, 20, 36));
  p.drawPath(rock);
  Lighthouse(p, QPointF(226, 142), 120, true, {}, QColor(40, 30, 90, 90));
  // Beam over the sea.
  QPainterPath beam;
  QPointF src(226, 70);
  beam.moveTo(src);
  beam.lineTo(0, 40);
  beam.lineTo(0, 96);
  beam.closeSubpath();
  QLinearGradient bg(src, QPointF(0, 70));
  bg.setColorAt(0, QColor(255, 240, 180, 150));
  bg.setColorAt(1, QColor(255, 240, 180, 0));
  p.setBrush(bg);
  p.drawPath(beam);
  p.restore();
  QLinearGradient gilt(QPointF(0, 0), QPointF(r.width(), r.height()));
  gilt.setColorAt(0, QColor(250, 220, 130));
  gilt.setColorAt(0.5, QColor(170, 120, 40));
  gilt.setColorAt(1, QColor(250, 210, 120));
  p.setPen(QPen(QBrush(gilt), 8));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(oval);
  p.setPen(QPen(QColor(90, 60, 20), 1.5));
  p.drawEllipse(oval.adjusted(-4, -4, 4, 4));
  p.drawEllipse(oval.adjusted(4, 4, -4, -4));
  return img;
}

// Start-up window pictures: three buttons and a background tile.
QImage Button(const QString& caption) {
  QImage img = NewImage(176, 30);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(img.rect(), QColor(18, 22, 52));
  QRectF r(1, 1, 174, 28);
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, QColor(250, 222, 140));
  g.setColorAt(0.5, QColor(214, 160, 70));
  g.setColorAt(1, QColor(150, 96, 36));
  p.setBrush(g);
  p.setPen(QPen(QColor(80, 50, 20), 1.5));
  p.drawRoundedRect(r, 13, 13);
  p.setPen(QColor(255, 250, 230, 120));
  p.drawLine(QPointF(14, 4), QPointF(162, 4));
  p.setFont(QFont("DejaVu Serif", 11, QFont::Bold));
  p.setPen(QColor(255, 244, 214, 160));
  p.drawText(r.translated(0, 1), Qt::AlignCenter, caption);
  p.setPen(QColor(60, 30, 10));
  p.drawText(r, Qt::AlignCenter, caption);
  return img;
}

QImage SchemeTile() {
  QImage img = NewImage(64, 64);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(img.rect(), QColor(18, 22, 52));
  Rng rng(5);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 10; ++i) {
    QPointF at(Rand(rng, 2, 62), Rand(rng, 2, 62));
    p.setBrush(QColor(255, 250, 220, int(Rand(rng, 50, 180))));
    double r = Rand(rng, 0.5, 1.1);
    p.drawEllipse(at, r, r);
  }
  return img;
}

// Pointers: the game's pointer, a gilt arrow; the way-in pointer, a lantern-yellow footprint
// arrow pointing up for hotspots that lead somewhere.
QImage ArrowPointer() {
  QImage img = NewImage(32, 32, true);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QPolygonF arrow;
  arrow << QPointF(2, 2) << QPointF(2, 24) << QPointF(8, 18.5) << QPointF(12.5, 28.5) << QPointF(16.5, 26.5)
        << QPointF(12, 17) << QPointF(20, 17);
  QLinearGradient g(QPointF(2, 2), QPointF(18, 26));
  g.setColorAt(0, QColor(255, 240, 170));
  g.setColorAt(1, QColor(210, 140, 40));
  p.setBrush(g);
  p.setPen(QPen(QColor(50, 26, 10), 1.4, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.drawPolygon(arrow);
  return img;
}

QImage WayInPointer() {
  QImage img = NewImage(32, 32, true);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QPolygonF arrow;
  arrow << QPointF(16, 2) << QPointF(29, 15) << QPointF(21, 15) << QPointF(21, 29) << QPointF(11, 29)
        << QPointF(11, 15) << QPointF(3, 15);
  QLinearGradient g(QPointF(0, 2), QPointF(0, 29));
  g.setColorAt(0, QColor(255, 250, 200));
  g.setColorAt(1, QColor(240, 170, 50));
  p.setBrush(g);
  p.setPen(QPen(QColor(60, 30, 10), 1.6, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.drawPolygon(arrow);
  return img;
}

QImage Scene(void (*paint)(QPainter&, bool), bool flag) {
  QImage img = NewImage(W, H);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  paint(p, flag);
  return img;
}

QImage Scene(void (*paint)(QPainter&)) {
  QImage img = NewImage(W, H);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  paint(p);
  return img;
}

// ---------------------------------------------------------------------------------------
// Inventory: the things that can be carried, drawn once at their size in the scene and again
// as 32 x 32 icons for the bar.

// A coil of flat lamp wick hanging from a nail, in a 44 x 52 box (the nail at 22, 4).
// Oiled, it turns amber and glossy, with a drop at its loose end.
void DrawWick(QPainter& p, bool oiled) {
  const QColor edge = oiled ? QColor(110, 64, 16) : QColor(120, 110, 90);
  const QColor face = oiled ? QColor(226, 168, 70) : QColor(246, 240, 222);
  const QColor shine = oiled ? QColor(255, 236, 170) : QColor(255, 255, 250);
  // The string loop over the nail.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(90, 70, 50), 1.4));
  p.drawLine(QPointF(22, 4), QPointF(15, 15));
  p.drawLine(QPointF(22, 4), QPointF(29, 15));
  // The coil: a spiral of tape, drawn twice (dark edge, then the face).
  QPainterPath spiral;
  const QPointF c(22, 28);
  for (int i = 0; i <= 180; ++i) {
    double t = i / 180.0;
    double a = t * 3.0 * 2 * M_PI;
    double r = 3.0 + 14.0 * t;
    QPointF at(c.x() + std::cos(a) * r, c.y() + std::sin(a) * r * 0.92);
    if (i == 0) spiral.moveTo(at); else spiral.lineTo(at);
  }
  // The loose end hangs down.
  spiral.cubicTo(QPointF(38, 40), QPointF(30, 44), QPointF(33, 50));
  p.setPen(QPen(edge, 5.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(spiral);
  p.setPen(QPen(face, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(spiral);
  p.setPen(QPen(shine, 0.9));
  p.drawArc(QRectF(c.x() - 12, c.y() - 12, 24, 22), 100 * 16, 60 * 16);
  if (oiled) {
    QPainterPath drop;
    drop.moveTo(33, 46);
    drop.cubicTo(36, 50, 36, 52, 33, 52);
    drop.cubicTo(30, 52, 30, 50, 33, 46);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 130, 30));
    p.drawPath(drop);
  }
}

// An oil can with a long spout, in a 60 x 58 box, standing on its base at the bottom.
void DrawOilCan(QPainter& p) {
  const QPen outline(QColor(20, 40, 26), 1.6);
  // Handle on the left.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(20, 40, 26), 5, Qt::SolidLine, Qt::RoundCap));
  p.drawArc(QRectF(2, 24, 16, 22), 90 * 16, 180 * 16);
  p.setPen(QPen(QColor(70, 120, 84), 3, Qt::SolidLine, Qt::RoundCap));
  p.drawArc(QRectF(2, 24, 16, 22), 90 * 16, 180 * 16);
  // Spout, from the shoulder up to the right.
  QPolygonF spout;
  spout << QPointF(36, 26) << QPointF(57, 4) << QPointF(59, 6) << QPointF(40, 32);
  p.setBrush(QColor(190, 160, 90));
  p.setPen(QPen(QColor(70, 50, 20), 1.2));
  p.drawPolygon(spout);
  // Body and shoulder.
  QRectF body(8, 26, 36, 30);
  QLinearGradient g(body.topLeft(), body.topRight());
  g.setColorAt(0, QColor(34, 76, 48));
  g.setColorAt(0.35, QColor(96, 160, 110));
  g.setColorAt(1, QColor(26, 60, 38));
  p.setBrush(g);
  p.setPen(outline);
  QPolygonF shoulder;
  shoulder << QPointF(10, 27) << QPointF(19, 15) << QPointF(33, 15) << QPointF(42, 27);
  p.drawPolygon(shoulder);
  p.drawRoundedRect(body, 3, 3);
  // Brass cap and a label band.
  p.setBrush(QColor(214, 176, 90));
  p.drawRoundedRect(QRectF(21, 9, 10, 7), 2, 2);
  p.setBrush(QColor(236, 222, 180));
  p.setPen(QPen(QColor(60, 50, 30), 1));
  p.drawRect(QRectF(12, 36, 28, 11));
  p.setPen(QColor(120, 30, 20));
  p.setFont(QFont("DejaVu Sans", 5, QFont::Bold));
  p.drawText(QRectF(12, 36, 28, 11), Qt::AlignCenter, "OIL");
}

QImage WickPicture() {
  QImage img = NewImage(44, 52, true);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  DrawWick(p, false);
  return img;
}

QImage OilCanPicture() {
  QImage img = NewImage(60, 58, true);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  DrawOilCan(p);
  return img;
}

// Starts painting a new transparent 32 x 32 icon.
void NewIcon(QPainter& p, QImage& img) {
  img = NewImage(32, 32, true);
  p.begin(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
}

QImage ShellIcon() {
  QImage img;
  QPainter p;
  NewIcon(p, img);
  p.drawImage(QRectF(0, 4, 32, 24.6), ShellPicture());
  p.end();
  return img;
}

QImage MatchesIcon() {
  QImage img;
  QPainter p;
  NewIcon(p, img);
  // Three matches standing out of the open tin.
  for (auto [x0, x1, y1] : {std::tuple{11.0, 8.0, 4.0}, std::tuple{16.0, 16.0, 2.5}, std::tuple{21.0, 24.0, 4.0}}) {
    p.setPen(QPen(QColor(240, 214, 160), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(x0, 16), QPointF(x1, y1 + 2));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(190, 30, 30));
    p.drawEllipse(QPointF(x1, y1 + 1), 2.2, 2.6);
  }
  QRectF tin(3, 13, 26, 16);
  QLinearGradient g(tin.topLeft(), tin.bottomLeft());
  g.setColorAt(0, QColor(236, 80, 66));
  g.setColorAt(1, QColor(130, 22, 20));
  p.setBrush(g);
  p.setPen(QPen(QColor(60, 10, 10), 1.2));
  p.drawRoundedRect(tin, 3, 3);
  p.setBrush(QColor(250, 220, 120));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(16, 21), 8, 5);
  p.setPen(QPen(QColor(150, 30, 20), 1.4));
  p.drawLine(QPointF(12, 21), QPointF(20, 21));
  p.end();
  return img;
}

QImage WickIcon(bool oiled) {
  QImage img;
  QPainter p;
  NewIcon(p, img);
  p.translate(1, -1);
  p.scale(30.0 / 44.0, 34.0 / 52.0);
  DrawWick(p, oiled);
  p.end();
  return img;
}

QImage OilCanIcon() {
  QImage img;
  QPainter p;
  NewIcon(p, img);
  p.translate(0, 1);
  p.scale(32.0 / 60.0, 31.0 / 58.0);
  DrawOilCan(p);
  p.end();
  return img;
}

// The inventory button: a satchel on a dark plate with a brass rim.
QImage InventoryButton() {
  QImage img;
  QPainter p;
  NewIcon(p, img);
  p.setBrush(QColor(26, 20, 18, 215));
  p.setPen(QPen(QColor(214, 170, 84), 1.4));
  p.drawRoundedRect(QRectF(0.7, 0.7, 30.6, 30.6), 6, 6);
  // Strap over the top.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(70, 40, 20), 3));
  p.drawArc(QRectF(9, 4, 14, 14), 0, 180 * 16);
  p.setPen(QPen(QColor(150, 96, 50), 1.6));
  p.drawArc(QRectF(9, 4, 14, 14), 0, 180 * 16);
  // Bag body and flap.
  QRectF bag(5, 11, 22, 16);
  QLinearGradient g(bag.topLeft(), bag.bottomLeft());
  g.setColorAt(0, QColor(176, 110, 56));
  g.setColorAt(1, QColor(104, 58, 26));
  p.setBrush(g);
  p.setPen(QPen(QColor(54, 28, 12), 1.2));
  p.drawRoundedRect(bag, 4, 4);
  QPainterPath flap;
  flap.moveTo(5, 14);
  flap.lineTo(27, 14);
  flap.lineTo(27, 18);
  flap.quadTo(16, 24, 5, 18);
  flap.closeSubpath();
  p.setBrush(QColor(132, 76, 36));
  p.drawPath(flap);
  p.setBrush(QColor(240, 200, 100));
  p.setPen(QPen(QColor(90, 60, 10), 0.8));
  p.drawRect(QRectF(14, 18.5, 4, 4));
  p.end();
  return img;
}

// The bar's background: two rows of cubby-holes in dark driftwood, with a brass rail along
// the bottom. The player keeps its bottom on the bar's bottom, so with one row of items the
// lower row of holes shows (holes sit at 10 and 52 pixels, the places of icon rows 1 and 2).
QImage InventoryBarPicture() {
  const int w = 640, h = 94;
  QImage img = NewImage(w, h);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  Rng rng(121);
  for (int y = 0; y < h; y += 21) {  // planks
    int tone = int(Rand(rng, -8, 8));
    Vertical(p, QRectF(0, y, w, 21), {{0, QColor(78 + tone, 58 + tone, 42 + tone)},
                                      {0.5, QColor(92 + tone, 70 + tone, 50 + tone)},
                                      {1, QColor(62 + tone, 46 + tone, 34 + tone)}});
    p.fillRect(QRectF(0, y, w, 1), QColor(30, 20, 14));
    p.setPen(QPen(QColor(50, 36, 26, 110), 1));
    for (int k = 0; k < 3; ++k) {
      double gy = y + Rand(rng, 4, 17);
      QPainterPath grain;
      grain.moveTo(0, gy);
      grain.cubicTo(200, gy + Rand(rng, -3, 3), 420, gy + Rand(rng, -3, 3), w, gy);
      p.drawPath(grain);
    }
  }
  Grain(p, rng, QRectF(0, 0, w, h), 900, 0.10);
  for (int row = 0; row < 2; ++row) {
    for (int col = 0; col < 15; ++col) {
      QRectF hole(10 + col * 42 - 3, 10 + row * 42 - 3, 38, 38);
      p.setPen(QPen(QColor(150, 112, 66), 1));  // lit lower edge
      p.setBrush(Qt::NoBrush);
      p.drawRoundedRect(hole.translated(0.5, 0.8), 5, 5);
      QLinearGradient g(hole.topLeft(), hole.bottomLeft());
      g.setColorAt(0, QColor(18, 12, 10));
      g.setColorAt(0.3, QColor(38, 28, 22));
      g.setColorAt(1, QColor(50, 38, 30));
      p.setBrush(g);
      p.setPen(QPen(QColor(20, 12, 8), 1));
      p.drawRoundedRect(hole, 5, 5);
    }
  }
  QRectF rail(0, h - 5, w, 5);
  Vertical(p, rail, {{0, QColor(250, 220, 140)}, {0.5, QColor(200, 150, 60)}, {1, QColor(90, 60, 20)}});
  for (int x = 21; x < w; x += 42) {  // rivets
    p.setBrush(QColor(255, 236, 180));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(x, h - 2.5), 1.2, 1.2);
  }
  return img;
}

// Writes an item icon and reads it back through Qt's icon reader, as the player does.
void Icon(const QImage& img, const QString& rel) {
  Report(rel, SaveIconFile(img, false, QPoint(), g_root + "/" + rel));
  QImageReader reader(g_root + "/" + rel, "ico");
  QImage back = reader.read();
  if (back.isNull() || back.width() != 32 || back.height() != 32 || !back.hasAlphaChannel()) {
    std::fprintf(stderr, "%s does not read back: %s\n", qPrintable(rel), qPrintable(reader.errorString()));
    ++g_failures;
  }
}

// Reads a written pointer back through Qt's icon reader, as the player does.
void CheckCursor(const QString& rel, QPoint hot) {
  QFile f(g_root + "/" + rel);
  f.open(QIODevice::ReadOnly);
  QByteArray bytes = f.readAll();
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "ico");
  QImage back = reader.read();
  int hx = uint8_t(bytes[10]) | uint8_t(bytes[11]) << 8, hy = uint8_t(bytes[12]) | uint8_t(bytes[13]) << 8;
  if (back.isNull() || back.width() != 32 || hx != hot.x() || hy != hot.y()) {
    std::fprintf(stderr, "%s does not read back: %s\n", qPrintable(rel), qPrintable(reader.errorString()));
    ++g_failures;
  }
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_demo_pictures GAME_FOLDER\n");
    return 2;
  }
  g_root = QString::fromLocal8Bit(argv[1]);
  for (const char* sub : {"Frames", "Areas", "Icons", "Inventory", "Schemes/Lighthouse"}) QDir(g_root).mkpath(sub);

  // Backgrounds.
  Jpg(Scene(PaintBeach), "Frames/beach.jpg");
  Jpg(Scene(PaintPath), "Frames/path.jpg");
  Jpg(Scene(PaintDoor, false), "Frames/door.jpg");
  Jpg(Scene(PaintBoathouse, false), "Frames/boathouse.jpg");
  Jpg(Scene(PaintStairs), "Frames/stairs.jpg");
  Jpg(Scene(PaintLampRoom, false), "Frames/lamproom.jpg");
  Jpg(Scene(PaintLampRoom, true), "Frames/lamplit.jpg");
  Jpg(PaperTile(), "Frames/paper.jpg", 90);

  // Hotspot pictures. The open door and the pulled lever are cut from the same scene drawn
  // in its other state, so they fit their place exactly.
  Bmp(Scene(PaintDoor, true).copy(layout::kDoor), "Areas/door_open.bmp");
  Bmp(Scene(PaintBoathouse, true).copy(layout::kLever), "Areas/lever_down.bmp");
  Gif(ShellPicture(), "Areas/shell.gif");
  Gif(MatchesPicture(), "Areas/matches.gif");
  Gif(ArrowPicture(false), "Areas/arrow_back.gif");
  Gif(ArrowPicture(true), "Areas/arrow_down.gif");
  Gif(TitleArt(), "Areas/title_art.gif");
  Gif(WickPicture(), "Areas/wick.gif");
  Gif(OilCanPicture(), "Areas/oilcan.gif");

  // Inventory items' icons (named by the ".obj" files in Areas), the bar's button and background.
  Icon(ShellIcon(), "Areas/icon_shell.ico");
  Icon(MatchesIcon(), "Areas/icon_matches.ico");
  Icon(WickIcon(false), "Areas/icon_wick.ico");
  Icon(OilCanIcon(), "Areas/icon_oilcan.ico");
  Icon(WickIcon(true), "Areas/icon_oiledwick.ico");
  Gif(InventoryButton(), "Inventory/satchel.gif");
  Jpg(InventoryBarPicture(), "Inventory/shelf.jpg", 88);

  // Pointers.
  Report("Icons/lantern.cur", SaveCursor(ArrowPointer(), QPoint(2, 2), g_root + "/Icons/lantern.cur"));
  CheckCursor("Icons/lantern.cur", QPoint(2, 2));
  Report("Icons/wayin.cur", SaveCursor(WayInPointer(), QPoint(16, 2), g_root + "/Icons/wayin.cur"));
  CheckCursor("Icons/wayin.cur", QPoint(16, 2));

  // Start-up window scheme.
  Bmp(Button("Start New Game"), "Schemes/Lighthouse/start.bmp");
  Bmp(Button("Load Game..."), "Schemes/Lighthouse/load.bmp");
  Bmp(Button("Exit"), "Schemes/Lighthouse/exit.bmp");
  Bmp(SchemeTile(), "Schemes/Lighthouse/stars.bmp");

  return g_failures == 0 ? 0 : 1;
}
