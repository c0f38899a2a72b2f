// Metafile pictures: wmf and emf files written record by record, loaded as pictures and
// checked pixel by pixel; the size rules; damaged files next to their sound originals.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>

#include "platform/Canvas.h"
#include "platform/GuiForPainting.h"
#include "platform/Picture.h"
#include "support/MetafileWriter.h"
#include "vbscript/VbError.h"

namespace tw::platform {
namespace {

using test::Bytes;
using test::EmfWriter;
using test::MakeDib;
using test::Rgb;
using test::WmfWriter;

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kRed = 0xFFFF0000u;
constexpr std::uint32_t kGreen = 0xFF00FF00u;
constexpr std::uint32_t kBlue = 0xFF0000FFu;
constexpr std::uint32_t kYellow = 0xFFFFFF00u;

int Error(const Bytes& bytes) {
  try {
    Picture::decode(bytes);
  } catch (const vbs::VbError& e) {
    return e.number();
  }
  return 0;
}

// Dark pixels (all channels below 128) of a picture inside a rectangle.
int DarkPixels(const Picture& pic, int x0, int y0, int x1, int y1) {
  int dark = 0;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const std::uint32_t c = pic.pixel(x, y);
      if ((c >> 24) == 0xFF && ((c >> 16) & 0xFF) < 128 && ((c >> 8) & 0xFF) < 128 &&
          (c & 0xFF) < 128) {
        ++dark;
      }
    }
  }
  return dark;
}

// The same scene in both formats, in picture pixels: white ground, a red rectangle
// (10,10)-(50,40), a blue triangle (60,10) (90,10) (60,40), a green line 3 pixels wide along
// y = 70 from x = 10 to 90.
void ExpectScene(const Picture& pic, const char* what) {
  SCOPED_TRACE(what);
  EXPECT_EQ(pic.pixel(30, 25), kRed);
  EXPECT_EQ(pic.pixel(11, 11), kRed);
  EXPECT_EQ(pic.pixel(5, 5), kWhite);
  EXPECT_EQ(pic.pixel(55, 25), kWhite);
  EXPECT_EQ(pic.pixel(30, 45), kWhite);
  EXPECT_EQ(pic.pixel(63, 13), kBlue);
  EXPECT_EQ(pic.pixel(87, 37), kWhite);  // beyond the triangle's long side
  EXPECT_EQ(pic.pixel(50, 70), kGreen);
  EXPECT_EQ(pic.pixel(50, 66), kWhite);
  EXPECT_EQ(pic.pixel(5, 70), kWhite);
}

// Twips as logical units: 15 to the pixel, 1440 to the inch.
WmfWriter WmfScene() {
  WmfWriter w = WmfWriter::Placeable(0, 0, 1500, 1200, 1440);
  w.createBrush(0, Rgb(255, 255, 255)).selectObject(0);  // slot 0
  w.createPen(5, 0, 0).selectObject(1);                  // slot 1: null pen
  w.rectangle(0, 0, 1500, 1200);
  w.createBrush(0, Rgb(255, 0, 0)).selectObject(2).rectangle(150, 150, 750, 600);
  w.createBrush(0, Rgb(0, 0, 255)).selectObject(3);
  w.polygon({900, 150, 1350, 150, 900, 600});
  w.createPen(0, 45, Rgb(0, 255, 0)).selectObject(4);
  w.moveTo(150, 1050).lineTo(1350, 1050);
  return w;
}

// Frame 144 x 72 pixels (3810 x 1905 hundredths of a millimetre at 96 dpi).
EmfWriter EmfScene() {
  EmfWriter e(0, 0, 3810, 1905);
  e.createBrush(1, 0, Rgb(255, 255, 255)).selectObject(1);
  e.selectObject(0x80000008u);  // stock null pen
  e.rectangle(0, 0, 144, 72);
  e.createBrush(2, 0, Rgb(255, 0, 0)).selectObject(2).rectangle(10, 10, 50, 40);
  e.deleteObject(1);
  e.createBrush(1, 0, Rgb(0, 0, 255)).selectObject(1);
  e.polygon16({60, 10, 90, 10, 60, 40});
  e.createPen(3, 0, 3, Rgb(0, 255, 0)).selectObject(3);
  e.moveTo(10, 70).lineTo(90, 70);
  return e;
}

TEST(MetafilePictures, ShapesPensAndBrushesLandWhereDrawn) {
  auto wmf = Picture::decode(WmfScene().bytes());
  EXPECT_EQ(wmf->width(), 100);
  EXPECT_EQ(wmf->height(), 80);
  ExpectScene(*wmf, "wmf");

  EmfWriter e = EmfScene();
  auto emf = Picture::decode(e.bytes());
  EXPECT_EQ(emf->width(), 144);
  EXPECT_EQ(emf->height(), 72);
  ExpectScene(*emf, "emf");
  // Ellipses: a yellow disc around (120, 36) on the white ground.
  e.createBrush(4, 0, Rgb(255, 255, 0)).selectObject(4).ellipse(100, 16, 140, 56);
  auto disc = Picture::decode(e.bytes());
  EXPECT_EQ(disc->pixel(120, 36), kYellow);
  EXPECT_EQ(disc->pixel(102, 18), kWhite);  // corner of the box, outside the disc
}

TEST(MetafilePictures, WhatIsNotDrawnStaysSeeThrough) {
  WmfWriter w = WmfWriter::Placeable(0, 0, 1500, 1200, 1440);
  w.createBrush(0, Rgb(255, 0, 0)).selectObject(0).rectangle(150, 150, 750, 600);
  auto pic = Picture::decode(w.bytes());
  EXPECT_EQ(pic->pixel(30, 25) >> 24, 0xFFu);
  EXPECT_EQ(pic->pixel(80, 70), 0u);
}

TEST(MetafilePictures, WindowViewportMappingAndSavedStates) {
  // The file draws in a window of 10 x 8 logical units that fills the whole picture, and
  // in a saved state changes the brush and the window, which the restore undoes.
  WmfWriter w = WmfWriter::Placeable(0, 0, 1500, 1200, 1440);
  w.setMapMode(8).setWindowOrg(0, 0).setWindowExt(10, 8);
  w.createBrush(0, Rgb(255, 0, 0)).selectObject(0);
  w.saveDc();
  w.createBrush(0, Rgb(0, 0, 255)).selectObject(1).setWindowOrg(5, 0);
  w.rectangle(5, 0, 6, 1);  // the window moved: this lands at the top-left corner
  w.restoreDc(-1);
  w.rectangle(5, 4, 10, 8);  // red, bottom-right quarter
  auto pic = Picture::decode(w.bytes());
  EXPECT_EQ(pic->pixel(75, 60), kRed);
  EXPECT_EQ(pic->pixel(45, 60), 0u);
  EXPECT_EQ(pic->pixel(5, 5), kBlue);
  EXPECT_EQ(pic->pixel(55, 5), 0u);

  // The same in an emf: an anisotropic window of 10 x 8 on a viewport of 144 x 72 pixels;
  // a y axis turned upwards by a negative extent.
  EmfWriter e(0, 0, 3810, 1905);
  e.setMapMode(8).setWindowExt(10, -8).setWindowOrg(0, 8).setViewportExt(144, 72);
  e.createBrush(1, 0, Rgb(255, 0, 0)).selectObject(1);
  e.rectangle(0, 0, 5, 4);  // the lower-left quarter, with y upwards
  auto emf = Picture::decode(e.bytes());
  EXPECT_EQ(emf->pixel(30, 60), kRed);
  EXPECT_EQ(emf->pixel(30, 10), 0u);
  EXPECT_EQ(emf->pixel(110, 60), 0u);
}

TEST(MetafilePictures, BitmapsAreStretchedUprightOntoTheirRectangle) {
  // 2 x 2 bitmap: red, green over blue, yellow (stored bottom-up in the file).
  const test::Dib dib = MakeDib(2, 2, [](int x, int y) -> std::uint32_t {
    static const std::uint32_t colours[2][2] = {{0xFF0000, 0x00FF00}, {0x0000FF, 0xFFFF00}};
    return colours[y][x];
  });
  WmfWriter w = WmfWriter::Placeable(0, 0, 1500, 1200, 1440);
  w.stretchDibits(600, 300, 600, 600, dib);  // pixels (40,20)-(80,60)
  auto pic = Picture::decode(w.bytes());
  EXPECT_EQ(pic->pixel(45, 25), kRed);
  EXPECT_EQ(pic->pixel(75, 25), kGreen);
  EXPECT_EQ(pic->pixel(45, 55), kBlue);
  EXPECT_EQ(pic->pixel(75, 55), kYellow);
  EXPECT_EQ(pic->pixel(35, 25), 0u);
  EXPECT_EQ(pic->pixel(85, 55), 0u);
  // A part of the bitmap: its source origin is the bottom-left corner (blue).
  w.stretchDibits(0, 0, 300, 300, dib, 0, 0, 1, 1);
  auto part = Picture::decode(w.bytes());
  EXPECT_EQ(part->pixel(10, 10), kBlue);

  EmfWriter e(0, 0, 3810, 1905);
  e.stretchDibits(100, 10, 40, 40, dib);
  auto emf = Picture::decode(e.bytes());
  EXPECT_EQ(emf->pixel(105, 15), kRed);
  EXPECT_EQ(emf->pixel(135, 45), kYellow);
  EXPECT_EQ(emf->pixel(95, 15), 0u);
}

TEST(MetafilePictures, DrawnLargerTheyArePlayedAgainNotBlownUp) {
  // 100 x 80 pixels: red up to x = 50, a one-pixel black line at x = 75.
  WmfWriter w = WmfWriter::Placeable(0, 0, 1500, 1200, 1440);
  w.createPen(5, 0, 0).selectObject(0);
  w.createBrush(0, Rgb(255, 0, 0)).selectObject(1).rectangle(0, 0, 750, 1200);
  w.createPen(0, 0, Rgb(0, 0, 0)).selectObject(2).moveTo(1125, 0).lineTo(1125, 1200);
  auto pic = Picture::decode(w.bytes());
  Canvas canvas;
  canvas.resize(400, 320);
  canvas.fill(0xFFFFFF);
  canvas.drawPictureScaled(*pic, 0, 0, 400, 320);
  // A sharp edge where the rectangle ends, and the line still one pixel wide.
  EXPECT_EQ(canvas.pixel(199, 100), kRed);
  EXPECT_EQ(canvas.pixel(200, 100), kWhite);
  EXPECT_EQ(canvas.pixel(300, 100), 0xFF000000u);
  EXPECT_EQ(canvas.pixel(298, 100), kWhite);
  EXPECT_EQ(canvas.pixel(302, 100), kWhite);
}

TEST(MetafilePictures, TextIsDrawnAtItsPointInItsColour) {
  GuiForPainting gui;
  ASSERT_TRUE(GuiForPainting::textAvailable());
  // Top-left aligned text 20 pixels high at (10, 10), black on white.
  WmfWriter w = WmfWriter::Placeable(0, 0, 1500, 1200, 1440);
  w.createBrush(0, Rgb(255, 255, 255)).selectObject(0).rectangle(-15, -15, 1515, 1215);
  w.createFont(-300, "Arial", 700).selectObject(1);
  w.setBkMode(1).setTextColour(Rgb(0, 0, 0)).textOut(150, 150, "WWW");
  auto wmf = Picture::decode(w.bytes());
  EXPECT_GT(DarkPixels(*wmf, 10, 10, 70, 32), 40);
  EXPECT_EQ(DarkPixels(*wmf, 0, 0, 100, 8), 0);
  EXPECT_EQ(DarkPixels(*wmf, 0, 40, 100, 80), 0);

  // Baseline-aligned emf text: the glyphs stand above their point.
  EmfWriter e(0, 0, 3810, 1905);
  e.createBrush(1, 0, Rgb(255, 255, 255)).selectObject(1).rectangle(-1, -1, 145, 73);
  e.createFont(2, -20, "Times New Roman").selectObject(2);
  e.record(22, {24});  // TA_BASELINE
  e.setBkMode(1).setTextColour(Rgb(0, 0, 0)).textOutW(20, 50, u"HHH");
  auto emf = Picture::decode(e.bytes());
  EXPECT_GT(DarkPixels(*emf, 20, 30, 80, 50), 40);
  EXPECT_EQ(DarkPixels(*emf, 0, 52, 144, 72), 0);
  EXPECT_EQ(DarkPixels(*emf, 0, 0, 144, 25), 0);

  // Spaced characters: the second H stands 80 pixels after the first, the gap stays white.
  EmfWriter spaced(0, 0, 3810, 1905);
  spaced.createBrush(1, 0, Rgb(255, 255, 255)).selectObject(1).rectangle(-1, -1, 145, 73);
  spaced.createFont(2, -20, "Arial").selectObject(2);
  spaced.setBkMode(1).setTextColour(Rgb(0, 0, 0)).textOutW(10, 10, u"HH", {80, 80});
  auto wide = Picture::decode(spaced.bytes());
  EXPECT_GT(DarkPixels(*wide, 8, 10, 30, 32), 20);
  EXPECT_EQ(DarkPixels(*wide, 32, 0, 88, 72), 0);
  EXPECT_GT(DarkPixels(*wide, 88, 10, 110, 32), 20);
}

TEST(MetafilePictures, SizeComesFromTheFilesOwnFrame) {
  // Placeable: 1440 x 720 logical units at 576 to the inch = 2.5 x 1.25 inches.
  Bytes bytes = WmfWriter::Placeable(100, 100, 1540, 820, 576).bytes();
  auto placeable = Picture::decode(bytes);
  EXPECT_EQ(placeable->width(), 240);
  EXPECT_EQ(placeable->height(), 120);
  // A wrong header checksum, as converters of the time often wrote, does not matter.
  bytes[20] ^= 0x5A;
  EXPECT_EQ(Picture::decode(bytes)->width(), 240);
  // No placeable header: its window, one unit per pixel.
  WmfWriter plain = WmfWriter::Plain();
  plain.setWindowOrg(0, 0).setWindowExt(64, 48);
  plain.createBrush(0, Rgb(0, 0, 255)).selectObject(0).rectangle(32, 24, 64, 48);
  auto p = Picture::decode(plain.bytes());
  EXPECT_EQ(p->width(), 64);
  EXPECT_EQ(p->height(), 48);
  EXPECT_EQ(p->pixel(50, 40), kBlue);
  EXPECT_EQ(p->pixel(10, 10), 0u);
  // Emf: a frame of 50.8 x 25.4 mm is 2880 x 1440 twips, whatever the reference device.
  auto emf = Picture::decode(EmfWriter(0, 0, 5080, 2540).device(1280, 1024, 320, 240).bytes());
  EXPECT_EQ(emf->width(), 192);
  EXPECT_EQ(emf->height(), 96);
}

// A sound file and the same file damaged: the first loads (so the damage is what fails).
struct Damage {
  const char* what;
  Bytes sound;
  std::function<void(Bytes&)> damage;
};

TEST(MetafilePictures, DamagedFilesAreInvalidPicturesNotCrashesOrHangs) {
  const Bytes wmf = WmfScene().bytes();
  const Bytes emf = EmfScene().bytes();
  const std::size_t wmfRecords = 22 + 18;  // placeable header, wmf header
  const std::size_t emfRecords = 88;
  auto withObjects = [](int objects) {
    WmfWriter w = WmfWriter::Placeable(0, 0, 1500, 1200, 1440, objects);
    w.createBrush(0, Rgb(255, 0, 0)).selectObject(0).rectangle(0, 0, 100, 100);
    return w.bytes();
  };
  const std::vector<Damage> cases = {
      {"wmf cut before its end record", wmf, [](Bytes& b) { b.resize(b.size() - 6); }},
      {"wmf cut inside a record", wmf, [](Bytes& b) { b.resize(b.size() - 20); }},
      {"wmf record of size 0", wmf, [&](Bytes& b) { test::PutU32(b, wmfRecords, 0); }},
      {"wmf record longer than the file", wmf,
       [&](Bytes& b) { test::PutU32(b, wmfRecords, 0x7FFFFFFF); }},
      {"wmf polygon with more points than its record", wmf,
       [&](Bytes& b) {
         // The polygon is the record after the blue brush's selection; find its function.
         for (std::size_t at = wmfRecords; at + 8 < b.size();) {
           const std::uint32_t words = b[at] | b[at + 1] << 8 | b[at + 2] << 16;
           if (b[at + 4] == 0x24 && b[at + 5] == 0x03) {
             test::PutU16(b, at + 6, 5000);
             return;
           }
           at += words * 2;
         }
       }},
      {"wmf of zero width", wmf, [](Bytes& b) { test::PutU16(b, 10, 0); }},
      {"wmf of negative height", wmf, [](Bytes& b) { test::PutU16(b, 12, 0xFF00); }},
      {"wmf of no units per inch", wmf, [](Bytes& b) { test::PutU16(b, 14, 0); }},
      {"wmf of huge size", wmf,
       [](Bytes& b) {
         test::PutU16(b, 10, 32000);
         test::PutU16(b, 12, 32000);
         test::PutU16(b, 14, 1);
       }},
      {"wmf selecting an object beyond its table", withObjects(1),
       [&](Bytes& b) { test::PutU16(b, wmfRecords + 14 + 6, 40); }},
      {"wmf creating more objects than its table", withObjects(1),
       [&](Bytes& b) { test::PutU16(b, 22 + 10, 0); }},
      {"emf cut before its end record", emf, [](Bytes& b) { b.resize(b.size() - 20); }},
      {"emf record of size 0", emf, [&](Bytes& b) { test::PutU32(b, emfRecords + 4, 0); }},
      {"emf record size not a multiple of four", emf,
       [&](Bytes& b) { test::PutU32(b, emfRecords + 4, 26); }},
      {"emf record longer than the file", emf,
       [&](Bytes& b) { test::PutU32(b, emfRecords + 4, 0x7FFFFFF0); }},
      {"emf frame of zero width", emf, [](Bytes& b) { test::PutU32(b, 32, 0); }},
      {"emf frame turned inside out", emf, [](Bytes& b) { test::PutU32(b, 36, 0xFFFFF000u); }},
      {"emf frame of huge size", emf,
       [](Bytes& b) {
         test::PutU32(b, 32, 0x7FFFFFFF);
         test::PutU32(b, 36, 0x7FFFFFFF);
       }},
      {"emf reference device of no millimetres", emf, [](Bytes& b) { test::PutU32(b, 80, 0); }},
      {"emf object index beyond its handles", emf,
       [&](Bytes& b) { test::PutU32(b, emfRecords + 8, 500); }},  // the first brush's index
      {"emf header claiming more than the file", emf, [](Bytes& b) { test::PutU32(b, 4, 4096); }},
  };
  for (const Damage& c : cases) {
    ASSERT_EQ(Error(c.sound), 0) << c.what << " (sound version)";
    Bytes bad = c.sound;
    c.damage(bad);
    ASSERT_NE(bad, c.sound) << c.what;
    EXPECT_EQ(Error(bad), 481) << c.what;
  }
}

TEST(MetafilePictures, RandomlyDamagedFilesLoadOrAreInvalidNeverWorse) {
  GuiForPainting gui;  // text records are played too
  const test::Dib dib = MakeDib(3, 2, [](int x, int y) { return x * 0x500000u + y * 0x50u; });
  WmfWriter w = WmfScene();
  w.createFont(-200, "Arial").selectObject(5).textOut(100, 100, "Damaged?");
  w.stretchDibits(0, 0, 300, 300, dib).saveDc().restoreDc(-1);
  EmfWriter e = EmfScene();
  e.createFont(4, -20, "Arial").selectObject(4).textOutW(5, 5, u"Damaged?");
  e.stretchDibits(0, 0, 30, 30, dib).ellipse(0, 0, 20, 20);
  std::mt19937 random(20261208);
  for (const Bytes& sound : {w.bytes(), e.bytes()}) {
    ASSERT_EQ(Error(sound), 0);
    for (int round = 0; round < 400; ++round) {
      Bytes bad = sound;
      std::uniform_int_distribution<std::size_t> at(0, bad.size() - 1);
      const int flips = 1 + round % 6;
      for (int k = 0; k < flips; ++k) {
        bad[at(random)] = static_cast<std::uint8_t>(random());
      }
      if (round % 5 == 0) bad.resize(at(random));
      const int error = Error(bad);
      EXPECT_TRUE(error == 0 || error == 481) << "round " << round << ": error " << error;
    }
  }
}

TEST(MetafilePictures, BitmapsOfAbsurdSizeOrShortDataAreRefused) {
  const test::Dib dib = MakeDib(2, 2, [](int, int) { return 0xFF0000u; });
  ASSERT_EQ(
      Error(
          WmfWriter::Placeable(0, 0, 1500, 1200, 1440).stretchDibits(0, 0, 100, 100, dib).bytes()),
      0);
  test::Dib huge = dib;
  test::PutU32(huge.info, 4, 0x40000000);  // a thousand million pixels wide, bits of four
  EXPECT_EQ(
      Error(
          WmfWriter::Placeable(0, 0, 1500, 1200, 1440).stretchDibits(0, 0, 100, 100, huge).bytes()),
      481);
  EXPECT_EQ(Error(EmfWriter(0, 0, 3810, 1905).stretchDibits(0, 0, 10, 10, huge).bytes()), 481);
  test::Dib shortHeader = dib;
  test::PutU32(shortHeader.info, 0, 20);
  EXPECT_EQ(Error(EmfWriter(0, 0, 3810, 1905).stretchDibits(0, 0, 10, 10, shortHeader).bytes()),
            481);
}

TEST(MetafilePictures, ExtremeCoordinatesAndDeepNestingStayBounded) {
  // Shapes far outside the picture, enormous pens and fonts: drawn (clipped), never a hang.
  EmfWriter e(0, 0, 3810, 1905);
  e.createPen(1, 0, 1000000, Rgb(255, 0, 0)).selectObject(1);
  e.createBrush(2, 0, Rgb(0, 0, 255)).selectObject(2);
  e.rectangle(-2000000000, -2000000000, 2000000000, 2000000000);
  e.ellipse(-2000000000, 0, 2000000000, 10);
  e.createFont(3, -2000000000, "Arial").selectObject(3).textOutW(0, 0, u"X");
  // A mapping that blows one unit up to thousands of millions of pixels.
  e.setMapMode(8).setWindowExt(1, 1).setViewportExt(2000000000, 2000000000);
  e.rectangle(-3, -3, 3, 3);
  e.moveTo(-1000000, 5).lineTo(1000000, -7);
  e.textOutW(0, 0, u"Y");
  auto pic = Picture::decode(e.bytes());
  EXPECT_EQ(pic->width(), 144);
  // More saved states than any picture needs: refused rather than grown without end.
  EmfWriter deep(0, 0, 3810, 1905);
  for (int i = 0; i < 5000; ++i) deep.saveDc();
  EXPECT_EQ(Error(deep.bytes()), 481);
  EmfWriter nested(0, 0, 3810, 1905);
  for (int i = 0; i < 4000; ++i) nested.saveDc();
  for (int i = 0; i < 4000; ++i) nested.restoreDc(-1);
  EXPECT_EQ(Error(nested.bytes()), 0);
}

}  // namespace
}  // namespace tw::platform
