// Using items: dragging an icon with the left button and dropping it on a hotspot (the
// hotspot's action for that item) or on another item (the pair's combination file
// "<A>_on_<B>.drg": remove one or both, give a new item, run a script, go to a frame).
#include <exception>

#include "common/FieldReader.h"
#include "common/TextEncoding.h"
#include "frames/FrameFile.h"
#include "frames/FieldTests.h"
#include "game/Game.h"
#include "platform/Window.h"
#include "project/ErrorBoxes.h"

namespace tw {

namespace {

bool IsItemIcon(const platform::Element& source) {
  return EqualsNoCase(source.name(), "PickedObject");
}

}  // namespace

void Game::PickedObject_MouseDown(int Index, const platform::MouseEvent& e) {
  StopMovie = true;
  SkipRequested = true;
  if (IsVideoPlaying()) return;
  if (e.button == platform::kRightButton) {
    RightClickMenus();
    return;
  }
  HideMenus();
  if (e.button == platform::kLeftButton && PickedObject.exists(Index)) {
    DraggedItemIndex = static_cast<std::int16_t>(Index);
    PickedObject[Index].beginDrag();
  }
}

void Game::PickedObject_DragDrop(int Index, platform::Element& source) {
  if (!IsItemIcon(source)) return;
  const std::int16_t dragged = DraggedItemIndex;
  const std::int16_t target = static_cast<std::int16_t>(Index);
  if (target == dragged) return;
  const std::string file = player_.folders.AreasFolder + PickedObjectName(dragged) + "_on_" +
                           PickedObjectName(target) + ".drg";
  try {
    if (!player_.files.exists(file)) return;
    FieldReader in = FieldReader::Open(player_.files, file);
    const bool removeDragged = IsOne(in.readAny());
    if (removeDragged) RemovePickedObject(dragged);
    if (IsOne(in.readAny())) {
      // The first removal moved every later item one place forward.
      RemovePickedObject(removeDragged && dragged < target ? target - 1 : target);
    }
    const bool give = IsOne(in.readAny());
    const std::string newItem = in.readAny().toString();
    if (give) AddPickedObject(newItem, false);
    if (in.atEnd()) return;

    in.skip(3);  // 5-7
    const bool runScript = in.readBoolean();
    const std::string script = RestoreQuotes(in.readString());
    if (player_.GameStopped) return;
    ResetModule();
    if (!script.empty() && runScript) {
      Action.iHotspotNumber = 0;
      ExecuteVBScript(script, true);
      ShowOrNotShowAreas();
    }
    if (!player_.GameStopped && !Action.sFrameToLoad.empty()) {
      const std::string frame = Action.sFrameToLoad;
      if (Action.dTransitionDuration != 0) {
        TransitionStep1(Action.iTransitionNumber);
        OpenFrame(frame, true, Action.iTransitionNumber, Action.dTransitionDuration);
      } else {
        OpenFrame(frame, false, 0, 0);
      }
    }
  } catch (const std::exception&) {
    ShowStandardError(player_, " Unable to combine items.");
  }
}

void Game::Area_DragDrop(int Index, platform::Element& source, int x, int y) {
  if (!IsItemIcon(source) || !Area.exists(Index)) return;
  const platform::Image& area = Area[Index];
  SaveClickPos(area.left() + x, area.top() + y);
  const std::int16_t result = MakeAction(static_cast<std::int16_t>(Index), DraggedItemIndex);
  if (result == kActionEndGame) {
    Form_Unload();
    return;
  }
  CutSceneArea.setVisible(false);
  StopVideo();
  if (result != kActionFrameOpened) ShowOrNotShowAreas();
}

}  // namespace tw
