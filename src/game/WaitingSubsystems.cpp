// Calls from the frames into subsystems that are not built yet: sound and video. Each
// stands at its place in the order of the steps that call it and does nothing (or answers
// "nothing playing") until its subsystem arrives; the subsystem then fills in exactly these
// functions.
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
void Game::FadeSoundChannels(double) {}
void Game::EnableAudioFadeTimer() {}

// --- video -----------------------------------------------------------------------------
bool Game::IsVideoPlaying() { return false; }
std::string Game::MediaStatus() { return ""; }
void Game::StopVideo() {}
void Game::PlayMovieWithStop(const std::string&, platform::Element&, bool, int, int, int, int) {}


}  // namespace tw
