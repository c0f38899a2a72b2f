// StartupWindow: the first window of the program ("frmWelcome") — the game's title,
// version, author, e-mail and web site, the offer to switch the display to the game's
// resolution, the Start / Load / Exit buttons and the player's logo.
//
// A small frameless window, 4800 twips wide, top-most while it is shown; its height follows
// its rows (255 twips each from Y 3000, plus a 150 twips margin). A tiled picture box fills
// it from behind and carries the scheme's background (or the built-in gradient) and the
// plates of text buttons; every other element is placed directly in the window above it.
// The window leaves through hooks the program sets: startGame (create the main window,
// reset it, start a new game, show it), openLoadWindow (modal), closeProgram and
// recentreGameWindow (after a display-mode change). Nothing here knows the main window.
// Form_Load runs once per program run; afterwards the window is only hidden and shown.
//
// The buttons answer as buttons do: lighter under the pointer, lighter and a pixel lower
// and further right while held, and a keyboard focus (a frame in the button text's colour)
// that Tab, Shift+Tab and the arrow keys move and Enter or Space press. Esc is the Exit
// button's key.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/Colour.h"
#include "platform/Controls.h"
#include "platform/Image.h"
#include "platform/Label.h"
#include "platform/PictureBox.h"
#include "platform/Window.h"

namespace tw {

class Player;
struct SchemeDescription;

// The text of the display-mode offer: entry 7 without a trailing full stop and without a
// "640x480" / "640*480" / "640 x 480" / "640 * 480" it may end in (letter case of the x
// ignored), trailing blanks dropped, then " 640x480.", " 800x600." or " 1024x768." for
// GameResolution 0, 1 or 2 (nothing for other values).
std::string ResolutionOfferText(const std::string& entry7, std::int16_t gameResolution);

class StartupWindow {
 public:
  // Layout in twips.
  static constexpr int kWidth = 4800;
  static constexpr int kFirstRowY = 3000;
  static constexpr int kRowStep = 255;
  static constexpr int kBottomMargin = 150;
  static constexpr int kCheckBoxOffset = 45;
  static constexpr std::array<int, 3> kButtonTop{1080, 1560, 2040};
  static constexpr int kRaisedExitTop = 1560;
  static constexpr int kLogoRight = 120;  // gap between the logo and the right edge
  static constexpr int kLogoTop = 2520;
  static constexpr int kLogoTopAlternate = 2400;
  static constexpr const char* kHomePage = "https://talewick.example.org/";

  explicit StartupWindow(Player& player);
  StartupWindow(const StartupWindow&) = delete;
  StartupWindow& operator=(const StartupWindow&) = delete;

  // Initialises the project and fills and shows the window (or, with SkipStartupWindow,
  // starts the game at once without ever showing it). False when the program must end
  // (a start-up warning was refused); the window is then not shown.
  bool Form_Load();
  // 0 Start, 1 Load, 2 Exit; other indexes do nothing.
  void ClickButton(int index);
  // Dresses the window with the named scheme (the plain look when it has no "Scheme.txt").
  void UseScheme(const std::string& name);
  // Shows the window again (after the main window closed) and makes it top-most.
  void Show();
  // The window closes: hidden, and the program ends (closeProgram). Runs once.
  void Form_Unload();

  // --- hooks the program sets ----------------------------------------------------
  std::function<void()> startGame;
  std::function<void()> openLoadWindow;
  std::function<void()> closeProgram;
  std::function<void()> recentreGameWindow;

  // --- elements --------------------------------------------------------------------
  platform::Window window{"frmWelcome"};
  platform::PictureBox picBackground{"picBackground"};
  platform::Label txtAdventureName{"txtAdventureName"};
  platform::Label txtVersion{"txtVersion"};
  platform::Label lblAuthor{"lblAuthor"};
  platform::Label txtAuthor{"txtAuthor"};
  platform::Label lblEmail{"lblEmail"};
  platform::Label txtEmail{"txtEmail"};
  platform::Label lblHomepage{"lblHomepage"};
  platform::Label txtHomepage{"txtHomepage"};
  platform::CheckBox chkResolution{"chkResolution"};
  platform::Label lblResolution{"lblResolution"};
  std::array<platform::Label, 3> lblButton;
  std::array<platform::Image, 4> Img;
  platform::Image imgLogo{"imgLogo"};
  std::array<std::shared_ptr<const platform::Picture>, 4> imgLogos;

  // --- event handlers ----------------------------------------------------------------
  void txtEmail_Click();
  void txtHomepage_Click();
  void lblResolution_Click();
  void chkResolution_Click();
  void imgLogo_Click();
  void Form_KeyDown(int keyCode, int shift = 0);

  // The look each button has now (for tests and the painting of plates).
  enum class ButtonLook { Normal, Lit, Pressed };
  ButtonLook buttonLook(int index) const;
  // The button the keyboard acts on: the focused one, or the first shown.
  int focusedButton() const;

 private:
  void buildElements();
  void wireEvents();
  void makeDraggable(platform::Element& element);
  void centre();
  void fitBackground();
  void placeRow(platform::Label* caption, platform::Label& value, const std::string& text, int& y);
  void alignValues();
  void placeLogo();
  void hideLoadButton();

  // Scheme application and the look (StartupScheme.cpp).
  void applyPlainLook();
  void fitButtonLabel(int i);
  bool applySchemePictures(const SchemeDescription& scheme, const std::string& folder);
  void applySchemeColours(const SchemeDescription& scheme);
  void applyTextColours();
  void paintBackground();

  // Button looks and keyboard focus (StartupButtons.cpp).
  void wireButtons();
  void keepButtonPicture(int i);
  void forgetButtonPicture(int i);
  bool buttonShown(int i) const;
  void pointerOver(int button);
  // The button's text read aloud (Options > Read Messages Aloud) as it is pointed at or focused.
  void readButtonAloud(int button);
  void moveFocus(int step);
  void forgetPointer();
  void refreshButtons();
  void paintButtons();

  void startNewGame();
  void openLoad();
  void storeResolutionChoice();
  bool askWithoutTopMost(const std::string& title, const std::string& text, bool information);

  Player& player_;
  bool unloaded_ = false;
  // Drag of the whole window: the press point relative to the element pressed.
  bool dragging_ = false;
  int dragX_ = 0;
  int dragY_ = 0;
  // The look: the tiled background picture and the colours a scheme set.
  std::shared_ptr<const platform::Picture> backgroundTile_;
  std::optional<platform::Colour> windowColour_;
  std::optional<platform::Colour> titleColour_;
  std::optional<platform::Colour> textColour_;
  std::optional<platform::Colour> buttonTextColour_;
  platform::Colour buttonInk_ = platform::kWhite;  // the button texts' colour at rest
  // A picture button's looks, in ButtonLook order; empty for a text button.
  std::array<std::array<std::shared_ptr<const platform::Picture>, 3>, 3> buttonPictures_;
  int hot_ = -1;             // the button under the pointer
  int held_ = -1;            // the button pressed with the left button and not yet released
  bool heldInside_ = false;  // ... and the pointer is still over it
  int focused_ = 0;
  std::array<bool, 3> labelDown_{};  // a text button's caption moved down and right a pixel
};

}  // namespace tw
