// The Game operations through which frame loading, hotspots and the window lifecycle reach
// the visual effects.
#include "effects/VisualEffects.h"
#include "game/Game.h"

namespace tw {

void Game::TransitionStep1(std::int16_t iTransNumber) { effects_->transitions.step1(iTransNumber); }

void Game::TransitionStep2(std::int16_t iTransNumber, double dTransitionDuration) {
  effects_->transitions.step2(iTransNumber, dTransitionDuration);
}

bool Game::TransitionRunning() const { return effects_ && effects_->transitions.running(); }

bool Game::RipplingWaterTimerRunning() { return TimerRipplingWater.running(); }

void Game::StopRipplingWater() { effects_->water.stop(); }

void Game::HideRipplingWater() {
  RipplingWaterActive = false;
  effects_->water.PicRipplingWater.setVisible(false);
}

void Game::HideTransitionPictures() { effects_->transitions.clearCovers(); }

void Game::LoadWaveEffectIfAny(const std::string& frameName) { effects_->water.load(frameName); }

void Game::StartRipplingWaterIfActive() { effects_->water.startIfActive(); }

int Game::AniGifNewWithIndex(int hotspot, const std::string& picture, int left, int top,
                             int speed) {
  return effects_->animations.newWithIndex(hotspot, picture, left, top, speed);
}

void Game::RemoveAnimatedPictures() { effects_->animations.removeAll(); }

void Game::ShowAnimatedPicture(int index, bool visible) {
  effects_->animations.show(index, visible);
}

}  // namespace tw
