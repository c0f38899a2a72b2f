// ActionObject: the object scripts call the player through, named "Action" (its members are
// global names of every script too).
//
// It carries the request record that the code around a script reads after the run (the
// frame to go to, with its transition; the hotspot that started the script) — kept in the
// game window's ActionRequests, so the player's own code reads it without this object — and
// offers 34 methods that act at once. Methods that fail show the player's error box with
// their own words and return normally, so the script goes on; wrong argument counts or
// types are the engine's errors (450, 13, 6) and end the script with the script host's box.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "scripting/HostObject.h"

namespace tw {
class Game;
}

namespace tw::scripting {

class ScriptHost;

// The first of GamePath, AreasFolder, FramesFolder, IconsFolder that holds a file of that
// name; empty when none does.
std::string FindFileFolder(Game& game, const std::string& fileName);

// Starts a program and waits for it to end, letting window events run every 100 ms. A
// program that cannot start here (a Windows ".exe", a missing file) shows the method's box
// " Error opening the file titled '...'." with the reason.
void LaunchAndWait(Game& game, ScriptHost& host, const std::string& command);

// The names of the Action object's methods and properties, which scripts also reach as
// global names.
const std::vector<std::string_view>& ActionMemberNames();

class ActionObject : public HostObject {
 public:
  ActionObject(Game& game, ScriptHost& host);
  vbs::Variant invoke(int id, vbs::InvokeKind kind, std::span<vbs::Variant> args) override;

  // The player's error box of a failing method: entry 30, CR LF twice, entry 31, words.
  void showFailure(const std::string& words);

 private:
  vbs::Variant method(int number, std::span<vbs::Variant> args);
  vbs::Variant property(int number, vbs::InvokeKind kind, std::span<vbs::Variant> args);

  void PopupSaveGame();
  void PopupLoadGame();
  void StopEverything();
  void SendEmail(const std::string& address);
  void OpenURL(const std::string& url);
  void OpenFile(const std::string& title);
  void OpenExeFileAndWait(const std::string& title);
  void LoadAPicture(const std::shared_ptr<vbs::Object>& control, const std::string& name);
  vbs::Variant LoadGraphicFile(const std::string& name);
  void HideInventoryButton();
  void ShowInventoryButton();
  void RemoveAllItems();
  void RemoveItem(const std::string& name, bool removeDuplicates);
  void CreateOrDeleteObject(const vbs::Variant& ref, bool create);
  void ChangeDisplayResolution(std::int16_t resolution);

  Game& game_;
  ScriptHost& host_;
};

}  // namespace tw::scripting
