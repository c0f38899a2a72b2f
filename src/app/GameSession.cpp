#include "app/GameSession.h"

#include "platform/Platform.h"
#include "project/InitializeProject.h"
#include "savegame/Autosave.h"
#include "savegame/LoadGameWindow.h"
#include "savegame/SavedGames.h"

namespace tw {

GameSession::GameSession(platform::Platform& platform, const std::string& gameFolder)
    : player_(platform, gameFolder), startup_(player_) {
  PresetProjectFolder(player_, gameFolder);
  multiCd_.install();
  startup_.startGame = [this] { startGame(); };
  startup_.closeProgram = [this] { endProgram(); };
  startup_.recentreGameWindow = [this] {
    if (gameWindowOpen()) game_->CenterWindowAndPictureBox();
  };
  startup_.openLoadWindow = [this] {
    OpenLoadWindowFromStartup(player_, LoadLink{[this]() -> Game& { return gameForLoad(); },
                                                &startup_});
  };
}

GameSession::~GameSession() {
  // Windows go before the player they belong to.
  game_.reset();
  closedGame_.reset();
}

bool GameSession::initialize() {
  if (!startup_.Form_Load()) {
    ended_ = true;
    return false;
  }
  return true;
}

void GameSession::start() {
  if (ended_ || gameWindowOpen()) return;
  startup_.ClickButton(0);
}

bool GameSession::resume(const std::string& name) {
  if (ended_) return false;
  LoadGameWindow window(player_);
  return LoadSavedGame(player_, name, window,
                       LoadLink{[this]() -> Game& { return gameForLoad(); }, &startup_});
}

void GameSession::sessionEnding(bool programEnds) {
  if (gameWindowOpen()) game_->autosave().saveNow();
  if (programEnds) endProgram();
}

Game& GameSession::newGameWindow() {
  closedGame_ = std::move(game_);
  game_ = std::make_unique<Game>(player_);
  game_->onUnloaded = [this] { gameClosed(); };
  game_->savedGames().setStartupWindow(&startup_);
  return *game_;
}

Game& GameSession::gameForLoad() {
  return gameWindowOpen() ? *game_ : newGameWindow();
}

void GameSession::startGame() {
  if (gameWindowOpen()) return;
  newGameWindow();
  game_->ResetAll();
  game_->StartNewGame();
  if (game_->isOpen()) player_.platform().showWindow(game_->window);
}

void GameSession::gameClosed() {
  if (player_.settings.SkipStartupWindow) {
    startup_.Form_Unload();
    endProgram();
  } else if (!ended_) {
    player_.platform().processEvents();
    startup_.Show();
  }
}

void GameSession::endProgram() {
  if (ended_) return;
  ended_ = true;
  player_.platform().quit();
}

}  // namespace tw
