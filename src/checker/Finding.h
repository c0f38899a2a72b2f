// Finding: one thing the checker found wrong in a game, with the file and field it lies in.
//
// `file` is relative to the game folder, with "/" between folders, as the file is spelled on
// disk when it exists (else as the game data names it). `field` says where in the file: a
// field number and its meaning, a line of a script, or "" for the file as a whole.
#pragma once

#include <string>
#include <vector>

namespace tw::checker {

struct Finding {
  std::string file;
  std::string field;
  std::string problem;
};

// The findings in the order they are listed: by file (without regard to case), then in the
// order the checker met them inside the file. The same finding twice is listed once.
std::vector<Finding> InListOrder(std::vector<Finding> findings);

// "file: field: problem", or "file: problem" when the field is empty.
std::string FindingLine(const Finding& finding);

}  // namespace tw::checker
