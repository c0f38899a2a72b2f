// FuzzGame: a private copy of the demo game that fuzz targets change and play, one input
// after another, in the same process.
//
// The copy lives in a temporary folder for the life of the process. Before each input it is
// put back exactly as it was copied: every file an input or the game wrote is restored or
// removed, every file or folder that appeared is deleted. So an input sees the demo plus
// its own changes and nothing left over from the inputs before it.
//
// A game is played the way `--replay --dump-state` plays it (headless platform, replay
// runner, state dump at the end), from lines given in memory. A replay that stops on a line
// it cannot act on is an ordinary outcome; anything else that escapes is a finding.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw::fuzz {

// What tells a file apart from its earlier self without reading it.
struct FileStamp {
  std::int64_t size;
  std::int64_t seconds;
  std::int64_t nanoseconds;
  std::uint64_t inode;
  bool operator==(const FileStamp&) const = default;
};

class FuzzGame {
 public:
  // Copies games/demo and the fuzz base saved game ("fuzzbase.sav") into a new folder.
  FuzzGame();
  ~FuzzGame();
  FuzzGame(const FuzzGame&) = delete;
  FuzzGame& operator=(const FuzzGame&) = delete;

  // The game folder, ending in "/".
  const std::string& folder() const { return folder_; }

  // Paths of the copied files (relative, "/"-separated) that match a pattern of the
  // case-insensitive wildcard form ("Areas/LampRoom/*a.dat").
  std::vector<std::string> matching(std::string_view pattern) const;

  // Writes a file of the game (relative path; folders are made as needed). A path that
  // would leave the game folder is refused (false).
  bool put(std::string_view relative, std::string_view bytes);

  // Plays the replay lines against the game as it now stands.
  void play(const std::string& replayText);
  // Plays each of FixedReplays() in a session of its own, then puts the folder back.
  void playAll();

  // Puts the folder back as copied.
  void restore();

 private:
  struct BaseFile {
    std::string bytes;
    std::optional<FileStamp> stamp;  // as the file stood when last put back
  };
  void remember();
  std::string root_;    // the temporary folder: the game and the sound font stand-in
  std::string folder_;  // root_ + "game/"
  std::string noSoundFont_;
  std::string projectId_;
  std::map<std::string, BaseFile> base_;  // relative path -> content as copied
};

// The replays every game target plays, each from the start: the start-up window, the
// title, the beach (its water, sign and texts) and the path; then the lamp room from the
// base saved game with every item dragged and dropped, a save and a load. Two sessions, so
// that an input that stops the first (no save window, no frame) still meets the second.
const std::vector<std::string>& FixedReplays();

}  // namespace tw::fuzz
