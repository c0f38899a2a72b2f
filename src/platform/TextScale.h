// TextScale: the size of the player's own texts (Options > Text Size): its windows (save,
// load), message and input boxes, the message bar and the menus; never the game's pictures
// nor the texts a game draws on its frames.
//
// Sizes are percentages, one of kTextScales. Unless the player chose one for the game, the
// size follows the desktop's font scaling: a desktop set to 144 or 192 dpi asks for texts
// 1.5 or 2 times as large. A device pixel ratio above 1 (a HiDPI screen that Qt scales)
// already draws every window, the game's pictures and these texts alike, that much larger:
// counting it again would make the texts too large for their windows, so it does not count.
#pragma once

#include <string>

namespace tw::platform {

class Window;

inline constexpr int kTextScales[] = {100, 150, 200};

// The largest size not above the desktop's font scale (logical dpi / 96), at least 100.
int DefaultTextScale(double devicePixelRatio, double logicalDpi);
// The size remembered for the game ("100", "150", "200"), else the default.
int ChosenTextScale(const std::string& remembered, int defaultScale);

// Makes a window of the player's, laid out at 100 %, as large as the text size asks: every
// element's place and size and every font grow by the same factor, so the layout keeps its
// proportions. It grows no larger than the screen (twips) holds: a window cut off by the
// screen's edge would hide its buttons.
void ScaleWindowForText(Window& window, int percent, int screenWidth, int screenHeight);

}  // namespace tw::platform
