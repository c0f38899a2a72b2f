#include "savegame/LoadGameWindow.h"

#include "platform/InputRecorder.h"
#include "platform/Platform.h"
#include "project/Player.h"
#include "savegame/AutosaveFile.h"
#include "savegame/SavedGameList.h"
#include "savegame/WindowLook.h"

namespace tw {

LoadGameWindow::LoadGameWindow(Player& player) : player_(player) {
  const MessageTable& m = player.messages;
  window.setWindowed(true);
  window.setVisible(false);
  window.setCaption(m[17]);
  window.move(0, 0, kWidth, kHeight);

  Label1.setCaption(m[18]);
  Label1.setWordWrap(true);
  Label1.move(240, 180, kListWidth - 480, 420);
  List1.move(240, 660, kListWidth - 480, 2700);
  Command2.setCaption(m[19]);
  Command1.setCaption(m[11]);
  const int buttonWidth = 1560;
  Command2.move(kListWidth / 2 - buttonWidth - 120, 3540, buttonWidth, 420);
  Command1.move(kListWidth / 2 + 120, 3540, buttonWidth, 420);
  for (platform::Element* e :
       std::initializer_list<platform::Element*>{&Label1, &List1, &Command2, &Command1}) {
    window.add(*e);
  }
  ApplyGameLook(player, window, Label1, {&List1, &Command2, &Command1});
  Picture.place(window, kListWidth, 180, Label1.foreColour());
  FitToTextSize(player, window);
  CentreOnScreen(player, window);

  Command2.onClick = [this](platform::Element&) { Command2_Click(); };
  Command1.onClick = [this](platform::Element&) { Command1_Click(); };
  List1.onClick = [this](platform::Element&) { showChoice(); };
  List1.onDblClick = [this](platform::Element&) { List1_DblClick(); };
  window.onKeyDown = [this](platform::Window&, int key, int) { Form_KeyDown(key); };
  window.onCloseRequest = [this](platform::Window&) { Command1_Click(); };
}

void LoadGameWindow::LoadSaveGames() {
  List1.clear();
  // The automatic save first; the list's tag says its first entry is that one.
  List1.setTag("");
  if (const auto autosave = ExistingAutosave(player_)) {
    List1.addItem(AutosaveEntryText(player_, *autosave));
    List1.setTag(kAutosaveListTag);
  }
  for (const std::string& name : ListSavedGames(player_)) List1.addItem(name);
  showChoice();
}

void LoadGameWindow::showChoice() {
  if (List1.listIndex() < 0) {
    Picture.show(nullptr, "");
  } else {
    Picture.showSavedGame(player_, chosenName());
  }
}

std::string LoadGameWindow::chosenName() const {
  const bool autosave = List1.listIndex() == 0 && List1.tag() == kAutosaveListTag;
  return autosave ? std::string(kAutosaveName) : List1.text();
}

void LoadGameWindow::Form_Activate() { window.setFocus(&List1); }

void LoadGameWindow::Command2_Click() {
  if (List1.listIndex() < 0) {
    player_.platform().messageBox(platform::MakeBox(player_.messages[17], player_.messages[9],
                                                    platform::MsgIcon::Information,
                                                    platform::MsgButtons::Ok));
    return;
  }
  if (platform::InputRecorder* recorder = player_.platform().inputRecorder()) {
    const bool autosave = List1.listIndex() == 0 && List1.tag() == kAutosaveListTag;
    recorder->savedGameChosen(false, autosave ? std::string() : List1.text());
  }
  if (loadGame) loadGame(chosenName());
}

void LoadGameWindow::Command1_Click() {
  cancelled = true;
  window.setVisible(false);
}

void LoadGameWindow::List1_DblClick() { Command2_Click(); }

void LoadGameWindow::Form_KeyDown(int keyCode) {
  if (keyCode == kKeyEnter) {
    Command2_Click();
  } else if (keyCode == kKeyEscape) {
    Command1_Click();
  } else {
    MoveListChoice(window, List1, keyCode);
  }
}

}  // namespace tw
