// PictureLooks: variants of a picture for a button drawn from its own picture — lighter while
// the pointer is over it, and moved by a pixel while it is held down.
//
// Both keep the picture's size and its see-through parts: a lighter pixel is only moved
// toward white, and the strip a shift uncovers is see-through.
#pragma once

#include <memory>

namespace tw::platform {

class Picture;

// Every colour moved toward white, by up to `percent` (0 to 100) of the way for the brightest
// and less for darker ones, so a button's dark surround stays dark; alpha unchanged.
std::shared_ptr<const Picture> LighterPicture(const Picture& picture, int percent);
// The picture drawn (dx, dy) pixels further right and down inside its own size.
std::shared_ptr<const Picture> ShiftedPicture(const Picture& picture, int dx, int dy);

}  // namespace tw::platform
