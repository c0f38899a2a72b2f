// Platform: the services of the window system that the game code calls.
//
// This is the one interface between the game and the machine. The real program implements it
// with Qt (platform/qt/), tests and replays with a virtual clock and scripted answers
// (platform/headless/). Nothing here exposes a Qt type. Everything runs on one thread:
// timers fire and input arrives only from inside processEvents() or a nested loop
// (a modal box, a wait).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

namespace tw::platform {

class AudioOutput;
class InputRecorder;
class Settings;
class Speech;
class TimerScheduler;
class Window;
struct MousePointer;

struct ScreenSize {
  int width = 0;   // pixels
  int height = 0;  // pixels
};

// A program started through the shell; its exit is polled.
class RunningProgram {
 public:
  virtual ~RunningProgram() = default;
  virtual bool finished() = 0;
  virtual int exitCode() = 0;  // meaningful once finished()
};

class Platform {
 public:
  virtual ~Platform() = default;

  // --- clock, timers and events -------------------------------------------------------
  // Milliseconds since an arbitrary start; only moves forward.
  virtual std::int64_t clockMs() = 0;
  // One pass over pending events: due timers fire, queued input is delivered.
  virtual void processEvents() = 0;
  // The scheduler behind every timer element of every window.
  virtual TimerScheduler& timers() = 0;

  // --- sound ------------------------------------------------------------------------
  // The one sound output; the game's mixer attaches itself to it.
  virtual AudioOutput& audioOutput() = 0;

  // --- dialogs ------------------------------------------------------------------------
  // Shows a modal box and returns the button pressed.
  virtual MsgAnswer messageBox(const MessageBoxRequest& request) = 0;
  // Shows a modal input box; nullopt when it was cancelled.
  virtual std::optional<std::string> inputBox(const InputBoxRequest& request) = 0;
  // Lets the player pick a folder, starting in startFolder; nullopt when cancelled or when
  // the back end has no folder chooser.
  virtual std::optional<std::string> chooseFolder(const std::string& /*title*/,
                                                  const std::string& /*startFolder*/) {
    return std::nullopt;
  }

  // The user's folder for pictures (ending in "/", made when missing), where screenshots
  // go; "" when there is none.
  virtual std::string picturesFolder() { return ""; }

  // --- reading aloud (Options > Read Messages Aloud) ----------------------------------
  // The desktop's speech service.
  virtual Speech& speech() = 0;
  // While on, the texts of boxes, the message bar, tooltips and buttons are read aloud.
  bool readingAloud() const { return readingAloud_; }
  // Off silences what is being read.
  void setReadingAloud(bool on);
  // Reads a text when reading is on and the service is there, cutting the text being read;
  // blank texts are not read.
  void readAloud(const std::string& text);
  // Esc: silence, reading stays on.
  void stopReading();

  // --- text size (Options > Text Size, see TextScale) -----------------------------------
  // The desktop's device pixel ratio and logical dpi (the size texts default to).
  virtual double devicePixelRatio() { return 1.0; }
  virtual double logicalDpi() { return 96.0; }
  // Percent; the boxes and menus of the back end follow it, the player's windows are laid
  // out by it.
  int textScale() const { return textScale_; }
  virtual void setTextScale(int percent) { textScale_ = percent; }

  // --- per-user settings --------------------------------------------------------------
  virtual Settings& settings() = 0;

  // --- display ------------------------------------------------------------------------
  // The screen size the game sees (after a display-mode change, the changed size).
  virtual ScreenSize screenSize() = 0;
  // Asks for another display size; false when the mode is not supported.
  virtual bool setDisplaySize(int width, int height) = 0;
  // Character height in pixels of the desktop's font; 0 when it cannot be measured.
  virtual int desktopFontHeight() = 0;

  // --- shell --------------------------------------------------------------------------
  // Opens a document, a web address or a "mailto:" address with the desktop's handler.
  virtual bool shellOpen(const std::string& target) = 0;
  // Starts a program with a command line; nullptr when it cannot be started.
  virtual std::unique_ptr<RunningProgram> startProgram(const std::string& commandLine) = 0;

  // --- windows and pointers -------------------------------------------------------------
  // Shows a window (not modal); it stays on screen until it is hidden or destroyed.
  virtual void showWindow(Window& window) = 0;
  // Shows a window modally: a nested loop runs until the window is hidden or destroyed
  // (or the program is asked to quit), then returns.
  virtual void runModal(Window& window) = 0;
  // A pointer over all windows of the program; PointerShape::Default hands the pointer back
  // to each element.
  virtual void setScreenPointer(const MousePointer& pointer) = 0;
  // Blocks for ms milliseconds without processing events (the poll of a started program).
  virtual void sleepMs(int ms) = 0;

  // --- program ------------------------------------------------------------------------
  // Ends the program as soon as control returns to the main loop.
  virtual void quit() = 0;
  virtual bool quitRequested() const = 0;

  // Modal boxes and windows open at this moment (message, input and folder boxes, modal
  // windows): work that must not run under one (an automatic save) waits while it is above 0.
  int modalOpen() const { return modalOpen_; }

  // --- recording --------------------------------------------------------------------------
  // Told of the player's input while a play-through is recorded; nullptr otherwise. The
  // recorder must outlive its time here (set nullptr before it goes).
  InputRecorder* inputRecorder() const { return inputRecorder_; }
  void setInputRecorder(InputRecorder* recorder) { inputRecorder_ = recorder; }

 protected:
  // Counts a modal box or window for as long as it lives; the back ends hold one around each.
  class ModalScope {
   public:
    explicit ModalScope(Platform& platform) : count_(platform.modalOpen_) { ++count_; }
    ~ModalScope() { --count_; }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

   private:
    int& count_;
  };

 private:
  int modalOpen_ = 0;
  InputRecorder* inputRecorder_ = nullptr;
  bool readingAloud_ = false;
  int textScale_ = 100;
};

}  // namespace tw::platform
