// VisualEffects: the game window's visual effects — frame transitions, the rippling water
// and the animated pictures — with the window parts each one adds to the frame area.
// Game owns one; the Game operations of the frames call into it (GameEffects.cpp).
#pragma once

#include "effects/AnimatedPictures.h"
#include "effects/RipplingWater.h"
#include "effects/Transitions.h"

namespace tw {

class Game;

class VisualEffects {
 public:
  explicit VisualEffects(Game& game) : transitions(game), water(game), animations(game) {}

  Transitions transitions;
  RipplingWater water;
  AnimatedPictures animations;
};

}  // namespace tw
