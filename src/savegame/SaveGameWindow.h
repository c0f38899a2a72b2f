// SaveGameWindow: the save window ("frmSaveGame") — a name box, the saved games newest
// first, and the SAVE, Remove Selected and Cancel buttons.
//
// A window model of the player's own controls; the back end shows it modally. It checks
// the typed name and asks before replacing or removing a file; the writing itself is the
// saveGame hook, which reports its own failure and returns false (the window then stays
// open). The window is hidden when it is done; its opener destroys it.
//
// Beside the list, the picture panel shows the chosen saved game's picture and time; with
// nothing chosen it shows the moment this save will keep (setMoment).
//
// Names: the ten characters " \ / : * ? < > | , are refused with the information box; a
// name of nothing but blanks counts as empty (it would list as a blank line and could not
// be told apart from others); blanks inside or around a name are kept as typed.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/Controls.h"
#include "platform/Label.h"
#include "platform/Window.h"
#include "savegame/SavePicturePanel.h"

namespace tw {

class Player;

// The characters a saved game's name may not hold, as the information box lists them.
inline constexpr const char* kForbiddenNameCharacters = "\"\\/:*?<>|,";
bool HasForbiddenNameCharacter(const std::string& name);

class SaveGameWindow {
 public:
  // Layout of the client area, twips.
  static constexpr int kListWidth = 5400;  // the name box, the list and the buttons
  static constexpr int kWidth = kListWidth + SavePicturePanel::kWidth + 240;
  static constexpr int kHeight = 4560;

  explicit SaveGameWindow(Player& player);
  SaveGameWindow(const SaveGameWindow&) = delete;
  SaveGameWindow& operator=(const SaveGameWindow&) = delete;

  // Fills List1 with the saved games, newest first.
  void LoadSaveGames();
  // The picture of the game as the save was asked for, shown while nothing is chosen.
  void setMoment(std::shared_ptr<const platform::Picture> moment);
  // Focus to the name box, as the window becomes active.
  void Form_Activate();

  void Command2_Click();  // SAVE
  void Command1_Click();  // Cancel
  void Command3_Click();  // Remove Selected
  void List1_Click();
  void List1_DblClick();
  void Form_KeyDown(int keyCode);

  // Writes the saved game of that name; false after a failure (reported by the hook).
  std::function<bool(const std::string&)> saveGame;

  platform::Window window{"frmSaveGame"};
  platform::Label Label2{"Label2"};
  platform::TextBox Text1{"Text1"};
  platform::ListBox List1{"List1"};
  platform::Button Command2{"Command2"};
  platform::Button Command3{"Command3"};
  platform::Button Command1{"Command1"};
  SavePicturePanel Picture;

 private:
  void showChoice();
  void info(const std::string& title, const std::string& text);
  bool askOkCancel(const std::string& title, const std::string& text);

  Player& player_;
  std::shared_ptr<const platform::Picture> moment_;
};

}  // namespace tw
