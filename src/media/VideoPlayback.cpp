// The game's video operations over the shared multimedia device: starting a video that a
// click or Escape may stop, and asking whether one plays.
//
// The callers' wait loops poll MediaStatus; each poll moves the video's pictures on to the
// clock's time, so the pictures advance exactly as often as the loop asks.
#include <algorithm>
#include <cctype>

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
