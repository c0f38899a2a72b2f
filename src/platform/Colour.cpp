// Colour: system colours as the classic Windows scheme (Windows 2000 defaults) shows them.
#include "platform/Colour.h"

#include <array>

namespace tw::platform {

namespace {

// Indexed by the system colour number (GetSysColor order).
constexpr std::array<Rgb, 25> kSystemColours = {{
    {212, 208, 200},  // 0 scroll bar
    {58, 110, 165},   // 1 desktop
    {10, 36, 106},    // 2 active caption
    {128, 128, 128},  // 3 inactive caption
    {212, 208, 200},  // 4 menu bar
    {255, 255, 255},  // 5 window background
    {0, 0, 0},        // 6 window frame
    {0, 0, 0},        // 7 menu text
    {0, 0, 0},        // 8 window text
    {255, 255, 255},  // 9 active caption text
    {212, 208, 200},  // 10 active border
    {212, 208, 200},  // 11 inactive border
    {128, 128, 128},  // 12 application workspace
    {10, 36, 106},    // 13 highlight
    {255, 255, 255},  // 14 highlight text
    {212, 208, 200},  // 15 button face
    {128, 128, 128},  // 16 button shadow
    {128, 128, 128},  // 17 grey text
    {0, 0, 0},        // 18 button text
    {212, 208, 200},  // 19 inactive caption text
    {255, 255, 255},  // 20 3-D highlight
    {64, 64, 64},     // 21 3-D dark shadow
    {212, 208, 200},  // 22 3-D light
    {0, 0, 0},        // 23 tool tip text
    {255, 255, 225},  // 24 tool tip background
}};

}  // namespace

Rgb ToRgb(Colour colour) {
  if (colour & kSystemColourFlag) {
    std::uint32_t index = colour & 0x00FFFFFFu;
    return index < kSystemColours.size() ? kSystemColours[index] : Rgb{};
  }
  return Rgb{static_cast<std::uint8_t>(colour & 0xFF),
             static_cast<std::uint8_t>((colour >> 8) & 0xFF),
             static_cast<std::uint8_t>((colour >> 16) & 0xFF)};
}

Colour MixColours(Colour a, Colour b, double t) {
  const Rgb x = ToRgb(a);
  const Rgb y = ToRgb(b);
  auto mix = [t](int p, int q) { return static_cast<int>(p + (q - p) * t + 0.5); };
  return ColourFromRgb(mix(x.r, y.r), mix(x.g, y.g), mix(x.b, y.b));
}

}  // namespace tw::platform
