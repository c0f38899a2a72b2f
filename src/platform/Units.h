// Units: window positions and sizes are twips, 15 to the pixel (96 dpi).
#pragma once

namespace tw::platform {

inline constexpr int kTwipsPerPixel = 15;

constexpr int TwipsFromPixels(int pixels) {
  return pixels * kTwipsPerPixel;
}

// Rounds towards minus infinity, so an element 7 twips above its container starts one
// pixel above it, not on its edge.
constexpr int PixelsFromTwips(int twips) {
  return twips >= 0 ? twips / kTwipsPerPixel : -((-twips + kTwipsPerPixel - 1) / kTwipsPerPixel);
}

}  // namespace tw::platform
