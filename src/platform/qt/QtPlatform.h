// QtPlatform: the Platform of the real program — Qt windows, dialogs, timers and pointers.
//
// main() creates the QApplication first, then one QtPlatform, and runs app.exec() unless
// quitRequested() is already true. Closing a window never ends the program by itself (the
// game decides: QGuiApplication's quit-on-last-window-closed is switched off); quit() ends
// every event loop, nested ones too, once control returns to the loop.
//
// Timers: the TimerScheduler is driven from the event loop by one precise QTimer, re-armed
// to the scheduler's next due time whenever the loop is about to wait (so timers run inside
// message boxes and modal windows too). processEvents() is one pass of Qt's events followed
// by the timers now due.
//
// Display: the monitor's mode is never changed. setDisplaySize records the size the game
// sees; full-screen windows then show their client area scaled to the real screen
// (WindowLayout, DisplayFit). Asking for the real size ends the emulation.
//
// The desktop font height is the Windows system font's 16 pixels scaled by the desktop's
// logical dpi, so only a desktop set to larger text (120 dpi and up) counts as large fonts.
//
// Every shown Window gets one WindowView (a top-level QWidget); the view goes when its
// Window is destroyed. The platform must outlive the windows it shows or forget them first
// (its destructor detaches every view from its window).
#pragma once

#include <QElapsedTimer>
#include <QFont>
#include <QMetaObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <memory>
#include <optional>
#include <vector>

#include "platform/Element.h"
#include "platform/GameClock.h"
#include "platform/Platform.h"
#include "platform/TimerScheduler.h"
#include "platform/qt/EscapeSilences.h"
#include "platform/qt/Pointers.h"
#include "platform/speech/SpeechDispatcher.h"

class QTimer;
class QUrl;
class QWidget;

namespace tw::platform {

class IniSettings;
class InstanceSlot;
class WindowView;

// The address QDesktopServices opens for a shell "open" of target: URLs with a scheme
// (http:, https:, mailto:, file:, ...) as they are, "www." addresses as http, anything else
// as a local file (relative paths from the working folder). An empty URL for an empty target.
QUrl ShellTargetUrl(const std::string& target);

class QtPlatform : public Platform {
 public:
  // Settings in the default per-user INI file.
  QtPlatform();
  // Settings kept elsewhere; they must outlive the platform.
  explicit QtPlatform(Settings& settings);
  ~QtPlatform() override;
  QtPlatform(const QtPlatform&) = delete;
  QtPlatform& operator=(const QtPlatform&) = delete;

  // --- Platform -----------------------------------------------------------------------
  std::int64_t clockMs() override;
  void processEvents() override;
  TimerScheduler& timers() override { return timers_; }
  // The SDL device, opened the first time sound is wanted.
  AudioOutput& audioOutput() override;
  MsgAnswer messageBox(const MessageBoxRequest& request) override;
  std::optional<std::string> inputBox(const InputBoxRequest& request) override;
  std::optional<std::string> chooseFolder(const std::string& title,
                                          const std::string& startFolder) override;
  Settings& settings() override { return *settings_; }
  Speech& speech() override { return *speech_; }
  // The XDG pictures folder (xdg-user-dirs), else the home folder.
  std::string picturesFolder() override;
  ScreenSize screenSize() override;
  bool setDisplaySize(int width, int height) override;
  int desktopFontHeight() override;
  double devicePixelRatio() override;
  double logicalDpi() override;
  // The application's font (boxes, menus) grows with it; the windows are laid out again.
  void setTextScale(int percent) override;
  bool shellOpen(const std::string& target) override;
  std::unique_ptr<RunningProgram> startProgram(const std::string& commandLine) override;
  void showWindow(Window& window) override;
  void runModal(Window& window) override;
  void setScreenPointer(const MousePointer& pointer) override;
  void sleepMs(int ms) override;
  void quit() override;
  bool quitRequested() const override { return quit_; }

  // Takes this player's place among the players running at once: the second one's windows
  // open 48 pixels right of and below the first one's, and so on (main() calls this; tests
  // do not, so their windows stay where they expect them).
  void claimInstanceSlot();
  QPoint cascade() const { return cascade_; }

  // --- for the views and for tests ------------------------------------------------------
  // The real screen the windows are laid out on: the primary screen, unless overridden.
  QRect realScreen() const;
  // Lays windows out on another screen rectangle (tests of the scaled full-screen case);
  // nullopt goes back to the primary screen.
  void overrideRealScreen(std::optional<QRect> screen);
  bool displayEmulated() const { return emulated_.has_value(); }
  // The widget showing a window; nullptr when it was never shown.
  QWidget* widgetFor(const Window& window) const;
  WindowView* viewFor(const Window& window) const;
  // A shown window of this player other than `except`, to keep a top-most window above;
  // windows that are top-most themselves come last. nullptr when there is none.
  WindowView* ownWindowBelow(const WindowView& except) const;
  const MousePointer& screenPointer() const { return screenPointer_; }

 private:
  void init();
  void armTimer();
  void runDueTimers();
  WindowView& ensureView(Window& window);
  void forgetView(WindowView& view);
  void relayoutAll();
  QWidget* dialogParent() const;

  QElapsedTimer clock_;
  // Steps longer than 5 s (the heartbeat reads the clock every second) are time the game
  // did not run: it goes on from where it was.
  GameClock gameClock_{5000};
  std::unique_ptr<QTimer> heartbeat_;
  TimerScheduler timers_;
  std::unique_ptr<AudioOutput> audio_;
  std::unique_ptr<IniSettings> ownSettings_;
  Settings* settings_ = nullptr;
  // Qt objects without a parent, deleted later so that none goes inside its own signal.
  struct DeleteLater {
    void operator()(QObject* object) const;
  };
  std::unique_ptr<QTimer> drive_;
  std::unique_ptr<SpeechDispatcher> speech_;
  std::unique_ptr<EscapeSilences> escape_;
  std::optional<QFont> baseFont_;  // the application's font at 100 %
  QMetaObject::Connection armOnIdle_;
  std::optional<std::int64_t> armedFor_;
  std::vector<std::unique_ptr<WindowView, DeleteLater>> views_;
  std::optional<ScreenSize> emulated_;
  std::optional<QRect> realOverride_;
  std::unique_ptr<InstanceSlot> slot_;
  QPoint cascade_;
  MousePointer screenPointer_;
  bool overrideCursor_ = false;
  PointerCache cursors_;
  bool quit_ = false;
};

}  // namespace tw::platform
