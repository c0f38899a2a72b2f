// The start-up window's load: project start-up, then the window filled row by row.
//
// Rows of 255 twips start at Y 3000 below the title and the buttons: version, author,
// e-mail, web site (each only when its value is not empty) and the display-mode offer
// (only when the screen differs from the game's resolution and the game allows the offer).
// The window is then border + Y + 150 twips high. After the project is initialised a
// failing step is skipped and the next one runs; one error box at the end says so.
#include <algorithm>
#include <cctype>
#include <exception>
#include <functional>

#include "platform/Platform.h"
#include "platform/Settings.h"
#include "platform/Units.h"
#include "project/DisplayChecks.h"
#include "project/ErrorBoxes.h"
#include "project/InitializeProject.h"
#include "project/Player.h"
#include "project/StartupLogo.h"
#include "project/StartupWindow.h"

namespace tw {

namespace {

constexpr int kCaptionLeft = 360;
constexpr int kValueLeft = 1560;
constexpr int kValueGap = 120;
constexpr int kRightMargin = 240;
constexpr int kOfferLeft = 600;

bool EndsWith(const std::string& text, std::string_view tail, bool ignoreCase) {
  if (text.size() < tail.size()) return false;
  const std::string_view end = std::string_view(text).substr(text.size() - tail.size());
  for (std::size_t i = 0; i < tail.size(); ++i) {
    const char a = end[i];
    const char b = tail[i];
    if (ignoreCase ? std::tolower(static_cast<unsigned char>(a)) != b : a != b) return false;
  }
  return true;
}

}  // namespace

std::string ResolutionOfferText(const std::string& entry7, std::int16_t gameResolution) {
  std::string text = entry7;
  if (EndsWith(text, ".", false)) text.pop_back();
  if (EndsWith(text, "640x480", true) || EndsWith(text, "640*480", false)) {
    text.resize(text.size() - 7);
  }
  if (EndsWith(text, "640 x 480", true) || EndsWith(text, "640 * 480", false)) {
    text.resize(text.size() - 9);
  }
  while (!text.empty() && text.back() == ' ') text.pop_back();
  switch (gameResolution) {
    case 0:
      return text + " 640x480.";
    case 1:
      return text + " 800x600.";
    case 2:
      return text + " 1024x768.";
    default:
      return text;
  }
}

void StartupWindow::placeRow(platform::Label* caption, platform::Label& value,
                             const std::string& text, int& y) {
  if (text.empty()) {
    value.setCaption("");
    value.setVisible(false);
    if (caption) caption->setVisible(false);
    return;
  }
  value.setCaption(text);
  if (caption) {
    caption->setAutoSize(true);
    caption->move(kCaptionLeft, y);
    caption->setVisible(true);
    value.move(kValueLeft, y, kWidth - kValueLeft - kRightMargin, caption->height());
  } else {
    value.setAutoSize(true);
    value.move(kCaptionLeft, y);
  }
  value.setVisible(true);
  y += kRowStep;
}

// The values stand in one column just right of the widest caption, so translated captions
// of any length never run into them.
void StartupWindow::alignValues() {
  int left = kValueLeft;
  for (const platform::Label* caption : {&lblAuthor, &lblEmail, &lblHomepage}) {
    if (caption->visible()) left = std::max(left, caption->left() + caption->width() + kValueGap);
  }
  left = std::min(left, kWidth / 2);
  for (platform::Label* value : {&txtAuthor, &txtEmail, &txtHomepage}) {
    value->setAutoSize(false);
    value->move(left, value->top(), kWidth - left - kRightMargin,
                platform::MeasureText(value->font(), "Ag").height * platform::kTwipsPerPixel);
  }
}

void StartupWindow::hideLoadButton() {
  lblButton[1].setVisible(false);
  lblButton[2].setTop(kRaisedExitTop);
  // The Exit picture moves with its caption into the place of a hidden Load picture, so a
  // picture scheme keeps no gap either.
  if (!Img[1].visible()) Img[2].setTop(kRaisedExitTop);
}

// The logo sits at the right end of the band between the buttons and the first row, where
// it is always inside the window; the alternate placement is 120 twips higher.
void StartupWindow::placeLogo() {
  const ProjectSettings& s = player_.settings;
  imgLogo.setPicture(imgLogos[LogoVariant(s.SchemeLogoStyle, s.SchemeLogoAlternate)]);
  imgLogo.move(kWidth - imgLogo.width() - kLogoRight,
               s.SchemeLogoAlternate ? kLogoTopAlternate : kLogoTop);
}

bool StartupWindow::Form_Load() {
  window.setWidth(kWidth);
  centre();
  if (!InitializeProject(player_)) return false;

  bool failed = false;
  auto step = [&failed](const std::function<void()>& body) {
    try {
      body();
    } catch (const std::exception&) {
      failed = true;
    }
  };
  const ProjectSettings& s = player_.settings;
  const MessageTable& m = player_.messages;

  if (s.SkipStartupWindow) {
    window.setVisible(false);
    ClickButton(0);
    return true;
  }

  step([&] {
    if (s.ProjectId.empty()) return;
    const std::string stored =
        player_.platform().settings().get(s.ProjectId, "ChangeResolution", "1");
    chkResolution.setValue(stored == "0" ? platform::CheckBox::Unchecked
                                         : platform::CheckBox::Checked);
  });

  const int border = window.height() - window.scaleHeight();
  int y = kFirstRowY;
  step([&] { txtAdventureName.setCaption(s.GameTitle); });
  step([&] { placeRow(nullptr, txtVersion, s.GameVersion, y); });
  step([&] { placeRow(&lblAuthor, txtAuthor, s.AuthorName, y); });
  step([&] { placeRow(&lblEmail, txtEmail, s.AuthorEmail, y); });
  step([&] { placeRow(&lblHomepage, txtHomepage, s.AuthorWebSite, y); });
  step([&] {
    const bool offer = !DisplayMatchesGameResolution(player_) && s.ResolutionChangeMode == 1;
    chkResolution.setVisible(offer);
    lblResolution.setVisible(offer);
    if (!offer) return;
    chkResolution.setTop(y + kCheckBoxOffset);
    lblResolution.move(
        kOfferLeft, y, kWidth - kOfferLeft - kRightMargin / 2,
        platform::MeasureText(lblResolution.font(), "Ag").height * platform::kTwipsPerPixel);
    y += kRowStep;
  });
  step([&] {
    window.setHeight(border + y + kBottomMargin);
    centre();
    fitBackground();
  });
  step([&] { UseScheme(s.SchemeName); });
  step([&] {
    lblAuthor.setCaption(m[4]);
    lblEmail.setCaption(m[5]);
    lblHomepage.setCaption(m[6]);
    alignValues();
  });
  step([&] { lblResolution.setCaption(ResolutionOfferText(m[7], s.GameResolution)); });
  step([&] {
    if (s.DisableLoadGame) {
      Img[1].setVisible(false);
      hideLoadButton();
    }
    if (lblButton[1].caption().empty()) hideLoadButton();
  });
  step([&] {
    imgLogo.setVisible(!s.HideToolLogo);
    if (!s.HideToolLogo) imgLogo.bringToFront();
    placeLogo();
  });
  // Text buttons get their plates where they finally stand.
  step([&] { paintBackground(); });

  if (failed) ShowStandardError(player_, " Error loading project information.");
  Show();
  return true;
}

}  // namespace tw
