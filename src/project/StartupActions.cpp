// What the start-up window does when clicked: the three buttons, the e-mail and web site
// links, the display-mode offer and the logo.
//
// The window is top-most while shown; before any question box or other window it gives
// that up, so the box is not hidden behind it.
#include <exception>
#include <stdexcept>

#include "platform/Platform.h"
#include "platform/Settings.h"
#include "project/DisplayMode.h"
#include "project/ErrorBoxes.h"
#include "project/Player.h"
#include "project/StartupWindow.h"

namespace tw {

namespace {

constexpr const char* kStartFailure =
    " Error loading the main program window. Try restarting the program.";

}  // namespace

void StartupWindow::ClickButton(int index) {
  try {
    switch (index) {
      case 0:
        startNewGame();
        break;
      case 1:
        openLoad();
        break;
      case 2:
        Form_Unload();
        break;
      default:
        break;
    }
  } catch (const std::exception&) {
    ShowStandardError(player_, kStartFailure);
    // Without a game window the player must not be left with nothing on screen: the
    // start-up window comes back, or the program ends when it is never shown.
    if (player_.settings.SkipStartupWindow) {
      Form_Unload();
    } else if (!window.visible()) {
      Show();
    }
  }
}

void StartupWindow::startNewGame() {
  const ProjectSettings& s = player_.settings;
  const bool offerTaken = !s.SkipStartupWindow && s.ResolutionChangeMode == 1 &&
                          chkResolution.visible() &&
                          chkResolution.value() == platform::CheckBox::Checked;
  if (offerTaken) {
    window.setVisible(false);
    ChangeDisplayMode(player_, static_cast<std::int16_t>(s.GameResolution + 1), recentreGameWindow);
  }
  if (!startGame) throw std::logic_error("no main window to start");
  window.setVisible(false);
  startGame();
}

void StartupWindow::openLoad() {
  window.setTopMost(false);
  if (openLoadWindow) openLoadWindow();
  // The pointer went elsewhere meanwhile; the next move tells where it is now.
  forgetPointer();
  // Back from the load window without a game: the window is in front again.
  if (window.visible()) window.setTopMost(true);
}

bool StartupWindow::askWithoutTopMost(const std::string& title, const std::string& text,
                                      bool information) {
  window.setTopMost(false);
  const platform::MsgAnswer answer = player_.platform().messageBox(platform::MakeBox(
      title, text, information ? platform::MsgIcon::Information : platform::MsgIcon::Question,
      platform::MsgButtons::YesNo));
  if (answer == platform::MsgAnswer::Yes) return true;
  window.setTopMost(true);
  return false;
}

// Shell failures are of no consequence here: the player simply stays on this window.
void StartupWindow::txtEmail_Click() {
  const std::string& address = player_.settings.AuthorEmail;
  if (!askWithoutTopMost(player_.settings.GameTitle, player_.messages[13] + " " + address + " ?",
                         false)) {
    return;
  }
  try {
    player_.platform().shellOpen("mailto:" + address);
  } catch (const std::exception&) {
  }
}

void StartupWindow::txtHomepage_Click() {
  const std::string& address = player_.settings.AuthorWebSite;
  if (!askWithoutTopMost(player_.settings.GameTitle,
                         player_.messages[14] + " " + address + " ? " + player_.messages[15],
                         false)) {
    return;
  }
  try {
    player_.platform().shellOpen(address);
  } catch (const std::exception&) {
  }
}

void StartupWindow::imgLogo_Click() {
  const std::string text = std::string("For details and downloads, visit: ") + kHomePage +
                           "\r\n\r\nDo you want to visit it now? (You must be connected to the "
                           "Internet)";
  if (!askWithoutTopMost("Talewick", text, true)) return;
  try {
    player_.platform().shellOpen(kHomePage);
  } catch (const std::exception&) {
  }
}

// The offer's text toggles the box; the box itself toggles on its own. Either way the
// choice is kept for the next run of this game.
void StartupWindow::lblResolution_Click() {
  chkResolution.setValue(chkResolution.value() == platform::CheckBox::Checked
                             ? platform::CheckBox::Unchecked
                             : platform::CheckBox::Checked);
  storeResolutionChoice();
}

void StartupWindow::chkResolution_Click() {
  storeResolutionChoice();
}

// Without a ProjectId there is no section to keep it in (and none it would be read from).
void StartupWindow::storeResolutionChoice() {
  const std::string& section = player_.settings.ProjectId;
  if (section.empty()) return;
  try {
    player_.platform().settings().save(
        section, "ChangeResolution",
        chkResolution.value() == platform::CheckBox::Checked ? "1" : "0");
  } catch (const std::exception&) {
  }
}

}  // namespace tw
