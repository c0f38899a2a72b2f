// The game's sound operations: the seven channels with their fades and cross-fades, the
// music and sound players, the older five-channel sound file, and stopping everything.
//
// Channels name players through PlayerIndex; the music player and the sound player are
// whatever players channels 6 and 7 are bound to at the moment. A player that cannot
// decode its file is a player failure: in ApplySoundChannels it ends the pass with the
// one-time audio warning, in PlaySoundChannels it gives the error box; elsewhere it is
// silent. A file that is missing is never a failure, only silence.
#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "common/FieldReader.h"
#include "game/Game.h"
#include "media/MediaSystem.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/Settings.h"
#include "project/DataFileLocator.h"
#include "project/ErrorBoxes.h"
#include "vbscript/VbError.h"

namespace tw {

namespace {

using media::SoundPlayer;
using media::VolumeToPlayer;

constexpr const char* kAudioWarning =
    "WARNING: Another program may be using the audio hardware resources, an audio file may be "
    "damaged, or your audio drivers may be unable to play at the same time an audio file and the "
    "audio track of a video file. Although this error can be safely ignored, it may result in "
    "some sound files not being played. It is recommended that you close all the other Windows "
    "applications that are running, and that you restart the program.";

struct PlayerFailure : std::runtime_error {
  PlayerFailure() : std::runtime_error("the player cannot play its file") {}
};

// The last three characters, lower-cased, of a name longer than four characters; "" else.
std::string Extension3(const std::string& name) {
  if (name.size() <= 4) return "";
  std::string e = name.substr(name.size() - 3);
  for (char& c : e) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return e;
}

}  // namespace

media::MediaSystem& Game::media() {
  if (!media_) {
    const std::string chosen =
        platform().settings().get(player_.settings.ProjectId, "SoundFont", "");
    media_ = std::make_unique<media::MediaSystem>(platform(), media::FindSoundFont(chosen));
    media_->TimerAudioFade.onTimer = [this](platform::Timer&) { TimerAudioFade_Timer(); };
    media_->device.onVideoClick = [this] {
      StopMovie = true;
      SkipRequested = true;
    };
  }
  return *media_;
}

namespace {

// Stop, set the file, volume and repeat count, play: how every start of a player goes.
// Throws PlayerFailure when the file is there but cannot be decoded.
void StartPlayer(Game& game, SoundPlayer& p, const std::string& path, std::int32_t volume,
                 std::int32_t repeat, bool failIfUndecodable) {
  p.stop();
  const bool opened = p.setFile(path, ResolvedPath(game.player(), path));
  p.setVolume(volume);
  p.setRepeatCount(repeat);
  p.play();
  if (!opened && failIfUndecodable && game.player().files.exists(path)) throw PlayerFailure();
}

}  // namespace

void Game::StopAllPlayers() {
  for (int i = 1; i <= SoundChannelTable::kChannels; ++i) {
    media().mixer.player(i).stop();
    SoundChannels[i].PlayerIndex = static_cast<std::int16_t>(i);
  }
}

void Game::StopAnyWavOrMP3() {
  for (int i = 1; i <= media::Mixer::kPlayers; ++i) {
    SoundPlayer& p = media().mixer.player(i);
    const std::string e = Extension3(p.file());
    if (p.playing() && (e == "wav" || e == "mp3" || e == "wma")) p.stop();
  }
}

void Game::StopMusicPlayer() { media().mixer.player(SoundChannels[6].PlayerIndex).stop(); }

void Game::StopSoundPlayer() { media().mixer.player(SoundChannels[7].PlayerIndex).stop(); }

void Game::PlayMusic(const std::string& path, bool loopForever) {
  StartPlayer(*this, media().mixer.player(SoundChannels[6].PlayerIndex), path, VolumeToPlayer(7),
              loopForever ? 0 : 1, false);
}

void Game::PlaySound(const std::string& path) {
  StartPlayer(*this, media().mixer.player(SoundChannels[7].PlayerIndex), path, VolumeToPlayer(8), 1,
              false);
}

bool Game::IsFilePlaying(const std::string& path) {
  for (int i = 1; i <= media::Mixer::kPlayers; ++i) {
    const SoundPlayer& p = media().mixer.player(i);
    if (p.file() == path && p.playing()) return true;
  }
  return false;
}

bool Game::IsMusicPlaying() { return media().mixer.player(SoundChannels[6].PlayerIndex).playing(); }

void Game::PlaySoundChannels(const std::string& channelFile) {
  if (!player_.files.exists(channelFile) || IsVideoPlaying()) return;
  try {
    FieldReader in = FieldReader::Open(player_.files, channelFile);
    in.skip(22);
    for (int n = 1; n <= 5; ++n) {
      in.readAny();  // not used
      const bool stop = in.readBoolean();
      const bool play = in.readBoolean();
      const std::string file = in.readString();
      const vbs::Variant loop = in.readAny();
      SoundPlayer& p = media().mixer.player(SoundChannels[n].PlayerIndex);
      if (stop) p.stop();
      if (play && !file.empty()) {
        const bool once = loop.isEmpty() || !loop.toBool();
        StartPlayer(*this, p, LocateDataFile(player_, player_.folders.AreasFolder + file),
                    VolumeToPlayer(8), once ? 1 : 0, true);
      }
      if (in.atEnd()) break;
    }
  } catch (const std::exception&) {
    ShowStandardError(player_, " Unable to load old sound system information.");
  }
}

void Game::ApplySoundChannels() {
  media::MediaSystem& m = media();
  int c = 1;
  bool commandKept = false;  // the failing channel's command was turned into a fade-out
  // A fade this pass starts runs its whole length from the next tick, also after a failure.
  m.FadeStart = 0;
  try {
    for (; c <= SoundChannelTable::kChannels; ++c) {
      SoundChannel& ch = SoundChannels[c];
      SoundPlayer& p = m.mixer.player(ch.PlayerIndex);
      std::string located;
      const auto fileThere = [&] {
        if (ch.FileName.empty()) return false;
        located = LocateDataFile(player_, player_.folders.AreasFolder + ch.FileName);
        return player_.files.exists(located);
      };
      const std::int32_t repeat = ch.Loop ? 0 : 1;
      if (!ch.Fade) {
        if (ch.Mode == 3) p.stop();
        if (fileThere() && !(ch.KeepIfPlaying && IsFilePlaying(located))) {
          StopOtherMidi(c);
          StartPlayer(*this, p, located, VolumeToPlayer(ch.Volume), repeat, true);
        }
        if (ch.Mode == 4) p.setVolume(VolumeToPlayer(ch.Volume));
        ch.Mode = 0;
        ch.FileName.clear();
        ch.FadingPlayerIndex = 0;
        continue;
      }
      // A fade: only the new file starts here; the fade steps do the rest.
      if (!fileThere()) {
        ch.FileName.clear();
        continue;
      }
      StopOtherMidi(c);
      const std::int16_t free = FindFreePlayer();
      if (p.playing() && free != -1) {
        try {
          StartPlayer(*this, m.mixer.player(free), located, VolumeToPlayer(0), repeat, true);
        } catch (const PlayerFailure&) {
          // The new sound cannot play. The channel keeps its player, and the old sound fades
          // out and stops as it would have under the new one; rebound to the idle player, it
          // would play on for good, bound to no channel.
          ch.Mode = 3;
          ch.FileName.clear();
          ch.FadingPlayerIndex = 0;
          commandKept = true;
          throw;
        }
        ch.FadingPlayerIndex = ch.PlayerIndex;
        ch.PlayerIndex = free;
        for (int j = 1; j <= SoundChannelTable::kChannels; ++j) {
          if (j != c && SoundChannels[j].PlayerIndex == free) {
            SoundChannels[j].PlayerIndex = ch.FadingPlayerIndex;
          }
        }
        continue;
      }
      ch.FadingPlayerIndex = 0;
      StartPlayer(*this, p, located, VolumeToPlayer(0), repeat, true);
    }
  } catch (const std::exception&) {
    // The failing command is dropped, so that a damaged file costs one pass and does not
    // hold back the channels after it at every later pass.
    if (c <= SoundChannelTable::kChannels && !commandKept) {
      SoundChannels[c].Mode = 0;
      SoundChannels[c].FileName.clear();
      SoundChannels[c].Fade = false;
    }
    if (!player_.GameStopped && !AudioWarningShown) {
      platform().messageBox(platform::MakeBox(
          "AUDIO PROBLEM",
          std::string(kAudioWarning) + "\r\n\r\nThis message will not reappear until you restart the program.",
          platform::MsgIcon::Warning, platform::MsgButtons::Ok));
      AudioWarningShown = true;
    }
  }
}

void Game::FadeSoundChannels(double progress) {
  media::MediaSystem& m = media();
  bool anyFade = false;
  for (int c = 1; c <= SoundChannelTable::kChannels; ++c) {
    SoundChannel& ch = SoundChannels[c];
    SoundPlayer& p = m.mixer.player(ch.PlayerIndex);
    if (ch.Fade) {
      anyFade = true;
      if (progress >= 1) {
        if (ch.Mode == 3) p.stop();
        if (ch.Mode == 4) p.setVolume(VolumeToPlayer(ch.Volume));
        if (!ch.FileName.empty()) {
          p.setVolume(VolumeToPlayer(ch.Volume));
          if (ch.FadingPlayerIndex != 0) {
            m.mixer.player(ch.FadingPlayerIndex).stop();
            ch.FadingPlayerIndex = 0;
          }
        }
        ch.Mode = 0;
        ch.FileName.clear();
        ch.FadingPlayerIndex = 0;
        ch.Fade = false;
      } else {
        if (ch.Mode == 3) p.setVolume(VolumeToPlayer((1 - progress) * ch.PreviousVolume));
        if (ch.Mode == 4) {
          p.setVolume(VolumeToPlayer(ch.PreviousVolume + progress * (ch.Volume - ch.PreviousVolume)));
        }
        if (!ch.FileName.empty()) {
          p.setVolume(VolumeToPlayer(progress * ch.Volume));
          if (ch.FadingPlayerIndex != 0) {
            m.mixer.player(ch.FadingPlayerIndex)
                .setVolume(VolumeToPlayer((1 - progress) * ch.PreviousVolume));
          }
        }
      }
    } else if (progress >= 1) {
      ch.Mode = 0;
      ch.FileName.clear();
      ch.FadingPlayerIndex = 0;
    }
  }
  if (progress >= 1 || !anyFade) m.TimerAudioFade.setEnabled(false);
}

void Game::EnableAudioFadeTimer() { media().TimerAudioFade.setEnabled(true); }

void Game::TimerAudioFade_Timer() {
  media::MediaSystem& m = media();
  const double now = m.timeOfDay();
  if (m.FadeStart == 0) {
    m.FadeStart = now;
    return;
  }
  const double elapsed = now - m.FadeStart;
  // Past midnight the time of day starts again from 0: the fade is finished at once.
  if (elapsed < 0 || elapsed >= SoundChannels.FadeDuration) {
    FadeSoundChannels(1);
    m.TimerAudioFade.setEnabled(false);
  } else {
    FadeSoundChannels(elapsed / SoundChannels.FadeDuration);
  }
}

std::int16_t Game::FindFreePlayer() {
  for (int i = 1; i <= media::Mixer::kPlayers; ++i) {
    if (!media().mixer.player(i).playing()) return static_cast<std::int16_t>(i);
  }
  return -1;
}

void Game::StopOtherMidi(int channel) {
  if (Extension3(SoundChannels[channel].FileName) != "mid") return;
  for (int i = 1; i <= media::Mixer::kPlayers; ++i) {
    SoundPlayer& p = media().mixer.player(i);
    if (Extension3(p.file()) == "mid") p.stop();
  }
}

void Game::StopAllActivity() {
  StopMovie = true;
  SkipRequested = true;
  platform().processEvents();
  Timer1.setEnabled(false);
  TimerRipplingWater.setEnabled(false);
  TimerMessageBox.setEnabled(false);
  HideRipplingWater();
  media().mmedia.StopMovie();
  media().mmedia.mmClose();
  StopAllPlayers();
}

void Game::HaltGame() {
  player_.GameStopped = true;
  PictureBox.setVisible(false);
  StopAllActivity();
  // Halted between the two steps of a transition, the old frame's cover must not outlive it.
  HideTransitionPictures();
  ShowMenus();
}

}  // namespace tw
