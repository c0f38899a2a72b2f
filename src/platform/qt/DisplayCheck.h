// DisplayCheck: whether the window system Qt is about to use can be reached.
//
// Qt ends the program with an abort when its X11 platform cannot connect to the display, so
// the program asks first and can then explain, or carry on without a window where it needs
// none. Platforms other than X11 (Wayland, offscreen) are left to Qt.
#pragma once

#include <string>

struct xcb_connection_t;

namespace tw::platform {

// Connects to the display Qt will use and holds the connection until destroyed: an X server
// with no other client resets itself when its last client leaves, and a connection Qt makes
// during that reset fails. So keep the probe alive until Qt has connected.
class DisplayProbe {
 public:
  DisplayProbe();
  ~DisplayProbe();
  DisplayProbe(const DisplayProbe&) = delete;
  DisplayProbe& operator=(const DisplayProbe&) = delete;

  // "" when a window can be opened, or Qt will not use X11; otherwise what is wrong, in
  // words for the player ("cannot open the display \":7\"").
  const std::string& problem() const { return problem_; }

 private:
  xcb_connection_t* connection_ = nullptr;
  std::string problem_;
};

}  // namespace tw::platform
