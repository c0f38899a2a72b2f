// RipplingWater: loading from the frame's files, the timer step and the stop sequence.
#include "effects/RipplingWater.h"

#include "common/FieldReader.h"
#include "game/Game.h"
#include "platform/Picture.h"
#include "platform/Platform.h"
#include "project/DataFileLocator.h"
#include "project/ErrorBoxes.h"

namespace tw {

namespace {

constexpr int kStepMs = 30;
constexpr std::int64_t kStopWaitMs = 5000;

// The mask at the effect's size, nearest pixel.
platform::PixelBuffer Stretched(const platform::PixelBuffer& from, int w, int h) {
  if (from.width() == w && from.height() == h) return from;
  platform::PixelBuffer out(w, h);
  if (from.width() <= 0 || from.height() <= 0) return out;
  for (int y = 0; y < h; ++y) {
    const int sy = static_cast<int>(static_cast<std::int64_t>(y) * from.height() / h);
    for (int x = 0; x < w; ++x) {
      out.set(x, y, from.at(static_cast<int>(static_cast<std::int64_t>(x) * from.width() / w), sy));
    }
  }
  return out;
}

}  // namespace

RipplingWater::RipplingWater(Game& game) : PicRipplingWater("PicRipplingWater"), game_(game) {
  PicRipplingWater.setVisible(false);
  PicRipplingWater.setStretch(true);
  game_.PictureBox.add(PicRipplingWater);
  // The water is part of the frame: clicks and moves go where the background's would.
  PicRipplingWater.onMouseDown = [this](platform::Element&, const platform::MouseEvent& e) {
    game_.Background_MouseDown(e);
  };
  PicRipplingWater.onMouseMove = [this](platform::Element&, const platform::MouseEvent&) {
    game_.GameArea_MouseMove();
  };
  game_.TimerRipplingWater.onTimer = [this](platform::Timer&) { timerStep(); };
}

void RipplingWater::load(const std::string& frameName) {
  game_.RipplingWaterActive = false;
  reverse_ = false;
  PicRipplingWater.setVisible(false);
  Player& player = game_.player();
  const std::string base = player.folders.FramesFolder + frameName;
  if (!player.files.exists(base + ".rwe") || !player.files.exists(base + ".rwm")) return;
  try {
    int X = 0, Y = 0, W = 0, H = 0;
    {
      FieldReader in = FieldReader::Open(player.files, base + ".rwe");
      in.skip(6);
      X = in.readLong();
      Y = in.readLong();
      W = in.readLong();
      H = in.readLong();
      parameter_ = in.readInteger();
      speed_ = in.readInteger();
      if (!in.atEnd()) reverse_ = in.readBoolean();
    }
    if (W <= 0 || H <= 0) throw vbs::VbError(vbs::err::kInvalidCall);
    PicRipplingWater.move(X * 15, Y * 15, W * 15, H * 15);
    std::shared_ptr<const platform::Picture> mask;
    try {
      mask = platform::Picture::load(ResolvedPath(player, base + ".rwm"));
    } catch (const std::exception&) {
      return;  // a mask that cannot be read: no effect, no message
    }
    // The frame's picture under the rectangle (clipped to the frame area).
    const std::shared_ptr<const platform::Picture> region =
        game_.PictureBox.image()->region(X, Y, W, H);
    original_ = platform::PixelBuffer::fromPicture(*region);
    masked_ = original_;
    out_ = original_;
    mask_ = Stretched(platform::PixelBuffer::fromPicture(*mask), original_.width(),
                      original_.height());
    effects::MergePaint(masked_, mask_);
    clock_.VexTime(1, game_.platform().clockMs());
    drawStep();
    // Right on the background, below the texts and hotspots: a hotspot over the water
    // keeps its clicks (the hotspots are see-through, so the water shows through them).
    PicRipplingWater.sendToBack();
    PicRipplingWater.setVisible(true);
    game_.RipplingWaterActive = true;
    game_.TimerRipplingWater.setInterval(kStepMs);
  } catch (const std::exception& e) {
    game_.TimerRipplingWater.setEnabled(false);
    ShowStandardError(player, std::string(" Error initializing the Rippling Water effect. ") +
                                  e.what());
  }
}

void RipplingWater::drawStep() {
  const int w = original_.width();
  const int h = original_.height();
  const std::int32_t t = clock_.VexTime(0, game_.platform().clockMs());
  const float phase = effects::WavePhase(speed_, reverse_, t);
  effects::VexWave(out_, original_, w, h, parameter_, phase);
  effects::VexFastMask(out_, masked_, mask_, w, h);
  PicRipplingWater.setPicture(out_.toPicture());
  ++steps_;
}

void RipplingWater::timerStep() {
  platform::Timer& timer = game_.TimerRipplingWater;
  if (game_.player().GameStopped) {
    timer.setEnabled(false);
    return;
  }
  try {
    if (timer.enabled() && game_.RipplingWaterActive) {
      stepDone_ = false;
      drawStep();
      game_.window.setPointer(platform::MousePointer{});
    }
    if (!game_.RipplingWaterActive) timer.setEnabled(false);
    stepDone_ = true;
  } catch (const std::exception& e) {
    stepDone_ = true;
    game_.RipplingWaterActive = false;
    timer.setEnabled(false);
    ShowStandardError(game_.player(), std::string(" Error rendering rippling water. ") + e.what());
  }
}

void RipplingWater::stop() {
  platform::Timer& timer = game_.TimerRipplingWater;
  if (timer.enabled()) {
    platform::Platform& platform = game_.platform();
    const std::int64_t since = platform.clockMs();
    timer.setEnabled(false);
    while (!stepDone_ && platform.clockMs() - since <= kStopWaitMs) platform.processEvents();
  }
  game_.RipplingWaterActive = false;
  PicRipplingWater.setVisible(false);
}

void RipplingWater::startIfActive() {
  if (!game_.RipplingWaterActive) return;
  clock_.VexTime(1, game_.platform().clockMs());
  game_.TimerRipplingWater.setEnabled(true);
}

bool RipplingWater::running() const {
  return game_.RipplingWaterActive && game_.TimerRipplingWater.enabled() &&
         PicRipplingWater.visible();
}

void RipplingWater::paintInto(platform::PictureBox& box) const {
  if (!PicRipplingWater.visible() || !PicRipplingWater.picture()) return;
  box.drawPictureScaled(*PicRipplingWater.picture(), PicRipplingWater.left() / 15,
                        PicRipplingWater.top() / 15, PicRipplingWater.width() / 15,
                        PicRipplingWater.height() / 15);
}

}  // namespace tw
