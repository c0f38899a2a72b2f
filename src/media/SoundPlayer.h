// SoundPlayer: one of the seven sound players (and the video's sound track).
//
// The game thread sets the file, the volume (hundredths of a decibel, 0 = full) and the
// repeat count (0 = without end), and plays or stops; the mixer's side decodes ahead and
// takes the sound. Every member that both sides touch is guarded by the player's own
// mutex; the game thread never decodes (opening a file only reads its header), and the
// mixer's side never opens a file.
//
// A play always starts at the beginning of the file. The player stays "playing" (state 2)
// until the mixer has taken the last frame of its last repetition; a file that cannot be
// decoded never plays. Position counts the frames taken since the current repetition began.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "media/AudioStream.h"

namespace tw::media {

// Player volume for a volume level of 0-10: (level - 10) x 400, halves to even.
std::int32_t VolumeToPlayer(double level);
// The amplitude factor of a player volume in hundredths of a decibel.
float VolumeGain(std::int32_t hundredthsDb);

class SoundPlayer {
 public:
  static constexpr int kPlaying = 2;
  static constexpr int kStopped = 0;

  // started: called (on the game thread, outside the player's lock) whenever a play has
  // begun, so that whoever sleeps while nothing sounds can wake up.
  explicit SoundPlayer(std::string soundFont = {}, std::function<void()> started = {})
      : soundFont_(std::move(soundFont)), started_(std::move(started)) {}

  // --- game thread --------------------------------------------------------------------
  // Opens the file for the next play; false when it cannot be decoded (it then stays
  // silent). The player's file is `path` as given; openPath (default: the same) is where
  // it really lies on disk.
  bool setFile(const std::string& path, const std::string& openPath = {});
  const std::string& file() const { return file_; }
  void setVolume(std::int32_t hundredthsDb);
  std::int32_t volume() const { return volume_; }
  void setRepeatCount(std::int32_t count);
  std::int32_t repeatCount() const { return repeat_; }
  void play();
  void stop();
  int playState() const;
  bool playing() const { return playState() == kPlaying; }
  double positionSeconds() const;

  // --- mixer side ---------------------------------------------------------------------
  // Decodes until `frames` frames are buffered (or the sound ends).
  void decodeAhead(int frames);
  // Adds the next `frames` frames at the player's volume to acc (stereo floats).
  void mixInto(float* acc, int frames);

 private:
  void decodeAheadLocked(int frames);

  const std::string soundFont_;
  const std::function<void()> started_;
  std::string file_;           // game thread only
  std::int32_t volume_ = 0;    // game thread's copy
  std::int32_t repeat_ = 1;    // game thread's copy

  mutable std::mutex mutex_;
  std::unique_ptr<AudioStream> stream_;
  bool fresh_ = true;          // the stream is at its beginning
  bool playing_ = false;
  float gain_ = 1.0f;
  std::int32_t repeatAtPlay_ = 1;
  std::int32_t loopsDecoded_ = 0;
  std::int64_t framesThisLoop_ = 0;    // decoded in the repetition being decoded
  bool decodeEnded_ = false;
  std::vector<float> buffer_;          // decoded, not yet taken (stereo)
  std::size_t bufferPos_ = 0;
  std::vector<std::int64_t> loopEnds_; // buffered frame counts at which a repetition ends
  std::int64_t framesTaken_ = 0;       // since the current repetition began
};

}  // namespace tw::media
