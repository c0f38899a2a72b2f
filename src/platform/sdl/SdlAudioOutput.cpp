// SdlAudioOutput: the SDL device, opened while something sounds, and the silent clock that
// replaces it when there is none.
#include "platform/sdl/SdlAudioOutput.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

namespace tw::platform {

namespace {

// How long the source must stay idle before the device closes.
constexpr std::int64_t kIdleFramesBeforeClose = kAudioRate;
// How long the silent clock stands in for a lost device before it is opened again.
constexpr std::chrono::milliseconds kRetryLostDevice(2000);

void DeviceCallback(void* self, Uint8* stream, int bytes) {
  static_cast<SdlAudioOutput*>(self)->fill(reinterpret_cast<std::int16_t*>(stream),
                                           bytes / (kAudioChannels * 2));
}

}  // namespace

SdlAudioOutput::SdlAudioOutput() {
  // SDL would otherwise turn SIGINT and SIGTERM into quit events that nobody reads, and the
  // program could no longer be stopped by them.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  sdlStarted_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  noDevice_ = !sdlStarted_;
  thread_ = std::thread([this] { run(); });
}

SdlAudioOutput::~SdlAudioOutput() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();  // closes the device
  if (sdlStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlAudioOutput::setSource(AudioSource* source) {
  std::lock_guard lock(mutex_);
  source_ = source;
  idleFrames_ = 0;
  if (source_ && !source_->idle()) wanted_ = true;
  changed_.notify_all();
}

void SdlAudioOutput::wake() {
  std::lock_guard lock(mutex_);
  idleFrames_ = 0;
  if (!wanted_) {
    wanted_ = true;
    changed_.notify_all();
  }
}

void SdlAudioOutput::fill(std::int16_t* stereo, int frames) {
  std::lock_guard lock(mutex_);
  fillLocked(stereo, frames);
}

void SdlAudioOutput::fillLocked(std::int16_t* stereo, int frames) {
  if (source_) {
    source_->renderAudio(stereo, frames);
  } else {
    std::memset(stereo, 0, static_cast<std::size_t>(frames) * kAudioChannels * 2);
  }
  // Asked under the lock, a play that starts after this answer is sure to call wake() after
  // wanted_ has been cleared, so the device cannot close on a sound that has just begun.
  if (source_ && !source_->idle()) {
    idleFrames_ = 0;
    return;
  }
  idleFrames_ += frames;
  if (idleFrames_ >= kIdleFramesBeforeClose && wanted_) {
    wanted_ = false;
    changed_.notify_all();
  }
}

bool SdlAudioOutput::openDevice() {
  SDL_AudioSpec want{};
  want.freq = kAudioRate;
  want.format = AUDIO_S16SYS;
  want.channels = kAudioChannels;
  want.samples = 1024;  // about 23 ms: short enough for click sounds to feel immediate
  want.callback = DeviceCallback;
  want.userdata = this;
  SDL_AudioSpec have{};
  // No changes allowed: SDL converts to whatever the hardware wants.
  device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device_ == 0) return false;
  SDL_PauseAudioDevice(device_, 0);
  return true;
}

void SdlAudioOutput::run() {
  std::unique_lock lock(mutex_);
  bool lost = false;  // a device was open and went away (its sound server stopped)
  for (;;) {
    changed_.wait(lock, [this] { return stopping_ || wanted_; });
    if (stopping_) return;
    if (!noDevice_ || lost) {
      // SDL's calls happen unlocked: closing waits for the device's thread, which may be
      // waiting for the lock in fill().
      lock.unlock();
      if (lost) {
        // SDL keeps its connection to the sound server from the start: a restarted server
        // is reached only by starting SDL's audio again.
        if (sdlStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
        sdlStarted_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
      }
      const bool opened = sdlStarted_ && openDevice();
      lock.lock();
      if (opened) {
        noDevice_ = false;
        lost = false;
        // A lost device stops asking for sound: watched, so that the game's sounds go on
        // (silently) and the device is opened again.
        while (!stopping_ && wanted_ && !lost) {
          changed_.wait_for(lock, std::chrono::milliseconds(250));
          lost = SDL_GetAudioDeviceStatus(device_) == SDL_AUDIO_STOPPED;
        }
        lock.unlock();
        SDL_CloseAudioDevice(device_);
        device_ = 0;
        lock.lock();
        if (lost) {
          noDevice_ = true;
          runSilentClock(lock, kRetryLostDevice);
        }
        continue;
      }
      noDevice_ = true;
      if (lost) {
        runSilentClock(lock, kRetryLostDevice);
        continue;
      }
    }
    runSilentClock(lock, std::chrono::milliseconds::max());
  }
}

void SdlAudioOutput::runSilentClock(std::unique_lock<std::mutex>& lock,
                                    std::chrono::milliseconds length) {
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  std::int64_t rendered = 0;
  std::vector<std::int16_t> scratch;
  while (!stopping_ && wanted_) {
    changed_.wait_for(lock, std::chrono::milliseconds(10));
    const auto elapsed = Clock::now() - start;
    const std::int64_t due =
        std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count() * kAudioRate /
        1000000;
    while (rendered < due && !stopping_) {
      const int frames = static_cast<int>(std::min<std::int64_t>(4096, due - rendered));
      scratch.resize(static_cast<std::size_t>(frames) * kAudioChannels);
      fillLocked(scratch.data(), frames);
      rendered += frames;
    }
    if (elapsed >= length) return;
  }
}

}  // namespace tw::platform
