#include "project/DisplayMode.h"

#include <exception>
#include <string>

#include "platform/Platform.h"
#include "project/DisplayChecks.h"
#include "project/ErrorBoxes.h"
#include "project/Player.h"

namespace tw {

namespace {

constexpr std::int64_t kSettleMs = 1000;

struct ModeSize {
  int width;
  int height;
};

// The size of a mode code; width 0 for codes that name no mode.
ModeSize SizeOfMode(std::int16_t code) {
  switch (code) {
    case 1:
      return {640, 480};
    case 2:
      return {800, 600};
    case 3:
      return {1024, 768};
    default:
      return {0, 0};
  }
}

// A window system needs a moment after a mode change before windows can be placed again;
// events keep running meanwhile so the program stays responsive.
void LetDisplaySettle(platform::Platform& platform) {
  const std::int64_t start = platform.clockMs();
  platform.processEvents();
  while (platform.clockMs() - start < kSettleMs && !platform.quitRequested()) {
    platform.processEvents();
  }
}

}  // namespace

bool SetDisplaySize(Player& player, int width, int height) {
  platform::Platform& platform = player.platform();
  platform.processEvents();
  const bool accepted = platform.setDisplaySize(width, height);
  platform.processEvents();
  if (!accepted)
    ShowStandardError(player, " Unable to change display resolution. Mode not supported.");
  return accepted;
}

void ChangeDisplayMode(Player& player, std::int16_t code,
                       const std::function<void()>& recentreGameWindow) {
  try {
    const ModeSize target = SizeOfMode(code);
    if (target.width == 0) return;
    // Only the width decides: a screen of the same width is taken to be in the mode already.
    if (CurrentScreenWidth(player.platform()) == target.width) return;
    SetDisplaySize(player, target.width, target.height);
    LetDisplaySettle(player.platform());
    if (recentreGameWindow) recentreGameWindow();
  } catch (const std::exception& error) {  // VbError's what() is its description
    ShowStandardError(player, std::string(" Error changing display resolution. ") + error.what());
  }
}

bool RestoreDisplayAtExit(Player& player) {
  platform::Platform& platform = player.platform();
  if (CurrentScreenWidth(platform) == player.RecordedScreenWidth &&
      CurrentScreenHeight(platform) == player.RecordedScreenHeight) {
    return false;
  }
  SetDisplaySize(player, player.RecordedScreenWidth, player.RecordedScreenHeight);
  return true;
}

}  // namespace tw
