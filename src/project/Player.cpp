#include "project/Player.h"

#include <utility>

namespace tw {

Player::Player(platform::Platform& platform, std::string programFolder)
    : platform_(platform), programFolder_(std::move(programFolder)) {}

}  // namespace tw
