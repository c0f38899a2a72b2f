#include "app/Replay.h"

#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>

#include "app/GameFolderCheck.h"
#include "app/GameSession.h"
#include "app/ReplayRunner.h"
#include "app/StateDump.h"
#include "platform/GuiForPainting.h"
#include "platform/Painter.h"
#include "platform/headless/HeadlessPlatform.h"
#include "vbscript/VbError.h"

namespace tw {

int RunReplay(const ReplayOptions& options, std::ostream& out, std::ostream& err) {
  if (const std::string problem = GameFolderProblem(options.gameFolder); !problem.empty()) {
    err << "talewick-player: " << problem << "\n";
    return 2;
  }
  // A folder opens as a stream that reads nothing: it would play as an empty replay.
  std::error_code ec;
  if (std::filesystem::is_directory(options.replayFile, ec)) {
    err << "talewick-player: the replay file \"" << options.replayFile
        << "\" is a folder, not a file\n";
    return 2;
  }
  std::ifstream file(options.replayFile, std::ios::binary);
  if (!file) {
    err << "talewick-player: cannot read the replay file \"" << options.replayFile << "\"\n";
    return 2;
  }
  std::ostringstream text;
  text << file.rdbuf();

  std::vector<ReplayLine> lines;
  try {
    lines = ParseReplay(text.str());
  } catch (const ReplayError& e) {
    err << "talewick-player: " << options.replayFile << ", " << e.what() << "\n";
    return 1;
  }

  // Fonts measure and draw only with a GUI application; texts size themselves by their
  // captions, so the whole run has one, not just the screenshot.
  platform::GuiForPainting gui;
  platform::HeadlessPlatform platform;
  if (!options.audioOut.empty() && !platform.headlessAudio().recordTo(options.audioOut)) {
    err << "talewick-player: cannot write the sound file \"" << options.audioOut << "\"\n";
    return 2;
  }
  GameSession session(platform, options.gameFolder);
  int status = 0;
  int shotStatus = 0;
  bool taken = false;
  // The state and the picture at the moment the last line has been acted on.
  int audioStatus = 0;
  const auto takeResults = [&] {
    if (taken) return;
    taken = true;
    if (!options.audioOut.empty() && !platform.headlessAudio().stopRecording()) {
      err << "talewick-player: cannot write the sound file \"" << options.audioOut << "\"\n";
      audioStatus = 2;
    }
    if (options.dumpState) out << DumpState(session, platform) << "\n";
    if (options.screenshot.empty()) return;
    Game* game = session.lastGame();
    if (!game) {
      err << "talewick-player: no game was started, so there is no screenshot\n";
      shotStatus = 1;
      return;
    }
    try {
      platform::SavePng(*platform::PaintElement(game->PictureBox), options.screenshot);
    } catch (const vbs::VbError& e) {
      err << "talewick-player: cannot write the screenshot \"" << options.screenshot
          << "\": " << e.description() << "\n";
      shotStatus = 2;
    }
  };
  if (session.initialize()) {
    ReplayRunner runner(platform, session, std::move(lines), err);
    runner.onEnd = takeResults;
    try {
      runner.run();
    } catch (const ReplayError& e) {
      err << "talewick-player: " << options.replayFile << ", " << e.what() << "\n";
      status = 1;
    }
  }
  takeResults();
  if (audioStatus != 0) return audioStatus;
  if (shotStatus == 1) return status == 0 ? 1 : status;
  if (shotStatus == 2) return 2;
  return status;
}

}  // namespace tw
