// How fast the scene changes: OpenFrame headless, from the frame file to the drawn game area.
//
// - 1024 x 768 JPEG frames with 50 hotspots and 10 texts: a frame visited again (two frames
//   in turn) and a frame seen for the first time (32 frames in a ring, more pictures than
//   any picture cache keeps, so every visit decodes);
// - the same frames on a plain colour, to show what the picture costs;
// - one frame with 10 / 100 / 1,000 / 10,000 hotspots: opening must grow linearly;
// - the start of a game of 100 / 10,000 frames (the Debug menu's frame list).
// Every benchmark first checks that it does what it says: the frame named is shown, its
// picture is drawn (a pixel of it differs from the other frame's), its hotspots exist, and
// no box was shown.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "BenchGame.h"
#include "platform/GuiForPainting.h"

namespace {

using tw::bench::BenchGame;
using tw::bench::BenchPlayer;

constexpr int kHotspots = 50;
constexpr int kTexts = 10;

std::string FrameName(int i) { return "F" + std::to_string(i); }

// `frames` frames of 1024 x 768; with pictures each has its own JPEG, else its own colour.
void WriteSceneGame(BenchGame& game, int frames, bool pictures) {
  game.general(FrameName(0));
  game.picture("Areas/knob.bmp", 24, 24, 5);
  for (int f = 0; f < frames; ++f) {
    const std::string name = FrameName(f);
    if (pictures) {
      game.picture("Frames/" + name + ".jpg", 1024, 768, f * 7 + 1);
      game.frame(name, 1, name + ".jpg", kHotspots);
    } else {
      game.frame(name, 0, std::to_string(0x102030 + f * 0x010101), kHotspots);
    }
    for (int h = 1; h <= kHotspots; ++h) {
      game.hotspot(name, h, h % 5 == 0 ? "knob.bmp" : "", h % 3 == 0 ? "Hidden" : "");
    }
    for (int t = 1; t <= kTexts; ++t) game.text(name, t);
  }
  game.age();
}

// Opens frame `i` and checks it is shown; its pixel at the centre of the area (under no
// hotspot or text) is returned.
bool Open(tw::Game& game, const std::string& name, benchmark::State& state) {
  game.OpenFrame(name, false, 0, 0);
  if (game.player().frame.CurrentFrameName != name || game.Area.ubound() != kHotspots ||
      game.Text.ubound() != kTexts) {
    state.SkipWithError(("frame " + name + " was not shown whole").c_str());
    return false;
  }
  return true;
}

// What tells the frames apart: the drawn picture's pixel near the bottom-right corner (under
// no hotspot or text), or the area's colour.
std::uint32_t Mark(tw::Game& game) {
  if (game.player().frame.BackgroundType == 1) return tw::bench::AreaPixel(game, 1010, 760);
  return static_cast<std::uint32_t>(game.PictureBox.backColour());
}

void RunRing(benchmark::State& state, int frames, bool pictures) {
  BenchGame files;
  WriteSceneGame(files, frames, pictures);
  BenchPlayer player(files);
  tw::Game* game = player.game();
  if (!game) {
    state.SkipWithError("the game did not start");
    return;
  }
  // Each frame's own pixel, seen once before timing; neighbours must differ.
  std::vector<std::uint32_t> pixel(static_cast<std::size_t>(frames));
  for (int f = 0; f < frames; ++f) {
    if (!Open(*game, FrameName(f), state)) return;
    pixel[static_cast<std::size_t>(f)] = Mark(*game);
  }
  for (int f = 0; f < frames; ++f) {
    if (pixel[static_cast<std::size_t>(f)] == pixel[static_cast<std::size_t>((f + 1) % frames)]) {
      state.SkipWithError("two frames draw the same picture: the check would prove nothing");
      return;
    }
  }
  const std::size_t boxes = player.boxes();
  int f = 0;
  for (auto _ : state) {
    f = (f + 1) % frames;
    if (!Open(*game, FrameName(f), state)) return;
    if (Mark(*game) != pixel[static_cast<std::size_t>(f)]) {
      state.SkipWithError("the frame's picture was not drawn");
      return;
    }
  }
  if (player.boxes() != boxes) state.SkipWithError("a box was shown while changing frames");
}

void BM_FrameChangeJpegRevisit(benchmark::State& state) { RunRing(state, 2, true); }
BENCHMARK(BM_FrameChangeJpegRevisit)->Unit(benchmark::kMillisecond);

void BM_FrameChangeJpegFirstVisit(benchmark::State& state) { RunRing(state, 32, true); }
BENCHMARK(BM_FrameChangeJpegFirstVisit)->Unit(benchmark::kMillisecond);

void BM_FrameChangePlainColour(benchmark::State& state) { RunRing(state, 2, false); }
BENCHMARK(BM_FrameChangePlainColour)->Unit(benchmark::kMillisecond);

// One plain frame with N hotspots (a.dat only, no speed field, so each hotspot may make the
// player look for an item file), opened again and again.
void BM_OpenFrameHotspots(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  BenchGame files;
  files.general("Many");
  files.frame("Many", 0, "255", count);
  for (int h = 1; h <= count; ++h) files.hotspot("Many", h);
  files.age();
  BenchPlayer player(files);
  tw::Game* game = player.game();
  if (!game) {
    state.SkipWithError("the game did not start");
    return;
  }
  const std::size_t boxes = player.boxes();
  for (auto _ : state) {
    game->OpenFrame("Many", false, 0, 0);
    if (game->Area.ubound() != count || !game->Area[count].visible()) {
      state.SkipWithError("the hotspots were not all made");
      return;
    }
  }
  if (player.boxes() != boxes) state.SkipWithError("a box was shown while opening the frame");
  state.SetComplexityN(count);
}
BENCHMARK(BM_OpenFrameHotspots)
    ->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// ResetAll of a game of N frames: it builds the Debug menu's list of every frame.
void BM_ResetAllFrames(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  BenchGame files;
  files.general(FrameName(0), 640, 480);
  for (int f = 0; f < count; ++f) files.frame(FrameName(f), 0, "0", 0);
  files.age();
  BenchPlayer player(files);
  tw::Game* game = player.game();
  if (!game) {
    state.SkipWithError("the game did not start");
    return;
  }
  for (auto _ : state) {
    game->ResetAll();
    if (game->mnuFrameName.ubound() != count ||
        game->mnuFrameName[count].caption().empty()) {
      state.SkipWithError("the frame list is not whole");
      return;
    }
  }
  state.SetComplexityN(count);
}
BENCHMARK(BM_ResetAllFrames)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace

int main(int argc, char** argv) {
  tw::platform::GuiForPainting gui;  // texts measure their captions with fonts
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
