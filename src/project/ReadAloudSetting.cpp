#include "project/ReadAloudSetting.h"

#include <exception>

#include "platform/Settings.h"
#include "project/Player.h"

namespace tw {

bool ReadAloudChosen(Player& player) {
  try {
    return player.platform().settings().get(player.settings.ProjectId, "ReadAloud", "0") == "1";
  } catch (const std::exception&) {
    return false;
  }
}

void RememberReadAloud(Player& player, bool on) {
  try {
    player.platform().settings().save(player.settings.ProjectId, "ReadAloud", on ? "1" : "0");
  } catch (const std::exception&) {
    // Not remembered: the choice still holds for this run.
  }
}

}  // namespace tw
