// InputRecorder: what the player does, told as it happens, so that a play-through can be
// written down and played again.
//
// The real program's back end calls the input methods with the window and client twips the
// window's own dispatch receives, before the window's handlers run, and inputDone once those
// handlers have returned: every input method is paired with exactly one inputDone, and inputs
// nest (a handler that runs an event loop receives further input inside). Boxes are told as
// they open and when they are answered; modal windows as they open and close. The game's own
// windows tell the choices a person makes in them (the saved game chosen, the CD window's
// answer), at the moment the choice is acted on, before any box it raises.
#pragma once

#include <optional>
#include <string>

#include "platform/Dialogs.h"

namespace tw::platform {

class MenuItem;
class Window;

class InputRecorder {
 public:
  virtual ~InputRecorder() = default;

  // --- input to a window (client twips) ----------------------------------------------
  virtual void mousePressed(Window& window, int button, int x, int y, bool doubleClick) = 0;
  virtual void mouseReleased(Window& window, int button, int x, int y) = 0;
  virtual void mouseMoved(Window& window, int x, int y) = 0;
  virtual void keyPressed(Window& window, int keyCode, int shift) = 0;
  virtual void menuChosen(Window& window, MenuItem& item) = 0;
  // The window's close button (or the window manager's close).
  virtual void closeRequested(Window& window) = 0;
  virtual void inputDone() = 0;

  // --- boxes and modal windows ----------------------------------------------------------
  virtual void messageBoxShown(const MessageBoxRequest& request) = 0;
  virtual void messageBoxAnswered(const MessageBoxRequest& request, MsgAnswer answer) = 0;
  virtual void inputBoxShown(const InputBoxRequest& request) = 0;
  virtual void inputBoxAnswered(const InputBoxRequest& request,
                                const std::optional<std::string>& text) = 0;
  virtual void modalWindowShown(Window& window) = 0;
  // The modal window last shown has closed (it may be destroyed already).
  virtual void modalWindowClosed() = 0;

  // --- choices made in the game's own windows ---------------------------------------------
  // SAVE or LOAD pressed with a name; an empty name on load is the automatic save.
  virtual void savedGameChosen(bool save, const std::string& name) = 0;
  // The CD window answered with a volume root, or cancelled (nullopt).
  virtual void cdWindowAnswered(const std::optional<std::string>& root) = 0;
};

// Pairs an input with its inputDone, however the handlers in between leave.
class RecordedInput {
 public:
  explicit RecordedInput(InputRecorder* recorder) : recorder_(recorder) {}
  ~RecordedInput() {
    if (recorder_) recorder_->inputDone();
  }
  RecordedInput(const RecordedInput&) = delete;
  RecordedInput& operator=(const RecordedInput&) = delete;

 private:
  InputRecorder* recorder_;
};

}  // namespace tw::platform
