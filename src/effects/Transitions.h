// Transitions: the animation from the old frame's picture to the new one's around a frame
// change — a cross-fade or one of four slides.
//
// step1 captures the old frame before the new one loads and, for a cross-fade, covers the
// frame area with it (the overlay picWhere) so the loading is not seen. step2 captures the
// new frame, animates on the clock for the requested duration while driving the sound fades
// with the same progress, and removes the covers. A click or key press (SkipRequested) ends
// the animation at its next step. The work pictures lie inside the frame area, below the
// inventory bar, which is never part of a capture.
//
// The old frame passes through the work file "Temp001.dat", written in the game folder when
// that folder can be written, else in a folder of this process under the system's temporary
// folder; it is deleted after every cross-fade.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/PictureBox.h"

namespace tw {

class Game;

class Transitions {
 public:
  explicit Transitions(Game& game);
  ~Transitions();
  Transitions(const Transitions&) = delete;
  Transitions& operator=(const Transitions&) = delete;

  void step1(std::int16_t number);
  void step2(std::int16_t number, double durationSeconds);
  // Hides the covers and work pictures and lets go of their images and the work file. A game
  // halted between the two steps, reset or loaded must not keep the old frame over the new.
  void clearCovers();
  // Draws what the player sees in the frame area into a work picture: background, texts,
  // still hotspot pictures, animated pictures as stills, the rippling water.
  void captureCurrentFrame(platform::PictureBox& box);
  // The animation itself; start and end hold the two captures.
  void run(int number, platform::PictureBox& target, platform::PictureBox& start,
           platform::PictureBox& end, double durationSeconds);

  bool running() const { return running_; }
  // Steps drawn by the last animation (for the state dump and tests).
  int stepsDrawn() const { return stepsDrawn_; }
  // Where the last cross-fade wrote its work file; empty before the first.
  const std::string& workFile() const { return workFile_; }

  platform::PictureBox picWhere;
  platform::PictureBox picStart;
  platform::PictureBox picEnd;

 private:
  // The options menu's "Disable Transitions" (Game::EnableOrDisableTransitions).
  bool disabled() const;
  void placeWorkPictures();
  std::string writeWorkFile(const platform::Picture& picture);
  // One step: true to go on, false when a skip ended the animation.
  bool waitForNextStep(std::int64_t due);
  void showRenderingError(const std::string& description);

  Game& game_;
  bool running_ = false;
  int stepsDrawn_ = 0;
  std::string workFile_;
};

}  // namespace tw
