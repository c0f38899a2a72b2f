#include "savegame/ResumeLocation.h"

#include <exception>

#include "common/FieldReader.h"
#include "common/TextEncoding.h"
#include "project/Player.h"

namespace tw {

std::string GetResumeLocation(Player& player, const std::string& sFrameName) {
  if (sFrameName.empty()) return sFrameName;
  const std::string path = player.folders.ConfigFolder + "Resume";
  if (!player.files.exists(path)) return sFrameName;
  try {
    FieldReader in = FieldReader::Open(player.files, path);
    in.skip(6);
    std::string result = sFrameName;
    while (!in.atEnd()) {
      const std::string saved = in.readString();
      const std::string target = in.readString();
      if (!target.empty() && EqualsNoCase(saved, sFrameName)) result = target;
    }
    return result;
  } catch (const std::exception&) {
    return sFrameName;
  }
}

}  // namespace tw
