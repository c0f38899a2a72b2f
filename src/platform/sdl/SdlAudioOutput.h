// SdlAudioOutput: the real program's sound output, one SDL audio device.
//
// The device asks for sound from SDL's own thread. It is open only while there is something
// to hear: a thread of ours opens it when the source wakes it, and closes it once the source
// has been idle for a second (long enough for the last sound's tail to leave the sound
// server, short enough that a silent scene soon costs nothing). A closed device leaves no
// stream at the sound server and no thread of SDL's running. While it is closed the source
// is not asked, so a sound that wakes it is heard from its first frame.
//
// When no device can be opened (no sound hardware, or a driver that fails), the same thread
// asks the source for the same amount of sound in real time and throws it away, so players
// still advance, end and repeat on time; it too rests while the source is idle. A device
// that goes away while open (the sound server stopped or restarted) is replaced by the same
// silent clock, and opened again every two seconds until it answers. SDL stays inside this
// file's implementation.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
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
  bool audible() const override { return sdlStarted_ && !noDevice_.load(); }
  void wake() override;

  // Called by the device for the next frames.
  void fill(std::int16_t* stereo, int frames);

 private:
  void run();
  bool openDevice();
  // Stands in for the device while it is wanted, for `length` at most.
  void runSilentClock(std::unique_lock<std::mutex>& lock, std::chrono::milliseconds length);
  void fillLocked(std::int16_t* stereo, int frames);

  std::atomic<bool> sdlStarted_{false};
  std::atomic<bool> noDevice_{false};  // no device is open or can be: the silent clock runs
  std::uint32_t device_ = 0;           // SDL_AudioDeviceID, 0 = closed; run()'s thread only

  std::mutex mutex_;  // guards what follows; held while the source renders
  std::condition_variable changed_;
  AudioSource* source_ = nullptr;
  bool wanted_ = false;          // the source has something to sound: be open
  std::int64_t idleFrames_ = 0;  // frames rendered in a row while the source was idle
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace tw::platform
