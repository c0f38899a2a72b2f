// The game's video operations over the shared multimedia device: starting a video that a
// click or Escape may stop, and asking whether one plays.
//
// The wait for a video polls MediaStatus; each poll moves the video's pictures on to the
// clock's time, so the pictures advance exactly as often as the wait asks.
#include <algorithm>
#include <cctype>

#include "frames/MediaWait.h"
#include "game/Game.h"
#include "media/MediaSystem.h"
#include "platform/Platform.h"
#include "project/DataFileLocator.h"
#include "project/ErrorBoxes.h"

namespace tw {

std::string Game::MediaStatus() {
  std::string status = media().mmedia.Status();
  for (char& c : status) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return status;
}

bool Game::IsVideoPlaying() {
  // Nothing was ever started when the media system does not exist yet.
  return media_ && MediaStatus() == "playing";
}

void Game::WaitWhileVideoPlays() {
  while (!StopMovie && MediaStillPlaying(MediaStatus())) {
    const std::int64_t before = platform().clockMs();
    platform().processEvents();
    HideMenus();
    platform().processEvents();
    // Nothing else is due before the next picture: give the processor back rather than
    // polling flat out for the length of the video.
    if (platform().clockMs() == before) platform().sleepMs(1);
  }
}

void Game::StopVideo() {
  if (media_) media_->mmedia.StopMovie();
}

void Game::PlayMovieWithStop(const std::string& path, platform::Element& host, bool stretch,
                             int left, int top, int width, int height) {
  try {
    if (!window.visible()) platform().showWindow(window);
    media::MediaSystem& m = media();
    const std::string real = ResolvedPath(player_, path);
    const std::int64_t where = m.device.handleOf(host);
    if (stretch) {
      m.mmedia.PlayMovie(real, where, true, left, top, width, height);
    } else {
      m.mmedia.PlayMovie(real, where, false, 0, 0, 0, 0);
    }
    StopMovie = false;
  } catch (const std::exception& e) {
    ShowStandardError(player_, std::string(" Unable to play video. ") + e.what());
  }
}

}  // namespace tw
