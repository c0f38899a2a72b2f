// The start-up window's elements, their events, moving the window by dragging, showing and
// closing it.
#include "project/StartupWindow.h"

#include "platform/Platform.h"
#include "project/DisplayChecks.h"
#include "project/Player.h"
#include "project/ReadAloudSetting.h"
#include "project/TextSizeSetting.h"
#include "project/StartupLogo.h"

namespace tw {

namespace {

platform::Font TextFont() {
  return platform::Font{.name = "Arial", .size = 9};
}

}  // namespace

StartupWindow::StartupWindow(Player& player) : player_(player) {
  buildElements();
  wireEvents();
}

void StartupWindow::buildElements() {
  window.setWindowed(false);  // a bare panel of its own size, no caption bar
  window.setVisible(false);   // shown by Form_Load, never when the game skips this window
  window.move(0, 0, kWidth, kFirstRowY + kBottomMargin);

  // The background picture box spans the window; pictures and texts lie on its surface,
  // the check box (a windowed control) above it.
  picBackground.setAutoRedraw(true);
  window.add(picBackground);
  for (int i = 0; i < static_cast<int>(Img.size()); ++i) {
    Img[i].setName("Img");
    Img[i].setIndex(i);
    Img[i].setVisible(false);
    picBackground.add(Img[i]);
  }

  txtAdventureName.setFont(
      platform::Font{.name = "Times New Roman", .size = 18, .bold = true, .italic = true});
  txtAdventureName.setAlignment(platform::Alignment::Center);
  txtAdventureName.setWordWrap(true);
  txtAdventureName.move(120, 240, kWidth - 240, 0);
  txtAdventureName.setAutoSize(true);

  for (platform::Label* label : {&txtAdventureName, &txtVersion, &lblAuthor, &txtAuthor, &lblEmail,
                                 &txtEmail, &lblHomepage, &txtHomepage, &lblResolution}) {
    label->setTransparent(true);
    if (label != &txtAdventureName) label->setFont(TextFont());
    picBackground.add(*label);
  }
  // The two addresses can be clicked: they look like links.
  platform::Font link = TextFont();
  link.underline = true;
  txtEmail.setFont(link);
  txtHomepage.setFont(link);
  for (platform::Label* row : {&txtVersion, &lblAuthor, &txtAuthor, &lblEmail, &txtEmail,
                               &lblHomepage, &txtHomepage, &lblResolution}) {
    row->setVisible(false);
  }

  chkResolution.setValue(platform::CheckBox::Checked);
  chkResolution.move(360, 0, 195, 195);
  chkResolution.setVisible(false);
  window.add(chkResolution);

  for (int i = 0; i < static_cast<int>(lblButton.size()); ++i) {
    lblButton[i].setName("lblButton");
    lblButton[i].setIndex(i);
    lblButton[i].setTransparent(true);
    lblButton[i].setFont(platform::Font{.name = "Arial", .size = 10, .bold = true});
    lblButton[i].setAlignment(platform::Alignment::Center);
    lblButton[i].setTop(kButtonTop[i]);
    picBackground.add(lblButton[i]);
  }

  imgLogos = DrawLogoVariants();
  imgLogo.setPicture(imgLogos[0]);
  picBackground.add(imgLogo);
}

void StartupWindow::wireEvents() {
  wireButtons();
  txtEmail.onClick = [this](platform::Element&) { txtEmail_Click(); };
  txtHomepage.onClick = [this](platform::Element&) { txtHomepage_Click(); };
  lblResolution.onClick = [this](platform::Element&) { lblResolution_Click(); };
  chkResolution.onClick = [this](platform::Element&) { chkResolution_Click(); };
  imgLogo.onClick = [this](platform::Element&) { imgLogo_Click(); };
  window.onKeyDown = [this](platform::Window&, int key, int shift) { Form_KeyDown(key, shift); };
  window.onCloseRequest = [this](platform::Window&) { Form_Unload(); };

  // The window has no caption bar; its background and plain texts serve as one.
  for (platform::Element* handle : std::initializer_list<platform::Element*>{
           &window, &picBackground, &txtAdventureName, &txtVersion, &lblAuthor, &txtAuthor,
           &lblEmail, &lblHomepage}) {
    makeDraggable(*handle);
  }
}

// The press point is remembered relative to the element; every move with the left button
// held shifts the window by the distance from that point, which brings the point back under
// the pointer.
void StartupWindow::makeDraggable(platform::Element& element) {
  element.onMouseDown = [this](platform::Element&, const platform::MouseEvent& e) {
    dragging_ = e.button == platform::kLeftButton;
    dragX_ = e.x;
    dragY_ = e.y;
  };
  element.onMouseMove = [this](platform::Element&, const platform::MouseEvent& e) {
    pointerOver(-1);
    if (!dragging_ || (e.button & platform::kLeftButton) == 0) return;
    window.move(window.left() + e.x - dragX_, window.top() + e.y - dragY_);
  };
  element.onMouseUp = [this](platform::Element&, const platform::MouseEvent&) {
    dragging_ = false;
  };
}

void StartupWindow::centre() {
  window.move(ScreenWidthTwips(player_.platform()) / 2 - window.width() / 2,
              ScreenHeightTwips(player_.platform()) / 2 - window.height() / 2);
}

void StartupWindow::fitBackground() {
  picBackground.move(0, 0, window.scaleWidth(), window.scaleHeight());
}

void StartupWindow::Show() {
  if (unloaded_) return;
  forgetPointer();
  window.setTopMost(true);
  player_.platform().setReadingAloud(ReadAloudChosen(player_));
  player_.platform().setTextScale(TextSizeChosen(player_));
  player_.platform().showWindow(window);
}

void StartupWindow::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  window.setVisible(false);
  if (closeProgram) closeProgram();
}

}  // namespace tw
