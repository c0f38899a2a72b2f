// CdRequestWindow: the window that asks the player to insert one of the game's CDs
// ("frmRunFromCD").
//
// It shows the request, the drive the CD is looked for in (Combo1: a text the player may
// type a folder into, over the list of mounted volumes with their kinds), "Choose a folder…"
// for a CD copied to a folder, OK and Cancel. OK accepts only a folder that can be listed:
// it becomes the stored "DriveLetter" (a volume root or any folder) and the window closes;
// otherwise the "not ready" box comes and the window stays. Cancel, and closing the window
// any other way, stop the game (GameStopped), so the request never comes back by itself.
// The window is a small top-most panel centred on the screen, dragged by its background.
#pragma once

#include <string>
#include <vector>

#include "multicd/MountedVolumes.h"
#include "platform/Controls.h"
#include "platform/Label.h"
#include "platform/PictureBox.h"
#include "platform/Window.h"

namespace tw {

class Player;

class CdRequestWindow {
 public:
  static constexpr int kWidth = 5400;
  static constexpr int kHeight = 3300;

  // volumes: the drives offered in the list.
  CdRequestWindow(Player& player, std::vector<Volume> volumes);
  CdRequestWindow(const CdRequestWindow&) = delete;
  CdRequestWindow& operator=(const CdRequestWindow&) = delete;

  // Fills the texts; the drive text starts at the last optical volume (the caller then
  // puts the stored drive there).
  void Form_Load();
  // The drive text: a root or a list entry ("/media/cdrom/  (CD-Rom Drive)").
  void setDriveText(const std::string& text);
  // Shows the window modally; returns when it closed.
  void showModal();

  // The root the list's text stands for: the entry's root, or the text itself as a folder.
  std::string chosenRoot() const;
  // The root stored by the last OK ("" when the window was cancelled).
  const std::string& acceptedRoot() const { return accepted_; }

  void Command3_Click();  // OK
  void Command4_Click();  // Cancel
  void cmdFolder_Click();
  void lstDrives_Click();

  platform::Window window{"frmRunFromCD"};
  platform::PictureBox picBackground{"picBackground"};
  platform::Label lblMessage{"lblMessage"};
  platform::Label lblDrive{"lblDrive"};
  platform::TextBox Combo1{"Combo1"};
  platform::ListBox lstDrives{"lstDrives"};
  platform::Button cmdFolder{"cmdFolder"};
  platform::Button Command3{"Command3"};
  platform::Button Command4{"Command4"};

 private:
  void buildElements();
  void makeDraggable(platform::Element& element);
  void close();

  Player& player_;
  std::vector<Volume> volumes_;
  std::string accepted_;
  bool dragging_ = false;
  int dragX_ = 0;
  int dragY_ = 0;
};

// The text a volume has in the drive list.
std::string DriveListEntry(const Volume& volume);

}  // namespace tw
