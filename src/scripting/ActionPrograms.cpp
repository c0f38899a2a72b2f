// The Action object's file look-up and program start: FindFileFolder and LaunchAndWait.
//
// A program is started through the shell with its path quoted as one word, so a file name
// from a game's script can never become a shell command of its own. A Windows program
// (".exe", ".com", ".bat") cannot run here; it is reported as the method's failure rather
// than handed to the shell.
#include <filesystem>
#include <system_error>

#include "common/TextEncoding.h"
#include "game/Game.h"
#include "platform/Platform.h"
#include "project/DataFileLocator.h"
#include "scripting/ActionObject.h"
#include "scripting/ScriptHost.h"
#include "vbscript/VbError.h"

namespace tw::scripting {

namespace {

constexpr int kPollMs = 100;

bool EndsWithNoCase(const std::string& text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         EqualsNoCase(std::string_view(text).substr(text.size() - suffix.size()), suffix);
}

std::string ShellQuoted(const std::string& word) {
  std::string out = "'";
  for (char c : word) {
    if (c == '\'') {
      out += "'\\''";
    } else {
      out += c;
    }
  }
  return out + "'";
}

}  // namespace

std::string FindFileFolder(Game& game, const std::string& fileName) {
  const ProjectFolders& f = game.player().folders;
  for (const std::string* folder : {&f.GamePath, &f.AreasFolder, &f.FramesFolder, &f.IconsFolder}) {
    if (game.player().files.exists(*folder + fileName)) return *folder;
  }
  return {};
}

void LaunchAndWait(Game& game, ScriptHost& host, const std::string& command) {
  Player& player = game.player();
  platform::Platform& p = game.platform();
  try {
    for (std::string_view windows : {".exe", ".com", ".bat"}) {
      if (EndsWithNoCase(command, windows)) {
        throw vbs::VbError(vbs::err::kFileNotFound,
                           "This program was made for Windows and cannot run on this system");
      }
    }
    const std::optional<std::string> path = player.files.resolve(command);
    if (!path) throw vbs::VbError(vbs::err::kFileNotFound);
    std::error_code ec;
    const auto perms = std::filesystem::status(*path, ec).permissions();
    if (ec || (perms & std::filesystem::perms::owner_exec) == std::filesystem::perms::none) {
      throw vbs::VbError(vbs::err::kPermissionDenied);
    }
    auto pause = host.pauseClock();
    std::unique_ptr<platform::RunningProgram> program = p.startProgram(ShellQuoted(*path));
    if (!program) throw vbs::VbError(vbs::err::kFileNotFound);
    // The game window stays disabled meanwhile; it is still repainted and its timers run.
    while (!program->finished() && !p.quitRequested()) {
      p.processEvents();
      p.sleepMs(kPollMs);
    }
  } catch (const vbs::VbError& e) {
    const MessageTable& m = player.messages;
    auto pause = host.pauseClock();
    p.messageBox(platform::MakeBox(
        m[29],
        m[30] + "\r\n\r\n" + m[31] + " Error opening the file titled '" + command + "'.\r\n\r\n" +
            e.description(),
        platform::MsgIcon::Error, platform::MsgButtons::Ok));
  }
}

}  // namespace tw::scripting
