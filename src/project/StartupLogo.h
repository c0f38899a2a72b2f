// The player's own logo for the start-up window, drawn at run time (no files).
//
// Four variants: style 0 (an open book) or style 1 (a quill), each with the "Talewick" word
// mark, in light ink for dark backgrounds or, as the alternate, dark ink for light ones.
// The background of every variant is see-through. Without a GUI application the word mark
// cannot be drawn (no fonts) and only the emblem appears; the size is the same either way.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

namespace tw {

namespace platform {
class Picture;
}

inline constexpr int kLogoWidth = 112;  // pixels
inline constexpr int kLogoHeight = 32;

// Index of a variant: 0 style 0, 1 style 1, 2 style 0 alternate, 3 style 1 alternate.
// A style other than 1 counts as style 0.
int LogoVariant(std::int16_t style, bool alternate);

// The four variants in the order of LogoVariant.
std::array<std::shared_ptr<const platform::Picture>, 4> DrawLogoVariants();

}  // namespace tw
