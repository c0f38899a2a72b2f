// TransitionPlan: the arithmetic of a frame transition, apart from any drawing — which
// numbers animate and how, the progress at a moment, the cross-fade's opacity and where a
// slide's moving picture stands.
//
// Progress p is the time since the start over the duration and may pass 1 (the last step
// comes after the duration); the drawn value v is p held at 1. Positions are twips of the
// moving picture inside the frame area.
#pragma once

#include <cstdint>

namespace tw::effects {

enum class TransitionKind { None, CrossFade, SlideLeft, SlideRight, SlideUp, SlideDown };

// 0 and 1 cross-fade, 2-5 the slides; every other number, and a duration of 0 or less, none.
TransitionKind KindOf(int number, double durationSeconds);

// Steps follow each other at most this often: twice in a display's refresh would never be
// seen, and a replay on the virtual clock draws at most one step per interval.
inline constexpr int kStepIntervalMs = 17;

struct Progress {
  double p = 0;  // elapsed / duration, may pass 1
  double v = 0;  // p, at most 1
};
Progress ProgressAt(std::int64_t elapsedMs, double durationSeconds);

// Constant opacity of the new frame over the old one: v x 255 to the nearest integer.
int CrossFadeOpacity(double v);

// The picture that moves during a slide: the new frame (Slide Left, Slide Up) or the old
// one (Slide Right, Slide Down), doubled in width or height with the other frame beside it.
struct SlideLayout {
  bool movesNewFrame = false;
  bool doublesWidth = false;  // else the height
};
SlideLayout SlideLayoutOf(TransitionKind kind);

struct Place {
  int left = 0;
  int top = 0;
  bool operator==(const Place&) const = default;
};
// Position of the moving picture at v, for a frame area of W x H twips.
Place SlidePlace(TransitionKind kind, double v, int W, int H);

}  // namespace tw::effects
