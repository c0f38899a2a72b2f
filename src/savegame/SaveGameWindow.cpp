#include "savegame/SaveGameWindow.h"

#include <exception>
#include <sys/stat.h>

#include "platform/InputRecorder.h"
#include "platform/Platform.h"
#include "project/ErrorBoxes.h"
#include "project/Player.h"
#include "savegame/SavedGameList.h"
#include "savegame/SavedGamePicture.h"
#include "savegame/WindowLook.h"

namespace tw {

bool HasForbiddenNameCharacter(const std::string& name) {
  return name.find_first_of(kForbiddenNameCharacters) != std::string::npos;
}

namespace {

bool OnlyBlanks(const std::string& name) {
  return name.find_first_not_of(" \t") == std::string::npos;
}

// A file nobody may write is a read-only file: it stays, as on Windows.
bool ReadOnly(Player& player, const std::string& path) {
  const auto real = player.files.resolve(path);
  struct stat st {};
  return real && ::stat(real->c_str(), &st) == 0 && (st.st_mode & 0222) == 0;
}

}  // namespace

SaveGameWindow::SaveGameWindow(Player& player) : player_(player) {
  const MessageTable& m = player.messages;
  window.setWindowed(true);
  window.setVisible(false);
  window.setCaption(m[21]);
  window.move(0, 0, kWidth, kHeight);

  Label2.setCaption(m[23]);
  Label2.setWordWrap(true);
  Label2.move(240, 180, kListWidth - 480, 420);
  Text1.move(240, 660, kListWidth - 480, 330);
  List1.move(240, 1110, kListWidth - 480, 2550);
  Command2.setCaption(m[25]);
  Command3.setCaption(m[22]);
  Command1.setCaption(m[11]);
  const int buttonWidth = (kListWidth - 480 - 2 * 120) / 3;
  Command2.move(240, 3840, buttonWidth, 420);
  Command3.move(240 + buttonWidth + 120, 3840, buttonWidth, 420);
  Command1.move(240 + 2 * (buttonWidth + 120), 3840, buttonWidth, 420);
  for (platform::Element* e : std::initializer_list<platform::Element*>{
           &Label2, &Text1, &List1, &Command2, &Command3, &Command1}) {
    window.add(*e);
  }
  ApplyGameLook(player, window, Label2, {&Text1, &List1, &Command2, &Command3, &Command1});
  Picture.place(window, kListWidth, 180, Label2.foreColour());
  FitToTextSize(player, window);
  CentreOnScreen(player, window);

  Command2.onClick = [this](platform::Element&) { Command2_Click(); };
  Command1.onClick = [this](platform::Element&) { Command1_Click(); };
  Command3.onClick = [this](platform::Element&) { Command3_Click(); };
  List1.onClick = [this](platform::Element&) { List1_Click(); };
  List1.onDblClick = [this](platform::Element&) { List1_DblClick(); };
  window.onKeyDown = [this](platform::Window&, int key, int) { Form_KeyDown(key); };
  window.onCloseRequest = [this](platform::Window&) { Command1_Click(); };
}

void SaveGameWindow::LoadSaveGames() {
  List1.clear();
  for (const std::string& name : ListSavedGames(player_)) List1.addItem(name);
  showChoice();
}

void SaveGameWindow::setMoment(std::shared_ptr<const platform::Picture> moment) {
  moment_ = std::move(moment);
  showChoice();
}

void SaveGameWindow::showChoice() {
  if (List1.listIndex() < 0) {
    Picture.show(moment_, "");
  } else {
    Picture.showSavedGame(player_, List1.text());
  }
}

void SaveGameWindow::Form_Activate() { window.setFocus(&Text1); }

void SaveGameWindow::info(const std::string& title, const std::string& text) {
  player_.platform().messageBox(platform::MakeBox(title, text, platform::MsgIcon::Information,
                                                  platform::MsgButtons::Ok));
}

bool SaveGameWindow::askOkCancel(const std::string& title, const std::string& text) {
  return player_.platform().messageBox(platform::MakeBox(title, text, platform::MsgIcon::Question,
                                                         platform::MsgButtons::OkCancel)) ==
         platform::MsgAnswer::Ok;
}

void SaveGameWindow::Command2_Click() {
  const MessageTable& m = player_.messages;
  const std::string name = Text1.text();
  if (platform::InputRecorder* recorder = player_.platform().inputRecorder()) {
    recorder->savedGameChosen(true, name);
  }
  if (HasForbiddenNameCharacter(name)) {
    info(player_.settings.GameTitle, m[35] + "\r\n\" \\ / : * ? < > | ,");
    return;
  }
  if (OnlyBlanks(name)) {
    info(m[21], m[23]);
    return;
  }
  if (player_.files.exists(SavedGamePath(player_, name)) &&
      !askOkCancel(m[21], "'" + name + "' " + m[24])) {
    return;
  }
  if (saveGame && saveGame(name)) window.setVisible(false);
}

void SaveGameWindow::Command1_Click() { window.setVisible(false); }

void SaveGameWindow::Command3_Click() {
  const MessageTable& m = player_.messages;
  if (List1.listIndex() < 0) {
    info(m[26], m[9]);
    return;
  }
  const std::string path = SavedGamePath(player_, List1.text());
  if (!askOkCancel(m[26], m[27] + " '" + path + "'?")) return;
  if (ReadOnly(player_, path) || !player_.files.removeFile(path)) {
    ShowStandardError(player_, " Unable to remove '" + path + "'.");
  } else {
    RemoveSavedGamePicture(player_, path);
  }
  LoadSaveGames();
}

void SaveGameWindow::List1_Click() {
  if (List1.listIndex() >= 0) Text1.setText(List1.text());
  showChoice();
}

void SaveGameWindow::List1_DblClick() {
  List1_Click();
  Command2_Click();
}

void SaveGameWindow::Form_KeyDown(int keyCode) {
  if (keyCode == kKeyEnter) {
    Command2_Click();
  } else if (keyCode == kKeyEscape) {
    Command1_Click();
  } else {
    MoveListChoice(window, List1, keyCode);
  }
}

}  // namespace tw
