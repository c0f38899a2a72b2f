// Pictures: every format from files the test writes, cursor hot spots, refusals, bmp saving,
// and drawing on canvases and picture boxes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "platform/Canvas.h"
#include "platform/Picture.h"
#include "platform/PictureBox.h"
#include "vbscript/VbError.h"

namespace tw::platform {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kOpaqueRed = 0xFFFF0000u;
constexpr std::uint32_t kOpaqueBlue = 0xFF0000FFu;
constexpr std::uint32_t kOpaqueGreen = 0xFF00FF00u;

struct PictureFiles : ::testing::Test {
  QTemporaryDir dir;
  std::string path(const std::string& name) {
    return dir.filePath(QString::fromStdString(name)).toStdString();
  }

  // A 6 x 4 picture: red on the left half, blue on the right.
  static QImage TwoColour() {
    QImage img(6, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 6; ++x) img.setPixel(x, y, x < 3 ? 0xFFFF0000u : 0xFF0000FFu);
    return img;
  }
  std::string writeQt(const std::string& name, const char* format,
                      const QImage& img = TwoColour()) {
    std::string p = path(name);
    QImageWriter w(QString::fromStdString(p), format);
    EXPECT_TRUE(w.write(img)) << format << ": " << w.errorString().toStdString();
    return p;
  }
  std::string writeBytes(const std::string& name, const Bytes& bytes) {
    std::string p = path(name);
    std::ofstream(p, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return p;
  }
  static Bytes ReadAll(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }
  static int Error(const std::function<void()>& f) {
    try {
      f();
    } catch (const vbs::VbError& e) {
      return e.number();
    }
    return 0;
  }
};

// Two frames of 1 x 1: the first red, the second blue (hand-made LZW data).
const Bytes kTwoFrameGif = {
    'G',  'I', 'F', '8', '9', 'a',  1, 0, 1, 0, 0x80, 0, 0,              // screen, 2-colour table
    0xFF, 0,   0,   0,   0,   0xFF,                                      // red, blue
    0x2C, 0,   0,   0,   0,   1,    0, 1, 0, 0, 2,    2, 0x44, 0x01, 0,  // frame 1: index 0
    0x2C, 0,   0,   0,   0,   1,    0, 1, 0, 0, 2,    2, 0x4C, 0x01, 0,  // frame 2: index 1
    0x3B};

TEST_F(PictureFiles, EveryRasterFormatLoadsWithItsSize) {
  struct Case {
    const char* file;
    const char* format;
  };
  for (const Case& c : {Case{"a.bmp", "bmp"}, Case{"a.png", "png"}, Case{"a.ico", "ico"}}) {
    auto pic = Picture::load(writeQt(c.file, c.format));
    EXPECT_EQ(pic->width(), 6) << c.file;
    EXPECT_EQ(pic->height(), 4) << c.file;
    EXPECT_EQ(pic->pixel(0, 0), kOpaqueRed) << c.file;
    EXPECT_EQ(pic->pixel(5, 3), kOpaqueBlue) << c.file;
    EXPECT_FALSE(pic->hasHotSpot()) << c.file;
  }
  auto jpg = Picture::load(writeQt("a.jpg", "jpg"));
  EXPECT_EQ(jpg->width(), 6);
  EXPECT_GT(jpg->pixel(0, 1) >> 16 & 0xFF, 0xC0u);  // lossy, still clearly red
}

TEST_F(PictureFiles, FormatComesFromTheContentNotTheName) {
  // Games ship bitmaps named .jpg and icons named .bmp.
  std::string p = writeQt("really-a-png.jpg", "png");
  EXPECT_EQ(Picture::load(p)->pixel(5, 0), kOpaqueBlue);
  std::string ico = writeQt("icon.bmp", "ico");
  EXPECT_EQ(Picture::load(ico)->width(), 6);
}

TEST_F(PictureFiles, GifGivesItsFirstFrame) {
  auto pic = Picture::load(writeBytes("anim.gif", kTwoFrameGif));
  EXPECT_EQ(pic->width(), 1);
  EXPECT_EQ(pic->pixel(0, 0), kOpaqueRed);
}

TEST_F(PictureFiles, CursorKeepsTheHotSpotOfItsFile) {
  // A cursor file is an icon file of type 2 whose entry holds the hot spot.
  Bytes bytes = ReadAll(writeQt("base.ico", "ico"));
  ASSERT_GE(bytes.size(), 22u);
  bytes[2] = 2;
  bytes[10] = 4;  // hot spot x
  bytes[11] = 0;
  bytes[12] = 1;  // hot spot y
  bytes[13] = 0;
  auto cur = Picture::load(writeBytes("pointer.cur", bytes));
  EXPECT_EQ(cur->width(), 6);
  EXPECT_TRUE(cur->hasHotSpot());
  EXPECT_EQ(cur->hotSpot(), (Point{4, 1}));
  // A hot spot beyond the picture is kept on its edge.
  bytes[10] = 200;
  EXPECT_EQ(Picture::load(writeBytes("far.cur", bytes))->hotSpot(), (Point{5, 1}));
  // An icon used as a pointer points with its centre.
  EXPECT_EQ(Picture::load(path("base.ico"))->hotSpot(), (Point{3, 2}));
}

TEST_F(PictureFiles, MissingMetafileAndDamagedFilesRaiseVbErrors) {
  EXPECT_EQ(Error([&] { Picture::load(path("nothing.bmp")); }), 53);
  EXPECT_EQ(Error([&] { Picture::load(dir.path().toStdString()); }), 53);  // a folder
  const Bytes placeableWmf = {0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0, 100, 0, 100, 0};
  Bytes plainWmf = {1, 0, 9, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  Bytes emf(88, 0);
  emf[0] = 1;
  emf[40] = ' ', emf[41] = 'E', emf[42] = 'M', emf[43] = 'F';
  Bytes truncatedPng = ReadAll(writeQt("whole.png", "png"));
  truncatedPng.resize(truncatedPng.size() / 2);
  const Bytes noise = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  struct Case {
    const char* name;
    Bytes bytes;
  };
  for (const Case& c :
       {Case{"a.wmf", placeableWmf}, Case{"b.wmf", plainWmf}, Case{"c.emf", emf},
        Case{"half.png", truncatedPng}, Case{"noise.bmp", noise}, Case{"empty.ico", {}}}) {
    std::string p = writeBytes(c.name, c.bytes);
    EXPECT_EQ(Error([&] { Picture::load(p); }), 481) << c.name;
  }
  EXPECT_EQ(Error([&] { Picture::decode(noise); }), 481);
}

TEST_F(PictureFiles, SavesAs24BitBmpThatLoadsBack) {
  auto pic = Picture::load(writeQt("src.png", "png"));
  std::string out = path("Temp001.dat");
  pic->saveBmp(out);
  Bytes bytes = ReadAll(out);
  ASSERT_GT(bytes.size(), 30u);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'M');
  EXPECT_EQ(bytes[28], 24);  // bits per pixel
  auto back = Picture::load(out);
  EXPECT_EQ(back->pixel(0, 0), kOpaqueRed);
  EXPECT_EQ(back->pixel(5, 3), kOpaqueBlue);
  EXPECT_EQ(Error([&] { pic->saveBmp(path("no/such/folder/x.bmp")); }), 75);
  // Saving again replaces the file by a new one: a second name for the old file (a hard
  // link) keeps the old picture, which writing in place would have overwritten.
  ASSERT_EQ(::link(out.c_str(), path("before.dat").c_str()), 0);
  Picture::solid(2, 2, 0x00FF00)->saveBmp(out);
  EXPECT_EQ(Picture::load(path("before.dat"))->pixel(0, 0), kOpaqueRed);
  EXPECT_EQ(Picture::load(out)->width(), 2);
}

TEST_F(PictureFiles, NamesThatAreNotUtf8OpenAsTheyAreOnDisk) {
  // "Café.bmp" as a Windows disk stores it: the byte E9, which is not UTF-8.
  const std::string utf8 = writeQt("pic.bmp", "bmp");
  const std::string cp1252 = dir.path().toStdString() + "/Caf\xE9.bmp";  // bytes as they are
  ASSERT_EQ(std::rename(utf8.c_str(), cp1252.c_str()), 0);
  EXPECT_EQ(Picture::load(cp1252)->width(), 6);
  // The same name in UTF-8 is another file, which is not there.
  EXPECT_EQ(Error([&] { Picture::load(path("Caf\u00E9.bmp")); }), 53);
}

TEST(CanvasDrawing, ScaledNaturalTiledAndRegions) {
  auto red = Picture::solid(2, 2, 0x0000FF);
  auto blue = Picture::solid(3, 3, 0xFF0000);
  Canvas canvas;
  canvas.resize(10, 10);
  EXPECT_EQ(canvas.pixel(0, 0), 0u);  // see-through until drawn on
  canvas.drawPictureScaled(*red, 0, 0, 10, 10);
  EXPECT_EQ(canvas.pixel(9, 9), kOpaqueRed);
  canvas.drawPicture(*blue, 8, 8);  // clipped at the edge
  EXPECT_EQ(canvas.pixel(9, 9), kOpaqueBlue);
  EXPECT_EQ(canvas.pixel(7, 7), kOpaqueRed);
  canvas.clear();
  canvas.tile(*blue);
  for (int x : {0, 3, 8, 9})
    for (int y : {0, 5, 9}) EXPECT_EQ(canvas.pixel(x, y), kOpaqueBlue) << x << "," << y;
  canvas.resize(12, 10);  // growing keeps the drawing
  EXPECT_EQ(canvas.pixel(9, 9), kOpaqueBlue);
  EXPECT_EQ(canvas.pixel(11, 9), 0u);
  auto part = canvas.region(8, 8, 10, 10);  // clipped to 4 x 2
  EXPECT_EQ(part->width(), 4);
  EXPECT_EQ(part->height(), 2);
  EXPECT_THROW(canvas.region(50, 50, 5, 5), vbs::VbError);
}

TEST(CanvasDrawing, BlendWithConstantOpacity) {
  Canvas canvas;
  canvas.resize(2, 2);
  canvas.fill(0x000000);
  canvas.blendPicture(*Picture::solid(2, 2, 0xFFFFFF), 0, 0, 128);
  std::uint32_t grey = canvas.pixel(0, 0) & 0xFF;
  EXPECT_NEAR(static_cast<int>(grey), 128, 2);
  canvas.blendPicture(*Picture::solid(2, 2, 0xFFFFFF), 0, 0, 255);
  EXPECT_EQ(canvas.pixel(1, 1), 0xFFFFFFFFu);
}

TEST(PictureBoxImage, ComposesBackColourPictureAndDrawings) {
  PictureBox box;
  box.move(0, 0, 4 * 15, 4 * 15);
  box.setBackColour(ColourFromRgb(0, 255, 0));
  box.setPicture(Picture::solid(2, 1, 0x0000FF));  // red strip at the top-left
  box.fillRect(3, 3, 1, 1, 0xFF0000);              // one blue pixel drawn
  auto image = box.image();
  EXPECT_EQ(image->width(), 4);
  EXPECT_EQ(image->pixel(0, 0), kOpaqueRed);
  EXPECT_EQ(image->pixel(2, 0), kOpaqueGreen);
  EXPECT_EQ(image->pixel(3, 3), kOpaqueBlue);
  box.cls();
  EXPECT_EQ(box.image()->pixel(3, 3), kOpaqueGreen);
  // The drawing surface follows the box when it grows.
  box.setWidth(8 * 15);
  box.drawPictureScaled(*Picture::solid(1, 1, 0xFF0000), 0, 0, 8, 4);
  EXPECT_EQ(box.canvas().width(), 8);
  EXPECT_EQ(box.image()->pixel(7, 3), kOpaqueBlue);
}

}  // namespace
}  // namespace tw::platform
