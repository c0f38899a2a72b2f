#include "app/GameInWindow.h"

#include <chrono>
#include <ctime>

#include <QApplication>

#include "app/GameFolderCheck.h"
#include "app/GameSession.h"
#include "library/GameLibrary.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/SessionEnd.h"

namespace tw {

GameEnd PlayGameInWindow(const std::string& folder, const std::string& resumeName,
                         const PlayHooks& hooks) {
  platform::QtPlatform platform;
  platform.claimInstanceSlot();
  RememberLastGame(platform.settings(), folder);
  const auto began = std::chrono::steady_clock::now();
  bool programEnds = false;
  {
    GameSession session(platform, folder);
    if (!session.initialize() || session.programEnded()) return GameEnd::Left;
    library::GameLibrary games(library::GameLibrary::DefaultPath());
    games.add(folder, session.player().settings.GameTitle, session.player().settings.ProjectId,
              std::time(nullptr));
    if (hooks.started) hooks.started(platform, session);
    if (!resumeName.empty()) session.resume(resumeName);
    if (!session.programEnded() && !platform.quitRequested()) {
      // A log-out, a shutdown or a signal saves the game being played automatically.
      const platform::SessionEnd sessionEnd([&session] { session.sessionEnding(false); },
                                            [&session, &programEnds] {
                                              programEnds = true;
                                              session.sessionEnding(true);
                                            });
      QApplication::exec();
    }
    if (hooks.ended) hooks.ended();
  }
  const auto seconds =
      std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - began);
  library::GameLibrary(library::GameLibrary::DefaultPath())
      .recordPlay(folder, std::time(nullptr), seconds.count());
  return programEnds ? GameEnd::ProgramEnds : GameEnd::Left;
}

}  // namespace tw
