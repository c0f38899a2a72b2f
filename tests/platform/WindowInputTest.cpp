// Window input: mouse capture and clicks, elements unloaded by their own handlers, drag and
// drop, keys, pointers and closing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/ElementArray.h"
#include "platform/Image.h"
#include "platform/Picture.h"
#include "platform/PictureBox.h"
#include "platform/Window.h"

namespace tw::platform {
namespace {

struct InputFixture : ::testing::Test {
  Window window{"Game"};
  PictureBox box{"PictureBox"};
  ElementArray<Image> items{"PickedObject"};
  std::vector<std::string> log;

  InputFixture() {
    window.move(0, 0, 9600, 7200);
    window.add(box);
    box.move(1500, 1500, 6000, 4500);
    box.add(items.templ());
    items.templ().onMouseDown = [this](Element& e, const MouseEvent& m) {
      log.push_back("down" + std::to_string(e.index()) + "@" + std::to_string(m.x) + "," +
                    std::to_string(m.y) + " b" + std::to_string(m.button));
    };
    items.templ().onMouseUp = [this](Element& e, const MouseEvent&) {
      log.push_back("up" + std::to_string(e.index()));
    };
    items.templ().onClick = [this](Element& e) {
      log.push_back("click" + std::to_string(e.index()));
    };
    window.onMouseDown = [this](Element&, const MouseEvent& m) {
      log.push_back("form@" + std::to_string(m.x) + "," + std::to_string(m.y));
    };
  }
  Image& item(int i, int left) {
    Image& e = items.load(i);
    e.move(left, 150, 480, 480);
    e.setVisible(true);
    return e;
  }
};

TEST_F(InputFixture, PressReleaseInsideGivesDownUpClickWithRelativeCoordinates) {
  item(1, 150);
  window.dispatchMouseDown(kLeftButton, 0, 1500 + 150 + 30, 1500 + 150 + 45);
  window.dispatchMouseUp(kLeftButton, 0, 1500 + 150 + 30, 1500 + 150 + 45);
  EXPECT_EQ(log, (std::vector<std::string>{"down1@30,45 b1", "up1", "click1"}));
}

TEST_F(InputFixture, ReleaseGoesToThePressedElementButOutsideItIsNoClick) {
  item(1, 150);
  item(2, 1500);
  window.dispatchMouseDown(kRightButton, 0, 1500 + 200, 1500 + 200);
  window.dispatchMouseUp(kRightButton, 0, 1500 + 1600, 1500 + 200);  // over item 2
  EXPECT_EQ(log, (std::vector<std::string>{"down1@50,50 b2", "up1"}));
}

TEST_F(InputFixture, BackgroundPressGoesToTheWindow) {
  window.dispatchMouseDown(kLeftButton, 0, 45, 60);
  EXPECT_EQ(log, (std::vector<std::string>{"form@45,60"}));
}

TEST_F(InputFixture, ElementUnloadedByItsOwnHandlerIsForgotten) {
  item(1, 150);
  // A hotspot whose click changes the frame: its own mouse-down removes it.
  items.templ().onMouseDown = [this](Element& e, const MouseEvent&) {
    log.push_back("down");
    items.unload(e.index());
  };
  items[1].onMouseDown = items.templ().onMouseDown;
  window.dispatchMouseDown(kLeftButton, 0, 1500 + 200, 1500 + 200);
  window.dispatchMouseMove(kLeftButton, 0, 1500 + 210, 1500 + 200);
  window.dispatchMouseUp(kLeftButton, 0, 1500 + 200, 1500 + 200);
  EXPECT_EQ(log, (std::vector<std::string>{"down"}));
  EXPECT_FALSE(items.exists(1));
}

TEST_F(InputFixture, DraggedItemDropsOnTheElementUnderThePointer) {
  auto icon = Picture::solid(32, 32, kWhite);
  Image& a = item(1, 150);
  Image& b = item(2, 1500);
  a.setDragIcon(icon);
  std::vector<std::string> drops;
  items.templ().onMouseDown = [](Element& e, const MouseEvent& m) {
    if (m.button == kLeftButton) e.beginDrag();
  };
  a.onMouseDown = b.onMouseDown = items.templ().onMouseDown;
  a.onDragDrop = b.onDragDrop = [&](Element& target, Element& source, int x, int y) {
    drops.push_back(std::to_string(source.index()) + "->" + std::to_string(target.index()) + "@" +
                    std::to_string(x) + "," + std::to_string(y));
  };
  window.dispatchMouseDown(kLeftButton, 0, 1500 + 200, 1500 + 200);
  EXPECT_EQ(window.dragSource(), &a);
  EXPECT_EQ(window.pointerAt(1500 + 1600, 1500 + 200).picture, icon);
  window.dispatchMouseMove(kLeftButton, 0, 1500 + 1600, 1500 + 200);  // no move events
  window.dispatchMouseUp(kLeftButton, 0, 1500 + 1600, 1500 + 210);
  EXPECT_EQ(drops, std::vector<std::string>{"1->2@100,60"});
  EXPECT_EQ(window.dragSource(), nullptr);
  // Dropped on itself: the target is the dragged element (the game ignores that case).
  window.dispatchMouseDown(kLeftButton, 0, 1500 + 200, 1500 + 200);
  window.dispatchMouseUp(kLeftButton, 0, 1500 + 200, 1500 + 200);
  EXPECT_EQ(drops.back(), "1->1@50,50");
  // A source unloaded during the drag drops nothing.
  window.dispatchMouseDown(kLeftButton, 0, 1500 + 200, 1500 + 200);
  items.unload(1);
  EXPECT_FALSE(window.dropAt(1500 + 1600, 1500 + 200));
  EXPECT_EQ(drops.size(), 2u);
}

TEST_F(InputFixture, CheckBoxTogglesBeforeItsClickHandler) {
  CheckBox check;
  window.add(check);
  check.move(0, 0, 300, 300);
  check.setValue(CheckBox::Checked);
  CheckBox::Value seen = CheckBox::Grayed;
  check.onClick = [&](Element& e) { seen = static_cast<CheckBox&>(e).value(); };
  window.dispatchMouseDown(kLeftButton, 0, 10, 10);
  window.dispatchMouseUp(kLeftButton, 0, 10, 10);
  EXPECT_EQ(seen, CheckBox::Unchecked);
}

TEST_F(InputFixture, DoubleClickReplacesTheSecondPressAndGivesNoSecondClick) {
  Image& e = item(1, 150);
  e.onDblClick = [this](Element&) { log.push_back("dbl"); };
  int x = 1500 + 200, y = 1500 + 200;
  window.dispatchMouseDown(kLeftButton, 0, x, y);
  window.dispatchMouseUp(kLeftButton, 0, x, y);
  window.dispatchDoubleClick(kLeftButton, 0, x, y);
  window.dispatchMouseUp(kLeftButton, 0, x, y);
  EXPECT_EQ(log, (std::vector<std::string>{"down1@50,50 b1", "up1", "click1", "dbl", "up1"}));
}

TEST_F(InputFixture, DisabledWindowTakesNoInputAndKeysReachTheHandler) {
  item(1, 150);
  std::vector<int> keys;
  window.onKeyDown = [&](Window&, int key, int shift) { keys.push_back(key * 10 + shift); };
  window.dispatchKeyDown(27, 0);
  window.dispatchKeyDown(83, kShiftMask);
  window.setEnabled(false);
  window.dispatchKeyDown(81, 0);
  window.dispatchMouseDown(kLeftButton, 0, 1500 + 200, 1500 + 200);
  EXPECT_EQ(keys, (std::vector<int>{270, 831}));
  EXPECT_TRUE(log.empty());
}

TEST_F(InputFixture, PointerOfTheElementUnderThePoint) {
  auto cur = Picture::solid(16, 16, kBlack);
  Image& e = item(1, 150);
  e.setPointer({PointerShape::Custom, cur});
  window.setPointer({PointerShape::Arrow, nullptr});
  EXPECT_EQ(window.pointerAt(1500 + 200, 1500 + 200).picture, cur);
  EXPECT_EQ(window.pointerAt(10, 10).shape, PointerShape::Arrow);
  // Pressed on the element, the pointer stays its own while the button is held; a press whose
  // release never came (a box took it) leaves the pointer to what is under it.
  window.dispatchMouseDown(kLeftButton, 0, 1500 + 200, 1500 + 200);
  EXPECT_EQ(window.pointerAt(10, 10, true).picture, cur);
  EXPECT_EQ(window.pointerAt(10, 10).shape, PointerShape::Arrow);
}

TEST_F(InputFixture, CloseRequestHidesUnlessTheWindowHandlesIt) {
  window.setVisible(true);
  window.requestClose();
  EXPECT_FALSE(window.visible());
  window.setVisible(true);
  int asked = 0;
  window.onCloseRequest = [&](Window&) { ++asked; };
  window.requestClose();
  EXPECT_TRUE(window.visible());
  EXPECT_EQ(asked, 1);
}

}  // namespace
}  // namespace tw::platform
