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

std::string DisplayProblem() {
  const std::string_view qpa = Env("QT_QPA_PLATFORM");
  if (!qpa.empty() && !qpa.starts_with("xcb")) return "";
  // Without a platform named, Qt prefers Wayland where a compositor runs.
  if (qpa.empty() && !Env("WAYLAND_DISPLAY").empty()) return "";
  const std::string display(Env("DISPLAY"));
  if (display.empty()) return "no display to open a window on (DISPLAY is not set)";
  xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
  const bool failed = xcb_connection_has_error(connection) != 0;
  xcb_disconnect(connection);
  if (failed) return "cannot open the display \"" + display + "\"";
  return "";
}

}  // namespace tw::platform
