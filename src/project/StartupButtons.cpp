// The start-up window's buttons as a player meets them: their looks under the pointer and
// while held, the keyboard focus and the keys.
//
// A picture button's looks are made from its own picture: lighter under the pointer, and
// lighter and a pixel further right and down while held. A text button's picture is its plate
// and caption, lightened and moved alike. Held and dragged off, a button looks as at rest;
// released there, it does nothing (Window only clicks inside). Only shown buttons take the
// focus, and the focus frame is drawn around the focused one in the button text's colour, so
// a scheme's colours carry over to it.
#include <cstddef>

#include "platform/PictureLooks.h"
#include "platform/Platform.h"
#include "platform/Units.h"
#include "project/Player.h"
#include "project/StartupWindow.h"

namespace tw {

namespace {

using platform::Colour;
using platform::ColourFromRgb;

constexpr int kLitPercent = 25;         // plates and captions
constexpr int kLitPicturePercent = 50;  // pictures: their dark parts are lifted far less
constexpr int kPlatePadding = 6;        // pixels above and below the caption
constexpr int kFocusGap = 3;            // pixels between a button and its focus frame
constexpr Colour kDefaultPlate = ColourFromRgb(44, 62, 112);
constexpr Colour kDefaultPlateEdge = ColourFromRgb(201, 168, 90);

// Virtual-key codes.
constexpr int kTab = 9;
constexpr int kEnter = 13;
constexpr int kEscape = 27;
constexpr int kSpace = 32;
constexpr int kLeft = 37;
constexpr int kUp = 38;
constexpr int kRight = 39;
constexpr int kDown = 40;

Colour Lit(Colour colour) {
  return platform::MixColours(colour, platform::kWhite, kLitPercent / 100.0);
}

bool Inside(const platform::Element& e, const platform::MouseEvent& m) {
  return m.x >= 0 && m.y >= 0 && m.x < e.width() && m.y < e.height();
}

// A frame one pixel wide, drawn as four strips.
void Frame(platform::PictureBox& box, int x, int y, int w, int h, Colour colour) {
  box.fillRect(x, y, w, 1, colour);
  box.fillRect(x, y + h - 1, w, 1, colour);
  box.fillRect(x, y, 1, h, colour);
  box.fillRect(x + w - 1, y, 1, h, colour);
}

}  // namespace

void StartupWindow::wireButtons() {
  for (int i = 0; i < 3; ++i) {
    for (platform::Element* e : std::initializer_list<platform::Element*>{&lblButton[i], &Img[i]}) {
      e->onClick = [this, i](platform::Element&) { ClickButton(i); };
      e->onMouseDown = [this, i](platform::Element&, const platform::MouseEvent& m) {
        if (m.button != platform::kLeftButton) return;
        held_ = i;
        heldInside_ = true;
        hot_ = i;
        focused_ = i;
        refreshButtons();
      };
      // While held, the moves come here wherever the pointer is (the press captured them).
      e->onMouseMove = [this, i](platform::Element& self, const platform::MouseEvent& m) {
        const bool inside = Inside(self, m);
        if (held_ == i && heldInside_ != inside) {
          heldInside_ = inside;
          hot_ = inside ? i : -1;
          refreshButtons();
          return;
        }
        pointerOver(inside ? i : -1);
      };
      e->onMouseUp = [this](platform::Element&, const platform::MouseEvent&) {
        held_ = -1;
        refreshButtons();
      };
    }
  }
  for (platform::Element* other : std::initializer_list<platform::Element*>{
           &txtEmail, &txtHomepage, &lblResolution, &chkResolution, &imgLogo, &Img[3]}) {
    other->onMouseMove = [this](platform::Element&, const platform::MouseEvent&) {
      pointerOver(-1);
    };
  }
  window.onMouseLeave = [this](platform::Window&) { pointerOver(-1); };
}

void StartupWindow::keepButtonPicture(int i) {
  const std::shared_ptr<const platform::Picture> normal = Img[i].picture();
  if (!normal) return forgetButtonPicture(i);
  const auto lit = platform::LighterPicture(*normal, kLitPicturePercent);
  buttonPictures_[i] = {normal, lit, platform::ShiftedPicture(*lit, 1, 1)};
}

void StartupWindow::forgetButtonPicture(int i) {
  buttonPictures_[i] = {};
}

bool StartupWindow::buttonShown(int i) const {
  return (Img[i].visible() && Img[i].picture()) || lblButton[i].visible();
}

StartupWindow::ButtonLook StartupWindow::buttonLook(int index) const {
  if (held_ >= 0) {
    return held_ == index && heldInside_ ? ButtonLook::Pressed : ButtonLook::Normal;
  }
  return hot_ == index ? ButtonLook::Lit : ButtonLook::Normal;
}

int StartupWindow::focusedButton() const {
  if (buttonShown(focused_)) return focused_;
  for (int i = 0; i < 3; ++i) {
    if (buttonShown(i)) return i;
  }
  return 0;
}

void StartupWindow::pointerOver(int button) {
  if (hot_ == button) return;
  hot_ = button;
  refreshButtons();
  if (button >= 0) readButtonAloud(button);
}

// A picture button shows no caption; the message table's text says what it does either way.
void StartupWindow::readButtonAloud(int button) {
  player_.platform().readAloud(player_.messages[button + 1]);
}

void StartupWindow::forgetPointer() {
  hot_ = -1;
  held_ = -1;
  refreshButtons();
}

// Tab and the arrows go round the shown buttons.
void StartupWindow::moveFocus(int step) {
  int next = focusedButton();
  for (int k = 0; k < 3; ++k) {
    next = (next + step + 3) % 3;
    if (buttonShown(next)) break;
  }
  focused_ = next;
  refreshButtons();
  readButtonAloud(next);
}

void StartupWindow::Form_KeyDown(int keyCode, int shift) {
  // Keys held with Ctrl or Alt belong to the desktop and the player (Alt+Enter), not here.
  if ((shift & (platform::kCtrlMask | platform::kAltMask)) != 0) return;
  switch (keyCode) {
    case kEscape:
      ClickButton(2);
      break;
    case kTab:
      moveFocus((shift & platform::kShiftMask) != 0 ? -1 : 1);
      break;
    case kLeft:
    case kUp:
      moveFocus(-1);
      break;
    case kRight:
    case kDown:
      moveFocus(1);
      break;
    case kEnter:
    case kSpace:
      ClickButton(focusedButton());
      break;
    default:
      break;
  }
}

// Pictures and captions take the look each button has now; the plates and the focus frame
// are drawn with the background.
void StartupWindow::refreshButtons() {
  for (int i = 0; i < 3; ++i) {
    const ButtonLook look = buttonLook(i);
    if (buttonPictures_[i][0]) {
      Img[i].setPicture(buttonPictures_[i][static_cast<std::size_t>(look)]);
    }
    const bool down = look == ButtonLook::Pressed;
    if (down != labelDown_[i]) {
      const int step = (down ? 1 : -1) * platform::kTwipsPerPixel;
      lblButton[i].move(lblButton[i].left() + step, lblButton[i].top() + step);
      labelDown_[i] = down;
    }
    lblButton[i].setForeColour(look == ButtonLook::Normal ? buttonInk_ : Lit(buttonInk_));
  }
  paintBackground();
}

void StartupWindow::paintButtons() {
  // On a scheme's colour the plates are mixed from it and the button text colour.
  const Colour ink = buttonInk_;
  const Colour plate =
      windowColour_ ? platform::MixColours(*windowColour_, ink, 0.15) : kDefaultPlate;
  const Colour edge =
      windowColour_ ? platform::MixColours(*windowColour_, ink, 0.6) : kDefaultPlateEdge;
  for (int i = 0; i < 3; ++i) {
    const platform::Label& label = lblButton[i];
    if (!label.visible() || label.caption().empty()) continue;
    const bool lit = buttonLook(i) != ButtonLook::Normal;
    const int x = platform::PixelsFromTwips(label.left());
    const int y = platform::PixelsFromTwips(label.top()) - kPlatePadding;
    const int w = platform::PixelsFromTwips(label.width());
    const int h = platform::PixelsFromTwips(label.height()) + 2 * kPlatePadding;
    picBackground.fillRect(x, y, w, h, lit ? Lit(edge) : edge);
    picBackground.fillRect(x + 1, y + 1, w - 2, h - 2, lit ? Lit(plate) : plate);
  }

  // The focus frame stays where the button stands at rest.
  const int f = focusedButton();
  if (!buttonShown(f)) return;
  int x = 0, y = 0, w = 0, h = 0;
  if (Img[f].visible() && Img[f].picture()) {
    x = platform::PixelsFromTwips(Img[f].left());
    y = platform::PixelsFromTwips(Img[f].top());
    w = platform::PixelsFromTwips(Img[f].width());
    h = platform::PixelsFromTwips(Img[f].height());
  } else {
    const platform::Label& label = lblButton[f];
    const int down = labelDown_[f] ? 1 : 0;
    x = platform::PixelsFromTwips(label.left()) - down;
    y = platform::PixelsFromTwips(label.top()) - down - kPlatePadding;
    w = platform::PixelsFromTwips(label.width());
    h = platform::PixelsFromTwips(label.height()) + 2 * kPlatePadding;
  }
  Frame(picBackground, x - kFocusGap, y - kFocusGap, w + 2 * kFocusGap, h + 2 * kFocusGap, ink);
}

}  // namespace tw
