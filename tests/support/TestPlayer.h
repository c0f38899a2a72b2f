// TestPlayer: a player on the headless back end with its own temporary game folder.
//
// Boxes are answered from a queue (the default button when it is empty) and recorded, so
// tests check exactly what the player showed.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/headless/HeadlessPlatform.h"
#include "project/Player.h"
#include "support/GameFolder.h"

namespace tw::test {

struct TestPlayer {
  TestPlayer();

  // Runs InitializeProject on the folder; false when the program had to end.
  bool initialize();

  // The boxes shown so far.
  const std::vector<platform::HeadlessPlatform::BoxRecord>& boxes() const;
  void queueAnswer(platform::MsgAnswer answer);

  GameFolder game;
  platform::HeadlessPlatform platform;
  Player player;
};

}  // namespace tw::test
