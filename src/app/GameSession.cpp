#include "app/GameSession.h"

#include "platform/Platform.h"
#include "project/InitializeProject.h"

namespace tw {

GameSession::GameSession(platform::Platform& platform, const std::string& gameFolder)
    : player_(platform, gameFolder) {
  PresetProjectFolder(player_, gameFolder);
}

bool GameSession::initialize() {
  if (!InitializeProject(player_)) {
    ended_ = true;
    return false;
  }
  return true;
}

void GameSession::start() {
  if (ended_ || gameWindowOpen()) return;
  closedGame_.reset();
  game_ = std::make_unique<Game>(player_);
  game_->onUnloaded = [this] { gameClosed(); };
  game_->ResetAll();
  game_->StartNewGame();
  if (game_->isOpen()) player_.platform().showWindow(game_->window);
}

void GameSession::gameClosed() {
  if (player_.settings.SkipStartupWindow) {
    ended_ = true;
    player_.platform().quit();
  }
  closedGame_ = std::move(game_);
}

}  // namespace tw
