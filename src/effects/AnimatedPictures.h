// AnimatedPictures: animated GIF pictures shown on hotspots in place of still ones.
//
// Each picture is a box (AniGifBox, an element array whose index is the owning hotspot's
// number) over the frame that shows the current picture of the animation at its natural
// size. A click on the box acts on that hotspot, an item dropped on it runs the hotspot's
// item action, the pointer over it is the hotspot's. One timer moves every playing
// animation on; a picture shows for its own time in the file scaled by the speed value:
// 50 keeps the file's timing, 100 runs twice as fast (0 or less means 50).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/Animation.h"
#include "platform/ElementArray.h"
#include "platform/Image.h"
#include "platform/Timer.h"

namespace tw {

class Game;
namespace platform {
class PictureBox;
}

class AnimatedPictures {
 public:
  explicit AnimatedPictures(Game& game);
  AnimatedPictures(const AnimatedPictures&) = delete;
  AnimatedPictures& operator=(const AnimatedPictures&) = delete;

  // Creates and starts the pair; returns index, or 0 when nothing was made.
  int newWithIndex(int index, const std::string& file, int left, int top, int speed);
  // (Re)loads and starts a pair's picture; an empty file name removes the pair.
  void update(int index, const std::string& file, int speed);
  void removeAll();
  // Showing restarts the animation from its first picture; hiding stops it.
  void show(int index, bool visible);
  // After a transition: every visible animation starts again.
  void restartVisible();
  // Each visible picture as a still, its file's first picture, at natural size.
  void paintStills(platform::PictureBox& box);
  // Animations playing now.
  int playing() const;
  // Index of the picture shown (for tests); -1 without a pair.
  int currentFrame(int index) const;
  static int SpeedValue(int speed) { return speed < 1 ? 50 : speed; }

  platform::ElementArray<platform::Image> AniGifBox;
  platform::Timer TimerAniGif;

 private:
  struct Animation {
    std::string file;
    std::vector<platform::AnimationFrame> frames;
    int speed = 50;
    std::size_t current = 0;
    bool playing = false;
    std::int64_t nextMs = 0;
  };
  void start(int index, Animation& a);
  void tick();
  void updateTimer();
  std::int64_t shownFor(const Animation& a) const;

  Game& game_;
  std::map<int, Animation> animations_;
};

}  // namespace tw
