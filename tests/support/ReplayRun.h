// Plays a replay against a test game the way `--replay --dump-state` does: the replay is
// written into the game folder, and the state dump at its end is parsed (null when the
// replay printed none).
#pragma once

#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "app/Replay.h"
#include "support/GameFolder.h"

namespace tw::test {

struct ReplayOutcome {
  int status = 0;
  nlohmann::json state;
  std::string errors;
};

// screenshot: where to write the last picture as PNG ("" for none); audioOut: where to write
// the sound of the whole replay as WAV ("" for none).
inline ReplayOutcome PlayReplay(const GameFolder& game, const std::string& replay,
                                const std::string& screenshot = {},
                                const std::string& audioOut = {}) {
  game.write("replay.txt", replay);
  std::ostringstream out, err;
  ReplayOptions options;
  options.replayFile = game.file("replay.txt");
  options.gameFolder = game.path();
  options.dumpState = true;
  options.screenshot = screenshot;
  options.audioOut = audioOut;
  const int status = RunReplay(options, out, err);
  return {status, out.str().empty() ? nlohmann::json() : nlohmann::json::parse(out.str()),
          err.str()};
}

}  // namespace tw::test
