// The frame history (the last 20 frames, for going back), the frame timer that leads on to
// its target or back, and the Debug menu's frame list.
#include <exception>

#include "common/TextEncoding.h"
#include "game/Game.h"

namespace tw {

namespace {
constexpr std::size_t kHistoryLength = 20;
}

void Game::FramesHistoryAdd(const std::string& frameName) {
  if (!FramesHistory.empty() && FramesHistory.back() == frameName) return;
  FramesHistory.push_back(frameName);
  while (FramesHistory.size() > kHistoryLength) FramesHistory.erase(FramesHistory.begin());
}

void Game::Timer1_Timer() {
  try {
    if (InventoryMoving) {
      Timer1.setInterval(1000);  // try again once the bar has stopped
      return;
    }
    if (player_.GameStopped) {
      Timer1.setEnabled(false);
      return;
    }
    FadeSoundChannels(1);
    const std::string target = Timer1.tag();
    if (target.empty()) return;
    std::string frame;
    if (EqualsNoCase(target, "[last visited frame]")) {
      if (FramesHistory.size() <= 1) return;
      FramesHistory.pop_back();
      frame = FramesHistory.back();
    } else {
      frame = target;
    }
    if (TimerTransition) {
      TransitionStep1(TimerTransitionNumber);
      OpenFrame(frame, true, TimerTransitionNumber, TimerTransitionDuration / 1000.0);
    } else {
      OpenFrame(frame, false, 0, 0);
    }
  } catch (const std::exception&) {
    // The frame timer fails silently.
  }
}

void Game::mnuFrameName_Click(int Index) {
  if (!mnuFrameName.exists(Index)) return;
  OpenFrame(mnuFrameName[Index].caption(), false, 0, 0);
}

}  // namespace tw
