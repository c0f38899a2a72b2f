// Calls from the frames into subsystems that are not built yet: transitions, rippling
// water, animated pictures and scripts. Each stands at its place in the
// order of the steps that call it and does nothing (or answers "nothing playing") until its
// subsystem arrives; the subsystem then fills in exactly these functions.
#include "game/Game.h"

namespace tw {

// --- effects ---------------------------------------------------------------------------
void Game::TransitionStep1(std::int16_t) {}
void Game::TransitionStep2(std::int16_t, double) {}
bool Game::RipplingWaterTimerRunning() { return TimerRipplingWater.running(); }
void Game::StopRipplingWater() { TimerRipplingWater.setEnabled(false); }
void Game::LoadWaveEffectIfAny(const std::string&) {}
void Game::StartRipplingWaterIfActive() {}
int Game::AniGifNewWithIndex(int, const std::string&, int, int, int) { return 0; }
void Game::RemoveAnimatedPictures() {}
void Game::ShowAnimatedPicture(int, bool) {}

// --- scripts ---------------------------------------------------------------------------
void Game::LoadProcedures() {}
void Game::ResetModule() {
  Action.sFrameToLoad.clear();
  Action.iTransitionNumber = 1;
  Action.dTransitionDuration = 0;
}
void Game::ExecuteVBScript(const std::string&, bool) {}

}  // namespace tw
