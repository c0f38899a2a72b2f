// LoadGameWindow: the load window ("frmLoadGame") — the saved games newest first, LOAD and
// Cancel.
//
// The game's automatic save, when it has one, is the first entry ("Autosave (date time)");
// List1's tag is then kAutosaveListTag and LOAD passes kAutosaveName for it.
//
// LOAD, a double click on an entry and Enter restore the chosen game through the loadGame
// hook, which hides the window itself once the game is restored (and reports its own
// failures, leaving the window open). Cancel, Esc and the close button set `cancelled`
// and hide the window; the opener reads the flag and destroys the window. Beside the list,
// the picture panel shows the chosen saved game's picture and time.
#pragma once

#include <functional>
#include <string>

#include "platform/Controls.h"
#include "platform/Label.h"
#include "platform/Window.h"
#include "savegame/SavePicturePanel.h"

namespace tw {

class Player;

inline constexpr const char* kAutosaveListTag = "autosave-first";

class LoadGameWindow {
 public:
  static constexpr int kListWidth = 5400;  // the prompt, the list and the buttons
  static constexpr int kWidth = kListWidth + SavePicturePanel::kWidth + 240;
  static constexpr int kHeight = 180 + SavePicturePanel::kHeight + 180;  // the controls need 4200

  explicit LoadGameWindow(Player& player);
  LoadGameWindow(const LoadGameWindow&) = delete;
  LoadGameWindow& operator=(const LoadGameWindow&) = delete;

  void LoadSaveGames();
  void Form_Activate();  // focus to the list, so the arrows move in it

  void Command2_Click();  // LOAD
  void Command1_Click();  // Cancel
  void List1_DblClick();
  void Form_KeyDown(int keyCode);

  // Restores the saved game of that name.
  std::function<void(const std::string&)> loadGame;
  // Cancel closed the window (LoadCancelled).
  bool cancelled = false;

  platform::Window window{"frmLoadGame"};
  platform::Label Label1{"Label1"};
  platform::ListBox List1{"List1"};
  platform::Button Command2{"Command2"};
  platform::Button Command1{"Command1"};
  SavePicturePanel Picture;

 private:
  void showChoice();
  // The name the chosen entry is loaded by (the automatic save has a reserved one).
  std::string chosenName() const;
  Player& player_;
};

}  // namespace tw
