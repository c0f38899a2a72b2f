// The game window's script operations: running a script, loading the procedures, the
// Action object's reset, the script timers, and the Options menu's two check items.
#include <exception>
#include <string>

#include "game/Game.h"
#include "platform/Platform.h"
#include "platform/Settings.h"
#include "scripting/ScriptHost.h"

namespace tw {

void Game::ExecuteVBScript(const std::string& text, bool bResetLastClickPosition) {
  scripts->execute(text, bResetLastClickPosition);
}

void Game::LoadProcedures() { scripts->LoadProcedures(); }

void Game::ResetModule() {
  Action.sFrameToLoad.clear();
  Action.iTransitionNumber = 1;
  Action.dTransitionDuration = 0;
}

void Game::TimerObject_Timer(int Index) {
  scripting::ScriptHost& host = *scripts;
  if (!host.TimerObject.exists(Index) || Index == 0) return;
  if (player_.GameStopped) {
    host.TimerObject[Index].setEnabled(false);
    return;
  }
  // A timer whose procedure is still running (it opened a box) does not start it again.
  if (!host.startTimerRun(Index)) return;
  struct Done {
    scripting::ScriptHost& host;
    int index;
    ~Done() { host.endTimerRun(index); }
  } done{host, Index};

  ResetModule();
  const std::string procedure = "TimerObject" + std::to_string(Index);
  const std::optional<vbs::ScriptError> error = host.run(procedure, true);
  if (error) {
    // One box, and the failing timer stops so that the box does not come back every tick.
    if (host.TimerObject.exists(Index)) host.TimerObject[Index].setEnabled(false);
    const auto pause = host.pauseClock();
    platform().messageBox(platform::MakeBox(
        "Error Executing VBScript Code",
        "Unable to execute the procedure named " + procedure + ". " + error->description,
        platform::MsgIcon::Error, platform::MsgButtons::Ok));
  }
  try {
    ShowOrNotShowAreas();
    if (!player_.GameStopped && !Action.sFrameToLoad.empty()) {
      const std::string frame = Action.sFrameToLoad;
      if (Action.dTransitionDuration != 0) {
        TransitionStep1(Action.iTransitionNumber);
        OpenFrame(frame, true, Action.iTransitionNumber, Action.dTransitionDuration);
      } else {
        OpenFrame(frame, false, 0, 0);
      }
    }
  } catch (const std::exception& e) {
    if (host.TimerObject.exists(Index)) host.TimerObject[Index].setEnabled(false);
    platform().messageBox(platform::MakeBox(
        "Error Executing VBScript Code",
        "Unable to execute the procedure named " + procedure + ". " + e.what(),
        platform::MsgIcon::Error, platform::MsgButtons::Ok));
  }
}

void Game::EnableOrDisableTransitions() {
  try {
    mnuDisableTransitions.setChecked(!mnuDisableTransitions.checked());
    platform().settings().save(player_.settings.ProjectId, "DisableTransitions",
                               mnuDisableTransitions.checked() ? "True" : "False");
  } catch (const std::exception&) {
  }
}

void Game::EnableOrDisableEffects() {
  try {
    mnuDisableEffects.setChecked(!mnuDisableEffects.checked());
    platform().settings().save(player_.settings.ProjectId, "DisableEffects",
                               mnuDisableEffects.checked() ? "True" : "False");
    const CurrentFrameState& frame = player_.frame;
    if (mnuDisableEffects.checked()) {
      StopRipplingWater();
      RipplingWaterActive = false;
    } else if (frame.BackgroundType == 1 && !frame.BackgroundTiled) {
      LoadWaveEffectIfAny(frame.CurrentFrameName);
      StartRipplingWaterIfActive();
    }
  } catch (const std::exception&) {
  }
}

}  // namespace tw
