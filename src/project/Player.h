// Player: the one context of a running player.
//
// What the game's original design kept as module-level globals (folders, project settings,
// the message table, game-wide flags, the current frame state, the recorded screen size)
// lives here, so that tests can create as many independent players as they like. The main
// game window and every subsystem receive a Player& and keep no global state of their own.
#pragma once

#include <functional>
#include <string>

#include "common/FileResolver.h"
#include "platform/PictureCache.h"
#include "platform/Platform.h"
#include "project/FrameState.h"
#include "project/MessageTable.h"
#include "project/ProjectFolders.h"
#include "project/ProjectSettings.h"

namespace tw {

class Player {
 public:
  // programFolder: the folder the player takes its game from when no folder was preset.
  Player(platform::Platform& platform, std::string programFolder);

  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  platform::Platform& platform() { return platform_; }
  const std::string& programFolder() const { return programFolder_; }

  // Every data file is found through this resolver (case-insensitive, "\" or "/").
  FileResolver files;
  // Decoded pictures of data files, kept for their next showing (bounded in memory).
  platform::PictureCache pictures;

  ProjectFolders folders;
  ProjectSettings settings;
  MessageTable messages;
  CurrentFrameState frame;

  // The game is halted: long operations return early and missing files are not reported.
  bool GameStopped = false;

  // Screen size when the program started, for the restore at exit.
  int RecordedScreenWidth = 0;
  int RecordedScreenHeight = 0;

  // Set when start-up decides the program must end at once (a refused warning).
  bool ProgramEndRequested = false;

  // Finds a data file on one of the game's CDs; returns the path unchanged when the game
  // is not on CDs. The multi-CD subsystem installs its look-up here.
  std::function<std::string(const std::string&)> multiCdLookup;
  // Reads the index of which CD holds which file; start-up calls it once, last.
  std::function<void()> loadMultiCdIndex;

 private:
  platform::Platform& platform_;
  std::string programFolder_;
};

}  // namespace tw
