// What sound and video cost: CPU for one second of mix with all seven players busy (each a
// different kind of file, MIDI among them), and the decoding plus drawing of a 640 x 480
// video at its frame rate. Both count the decoding threads (process CPU time). Each checks
// first that it really plays: the mix is not silent, the pictures change.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "media/MediaSystem.h"
#include "media/Mixer.h"
#include "media/VideoPlayer.h"
#include "platform/GuiForPainting.h"
#include "platform/Image.h"
#include "platform/Painter.h"
#include "platform/Picture.h"
#include "platform/PictureBox.h"
#include "platform/headless/HeadlessAudioOutput.h"

namespace {

namespace fs = std::filesystem;
using namespace tw;

std::string Folder() {
  static const std::string folder = [] {
    const fs::path p = fs::temp_directory_path() / ("talewick-media-bench-" + std::to_string(::getpid()));
    fs::create_directories(p);
    return p.string() + "/";
  }();
  return folder;
}

bool Ffmpeg(const std::string& args) {
  return std::system(("ffmpeg -nostdin -hide_banner -loglevel error -y " + args).c_str()) == 0;
}

// Seven files of the kinds games ship, each 3 s of a different tone.
std::vector<std::string> SoundFiles() {
  const std::string f = Folder();
  struct Kind {
    const char* name;
    const char* codec;
  };
  const Kind kinds[] = {{"pcm22.wav", "-c:a pcm_s16le -ar 22050 -ac 1"},
                        {"pcm44.wav", "-c:a pcm_s16le -ar 44100 -ac 2"},
                        {"adpcm.wav", "-c:a adpcm_ms -ar 22050 -ac 1"},
                        {"ima.wav", "-c:a adpcm_ima_wav -ar 11025 -ac 1"},
                        {"song.mp3", "-c:a libmp3lame -b:a 128k -ar 44100 -ac 2"},
                        {"song.wma", "-c:a wmav2 -b:a 96k -ar 44100 -ac 2"}};
  std::vector<std::string> files;
  int hz = 220;
  for (const Kind& k : kinds) {
    const std::string out = f + k.name;
    if (!Ffmpeg("-f lavfi -i sine=frequency=" + std::to_string(hz) + ":duration=3 " + k.codec +
                " '" + out + "'")) {
      return {};
    }
    files.push_back(out);
    hz += 110;
  }
  // A MIDI tune: a C major scale, repeated by the player.
  std::string track = std::string("\x00\xC0\x00", 3);
  for (int key : {60, 62, 64, 65, 67, 69, 71, 72}) {
    track += std::string("\x00\x90", 2) + static_cast<char>(key) + static_cast<char>(100);
    track += std::string("\x83\x60\x80", 3) + static_cast<char>(key) + static_cast<char>(0);
  }
  track += std::string("\x00\xFF\x2F\x00", 4);
  std::string midi = std::string("MThd\0\0\0\x06\0\0\0\x01\x01\xE0MTrk", 18);
  const auto n = static_cast<std::uint32_t>(track.size());
  midi += {static_cast<char>(n >> 24), static_cast<char>(n >> 16), static_cast<char>(n >> 8),
           static_cast<char>(n)};
  midi += track;
  const std::string mid = f + "scale.mid";
  std::FILE* out = std::fopen(mid.c_str(), "wb");
  if (!out) return {};
  std::fwrite(midi.data(), 1, midi.size(), out);
  std::fclose(out);
  files.push_back(mid);
  return files;
}

void BM_MixSevenPlayersOneSecond(benchmark::State& state) {
  const std::vector<std::string> files = SoundFiles();
  if (files.size() != 7) {
    state.SkipWithError("the ffmpeg tool could not make the sound files");
    return;
  }
  platform::HeadlessAudioOutput output;
  media::Mixer mixer(output, media::FindSoundFont(""));
  for (int i = 1; i <= 7; ++i) {
    media::SoundPlayer& p = mixer.player(i);
    if (!p.setFile(files[static_cast<std::size_t>(i - 1)])) {
      state.SkipWithError(("cannot decode " + files[static_cast<std::size_t>(i - 1)]).c_str());
      return;
    }
    p.setVolume(-1200);
    p.setRepeatCount(0);
    p.play();
  }
  // Check: one second of the mix is loud, and every player is still playing.
  const std::string check = Folder() + "check.wav";
  output.recordTo(check);
  std::int64_t clock = 1000;
  output.catchUp(clock);
  output.stopRecording();
  std::FILE* in = std::fopen(check.c_str(), "rb");
  std::vector<std::int16_t> samples(44100 * 2);
  std::fseek(in, 44, SEEK_SET);
  const std::size_t got = std::fread(samples.data(), 2, samples.size(), in);
  std::fclose(in);
  double sum = 0;
  for (std::size_t i = 0; i < got; ++i) sum += (samples[i] / 32768.0) * (samples[i] / 32768.0);
  const double rms = got ? std::sqrt(sum / static_cast<double>(got)) : 0;
  for (int i = 1; i <= 7; ++i) {
    if (!mixer.player(i).playing()) {
      state.SkipWithError("a player stopped");
      return;
    }
  }
  // Each tone is at 1/8 of full scale, played at -12 dB: about 0.02 alone, 0.05 for seven.
  if (got != samples.size() || rms < 0.03) {
    state.SkipWithError("the mix is silent");
    return;
  }
  for (auto _ : state) {
    clock += 1000;
    output.catchUp(clock);
  }
  state.counters["rms"] = rms;
  state.SetLabel("one iteration = one second of sound; its CPU time / 1 s = share of a core");
}
BENCHMARK(BM_MixSevenPlayersOneSecond)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->Iterations(20);

void BM_DecodeAndDraw640x480Video(benchmark::State& state) {
  const std::string video = Folder() + "scene.avi";
  if (!Ffmpeg("-f lavfi -i testsrc=size=640x480:rate=15:duration=4 -c:v cinepak '" + video + "'")) {
    state.SkipWithError("the ffmpeg tool could not make the video");
    return;
  }
  platform::GuiForPainting gui;
  platform::PictureBox area("PictureBox");
  area.move(0, 0, 640 * 15, 480 * 15);
  platform::Image window("VideoWindow");
  window.setStretch(true);
  window.move(0, 0, 640 * 15, 480 * 15);
  area.add(window);
  std::int64_t frames = 0;
  double seconds = 0;
  bool changed = false;
  for (auto _ : state) {
    auto player = media::VideoPlayer::open(video);
    if (!player) {
      state.SkipWithError("cannot open the video");
      return;
    }
    std::uint32_t firstPixel = 0;
    double t = 0;
    for (; !player->endedAt(t); t += 1.0 / 15) {
      if (auto frame = player->frameAt(t)) {
        window.setPicture(platform::Picture::fromPixels(frame->width, frame->height, frame->pixels.data()));
        const auto shot = platform::PaintElement(area);
        const std::uint32_t pixel = shot->pixel(320, 240);
        if (frames == 0) firstPixel = pixel;
        changed = changed || pixel != firstPixel || frame->pixels[1000] != frame->pixels[1001];
        ++frames;
      }
    }
    seconds += t;
  }
  if (!changed || frames == 0) state.SkipWithError("the pictures never changed");
  state.counters["frames"] = static_cast<double>(frames);
  state.counters["video_seconds"] = seconds;
  state.SetLabel("CPU time / video_seconds = share of a core at the file's frame rate");
}
BENCHMARK(BM_DecodeAndDraw640x480Video)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
