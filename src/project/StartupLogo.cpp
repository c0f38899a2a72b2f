#include "project/StartupLogo.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/Canvas.h"
#include "platform/Colour.h"
#include "platform/Font.h"
#include "platform/Picture.h"

namespace tw {

namespace {

using platform::Canvas;
using platform::Colour;
using platform::ColourFromRgb;

struct Inks {
  Colour line;   // outlines, shaft, underline
  Colour fill;   // pages, vane
  Colour faint;  // lines of writing on the pages
  Colour word;   // the word mark
};

constexpr Inks kLightInks{ColourFromRgb(232, 200, 114), ColourFromRgb(246, 238, 214),
                          ColourFromRgb(176, 160, 128), ColourFromRgb(246, 238, 214)};
constexpr Inks kDarkInks{ColourFromRgb(92, 52, 24), ColourFromRgb(255, 252, 240),
                         ColourFromRgb(170, 150, 120), ColourFromRgb(40, 36, 70)};

constexpr int kEmblemWidth = 30;

void Dot(Canvas& c, int x, int y, Colour colour) {
  c.fillRect(x, y, 1, 1, colour);
}

// An open book seen from the front: a cover, two pages rising towards the spine, a few
// lines of writing.
void DrawBook(Canvas& c, const Inks& ink) {
  c.fillRect(2, 11, 27, 15, ink.line);  // cover, peeking out below the pages
  for (int d = 0; d < 12; ++d) {
    const int top = 8 + d / 3;
    const int bottom = 24 - d / 4;
    c.fillRect(14 - d, top, 1, bottom - top, ink.fill);  // left page
    c.fillRect(16 + d, top, 1, bottom - top, ink.fill);  // right page
  }
  c.fillRect(15, 7, 1, 19, ink.line);  // spine
  for (int row = 0; row < 4; ++row) {
    const int y = 12 + row * 3;
    c.fillRect(5, y + 1, 8, 1, ink.faint);
    c.fillRect(18, y + 1, 8, 1, ink.faint);
  }
}

// A quill slanting up to the right: a shaft with a vane that swells and narrows, and a nib.
void DrawQuill(Canvas& c, const Inks& ink) {
  constexpr double kPi = 3.14159265358979;
  for (int t = 0; t <= 24; ++t) {
    const int x = 4 + t;
    const int y = 29 - t;
    if (t >= 5) {
      const int w = static_cast<int>(std::lround(4.5 * std::sin(kPi * (t - 5) / 20.0)));
      for (int s = 1; s <= w; ++s) {
        Dot(c, x - s, y - s, ink.fill);  // upper vane
        Dot(c, x + s, y + s, ink.fill);  // lower vane
      }
    }
    Dot(c, x, y, ink.line);  // shaft
  }
  Dot(c, 3, 30, ink.line);  // nib
  Dot(c, 2, 31, ink.line);
  c.fillRect(1, 30, 3, 1, ink.faint);  // a drop of ink
}

// The largest size up to 15 points at which the word fits beside the emblem.
platform::Font WordFont() {
  platform::Font font{.name = "Times New Roman", .size = 15, .bold = true, .italic = true};
  const int room = kLogoWidth - kEmblemWidth - 3;
  while (font.size > 8 && platform::MeasureText(font, "Talewick").width > room) font.size -= 1;
  return font;
}

std::shared_ptr<const platform::Picture> DrawVariant(int style, const Inks& ink,
                                                     const platform::Font& font) {
  Canvas c;
  c.resize(kLogoWidth, kLogoHeight);
  if (style == 1) {
    DrawQuill(c, ink);
  } else {
    DrawBook(c, ink);
  }
  const platform::TextExtent extent = platform::MeasureText(font, "Talewick");
  const int textTop = (kLogoHeight - extent.height) / 2 - 2;
  c.drawText(kEmblemWidth + 2, textTop, "Talewick", font, ink.word);
  c.fillRect(kEmblemWidth + 3, textTop + extent.height,
             std::min(extent.width, kLogoWidth - kEmblemWidth - 4), 1,
             ink.line);  // underline flourish
  return c.toPicture();
}

}  // namespace

int LogoVariant(std::int16_t style, bool alternate) {
  return (style == 1 ? 1 : 0) + (alternate ? 2 : 0);
}

std::array<std::shared_ptr<const platform::Picture>, 4> DrawLogoVariants() {
  const platform::Font font = WordFont();
  return {DrawVariant(0, kLightInks, font), DrawVariant(1, kLightInks, font),
          DrawVariant(0, kDarkInks, font), DrawVariant(1, kDarkInks, font)};
}

}  // namespace tw
