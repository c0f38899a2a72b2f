// The test that ends the waits for a video (a frame's and an action's): the media device's
// status names its state in whatever letter case the device uses ("Stopped", "PLAYING").
#pragma once

#include <string_view>

#include "common/TextEncoding.h"

namespace tw {

// True while the status says the media is still going: anything but empty or "stopped".
inline bool MediaStillPlaying(std::string_view status) {
  return !status.empty() && !EqualsNoCase(status, "stopped");
}

}  // namespace tw
