#include "multicd/CdRequestWindow.h"

#include <filesystem>
#include <system_error>

#include "platform/Dialogs.h"
#include "platform/Element.h"
#include "platform/InputRecorder.h"
#include "platform/Platform.h"
#include "platform/Colour.h"
#include "platform/Settings.h"
#include "project/DisplayChecks.h"
#include "project/Player.h"
#include "project/ProjectFolders.h"

namespace tw {

namespace {

constexpr int kMargin = 240;
constexpr int kButtonTop = 2760;
constexpr int kButtonHeight = 375;
constexpr int kKeyReturn = 13;
constexpr int kKeyEscape = 27;

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  const std::size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// A folder the player may take as a CD: it exists and its entries can be read.
bool Listable(const std::string& root) {
  std::error_code error;
  if (!std::filesystem::is_directory(root, error)) return false;
  std::filesystem::directory_iterator entries(root, error);
  return !error;
}

}  // namespace

std::string DriveListEntry(const Volume& volume) {
  return volume.root + "  " + VolumeKindCaption(volume.kind);
}

CdRequestWindow::CdRequestWindow(Player& player, std::vector<Volume> volumes)
    : player_(player), volumes_(std::move(volumes)) {
  buildElements();
}

void CdRequestWindow::buildElements() {
  window.setWindowed(false);
  window.setVisible(false);
  window.move(0, 0, kWidth, kHeight);
  // The background carries the frame and the labels, so a press anywhere there drags.
  picBackground.move(0, 0, kWidth, kHeight);
  picBackground.setBackColour(platform::kButtonFace);
  window.add(picBackground);

  lblMessage.move(kMargin, kMargin, kWidth - 2 * kMargin, 720);
  lblMessage.setWordWrap(true);
  lblDrive.move(kMargin, 1020, kWidth - 2 * kMargin, 255);
  for (platform::Label* label : {&lblMessage, &lblDrive}) {
    label->setTransparent(true);
    picBackground.add(*label);
  }
  Combo1.move(kMargin, 1290, kWidth - 2 * kMargin, 315);
  lstDrives.move(kMargin, 1650, kWidth - 2 * kMargin, 960);
  cmdFolder.move(kMargin, kButtonTop, 1920, kButtonHeight);
  cmdFolder.setCaption("Choose a folder\xE2\x80\xA6");
  Command3.move(kWidth - kMargin - 2 * 1080 - 120, kButtonTop, 1080, kButtonHeight);
  Command3.setCaption("OK");
  Command4.move(kWidth - kMargin - 1080, kButtonTop, 1080, kButtonHeight);
  for (platform::Element* control :
       std::initializer_list<platform::Element*>{&Combo1, &lstDrives, &cmdFolder, &Command3,
                                                 &Command4}) {
    window.add(*control);
  }

  Command3.onClick = [this](platform::Element&) { Command3_Click(); };
  Command4.onClick = [this](platform::Element&) { Command4_Click(); };
  cmdFolder.onClick = [this](platform::Element&) { cmdFolder_Click(); };
  lstDrives.onClick = [this](platform::Element&) { lstDrives_Click(); };
  // Closing the window by other means than its buttons is a cancel: the request would
  // otherwise come straight back.
  window.onCloseRequest = [this](platform::Window&) { Command4_Click(); };
  // Enter answers OK and Escape Cancel, as on any dialog.
  window.onKeyDown = [this](platform::Window&, int keyCode, int) {
    if (keyCode == kKeyReturn) Command3_Click();
    if (keyCode == kKeyEscape) Command4_Click();
  };
  for (platform::Element* e :
       std::initializer_list<platform::Element*>{&picBackground, &lblMessage, &lblDrive}) {
    makeDraggable(*e);
  }
}

void CdRequestWindow::makeDraggable(platform::Element& element) {
  element.onMouseDown = [this](platform::Element&, const platform::MouseEvent& e) {
    dragging_ = e.button == platform::kLeftButton;
    dragX_ = e.x;
    dragY_ = e.y;
  };
  element.onMouseMove = [this](platform::Element&, const platform::MouseEvent& e) {
    if (!dragging_ || (e.button & platform::kLeftButton) == 0) return;
    window.move(window.left() + e.x - dragX_, window.top() + e.y - dragY_);
  };
  element.onMouseUp = [this](platform::Element&, const platform::MouseEvent&) {
    dragging_ = false;
  };
}

void CdRequestWindow::Form_Load() {
  window.move(ScreenWidthTwips(player_.platform()) / 2 - kWidth / 2,
              ScreenHeightTwips(player_.platform()) / 2 - kHeight / 2);
  window.setTopMost(true);
  lblDrive.setCaption(player_.messages[37]);
  Command4.setCaption(player_.messages[11]);
  lstDrives.clear();
  for (const Volume& volume : volumes_) lstDrives.addItem(DriveListEntry(volume));
  Combo1.setText(FindCDDrive(volumes_));
}

void CdRequestWindow::setDriveText(const std::string& text) { Combo1.setText(text); }

void CdRequestWindow::showModal() {
  accepted_.clear();
  player_.platform().runModal(window);
}

std::string CdRequestWindow::chosenRoot() const {
  const std::string text = Trimmed(Combo1.text());
  for (const Volume& volume : volumes_) {
    if (text == DriveListEntry(volume) || text == Trimmed(DriveListEntry(volume))) {
      return volume.root;
    }
  }
  return text.empty() ? "" : WithTrailingSlash(text);
}

void CdRequestWindow::Command3_Click() {
  const std::string root = chosenRoot();
  if (platform::InputRecorder* recorder = player_.platform().inputRecorder()) {
    recorder->cdWindowAnswered(root);
  }
  if (!root.empty() && Listable(root)) {
    accepted_ = root;
    if (!player_.settings.ProjectId.empty()) {
      player_.platform().settings().save(player_.settings.ProjectId, "DriveLetter", root);
    }
    close();
    return;
  }
  player_.platform().messageBox(platform::MakeBox(player_.settings.GameTitle,
                                                  player_.messages[38], platform::MsgIcon::Warning,
                                                  platform::MsgButtons::Ok));
}

void CdRequestWindow::Command4_Click() {
  if (platform::InputRecorder* recorder = player_.platform().inputRecorder()) {
    recorder->cdWindowAnswered(std::nullopt);
  }
  player_.GameStopped = true;
  close();
}

void CdRequestWindow::cmdFolder_Click() {
  const std::optional<std::string> folder =
      player_.platform().chooseFolder(lblDrive.caption(), chosenRoot());
  if (folder && !folder->empty()) Combo1.setText(WithTrailingSlash(*folder));
}

void CdRequestWindow::lstDrives_Click() {
  const int index = lstDrives.listIndex();
  if (index >= 0 && index < lstDrives.listCount()) Combo1.setText(lstDrives.list(index));
}

void CdRequestWindow::close() { window.setVisible(false); }

}  // namespace tw
