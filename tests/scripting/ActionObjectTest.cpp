// The Action object: its request record, its methods and their failure boxes, and what bad
// arguments do (a box, never more).
#include <filesystem>
#include <fstream>

#include "../frames/GameFixture.h"
#include "platform/Picture.h"
#include "scripting/ActionObject.h"
#include "scripting/ScriptHost.h"

namespace tw::test {
namespace {

class ActionObjectTest : public GameFixture {
 protected:
  void SetUp() override {
    WriteSmallGeneral(t.game, "Room", true);
    t.game.writeVariables({"Gold", "***", "Word"});
    WriteFrame(t.game, "Room", {}, 1);
    WriteFrame(t.game, "Hall", {});
    WriteHotspot(t.game, "Room", 1, {.left = 0, .top = 0, .width = 50, .height = 50});
    platform::Picture::solid(32, 32, 0x00AAFF)->saveBmp(t.game.file("Areas/icon.bmp"));
    for (const char* item : {"Key", "Rope"}) {
      t.game.writeLines(std::string("Areas/") + item + ".obj", {Quoted("icon.bmp")});
    }
  }
  void run(const std::string& text) { game->ExecuteVBScript(text, true); }
  std::string word() { return game->variables.VariablesVariant.Item(1)->Value.toString(); }
  std::string lastBox() const { return t.boxes().empty() ? "" : t.boxes().back().text; }
  std::string failure(const std::string& words) const {
    const MessageTable& m = t.player.messages;
    return m[30] + "\r\n\r\n" + m[31] + words;
  }
  std::string scriptError(const std::string& description) const {
    const MessageTable& m = t.player.messages;
    return m[30] + " " + m[31] + "\r\n\r\n" + scripting::kScriptErrorWords + "\r\n\r\n" +
           description;
  }
  std::vector<std::string> items() {
    std::vector<std::string> names;
    for (std::int16_t i = 1; i <= game->ObjectsCount; ++i) names.push_back(game->PickedObjectName(i));
    return names;
  }
};

TEST_F(ActionObjectTest, FrameRequestsAreHonouredAfterAHotspotScriptUnlessReset) {
  startGame();
  WriteAction(t.game, "Room", 1, {.runScript = true, .script = "GoToFrame |Hall|, 0, 5 : ResetModule"});
  click(10, 10);
  EXPECT_EQ(frame(), "Room");
  EXPECT_EQ(game->Action.iTransitionNumber, 1);
  WriteAction(t.game, "Room", 1, {.runScript = true, .script = "Action.sFrameToLoad = |Hall|"});
  click(10, 10);
  EXPECT_EQ(frame(), "Hall");
  run("Word = sFrameToLoad & \"/\" & iHotspotNumber & \"/\" & iTransitionNumber & \"/\" & "
      "dTransitionDuration");
  EXPECT_EQ(word(), "/1/1/0");  // Hall's opening reset the request; the number stays
  run("GoToFrame \"Room\", 1.5, 7 : Word = Action.dTransitionDuration * iTransitionNumber");
  EXPECT_EQ(word(), "10.5");
}

TEST_F(ActionObjectTest, ItemsAddedAndRemovedByTheLowerCaseRule) {
  startGame();
  run("AddItem \"Key\", True : AddItem \"Rope\", True : AddItem \"Key\", True");
  EXPECT_EQ(items(), (std::vector<std::string>{"Key", "Rope", "Key"}));
  run("RemoveItem \"Key\", False");  // capital K never matches
  EXPECT_EQ(items().size(), 3u);
  run("RemoveItem \"key\", False");  // the later of the two goes
  EXPECT_EQ(items(), (std::vector<std::string>{"Key", "Rope"}));
  run("AddItem \"Key\", True : RemoveItem \"key\", True");
  EXPECT_EQ(items(), (std::vector<std::string>{"Rope"}));
  run("RemoveAllItems");
  EXPECT_TRUE(items().empty());
  EXPECT_TRUE(t.boxes().empty());
}

TEST_F(ActionObjectTest, SimpleAnswers) {
  startGame();
  run("Word = GetTWVersion");
  EXPECT_EQ(word(), "Version 3.2.2");
  run("Word = GetDisplayResolutionX & \"x\" & GetDisplayResolutionY");
  EXPECT_EQ(word(), "1024x768");
  run("Word = GetPath");
  EXPECT_EQ(word(), t.player.folders.GamePath);
  run("Word = GetTransitionsStatus & GetEffectsStatus");
  EXPECT_EQ(word(), "TrueTrue");
  run("InvertTransitionsStatus : Word = GetTransitionsStatus");
  EXPECT_EQ(word(), "False");
  EXPECT_TRUE(game->mnuDisableTransitions.checked());
  EXPECT_EQ(t.platform.settings().get(t.player.settings.ProjectId, "DisableTransitions", ""), "True");
  run("InvertEffectsStatus : ChangeDisplayResolutionOnLoadGame 2");
  EXPECT_TRUE(game->mnuDisableEffects.checked());
  EXPECT_EQ(game->ResolutionOnLoadGame, 2);
  run("Message \"Hello there\"");
  EXPECT_EQ(game->LabelMessageBox.caption(), "Hello there");
}

TEST_F(ActionObjectTest, ShellOpensAndTheirFailureBoxes) {
  t.game.write("Areas/guide.txt", "areas");
  t.game.write("Icons/guide.txt", "icons");
  startGame();
  run("OpenFile \"guide.txt\" : OpenURL \"https://example.org\" : SendEmail \"me@example.org\" : SendEmail \"\"");
  ASSERT_EQ(t.platform.openedTargets().size(), 3u);
  EXPECT_EQ(t.platform.openedTargets()[0], t.game.file("Areas/guide.txt"));
  EXPECT_EQ(t.platform.openedTargets()[2], "mailto:me@example.org");
  EXPECT_TRUE(t.boxes().empty());
  t.platform.setShellOpenResult(false);
  run("SendEmail \"me@example.org\" : Gold = 1");
  EXPECT_EQ(lastBox(), failure(" Error opening the default mail client to send email to: me@example.org"));
  EXPECT_EQ(value("Gold"), 1);  // the script went on
  run("OpenURL \"x:y\"");
  EXPECT_EQ(lastBox(), failure(" Error opening the following URL with the default browser:\r\n\r\nx:y"));
}

TEST_F(ActionObjectTest, FindFileFolderLooksInItsOrder) {
  t.game.write("Frames/a.txt", "");
  t.game.write("Icons/a.txt", "");
  t.game.write("Icons/b.txt", "");
  t.game.write("c.txt", "");
  startGame();
  EXPECT_EQ(scripting::FindFileFolder(*game, "a.txt"), t.player.folders.FramesFolder);
  EXPECT_EQ(scripting::FindFileFolder(*game, "B.TXT"), t.player.folders.IconsFolder);
  EXPECT_EQ(scripting::FindFileFolder(*game, "c.txt"), t.player.folders.GamePath);
  EXPECT_EQ(scripting::FindFileFolder(*game, "none.txt"), "");
}

TEST_F(ActionObjectTest, ProgramsRunToTheirEndAndWindowsProgramsGiveTheBox) {
  const std::string marker = t.game.file("ran.txt");
  t.game.write("Areas/tool.sh", "#!/bin/sh\necho done > '" + marker + "'\n");
  std::filesystem::permissions(t.game.file("Areas/tool.sh"), std::filesystem::perms::owner_all);
  startGame();
  game->Timer1.setInterval(5000);
  game->Timer1.setEnabled(true);
  run("OpenExeFileAndWait \"tool.sh\"");
  EXPECT_TRUE(std::filesystem::exists(marker));
  EXPECT_TRUE(game->window.enabled());
  EXPECT_TRUE(game->Timer1.enabled());
  EXPECT_TRUE(t.boxes().empty());
  run("OpenExeFileAndWait \"Setup.EXE\"");
  ASSERT_EQ(t.boxes().size(), 1u);
  EXPECT_EQ(lastBox().rfind(failure(" Error opening the file titled 'Setup.EXE'.\r\n\r\n"), 0), 0u);
  EXPECT_TRUE(game->window.enabled());
  EXPECT_TRUE(game->Timer1.enabled());
  // A name with shell characters is a file name, never a command.
  run("OpenExeFileAndWait \"x; touch hacked\"");
  EXPECT_FALSE(std::filesystem::exists(t.game.file("hacked")));
  EXPECT_EQ(t.boxes().size(), 2u);
}

TEST_F(ActionObjectTest, PicturesForHotspotsAndElementsThroughTheirObjects) {
  platform::Picture::solid(20, 10, 0xFF0000)->saveBmp(t.game.file("Areas/red.bmp"));
  WriteText(t.game, "Room", "A.lbl", {.caption = "First"});
  startGame();
  run("Set Hotspot(1).Picture = LoadGraphicFile(\"red.bmp\")");
  ASSERT_TRUE(game->Area[1].picture());
  EXPECT_EQ(game->Area[1].picture()->width(), 20);
  run("Set Hotspot(1).Picture = Nothing : LoadAPicture Hotspot(1), \"icon.bmp\"");
  ASSERT_TRUE(game->Area[1].picture());
  EXPECT_EQ(game->Area[1].picture()->width(), 32);
  run("Hotspot(1).Picture = LoadGraphicFile(\"red.bmp\")");  // without Set: by its handle
  EXPECT_EQ(game->Area[1].picture()->width(), 20);
  run("If LoadGraphicFile(\"missing.bmp\") Is Nothing Then Gold = 1");
  EXPECT_EQ(value("Gold"), 1);
  run("Hotspot(1).Visible = False : Hotspot(1).Left = 3000 : Gold = Hotspot(1).Width / 15");
  EXPECT_FALSE(game->Area[1].visible());
  EXPECT_EQ(game->Area[1].left(), 3000);
  EXPECT_EQ(value("Gold"), 20);
  run("Text(1).Caption = \"Changed\" : Text(1).ForeColor = RGB(0, 255, 0)");
  EXPECT_EQ(game->Text[1].caption(), "Changed");
  EXPECT_EQ(game->Text[1].foreColour(), platform::ColourFromRgb(0, 255, 0));
  run("Gold = Hotspot(7).Left");  // no such hotspot: the script's error
  EXPECT_NE(lastBox().find("Control array element '7' doesn't exist"), std::string::npos);
}

TEST_F(ActionObjectTest, ScreenAndAppObjects) {
  startGame();
  run("ScreenObject.MousePointer = 11 : Gold = ScreenObject.Width / 15");
  EXPECT_EQ(t.platform.screenPointer().shape, platform::PointerShape::Hourglass);
  EXPECT_EQ(value("Gold"), 1024);
  run("Word = AppObject.Title & \"|\" & (AppObject.Path & \"/\" = GetPath)");
  EXPECT_EQ(word(), t.player.settings.GameTitle + "|True");
}

TEST_F(ActionObjectTest, InventoryButtonMethodsNeedTheBar) {
  startGame();
  game->Inventory2.setVisible(true);
  run("HideInventoryButton");
  EXPECT_TRUE(game->Inventory2.visible());  // no bar in this game: nothing happens
}

// Every method with one argument too many, and the typed ones with arguments of the wrong
// kind: a box each, the game goes on.
TEST_F(ActionObjectTest, WrongArgumentsGiveBoxesNeverMore) {
  startGame();
  const std::vector<std::pair<std::string, int>> methods = {
      {"PopupSaveGame", 0}, {"PopupLoadGame", 0}, {"GoToFrame", 3}, {"ResetModule", 0},
      {"StopEverything", 0}, {"Message", 1}, {"AddItem", 2}, {"SendEmail", 1}, {"OpenURL", 1},
      {"OpenFile", 1}, {"OpenExeFileAndWait", 1}, {"LoadAPicture", 2}, {"LoadGraphicFile", 1},
      {"GetHotspotNumber", 0}, {"GetPath", 0}, {"HideInventoryButton", 0},
      {"ShowInventoryButton", 0}, {"GetClickPositionX", 0}, {"GetClickPositionY", 0},
      {"GetTransitionsStatus", 0}, {"GetEffectsStatus", 0}, {"InvertTransitionsStatus", 0},
      {"InvertEffectsStatus", 0}, {"RemoveAllItems", 0}, {"RemoveItem", 2},
      {"CreateObject", 1}, {"DeleteObject", 1}, {"GetTWVersion", 0},
      {"ChangeDisplayResolution", 1}, {"ChangeDisplayResolutionOnLoadGame", 1},
      {"GetDisplayResolutionX", 0}, {"GetDisplayResolutionY", 0},
      {"AllowControlsReferencesNextTime", 0}, {"DoNotAllowControlsReferencesNextTime", 0}};
  ASSERT_EQ(methods.size(), 34u);
  for (const auto& [name, count] : methods) {
    std::string call = "Action." + name;
    for (int i = 0; i <= count; ++i) call += (i == 0 ? " " : ", ") + std::string("1");
    const std::size_t before = t.boxes().size();
    run(call + " : Gold = 99");
    ASSERT_EQ(t.boxes().size(), before + 1) << call;
    EXPECT_EQ(lastBox(), scriptError("Wrong number of arguments or invalid property assignment")) << call;
  }
  EXPECT_EQ(value("Gold"), 0);
  EXPECT_EQ(frame(), "Room");
  run("GoToFrame \"Hall\", \"soon\", 1");
  EXPECT_EQ(lastBox(), scriptError("Type mismatch"));
  EXPECT_EQ(game->Action.sFrameToLoad, "");  // nothing of the request was taken
  run("ChangeDisplayResolutionOnLoadGame 40000");
  EXPECT_EQ(lastBox(), scriptError("Overflow"));
  run("AddItem \"Key\", \"maybe\"");
  EXPECT_EQ(lastBox(), scriptError("Type mismatch"));
  EXPECT_EQ(game->ObjectsCount, 0);
  run("Message Null");
  EXPECT_EQ(lastBox(), scriptError("Invalid use of Null"));
  run("LoadAPicture 5, \"icon.bmp\"");
  EXPECT_EQ(lastBox(), scriptError("Type mismatch"));
  run("LoadAPicture AppObject, \"icon.bmp\" : Gold = 7");  // an object with no Picture
  EXPECT_EQ(lastBox(),
            failure(" Error loading the following picture:'\r\n" + t.player.folders.AreasFolder +
                    "icon.bmp'.\r\n\r\n" + "Object doesn't support this property or method"));
  EXPECT_EQ(value("Gold"), 7);
  run("Action.CreateObject 5");
  EXPECT_EQ(lastBox(), failure(" Error creating the object. Type mismatch"));
  run("Action.DeleteObject Hotspot(4)");
  EXPECT_EQ(lastBox(), failure(" Error deleting the object. Control array element '4' doesn't exist"));
  run("Action.GetTWVersion = 1");
  EXPECT_EQ(lastBox(), scriptError("Object doesn't support this property or method"));
  run("Gold = 5");
  EXPECT_EQ(value("Gold"), 5);
}

TEST_F(ActionObjectTest, StopEverythingHaltsTheGame) {
  startGame();
  WriteAction(t.game, "Room", 1, {.goTo = "Hall", .runScript = true, .script = "StopEverything : Gold = 4"});
  click(10, 10);
  EXPECT_TRUE(t.player.GameStopped);
  EXPECT_EQ(value("Gold"), 4);     // the script itself ends normally
  EXPECT_EQ(frame(), "Room");      // the record's frame change is not made
  EXPECT_FALSE(game->PictureBox.visible());
  run("Gold = 6");                 // no script runs on a stopped game
  EXPECT_EQ(value("Gold"), 4);
}

}  // namespace
}  // namespace tw::test
