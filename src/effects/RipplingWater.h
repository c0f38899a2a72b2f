// RipplingWater: a rectangle of the frame's picture redrawn through a moving wave about
// thirty times a second, limited by a mask to the water.
//
// A frame "N" has the effect when "N.rwe" (the rectangle, the ripple parameter, the speed and
// whether the wave runs backwards) and the mask picture "N.rwm" both lie in the frames folder.
// Each step draws the still region (the original) through the wave, then puts back the
// masked copy wherever the mask is not black, so only the water moves. The wave follows the
// effect's own clock, not the number of steps: a slow machine shows fewer steps of the same
// motion. The effect picture is an element over the frame area; Game::RipplingWaterActive
// says whether an effect is loaded, Game::TimerRipplingWater drives it.
#pragma once

#include <cstdint>
#include <string>

#include "effects/Wave.h"
#include "platform/Image.h"
#include "platform/PixelBuffer.h"

namespace tw {

class Game;
namespace platform {
class PictureBox;
}

class RipplingWater {
 public:
  explicit RipplingWater(Game& game);
  RipplingWater(const RipplingWater&) = delete;
  RipplingWater& operator=(const RipplingWater&) = delete;

  void load(const std::string& frameName);
  void timerStep();
  // Lets a step in progress end (at most 5 seconds), then hides the effect.
  void stop();
  // After the frame is shown: the clock starts again and the timer runs.
  void startIfActive();
  // The transition capture includes the water as it shows.
  void paintInto(platform::PictureBox& box) const;
  bool running() const;
  int stepsDrawn() const { return steps_; }

  platform::Image PicRipplingWater;

 private:
  void drawStep();

  Game& game_;
  effects::VexClock clock_;
  platform::PixelBuffer original_;
  platform::PixelBuffer masked_;
  platform::PixelBuffer mask_;
  platform::PixelBuffer out_;
  std::int16_t parameter_ = 0;
  std::int16_t speed_ = 0;
  bool reverse_ = false;
  bool stepDone_ = true;
  int steps_ = 0;
};

}  // namespace tw
