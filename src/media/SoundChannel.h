// SoundChannel: one of the seven channel records a frame or an action sets up.
//
// Frame files and action files fill these records; the sound subsystem plays them. Channel
// 6's player is the music player, channel 7's the sound player. Volumes run 0 to 10.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tw {

struct SoundChannel {
  std::int16_t Mode = 0;
  bool Fade = false;
  bool Loop = false;
  double Volume = 0;
  double PreviousVolume = 0;
  std::string FileName;  // relative to the Areas folder
  bool KeepIfPlaying = false;
};

struct SoundChannelTable {
  static constexpr int kChannels = 7;
  // Index 1..7; element 0 is unused so channel numbers read as written.
  std::array<SoundChannel, kChannels + 1> channels;
  double FadeDuration = 0;  // seconds

  SoundChannel& operator[](int channel) { return channels.at(static_cast<std::size_t>(channel)); }
};

}  // namespace tw
