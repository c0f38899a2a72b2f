// Canvas: a persistent image that can be drawn on — a picture box's AutoRedraw image.
//
// Coordinates and sizes are pixels. A new canvas is fully see-through; what is drawn stays
// until cleared. Resizing keeps the drawn content at the top-left corner. Drawing outside
// the canvas is clipped, never an error.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Colour.h"

namespace tw::platform {

class Picture;
struct Font;

class Canvas {
 public:
  struct Impl;
  Canvas();
  ~Canvas();
  Canvas(Canvas&&) noexcept;
  Canvas& operator=(Canvas&&) noexcept;

  int width() const;
  int height() const;
  void resize(int width, int height);

  // Back to fully see-through.
  void clear();
  void fill(Colour colour);
  void fillRect(int x, int y, int width, int height, Colour colour);
  // The picture at its own size with its top-left corner at (x, y).
  void drawPicture(const Picture& picture, int x, int y);
  // The picture stretched to the rectangle.
  void drawPictureScaled(const Picture& picture, int x, int y, int width, int height);
  // The picture drawn with a constant opacity (0 to 255) at its own size.
  void blendPicture(const Picture& picture, int x, int y, int opacity);
  // The picture repeated from (0, 0) over the whole canvas.
  void tile(const Picture& picture);
  // Text lines (separated by CR LF or LF) from (x, y), each line below the previous one.
  // Draws nothing when no QGuiApplication exists (fonts cannot be read then).
  void drawText(int x, int y, const std::string& text, const Font& font, Colour colour);

  // 0xAARRGGBB (not premultiplied); 0 outside.
  std::uint32_t pixel(int x, int y) const;
  // A picture of the whole canvas or of a rectangle of it (clipped).
  std::shared_ptr<const Picture> toPicture() const;
  std::shared_ptr<const Picture> region(int x, int y, int width, int height) const;

  Impl& impl() { return *impl_; }
  const Impl& impl() const { return *impl_; }

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace tw::platform
