// DisplayFit: how a full-screen window's client area is shown on the real screen, and how
// pointer positions on the real screen map back to the client area.
//
// The player never changes the monitor's mode. A full-screen window whose client area is
// smaller (or larger) than the real screen is shown scaled by one factor in both directions
// (the aspect ratio kept), centred, with black bars where the picture does not reach. A whole
// factor is drawn with nearest-neighbour sampling, so pixels stay sharp; any other factor is
// drawn smoothly. Positions map back to the twips of the client area, so a click lands on the
// game pixel drawn under the pointer. A fit may be made for one part of the client area (the
// game's area in a window as large as the screen the game sees): that part fills the target
// and the rest of the client area lies around it, partly or wholly beyond the target.
// Invariants: factor > 0; the fitted part lies inside the target; ToClientTwips(ToTarget(p))
// is the top-left twip of pixel p.
#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>

#include "platform/Window.h"

namespace tw::platform {

struct DisplayFit {
  double factor = 1.0;
  QRect picture;  // where the whole client area is drawn, in target pixels
  bool alwaysSmooth = false;

  // Whole factors (1, 2, 3, ...) keep pixels sharp, unless smoothing is asked for.
  bool sharp() const;
  // A target pixel's position in twips of the client area (may lie outside it, in the bars).
  QPoint toClientTwips(QPointF target) const;
  // A client pixel's top-left corner on the target.
  QPoint toTarget(QPoint clientPixel) const;
};

// The fit of a client area of `client` pixels into `target` pixels; an empty client or target
// gives factor 1 at the target's origin.
DisplayFit FitToScreen(QSize client, QSize target);
// The same for a chosen scaling: Sharp keeps to the largest whole factor that fits (below 1
// only when not even 1 fits), Smooth smooths every factor.
DisplayFit FitPicture(QSize client, QSize target, PictureScaling scaling);
// The fit that makes `part` of the client area (pixels) fill the target by the scaling; a part
// that is empty or reaches outside the client area is first cut to it (nothing is drawn
// beyond the client area), and an empty cut gives the fit of the whole client area.
DisplayFit FitPart(QSize client, QRect part, QSize target, PictureScaling scaling);

}  // namespace tw::platform
