#include "multicd/CdIndex.h"

#include <exception>

#include "common/FieldReader.h"
#include "project/ErrorBoxes.h"
#include "project/Player.h"

namespace tw {

bool RunsFromCd(Player& player) {
  return player.files.exists(player.folders.ProjectFolder + "RunFromCD.dat") &&
         player.files.exists(player.folders.ConfigFolder + "CDContents");
}

CdIndex LoadCDIndex(Player& player) {
  if (!RunsFromCd(player)) return {};
  CdIndex index;
  try {
    FieldReader in = FieldReader::Open(player.files, player.folders.ConfigFolder + "CDContents");
    in.skip(3);
    index.diskCount = in.readInteger();
    in.skip(2);
    while (!in.atEnd()) {
      CdIndexEntry entry;
      entry.name = in.readString();
      entry.disk = in.readInteger();
      const std::int16_t kind = in.readInteger();
      entry.kind = std::to_string(kind);
      if (!entry.name.empty() && entry.disk >= 1 && entry.disk <= index.diskCount && kind != 0) {
        index.entries.push_back(std::move(entry));
      }
    }
  } catch (const std::exception&) {
    // What was read before the fault does not count: a half index would send some files
    // to the hard disk that live on a CD.
    ShowStandardError(player, " Error loading CD index.");
    return {};
  }
  return index;
}

std::string FolderOfFileKind(const Player& player, std::int16_t kind) {
  if (kind == 1) return player.folders.FramesFolder;
  if (kind == 2) return player.folders.AreasFolder;
  return "";
}

}  // namespace tw
