// Font: the font of a label or control, as VB describes it.
//
// Sizes are points; on screen they become pixels at 96 dpi (points x 96 / 72), so layouts
// match what the game's author saw. Family names are those of Windows ("Arial", "Times New
// Roman"); fontconfig maps them to metric-compatible families.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tw::platform {

struct Font {
  std::string name = "MS Sans Serif";
  double size = 8.25;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
  bool operator==(const Font&) const = default;

  double pixelSize() const { return size * 96.0 / 72.0; }
};

struct TextExtent {
  int width = 0;   // pixels
  int height = 0;  // pixels
};

// The size text takes in a font. Lines are separated by CR LF or LF; with wrapWidth > 0,
// lines are wrapped at word boundaries to that many pixels. Without a Qt GUI application
// (plain unit tests) the fonts cannot be read, and an estimate from the point size is given.
TextExtent MeasureText(const Font& font, const std::string& text, int wrapWidth = 0);

// What of a text can ever be seen: at most kMaxDrawnLines lines of at most kMaxDrawnLineChars
// characters, kMaxDrawnBytes in all, from the first kMaxScannedBytes of the text. No screen
// shows more at a size anyone can read, and laying out the rest of a hostile 200 MB caption
// took minutes and gigabytes. Line ends become LF. Measuring and drawing use this part only;
// the caption itself is kept whole.
inline constexpr std::size_t kMaxDrawnLines = 2048;
inline constexpr std::size_t kMaxDrawnLineChars = 2048;
inline constexpr std::size_t kMaxDrawnBytes = std::size_t{512} << 10;
inline constexpr std::size_t kMaxScannedBytes = std::size_t{16} << 20;
std::string DrawnText(std::string_view text);

}  // namespace tw::platform
