// RipplingWater: loading from the frame's files, the timer step and the stop sequence.
#include "effects/RipplingWater.h"

#include <algorithm>

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

// A w x h block of `from` whose (0, 0) is from's (x, y), pixel for pixel; what lies outside
// `from` takes `fill`.
platform::PixelBuffer Block(const platform::PixelBuffer& from, int x, int y, int w, int h,
                            std::uint32_t fill) {
  platform::PixelBuffer out(w, h, fill);
  for (int row = 0; row < h; ++row) {
    const std::int64_t sy = static_cast<std::int64_t>(y) + row;
    if (sy < 0 || sy >= from.height()) continue;
    for (int col = 0; col < w; ++col) {
      const std::int64_t sx = static_cast<std::int64_t>(x) + col;
      if (sx < 0 || sx >= from.width()) continue;
      out.set(col, row, from.at(static_cast<int>(sx), static_cast<int>(sy)));
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
    // The effect covers only the part of its rectangle inside the frame, pixel for pixel with
    // the frame and with the mask: what lies outside would be clipped by the frame area, and a
    // rectangle reaching past the edge must not be squeezed into it.
    const platform::PixelBuffer frame =
        platform::PixelBuffer::fromPicture(*game_.PictureBox.image());
    const std::int64_t left = std::max<std::int64_t>(X, 0);
    const std::int64_t top = std::max<std::int64_t>(Y, 0);
    const std::int64_t right = std::min<std::int64_t>(std::int64_t{X} + W, frame.width());
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{Y} + H, frame.height());
    if (right <= left || bottom <= top) throw vbs::VbError(vbs::err::kInvalidCall);
    const int x = static_cast<int>(left), y = static_cast<int>(top);
    const int w = static_cast<int>(right - left), h = static_cast<int>(bottom - top);
    PicRipplingWater.move(x * 15, y * 15, w * 15, h * 15);
    std::shared_ptr<const platform::Picture> mask;
    try {
      mask = platform::Picture::load(ResolvedPath(player, base + ".rwm"));
    } catch (const std::exception&) {
      return;  // a mask that cannot be read: no effect, no message
    }
    // Where the mask picture is smaller than the rectangle, nothing is water.
    original_ = Block(frame, x, y, w, h, platform::kBlack);
    masked_ = original_;
    out_ = original_;
    mask_ = Block(platform::PixelBuffer::fromPicture(*mask), x - X, y - Y, w, h, platform::kWhite);
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
