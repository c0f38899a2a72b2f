// Colour: VB colour numbers and their RGB meaning.
//
// A colour is a VB colour number: red + 256 x green + 65536 x blue. Numbers with the top bit
// set (0x800000nn) name a system colour nn (button face, window text, ...), which is mapped
// to the classic Windows scheme, so game windows look as their authors saw them.
#pragma once

#include <cstdint>

namespace tw::platform {

using Colour = std::uint32_t;

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  bool operator==(const Rgb&) const = default;
};

inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kSystemColourFlag = 0x80000000u;
// The system colours the player's windows use (VB's vbButtonFace, ...).
inline constexpr Colour kButtonFace = 0x8000000Fu;
inline constexpr Colour kButtonText = 0x80000012u;
inline constexpr Colour kWindowBackground = 0x80000005u;
inline constexpr Colour kWindowText = 0x80000008u;

constexpr Colour ColourFromRgb(int r, int g, int b) {
  return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// The RGB a colour number shows as; an unknown system colour shows black.
Rgb ToRgb(Colour colour);

// The colour t of the way from a to b (t from 0 to 1), as an RGB colour number.
Colour MixColours(Colour a, Colour b, double t);

}  // namespace tw::platform
