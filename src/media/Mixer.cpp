// Mixer: summing the players, and the decode-ahead worker.
#include "media/Mixer.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace tw::media {

namespace {

// How far ahead the worker keeps each playing player decoded.
constexpr int kAheadFrames = platform::kAudioRate / 2;

}  // namespace

Mixer::Mixer(platform::AudioOutput& output, const std::string& soundFont) : output_(output) {
  for (auto& p : players_) p = std::make_unique<SoundPlayer>(soundFont);
  worker_ = std::thread([this] { decodeAheadLoop(); });
  output_.setSource(this);
}

Mixer::~Mixer() {
  output_.setSource(nullptr);
  {
    std::lock_guard lock(workerMutex_);
    stopping_ = true;
  }
  workerWake_.notify_all();
  worker_.join();
}

void Mixer::renderAudio(std::int16_t* stereo, int frames) {
  acc_.assign(static_cast<std::size_t>(frames) * 2, 0.0f);
  for (auto& p : players_) p->mixInto(acc_.data(), frames);
  // The players still run while muted, so sound comes back in step with the game.
  const float gain = muted_.load() ? 0.0f : master_.load();
  for (std::size_t i = 0; i < acc_.size(); ++i) {
    const float v = std::clamp(acc_[i] * gain, -1.0f, 1.0f) * 32767.0f;
    stereo[i] = static_cast<std::int16_t>(std::lrint(v));
  }
}

void Mixer::setMasterVolume(double level) {
  master_.store(static_cast<float>(std::clamp(level, 0.0, 1.0)));
}

void Mixer::decodeAheadLoop() {
  std::unique_lock lock(workerMutex_);
  while (!stopping_) {
    lock.unlock();
    for (auto& p : players_) p->decodeAhead(kAheadFrames);
    lock.lock();
    workerWake_.wait_for(lock, std::chrono::milliseconds(50));
  }
}

}  // namespace tw::media
