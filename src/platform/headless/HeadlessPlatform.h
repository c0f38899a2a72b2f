// HeadlessPlatform: the Platform of tests and replays — no screen, a virtual clock, scripted
// answers.
//
// The clock (ms) moves only when told: advance(ms) fires timers in due order, each at its
// due time; every processEvents() moves it by 1 ms and fires what is due, so the game's
// wait loops end; sleepMs moves it without firing anything (a sleeping program handles no
// events). The sound output renders up to the clock whenever it moves. Message boxes take a
// queued answer, else their default button; input boxes a queued text (nullopt = cancelled),
// else their default text. Every box is recorded, and so is every text read aloud.
//
// A started program really runs, and its waiter really waits for it, but on the virtual
// clock it always ends between the first poll and the second: however long it takes here,
// a wait for it costs the game exactly one poll (the 100 ms of OpenExeFileAndWait), so the
// game's clock and timers do not depend on the machine's speed.
//
// Input hook: whenever the player waits for input inside a nested loop (a message or input
// box with nothing queued, a modal window, processEvents), the hook is called first, so
// input that arrives while the player is inside such a loop reaches it there — a replay
// runner delivers its next line from the hook. The hook returns whether it delivered
// anything. A modal window for which the hook delivers nothing is closed as if the player
// had pressed its close button (headless runs never hang on a window).
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Element.h"
#include "platform/headless/HeadlessAudioOutput.h"
#include "platform/MemorySettings.h"
#include "platform/Platform.h"
#include "platform/RecordedSpeech.h"
#include "platform/TimerScheduler.h"

namespace tw::platform {

class HeadlessPlatform : public Platform {
 public:
  struct BoxRecord {
    std::string title;
    std::string text;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    MsgAnswer answer = MsgAnswer::Ok;
  };
  struct InputRecord {
    std::string prompt;
    std::string title;
    std::string defaultText;
    std::optional<std::string> answer;
    std::size_t boxesBefore = 0;  // message boxes shown before this one (for the order)
  };
  enum class WaitKind { MessageBox, InputBox, ModalWindow, ProcessEvents };
  struct Wait {
    WaitKind kind;
    int depth;  // nested loops open, this one included
    const MessageBoxRequest* box = nullptr;
    const InputBoxRequest* input = nullptr;
    Window* window = nullptr;
  };
  using InputHook = std::function<bool(const Wait&)>;

  HeadlessPlatform();
  // Settings kept elsewhere (an INI file in a test folder); it must outlive the platform.
  explicit HeadlessPlatform(Settings& settings);
  ~HeadlessPlatform() override;

  // --- Platform ---------------------------------------------------------------------
  std::int64_t clockMs() override { return clock_; }
  void processEvents() override;
  TimerScheduler& timers() override { return timers_; }
  AudioOutput& audioOutput() override { return audio_; }
  MsgAnswer messageBox(const MessageBoxRequest& request) override;
  std::optional<std::string> inputBox(const InputBoxRequest& request) override;
  Settings& settings() override { return *settings_; }
  // Records what is read aloud (see RecordedSpeech).
  RecordedSpeech& speech() override { return speech_; }
  ScreenSize screenSize() override { return screen_; }
  bool setDisplaySize(int width, int height) override;
  int desktopFontHeight() override { return fontHeight_; }
  bool shellOpen(const std::string& target) override;
  // The program runs for real; see the file comment for the clock.
  std::unique_ptr<RunningProgram> startProgram(const std::string& commandLine) override;
  // The folder chooser takes a queued folder (nullopt: cancelled); none queued: cancelled.
  std::optional<std::string> chooseFolder(const std::string& title,
                                          const std::string& startFolder) override;
  void showWindow(Window& window) override;
  void runModal(Window& window) override;
  void setScreenPointer(const MousePointer& pointer) override { screenPointer_ = pointer; }
  void sleepMs(int ms) override;
  void quit() override { quit_ = true; }
  bool quitRequested() const override { return quit_; }

  // --- clock --------------------------------------------------------------------------
  // Moves the clock by ms, firing each timer at its due time in due order.
  void advance(std::int64_t ms);

  // The sound output: what was mixed, on the virtual clock (and its WAV recording).
  HeadlessAudioOutput& headlessAudio() { return audio_; }

  // --- scripted answers and records ---------------------------------------------------
  void queueAnswer(MsgAnswer answer) { answers_.push_back(answer); }
  void queueInput(std::optional<std::string> text) { inputs_.push_back(std::move(text)); }
  std::string picturesFolder() override { return picturesFolder_; }
  void setPicturesFolder(std::string folder) { picturesFolder_ = std::move(folder); }
  void queueFolder(std::optional<std::string> folder) { folders_.push_back(std::move(folder)); }
  // The folder each folder chooser started in, in order.
  const std::vector<std::string>& folderChooserStarts() const { return folderStarts_; }
  std::size_t queuedAnswers() const { return answers_.size(); }
  std::size_t queuedInputs() const { return inputs_.size(); }
  const std::vector<BoxRecord>& boxes() const { return boxes_; }
  const std::vector<InputRecord>& inputBoxes() const { return inputRecords_; }

  void setInputHook(InputHook hook) { hook_ = std::move(hook); }
  int nestingDepth() const { return depth_; }

  // --- screen -------------------------------------------------------------------------
  void setScreen(int width, int height) { screen_ = ScreenSize{width, height}; }
  // Sizes setDisplaySize accepts; empty (the default) accepts every size.
  void setSupportedSizes(std::vector<ScreenSize> sizes) { supported_ = std::move(sizes); }
  void setDesktopFontHeight(int pixels) { fontHeight_ = pixels; }
  double devicePixelRatio() override { return pixelRatio_; }
  double logicalDpi() override { return logicalDpi_; }
  void setScreenScale(double pixelRatio, double logicalDpi) {
    pixelRatio_ = pixelRatio;
    logicalDpi_ = logicalDpi;
  }
  int displayChanges() const { return displayChanges_; }

  // --- shell, pointer, windows --------------------------------------------------------
  const std::vector<std::string>& openedTargets() const { return opened_; }
  void setShellOpenResult(bool ok) { shellOpenResult_ = ok; }
  const MousePointer& screenPointer() const { return screenPointer_; }
  // Windows shown and not yet destroyed, in order of first showing.
  std::vector<Window*> shownWindows() const;

 private:
  std::string picturesFolder_;
  // Counts a nested loop for as long as it lives.
  struct Nest {
    explicit Nest(int& d) : depth(d) { ++depth; }
    ~Nest() { --depth; }
    int& depth;
  };
  bool callHook(Wait wait);

  // Moves the clock and renders the sound up to it.
  void setClock(std::int64_t ms);

  std::int64_t clock_ = 0;
  TimerScheduler timers_;
  HeadlessAudioOutput audio_;
  MemorySettings ownSettings_;
  Settings* settings_;
  RecordedSpeech speech_;
  std::deque<MsgAnswer> answers_;
  std::deque<std::optional<std::string>> inputs_;
  std::deque<std::optional<std::string>> folders_;
  std::vector<std::string> folderStarts_;
  std::vector<BoxRecord> boxes_;
  std::vector<InputRecord> inputRecords_;
  InputHook hook_;
  int depth_ = 0;
  ScreenSize screen_{1024, 768};
  std::vector<ScreenSize> supported_;
  int fontHeight_ = 16;
  double pixelRatio_ = 1.0;
  double logicalDpi_ = 96.0;
  int displayChanges_ = 0;
  std::vector<std::string> opened_;
  bool shellOpenResult_ = true;
  MousePointer screenPointer_;
  std::vector<std::weak_ptr<Element*>> windows_;
  bool quit_ = false;
};

}  // namespace tw::platform
