// MultiCd: finding the data files of a game that stays partly on its CDs.
//
// When a data file is not in the game folder, LocateDataFile asks here (through the
// player's multiCdLookup). A game runs from CDs only when "RunFromCD.dat" and "CDContents"
// are there; otherwise every path comes back unchanged. The CD "drive" is a folder: a
// volume root or a folder copied from a CD, kept in the per-user setting "DriveLetter".
// On the CD a game's files lie under Data/<GameTitle>/Frames/ and Data/<GameTitle>/Areas/.
// When the index names a CD and the file is not in the drive, the game is stopped and the
// CD window asks for the disc until the file is there or the player cancels; cancelling
// halts the game (GameStopped stays true, so no missing-file warning follows).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "multicd/CdIndex.h"
#include "multicd/MountedVolumes.h"

namespace tw {

class Game;
class Player;

class MultiCd {
 public:
  // currentGame: the open main window, or nullptr (start-up, between games).
  MultiCd(Player& player, std::function<Game*()> currentGame);
  MultiCd(const MultiCd&) = delete;
  MultiCd& operator=(const MultiCd&) = delete;

  // Sets the player's hooks so that start-up loads the index and LocateDataFile looks here.
  void install();

  void LoadCDIndex();
  // The path to try for a hard-disk path that was not found: on the CD drive, the coded
  // hard-disk path (not in the index), or the path unchanged (not a CD game).
  std::string FindFileOnCD(const std::string& path);

  const CdIndex& index() const { return index_; }
  // The mounted volumes; tests give their own.
  std::function<std::vector<Volume>()> volumes = MountedVolumes;

 private:
  std::string storedDrive();
  void storeDrive(const std::string& root);
  // Runs the CD window for disk; false when the player cancelled.
  bool askForCd(int disk, std::string& drive);

  Player& player_;
  std::function<Game*()> currentGame_;
  CdIndex index_;
};

}  // namespace tw
