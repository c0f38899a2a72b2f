// Wave: per-row and per-column offsets are computed once per step, so a step costs one
// table lookup per pixel.
#include "effects/Wave.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tw::effects {

namespace {

// std::clamp and PixelBuffer::row are shared inline functions whose one linked copy may come
// from any file; the per-pixel loop below uses its own, so that it is compiled with this
// file's options (the fuzz build leaves comparison tracing out of it).
int Clamp(int v, int low, int high) { return v < low ? low : (v > high ? high : v); }

}  // namespace

std::int32_t VexClock::VexTime(int mode, std::int64_t nowMs) {
  if (mode == 1) {
    start_ = nowMs;
    return 0;
  }
  const std::int64_t elapsed = std::max<std::int64_t>(0, nowMs - start_);
  return static_cast<std::int32_t>(std::min<std::int64_t>(elapsed, INT32_MAX));
}

float WavePhase(int speed, bool reverse, std::int32_t t) {
  const double rate = std::pow((speed + 2) / 10.0, 4) / 300.0;
  const double d = reverse ? -1.0 : 1.0;
  return static_cast<float>(d * rate * static_cast<double>(t));
}

void VexWave(platform::PixelBuffer& dst, const platform::PixelBuffer& src, int w, int h,
             int parameter, float phase) {
  w = std::min({w, dst.width(), src.width()});
  h = std::min({h, dst.height(), src.height()});
  if (w <= 0 || h <= 0) return;
  const int p = std::abs(parameter);
  const double length = 8.0 + p % 32;            // pixels per wave
  const double height = 2.0 + (p / 32) % 4;      // pixels of shift
  constexpr double kTwoPi = 6.283185307179586;
  std::vector<int> rowShift(static_cast<std::size_t>(h));
  std::vector<int> columnShift(static_cast<std::size_t>(w));
  for (int y = 0; y < h; ++y) {
    rowShift[y] = static_cast<int>(std::lround(height * std::sin(kTwoPi * y / length + phase)));
  }
  for (int x = 0; x < w; ++x) {
    columnShift[x] = static_cast<int>(
        std::lround(height * 0.5 * std::sin(kTwoPi * x / (length * 1.5) + phase * 0.75)));
  }
  const std::uint32_t* const pixels = src.row(0);
  const std::size_t stride = static_cast<std::size_t>(src.width());
  for (int y = 0; y < h; ++y) {
    std::uint32_t* out = dst.row(y);
    const int dx = rowShift[y];
    for (int x = 0; x < w; ++x) {
      const int sx = Clamp(x + dx, 0, w - 1);
      const int sy = Clamp(y + columnShift[x], 0, h - 1);
      out[x] = pixels[static_cast<std::size_t>(sy) * stride + static_cast<std::size_t>(sx)];
    }
  }
}

void VexFastMask(platform::PixelBuffer& dst, const platform::PixelBuffer& masked,
                 const platform::PixelBuffer& mask, int w, int h) {
  w = std::min({w, dst.width(), masked.width(), mask.width()});
  h = std::min({h, dst.height(), masked.height(), mask.height()});
  for (int y = 0; y < h; ++y) {
    std::uint32_t* out = dst.row(y);
    const std::uint32_t* keep = masked.row(y);
    const std::uint32_t* m = mask.row(y);
    for (int x = 0; x < w; ++x) {
      if (!IsWater(m[x])) out[x] = keep[x];
    }
  }
}

void MergePaint(platform::PixelBuffer& picture, const platform::PixelBuffer& mask) {
  if (mask.width() <= 0 || mask.height() <= 0) return;
  for (int y = 0; y < picture.height(); ++y) {
    const int my = static_cast<int>(static_cast<std::int64_t>(y) * mask.height() / picture.height());
    std::uint32_t* row = picture.row(y);
    for (int x = 0; x < picture.width(); ++x) {
      const int mx = static_cast<int>(static_cast<std::int64_t>(x) * mask.width() / picture.width());
      row[x] = (~mask.at(mx, my) & 0xFFFFFFu) | row[x];
    }
  }
}

}  // namespace tw::effects
