// Fuzz target: picture loading through our loaders — bmp, ico, cur, gif, jpg, png and the
// wmf and emf metafiles, which we read and draw ourselves. The format is found from the
// bytes, as for a picture file of a game. A picture decodes or raises 481; a decoded one
// answers for its size, pixels and pointer hot spot.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/GuiForPainting.h"
#include "platform/Picture.h"
#include "vbscript/VbError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Metafiles draw their text with fonts, which need the GUI application.
  static tw::platform::GuiForPainting gui;
  const std::vector<std::uint8_t> bytes(data, data + size);
  try {
    const auto picture = tw::platform::Picture::decode(bytes);
    const int w = picture->width();
    const int h = picture->height();
    if (w < 0 || h < 0) __builtin_trap();
    const auto spot = picture->hotSpot();
    volatile std::uint32_t sink = picture->pixel(0, 0) ^ picture->pixel(w - 1, h - 1) ^
                                  picture->pixel(w / 2, h / 2) ^ picture->pixel(-1, h) ^
                                  static_cast<std::uint32_t>(spot.x + spot.y);
    (void)sink;
  } catch (const vbs::VbError& e) {
    if (e.number() != 481) __builtin_trap();
  }
  return 0;
}
