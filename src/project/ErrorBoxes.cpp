#include "project/ErrorBoxes.h"

#include "platform/Platform.h"
#include "project/Player.h"

namespace tw {

std::string StandardErrorText(const Player& player, std::string_view description) {
  std::string text = player.messages[30];
  text += "\r\n\r\n";
  text += player.messages[31];
  text += description;
  return text;
}

void ShowStandardError(Player& player, std::string_view description) {
  player.platform().messageBox(
      platform::MakeBox(player.messages[29], StandardErrorText(player, description),
                        platform::MsgIcon::Error, platform::MsgButtons::Ok));
}

}  // namespace tw
