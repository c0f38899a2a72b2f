// The inventory: pick-ups, the icon layout, removal, combinations, the sliding bar.
#include <gtest/gtest.h>

#include "../frames/GameFixture.h"
#include "platform/Picture.h"

namespace tw::test {
namespace {

class InventoryTest : public GameFixture {
 protected:
  void SetUp() override {
    general();
    t.game.writeVariables({"Used"});
    WriteFrame(t.game, "Room", {}, 2);
    WriteFrame(t.game, "Next", {});
    WriteHotspot(t.game, "Room", 1, {.left = 100, .top = 200, .width = 50, .height = 50});
    WriteHotspot(t.game, "Room", 2, {.left = 300, .top = 200, .width = 50, .height = 50});
    platform::Picture::solid(32, 32, 0x00AAFF)->saveBmp(t.game.file("Areas/icon.bmp"));
    for (const char* item : {"Key", "Rope", "Hook", "Grapnel", "Lamp"}) {
      t.game.writeLines(std::string("Areas/") + item + ".obj", {Quoted("icon.bmp")});
    }
  }
  // "General" with the inventory settings of a test: 640 pixels, spacing 10.
  void general(bool slideOpen = true, bool slideClose = true, bool popUp = true,
               bool useBar = true, const std::string& spacingX = "10",
               const std::string& spacingY = "10") {
    std::vector<std::string> f = FullGeneralFields();
    f[4] = Quoted("Room");
    f[24] = spacingX;
    f[25] = spacingY;
    f[26] = useBar ? "#TRUE#" : "#FALSE#";
    f[27] = slideOpen ? "#TRUE#" : "#FALSE#";
    f[28] = slideClose ? "#TRUE#" : "#FALSE#";
    f[29] = "#TRUE#";  // hide the button when empty
    f[30] = popUp ? "#TRUE#" : "#FALSE#";
    f[31] = "#FALSE#";
    f[37] = Quoted("DEFAULT");
    f[40] = "#TRUE#";
    t.game.writeGeneral(f);
  }
  std::vector<std::string> items() {
    std::vector<std::string> names;
    for (std::int16_t i = 1; i <= game->ObjectsCount; ++i) names.push_back(game->PickedObjectName(i));
    return names;
  }
  bool barOpen() const { return game->Inventory1.top() >= 0; }
  bool barClosed() const { return game->Inventory1.top() <= -game->Inventory1.height(); }
};

using Names = std::vector<std::string>;

TEST_F(InventoryTest, IconsFillRowsOfFifteenAndTheBarGrows) {
  startGame();
  EXPECT_EQ(game->Inventory1.height(), (2 * 10 + 32) * 15);
  EXPECT_TRUE(barClosed());
  EXPECT_FALSE(game->Inventory2.visible());  // hidden while empty
  for (int i = 0; i < 16; ++i) game->AddPickedObject("Key", true);
  EXPECT_EQ(game->ObjectsCount, 16);
  const platform::Image& first = game->PickedObject[1];
  EXPECT_EQ(first.left(), 10 * 15);
  EXPECT_EQ(first.top(), 10 * 15);
  EXPECT_EQ(game->PickedObject[15].left(), (10 + 14 * 42) * 15);
  const platform::Image& sixteenth = game->PickedObject[16];
  EXPECT_EQ(sixteenth.left(), 10 * 15);
  EXPECT_EQ(sixteenth.top(), 52 * 15);
  EXPECT_EQ(game->Inventory1.height(), 94 * 15);
  EXPECT_EQ(sixteenth.tag(), "Key");
  EXPECT_EQ(sixteenth.toolTip(), "Key");
  EXPECT_TRUE(sixteenth.dragIcon());
  EXPECT_TRUE(game->Inventory2.visible());
  EXPECT_TRUE(barClosed());  // no pop-up was asked for
}

TEST_F(InventoryTest, RemovingMovesTheLaterItemsForward) {
  startGame();
  for (const char* item : {"Key", "Rope", "Hook"}) game->AddPickedObject(item, true);
  game->RemovePickedObject(1);
  EXPECT_EQ(items(), (Names{"Rope", "Hook"}));
  EXPECT_FALSE(game->PickedObject.exists(3));
  EXPECT_EQ(game->PickedObject[1].left(), 10 * 15);  // elements keep their places
  game->RemovePickedObject(2);
  game->RemovePickedObject(1);
  EXPECT_EQ(game->ObjectsCount, 0);
  EXPECT_EQ(game->Inventory1.height(), 52 * 15);  // left as it was
  EXPECT_FALSE(game->Inventory2.visible());
  game->RemovePickedObject(1);  // nothing there: the box, nothing else
  ASSERT_EQ(t.boxes().size(), 1u);
  EXPECT_NE(t.boxes()[0].text.find(" Unable to remove the item from the inventory."),
            std::string::npos);
}

TEST_F(InventoryTest, UnreadableItemsAreNotAddedAndTheListStaysWhole) {
  platform::Picture::solid(4, 4, 0)->saveBmp(t.game.file("Areas/tiny.bmp"));
  t.game.writeLines("Areas/Broken.obj", {Quoted("missing.ico")});
  t.game.write("Areas/Noise.obj", "\"noise.ico\"");
  t.game.write("Areas/noise.ico", std::string("\x00\x00\x01\x00garbage", 11));
  t.game.writeLines("Areas/Odd name, with ä.obj", {Quoted("tiny.bmp")});
  startGame();
  game->AddPickedObject("Key", true);
  game->AddPickedObject("Nothing", true);  // no item file
  game->AddPickedObject("Broken", true);   // its icon is missing (a warning, then the box)
  game->AddPickedObject("Noise", true);    // its icon is damaged
  game->AddPickedObject("Odd name, with ä", true);
  EXPECT_EQ(items(), (Names{"Key", "Odd name, with ä"}));
  std::vector<std::string> pickUpBoxes;
  for (const auto& box : t.boxes()) {
    if (box.text.find("Unable to pick up") != std::string::npos) pickUpBoxes.push_back(box.text);
  }
  ASSERT_EQ(pickUpBoxes.size(), 3u);
  EXPECT_NE(pickUpBoxes[0].find(" Unable to pick up the item named 'Nothing'. The item may be "
                                "unavailable, or the icon '' associated to the item may be "
                                "corrupt."),
            std::string::npos);
  EXPECT_NE(pickUpBoxes[1].find("the icon 'missing.ico'"), std::string::npos);
}

TEST_F(InventoryTest, ThousandsOfPickUpsStopAtTheSixteenBitLimit) {
  startGame();
  for (int i = 0; i < 32767 + 5; ++i) game->AddPickedObject("Key", true);
  EXPECT_EQ(game->ObjectsCount, 32767);
  EXPECT_EQ(t.boxes().size(), 5u);
  EXPECT_EQ(game->PickedObjectName(32767), "Key");
}

TEST_F(InventoryTest, HotspotsGiveTheirItem) {
  t.game.writeLines("Areas/Room/1c.dat", {"1", Quoted("Rope"), "0", "0", "40"});
  t.game.writeLines("Areas/Room/2c.dat", {"0", Quoted("Hook")});  // short: still loads
  startGame();
  click(110, 210);
  click(310, 210);
  EXPECT_EQ(items(), Names{"Rope"});
}

TEST_F(InventoryTest, PickUpHoldsTheBarOpenForTwoSeconds) {
  startGame();
  game->AddPickedObject("Key", false);
  EXPECT_TRUE(barOpen());
  game->GameArea_MouseMove();  // the pointer over the game: held open, so it stays
  EXPECT_TRUE(barOpen());
  t.platform.advance(2000);    // the timer slides it up
  EXPECT_TRUE(barClosed());
  EXPECT_FALSE(game->InventoryHeldOpen);
  // The pointer resting on the bar when the two seconds end keeps it open, until it leaves.
  game->AddPickedObject("Rope", false);
  const auto moveTo = [&](int x, int y) {
    game->window.dispatchMouseMove(0, 0, game->PictureBox.left() + x * 15,
                                   game->PictureBox.top() + y * 15);
  };
  moveTo(320, 20);
  t.platform.advance(2500);
  EXPECT_TRUE(barOpen());
  moveTo(320, 300);
  t.platform.advance(1000);
  EXPECT_TRUE(barClosed());
}

TEST_F(InventoryTest, WithoutSlidingTheBarJumps) {
  general(false, false);
  startGame();
  const std::int64_t before = t.platform.clockMs();
  game->InventoryPointerOver();
  EXPECT_TRUE(barOpen());
  EXPECT_LE(t.platform.clockMs() - before, 1);
  game->GameArea_MouseMove();
  EXPECT_TRUE(barClosed());
}

TEST_F(InventoryTest, SlideTakesAboutAThirdOfASecondAndReversesMidway) {
  startGame();
  const std::int64_t start = t.platform.clockMs();
  game->InventoryPointerOver();
  const std::int64_t took = t.platform.clockMs() - start;
  EXPECT_GE(took, 200);
  EXPECT_LE(took, 450);
  EXPECT_TRUE(barOpen());

  // Halfway up, the pointer comes back over the button: the bar goes down again.
  int passes = 0;
  t.platform.setInputHook([&](const platform::HeadlessPlatform::Wait& wait) {
    if (wait.kind == platform::HeadlessPlatform::WaitKind::ProcessEvents && ++passes == 100) {
      game->InventoryPointerOver();
    }
    return false;
  });
  game->GameArea_MouseMove();
  t.platform.setInputHook(nullptr);
  EXPECT_TRUE(barOpen());
  EXPECT_GE(passes, 100);
}

TEST_F(InventoryTest, FrameTimerWaitsForTheSlidingBar) {
  WriteFrame(t.game, "Timed", {.timerOn = true, .timerDelay = "0.05", .timerTarget = "Next"});
  startGame();
  game->OpenFrame("Timed", false, 0, 0);
  game->InventoryPointerOver();  // 300 ms of sliding: the timer fires meanwhile and waits
  EXPECT_EQ(frame(), "Timed");
  t.platform.advance(1000);
  EXPECT_EQ(frame(), "Next");
}

TEST_F(InventoryTest, CombinationsRemoveInTheRightOrderAndGiveItems) {
  t.game.writeLines("Areas/Hook_on_Rope.drg", {"1", "1", "1", Quoted("Grapnel")});
  t.game.writeLines("Areas/Key_on_Lamp.drg", {"0", "0", "1", Quoted("Hook"), "0", "0", "0",
                                              "#FALSE#", Quoted("")});
  startGame();
  for (const char* item : {"Key", "Hook", "Lamp", "Rope"}) game->AddPickedObject(item, true);
  // Hook (2) on Rope (4): Hook goes from 2, Rope then from 3.
  game->PickedObject_MouseDown(2, {.button = platform::kLeftButton});
  game->PickedObject_DragDrop(4, game->PickedObject[2]);
  EXPECT_EQ(items(), (Names{"Key", "Lamp", "Grapnel"}));
  // Removes nothing, gives an item; the lookup is one way only.
  game->DraggedItemIndex = 1;
  game->PickedObject_DragDrop(2, game->PickedObject[1]);
  EXPECT_EQ(items(), (Names{"Key", "Lamp", "Grapnel", "Hook"}));
  game->DraggedItemIndex = 2;
  game->PickedObject_DragDrop(1, game->PickedObject[2]);  // no Lamp_on_Key
  game->DraggedItemIndex = 3;
  game->PickedObject_DragDrop(3, game->PickedObject[3]);  // on itself
  EXPECT_EQ(items(), (Names{"Key", "Lamp", "Grapnel", "Hook"}));
  EXPECT_TRUE(t.boxes().empty());
}

TEST_F(InventoryTest, ItemsDroppedOnHotspotsRunTheirItemAction) {
  t.game.writeLines("Areas/Room/1_Key.drg",
                    ActionFields({.variable = "Used", .setOne = true, .disappear = true}));
  startGame();
  game->AddPickedObject("Rope", true);
  game->AddPickedObject("Key", true);
  game->PickedObject_MouseDown(2, {.button = platform::kLeftButton});
  ASSERT_TRUE(game->window.dragSource());
  game->window.dropAt(game->PictureBox.left() + 120 * 15, game->PictureBox.top() + 220 * 15);
  EXPECT_EQ(value("Used"), 1);
  EXPECT_EQ(items(), Names{"Rope"});  // used up
  EXPECT_EQ(game->LastClickX, 120);
  EXPECT_EQ(game->LastClickY, 220);
  // Rope on the same hotspot has no action; on the background nothing at all.
  game->PickedObject_MouseDown(1, {.button = platform::kLeftButton});
  game->window.dropAt(game->PictureBox.left() + 120 * 15, game->PictureBox.top() + 220 * 15);
  game->PickedObject_MouseDown(1, {.button = platform::kLeftButton});
  game->window.dropAt(game->PictureBox.left() + 600 * 15, game->PictureBox.top() + 400 * 15);
  EXPECT_EQ(items(), Names{"Rope"});
  EXPECT_TRUE(t.boxes().empty());
}

// After a drop the bar is still open (a drag raises no pointer moves); the first move into
// the game slides it away, and a click during that slide must still act once it has closed.
TEST_F(InventoryTest, AClickWhileTheBarSlidesAwayAfterADropStillActs) {
  WriteAction(t.game, "Room", 2, {.goTo = "Next"});
  startGame();
  game->AddPickedObject("Key", true);
  game->InventoryPointerOver();
  ASSERT_TRUE(barOpen());
  game->PickedObject_MouseDown(1, {.button = platform::kLeftButton});
  game->window.dropAt(game->PictureBox.left() + 600 * 15, game->PictureBox.top() + 400 * 15);
  ASSERT_TRUE(barOpen());

  int passes = 0;
  bool clickedWhileMoving = false;
  t.platform.setInputHook([&](const platform::HeadlessPlatform::Wait& wait) {
    if (wait.kind == platform::HeadlessPlatform::WaitKind::ProcessEvents && ++passes == 30) {
      clickedWhileMoving = game->InventoryMoving;
      click(320, 220);  // hotspot 2: on to "Next"
    }
    return false;
  });
  game->GameArea_MouseMove();
  t.platform.setInputHook(nullptr);
  ASSERT_TRUE(clickedWhileMoving);
  EXPECT_TRUE(barClosed());
  EXPECT_EQ(frame(), "Next");
}

// A click held for the closing bar is dropped when the pointer goes back to the bar.
TEST_F(InventoryTest, AHeldClickIsDroppedWhenTheBarOpensAgain) {
  WriteAction(t.game, "Room", 2, {.goTo = "Next"});
  startGame();
  game->AddPickedObject("Key", true);
  game->InventoryPointerOver();
  int passes = 0;
  t.platform.setInputHook([&](const platform::HeadlessPlatform::Wait& wait) {
    if (wait.kind != platform::HeadlessPlatform::WaitKind::ProcessEvents) return false;
    ++passes;
    if (passes == 30) click(320, 220);
    if (passes == 60) game->InventoryPointerOver();
    return false;
  });
  game->GameArea_MouseMove();
  t.platform.setInputHook(nullptr);
  EXPECT_TRUE(barOpen());
  EXPECT_EQ(frame(), "Room");
  // Closing the bar later does not bring the old click back.
  game->GameArea_MouseMove();
  EXPECT_EQ(frame(), "Room");
}

TEST_F(InventoryTest, WithoutTheBarIconsSitOnTheGameArea) {
  general(true, true, true, false);
  startGame();
  game->AddPickedObject("Key", false);
  EXPECT_FALSE(game->Inventory1.visible());
  EXPECT_FALSE(game->Inventory2.visible());
  EXPECT_EQ(game->PickedObject[1].parent(), &game->PictureBox);
  EXPECT_TRUE(game->PickedObject[1].visible());
  EXPECT_EQ(game->PickedObject[1].left(), 10 * 15);
}

TEST_F(InventoryTest, CustomBarPicturesWithDefaultMeaningNone) {
  std::vector<std::string> f = FullGeneralFields();
  f[4] = Quoted("Room");
  f[26] = "#TRUE#";
  f[31] = "#TRUE#";  // custom pictures
  f[32] = Quoted("Button.bmp");
  f[33] = Quoted("default");
  t.game.writeGeneral(f);
  platform::Picture::solid(20, 20, 0xFF0000)->saveBmp(t.game.file("Inventory/button.bmp"));
  startGame();
  EXPECT_FALSE(game->Inventory_Background.visible());
  ASSERT_TRUE(game->Inventory2.picture());
  EXPECT_EQ(game->Inventory2.picture()->width(), 20);
}

TEST_F(InventoryTest, IconsOfAnySizeFillTheirSlotWhenPickedUpAndAfterARemoval) {
  platform::Picture::solid(48, 40, 0x00FF00)->saveBmp(t.game.file("Areas/big.bmp"));
  platform::Picture::solid(16, 16, 0x0000FF)->saveBmp(t.game.file("Areas/small.bmp"));
  t.game.writeLines("Areas/Big.obj", {Quoted("big.bmp")});
  t.game.writeLines("Areas/Small.obj", {Quoted("small.bmp")});
  startGame();
  game->AddPickedObject("Key", true);
  game->AddPickedObject("Big", true);
  game->AddPickedObject("Small", true);
  const auto slots = [&] {
    std::vector<std::pair<int, int>> sizes;
    for (int i = 1; i <= game->ObjectsCount; ++i) {
      sizes.emplace_back(game->PickedObject[i].width() / 15, game->PickedObject[i].height() / 15);
    }
    return sizes;
  };
  using Sizes = std::vector<std::pair<int, int>>;
  EXPECT_EQ(slots(), (Sizes{{32, 32}, {32, 32}, {32, 32}}));
  // The big icon does not reach into the slot of the next one.
  EXPECT_LE(game->PickedObject[2].left() + game->PickedObject[2].width(),
            game->PickedObject[3].left());
  game->RemovePickedObject(1);  // Big and Small move forward into the slots of 1 and 2
  EXPECT_EQ(items(), (Names{"Big", "Small"}));
  EXPECT_EQ(slots(), (Sizes{{32, 32}, {32, 32}}));
  EXPECT_EQ(game->PickedObject[1].picture()->width(), 48);  // the whole icon, scaled
}

// Spacings from a damaged "General": each gives a bar that lays out, opens and closes.
TEST_F(InventoryTest, NegativeOrHugeSpacingsStillGiveAWorkingBar) {
  struct Case {
    const char* x;
    const char* y;
    int shownY;  // the spacing the layout uses
  };
  for (const Case c : {Case{"10", "-32", 0}, Case{"10", "-11", 0}, Case{"-40", "-1000", 0},
                       Case{"2000000000", "2147483647", 1000}, Case{"-2147483648", "5", 5}}) {
    SCOPED_TRACE(std::string(c.x) + ", " + c.y);
    general(true, true, true, true, c.x, c.y);
    startGame();
    EXPECT_EQ(game->Inventory1.height(), (2 * c.shownY + 32) * 15);
    game->AddPickedObject("Key", false);  // opens the bar by sliding
    if (std::string(c.x) == "2000000000") {
      // Spacing 1000 leaves no column in a 640-pixel game: refused with the box.
      EXPECT_EQ(game->ObjectsCount, 0);
      EXPECT_FALSE(t.boxes().empty());
      continue;
    }
    ASSERT_EQ(game->ObjectsCount, 1);
    EXPECT_TRUE(barOpen());
    EXPECT_FALSE(game->InventoryMoving);
    EXPECT_EQ(game->PickedObject[1].top(), c.shownY * 15);
    t.platform.advance(2100);  // the pick-up's hold ends and the bar slides back up
    EXPECT_TRUE(barClosed());
    EXPECT_FALSE(game->InventoryMoving);
  }
}


// Both bar pictures exist and are named: the setting alone decides whether they are used.
class CustomBarPicturesTest : public InventoryTest,
                              public ::testing::WithParamInterface<bool> {};

TEST_P(CustomBarPicturesTest, TheSettingDecidesWhetherTheBarsPicturesAreUsed) {
  const bool custom = GetParam();
  std::vector<std::string> f = FullGeneralFields();
  f[4] = Quoted("Room");
  f[26] = "#TRUE#";
  f[31] = custom ? "#TRUE#" : "#FALSE#";
  f[32] = Quoted("Button.bmp");
  f[33] = Quoted("Shelf.bmp");
  t.game.writeGeneral(f);
  platform::Picture::solid(20, 20, 0xFF0000)->saveBmp(t.game.file("Inventory/button.bmp"));
  platform::Picture::solid(640, 30, 0x00FF00)->saveBmp(t.game.file("Inventory/shelf.bmp"));
  startGame();
  const auto* button = game->Inventory2.picture().get();
  const bool buttonFromFile = button && button->width() == 20 && button->height() == 20 &&
                              (button->pixel(0, 0) & 0xFFFFFF) == 0x0000FFu;
  EXPECT_EQ(buttonFromFile, custom);
  EXPECT_EQ(game->Inventory_Background.visible(), custom);
  EXPECT_EQ(game->Inventory_Background.picture() != nullptr, custom);
  if (custom) {
    EXPECT_EQ(game->Inventory_Background.top() + game->Inventory_Background.height(),
              game->Inventory1.height());
  }
}

INSTANTIATE_TEST_SUITE_P(OnAndOff, CustomBarPicturesTest, ::testing::Bool());

}  // namespace
}  // namespace tw::test
