// ReplayRunner: plays a replay's lines into a game session on the headless back end.
//
// Each line is the player's input, in order, on the virtual clock. When the game opens a
// modal box while a line is running, the box takes the next line if that line answers it
// ("answer", "input"), as a person would answer a box that has just appeared; otherwise the
// box gets its default button. An "answer" or "input" line that no box takes stops the
// replay. Input for a game window that is not open is ignored with a note on the error
// stream. A "save" or "load" line opens its window and acts in it as soon as the window
// waits for input: it types (or picks) the name and presses SAVE (LOAD). The CD window takes
// a "drive" line as a box takes an answer; one that no line answers is cancelled and stops
// the replay, which would otherwise hang. While a frame transition animates, the next lines
// that a person could give meanwhile (waits, clicks, pointer moves, keys) reach it there, so
// a replay can look at a transition halfway or skip it. While a video plays, its wait loop
// takes the next click, move, key or wait line the same way (a click or Escape ends it, and
// the line after that one runs once the video has stopped).
//
// A wait line only sets the clock time before which no further line is given; whichever loop
// is running lets the clock run to it. A wait taken by a transition or a video's loop
// therefore passes inside that loop step by step, exactly as real time would (the
// transition draws and fades its sound at each of its steps), and the part of it that
// outlasts the loop passes in the main loop afterwards.
//
// The replay ends when its last line has been acted on, wherever the game then is: onEnd
// runs once at that moment (the state dump and screenshot are taken there), even in the
// middle of a transition, which then plays on to its end.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <vector>

#include "app/GameSession.h"
#include "app/ReplayScript.h"
#include "platform/headless/HeadlessPlatform.h"

namespace tw {

class ReplayRunner {
 public:
  ReplayRunner(platform::HeadlessPlatform& platform, GameSession& session,
               std::vector<ReplayLine> lines, std::ostream& notes);
  ~ReplayRunner();

  // Runs every line; throws ReplayError for an input this player cannot give yet.
  void run();
  std::function<void()> onEnd;

 private:
  bool answerFromNextLine(const platform::HeadlessPlatform::Wait& wait);
  bool inputDuringTransition();
  // Lets the clock run to the end of the wait line being played.
  void finishWait();
  // True while the time of a wait line is still passing: no line is given before its end.
  bool waiting() const;
  void end();
  bool answerCdWindow(platform::Window& window);
  void execute(const ReplayLine& line);
  void mouse(const ReplayLine& line);
  void menu(const ReplayLine& line);
  void drag(const ReplayLine& line);
  void saveOrLoad(const ReplayLine& line);
  bool actInSavedGameWindow(platform::Window& window);
  void note(const ReplayLine& line, const std::string& text);

  platform::HeadlessPlatform& platform_;
  GameSession& session_;
  std::vector<ReplayLine> lines_;
  std::ostream& notes_;
  std::size_t next_ = 0;
  bool inVideoLine_ = false;  // a line is being given to a video's wait loop
  bool ended_ = false;
  // The clock time at which the last wait line played ends; the next line waits for it.
  std::int64_t waitUntil_ = 0;
  // Set when a CD window found no "drive" line to answer it; the replay stops with it.
  std::string unansweredCdWindow_;
  // A "save" or "load" line waiting for its window to open.
  const ReplayLine* savedGameLine_ = nullptr;
};

}  // namespace tw
