// click_latency: how long the real window takes from a mouse click to changed pixels.
//
// Clicks (through the XTEST extension, as a user's mouse would arrive) at X Y of the screen,
// then reads the screen's pixel at PX PY as fast as the X server answers until it differs
// from what it was before the click; prints the milliseconds for each of N clicks, then the
// median. Each click must change that pixel (a game whose frames alternate on a click), else
// the click counts as a failure after 3 seconds and the program exits with status 1.
//
// usage: click_latency X Y PX PY N   (DISPLAY names the server)
// build: g++ -O2 -std=c++20 tools/click_latency.cpp -o click_latency -lX11 -l:libXtst.so.6
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

// From the XTEST extension's header, which is not needed for this one call.
extern "C" int XTestFakeButtonEvent(Display*, unsigned int button, Bool isPress,
                                    unsigned long delay);

namespace {

unsigned long PixelAt(Display* d, Window root, int x, int y) {
  XImage* image = XGetImage(d, root, x, y, 1, 1, AllPlanes, ZPixmap);
  if (!image) return ~0ul;
  const unsigned long p = XGetPixel(image, 0, 0);
  XDestroyImage(image);
  return p;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: click_latency X Y PX PY N\n");
    return 2;
  }
  const int x = std::atoi(argv[1]), y = std::atoi(argv[2]);
  const int px = std::atoi(argv[3]), py = std::atoi(argv[4]);
  const int n = std::atoi(argv[5]);
  Display* d = XOpenDisplay(nullptr);
  if (!d) {
    std::fprintf(stderr, "click_latency: no X display\n");
    return 2;
  }
  const Window root = DefaultRootWindow(d);
  XWarpPointer(d, None, root, 0, 0, 0, 0, x, y);
  XSync(d, False);
  std::vector<double> ms;
  for (int i = 0; i < n; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(700));  // the frame has settled
    const unsigned long before = PixelAt(d, root, px, py);
    const auto start = std::chrono::steady_clock::now();
    XTestFakeButtonEvent(d, 1, True, 0);
    XTestFakeButtonEvent(d, 1, False, 0);
    XFlush(d);
    double elapsed = 0;
    for (;;) {
      elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
      if (PixelAt(d, root, px, py) != before) break;
      if (elapsed > 3000) {
        std::fprintf(stderr, "click_latency: click %d changed nothing\n", i + 1);
        return 1;
      }
    }
    ms.push_back(elapsed);
    std::printf("click %d: %.2f ms\n", i + 1, elapsed);
  }
  std::sort(ms.begin(), ms.end());
  std::printf("median %.2f ms, min %.2f ms, max %.2f ms\n", ms[ms.size() / 2], ms.front(),
              ms.back());
  XCloseDisplay(d);
  return 0;
}
