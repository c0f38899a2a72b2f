// The start-up window's look: the plain look, a scheme's pictures and colours, and the
// background with its tiled picture (or built-in gradient) and the plates of text buttons.
//
// The plain look comes first, whatever the scheme, so a scheme that stops early (no file,
// no pictures, a damaged file, a picture that cannot be loaded) still leaves three working
// buttons. Colours a scheme does not set are chosen to stay readable on the colour it set.
#include <algorithm>
#include <cstdlib>
#include <exception>

#include "platform/Picture.h"
#include "platform/Units.h"
#include "project/DataFileLocator.h"
#include "project/Player.h"
#include "project/Scheme.h"
#include "project/StartupWindow.h"

namespace tw {

namespace {

using platform::Colour;
using platform::ColourFromRgb;

constexpr Colour kGradientTop = ColourFromRgb(24, 36, 74);
constexpr Colour kGradientBottom = ColourFromRgb(66, 40, 90);
constexpr Colour kDefaultTitle = ColourFromRgb(242, 210, 122);
constexpr Colour kDefaultText = ColourFromRgb(214, 222, 240);
constexpr Colour kDefaultButtonText = ColourFromRgb(255, 255, 255);

constexpr int kButtonMinWidth = 2400;  // twips
constexpr int kButtonPadding = 480;    // twips, left and right together

int Brightness(Colour c) {
  const platform::Rgb rgb = platform::ToRgb(c);
  return (rgb.r * 299 + rgb.g * 587 + rgb.b * 114) / 1000;
}

// The built-in colour when it reads well on the background, else black or white.
Colour ReadableOn(Colour background, Colour wanted) {
  if (std::abs(Brightness(background) - Brightness(wanted)) >= 96) return wanted;
  return Brightness(background) > 128 ? platform::kBlack : platform::kWhite;
}

// The file of a scheme picture: as named (any letter case), else under its coded extension.
std::string PicturePath(Player& player, const std::string& path) {
  if (!player.files.exists(path)) {
    const std::string coded = EncodedFileName(path);
    if (player.files.exists(coded)) return ResolvedPath(player, coded);
  }
  return ResolvedPath(player, path);
}

}  // namespace

void StartupWindow::fitButtonLabel(int i) {
  platform::Label& label = lblButton[i];
  label.setAutoSize(true);
  const int textWidth = label.width();
  label.setAutoSize(false);
  const int width = std::max(kButtonMinWidth, textWidth + kButtonPadding);
  label.move((kWidth - width) / 2, label.top(), width, label.height());
}

void StartupWindow::applyPlainLook() {
  backgroundTile_.reset();
  for (int i = 0; i < 3; ++i) {
    forgetButtonPicture(i);
    Img[i].setPicture(nullptr);
    Img[i].setVisible(false);
    lblButton[i].setCaption(player_.messages[i + 1]);
    fitButtonLabel(i);
    lblButton[i].setVisible(true);
  }
  Img[SchemeDescription::kBackgroundSlot].setPicture(nullptr);
  Img[SchemeDescription::kBackgroundSlot].setVisible(false);
}

// Pictures in slot order; false when one cannot be loaded, which ends the scheme there.
bool StartupWindow::applySchemePictures(const SchemeDescription& scheme,
                                        const std::string& folder) {
  for (std::size_t k = 0; k < scheme.pictures.size(); ++k) {
    platform::Image& img = Img[k];
    if (k < 3) forgetButtonPicture(static_cast<int>(k));
    if (scheme.pictures[k].empty()) {
      img.setPicture(nullptr);
      img.setVisible(false);
      continue;
    }
    try {
      img.setPicture(platform::Picture::load(PicturePath(player_, folder + scheme.pictures[k])));
    } catch (const std::exception&) {
      return false;
    }
    img.setVisible(true);
    if (k < 3) {
      img.move((kWidth - img.width()) / 2, kButtonTop[k]);
      keepButtonPicture(static_cast<int>(k));
    }
  }

  platform::Image& background = Img[SchemeDescription::kBackgroundSlot];
  background.setVisible(false);
  backgroundTile_ = background.picture();

  for (int i = 0; i < 3; ++i) {
    if (Img[i].picture() && Img[i].height() != 0) {
      lblButton[i].setVisible(false);  // the picture is the button
    } else {
      lblButton[i].setCaption(player_.messages[i + 1]);
      fitButtonLabel(i);
      lblButton[i].setVisible(true);
    }
  }
  return true;
}

void StartupWindow::applySchemeColours(const SchemeDescription& scheme) {
  if (scheme.windowColour) windowColour_ = scheme.windowColour;
  if (scheme.titleColour) titleColour_ = scheme.titleColour;
  if (scheme.textColour) textColour_ = scheme.textColour;
  if (scheme.buttonTextColour) buttonTextColour_ = scheme.buttonTextColour;
}

void StartupWindow::applyTextColours() {
  // Over the built-in gradient its middle decides what is readable.
  const Colour back =
      windowColour_.value_or(platform::MixColours(kGradientTop, kGradientBottom, 0.5));
  window.setBackColour(back);
  picBackground.setBackColour(back);
  chkResolution.setBackColour(back);
  txtAdventureName.setForeColour(titleColour_.value_or(ReadableOn(back, kDefaultTitle)));
  const Colour text = textColour_.value_or(ReadableOn(back, kDefaultText));
  for (platform::Label* label : {&lblResolution, &txtVersion, &lblAuthor, &lblEmail, &lblHomepage,
                                 &txtAuthor, &txtEmail, &txtHomepage}) {
    label->setForeColour(text);
  }
  const Colour buttons = buttonTextColour_.value_or(
      windowColour_ ? ReadableOn(back, kDefaultButtonText) : kDefaultButtonText);
  buttonInk_ = buttons;
  for (platform::Label& label : lblButton) label.setForeColour(buttons);
}

void StartupWindow::UseScheme(const std::string& name) {
  backgroundTile_.reset();
  windowColour_.reset();
  titleColour_.reset();
  textColour_.reset();
  buttonTextColour_.reset();
  txtAdventureName.setVisible(true);

  const SchemeDescription scheme = ReadScheme(player_, name);
  applyPlainLook();
  // Each part below is applied only when the file got that far.
  if (scheme.found && scheme.pictureCount && *scheme.pictureCount != 0 &&
      applySchemePictures(scheme, SchemeFolder(player_, name)) && scheme.colourFormat &&
      *scheme.colourFormat != 0) {
    applySchemeColours(scheme);
    if (scheme.titleShown) txtAdventureName.setVisible(*scheme.titleShown);
    if (scheme.logoStyle) player_.settings.SchemeLogoStyle = *scheme.logoStyle;
    if (scheme.logoAlternate) player_.settings.SchemeLogoAlternate = *scheme.logoAlternate;
  }
  applyTextColours();
  paintBackground();
}

// Background, from the back: the window colour (or the built-in gradient when no scheme
// colour is set), the tiled picture, then the buttons' plates and focus frame.
void StartupWindow::paintBackground() {
  picBackground.cls();
  const int width = platform::PixelsFromTwips(picBackground.width());
  const int height = platform::PixelsFromTwips(picBackground.height());
  if (backgroundTile_) {
    picBackground.tile(*backgroundTile_);
  } else if (!windowColour_) {
    for (int y = 0; y < height; ++y) {
      const double t = height > 1 ? static_cast<double>(y) / (height - 1) : 0.0;
      picBackground.fillRect(0, y, width, 1,
                             platform::MixColours(kGradientTop, kGradientBottom, t));
    }
  }
  paintButtons();
}

}  // namespace tw
