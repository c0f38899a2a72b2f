// InstanceSlot: which of the players running at once for this user this one is (0 for the
// first), so that their windows do not open exactly over each other.
//
// Slot N is held by an exclusive lock on "slot-N.lock" in the user's runtime folder
// ($XDG_RUNTIME_DIR/talewick-player, else the temporary folder); the lowest slot whose lock
// is free is taken and held for the life of the object. A program that ends for any reason
// lets its lock go, so slots never leak. When no lock can be made the slot is 0.
#pragma once

#include <string>

#include "common/UniqueFd.h"

namespace tw::platform {

class InstanceSlot {
 public:
  // Looks in `folder` (made when missing); "" for the user's runtime folder.
  explicit InstanceSlot(const std::string& folder = "");
  int number() const { return number_; }

 private:
  UniqueFd lock_;
  int number_ = 0;
};

}  // namespace tw::platform
