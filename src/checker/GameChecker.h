// GameChecker: reads every data file of a game without playing it and lists what the player
// would stumble on: frames named but missing, missing or unreadable pictures, pointers,
// sounds, videos and item files, files shorter than their format, scripts that do not
// compile, variables named but not declared.
//
// The files are found and read by the player's own locator and readers; nothing is written
// and no window opens.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "checker/Finding.h"

namespace tw::checker {

struct CheckResult {
  std::string gameFolder;
  // "" when the folder holds a game; else why not, and there are no findings.
  std::string notAGame;
  std::vector<Finding> findings;  // in list order
};

CheckResult CheckGame(const std::string& gameFolder);

// One line per finding, or "<game folder>: no problems found" (the folder named as on the
// command line, as the refusal of a folder that is no game names it); status 0 when there are no
// findings, 1 otherwise, 2 when the folder is not a game (the reason goes to err).
int PrintCheckResult(const CheckResult& result, std::ostream& out, std::ostream& err);
// The same as one JSON object: {"game", "ok", "findings": [{"file", "field", "problem"}]},
// or {"game", "ok": false, "error"} for a folder that is not a game.
int PrintCheckResultJson(const CheckResult& result, std::ostream& out);

}  // namespace tw::checker
