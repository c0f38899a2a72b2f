// Mixer: the seven sound players and the video's sound track, mixed into the one output.
//
// The mixer is the output's source. Mixing takes from each playing player what it has
// decoded (decoding on the spot only what is missing) and adds it up at each player's
// volume, clipping at full scale. A worker thread decodes ahead for every playing player,
// so the output's thread rarely decodes and the game thread never does. The worker only
// ever fills buffers; what is heard, and when a player ends, depends on the output's
// requests alone, so a replay on the virtual clock sounds the same on every run.
//
// Over everything the game plays lies the player's own volume (0 silent to 1 as the game set
// it) and mute, set from the game thread and read by the output's thread.
//
// While no player plays, the mixer is idle: the worker sleeps, and the output may stop
// asking for sound. A play wakes both.
#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "media/SoundPlayer.h"
#include "platform/AudioOutput.h"

namespace tw::media {

class Mixer : public platform::AudioSource {
 public:
  static constexpr int kPlayers = 7;

  // Attaches itself to the output; soundFont is used for MIDI files.
  Mixer(platform::AudioOutput& output, const std::string& soundFont);
  ~Mixer() override;
  Mixer(const Mixer&) = delete;
  Mixer& operator=(const Mixer&) = delete;

  // Players 1 to 7.
  SoundPlayer& player(int index) { return *players_.at(static_cast<std::size_t>(index - 1)); }
  // The sound track of the video being played.
  SoundPlayer& videoSound() { return *players_[kPlayers]; }

  void renderAudio(std::int16_t* stereo, int frames) override;
  bool idle() const override;

  // The player's volume, clamped to 0..1.
  void setMasterVolume(double level);
  double masterVolume() const { return master_.load(); }
  void setMuted(bool muted) { muted_.store(muted); }
  bool muted() const { return muted_.load(); }

 private:
  void decodeAheadLoop();
  void started();  // a player began to play

  platform::AudioOutput& output_;
  std::array<std::unique_ptr<SoundPlayer>, kPlayers + 1> players_;
  std::vector<float> acc_;  // output side only
  std::atomic<float> master_{1.0f};
  std::atomic<bool> muted_{false};
  std::mutex workerMutex_;
  std::condition_variable workerWake_;
  bool stopping_ = false;
  bool workToDo_ = false;  // a play began since the worker last looked
  std::thread worker_;
};

}  // namespace tw::media
