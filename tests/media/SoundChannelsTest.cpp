// The game's sound channels: immediate commands, frame rows that keep a playing file,
// cross-fades that borrow an idle player, fades on the timer (across midnight too), one
// MIDI at a time, the older five-channel file, the audio warning and halting the game.
#include "frames/GameFixture.h"
#include "media/MediaSystem.h"
#include "support/SoundFiles.h"

namespace tw::test {
namespace {

using media::SoundPlayer;
using media::VolumeToPlayer;

constexpr double kSineRms = 0.70710678;

class SoundChannelsTest : public GameFixture {
 protected:
  void SetUp() override {
    WriteSmallGeneral(t.game, "Start", true);
    t.game.writeVariables({"Flag"});
    WriteFrame(t.game, "Start", {.background = "255"});
    t.game.write("Areas/a.wav", SineWav(2.0, 440, 0.4));
    t.game.write("Areas/b.wav", SineWav(2.0, 440, 0.2));
    t.game.write("Areas/tune.mid", MidiNotes({60, 62, 64, 65, 67, 69, 71, 72}, 250));
    t.game.write("Areas/other.mid", MidiNotes({48, 55}, 500));
    startGame();
  }
  SoundPlayer& player(int i) { return game->media().mixer.player(i); }
  std::string areas(const std::string& name) { return t.player.folders.AreasFolder + name; }
  void row(int c, std::int16_t mode, bool fade, bool loop, double volume, std::string file,
           bool keep = false) {
    SoundChannel& ch = game->SoundChannels[c];
    ch.PreviousVolume = ch.Volume;
    ch.Mode = mode;
    ch.Fade = fade;
    ch.Loop = loop;
    ch.Volume = volume;
    ch.FileName = std::move(file);
    ch.KeepIfPlaying = keep;
  }
  Recording listen(int ms) {
    const std::string wav = t.game.file("mix.wav");
    EXPECT_TRUE(t.platform.headlessAudio().recordTo(wav));
    t.platform.advance(ms);
    EXPECT_TRUE(t.platform.headlessAudio().stopRecording());
    return ReadWav(wav);
  }
};

TEST_F(SoundChannelsTest, FrameRowsKeepAPlayingFileHotspotRowsRestartIt) {
  row(1, 2, false, true, 10, "a.wav", true);
  game->ApplySoundChannels();
  EXPECT_TRUE(player(1).playing());
  EXPECT_EQ(player(1).file(), areas("a.wav"));
  EXPECT_EQ(player(1).volume(), 0);
  EXPECT_EQ(player(1).repeatCount(), 0);
  EXPECT_TRUE(game->SoundChannels[1].FileName.empty());  // the command is done
  listen(500);
  EXPECT_NEAR(player(1).positionSeconds(), 0.5, 0.01);

  row(1, 2, false, true, 6, "a.wav", true);  // a frame asks for the same file
  game->ApplySoundChannels();
  listen(100);
  EXPECT_NEAR(player(1).positionSeconds(), 0.6, 0.01);
  EXPECT_EQ(player(1).volume(), 0);  // untouched

  row(1, 2, false, false, 6, "a.wav", false);  // a hotspot asks for it
  game->ApplySoundChannels();
  listen(100);
  EXPECT_NEAR(player(1).positionSeconds(), 0.1, 0.01);
  EXPECT_EQ(player(1).volume(), -1600);

  // Mode 4 changes the volume; mode 3 stops.
  row(1, 4, false, false, 8, "");
  game->ApplySoundChannels();
  EXPECT_EQ(player(1).volume(), -800);
  row(1, 3, false, false, 8, "");
  game->ApplySoundChannels();
  EXPECT_FALSE(player(1).playing());
  // A missing file is skipped: the locator's warning, nothing else.
  row(2, 2, false, false, 10, "nowhere.wav");
  game->ApplySoundChannels();
  EXPECT_FALSE(player(2).playing());
  ASSERT_EQ(t.boxes().size(), 1u);
  EXPECT_NE(t.boxes()[0].text.find("nowhere.wav"), std::string::npos);
}

TEST_F(SoundChannelsTest, CrossFadeBorrowsAnIdlePlayerAndSwapsTheBindings) {
  row(1, 2, false, true, 10, "a.wav");
  game->ApplySoundChannels();
  Recording before = listen(300);
  EXPECT_NEAR(before.rms(0.0, 0.3), 0.4 * kSineRms, 0.01);

  game->SoundChannels.FadeDuration = 1.0;
  row(1, 2, true, true, 10, "b.wav");
  game->ApplySoundChannels();
  EXPECT_EQ(game->SoundChannels[1].PlayerIndex, 2);
  EXPECT_EQ(game->SoundChannels[1].FadingPlayerIndex, 1);
  EXPECT_EQ(game->SoundChannels[2].PlayerIndex, 1);  // channel 2 took the old player
  EXPECT_EQ(player(2).file(), areas("b.wav"));
  EXPECT_EQ(player(2).volume(), -4000);
  game->EnableAudioFadeTimer();

  listen(100);  // the first tick only notes the start
  listen(500);  // half way
  EXPECT_EQ(player(2).volume(), VolumeToPlayer(5));
  EXPECT_EQ(player(1).volume(), VolumeToPlayer(5));
  const Recording after = listen(1000);
  EXPECT_FALSE(player(1).playing());
  EXPECT_TRUE(player(2).playing());
  EXPECT_EQ(player(2).volume(), 0);
  EXPECT_FALSE(game->SoundChannels[1].Fade);
  EXPECT_EQ(game->SoundChannels[1].FadingPlayerIndex, 0);
  EXPECT_FALSE(game->media().TimerAudioFade.enabled());
  // Only the new sound is left, at its full level.
  EXPECT_NEAR(after.rms(0.6, 1.0), 0.2 * kSineRms, 0.01);
}

TEST_F(SoundChannelsTest, FadesLowerTheLevelAndSevenBusyPlayersMeanNoCrossFade) {
  for (int c = 1; c <= 7; ++c) row(c, 2, false, true, 10, "a.wav");
  game->ApplySoundChannels();
  for (int i = 1; i <= 7; ++i) ASSERT_TRUE(player(i).playing());
  EXPECT_EQ(game->FindFreePlayer(), -1);
  game->SoundChannels.FadeDuration = 0.5;
  row(3, 2, true, false, 10, "b.wav");
  game->ApplySoundChannels();
  EXPECT_EQ(game->SoundChannels[3].PlayerIndex, 3);
  EXPECT_EQ(game->SoundChannels[3].FadingPlayerIndex, 0);
  EXPECT_EQ(player(3).file(), areas("b.wav"));

  // The progress of one step, on each kind of command.
  row(4, 4, true, false, 8, "");
  game->SoundChannels[4].PreviousVolume = 4;
  row(5, 3, true, false, 0, "");
  game->SoundChannels[5].PreviousVolume = 10;
  game->FadeSoundChannels(0.5);
  EXPECT_EQ(player(4).volume(), -1600);
  EXPECT_EQ(player(5).volume(), VolumeToPlayer(5));
  EXPECT_EQ(player(3).volume(), VolumeToPlayer(5));
  game->FadeSoundChannels(1);
  EXPECT_EQ(player(4).volume(), -800);
  EXPECT_FALSE(player(5).playing());

  // A fade-out really lowers the level: all players stop but one, which fades to level 0.
  for (int c = 1; c <= 7; ++c) {
    if (c != 1) player(game->SoundChannels[c].PlayerIndex).stop();
  }
  game->SoundChannels.FadeDuration = 1.0;
  row(1, 3, true, false, 0, "");
  game->SoundChannels[1].PreviousVolume = 10;
  game->ApplySoundChannels();
  game->EnableAudioFadeTimer();
  const Recording r = listen(1200);
  EXPECT_NEAR(r.rms(0.0, 0.1), 0.4 * kSineRms, 0.01);
  EXPECT_LT(r.rms(0.75, 0.85), r.rms(0.35, 0.45) * 0.5);
  EXPECT_LT(r.rms(1.15, 1.2), 1e-4);
  EXPECT_FALSE(player(game->SoundChannels[1].PlayerIndex).playing());
}

TEST_F(SoundChannelsTest, AFadeRunningAcrossMidnightEndsAtTheNextTick) {
  row(1, 2, false, true, 2, "a.wav");
  game->ApplySoundChannels();
  game->SoundChannels.FadeDuration = 10.0;
  row(1, 4, true, false, 9, "");
  game->ApplySoundChannels();
  game->media().setTimeOfDay(86399.85);
  game->EnableAudioFadeTimer();
  t.platform.advance(100);  // 23:59:59.95: the start
  EXPECT_TRUE(game->SoundChannels[1].Fade);
  t.platform.advance(100);  // 00:00:00.05: past midnight
  EXPECT_FALSE(game->SoundChannels[1].Fade);
  EXPECT_EQ(player(1).volume(), VolumeToPlayer(9));
  EXPECT_FALSE(game->media().TimerAudioFade.enabled());
}

TEST_F(SoundChannelsTest, OneMidiAtATimeAndStopAnyWavLeavesMidi) {
  row(1, 2, false, true, 10, "tune.mid");
  row(2, 2, false, true, 10, "a.wav");
  game->ApplySoundChannels();
  EXPECT_TRUE(player(1).playing());
  const Recording r = listen(600);
  EXPECT_GT(r.rms(0.1, 0.6), 0.2);
  row(3, 2, false, true, 10, "other.mid");
  game->ApplySoundChannels();
  EXPECT_FALSE(player(1).playing());
  EXPECT_TRUE(player(2).playing());
  EXPECT_TRUE(player(3).playing());
  game->StopAnyWavOrMP3();
  EXPECT_FALSE(player(2).playing());
  EXPECT_TRUE(player(3).playing());
  // MIDI really sounds.
  const Recording midi = listen(500);
  EXPECT_GT(midi.rms(0.05, 0.5), 0.01);
}

TEST_F(SoundChannelsTest, MusicAndSoundPlayersFollowTheBindings) {
  game->PlayMusic(areas("a.wav"), true);
  game->PlaySound(t.player.folders.FramesFolder + "missing.wav");  // silent, no box
  EXPECT_TRUE(game->IsMusicPlaying());
  EXPECT_EQ(player(6).volume(), -1200);
  EXPECT_EQ(player(6).repeatCount(), 0);
  EXPECT_TRUE(game->IsFilePlaying(areas("a.wav")));
  EXPECT_FALSE(game->IsFilePlaying(areas("A.wav")));  // exact names only
  game->SoundChannels[6].PlayerIndex = 2;
  game->SoundChannels[2].PlayerIndex = 6;
  EXPECT_FALSE(game->IsMusicPlaying());
  game->StopAllPlayers();
  EXPECT_EQ(game->SoundChannels[6].PlayerIndex, 6);
  EXPECT_FALSE(player(6).playing());
  EXPECT_TRUE(t.boxes().empty());
}

TEST_F(SoundChannelsTest, OlderFiveChannelFile) {
  std::vector<std::string> fields(22, "0");
  for (const char* v : {"0", "#FALSE#", "#TRUE#", "\"a.wav\"", "0",       // channel 1
                               "0", "#FALSE#", "#TRUE#", "\"b.wav\"", "#TRUE#"}) {  // channel 2
    fields.push_back(v);
  }
  t.game.writeLines("Frames/Old.chn", fields);
  game->PlaySoundChannels(t.player.folders.FramesFolder + "Old.chn");
  EXPECT_TRUE(t.boxes().empty());
  EXPECT_TRUE(player(1).playing());
  EXPECT_EQ(player(1).repeatCount(), 1);
  EXPECT_EQ(player(2).repeatCount(), 0);
  EXPECT_EQ(player(2).volume(), -800);

  fields[23] = "\"not a boolean\"";
  t.game.writeLines("Frames/Bad.chn", fields);
  game->PlaySoundChannels(t.player.folders.FramesFolder + "Bad.chn");
  ASSERT_EQ(t.boxes().size(), 1u);
  EXPECT_NE(t.boxes()[0].text.find(" Unable to load old sound system information."),
            std::string::npos);
  game->PlaySoundChannels(t.player.folders.FramesFolder + "None.chn");  // nothing at all
  EXPECT_EQ(t.boxes().size(), 1u);
}

TEST_F(SoundChannelsTest, ADamagedFileWarnsOnceAndHaltingStopsEverything) {
  t.game.write("Areas/bad.wav", std::string(3000, 'x'));
  row(1, 2, false, false, 10, "bad.wav");
  row(2, 2, false, false, 10, "a.wav");
  game->ApplySoundChannels();
  ASSERT_EQ(t.boxes().size(), 1u);
  EXPECT_EQ(t.boxes()[0].title, "AUDIO PROBLEM");
  EXPECT_NE(t.boxes()[0].text.find("This message will not reappear"), std::string::npos);
  EXPECT_FALSE(player(2).playing());  // the pass ended at the failure
  // The damaged file's command was dropped; the next pass plays the rest, without a box.
  game->ApplySoundChannels();
  EXPECT_TRUE(player(2).playing());
  row(1, 2, false, false, 10, "bad.wav");
  game->ApplySoundChannels();
  EXPECT_EQ(t.boxes().size(), 1u);

  game->HaltGame();
  EXPECT_TRUE(t.player.GameStopped);
  EXPECT_FALSE(game->PictureBox.visible());
  for (int i = 1; i <= 7; ++i) EXPECT_FALSE(player(i).playing());
  game->AudioWarningShown = false;
  row(1, 2, false, false, 10, "bad.wav");
  game->ApplySoundChannels();
  EXPECT_EQ(t.boxes().size(), 1u);  // no warning while the game is stopped
}

}  // namespace
}  // namespace tw::test
