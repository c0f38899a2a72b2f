// GuiForPainting: makes sure a Qt GUI application exists while the element tree is painted
// without a window (tests, replay screenshots, transition captures of the headless back end).
//
// Qt reads fonts only once a QGuiApplication exists; without one the painter leaves captions
// out. Whoever wants text in headless pictures holds one GuiForPainting for as long as it
// paints: main() of a headless run (replays with --screenshot), a test fixture. It is not a
// global: its owner decides its lifetime. If an application object already exists (the Qt
// window back end's QApplication, or a fixture's), it does nothing and owns nothing.
// Otherwise it creates a QGuiApplication on the "offscreen" platform — headless painting
// never needs a screen, and a stale DISPLAY would otherwise abort the program — unless
// QT_QPA_PLATFORM names a platform explicitly. Like every Qt application object, it must be
// made and destroyed on the main thread, and only one can live at a time.
#pragma once

#include <memory>

namespace tw::platform {

class GuiForPainting {
 public:
  GuiForPainting();
  ~GuiForPainting();
  GuiForPainting(const GuiForPainting&) = delete;
  GuiForPainting& operator=(const GuiForPainting&) = delete;

  // Whether this object made the application (and ends it when destroyed).
  bool ownsApplication() const;
  // Whether text can be painted now: a GUI application exists (a plain QCoreApplication made
  // elsewhere does not count).
  static bool textAvailable();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace tw::platform
