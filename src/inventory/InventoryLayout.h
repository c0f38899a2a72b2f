// The inventory's spacing rule: the gaps around icons that "General" gives, made safe.
//
// A damaged "General" may hold a negative or huge spacing: -32 would make the row pitch 0
// (a division by zero at the first pick-up), -11 or less a bar a few pixels high that slides
// by steps rounding to nothing, and values near the integer limits overflow the layout. Every
// use of a spacing goes through InventorySpacing, which clamps it to 0..kMaxInventorySpacing
// pixels; at the largest the closed bar is still 30480 twips high, within 16-bit twips.
#pragma once

#include <algorithm>
#include <cstdint>

namespace tw {

inline constexpr int kMaxInventorySpacing = 1000;  // pixels

inline int InventorySpacing(std::int32_t spacing) {
  return std::clamp<std::int32_t>(spacing, 0, kMaxInventorySpacing);
}

}  // namespace tw
