// SdlAudioOutput: the real program's sound output, one SDL audio device.
//
// The device asks for sound from SDL's own thread. When no device can be opened (no sound
// hardware, or SDL_AUDIODRIVER=dummy), a thread of our own asks the source for the same
// amount of sound in real time and throws it away, so players still advance, end and
// repeat on time. SDL stays inside this file's implementation.
#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/AudioOutput.h"

namespace tw::platform {

class SdlAudioOutput : public AudioOutput {
 public:
  SdlAudioOutput();
  ~SdlAudioOutput() override;
  SdlAudioOutput(const SdlAudioOutput&) = delete;
  SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

  void setSource(AudioSource* source) override;
  bool audible() const override { return device_ != 0; }

  // Called by the device (and by the silent clock) for the next frames.
  void fill(std::int16_t* stereo, int frames);

 private:
  void runSilentClock();

  std::uint32_t device_ = 0;  // SDL_AudioDeviceID; 0 = none
  bool sdlStarted_ = false;
  std::mutex mutex_;  // guards source_ for the silent clock
  AudioSource* source_ = nullptr;
  std::thread silentClock_;
  std::condition_variable wake_;
  bool stopping_ = false;
};

}  // namespace tw::platform
