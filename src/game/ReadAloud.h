// ReadAloud: the Options menu's "Read Messages Aloud" and what it reads in the game window.
//
// While it is checked the platform reads message and input boxes aloud; the game window adds
// the message bar (TextMessages) and the tooltip of what the pointer rests on: a hotspot's
// remark, an item's name. A tooltip is read once the pointer has rested kRestMs on it (as long
// as a tooltip takes to show), once per visit: moving inside the same hotspot reads nothing
// more, leaving it and coming back reads it again. Esc silences the text being read; the next
// text is read again. Each new text cuts the one being read.
//
// The choice is remembered per game (ReadAloudSetting), off until the player turns it on.
// Without a speech service the entry is greyed, its tooltip says what to install, and
// nothing is read; while the service is still being looked for it is checked again every
// kServiceCheckMs until it answers or is given up.
#pragma once

#include <string>

#include "platform/Menu.h"
#include "platform/Timer.h"

namespace tw {

class Game;

class ReadAloud {
 public:
  static constexpr int kRestMs = 700;
  static constexpr int kServiceCheckMs = 500;
  static constexpr const char* kInstallHint =
      "Install speech-dispatcher and espeak-ng to hear messages read aloud";

  explicit ReadAloud(Game& game);
  ~ReadAloud();
  ReadAloud(const ReadAloud&) = delete;
  ReadAloud& operator=(const ReadAloud&) = delete;

  bool enabled() const;
  void setEnabled(bool on);

  platform::MenuItem mnuReadAloud;
  platform::Timer TimerPointerRest;
  platform::Timer TimerSpeechService;

 private:
  void pointerMoved();
  void TimerPointerRest_Timer();
  void showServiceState();
  std::string tipUnderPointer();

  Game& game_;
  std::string readTip_;  // the tooltip read on this visit of its element
};

}  // namespace tw
