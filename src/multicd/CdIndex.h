// CdIndex: which of the game's CDs holds which file, read from "CDContents".
//
// The index exists only for a game installed to run from CDs: both "RunFromCD.dat" in the
// game folder and "CDContents" in its Config folder must be there. A record enters the
// index only with a name, a CD number from 1 to the number of CDs and a kind other than 0;
// kind 1 names a file of the Frames folder, kind 2 one of the Areas folder. A file that
// cannot be read leaves the index empty (never half-filled) after the standard error box.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tw {

class Player;

struct CdIndexEntry {
  std::string name;       // file name with its extension, no folder
  std::string kind;       // the kind as decimal text: "1", "2" (other kinds are kept)
  std::int16_t disk = 0;  // 1..N
};

struct CdIndex {
  std::int16_t diskCount = 0;
  std::vector<CdIndexEntry> entries;
};

// Whether the game runs from CDs: "RunFromCD.dat" and "CDContents" both exist.
bool RunsFromCd(Player& player);

// Reads "CDContents"; an empty index when the game does not run from CDs or the file is
// damaged (then with the " Error loading CD index." box).
CdIndex LoadCDIndex(Player& player);

// 1: the Frames folder, 2: the Areas folder, anything else "".
std::string FolderOfFileKind(const Player& player, std::int16_t kind);

}  // namespace tw
