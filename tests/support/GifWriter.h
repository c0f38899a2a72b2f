// GifWriter: writes small animated GIF files for tests: each frame one solid colour.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tw::test {

struct GifFrame {
  std::uint32_t rgb = 0;  // 0xRRGGBB
  int delayCs = 10;       // hundredths of a second
};

// Frames of width x height pixels, at most four different colours; looping for ever.
std::string GifBytes(int width, int height, const std::vector<GifFrame>& frames);

}  // namespace tw::test
