// Hotspots from their geometry files, their visibility by variables and by the vanished
// list; frame texts; the message bar.
#include "frames/GameFixture.h"
#include "platform/Picture.h"

namespace tw::test {
namespace {

class HotspotTest : public GameFixture {
 protected:
  void SetUp() override {
    WriteSmallGeneral(t.game, "Room", true);
    t.game.writeVariables({"Lamp", "Door", "Dup", "Dup"});
  }
};

TEST_F(HotspotTest, GeometryIsShrunkByTwoPixelsButNeverBelowOneTwip) {
  WriteFrame(t.game, "Room", {}, 3);
  WriteHotspot(t.game, "Room", 1, {.left = 10, .top = 20, .width = 30, .height = 40});
  WriteHotspot(t.game, "Room", 2, {.left = 0, .top = 0, .width = 4, .height = 3});
  WriteHotspot(t.game, "Room", 3, {.left = 0, .top = 0, .width = 2, .height = 2});
  startGame();
  const platform::Image& a = game->Area[1];
  EXPECT_EQ(a.left(), 12 * 15);
  EXPECT_EQ(a.top(), 22 * 15);
  EXPECT_EQ(a.width(), 26 * 15);
  EXPECT_EQ(a.height(), 36 * 15);
  EXPECT_EQ(game->Area[2].width(), 1);   // 60 - 60 twips is below 1
  EXPECT_EQ(game->Area[2].height(), 1);
  EXPECT_EQ(game->Area[3].width(), 1);
  EXPECT_EQ(game->Area[3].height(), 1);
}

TEST_F(HotspotTest, AnimatedOnlyWithAPicture) {
  platform::Picture::solid(8, 8, 0x00FF00)->saveBmp(t.game.file("Areas/anim.gif"));
  WriteFrame(t.game, "Room", {}, 3);
  // Animated with a picture: the hotspot itself is a 15-twip stand-in at the corner, and
  // its animated picture (with the speed of field 11) shows the picture instead.
  WriteHotspot(t.game, "Room", 1,
               {.left = 10, .top = 20, .width = 30, .height = 40, .animated = "1",
                .hasPicture = true, .picture = "anim.gif", .speed = "120"});
  // Animated flag without a picture: an ordinary see-through hotspot.
  WriteHotspot(t.game, "Room", 2,
               {.left = 10, .top = 20, .width = 30, .height = 40, .animated = "#TRUE#"});
  // A picture that is not animated: shown by the hotspot.
  WriteHotspot(t.game, "Room", 3,
               {.left = 10, .top = 20, .width = 30, .height = 40, .hasPicture = true,
                .picture = "anim.gif"});
  startGame();
  EXPECT_TRUE(t.boxes().empty()) << t.boxes()[0].text;
  const platform::Image& animated = game->Area[1];
  EXPECT_EQ(animated.left(), 0);
  EXPECT_EQ(animated.top(), 0);
  EXPECT_EQ(animated.width(), 15);
  EXPECT_EQ(animated.height(), 15);
  EXPECT_EQ(animated.picture(), nullptr);
  EXPECT_TRUE(game->AreaAnimation.contains(1));
  for (int i : {2, 3}) {
    EXPECT_EQ(game->Area[i].left(), 12 * 15) << i;
    EXPECT_EQ(game->Area[i].top(), 22 * 15) << i;
    EXPECT_FALSE(game->AreaAnimation.contains(i)) << i;
  }
  EXPECT_EQ(game->Area[2].width(), 26 * 15);
  EXPECT_EQ(game->Area[2].picture(), nullptr);
  ASSERT_NE(game->Area[3].picture(), nullptr);
  EXPECT_EQ(game->Area[3].width(), 8 * 15);  // not stretched: the picture's own size
}

TEST_F(HotspotTest, ConditionsByVariablesWithUnknownNamesNeverHiding) {
  WriteFrame(t.game, "Room", {}, 4);
  WriteHotspot(t.game, "Room", 1, {.mustBeOne = {"Lamp"}});
  WriteHotspot(t.game, "Room", 2, {.mustBeZero = {"Lamp", "Door"}});
  WriteHotspot(t.game, "Room", 3, {.mustBeOne = {"NoSuchVariable"}, .mustBeZero = {"Other"}});
  WriteHotspot(t.game, "Room", 4, {.mustBeOne = {"lamp"}});  // case matters: unknown
  startGame();
  EXPECT_FALSE(game->Area[1].visible());
  EXPECT_TRUE(game->Area[2].visible());
  EXPECT_TRUE(game->Area[3].visible());
  EXPECT_TRUE(game->Area[4].visible());
  game->variables.ChangeVariableValue("Lamp", 1);
  game->ShowOrNotShowAreas();
  EXPECT_TRUE(game->Area[1].visible());
  EXPECT_FALSE(game->Area[2].visible());
  // A value other than 0 and 1 fails both lists.
  game->variables.Variables.Item(1)->setValue(std::int16_t{5});
  game->ShowOrNotShowAreas();
  EXPECT_FALSE(game->Area[1].visible());
  EXPECT_FALSE(game->Area[2].visible());
}

TEST_F(HotspotTest, HigherNumbersLieOnTopAndReceiveTheClick) {
  WriteFrame(t.game, "Room", {}, 2);
  WriteHotspot(t.game, "Room", 1, {.left = 0, .top = 0, .width = 100, .height = 100});
  WriteHotspot(t.game, "Room", 2, {.left = 50, .top = 50, .width = 100, .height = 100});
  WriteAction(t.game, "Room", 1, {.variable = "Lamp", .setOne = true});
  WriteAction(t.game, "Room", 2, {.variable = "Door", .setOne = true});
  startGame();
  click(75, 75);
  EXPECT_EQ(value("Door"), 1);
  EXPECT_EQ(value("Lamp"), 0);
  click(10, 10);
  EXPECT_EQ(value("Lamp"), 1);
}

TEST_F(HotspotTest, MissingOrDamagedFilesAreReportedPerHotspot) {
  WriteFrame(t.game, "Room", {}, 3);
  WriteHotspot(t.game, "Room", 1, {});
  t.game.write("Areas/Room/2a.dat", "12,garbage");
  startGame();  // hotspot 3 has no file
  ASSERT_EQ(t.boxes().size(), 3u);
  EXPECT_NE(t.boxes()[0].text.find(" Unable to load hotspot #2 (out of 3)."), std::string::npos);
  EXPECT_NE(t.boxes()[1].text.find(" Unable to load hotspot #3 (out of 3)."), std::string::npos);
  // The visibility pass stops at the damaged file with the short box.
  EXPECT_EQ(t.boxes()[2].text, t.player.messages[30]);
  EXPECT_TRUE(game->Area.exists(1));
  EXPECT_TRUE(game->Area[1].visible());
}

TEST_F(HotspotTest, HugeHotspotCountWithoutFilesStaysBounded) {
  WriteFrame(t.game, "Room", {}, 30000);
  startGame();
  // A box for the first few failures only, and one for the visibility pass that stops.
  EXPECT_LE(t.boxes().size(), 11u);
  EXPECT_EQ(game->Area.count(), 1);  // the template alone
  EXPECT_EQ(frame(), "Room");
}

// An empty count file is read silently; a count that is there but is no count is a damaged
// file and gives the frame's read error box. Either way the frame has no hotspots.
TEST_F(HotspotTest, DamagedCountFilesMeanNoHotspots) {
  for (const std::string& content : {std::string(""), std::string("many"),
                                     std::string("\xff\xfe", 2), std::string("70000")}) {
    TestPlayer p;
    WriteSmallGeneral(p.game, "Room", true);
    p.game.writeVariables({});
    WriteFrame(p.game, "Room", {});
    p.game.write("Frames/Room.lks", content);
    ASSERT_TRUE(p.initialize());
    Game g(p.player);
    g.ResetAll();
    g.StartNewGame();
    EXPECT_EQ(p.player.frame.HotspotCount, 0) << content;
    EXPECT_EQ(p.boxes().size(), content.empty() ? 0u : 1u) << content;
  }
}

TEST_F(HotspotTest, PointersComeFromIconsOrTheGame) {
  auto icon = platform::Picture::solid(32, 32, 0xFF00FF);
  icon->saveBmp(t.game.file("Icons/hand.bmp"));
  WriteFrame(t.game, "Room", {}, 2);
  WriteHotspot(t.game, "Room", 1, {.pointer = "HAND.bmp"});
  WriteHotspot(t.game, "Room", 2, {.pointer = "Default"});
  startGame();
  EXPECT_EQ(game->Area[1].pointer().shape, platform::PointerShape::Custom);
  ASSERT_TRUE(game->Area[1].pointer().picture);
  EXPECT_EQ(game->Area[1].pointer().picture->width(), 32);
  EXPECT_EQ(game->Area[2].pointer().shape, platform::PointerShape::Default);
}

TEST_F(HotspotTest, TextsInFileOrderWithTheirStyles) {
  WriteFrame(t.game, "Room", {});
  WriteText(t.game, "Room", "b.lbl", {.caption = "Second", .left = 300, .top = 450,
                                      .bold = true, .font = "Times New Roman", .size = 18,
                                      .colour = 255});
  WriteText(t.game, "Room", "A.lbl", {.caption = "First"});
  t.game.write("Areas/Room/c.lbl", "\"Cut short\",15");  // the rest from the template
  startGame();
  ASSERT_EQ(game->Text.count(), 4);
  EXPECT_EQ(game->Text[1].caption(), "First");
  EXPECT_EQ(game->Text[2].caption(), "Second");
  EXPECT_EQ(game->Text[3].caption(), "Cut short");
  EXPECT_TRUE(game->Text[3].visible());
  EXPECT_EQ(game->Text[3].left(), 15);
  EXPECT_EQ(game->Text[3].foreColour(), game->Text.templ().foreColour());
  const platform::Label& second = game->Text[2];
  EXPECT_EQ(second.left(), 300);
  EXPECT_EQ(second.top(), 450);
  EXPECT_TRUE(second.font().bold);
  EXPECT_EQ(second.font().name, "Times New Roman");
  EXPECT_DOUBLE_EQ(second.font().size, 18);
  EXPECT_EQ(second.foreColour(), 255u);
  EXPECT_EQ(second.tag(), t.player.folders.AreasFolder + "Room/b.lbl");
  EXPECT_TRUE(t.boxes().empty());
}

TEST_F(HotspotTest, MessageBarTimeGrowsWithTheTextAndRestarts) {
  WriteFrame(t.game, "Room", {});
  startGame();
  game->ShowTextMessage("", true);
  EXPECT_TRUE(game->FrameMessageBox.visible());
  t.platform.advance(999);
  EXPECT_TRUE(game->FrameMessageBox.visible());
  t.platform.advance(1);
  EXPECT_FALSE(game->FrameMessageBox.visible());

  game->ShowTextMessage(std::string(100, 'x'), true);  // 8000 ms
  t.platform.advance(5000);
  game->ShowTextMessage("ten chars!", true);  // restarts with 1700 ms
  t.platform.advance(1699);
  EXPECT_EQ(game->LabelMessageBox.caption(), "ten chars!");
  EXPECT_TRUE(game->FrameMessageBox.visible());
  t.platform.advance(1);
  EXPECT_FALSE(game->FrameMessageBox.visible());
  EXPECT_FALSE(game->TimerMessageBox.enabled());

  // The bar sits on the bottom edge of the game area.
  game->ShowTextMessage("Hello", true);
  EXPECT_EQ(game->FrameMessageBox.top() + game->FrameMessageBox.height(),
            game->PictureBox.height());
  EXPECT_EQ(game->FrameMessageBox.width(), game->PictureBox.width());
  game->FrameMessageBox.click();
  EXPECT_FALSE(game->FrameMessageBox.visible());

  game->ShowTextMessage("In a box", false);
  ASSERT_EQ(t.boxes().size(), 1u);
  EXPECT_EQ(t.boxes()[0].icon, platform::MsgIcon::Information);
  EXPECT_EQ(t.boxes()[0].title, "The Lighthouse");
}

}  // namespace
}  // namespace tw::test
