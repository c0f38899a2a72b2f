#include "platform/qt/DisplayCheck.h"

#include <cstdlib>
#include <string_view>

#include <xcb/xcb.h>

namespace tw::platform {

namespace {

std::string_view Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string_view(value) : std::string_view();
}

}  // namespace

DisplayProbe::DisplayProbe() {
  const std::string_view qpa = Env("QT_QPA_PLATFORM");
  if (!qpa.empty() && !qpa.starts_with("xcb")) return;
  // Without a platform named, Qt prefers Wayland where a compositor runs.
  if (qpa.empty() && !Env("WAYLAND_DISPLAY").empty()) return;
  const std::string display(Env("DISPLAY"));
  if (display.empty()) {
    problem_ = "no display to open a window on (DISPLAY is not set)";
    return;
  }
  connection_ = xcb_connect(display.c_str(), nullptr);
  if (xcb_connection_has_error(connection_) != 0) {
    problem_ = "cannot open the display \"" + display + "\"";
  }
}

DisplayProbe::~DisplayProbe() {
  if (connection_) xcb_disconnect(connection_);
}

}  // namespace tw::platform
