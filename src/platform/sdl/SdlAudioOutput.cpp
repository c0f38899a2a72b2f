// SdlAudioOutput: the SDL device and the silent clock that replaces it when there is none.
#include "platform/sdl/SdlAudioOutput.h"

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

namespace tw::platform {

namespace {

void DeviceCallback(void* self, Uint8* stream, int bytes) {
  static_cast<SdlAudioOutput*>(self)->fill(reinterpret_cast<std::int16_t*>(stream),
                                           bytes / (kAudioChannels * 2));
}

}  // namespace

SdlAudioOutput::SdlAudioOutput() {
  // SDL would otherwise turn SIGINT and SIGTERM into quit events that nobody reads, and the
  // program could no longer be stopped by them.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
    sdlStarted_ = true;
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
    if (device_ != 0) {
      SDL_PauseAudioDevice(device_, 0);
      return;
    }
  }
  silentClock_ = std::thread([this] { runSilentClock(); });
}

SdlAudioOutput::~SdlAudioOutput() {
  if (device_ != 0) SDL_CloseAudioDevice(device_);
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  if (silentClock_.joinable()) silentClock_.join();
  if (sdlStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlAudioOutput::setSource(AudioSource* source) {
  if (device_ != 0) SDL_LockAudioDevice(device_);
  {
    std::lock_guard lock(mutex_);
    source_ = source;
  }
  if (device_ != 0) SDL_UnlockAudioDevice(device_);
}

void SdlAudioOutput::fill(std::int16_t* stereo, int frames) {
  // The device callback runs with the device locked, so source_ cannot change under it;
  // the silent clock holds mutex_ instead.
  if (source_) {
    source_->renderAudio(stereo, frames);
  } else {
    std::memset(stereo, 0, static_cast<std::size_t>(frames) * kAudioChannels * 2);
  }
}

void SdlAudioOutput::runSilentClock() {
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  std::int64_t rendered = 0;
  std::vector<std::int16_t> scratch;
  std::unique_lock lock(mutex_);
  while (!stopping_) {
    wake_.wait_for(lock, std::chrono::milliseconds(10));
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count();
    const std::int64_t due = elapsed * kAudioRate / 1000000;
    while (rendered < due && !stopping_) {
      const int frames = static_cast<int>(std::min<std::int64_t>(4096, due - rendered));
      scratch.resize(static_cast<std::size_t>(frames) * kAudioChannels);
      fill(scratch.data(), frames);
      rendered += frames;
    }
  }
}

}  // namespace tw::platform
