// The decoders, the players and the mixer, heard through the headless output's recording.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>

#include "media/MediaSystem.h"
#include "media/Mixer.h"
#include "platform/headless/HeadlessAudioOutput.h"
#include "support/GameFolder.h"
#include "support/SoundFiles.h"

namespace tw::media {
namespace {

using test::ReadWav;
using test::Recording;
using test::RunFfmpeg;
using test::SineWav;

// A sine of amplitude a has an RMS of a / sqrt(2).
constexpr double kSineRms = 0.70710678;

// The headless output, counting the mixer's calls to wake it.
class WakeCountingOutput : public platform::HeadlessAudioOutput {
 public:
  void wake() override { ++wakes; }
  int wakes = 0;
};

class MixerTest : public ::testing::Test {
 protected:
  MixerTest() : mixer(output, FindSoundFont("")) {}

  // Plays `seconds` of the mix and returns what was recorded.
  Recording listen(double seconds) {
    const std::string wav = folder.file("mix.wav");
    EXPECT_TRUE(output.recordTo(wav));
    clockMs += static_cast<std::int64_t>(seconds * 1000);
    output.catchUp(clockMs);
    EXPECT_TRUE(output.stopRecording());
    return ReadWav(wav);
  }
  std::string write(const std::string& name, const std::string& bytes) {
    folder.write(name, bytes);
    return folder.file(name);
  }
  SoundPlayer& start(int index, const std::string& path, std::int32_t volume = 0,
                     std::int32_t repeat = 1) {
    SoundPlayer& p = mixer.player(index);
    EXPECT_TRUE(p.setFile(path)) << path;
    p.setVolume(volume);
    p.setRepeatCount(repeat);
    p.play();
    return p;
  }

  test::GameFolder folder;
  WakeCountingOutput output;
  Mixer mixer;
  std::int64_t clockMs = 0;
};

TEST(VolumeTest, LevelsAndGains) {
  EXPECT_EQ(VolumeToPlayer(10), 0);
  EXPECT_EQ(VolumeToPlayer(8), -800);
  EXPECT_EQ(VolumeToPlayer(7), -1200);
  EXPECT_EQ(VolumeToPlayer(6), -1600);
  EXPECT_EQ(VolumeToPlayer(0), -4000);
  EXPECT_EQ(VolumeToPlayer(7.5), -1000);
  EXPECT_FLOAT_EQ(VolumeGain(0), 1.0f);
  EXPECT_FLOAT_EQ(VolumeGain(-2000), 0.1f);
  EXPECT_FLOAT_EQ(VolumeGain(-4000), 0.01f);
  EXPECT_FLOAT_EQ(VolumeGain(-10000), 0.0f);
  EXPECT_FLOAT_EQ(VolumeGain(500), 1.0f);  // nothing is louder than full
}

TEST_F(MixerTest, PlaysAtItsVolumeAndEnds) {
  const std::string wav = write("a.wav", SineWav(1.0, 440, 0.5));
  SoundPlayer& p = start(1, wav);
  EXPECT_TRUE(p.playing());
  Recording r = listen(0.5);
  ASSERT_EQ(r.rate, 44100);
  ASSERT_EQ(r.frames(), 22050u);
  EXPECT_NEAR(r.rms(0.05, 0.5), 0.5 * kSineRms, 0.01);
  EXPECT_NEAR(p.positionSeconds(), 0.5, 0.001);

  p.setVolume(-2000);  // a tenth of the amplitude
  r = listen(0.3);
  EXPECT_NEAR(r.rms(0.0, 0.3), 0.05 * kSineRms, 0.002);
  EXPECT_TRUE(p.playing());
  r = listen(0.3);
  EXPECT_FALSE(p.playing());
  EXPECT_NEAR(r.rms(0.25, 0.3), 0.0, 1e-6);  // silence after its end
}

// The output may stop asking while the mixer is idle; every play must wake it, and the mixer
// is idle again only once the last sound has ended or stopped.
TEST_F(MixerTest, IdleWhileNothingPlaysAndEveryPlayWakesTheOutput) {
  EXPECT_TRUE(mixer.idle());
  const std::string wav = write("a.wav", SineWav(0.2, 440, 0.5));
  EXPECT_FALSE(mixer.player(1).setFile(folder.file("missing.wav")));
  mixer.player(1).play();  // nothing to play: no wake, still idle
  EXPECT_EQ(output.wakes, 0);
  EXPECT_TRUE(mixer.idle());
  SoundPlayer& p = start(2, wav);
  EXPECT_EQ(output.wakes, 1);
  EXPECT_FALSE(mixer.idle());
  listen(0.1);
  EXPECT_FALSE(mixer.idle());
  listen(0.15);
  EXPECT_TRUE(mixer.idle());  // ended
  p.play();
  EXPECT_EQ(output.wakes, 2);
  EXPECT_FALSE(mixer.idle());
  p.stop();
  EXPECT_TRUE(mixer.idle());
  mixer.videoSound().setFile(wav);
  mixer.videoSound().play();
  EXPECT_EQ(output.wakes, 3);
  EXPECT_FALSE(mixer.idle());
}

TEST_F(MixerTest, RepeatCountsAndPositions) {
  const std::string wav = write("a.wav", SineWav(0.2, 440, 0.5));
  SoundPlayer& twice = start(1, wav, 0, 2);
  SoundPlayer& endless = start(2, wav, 0, 0);
  listen(0.3);
  EXPECT_TRUE(twice.playing());
  EXPECT_NEAR(twice.positionSeconds(), 0.1, 0.001);  // back at the start after 0.2 s
  listen(0.15);
  EXPECT_FALSE(twice.playing());
  listen(3.0);
  EXPECT_TRUE(endless.playing());
  // A new play starts from the beginning.
  endless.stop();
  EXPECT_FALSE(endless.playing());
  endless.play();
  listen(0.05);
  EXPECT_NEAR(endless.positionSeconds(), 0.05, 0.001);
}

TEST_F(MixerTest, PlayersAddUpAndClipAtFullScale) {
  const std::string a = write("a.wav", SineWav(1.0, 440, 0.3));
  start(1, a);
  start(2, a);
  Recording r = listen(0.5);
  EXPECT_NEAR(r.rms(0.0, 0.5), 0.6 * kSineRms, 0.01);  // the same wave twice: double
  for (int i = 3; i <= 7; ++i) start(i, a);
  r = listen(0.3);
  std::int16_t peak = 0;
  for (std::int16_t s : r.samples) peak = std::max<std::int16_t>(peak, static_cast<std::int16_t>(std::abs(s)));
  EXPECT_EQ(peak, 32767);  // 7 x 0.3 clips, without wrapping round
  EXPECT_GT(r.rms(0.0, 0.3), 0.8);
}

// The player's volume scales the whole mix; mute silences it while the players go on, so the
// sound comes back where the game has got to.
TEST_F(MixerTest, PlayerVolumeAndMuteActOnTheWholeMix) {
  const std::string a = write("a.wav", SineWav(2.0, 440, 0.4));
  SoundPlayer& p = start(1, a);
  mixer.setMasterVolume(0.5);
  Recording r = listen(0.3);
  EXPECT_NEAR(r.rms(0.0, 0.3), 0.2 * kSineRms, 0.01);
  mixer.setMuted(true);
  r = listen(0.3);
  EXPECT_NEAR(r.rms(0.0, 0.3), 0.0, 1e-6);
  EXPECT_TRUE(p.playing());
  EXPECT_NEAR(p.positionSeconds(), 0.6, 0.001);
  mixer.setMuted(false);
  mixer.setMasterVolume(7.0);  // no louder than the game's own level
  EXPECT_EQ(mixer.masterVolume(), 1.0);
  r = listen(0.3);
  EXPECT_NEAR(r.rms(0.0, 0.3), 0.4 * kSineRms, 0.01);
}

// Every format a game ships, made from one WAV by the ffmpeg tool; each plays about as long
// and as loud as the original.
TEST_F(MixerTest, DecodesEveryFormat) {
  const std::string source = write("source.wav", SineWav(1.0, 440, 0.5, 22050, 1));
  struct Case {
    const char* name;
    const char* codec;
    double tolerance;
  };
  const Case cases[] = {
      {"adpcm_ms.wav", "-c:a adpcm_ms", 0.05},
      {"adpcm_ima.wav", "-c:a adpcm_ima_wav", 0.05},
      {"stereo.wav", "-c:a pcm_s16le -af 'pan=stereo|c0=c0|c1=c0' -ar 11025", 0.02},
      {"song.mp3", "-c:a libmp3lame -b:a 64k", 0.05},
      {"song.wma", "-c:a wmav2 -b:a 64k", 0.05},
      {"sound.avi", "-c:a pcm_u8", 0.03},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string out = folder.file(c.name);
    ASSERT_TRUE(RunFfmpeg("-i '" + source + "' " + c.codec + " '" + out + "'"));
    SoundPlayer& p = start(1, out);
    const Recording r = listen(1.3);
    EXPECT_NEAR(r.rms(0.2, 0.8), 0.5 * kSineRms, c.tolerance);
    EXPECT_LT(r.rms(1.15, 1.3), 0.01);  // it ended after about a second
    EXPECT_FALSE(p.playing());
  }
}

TEST_F(MixerTest, MidiFilesPlayThroughTheSynthesizer) {
  ASSERT_FALSE(FindSoundFont("").empty()) << "no General MIDI sound font installed";
  const std::string tune = write("tune.mid", test::MidiNotes({60, 64, 67, 72}, 250));
  SoundPlayer& p = start(1, tune);
  Recording r = listen(0.9);
  EXPECT_GT(r.rms(0.05, 0.9), 0.01);
  EXPECT_TRUE(p.playing());
  listen(3.0);
  EXPECT_FALSE(p.playing());  // one second of notes, one of ringing out

  // A MIDI file without notes is silent and ends.
  const std::string empty = write("empty.mid", test::MidiNotes({}));
  SoundPlayer& q = start(2, empty);
  r = listen(1.5);
  EXPECT_LT(r.rms(0.0, 1.5), 1e-4);
  EXPECT_FALSE(q.playing());
}

// A sound font setting that names something else: MIDI files open but stay silent and
// end, and the other players sound as ever.
TEST_F(MixerTest, MidiIsSilentWithAFileThatIsNoSoundFont) {
  const std::string installed = FindSoundFont("");
  ASSERT_FALSE(installed.empty()) << "no General MIDI sound font installed";
  EXPECT_TRUE(LooksLikeSoundFont(installed));
  const std::string text = write("font.sf2", "not a sound font at all");
  const std::string wave = write("wave.sf2", SineWav(0.1, 440, 0.5));  // RIFF, but WAVE
  const std::string dls = write("font.dls", std::string("RIFF\x10\0\0\0DLS colh", 16));
  EXPECT_FALSE(LooksLikeSoundFont(text));
  EXPECT_FALSE(LooksLikeSoundFont(wave));
  EXPECT_FALSE(LooksLikeSoundFont(write("short.sf2", "RIFF")));
  EXPECT_FALSE(LooksLikeSoundFont(folder.file("missing.sf2")));
  EXPECT_TRUE(LooksLikeSoundFont(dls));

  Mixer other(output, text);
  SoundPlayer& midi = other.player(1);
  ASSERT_TRUE(midi.setFile(write("tune.mid", test::MidiNotes({60, 64}, 250))));
  midi.play();
  SoundPlayer& sine = other.player(2);
  ASSERT_TRUE(sine.setFile(write("a.wav", SineWav(1.0, 440, 0.5))));
  sine.play();
  const Recording r = listen(0.5);
  EXPECT_NEAR(r.rms(0.05, 0.5), 0.5 * kSineRms, 0.01);  // the sine alone
  EXPECT_FALSE(midi.playing());
  EXPECT_TRUE(sine.playing());
}

// Bad files never play, never stop the mix, and never hang: each is silent.
TEST_F(MixerTest, BadFilesAreSilent) {
  const std::string good = SineWav(1.0, 440, 0.5);
  const std::string mp3 = folder.file("good.mp3");
  folder.write("good.wav", good);
  ASSERT_TRUE(RunFfmpeg("-i '" + folder.file("good.wav") + "' -c:a libmp3lame '" + mp3 + "'"));
  std::string garbage(5000, '\0');
  for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>((i * 7919) % 251);
  // A WAV header that names a codec nobody knows.
  std::string unknown = good;
  unknown[20] = '\x34';
  unknown[21] = '\x12';

  SoundPlayer& p = mixer.player(1);
  EXPECT_FALSE(p.setFile(folder.file("missing.wav")));
  EXPECT_FALSE(p.setFile(write("empty.wav", "")));
  EXPECT_FALSE(p.setFile(write("garbage.wav", garbage)));
  EXPECT_FALSE(p.setFile(write("unknown.wav", unknown)));
  EXPECT_FALSE(p.setFile(write("header.mid", "MThd")));
  p.play();
  EXPECT_FALSE(p.playing());
  EXPECT_EQ(p.file(), folder.file("header.mid"));

  // Cut short, a file plays what it has and ends.
  SoundPlayer& cut = start(2, write("cut.wav", good.substr(0, 44 + 22050)));  // 0.5 s
  std::ifstream whole(mp3, std::ios::binary);
  const std::string mp3Bytes((std::istreambuf_iterator<char>(whole)), std::istreambuf_iterator<char>());
  SoundPlayer& cutMp3 = start(3, write("cut.mp3", mp3Bytes.substr(0, mp3Bytes.size() / 2)));
  const Recording r = listen(1.2);
  EXPECT_FALSE(cut.playing());
  EXPECT_FALSE(cutMp3.playing());
  EXPECT_GT(r.rms(0.1, 0.4), 0.3);
  EXPECT_LT(r.rms(0.7, 1.2), 0.01);
}

}  // namespace
}  // namespace tw::media
