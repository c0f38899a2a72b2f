// Videos: the command strings of the media device wrapper, our command layer playing real
// AVI files on the clock, and the game's video placements, waits and stops.
#include <algorithm>
#include <fstream>
#include <iterator>

#include "frames/GameFixture.h"
#include "media/MediaSystem.h"
#include "platform/Painter.h"
#include "platform/Picture.h"
#include "support/SoundFiles.h"

namespace tw::test {
namespace {

using media::Mmedia;
using media::MmediaServices;

struct FakeDevice {
  std::vector<std::string> sent;
  std::string reply;
  int minute = 0;
  double random = 0.72;
  bool exists = true;
  int eventPasses = 0;
  MmediaServices services() {
    return {[this](const std::string& c) {
              sent.push_back(c);
              return reply;
            },
            [this] { ++eventPasses; }, [this] { return minute; }, [this] { return random; },
            [this](const std::string&) { return exists; }};
  }
};

TEST(MmediaTest, CommandStringsAndReplies) {
  FakeDevice d;
  Mmedia m(d.services());
  // Closed: nothing is sent, except seek and status.
  m.mmClose();
  m.mmPause();
  m.mmPlay();
  m.mmStop();
  EXPECT_EQ(m.Length(), 0);
  EXPECT_EQ(m.Position(), 0);
  EXPECT_TRUE(d.sent.empty());
  m.mmSeek(2.5f);
  EXPECT_EQ(m.Status(), "");
  EXPECT_EQ(d.sent, (std::vector<std::string>{"Seek  to 2.5", "Status  mode"}));

  d.sent.clear();
  m.mmOpen("C:\\a b\\song.mid");
  EXPECT_EQ(m.alias(), "mid0");
  d.minute = 7;
  m.setWait(true);
  m.mmPlay();
  m.mmOpenWave("x.wav");
  EXPECT_EQ(d.sent, (std::vector<std::string>{
                        "Open \"C:\\a b\\song.mid\" ALIAS mid0 TYPE Sequencer wait",
                        "Play mid0 wait", "Close mid0",
                        "Open \"x.wav\" ALIAS wav7 TYPE Waveaudio wait"}));
  d.reply = std::string("1234.5 ms\0junk", 14);
  EXPECT_FLOAT_EQ(m.Length(), 1234.5f);
  d.reply = "about 3";
  EXPECT_EQ(m.Position(), 0);
  d.reply = std::string(300, 'p');
  EXPECT_EQ(m.Status().size(), 255u);
}

TEST(MmediaTest, PlayMovieAndStopMovie) {
  FakeDevice d;
  Mmedia m(d.services());
  d.exists = false;
  m.PlayMovie("/g/none.avi", 1001, true, 1, 2, 3, 4);
  EXPECT_TRUE(d.sent.empty());
  EXPECT_EQ(m.alias(), "");

  d.exists = true;
  m.PlayMovie("/g/intro.avi", 1001, false, 1, 2, 3, 4);
  EXPECT_EQ(m.alias(), "37");  // integer part of 0.72 x 50, plus 1
  EXPECT_EQ(d.sent, (std::vector<std::string>{
                        "Open \"/g/intro.avi\" ALIAS 37 TYPE AviVideo wait parent 1001 style child",
                        "play 37 window"}));
  d.sent.clear();
  d.random = 0.0;
  m.PlayMovie("/g/intro.avi", 1001, true, 10, 20, 300, 200);
  ASSERT_EQ(d.sent.size(), 3u);
  EXPECT_EQ(d.sent[1], "put 1 window at 10 20 300 200");
  d.sent.clear();
  m.StopMovie();
  m.StopMovie();
  EXPECT_EQ(d.sent, (std::vector<std::string>{"Stop 1", "Close 1", "Stop 1", "Close 1"}));
  EXPECT_EQ(d.eventPasses, 2);
  EXPECT_EQ(m.alias(), "1");
}

// A real video made by the ffmpeg tool: 160 x 120, 10 pictures a second, with a sound track.
std::string MakeVideo(const GameFolder& folder, const std::string& name, const std::string& codec,
                      double seconds = 1.0, const std::string& audio = "-c:a pcm_s16le") {
  const std::string path = folder.file(name);
  const std::string d = std::to_string(seconds);
  EXPECT_TRUE(RunFfmpeg("-f lavfi -i testsrc=size=160x120:rate=10:duration=" + d +
                        " -f lavfi -i sine=frequency=440:duration=" + d + " " + codec + " " + audio +
                        " '" + path + "'"));
  return path;
}

bool Differ(const platform::Picture& a, const platform::Picture& b) {
  for (int y = 0; y < std::min(a.height(), b.height()); y += 2) {
    for (int x = 0; x < std::min(a.width(), b.width()); x += 2) {
      if (a.pixel(x, y) != b.pixel(x, y)) return true;
    }
  }
  return false;
}

class VideoTest : public GameFixture {
 protected:
  void SetUp() override {
    WriteSmallGeneral(t.game, "Start", true);
    t.game.writeVariables({"Flag"});
    WriteFrame(t.game, "Start", {.background = "255"});
    startGame();
  }
  media::MediaDevice& device() { return game->media().device; }
  const platform::Image* window() { return device().videoWindow(game->media().mmedia.alias()); }
};

TEST_F(VideoTest, EveryCodecPlaysForItsLengthThenStops) {
  for (const char* codec : {"-c:v cinepak", "-c:v msvideo1", "-c:v mjpeg", "-c:v rawvideo -pix_fmt bgr24"}) {
    SCOPED_TRACE(codec);
    const std::string video = MakeVideo(t.game, "v.avi", codec);
    game->PlayMovieWithStop(video, game->PictureBox, false, 5, 5, 5, 5);
    EXPECT_EQ(game->MediaStatus(), "playing");
    EXPECT_TRUE(game->IsVideoPlaying());
    ASSERT_NE(window(), nullptr);
    // At its own size, at the corner: the rectangle is ignored.
    EXPECT_EQ(window()->bounds(), (platform::Rect{0, 0, 160 * 15, 120 * 15}));
    EXPECT_TRUE(window()->visible());
    ASSERT_TRUE(window()->picture());
    const auto first = window()->picture();
    t.platform.advance(550);
    game->MediaStatus();
    EXPECT_TRUE(Differ(*first, *window()->picture()));  // the test picture's moving part moved
    t.platform.advance(500);
    EXPECT_EQ(game->MediaStatus(), "stopped");
    game->StopVideo();
    EXPECT_EQ(window(), nullptr);
    EXPECT_EQ(game->MediaStatus(), "");
  }
}

TEST_F(VideoTest, StretchedIntoARectangleAndDrawnByThePainter) {
  const std::string video = MakeVideo(t.game, "v.avi", "-c:v cinepak");
  game->PlayMovieWithStop(video, game->PictureBox, true, 100, 50, 320, 240);
  ASSERT_NE(window(), nullptr);
  EXPECT_EQ(window()->bounds(), (platform::Rect{100 * 15, 50 * 15, 320 * 15, 240 * 15}));
  // The game area's picture shows the video in its rectangle, and the frame's colour around.
  const auto shot = platform::PaintElement(game->PictureBox);
  EXPECT_NE(shot->pixel(260, 170), shot->pixel(20, 20));
  EXPECT_EQ(shot->pixel(20, 20), shot->pixel(600, 400));
  game->StopVideo();
}

// A hotspot's video waits until it ends, or until a click: the click's time decides.
TEST_F(VideoTest, AHotspotVideoWaitsForItsEndOrAClick) {
  MakeVideo(t.game, "Frames/clip.avi", "-c:v mjpeg", 2.0);
  std::vector<std::string> fields = ActionFields({});
  fields[15] = "1";
  fields[16] = "\"clip.avi\"";
  WriteHotspot(t.game, "Start", 1, {.left = 0, .top = 0, .width = 100, .height = 100});
  t.game.writeLines("Areas/Start/1b.dat", fields);
  t.game.writeLines("Frames/Start.lks", {"1"});
  game->OpenFrame("Start", false, 0, 0);
  ASSERT_TRUE(t.boxes().empty()) << t.boxes()[0].text;

  const std::int64_t start = t.platform.clockMs();
  click(50, 50);
  const std::int64_t played = t.platform.clockMs() - start;
  EXPECT_GE(played, 2000);
  EXPECT_LT(played, 2500);
  EXPECT_FALSE(game->IsVideoPlaying());

  // A click 500 ms in ends it (the input hook delivers it inside the wait).
  bool clicked = false;
  const std::int64_t again = t.platform.clockMs();
  t.platform.setInputHook([&](const platform::HeadlessPlatform::Wait&) {
    if (clicked || t.platform.clockMs() - again < 500) return false;
    clicked = true;
    click(300, 300);
    return true;
  });
  click(50, 50);
  t.platform.setInputHook(nullptr);
  EXPECT_TRUE(clicked);
  EXPECT_LT(t.platform.clockMs() - again, 900);  // with the short pause after a click
  EXPECT_FALSE(game->IsVideoPlaying());
  EXPECT_FALSE(game->StopMovie);
}

// The click that ends the wait ends the video too, picture and sound, before the action goes
// on with its transition to the next frame.
TEST_F(VideoTest, TheClickThatEndsTheWaitEndsTheVideoBeforeTheTransition) {
  MakeVideo(t.game, "Frames/clip.avi", "-c:v mjpeg", 3.0);
  WriteFrame(t.game, "Other", {.background = "16711680"});
  std::vector<std::string> fields = ActionFields({.goTo = "Other"});
  fields[15] = "1";
  fields[16] = "\"clip.avi\"";
  fields[18] = "#TRUE#";  // in the cut-scene area
  fields[21] = "160";
  fields[22] = "120";
  fields[44] = "1";     // 42: with a transition
  fields[45] = "1000";  // 43: of a second
  fields[48] = "1";     // 46: a cross-fade
  WriteHotspot(t.game, "Start", 1, {.left = 0, .top = 0, .width = 100, .height = 100});
  t.game.writeLines("Areas/Start/1b.dat", fields);
  t.game.writeLines("Frames/Start.lks", {"1"});
  game->OpenFrame("Start", false, 0, 0);
  bool clicked = false;
  int stepsWithVideo = 0, steps = 0;
  const std::int64_t start = t.platform.clockMs();
  t.platform.setInputHook([&](const platform::HeadlessPlatform::Wait&) {
    if (game->TransitionRunning()) {
      ++steps;
      stepsWithVideo += game->IsVideoPlaying() || game->CutSceneArea.visible();
    }
    if (clicked || t.platform.clockMs() - start < 500) return false;
    clicked = true;
    game->window.dispatchKeyDown(27, 0);  // Esc
    return true;
  });
  click(50, 50);
  t.platform.setInputHook(nullptr);
  ASSERT_TRUE(clicked);
  EXPECT_EQ(frame(), "Other");
  EXPECT_GT(steps, 10);
  EXPECT_EQ(stepsWithVideo, 0);
  EXPECT_LT(t.platform.clockMs() - start, 2000);
}

TEST_F(VideoTest, BadVideosPlayNothingAndEndTheWaitAtOnce) {
  std::string garbage(4000, '\0');
  for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>(i * 31 % 253);
  t.game.write("Frames/garbage.avi", garbage);
  t.game.write("Frames/empty.avi", "");
  const std::string whole = MakeVideo(t.game, "Frames/whole.avi", "-c:v cinepak");
  std::ifstream in(whole, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  t.game.write("Frames/cut.avi", bytes.substr(0, bytes.size() / 3));
  for (const char* name : {"garbage.avi", "empty.avi", "missing.avi"}) {
    SCOPED_TRACE(name);
    game->PlayMovieWithStop(t.player.folders.FramesFolder + name, game->PictureBox, false, 0, 0, 0, 0);
    EXPECT_EQ(game->MediaStatus(), "");
    EXPECT_FALSE(game->IsVideoPlaying());
    game->StopVideo();
  }
  // Cut short: it plays what it has and stops.
  game->PlayMovieWithStop(t.player.folders.FramesFolder + "cut.avi", game->PictureBox, false, 0, 0, 0, 0);
  EXPECT_EQ(game->MediaStatus(), "playing");
  t.platform.advance(1500);
  EXPECT_EQ(game->MediaStatus(), "stopped");
  game->StopVideo();
  EXPECT_TRUE(t.boxes().empty());
}

TEST_F(VideoTest, AVideoWhoseSoundCannotBeDecodedPlaysSilently) {
  const std::string video = MakeVideo(t.game, "v.avi", "-c:v cinepak", 1.0, "-c:a pcm_s16le");
  // The sound stream's format tag becomes one that no decoder knows.
  std::ifstream in(video, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::size_t auds = bytes.find("auds");
  ASSERT_NE(auds, std::string::npos);
  const std::size_t strf = bytes.find("strf", auds);
  ASSERT_NE(strf, std::string::npos);
  bytes[strf + 8] = '\x34';
  bytes[strf + 9] = '\x12';
  t.game.write("mute.avi", bytes);
  const std::string wav = t.game.file("mix.wav");
  ASSERT_TRUE(t.platform.headlessAudio().recordTo(wav));
  game->PlayMovieWithStop(t.game.file("mute.avi"), game->PictureBox, false, 0, 0, 0, 0);
  EXPECT_EQ(game->MediaStatus(), "playing");
  t.platform.advance(1200);
  EXPECT_EQ(game->MediaStatus(), "stopped");
  game->StopVideo();
  // Then the same video with its sound: the sound starts with the pictures.
  game->PlayMovieWithStop(video, game->PictureBox, false, 0, 0, 0, 0);
  t.platform.advance(1200);
  game->StopVideo();
  ASSERT_TRUE(t.platform.headlessAudio().stopRecording());
  const Recording r = ReadWav(wav);
  const double videoStart = 1.2;
  EXPECT_LT(r.rms(0.0, 1.2), 1e-4);
  EXPECT_GT(r.rms(videoStart, videoStart + 0.9), 0.08);  // the tool's sine is at 1/8 of full scale
}

}  // namespace
}  // namespace tw::test
