#include "project/InitializeProject.h"

#include <exception>
#include <functional>

#include "platform/Platform.h"
#include "project/DisplayChecks.h"
#include "project/MessageTable.h"
#include "project/Player.h"
#include "project/ProjectInformation.h"

namespace tw {

namespace {

// From the screen size on, a failing step must not keep the next ones from running.
void IgnoringFailure(const std::function<void()>& step) {
  try {
    step();
  } catch (const std::exception&) {
  }
}

bool ConfirmLargeFonts(Player& player) {
  // The "Texts" file has not been read yet: the built-in texts speak here.
  const std::string text =
      std::string(BuiltInMessage(40, false)) + "\r\n\r\n" + BuiltInMessage(41, false);
  const platform::MsgAnswer answer =
      player.platform().messageBox({.title = "!!!",
                                    .text = text,
                                    .icon = platform::MsgIcon::Warning,
                                    .buttons = platform::MsgButtons::YesNo,
                                    .defaultButton = platform::MsgAnswer::No});
  return answer == platform::MsgAnswer::Yes;
}

bool ConfirmMissingGeneral(Player& player, const std::string& path) {
  const MessageTable& m = player.messages;
  const platform::MsgAnswer answer = player.platform().messageBox(
      platform::MakeBox(m[29], m[33] + " " + path + "\r\n\r\n" + m[34] + "\r\n\r\n" + m[32],
                        platform::MsgIcon::Warning, platform::MsgButtons::OkCancel));
  return answer != platform::MsgAnswer::Cancel;
}

void SetFolders(Player& player) {
  ProjectFolders& f = player.folders;
  if (f.ProjectFolder.empty()) f.ProjectFolder = AbsoluteFolder(player.programFolder());
  f.FramesFolder = f.ProjectFolder + "Frames/";
  f.AreasFolder = f.ProjectFolder + "Areas/";
  f.IconsFolder = f.ProjectFolder + "Icons/";
  f.ConfigFolder = f.ProjectFolder + "Config/";
  if (f.SchemesFolder.empty()) f.SchemesFolder = f.ProjectFolder + "Schemes/";
  if (f.InventoryFolder.empty()) f.InventoryFolder = f.ProjectFolder + "Inventory/";
  f.GamePath = f.ProjectFolder;
}

}  // namespace

void PresetProjectFolder(Player& player, std::string_view folder) {
  player.folders.ProjectFolder = AbsoluteFolder(folder);
}

void ClearFrameState(Player& player) {
  player.frame = CurrentFrameState{};
}

bool InitializeProject(Player& player) {
  if (!UsesSmallFonts(player.platform()) && !ConfirmLargeFonts(player)) {
    player.ProgramEndRequested = true;
    return false;
  }

  IgnoringFailure([&] {
    const platform::ScreenSize screen = player.platform().screenSize();
    player.RecordedScreenWidth = screen.width;
    player.RecordedScreenHeight = screen.height;
  });

  IgnoringFailure([&] { SetFolders(player); });
  IgnoringFailure([&] {
    if (!player.files.exists(player.folders.ConfigFolder + "Texts")) {
      FillMessageTable(player.messages, false);
    }
  });
  IgnoringFailure([&] { ClearFrameState(player); });
  IgnoringFailure([&] { LoadTextsFile(player); });

  const std::string general = player.folders.ConfigFolder + "General";
  if (!player.files.exists(general) && !ConfirmMissingGeneral(player, general)) {
    player.ProgramEndRequested = true;
    return false;
  }
  IgnoringFailure([&] { LoadProjectInformation(player); });
  IgnoringFailure([&] {
    if (player.loadMultiCdIndex) player.loadMultiCdIndex();
  });
  return true;
}

}  // namespace tw
