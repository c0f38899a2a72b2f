// How fast the visual effects draw: one step of a cross-fade and of a slide over a
// 1024 x 768 frame area (the model change plus painting the frame area, as a screen update
// does; target at least 120 steps a second, twice a display's refresh), and one step of the
// rippling water over 640 x 200 (target: at 33 steps a second, under 10 % of a core, i.e.
// under 3 ms a step). Each benchmark first checks that its step draws what it should.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "effects/TransitionPlan.h"
#include "effects/Wave.h"
#include "platform/GuiForPainting.h"
#include "platform/Painter.h"
#include "platform/Picture.h"
#include "platform/PictureBox.h"
#include "platform/PixelBuffer.h"

namespace {

using namespace tw;

constexpr int kW = 1024, kH = 768;

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "effects_bench: %s\n", what);
    std::abort();
  }
}

int Red(std::uint32_t argb) { return static_cast<int>((argb >> 16) & 0xFF); }
int Blue(std::uint32_t argb) { return static_cast<int>(argb & 0xFF); }

void BM_CrossFadeStep(benchmark::State& state) {
  platform::PictureBox area("PictureBox");
  area.move(0, 0, kW * 15, kH * 15);
  platform::PictureBox overlay("picWhere");
  area.add(overlay);
  overlay.move(0, 0, kW * 15, kH * 15);
  overlay.setPicture(platform::Picture::solid(kW, kH, 0x0000FF));  // red, the old frame
  const auto next = platform::Picture::solid(kW, kH, 0xFF0000);    // blue, the new one
  const auto step = [&](double v) {
    overlay.cls();
    overlay.blendPicture(*next, 0, 0, effects::CrossFadeOpacity(v));
    return platform::PaintElement(area);
  };
  const auto half = step(0.5);
  Check(std::abs(Red(half->pixel(500, 400)) - 127) <= 2 &&
            std::abs(Blue(half->pixel(500, 400)) - 128) <= 2,
        "the cross-fade does not blend half and half");
  double v = 0;
  for (auto _ : state) {
    v = v >= 1 ? 0 : v + 1.0 / 60;
    benchmark::DoNotOptimize(step(v));
  }
  state.counters["steps_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CrossFadeStep)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SlideStep(benchmark::State& state) {
  platform::PictureBox area("PictureBox");
  area.move(0, 0, kW * 15, kH * 15);
  platform::PictureBox moving("picEnd");
  area.add(moving);
  moving.move(0, 0, 2 * kW * 15, kH * 15);
  moving.setPicture(platform::Picture::solid(kW, kH, 0xFF0000));           // new, blue
  moving.drawPicture(*platform::Picture::solid(kW, kH, 0x0000FF), kW, 0);  // old, red
  const auto step = [&](double v) {
    const effects::Place place =
        effects::SlidePlace(effects::TransitionKind::SlideLeft, v, kW * 15, kH * 15);
    moving.move(place.left, place.top);
    return platform::PaintElement(area);
  };
  const auto half = step(0.5);
  Check(Blue(half->pixel(100, 300)) == 255 && Red(half->pixel(900, 300)) == 255,
        "the slide does not show the new frame left and the old right");
  double v = 0;
  for (auto _ : state) {
    v = v >= 1 ? 0 : v + 1.0 / 60;
    benchmark::DoNotOptimize(step(v));
  }
  state.counters["steps_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SlideStep)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WaterStep(benchmark::State& state) {
  constexpr int w = 640, h = 200;
  platform::PixelBuffer original(w, h), mask(w, h, 0xFFFFFF);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      original.set(x, y, ((x / 3 + y / 2) % 2) ? 0x80C0E0 : 0x204060);
      if (y > h / 3) mask.set(x, y, 0);  // water below the first third
    }
  }
  platform::PixelBuffer masked = original;
  effects::MergePaint(masked, mask);
  platform::PixelBuffer out(w, h);
  std::int32_t t = 0;
  const auto step = [&] {
    t += 30;
    effects::VexWave(out, original, w, h, 5, effects::WavePhase(8, false, t));
    effects::VexFastMask(out, masked, mask, w, h);
    return out.toPicture();
  };
  const auto first = step();
  t += 600;
  const auto second = step();
  int moved = 0;
  for (int x = 0; x < w; ++x) moved += first->pixel(x, 150) != second->pixel(x, 150);
  Check(moved > 50, "the water does not move");
  Check(first->pixel(10, 10) == second->pixel(10, 10), "the dry part moves");
  for (auto _ : state) benchmark::DoNotOptimize(step());
  // Seconds of work per second of water: 33 steps' worth of the time one step takes.
  state.counters["core_share_at_33_per_s"] = benchmark::Counter(
      static_cast<double>(state.iterations()) / 33.0,
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_WaterStep)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  tw::platform::GuiForPainting gui;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
