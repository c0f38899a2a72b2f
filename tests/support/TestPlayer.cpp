#include "support/TestPlayer.h"

#include "project/InitializeProject.h"

namespace tw::test {

TestPlayer::TestPlayer() : player(platform, game.path()) {}

bool TestPlayer::initialize() {
  return InitializeProject(player);
}

const std::vector<platform::HeadlessPlatform::BoxRecord>& TestPlayer::boxes() const {
  return platform.boxes();
}

void TestPlayer::queueAnswer(platform::MsgAnswer answer) {
  platform.queueAnswer(answer);
}

}  // namespace tw::test
