// MediaSystem: everything that sounds or moves on its own, owned by the game window as one
// member — the mixer with the seven sound players, the fade timer and its start time, and
// the shared multimedia device that plays videos.
//
// The time of day of the fades follows the platform's clock (so a fade on the virtual
// clock of a replay runs exactly as long as it says); it starts at the real time of day.
#pragma once

#include <memory>
#include <string>

#include "media/MediaDevice.h"
#include "media/Mixer.h"
#include "media/Mmedia.h"
#include "platform/Timer.h"

namespace tw::platform {
class Platform;
}

namespace tw::media {

// The General MIDI sound font: `chosen` when that file exists, else the first found under
// /usr/share/sounds/sf2 or sf3 (the distribution's default first); "" when there is none.
std::string FindSoundFont(const std::string& chosen);

class MediaSystem {
 public:
  MediaSystem(platform::Platform& platform, const std::string& soundFont);
  ~MediaSystem();

  Mixer mixer;
  platform::Timer TimerAudioFade;  // 100 ms fade steps
  double FadeStart = 0;            // seconds since midnight; 0 = not started
  MediaDevice device;              // the command layer behind Mmedia
  Mmedia mmedia;                   // the shared instance: videos

  // Seconds since midnight, moving with the platform's clock.
  double timeOfDay() const;
  // Makes the time of day `seconds` now (tests of the midnight rule).
  void setTimeOfDay(double seconds);

 private:
  platform::Platform& platform_;
  double dayOffset_ = 0;  // time of day at clock 0, seconds
};

}  // namespace tw::media
