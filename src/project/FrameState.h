// CurrentFrameState: what the player knows of the frame being shown.
//
// Frame loading fills it; ClearFrameState empties it at the start of every frame change and
// at start-up. The frame-timer fields are deliberately not here: a frame file that ends
// early keeps the previous frame's timer settings.
#pragma once

#include <cstdint>
#include <string>

namespace tw {

struct CurrentFrameState {
  std::string CurrentFrameName;
  std::int16_t BackgroundType = 0;  // 0 colour, 1 picture, anything else: nothing drawn
  std::string BackgroundValue;      // colour number as text, or picture file name
  bool BackgroundTiled = false;
  std::int16_t HotspotCount = 0;
};

}  // namespace tw
