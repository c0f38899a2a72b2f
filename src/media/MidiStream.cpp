// MidiStream: a Standard MIDI File played by FluidSynth with a General MIDI sound font.
//
// Each stream has its own synthesizer; FluidSynth keeps the samples of a sound font that is
// loaded already, so a second MIDI file does not load it again from disk. The player is
// timed by the samples rendered (not by the wall clock), so a MIDI file advances exactly
// with the mixer, also on the virtual clock. After the last event the synthesizer renders
// one more second, so the last notes ring out instead of being cut. The synthesizer plays as
// loud as sampled game music, and a limiter keeps many voices together under full scale.
#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <mutex>

#include "media/AudioStream.h"
#include "platform/AudioOutput.h"

namespace tw::media {

namespace {

constexpr int kReleaseFrames = platform::kAudioRate;

// FluidSynth's own gain of 0.2 leaves a General MIDI piano tune some 20 dB below ordinary
// sampled game music. At this gain a single line at velocity 100 peaks near -6 dBFS, as
// game music does; fuller pieces lean on the limiter below.
constexpr double kSynthGain = 1.8;
// Many voices at once would pass full scale: the output is held under -1 dBFS, turned
// down at once on a louder peak and let back up over about a third of a second.
constexpr float kCeiling = 0.891f;
constexpr float kRecovery = 1.0f / (0.3f * platform::kAudioRate);

struct SettingsCloser {
  void operator()(fluid_settings_t* s) const { delete_fluid_settings(s); }
};
struct SynthCloser {
  void operator()(fluid_synth_t* s) const { delete_fluid_synth(s); }
};
struct PlayerCloser {
  void operator()(fluid_player_t* p) const { delete_fluid_player(p); }
};

// The first 12 bytes of a file, fewer when it is shorter; empty when it cannot be read.
std::string FileHead(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  char head[12] = {};
  in.read(head, sizeof head);
  return std::string(head, static_cast<std::size_t>(in.gcount()));
}

// The form of a RIFF file ("RMID", "sfbk", "WAVE", ...) from its head; empty for any other.
std::string RiffForm(const std::string& head) {
  if (head.size() < 12 || head.compare(0, 4, "RIFF") != 0) return "";
  return head.substr(8, 4);
}

void QuietSynth() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
      fluid_set_log_function(level, nullptr, nullptr);
    }
  });
}

class MidiStream : public AudioStream {
 public:
  MidiStream(std::string path, std::string soundFont)
      : path_(std::move(path)), soundFont_(std::move(soundFont)) {}

  // The sound font is loaded on the first read, which comes from the mixer's side: a MIDI
  // file never makes the game thread wait for the sound font to load.
  bool load() {
    // Anything else is refused before a synthesizer is made: FluidSynth would hand it to
    // libinstpatch, which complains on the terminal and keeps some memory every time.
    if (!LooksLikeSoundFont(soundFont_)) return false;
    settings_.reset(new_fluid_settings());
    if (!settings_) return false;
    fluid_settings_setnum(settings_.get(), "synth.sample-rate", platform::kAudioRate);
    fluid_settings_setnum(settings_.get(), "synth.gain", kSynthGain);
    fluid_settings_setint(settings_.get(), "synth.lock-memory", 0);
    fluid_settings_setstr(settings_.get(), "player.timing-source", "sample");
    // Only the presets the file selects are read from the sound font, not all of its
    // samples (a General MIDI font is often over 100 MB).
    fluid_settings_setint(settings_.get(), "synth.dynamic-sample-loading", 1);
    synth_.reset(new_fluid_synth(settings_.get()));
    if (!synth_) return false;
    if (fluid_synth_sfload(synth_.get(), soundFont_.c_str(), 1) == FLUID_FAILED) return false;
    return startPlayer();
  }

  int read(float* out, int frames) override {
    if (!loaded_) {
      loaded_ = true;
      if (!load()) player_.reset();
    }
    if (!player_) return 0;
    if (finished()) {
      frames = std::min(frames, releaseLeft_);
      releaseLeft_ -= frames;
    }
    if (frames <= 0) return 0;
    if (fluid_synth_write_float(synth_.get(), frames, out, 0, 2, out, 1, 2) != FLUID_OK) return 0;
    limit(out, frames);
    return frames;
  }

  bool rewind() override {
    if (!loaded_) return true;
    if (!synth_) return false;
    limiterGain_ = 1.0f;
    fluid_synth_system_reset(synth_.get());
    return startPlayer();
  }

 private:
  void limit(float* out, int frames) {
    for (int i = 0; i < frames; ++i) {
      float& left = out[2 * i];
      float& right = out[2 * i + 1];
      limiterGain_ = std::min(1.0f, limiterGain_ + (1.0f - limiterGain_) * kRecovery);
      const float peak = std::max(std::fabs(left), std::fabs(right));
      if (peak * limiterGain_ > kCeiling) limiterGain_ = kCeiling / peak;
      left *= limiterGain_;
      right *= limiterGain_;
    }
  }

  // The player reports its end only seconds after the last event; the tick count knows.
  bool finished() {
    if (fluid_player_get_status(player_.get()) == FLUID_PLAYER_DONE) return true;
    const int total = fluid_player_get_total_ticks(player_.get());
    return total >= 0 && fluid_player_get_current_tick(player_.get()) >= total;
  }

  bool startPlayer() {
    player_.reset(new_fluid_player(synth_.get()));
    if (!player_) return false;
    if (fluid_player_add(player_.get(), path_.c_str()) != FLUID_OK) return false;
    releaseLeft_ = kReleaseFrames;
    return fluid_player_play(player_.get()) == FLUID_OK;
  }

  std::string path_;
  std::string soundFont_;
  // Declared in the order they are built: players go before their synthesizer, and it
  // before its settings.
  std::unique_ptr<fluid_settings_t, SettingsCloser> settings_;
  std::unique_ptr<fluid_synth_t, SynthCloser> synth_;
  std::unique_ptr<fluid_player_t, PlayerCloser> player_;
  int releaseLeft_ = kReleaseFrames;
  float limiterGain_ = 1.0f;
  bool loaded_ = false;
};

}  // namespace

bool LooksLikeMidi(const std::string& path) {
  const std::string head = FileHead(path);
  // "RIFF" files with an "RMID" form hold a MIDI file too.
  return head.compare(0, 4, "MThd") == 0 || RiffForm(head) == "RMID";
}

bool LooksLikeSoundFont(const std::string& path) {
  const std::string form = RiffForm(FileHead(path));
  return form == "sfbk" || form == "DLS ";
}

namespace {

// A Standard MIDI File: its header chunk is complete and a track chunk follows.
bool IsCompleteMidiHeader(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  unsigned char head[22] = {};
  if (!in.read(reinterpret_cast<char*>(head), sizeof head)) return false;
  const bool lengthSix = head[4] == 0 && head[5] == 0 && head[6] == 0 && head[7] == 6;
  return std::equal(head, head + 4, "MThd") && lengthSix && std::equal(head + 14, head + 18, "MTrk");
}

}  // namespace

std::unique_ptr<AudioStream> OpenMidiStream(const std::string& path, const std::string& soundFont) {
  if (soundFont.empty()) return nullptr;
  QuietSynth();
  std::ifstream font(soundFont, std::ios::binary);
  if (!font || !IsCompleteMidiHeader(path)) return nullptr;
  return std::make_unique<MidiStream>(path, soundFont);
}

std::unique_ptr<AudioStream> OpenAudioStream(const std::string& path, const std::string& soundFont) {
  if (LooksLikeMidi(path)) return OpenMidiStream(path, soundFont);
  return OpenFfmpegAudio(path);
}

}  // namespace tw::media
