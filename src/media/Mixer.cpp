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
  for (auto& p : players_) p = std::make_unique<SoundPlayer>(soundFont, [this] { started(); });
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

bool Mixer::idle() const {
  return std::none_of(players_.begin(), players_.end(), [](const auto& p) { return p->playing(); });
}

void Mixer::started() {
  {
    std::lock_guard lock(workerMutex_);
    workToDo_ = true;
  }
  workerWake_.notify_all();
  output_.wake();
}

void Mixer::setMasterVolume(double level) {
  master_.store(static_cast<float>(std::clamp(level, 0.0, 1.0)));
}

void Mixer::decodeAheadLoop() {
  std::unique_lock lock(workerMutex_);
  while (!stopping_) {
    workToDo_ = false;
    lock.unlock();
    for (auto& p : players_) p->decodeAhead(kAheadFrames);
    const bool sounding = !idle();
    lock.lock();
    // While nothing plays the worker sleeps until a play starts (which sets workToDo_).
    if (sounding) {
      workerWake_.wait_for(lock, std::chrono::milliseconds(50));
    } else {
      workerWake_.wait(lock, [this] { return stopping_ || workToDo_; });
    }
  }
}

}  // namespace tw::media
