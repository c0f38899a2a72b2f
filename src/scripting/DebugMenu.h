// The script host's menu commands: the Debug menu's script window, procedures and variables
// items, and the Options menu's check items.
#pragma once

namespace tw {
class Game;
}

namespace tw::scripting {

class ScriptHost;

// Adds the host's items to the game window's Debug menu and wires the commands.
void InstallScriptMenus(Game& game, ScriptHost& host);

// "Execute VBS code...": asks for code, runs it, remembers it.
void ExecuteScriptFromMenu(Game& game);

}  // namespace tw::scripting
