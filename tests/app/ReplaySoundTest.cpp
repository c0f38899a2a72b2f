// What a replay sounded like: --audio-out records the mix on the virtual clock, and the
// state dump shows the players. Music carries on across frames; a video's sound starts with
// its pictures and a click line ends it.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <cmath>
#include <sstream>

#include "app/Replay.h"
#include "support/ReplayRun.h"
#include "support/GameBuilder.h"
#include "support/SoundFiles.h"

namespace tw::test {
namespace {

using Json = nlohmann::json;

// Shore: music, a hotspot playing a three-second video, a hotspot leading to Cliff, which
// asks for the same music.
void WriteShore(const GameFolder& game) {
  WriteSmallGeneral(game, "Shore", true);
  game.writeVariables({"Flag"});
  game.write("Areas/sea.wav", SineWav(6.0, 220, 0.4));
  ASSERT_TRUE(RunFfmpeg("-f lavfi -i testsrc=size=160x120:rate=10:duration=3 -f lavfi -i "
                        "sine=frequency=880:duration=3 -c:v cinepak -c:a pcm_s16le '" +
                        game.file("Frames/gull.avi") + "'"));
  WriteFrame(game, "Shore", {.background = "16711680", .music = "sea.wav"}, 2);
  WriteHotspot(game, "Shore", 1, {.left = 0, .top = 0, .width = 100, .height = 100});
  std::vector<std::string> video = ActionFields({});
  video[15] = "1";
  video[16] = "\"gull.avi\"";
  game.writeLines("Areas/Shore/1b.dat", video);
  WriteHotspot(game, "Shore", 2, {.left = 200, .top = 0, .width = 100, .height = 100});
  WriteAction(game, "Shore", 2, {.goTo = "Cliff"});
  WriteFrame(game, "Cliff", {.background = "255", .music = "sea.wav"});
}

TEST(ReplaySoundTest, MusicCarriesOnAVideoSoundsAndAClickEndsIt) {
  GameFolder game;
  WriteShore(game);
  const std::string replay =
      "wait 1000\n"
      "click 50 50\n"   // the video, three seconds long
      "wait 500\n"
      "click 400 400\n"  // ends it half a second in
      "wait 400\n"
      "click 250 50\n"  // to the cliff: the same music goes on
      "wait 600\n";
  const ReplayOutcome played = PlayReplay(game, replay, "", game.file("heard.wav"));
  ASSERT_EQ(played.status, 0) << played.errors;
  const Json state = played.state;
  EXPECT_EQ(state["frame"], "Cliff");
  const std::int64_t clock = state["clock_ms"];
  EXPECT_GE(clock, 2500);
  EXPECT_LT(clock, 3200);  // the click ended the video: not three seconds more

  const Json& music = state["players"][5];
  EXPECT_EQ(music["file"], game.path() + "Areas/sea.wav");
  EXPECT_EQ(music["playing"], true);
  EXPECT_EQ(music["volume"], -1200);
  // Never restarted: it has played since the first frame opened.
  EXPECT_NEAR(music["position"].get<double>(), clock / 1000.0, 0.3);

  const Recording heard = ReadWav(game.file("heard.wav"));
  ASSERT_EQ(heard.rate, 44100);
  EXPECT_NEAR(static_cast<double>(heard.frames()), clock * 44.1, 50);
  const double musicLevel = 0.4 * 0.70710678 * 0.25118864;  // level 7: -12 dB
  EXPECT_NEAR(heard.rms(0.2, 0.9), musicLevel, 0.005);
  // The video's sound joins the music while its pictures play, and goes with them.
  EXPECT_GT(heard.rms(1.05, 1.45), musicLevel * 1.3);
  EXPECT_NEAR(heard.rms(1.7, 1.85), musicLevel, 0.005);
  EXPECT_NEAR(heard.rms(clock / 1000.0 - 0.4, clock / 1000.0), musicLevel, 0.005);
}

// "Old" plays old.wav on channel 1, looping; after a second its timer leads to "New", whose
// channel 1 row fades over one second to `file`.
void WriteFadeToNew(const GameFolder& game, bool withTransition, const std::string& file) {
  WriteSmallGeneral(game, "Old", true);
  game.writeVariables({"Flag"});
  game.write("Areas/old.wav", SineWav(4.0, 220, 0.4));
  game.write("Areas/new.wav", SineWav(4.0, 440, 0.2));
  game.write("Areas/bad.wav", std::string(3000, 'x'));
  const auto withChannel1 = [](std::vector<std::string> fields, bool fade, const std::string& f) {
    fields[34] = "1000";  // fade, ms
    fields[37] = "1";     // rows
    const std::vector<std::string> row{"2", fade ? "#TRUE#" : "#FALSE#", "#TRUE#", "10", Quoted(f)};
    fields.insert(fields.begin() + 38, row.begin(), row.end());
    return fields;
  };
  game.writeLines("Frames/Old.fme",
                  withChannel1(FrameFields({.background = "255", .timerOn = true,
                                            .timerDelay = "1", .timerTarget = "New",
                                            .timerTransition = withTransition,
                                            .timerTransitionMs = 1000,
                                            .timerTransitionNumber = 1}),
                               false, "old.wav"));
  game.writeLines("Frames/New.fme", withChannel1(FrameFields({.background = "16711680"}), true, file));
}

// However the frame change goes, once the fade is over the old music is gone and nothing
// plays but the new sound at its level (silence when the new file cannot be decoded).
TEST(ReplaySoundTest, AFadeToTheNextFrameEndsTheOldMusic) {
  struct Case {
    const char* name;
    bool transition;
    const char* menu;  // a line before the waits
    const char* file;
  };
  const Case cases[] = {
      {"cross-fade", true, "", "new.wav"},
      {"transitions disabled", true, "menu mnuDisableTransitions\n", "new.wav"},
      {"no transition, undecodable", false, "", "bad.wav"},
      {"cross-fade, undecodable", true, "", "bad.wav"},
      {"transitions disabled, undecodable", true, "menu mnuDisableTransitions\n", "bad.wav"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GameFolder game;
    WriteFadeToNew(game, c.transition, c.file);
    const std::string replay = std::string(c.menu) + "wait 1000\nwait 1800\nwait 400\n";
    const ReplayOutcome played = PlayReplay(game, replay, "", game.file("heard.wav"));
    ASSERT_EQ(played.status, 0) << played.errors;
    const Json state = played.state;
    EXPECT_EQ(state["frame"], "New");
    const bool good = std::string(c.file) == "new.wav";
    int playing = 0;
    for (const Json& p : state["players"]) {
      if (!p["playing"].get<bool>()) continue;
      ++playing;
      EXPECT_EQ(p["file"], game.path() + "Areas/new.wav");
      EXPECT_EQ(p["volume"], 0);
    }
    EXPECT_EQ(playing, good ? 1 : 0);
    const Recording heard = ReadWav(game.file("heard.wav"));
    const double end = state["clock_ms"].get<double>() / 1000.0;
    EXPECT_NEAR(heard.rms(end - 0.35, end), good ? 0.2 * 0.70710678 : 0.0, 0.005);
    // Before the change only the old music sounds.
    EXPECT_NEAR(heard.rms(0.3, 0.9), 0.4 * 0.70710678, 0.005);
  }
}

// MIDI music is as loud as other game music: a piano tune at velocity 100 on the music player
// sits where a sampled tune peaking at -6 dBFS would (-18 dBFS peaks at level 7), and the
// loudest General MIDI can play at full volume does not clip.
TEST(ReplaySoundTest, MidiMusicSoundsAsLoudAsGameMusicWithoutClipping) {
  GameFolder game;
  WriteSmallGeneral(game, "Tune", true);
  game.writeVariables({"Flag"});
  game.write("Areas/tune.mid", MidiNotes({60, 62, 64, 65, 67, 69, 71, 72}, 250));
  game.write("Areas/loud.mid", LoudMidi(3));
  WriteFrame(game, "Tune", {.music = "tune.mid", .timerOn = true, .timerDelay = "2.5",
                            .timerTarget = "Loud"});
  std::vector<std::string> loud = FrameFields({});
  loud[37] = "1";  // one channel row: loud.mid at full volume
  const std::vector<std::string> row{"2", "#FALSE#", "#FALSE#", "10", Quoted("loud.mid")};
  loud.insert(loud.begin() + 38, row.begin(), row.end());
  game.writeLines("Frames/Loud.fme", loud);
  const std::string replay = "wait 2500\nwait 3000\n";
  const ReplayOutcome played = PlayReplay(game, replay, "", game.file("heard.wav"));
  ASSERT_EQ(played.status, 0) << played.errors;
  EXPECT_EQ(played.state["frame"], "Loud");
  const Recording heard = ReadWav(game.file("heard.wav"));
  const auto dbfs = [](double v) { return 20 * std::log10(v); };
  EXPECT_NEAR(dbfs(heard.peak(0.0, 2.4)), -18, 2);
  EXPECT_NEAR(dbfs(heard.rms(0.05, 2.0)), -30.5, 3);
  EXPECT_LT(heard.peak(2.5, 5.5), 0.95);
  EXPECT_GT(dbfs(heard.rms(2.6, 5.4)), -15);
}

TEST(ReplaySoundTest, EscapeEndsAVideoAndWithoutInputItPlaysToItsEnd) {
  GameFolder game;
  WriteShore(game);
  const auto clockAfter = [&](const std::string& replay) {
    const ReplayOutcome outcome = PlayReplay(game, replay);
    EXPECT_EQ(outcome.status, 0) << outcome.errors;
    return outcome.state["clock_ms"].get<std::int64_t>();
  };
  const std::int64_t escaped = clockAfter("click 50 50\nwait 700\nkey Escape\n");
  EXPECT_GE(escaped, 700);
  EXPECT_LT(escaped, 1000);
  const std::int64_t whole = clockAfter("click 50 50\n");
  EXPECT_GE(whole, 3000);
  EXPECT_LT(whole, 3400);
}

// The line after the one that ends a video is played once the video has stopped: a click
// there reaches the hotspot, and a wait there passes without the video's sound.
TEST(ReplaySoundTest, TheLineAfterTheOneThatEndsAVideoRunsAfterTheVideo) {
  GameFolder game;
  WriteShore(game);
  const double musicLevel = 0.4 * 0.70710678 * 0.25118864;
  // The video's loop lets events run twice a pass and checks between passes: half a second
  // in one line or two, the ending line comes at either of the two.
  std::vector<std::string> replays;
  for (const char* before : {"wait 500\n", "wait 300\nwait 200\n"}) {
    for (const char* ending : {"click 400 400\n", "key Escape\n"}) {
      for (const char* after : {"wait 600\nclick 250 50\n", "click 250 50\nwait 600\n"}) {
        replays.push_back(std::string("click 50 50\n") + before + ending + after);
      }
    }
  }
  for (const std::string& replay : replays) {
    const ReplayOutcome played = PlayReplay(game, replay, "", game.file("heard.wav"));
    ASSERT_EQ(played.status, 0) << played.errors;
    EXPECT_EQ(played.state["frame"], "Cliff") << replay;
    const Recording heard = ReadWav(game.file("heard.wav"));
    EXPECT_GT(heard.rms(0.1, 0.45), musicLevel * 1.3) << replay;
    EXPECT_NEAR(heard.rms(0.55, 1.0), musicLevel, 0.005) << replay;
  }
}

// Old moves on by its frame timer at 1 s to New with a two-second cross-fade, which fades a
// tone in on channel 1. One long wait gives the same steps and the same rising sound as
// many short ones: the transition and its fade move on through the wait as on a real clock.
TEST(ReplaySoundTest, AFadeRisesThroughOneLongWaitAsThroughManyShortOnes) {
  GameFolder game;
  WriteSmallGeneral(game, "Old", true);
  game.write("Areas/tone.wav", SineWav(6.0, 440, 0.5));
  WriteFrame(game, "Old", {.background = "255", .timerOn = true, .timerDelay = "1",
                           .timerTarget = "New", .timerTransition = true,
                           .timerTransitionMs = 2000, .timerTransitionNumber = 1});
  std::vector<std::string> fields = FrameFields({.background = "16711680"});
  fields[34] = "2000";  // fade, ms
  fields[37] = "1";     // rows
  const std::vector<std::string> fadeIn = {"2", "#TRUE#", "#TRUE#", "10", Quoted("tone.wav")};
  fields.insert(fields.begin() + 38, fadeIn.begin(), fadeIn.end());
  game.writeLines("Frames/New.fme", fields);

  std::string shortWaits = "wait 1000\n";
  for (int i = 0; i < 25; ++i) shortWaits += "wait 100\n";
  struct Heard {
    int steps = 0;
    std::vector<double> levels;  // 200 ms apart from the start of the fade
  };
  const auto play = [&](const std::string& replay) {
    const ReplayOutcome played = PlayReplay(game, replay, "", game.file("heard.wav"));
    EXPECT_EQ(played.status, 0) << played.errors;
    Heard h;
    const Json state = played.state;
    EXPECT_EQ(state["frame"], "New");
    EXPECT_FALSE(state["transition"]["running"].get<bool>());
    h.steps = state["transition"]["steps_drawn"].get<int>();
    const Recording r = ReadWav(game.file("heard.wav"));
    for (double t = 1.1; t < 3.4; t += 0.2) h.levels.push_back(r.rms(t, t + 0.1));
    return h;
  };
  const Heard once = play("wait 1000\nwait 2500\n");
  const Heard many = play(shortWaits);
  // A step every 17 ms for two seconds.
  EXPECT_GE(once.steps, 110);
  EXPECT_EQ(once.steps, many.steps);
  ASSERT_EQ(once.levels.size(), many.levels.size());
  for (std::size_t i = 0; i < once.levels.size(); ++i) {
    EXPECT_NEAR(once.levels[i], many.levels[i], 0.002) << "at " << 1.1 + 0.2 * i << " s";
  }
  // Rising through the two seconds, 4 dB a level, a level every 200 ms; then the tone at its
  // full level (10: 0 dB).
  for (std::size_t i = 1; i < 10; ++i) {
    EXPECT_GT(once.levels[i], once.levels[i - 1] * 1.4) << "at " << 1.1 + 0.2 * i << " s";
  }
  EXPECT_NEAR(once.levels.back(), 0.5 * 0.70710678, 0.01);
}

TEST(ReplaySoundTest, AnAudioFileThatCannotBeWrittenIsReported) {
  GameFolder game;
  WriteSmallGeneral(game, "Shore", true);
  game.writeVariables({"Flag"});
  WriteFrame(game, "Shore", {.background = "0"});
  game.write("replay.txt", "wait 10\n");
  std::ostringstream out, err;
  ReplayOptions options;
  options.replayFile = game.file("replay.txt");
  options.gameFolder = game.path();
  options.audioOut = game.file("no/such/folder/heard.wav");
  EXPECT_EQ(RunReplay(options, out, err), 2);
  EXPECT_NE(err.str().find("cannot write the sound file"), std::string::npos);
}

}  // namespace
}  // namespace tw::test
