// The decoded-picture cache: served from memory only while the file is unchanged, bounded
// by its budget with the least recently used let go first, and pixels reused for the next
// decode without touching a picture still shown.
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <filesystem>
#include <string>

#include "platform/Picture.h"
#include "platform/PictureCache.h"
#include "vbscript/VbError.h"

namespace tw::platform {
namespace {

// 0xRRGGBB of a 64 x 48 picture's pixel, and its byte size in the cache.
constexpr std::size_t kPictureBytes = 64 * 48 * 4;

class PictureCacheTest : public ::testing::Test {
 protected:
  std::string write(const std::string& name, QRgb colour, const char* format = "jpg") {
    QImage img(64, 48, QImage::Format_RGB32);
    img.fill(colour);
    const std::string p = dir.filePath(QString::fromStdString(name)).toStdString();
    EXPECT_TRUE(img.save(QString::fromStdString(p), format, 95));
    return p;
  }
  // Which of red, green and blue the picture shows (JPEG colours are near, not exact).
  static char Dominant(const Picture& picture) {
    const std::uint32_t p = picture.pixel(10, 10);
    const int r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
    if (r > 200 && g < 60 && b < 60) return 'r';
    if (g > 200 && r < 60 && b < 60) return 'g';
    if (b > 200 && r < 60 && g < 60) return 'b';
    return '?';
  }
  QTemporaryDir dir;
};

TEST_F(PictureCacheTest, SameUnchangedFileIsDecodedOnce) {
  PictureCache cache;
  const std::string red = write("red.jpg", qRgb(255, 0, 0));
  const auto first = cache.load(red);
  const auto second = cache.load(red);
  EXPECT_EQ(first, second);
  EXPECT_EQ(cache.decodes(), 1u);
  EXPECT_EQ(cache.hits(), 1u);
  EXPECT_EQ(cache.bytes(), kPictureBytes);
}

TEST_F(PictureCacheTest, ChangedOrReplacedFileIsDecodedAgain) {
  PictureCache cache;
  const std::string path = write("pic.jpg", qRgb(255, 0, 0));
  EXPECT_EQ(Dominant(*cache.load(path)), 'r');
  // Rewritten in place, with the same modification time: the change time still differs.
  const auto written = std::filesystem::last_write_time(path);
  write("pic.jpg", qRgb(0, 255, 0));
  std::filesystem::last_write_time(path, written);
  EXPECT_EQ(Dominant(*cache.load(path)), 'g');
  // Replaced by another file moved over it.
  const std::string blue = write("blue.jpg", qRgb(0, 0, 255));
  std::filesystem::rename(blue, path);
  EXPECT_EQ(Dominant(*cache.load(path)), 'b');
  EXPECT_EQ(cache.decodes(), 3u);
  EXPECT_EQ(cache.size(), 1u);
  // Gone: the error of a missing file, and nothing kept.
  std::filesystem::remove(path);
  EXPECT_THROW(cache.load(path), vbs::VbError);
  EXPECT_EQ(cache.size(), 0u);
  EXPECT_EQ(cache.bytes(), 0u);
}

TEST_F(PictureCacheTest, BudgetLetsTheLeastRecentlyUsedGo) {
  PictureCache cache(3 * kPictureBytes);
  const std::string a = write("a.jpg", qRgb(255, 0, 0));
  const std::string b = write("b.jpg", qRgb(0, 255, 0));
  const std::string c = write("c.jpg", qRgb(0, 0, 255));
  const std::string d = write("d.jpg", qRgb(255, 0, 0));
  cache.load(a);
  cache.load(b);
  cache.load(c);
  cache.load(a);  // a is used again: b is now the oldest
  cache.load(d);
  EXPECT_EQ(cache.size(), 3u);
  EXPECT_LE(cache.bytes(), cache.budgetBytes());
  const std::size_t decodes = cache.decodes();
  cache.load(a);
  cache.load(d);
  EXPECT_EQ(cache.decodes(), decodes);  // still kept
  cache.load(b);
  EXPECT_EQ(cache.decodes(), decodes + 1);  // was let go
}

TEST_F(PictureCacheTest, PictureLargerThanTheBudgetIsNotKept) {
  PictureCache cache(kPictureBytes - 1);
  const std::string a = write("a.jpg", qRgb(255, 0, 0));
  EXPECT_EQ(Dominant(*cache.load(a)), 'r');
  EXPECT_EQ(cache.size(), 0u);
  EXPECT_EQ(cache.bytes(), 0u);
}

TEST_F(PictureCacheTest, ReusedPixelsNeverChangeAPictureStillHeld) {
  // Room for one picture: each load lets the previous one go, and its pixels serve the
  // next decode when nothing else holds it.
  PictureCache cache(kPictureBytes);
  const std::string red = write("red.jpg", qRgb(255, 0, 0));
  const std::string green = write("green.jpg", qRgb(0, 255, 0));
  const std::string blue = write("blue.jpg", qRgb(0, 0, 255));
  const std::string bmp = write("white.bmp", qRgb(255, 255, 255), "bmp");
  const auto held = cache.load(red);  // shown somewhere: its pixels are not reused
  EXPECT_EQ(Dominant(*cache.load(green)), 'g');
  EXPECT_EQ(Dominant(*cache.load(blue)), 'b');  // into green's pixels
  EXPECT_EQ(Dominant(*cache.load(green)), 'g');  // into blue's
  EXPECT_EQ(cache.load(bmp)->pixel(3, 3), 0xFFFFFFFFu);
  EXPECT_EQ(Dominant(*cache.load(red)), 'r');
  EXPECT_EQ(Dominant(*held), 'r');
  EXPECT_EQ(cache.decodes(), 6u);
}

}  // namespace
}  // namespace tw::platform
