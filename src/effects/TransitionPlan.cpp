// TransitionPlan: progress, opacity and slide positions.
#include "effects/TransitionPlan.h"

#include <algorithm>
#include <cmath>

namespace tw::effects {

TransitionKind KindOf(int number, double durationSeconds) {
  // Written so that a NaN duration also gives no animation.
  if (!(durationSeconds > 0)) return TransitionKind::None;
  switch (number) {
    case 0:
    case 1:
      return TransitionKind::CrossFade;
    case 2:
      return TransitionKind::SlideLeft;
    case 3:
      return TransitionKind::SlideRight;
    case 4:
      return TransitionKind::SlideUp;
    case 5:
      return TransitionKind::SlideDown;
    default:
      return TransitionKind::None;
  }
}

Progress ProgressAt(std::int64_t elapsedMs, double durationSeconds) {
  Progress out;
  out.p = static_cast<double>(elapsedMs) / (durationSeconds * 1000.0);
  out.v = std::clamp(out.p, 0.0, 1.0);
  return out;
}

int CrossFadeOpacity(double v) {
  return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
}

SlideLayout SlideLayoutOf(TransitionKind kind) {
  switch (kind) {
    case TransitionKind::SlideLeft:
      return {true, true};
    case TransitionKind::SlideRight:
      return {false, true};
    case TransitionKind::SlideUp:
      return {true, false};
    case TransitionKind::SlideDown:
      return {false, false};
    default:
      return {};
  }
}

Place SlidePlace(TransitionKind kind, double v, int W, int H) {
  switch (kind) {
    case TransitionKind::SlideLeft:
      return {static_cast<int>(std::lround((v - 1) * W)), 0};
    case TransitionKind::SlideRight:
      return {static_cast<int>(std::lround(-v * W)), 0};
    case TransitionKind::SlideUp:
      return {0, static_cast<int>(std::lround((v - 1) * H))};
    case TransitionKind::SlideDown:
      return {0, static_cast<int>(std::lround(-v * H))};
    default:
      return {};
  }
}

}  // namespace tw::effects
