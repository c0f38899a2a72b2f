// The wave code of the rippling water and the arithmetic of transitions, on their own.
#include <gtest/gtest.h>

#include <cmath>

#include "effects/TransitionPlan.h"
#include "effects/Wave.h"

namespace tw::effects {
namespace {

using platform::PixelBuffer;

PixelBuffer Stripes(int w, int h) {
  PixelBuffer b(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) b.set(x, y, ((x / 2 + y / 3) % 2) ? 0xFFFFFF : 0x102030 * (x % 7));
  }
  return b;
}

int Differences(const PixelBuffer& a, const PixelBuffer& b) {
  int n = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) n += a.at(x, y) != b.at(x, y);
  }
  return n;
}

TEST(WaveTest, TheClockCountsMillisecondsFromItsLastReset) {
  VexClock clock;
  EXPECT_EQ(clock.VexTime(1, 5000), 0);
  EXPECT_EQ(clock.VexTime(0, 5000), 0);
  EXPECT_EQ(clock.VexTime(0, 5250), 250);
  clock.VexTime(1, 6000);
  EXPECT_EQ(clock.VexTime(0, 6100), 100);
}

TEST(WaveTest, ThePhaseFollowsSpeedDirectionAndTime) {
  EXPECT_FLOAT_EQ(WavePhase(8, false, 300), 1.0f);  // ((8 + 2) / 10)^4 / 300 per unit
  EXPECT_FLOAT_EQ(WavePhase(8, true, 300), -1.0f);
  EXPECT_FLOAT_EQ(WavePhase(-2, false, 100000), 0.0f);  // a still picture
  EXPECT_FLOAT_EQ(WavePhase(18, false, 300), 16.0f);
}

TEST(WaveTest, TheWaveFillsTheDestinationAndMovesWithThePhase) {
  const PixelBuffer src = Stripes(64, 40);
  PixelBuffer a(64, 40, 0xABCDEF), b(64, 40, 0xABCDEF), c(64, 40, 0xABCDEF);
  VexWave(a, src, 64, 40, 5, 0.0f);
  VexWave(b, src, 64, 40, 5, 1.5f);
  VexWave(c, src, 64, 40, 40, 0.0f);
  // Every pixel comes from the source (the fill colour is not in it).
  for (const PixelBuffer* p : {&a, &b, &c}) {
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 64; ++x) ASSERT_NE(p->at(x, y), 0xABCDEFu);
    }
  }
  EXPECT_GT(Differences(a, b), 100);  // the phase moves the wave
  EXPECT_GT(Differences(a, c), 100);  // the parameter changes its look
  EXPECT_GT(Differences(a, src), 100);
  PixelBuffer again(64, 40);
  VexWave(again, src, 64, 40, 5, 1.5f);
  EXPECT_EQ(Differences(again, b), 0);
}

// Each output pixel comes from near its own place, also when the source is wider and taller
// than the destination (its rows are longer than the part the wave draws).
TEST(WaveTest, EveryPixelComesFromNearItsOwnPlaceInALargerSource) {
  PixelBuffer src(90, 60);
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 90; ++x) src.set(x, y, static_cast<std::uint32_t>(y * 1000 + x));
  }
  PixelBuffer out(64, 40);
  for (const float phase : {0.0f, 0.7f, 2.9f}) {
    VexWave(out, src, 64, 40, 127, phase);
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 64; ++x) {
        const int from = static_cast<int>(out.at(x, y));
        const int fx = from % 1000, fy = from / 1000;
        ASSERT_LT(fx, 64) << x << "," << y;  // only the drawn part is read
        ASSERT_LT(fy, 40) << x << "," << y;
        ASSERT_LE(std::abs(fx - x), 5) << x << "," << y;
        ASSERT_LE(std::abs(fy - y), 3) << x << "," << y;
      }
    }
  }
}

TEST(WaveTest, MergePaintWhitensTheWaterAndTheMaskKeepsOnlyTheWaterMoving) {
  PixelBuffer picture(4, 1);
  for (int x = 0; x < 4; ++x) picture.set(x, 0, 0x123456);
  PixelBuffer mask(4, 1);
  mask.set(0, 0, 0x000000);  // water
  mask.set(1, 0, 0xFFFFFF);
  mask.set(2, 0, 0x0F0F0F);  // nearly black: water too
  mask.set(3, 0, 0xF0F0F0);
  PixelBuffer masked = picture;
  MergePaint(masked, mask);
  EXPECT_EQ(masked.at(0, 0), 0xFFFFFFu);
  EXPECT_EQ(masked.at(1, 0), 0x123456u);
  EXPECT_EQ(masked.at(3, 0), 0x123456u | 0x0F0F0Fu);

  PixelBuffer out(4, 1, 0xAAAAAA);
  VexFastMask(out, masked, mask, 4, 1);
  EXPECT_EQ(out.at(0, 0), 0xAAAAAAu);
  EXPECT_EQ(out.at(1, 0), 0x123456u);
  EXPECT_EQ(out.at(2, 0), 0xAAAAAAu);
  EXPECT_EQ(out.at(3, 0), masked.at(3, 0));
}

TEST(TransitionPlanTest, NumbersDurationsProgressAndOpacity) {
  EXPECT_EQ(KindOf(0, 1), TransitionKind::CrossFade);
  EXPECT_EQ(KindOf(1, 1), TransitionKind::CrossFade);
  EXPECT_EQ(KindOf(5, 1), TransitionKind::SlideDown);
  EXPECT_EQ(KindOf(6, 1), TransitionKind::None);
  EXPECT_EQ(KindOf(-1, 1), TransitionKind::None);
  EXPECT_EQ(KindOf(1, 0), TransitionKind::None);
  EXPECT_EQ(KindOf(1, -2), TransitionKind::None);
  EXPECT_EQ(KindOf(1, std::nan("")), TransitionKind::None);
  const Progress p = ProgressAt(1500, 1.0);
  EXPECT_DOUBLE_EQ(p.p, 1.5);
  EXPECT_DOUBLE_EQ(p.v, 1.0);
  EXPECT_DOUBLE_EQ(ProgressAt(250, 2.0).v, 0.125);
  EXPECT_EQ(CrossFadeOpacity(0), 0);
  EXPECT_EQ(CrossFadeOpacity(0.5), 128);
  EXPECT_EQ(CrossFadeOpacity(1), 255);
}

TEST(TransitionPlanTest, SlidePositionsAtTheStartHalfwayAndTheEnd) {
  const int W = 9600, H = 7200;
  EXPECT_EQ(SlidePlace(TransitionKind::SlideLeft, 0, W, H), (Place{-W, 0}));
  EXPECT_EQ(SlidePlace(TransitionKind::SlideLeft, 0.5, W, H), (Place{-W / 2, 0}));
  EXPECT_EQ(SlidePlace(TransitionKind::SlideLeft, 1, W, H), (Place{0, 0}));
  EXPECT_EQ(SlidePlace(TransitionKind::SlideRight, 0, W, H), (Place{0, 0}));
  EXPECT_EQ(SlidePlace(TransitionKind::SlideRight, 0.25, W, H), (Place{-W / 4, 0}));
  EXPECT_EQ(SlidePlace(TransitionKind::SlideRight, 1, W, H), (Place{-W, 0}));
  EXPECT_EQ(SlidePlace(TransitionKind::SlideUp, 0, W, H), (Place{0, -H}));
  EXPECT_EQ(SlidePlace(TransitionKind::SlideUp, 0.75, W, H), (Place{0, -H / 4}));
  EXPECT_EQ(SlidePlace(TransitionKind::SlideDown, 0.5, W, H), (Place{0, -H / 2}));
  EXPECT_EQ(SlidePlace(TransitionKind::SlideDown, 1, W, H), (Place{0, -H}));
  EXPECT_TRUE(SlideLayoutOf(TransitionKind::SlideLeft).movesNewFrame);
  EXPECT_FALSE(SlideLayoutOf(TransitionKind::SlideDown).movesNewFrame);
  EXPECT_FALSE(SlideLayoutOf(TransitionKind::SlideUp).doublesWidth);
}

}  // namespace
}  // namespace tw::effects
