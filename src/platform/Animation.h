// Animation: the pictures of an animated picture file (an animated GIF) with the time each
// one shows, as the file gives them.
//
// A file of one picture (any still format) gives one frame. A frame whose file time is 0
// (browsers treat it as "as fast as possible") is given kDefaultFrameMs, so nothing spins.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace tw::platform {

class Picture;

struct AnimationFrame {
  std::shared_ptr<const Picture> picture;
  int delayMs = 0;
};

inline constexpr int kDefaultFrameMs = 100;

// Raises VbError 53 "File not found" for a missing file, 481 "Invalid picture" when no frame
// can be read.
std::vector<AnimationFrame> LoadAnimation(const std::string& path);

}  // namespace tw::platform
