// How fast a frame is painted: a 640 x 480 game area with a background picture, 30 hotspot
// pictures (half of them see-through in parts, a few stretched) and 10 captions — into a new
// picture (headless screenshots, transition captures) and into a reused image (the window
// back end's repaint).
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <memory>
#include <string>
#include <vector>

#include "platform/GuiForPainting.h"
#include "platform/Image.h"
#include "platform/Label.h"
#include "platform/Painter.h"
#include "platform/Picture.h"
#include "platform/PictureBox.h"
#include "platform/Units.h"
#include "platform/qt/Bridge.h"
#include "platform/qt/Painting.h"

namespace {

using namespace tw::platform;

// A photograph-like background: a gradient, every pixel different.
std::shared_ptr<const Picture> Background() {
  QImage img(640, 480, QImage::Format_RGB32);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) img.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
  return PictureAccess::make(std::move(img));
}

// A hotspot picture with a see-through ring, as gif and icon hotspots have.
std::shared_ptr<const Picture> Hotspot(int size, bool seeThrough) {
  QImage img(size, size, QImage::Format_ARGB32);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const bool clear = seeThrough && (x < 4 || y < 4 || x >= size - 4 || y >= size - 4);
      img.setPixel(x, y, clear ? 0u : qRgb(200, (x * 5) % 256, (y * 7) % 256));
    }
  return PictureAccess::make(std::move(img));
}

struct GameArea {
  PictureBox box{"PictureBox"};
  std::vector<std::unique_ptr<Image>> hotspots;
  std::vector<std::unique_ptr<Label>> labels;

  GameArea() {
    box.move(0, 0, TwipsFromPixels(640), TwipsFromPixels(480));
    box.setPicture(Background());
    for (int i = 0; i < 30; ++i) {
      auto& h = hotspots.emplace_back(std::make_unique<Image>("Area"));
      box.add(*h);
      h->setStretch(i % 5 == 0);
      h->setPicture(Hotspot(48, i % 2 == 0));
      h->move(TwipsFromPixels((i % 6) * 100 + 10), TwipsFromPixels((i / 6) * 90 + 10),
              TwipsFromPixels(i % 5 == 0 ? 80 : 48), TwipsFromPixels(i % 5 == 0 ? 64 : 48));
    }
    Font font;
    font.name = "Arial";
    font.size = 10;
    for (int i = 0; i < 10; ++i) {
      auto& l = labels.emplace_back(std::make_unique<Label>("Text"));
      box.add(*l);
      l->setFont(font);
      l->setTransparent(i % 2 == 0);
      l->setWordWrap(i % 3 == 0);
      l->setForeColour(ColourFromRgb(255, 255, 0));
      l->move(TwipsFromPixels(20 + (i % 2) * 300), TwipsFromPixels(300 + (i / 2) * 30),
              TwipsFromPixels(280), TwipsFromPixels(28));
      l->setCaption("You see an old door, number " + std::to_string(i) + ". It is locked.");
    }
  }
};

void BM_PaintGameAreaToPicture(benchmark::State& state) {
  GameArea area;
  for (auto _ : state) benchmark::DoNotOptimize(PaintElement(area.box));
}
BENCHMARK(BM_PaintGameAreaToPicture)->Unit(benchmark::kMillisecond);

void BM_PaintGameAreaIntoImage(benchmark::State& state) {
  GameArea area;
  QImage target(640, 480, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    QPainter painter(&target);
    PaintInto(painter, area.box);
  }
}
BENCHMARK(BM_PaintGameAreaIntoImage)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  GuiForPainting gui;  // captions need fonts
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
