// ScriptHost: runs the game's scripts — frame entry scripts, hotspot and combination
// scripts, script timers and the Debug menu's code — in the script engine, with the game's
// variables and the player's objects ("Hotspot", "Text", "ScreenObject", "AppObject",
// "WindowObject", "Action") as named objects whose members are global names too.
//
// Invariants:
//  - Every run starts from a clean engine: nothing a script defines outlives its run;
//    lasting state is in the game's variables and the Action object's request fields.
//  - The "Procedures" text is read at each reset of the game window and compiled at most
//    once per reset and engine; a syntax error in it fails every run, with the same box,
//    until the next reset reads the file again. It and each script are one program: its
//    Option Explicit holds in the script, and it may not define StartupProcedure itself.
//  - Scripts may run inside scripts (a box or a modal window opened by a script lets a
//    script timer fire; a loaded game opens a frame with an entry script): each nesting
//    level has an engine of its own, the inner script runs to its end, and the outer one
//    goes on with the game's variables as the inner one left them. The outer script's
//    time-out clock stands still meanwhile, as it does during its own boxes and windows.
//  - Failures never leave the host: each run ends with a result the caller reports.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ElementArray.h"
#include "platform/Menu.h"
#include "platform/Timer.h"
#include "vbscript/Engine.h"

namespace tw {
class Game;
}
namespace tw::platform {
class Picture;
}

namespace tw::scripting {

class ActionObject;
class HostObject;
class PictureObject;

// The words the script host puts before the engine's description in its error box.
inline constexpr const char* kScriptErrorWords =
    "Error executing script. The Scripting Engine returned the following error message:";

class ScriptHost {
 public:
  explicit ScriptHost(Game& game);
  ~ScriptHost();
  ScriptHost(const ScriptHost&) = delete;
  ScriptHost& operator=(const ScriptHost&) = delete;

  // Reads "Procedures" (three header lines skipped); a failure shows "Error loading projet
  // procedures." and leaves the text empty.
  void LoadProcedures();
  const std::string& ProceduresText() const { return proceduresText_; }

  // Runs one script; the failure, if any, is returned (nothing is shown).
  std::optional<vbs::ScriptError> run(const std::string& text, bool bResetLastClickPosition);
  // Runs one script and shows the script host's error box when it fails.
  void execute(const std::string& text, bool bResetLastClickPosition);
  // The text of the script host's error box for a failure.
  std::string errorText(const vbs::ScriptError& error) const;

  // The script time-out (10000 ms; tests shorten it).
  void setTimeout(std::chrono::milliseconds timeout) { timeout_ = timeout; }
  // Nesting level of the runs going on now (0: none).
  int depth() const { return depth_; }
  // The time-out clocks of the running scripts stand still while the result lives
  // (around the modal boxes and windows the player's objects open).
  std::unique_ptr<vbs::Engine::ClockPause> pauseClock();

  ActionObject& action() { return *action_; }

  // Disables every script timer (the game window closes); unloadTimers removes them (a reset).
  void stopTimers();
  void unloadTimers();
  // A script timer's run: false when that timer's procedure is running already.
  bool startTimerRun(int index);
  void endTimerRun(int index);

  // Script timers: element k runs the procedure "TimerObject" + k when it fires.
  platform::ElementArray<platform::Timer> TimerObject;
  // The Debug menu's own items (the frame list is the game window's mnuFrameName).
  platform::MenuItem mnuGoToFrame;
  platform::MenuItem mnuCancel;
  platform::MenuItem mnuNone;
  platform::MenuItem mnuExecuteVBScript;
  platform::MenuItem mnuEditProcedures;
  platform::MenuItem mnuViewVariables;

  // Pictures handed to scripts, found again by number (a picture's value when assigned
  // without Set); kept until the next outermost run starts.
  std::shared_ptr<PictureObject> pictureByHandle(std::int32_t handle) const;
  std::shared_ptr<PictureObject> makePicture(std::shared_ptr<const platform::Picture> picture);

 private:
  struct Level;
  Level& level(int depth);
  void addNamedObjects(vbs::Engine& engine);
  void refreshVariableObjects();

  Game& game_;
  std::string proceduresText_;
  std::uint64_t proceduresVersion_ = 0;
  std::chrono::milliseconds timeout_{10000};
  std::vector<std::unique_ptr<Level>> levels_;
  int depth_ = 0;
  std::shared_ptr<ActionObject> action_;
  std::vector<std::pair<std::string, std::shared_ptr<vbs::Object>>> players_;  // Hotspot..
  std::shared_ptr<vbs::Object> windowObject_;
  std::vector<std::shared_ptr<vbs::Object>> integerObjects_;
  std::vector<std::shared_ptr<vbs::Object>> variantObjects_;
  std::vector<std::shared_ptr<PictureObject>> pictures_;
  std::int32_t nextPictureHandle_ = 1;
  std::vector<int> runningTimers_;
};

}  // namespace tw::scripting
