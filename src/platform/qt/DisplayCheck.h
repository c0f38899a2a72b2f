// DisplayCheck: whether the window system Qt is about to use can be reached.
//
// Qt ends the program with an abort when its X11 platform cannot connect to the display, so
// the program asks first and can then explain, or carry on without a window where it needs
// none. Platforms other than X11 (Wayland, offscreen) are left to Qt.
#pragma once

#include <string>

namespace tw::platform {

// "" when a window can be opened, or Qt will not use X11; otherwise what is wrong, in
// words for the player ("cannot open the display \":7\"").
std::string DisplayProblem();

}  // namespace tw::platform
