// The Debug menu's commands beside the frame list — "Execute VBS code...", "Edit VBS
// Procedures...", "View variables status..." — and the Options menu's two check items.
//
// The script window remembers the last code it ran in the per-user setting
// "ExecuteVBScriptCode" and refuses code that asks for another frame, which nothing here
// would honour (the frame list does that).
#include <exception>

#include "common/TextEncoding.h"
#include "game/Game.h"
#include "platform/Platform.h"
#include "platform/Settings.h"
#include "scripting/DebugMenu.h"
#include "scripting/ScriptHost.h"
#include "variables/VariablesStatus.h"

namespace tw::scripting {

namespace {

const char* const kExecutePrompt =
    "Enter the VBScript code you want to execute and then click OK.\r\n\r\n"
    "For example, to retrieve the value of a variable, use the following code:\r\n\r\n"
    "                MsgBox VARIABLE_NAME\r\n\r\n";

}  // namespace

void InstallScriptMenus(Game& game, ScriptHost& host) {
  // Debug: the frame list moves into its own sub-menu, under Cancel and a separator.
  game.mnuDebug.remove(game.mnuFrameName.templ());
  game.mnuDebug.add(host.mnuGoToFrame);
  host.mnuGoToFrame.add(host.mnuCancel);
  host.mnuGoToFrame.add(host.mnuNone);
  host.mnuGoToFrame.add(game.mnuFrameName.templ());
  game.mnuDebug.add(host.mnuExecuteVBScript);
  game.mnuDebug.add(host.mnuEditProcedures);
  game.mnuDebug.add(host.mnuViewVariables);

  Game* g = &game;
  host.mnuCancel.onClick = [g](platform::MenuItem&) { g->HideMenus(); };
  host.mnuExecuteVBScript.onClick = [g](platform::MenuItem&) { ExecuteScriptFromMenu(*g); };
  host.mnuEditProcedures.onClick = [g](platform::MenuItem&) {
    g->platform().messageBox(platform::MakeBox(
        "Not Available", "This command is not available in the compiled version of the project.",
        platform::MsgIcon::Information, platform::MsgButtons::Ok));
  };
  host.mnuViewVariables.onClick = [g](platform::MenuItem&) {
    ShowVariablesStatus(g->player(), g->variables);
  };
  game.mnuDisableTransitions.onClick = [g](platform::MenuItem&) { g->EnableOrDisableTransitions(); };
  game.mnuDisableEffects.onClick = [g](platform::MenuItem&) { g->EnableOrDisableEffects(); };
}

void ExecuteScriptFromMenu(Game& game) {
  platform::Platform& p = game.platform();
  const std::string& section = game.player().settings.ProjectId;
  std::string remembered;
  try {
    remembered = p.settings().get(section, "ExecuteVBScriptCode", "");
  } catch (const std::exception&) {
  }
  platform::InputBoxRequest request;
  request.title = "Execute VBScript Code (for advanced users)";
  request.prompt = kExecutePrompt;
  request.defaultText = remembered;
  const std::optional<std::string> answer = p.inputBox(request);
  if (!answer || answer->empty()) return;
  const std::string& code = *answer;
  if (FoldCase(code).find("action.gotoframe") != std::string::npos) {
    p.messageBox(platform::MakeBox(
        "Invalid Command",
        "You cannot use the \"Action.GoToFrame\" command here. Use the \"Go to another frame\" "
        "sub-menu of the \"Debug\" menu instead.",
        platform::MsgIcon::Information, platform::MsgButtons::Ok));
    return;
  }
  try {
    game.ExecuteVBScript(code, true);
    game.ShowOrNotShowAreas();
  } catch (const std::exception& e) {
    p.messageBox(platform::MakeBox(
        "Error Executing VBScript Code",
        "Unable to execute the following VBScript code:\r\n\r\n" + code + "\r\n\r\n" + e.what(),
        platform::MsgIcon::Error, platform::MsgButtons::Ok));
    return;
  }
  try {
    p.settings().save(section, "ExecuteVBScriptCode", code);
  } catch (const std::exception&) {
  }
}

}  // namespace tw::scripting
