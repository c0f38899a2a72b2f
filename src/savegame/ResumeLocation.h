// GetResumeLocation: the frame at which a loaded game resumes.
//
// The project's optional "Resume" file in ConfigFolder redirects saved frames: six leading
// fields the player does not use, then pairs (saved frame, resume frame) to the end of the
// file. A pair applies when its saved frame equals the frame without regard to case and its
// target is not empty; the last pair that applies wins. No file, an empty frame name or any
// failure while reading gives the frame itself (pairs read before a failure do not count).
#pragma once

#include <string>

namespace tw {

class Player;

std::string GetResumeLocation(Player& player, const std::string& sFrameName);

}  // namespace tw
