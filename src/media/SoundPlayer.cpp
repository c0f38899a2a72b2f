// SoundPlayer: state changes from the game, decoding ahead and mixing for the mixer.
#include "media/SoundPlayer.h"

#include <algorithm>
#include <cmath>

#include "platform/AudioOutput.h"

namespace tw::media {

std::int32_t VolumeToPlayer(double level) {
  return static_cast<std::int32_t>(std::nearbyint((level - 10.0) * 400.0));  // ties to even
}

float VolumeGain(std::int32_t hundredthsDb) {
  // -10000 is the player's "silent" end of the scale.
  if (hundredthsDb <= -10000) return 0.0f;
  return static_cast<float>(std::pow(10.0, std::min(hundredthsDb, 0) / 2000.0));
}

bool SoundPlayer::setFile(const std::string& path, const std::string& openPath) {
  file_ = path;
  std::unique_ptr<AudioStream> fresh = OpenAudioStream(openPath.empty() ? path : openPath, soundFont_);
  const bool opened = fresh != nullptr;
  {
    std::lock_guard lock(mutex_);
    std::swap(stream_, fresh);
    fresh_ = true;
    playing_ = false;
    buffer_.clear();
    bufferPos_ = 0;
    loopEnds_.clear();
  }
  return opened;  // the old stream closes here, outside the lock
}

void SoundPlayer::setVolume(std::int32_t hundredthsDb) {
  volume_ = hundredthsDb;
  std::lock_guard lock(mutex_);
  gain_ = VolumeGain(hundredthsDb);
}

void SoundPlayer::setRepeatCount(std::int32_t count) { repeat_ = count; }

void SoundPlayer::play() {
  {
    std::lock_guard lock(mutex_);
    if (!stream_) return;
    if (!fresh_ && !stream_->rewind()) {
      stream_.reset();
      playing_ = false;
      return;
    }
    fresh_ = false;
    buffer_.clear();
    bufferPos_ = 0;
    loopEnds_.clear();
    repeatAtPlay_ = repeat_;
    loopsDecoded_ = 0;
    framesThisLoop_ = 0;
    framesTaken_ = 0;
    decodeEnded_ = false;
    playing_ = true;
  }
  if (started_) started_();
}

void SoundPlayer::stop() {
  std::lock_guard lock(mutex_);
  playing_ = false;
  buffer_.clear();
  bufferPos_ = 0;
  loopEnds_.clear();
  framesTaken_ = 0;
}

int SoundPlayer::playState() const {
  std::lock_guard lock(mutex_);
  return playing_ ? kPlaying : kStopped;
}

double SoundPlayer::positionSeconds() const {
  std::lock_guard lock(mutex_);
  return playing_ ? static_cast<double>(framesTaken_) / platform::kAudioRate : 0.0;
}

void SoundPlayer::decodeAhead(int frames) {
  std::lock_guard lock(mutex_);
  decodeAheadLocked(frames);
}

void SoundPlayer::decodeAheadLocked(int frames) {
  if (!playing_ || !stream_) return;
  constexpr int kChunk = 2048;
  if (bufferPos_ > 0 && bufferPos_ * 2 >= buffer_.size()) {
    for (std::int64_t& end : loopEnds_) end -= static_cast<std::int64_t>(bufferPos_ / 2);
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(bufferPos_));
    bufferPos_ = 0;
  }
  while (!decodeEnded_ && static_cast<int>((buffer_.size() - bufferPos_) / 2) < frames) {
    const std::size_t at = buffer_.size();
    buffer_.resize(at + 2 * kChunk);
    const int got = stream_->read(buffer_.data() + at, kChunk);
    buffer_.resize(at + 2 * static_cast<std::size_t>(got));
    framesThisLoop_ += got;
    if (got > 0) continue;
    // The end of one repetition.
    ++loopsDecoded_;
    loopEnds_.push_back(static_cast<std::int64_t>(buffer_.size() / 2));
    const bool again = repeatAtPlay_ <= 0 || loopsDecoded_ < repeatAtPlay_;
    // A file with no sound at all would repeat forever without a frame; it just ends.
    if (!again || framesThisLoop_ == 0 || !stream_->rewind()) {
      decodeEnded_ = true;
    }
    framesThisLoop_ = 0;
  }
}

void SoundPlayer::mixInto(float* acc, int frames) {
  std::lock_guard lock(mutex_);
  if (!playing_) return;
  decodeAheadLocked(frames);
  const std::size_t available = (buffer_.size() - bufferPos_) / 2;
  const std::size_t take = std::min<std::size_t>(available, static_cast<std::size_t>(frames));
  const float* from = buffer_.data() + bufferPos_;
  for (std::size_t i = 0; i < 2 * take; ++i) acc[i] += from[i] * gain_;
  // Repetition boundaries inside what was taken reset the position.
  const auto endFrame = static_cast<std::int64_t>(bufferPos_ / 2 + take);
  std::int64_t lastBoundary = -1;
  while (!loopEnds_.empty() && loopEnds_.front() <= endFrame) {
    lastBoundary = loopEnds_.front();
    loopEnds_.erase(loopEnds_.begin());
  }
  framesTaken_ = lastBoundary >= 0 ? endFrame - lastBoundary : framesTaken_ + static_cast<std::int64_t>(take);
  bufferPos_ += 2 * take;
  if (decodeEnded_ && bufferPos_ >= buffer_.size()) {
    playing_ = false;
    fresh_ = false;
  }
}

}  // namespace tw::media
