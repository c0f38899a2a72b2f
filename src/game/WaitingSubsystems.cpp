// Calls from the frames into subsystems that are not built yet: sound, video, transitions,
// rippling water and animated pictures. Each stands at its place in the
// order of the steps that call it and does nothing (or answers "nothing playing") until its
// subsystem arrives; the subsystem then fills in exactly these functions.
#include "game/Game.h"

namespace tw {

// --- sound ---------------------------------------------------------------------------
void Game::StopAllPlayers() {}
void Game::StopAnyWavOrMP3() {}
void Game::StopMusicPlayer() {}
void Game::StopSoundPlayer() {}
void Game::PlayMusic(const std::string&, bool) {}
void Game::PlaySound(const std::string&) {}
bool Game::IsFilePlaying(const std::string&) { return false; }
bool Game::IsMusicPlaying() { return false; }
void Game::PlaySoundChannels(const std::string&) {}
void Game::ApplySoundChannels() {}
void Game::FadeSoundChannels(int) {}
void Game::EnableAudioFadeTimer() {}

// --- video -----------------------------------------------------------------------------
bool Game::IsVideoPlaying() { return false; }
std::string Game::MediaStatus() { return ""; }
void Game::StopVideo() {}
void Game::PlayMovieWithStop(const std::string&, platform::Element&, bool, int, int, int, int) {}

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

}  // namespace tw
