// SoundChannel: one of the seven channel records a frame or an action sets up.
//
// Frame files and action files fill these records; the sound subsystem plays them. Channel
// 6's player is the music player, channel 7's the sound player. Volumes run 0 to 10.
// Each channel is bound to one player; a cross-fade swaps the bindings of two channels.
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
  std::int16_t PlayerIndex = 0;        // the player (1-7) bound to the channel
  std::int16_t FadingPlayerIndex = 0;  // during a cross-fade, the player fading out; 0 none
};

struct SoundChannelTable {
  static constexpr int kChannels = 7;
  // Index 1..7; element 0 is unused so channel numbers read as written.
  std::array<SoundChannel, kChannels + 1> channels;
  double FadeDuration = 0;  // seconds

  // Channel i starts bound to player i; only cross-fades change the bindings.
  SoundChannelTable() {
    for (int i = 1; i <= kChannels; ++i) channels[static_cast<std::size_t>(i)].PlayerIndex = static_cast<std::int16_t>(i);
  }

  SoundChannel& operator[](int channel) { return channels.at(static_cast<std::size_t>(channel)); }
};

}  // namespace tw
