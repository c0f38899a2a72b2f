#include "multicd/MultiCd.h"

#include <algorithm>

#include "common/TextEncoding.h"
#include "game/Game.h"
#include "multicd/CdRequestWindow.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/Settings.h"
#include "project/DataFileLocator.h"
#include "project/Player.h"
#include "project/ProjectFolders.h"

namespace tw {

namespace {

// Paths built from the folders use "/", names written on Windows may use "\".
std::string WithSlashes(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

}  // namespace

MultiCd::MultiCd(Player& player, std::function<Game*()> currentGame)
    : player_(player), currentGame_(std::move(currentGame)) {}

void MultiCd::install() {
  player_.loadMultiCdIndex = [this] { LoadCDIndex(); };
  player_.multiCdLookup = [this](const std::string& path) { return FindFileOnCD(path); };
}

void MultiCd::LoadCDIndex() { index_ = tw::LoadCDIndex(player_); }

std::string MultiCd::storedDrive() {
  if (player_.settings.ProjectId.empty()) return "";
  return WithTrailingSlash(
      player_.platform().settings().get(player_.settings.ProjectId, "DriveLetter", ""));
}

void MultiCd::storeDrive(const std::string& root) {
  if (player_.settings.ProjectId.empty()) return;
  player_.platform().settings().save(player_.settings.ProjectId, "DriveLetter", root);
}

std::string MultiCd::FindFileOnCD(const std::string& path) {
  if (!RunsFromCd(player_)) return path;

  std::string drive = storedDrive();
  if (drive.empty()) {
    drive = FindCDDrive(volumes());
    storeDrive(drive);
  }
  const std::string gameOnCd = "Data/" + player_.settings.GameTitle + "/";

  // Most files missing from the hard disk are frames: try there before the index.
  const std::string quick = EncodedFileName(drive + gameOnCd + "Frames/" + FileNameOfPath(path));
  if (!FindFileName(player_, quick).empty()) return quick;

  const std::string wanted = WithSlashes(path);
  const auto entry = std::find_if(index_.entries.begin(), index_.entries.end(),
                                  [&](const CdIndexEntry& e) {
                                    const std::int16_t kind = e.kind == "1" ? 1
                                                              : e.kind == "2" ? 2
                                                                              : 0;
                                    return EqualsNoCase(
                                        WithSlashes(FolderOfFileKind(player_, kind) + e.name),
                                        wanted);
                                  });
  if (entry == index_.entries.end()) return EncodedFileName(path);

  std::string relative;
  if (entry->kind == "1") {
    relative = gameOnCd + "Frames/" + entry->name;
  } else if (entry->kind == "2") {
    relative = gameOnCd + "Areas/" + entry->name;
  } else {
    return path;
  }
  relative = EncodedFileName(relative);

  // Whether the timers ran is taken when the game is first stopped for the request: after
  // a wrong disc they are already off, and must still come back once the file is there.
  bool stopped = false;
  bool frameTimerWasOn = false;
  bool messageTimerWasOn = false;
  while (FindFileName(player_, drive + relative).empty() && !player_.GameStopped) {
    Game* game = currentGame_ ? currentGame_() : nullptr;
    if (game && !stopped) {
      frameTimerWasOn = game->Timer1.enabled();
      messageTimerWasOn = game->TimerMessageBox.enabled();
      game->StopAllActivity();
      stopped = true;
    }

    CdRequestWindow request(player_, volumes());
    request.Form_Load();
    request.setDriveText(drive);
    request.lblMessage.setCaption(player_.messages[47] + std::to_string(entry->disk) + " " +
                                  player_.messages[48]);
    request.showModal();

    game = currentGame_ ? currentGame_() : nullptr;
    if (player_.GameStopped) {
      if (game) game->HaltGame();  // the game area goes, the menus stay for Load or Exit
      break;
    }
    // The window stores the root; without a ProjectId there is no setting to read it from.
    const std::string chosen =
        !request.acceptedRoot().empty() ? request.acceptedRoot() : storedDrive();
    if (!chosen.empty()) drive = chosen;

    if (!FindFileName(player_, drive + relative).empty()) {
      if (game) {
        if (frameTimerWasOn) game->Timer1.setEnabled(true);
        if (messageTimerWasOn) game->TimerMessageBox.setEnabled(true);
      }
      break;
    }
    const MessageTable& m = player_.messages;
    player_.platform().messageBox(platform::MakeBox(
        player_.settings.GameTitle,
        m[45] + "\r\n\r\n" + drive + relative + "\r\n\r\n" + m[46], platform::MsgIcon::Warning,
        platform::MsgButtons::Ok));
  }
  return drive + relative;
}

}  // namespace tw
