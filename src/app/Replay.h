// Replay: the headless run of talewick-player --replay, from the command line's options to
// its exit status.
#pragma once

#include <iosfwd>
#include <string>

namespace tw {

struct ReplayOptions {
  std::string replayFile;
  std::string gameFolder;
  bool dumpState = false;
  std::string screenshot;  // PNG path; empty: none
  std::string audioOut;    // WAV path for the mixed sound; empty: none
};

// Runs the replay; the state dump goes to out, messages to err. Returns the exit status:
// 0 done, 1 the replay stopped on an error, 2 a file or folder could not be used.
int RunReplay(const ReplayOptions& options, std::ostream& out, std::ostream& err);

}  // namespace tw
