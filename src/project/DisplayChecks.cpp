#include "project/DisplayChecks.h"

#include "platform/Platform.h"
#include "project/Player.h"

namespace tw {

namespace {
constexpr std::int32_t kTwipsPerPixel = 15;
constexpr int kLargestSmallFontHeight = 16;
}  // namespace

int CurrentScreenWidth(platform::Platform& platform) {
  return platform.screenSize().width;
}
int CurrentScreenHeight(platform::Platform& platform) {
  return platform.screenSize().height;
}

std::int32_t ScreenWidthTwips(platform::Platform& platform) {
  return CurrentScreenWidth(platform) * kTwipsPerPixel;
}

std::int32_t ScreenHeightTwips(platform::Platform& platform) {
  return CurrentScreenHeight(platform) * kTwipsPerPixel;
}

bool UsesSmallFonts(platform::Platform& platform) {
  const int height = platform.desktopFontHeight();
  if (height <= 0) return true;
  return height <= kLargestSmallFontHeight;
}

bool DisplayMatchesGameResolution(const Player& player) {
  int width = 0;
  int height = 0;
  switch (player.settings.GameResolution) {
    case 0:
      width = 640;
      height = 480;
      break;
    case 1:
      width = 800;
      height = 600;
      break;
    case 2:
      width = 1024;
      height = 768;
      break;
    default:
      return false;
  }
  return player.RecordedScreenWidth == width && player.RecordedScreenHeight == height;
}

}  // namespace tw
