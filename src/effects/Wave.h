// Wave: our own distortion for the rippling water, in place of a closed effects library.
//
// VexTime is a clock: mode 1 resets it, mode 0 gives the milliseconds since the last reset.
// VexWave fills the whole w x h destination from the source, each pixel taken from a point
// shifted by a wave: rows shift sideways and columns up and down by a sine of the phase, so
// the wave moves as the phase grows. The ripple parameter sets the wave's length and height,
// so two parameters look different. VexFastMask keeps the destination's pixels where the mask
// is black (the water) and copies the masked picture everywhere else.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/PixelBuffer.h"

namespace tw::effects {

class VexClock {
 public:
  // mode 1: reset at nowMs (result 0); mode 0: milliseconds since the last reset.
  std::int32_t VexTime(int mode, std::int64_t nowMs);

 private:
  std::int64_t start_ = 0;
};

// Phase of the wave at library time t: d x ((speed + 2) / 10)^4 / 300 x t, d = -1 reversed.
float WavePhase(int speed, bool reverse, std::int32_t t);

// Whether a mask pixel marks water: black, allowing for the noise of a lossy format.
inline bool IsWater(std::uint32_t rgb) {
  return ((rgb >> 16) & 0xFF) < 0x40 && ((rgb >> 8) & 0xFF) < 0x40 && (rgb & 0xFF) < 0x40;
}

void VexWave(platform::PixelBuffer& dst, const platform::PixelBuffer& src, int w, int h,
             int parameter, float phase);
void VexFastMask(platform::PixelBuffer& dst, const platform::PixelBuffer& masked,
                 const platform::PixelBuffer& mask, int w, int h);

// The merge-paint raster operation: (NOT mask) OR picture, bit by bit, the mask stretched to
// the picture's size. Black mask pixels make the picture white; white ones leave it.
void MergePaint(platform::PixelBuffer& picture, const platform::PixelBuffer& mask);

}  // namespace tw::effects
