// Picture: a decoded still picture (bmp, jpg, gif, ico, cur, png, wmf, emf), immutable once
// made.
//
// Pictures are loaded once and shared (std::shared_ptr<const Picture>). The format is found
// from the file's content, not its name, as VB's LoadPicture does. Windows metafiles are
// drawn once, at their own size, into a see-through picture (Metafile.h). Damaged files
// raise VbError 481 "Invalid picture"; a missing file raises VbError 53 "File not found". Sizes are pixels. A cursor file
// keeps its hot spot; other pictures used as pointers take their centre, as Windows does
// for icons.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tw::platform {

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

class Picture {
 public:
  struct Impl;
  struct Key {  // only PictureAccess (platform code) makes pictures from an Impl
   private:
    Key() = default;
    friend struct PictureAccess;
  };

  // Reads and decodes a picture file.
  static std::shared_ptr<const Picture> load(const std::string& path);
  // Decodes a picture held in memory (the same formats and errors, 481 for bad data).
  static std::shared_ptr<const Picture> decode(const std::vector<std::uint8_t>& bytes);
  // A picture of one colour (VB colour number), for tests and blank captures.
  static std::shared_ptr<const Picture> solid(int width, int height, std::uint32_t vbColour);

  Picture(Key, std::unique_ptr<Impl> impl);
  ~Picture();
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  int width() const;
  int height() const;
  // Set for cursor (.cur) files.
  bool hasHotSpot() const;
  // The point of a pointer made from this picture: the cursor's hot spot, else the centre.
  Point hotSpot() const;
  // 0xAARRGGBB of a pixel (not premultiplied); 0 outside the picture.
  std::uint32_t pixel(int x, int y) const;
  // Writes the picture as an uncompressed 24-bit bmp file (see-through pixels become
  // black); raises VbError 75 "Path/File access error" when the file cannot be written.
  void saveBmp(const std::string& path) const;
  // A new picture from the rectangle (x, y, w, h), clipped to this picture; VbError 5 when
  // the rectangle lies wholly outside it.
  std::shared_ptr<const Picture> region(int x, int y, int w, int h) const;

  const Impl& impl() const { return *impl_; }

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace tw::platform
