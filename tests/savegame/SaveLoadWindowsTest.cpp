// The save and load windows: names, questions, removal, the list and the keys, the frame
// timer around them, and a load through the load window.
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/Painter.h"
#include "savegame/SavedGameFixture.h"
#include "savegame/SavedGamePicture.h"

namespace tw::test {
namespace {

using platform::MsgAnswer;
using platform::MsgIcon;

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

class SaveWindowTest : public SavedGameFixture {};

TEST_F(SaveWindowTest, ForbiddenCharactersAndBlankNamesAreRefusedWithTheirBoxes) {
  startGame();
  inSaveWindow([&](SaveGameWindow& w) {
    EXPECT_EQ(w.window.caption(), m()[21]);
    EXPECT_EQ(w.Label2.caption(), m()[23]);
    EXPECT_EQ(w.Command2.caption(), m()[25]);
    EXPECT_EQ(w.Command3.caption(), m()[22]);
    EXPECT_EQ(w.Command1.caption(), m()[11]);
    EXPECT_EQ(w.window.focus(), &w.Text1);
    for (char c : std::string("\"\\/:*?<>|,")) {
      w.Text1.setText(std::string("my") + c + "game");
      const std::size_t before = boxCount();
      w.Command2_Click();
      ASSERT_EQ(boxCount(), before + 1) << c;
      EXPECT_EQ(lastBox().title, t.player.settings.GameTitle);
      EXPECT_EQ(lastBox().text, m()[35] + "\r\n\" \\ / : * ? < > | ,");
      EXPECT_EQ(lastBox().icon, MsgIcon::Information);
    }
    for (const char* blank : {"", "   "}) {
      w.Text1.setText(blank);
      w.Command2_Click();
      EXPECT_EQ(lastBox().title, m()[21]);
      EXPECT_EQ(lastBox().text, m()[23]);
    }
    EXPECT_TRUE(w.window.visible());
    w.Text1.setText(" a game with blanks ");
    w.Command2_Click();
    EXPECT_FALSE(w.window.visible());
  });
  EXPECT_EQ(ListSavedGames(t.player), std::vector<std::string>{" a game with blanks "});
  EXPECT_EQ(game->savedGames().saveWindow(), nullptr);  // destroyed after closing
}

TEST_F(SaveWindowTest, ReplacingAsksFirstAndCancelKeepsTheOldFile) {
  startGame();
  saveAs("Slot");
  const std::string first = Bytes(sav("Slot"));
  game->AddPickedObject("Rope", true);

  t.queueAnswer(MsgAnswer::Cancel);
  inSaveWindow([&](SaveGameWindow& w) {
    w.Text1.setText("slot");  // letter case does not make another saved game
    w.Command2_Click();
    EXPECT_EQ(lastBox().text, "'slot' " + m()[24]);
    EXPECT_EQ(lastBox().title, m()[21]);
    EXPECT_TRUE(w.window.visible());
  });
  EXPECT_EQ(Bytes(sav("Slot")), first);

  t.queueAnswer(MsgAnswer::Ok);
  saveAs("Slot");
  EXPECT_NE(Bytes(sav("Slot")).find("\"Rope\""), std::string::npos);
  EXPECT_EQ(ListSavedGames(t.player), std::vector<std::string>{"Slot"});
}

TEST_F(SaveWindowTest, RemoveSelectedAsksAndRemovesOnlyTheChosenGame) {
  startGame();
  saveAs("One");
  saveAs("Two");
  inSaveWindow([&](SaveGameWindow& w) {
    ASSERT_EQ(w.List1.listCount(), 2);
    w.Command3_Click();  // nothing chosen
    EXPECT_EQ(lastBox().title, m()[26]);
    EXPECT_EQ(lastBox().text, m()[9]);
    EXPECT_EQ(w.List1.listCount(), 2);

    w.List1.clickItem(1);
    const std::string chosen = w.List1.text();
    t.queueAnswer(MsgAnswer::Cancel);
    w.Command3_Click();
    EXPECT_EQ(lastBox().text, m()[27] + " '" + t.player.folders.ProjectFolder + chosen + ".sav'?");
    EXPECT_TRUE(t.game.exists(chosen + ".sav"));

    t.queueAnswer(MsgAnswer::Ok);
    w.List1.clickItem(1);
    w.Command3_Click();
    EXPECT_FALSE(t.game.exists(chosen + ".sav"));
    EXPECT_EQ(w.List1.listCount(), 1);
  });
}

TEST_F(SaveWindowTest, AReadOnlySavedGameIsNeitherRemovedNorReplaced) {
  startGame();
  saveAs("Kept");
  const std::string before = Bytes(sav("Kept"));
  const std::string picture = Bytes(t.game.file("Kept.png"));
  ASSERT_EQ(::chmod(sav("Kept").c_str(), 0444), 0);
  game->OpenFrame("Hall", false, 0, 0);  // another moment: a new picture would differ
  inSaveWindow([&](SaveGameWindow& w) {
    t.queueAnswer(MsgAnswer::Ok);
    w.List1.clickItem(0);
    w.Command3_Click();
    EXPECT_EQ(lastBox().icon, MsgIcon::Error);
    EXPECT_NE(lastBox().text.find(" Unable to remove '" + sav("Kept") + "'."), std::string::npos);

    t.queueAnswer(MsgAnswer::Ok);  // replace it? yes
    w.Text1.setText("Kept");
    w.Command2_Click();
    EXPECT_EQ(lastBox().icon, MsgIcon::Error);
    EXPECT_EQ(lastBox().title, m()[29]);
    EXPECT_EQ(lastBox().text,
              m()[30] + "\r\n\r\n" + m()[31] + " Unable to save '" + sav("Kept") +
                  "'.\r\nVerify that this file is not Read-Only and that it does not contain "
                  "any of the following characters: \" \\ / : * ? < > | ,");
    EXPECT_TRUE(w.window.visible());  // the window stays for another name
  });
  EXPECT_EQ(Bytes(sav("Kept")), before);
  EXPECT_EQ(Bytes(t.game.file("Kept.png")), picture);  // nor is its picture
}

TEST_F(SaveWindowTest, ListClicksDoubleClicksAndKeys) {
  startGame();
  saveAs("Alpha");
  game->AddPickedObject("Rope", true);
  saveAs("Beta");  // newest: first in the list
  inSaveWindow([&](SaveGameWindow& w) {
    ASSERT_EQ(w.List1.items(), (std::vector<std::string>{"Beta", "Alpha"}));
    w.List1.clickItem(1);
    EXPECT_EQ(w.Text1.text(), "Alpha");
    w.window.dispatchKeyDown(kKeyUp, 0);  // focus in the name box: the list still moves
    EXPECT_EQ(w.Text1.text(), "Beta");
    w.window.dispatchKeyDown(kKeyUp, 0);  // already at the top
    EXPECT_EQ(w.List1.listIndex(), 0);
    w.window.dispatchKeyDown(kKeyDown, 0);
    EXPECT_EQ(w.Text1.text(), "Alpha");
    w.window.dispatchKeyDown(kKeyEscape, 0);
    EXPECT_FALSE(w.window.visible());
  });
  EXPECT_EQ(Bytes(sav("Alpha")).find("\"Rope\""), std::string::npos);  // Esc saved nothing

  t.queueAnswer(MsgAnswer::Ok);
  inSaveWindow([&](SaveGameWindow& w) { w.List1.doubleClickItem(1); });
  EXPECT_NE(Bytes(sav("Alpha")).find("\"Rope\""), std::string::npos);

  inSaveWindow([&](SaveGameWindow& w) {
    w.Text1.setText("Gamma");
    w.window.dispatchKeyDown(kKeyEnter, 0);
    EXPECT_FALSE(w.window.visible());
  });
  EXPECT_TRUE(t.game.exists("Gamma.sav"));
}

TEST_F(SaveWindowTest, TheSKeyOpensTheWindowUnlessTheGameDisablesSaving) {
  startGame();
  bool opened = false;
  t.platform.setInputHook([&](const platform::HeadlessPlatform::Wait& w) {
    if (w.kind == platform::HeadlessPlatform::WaitKind::ModalWindow) opened = true;
    return false;
  });
  game->window.dispatchKeyDown('S', 0);
  EXPECT_TRUE(opened);
  opened = false;
  t.player.settings.DisableSaveGame = true;
  game->window.dispatchKeyDown('S', 0);
  EXPECT_FALSE(opened);
  t.platform.setInputHook(nullptr);
}

TEST_F(SaveWindowTest, TheFrameTimerWaitsWhileAWindowIsOpenAndResumesAfterCancel) {
  startGame();
  ASSERT_TRUE(game->Timer1.enabled());
  inSaveWindow([&](SaveGameWindow&) {
    EXPECT_FALSE(game->Timer1.enabled());
    t.platform.advance(6000);  // longer than the frame's 5 s: it must not move on
  });
  EXPECT_TRUE(game->Timer1.enabled());
  EXPECT_EQ(frame(), "Room");

  inLoadWindow([&](LoadGameWindow& w) {
    EXPECT_FALSE(game->Timer1.enabled());
    w.Command1_Click();
  });
  EXPECT_TRUE(game->savedGames().LoadCancelled);
  EXPECT_TRUE(game->Timer1.enabled());
  t.platform.advance(5000);
  EXPECT_EQ(frame(), "Attic");
}

TEST_F(SaveWindowTest, LoadWithNothingChosenShowsTheBoxAndDoesNothing) {
  startGame();
  saveAs("Slot");
  inLoadWindow([&](LoadGameWindow& w) {
    EXPECT_EQ(w.window.caption(), m()[17]);
    EXPECT_EQ(w.Label1.caption(), m()[18]);
    EXPECT_EQ(w.Command2.caption(), m()[19]);
    EXPECT_EQ(w.window.focus(), &w.List1);
    w.Command2_Click();
    EXPECT_EQ(lastBox().title, m()[17]);
    EXPECT_EQ(lastBox().text, m()[9]);
    EXPECT_EQ(lastBox().icon, MsgIcon::Information);
    EXPECT_TRUE(w.window.visible());
  });
  EXPECT_EQ(frame(), "Room");
}

// Beside the list: the chosen save's picture and time; a save of the original player (no
// picture beside it) shows the empty frame and loads; a PNG of the game's own named like a
// save is neither shown, replaced nor removed; the player's own picture goes with its save.
TEST_F(SaveWindowTest, ThePictureOfTheChosenSaveAndSavesWithoutOne) {
  startGame();
  saveAs("Pictured");
  saveAs("Plain");
  ASSERT_TRUE(t.game.exists("Plain.png"));
  std::filesystem::remove(t.game.file("Plain.png"));  // as the original player saves
  platform::SavePng(*platform::Picture::solid(64, 48, 255), t.game.file("Cover.png"));  // no mark
  std::filesystem::copy_file(sav("Plain"), sav("Cover"));
  const std::string cover = Bytes(t.game.file("Cover.png"));

  game->OpenFrame("Hall", false, 0, 0);
  inLoadWindow([&](LoadGameWindow& w) {
    EXPECT_FALSE(w.Picture.Shot.visible());  // nothing chosen
    for (const char* name : {"Plain", "Cover", "Pictured"}) {
      const auto& items = w.List1.items();
      w.List1.clickItem(
          static_cast<int>(std::find(items.begin(), items.end(), name) - items.begin()));
      EXPECT_TRUE(w.Picture.Frame.visible()) << name;
      EXPECT_FALSE(w.Picture.When.caption().empty()) << name;
      const bool shown = w.Picture.Shot.visible() && w.Picture.Shot.picture();
      EXPECT_EQ(shown, std::string(name) == "Pictured") << name;
    }
    EXPECT_EQ(w.Picture.Shot.picture()->width(), kSavedGamePictureWidth);
    w.List1.clickItem(
        static_cast<int>(std::find(w.List1.items().begin(), w.List1.items().end(), "Plain") -
                         w.List1.items().begin()));
    w.Command2_Click();
  });
  EXPECT_EQ(frame(), "Room");  // Plain loaded without an error box
  for (const auto& box : t.boxes()) EXPECT_NE(box.icon, MsgIcon::Error) << box.text;

  inSaveWindow([&](SaveGameWindow& w) {
    EXPECT_TRUE(w.Picture.Shot.visible());  // nothing chosen: the moment this save keeps
    w.Text1.setText("Cover");
    t.queueAnswer(MsgAnswer::Ok);
    w.Command2_Click();
  });
  EXPECT_EQ(Bytes(t.game.file("Cover.png")), cover);
  EXPECT_FALSE(SavedGamePictureFile(t.player, "Cover"));
  inSaveWindow([&](SaveGameWindow& w) {
    for (const char* name : {"Cover", "Pictured"}) {
      const auto& items = w.List1.items();
      w.List1.clickItem(
          static_cast<int>(std::find(items.begin(), items.end(), name) - items.begin()));
      t.queueAnswer(MsgAnswer::Ok);
      w.Command3_Click();
    }
  });
  EXPECT_FALSE(t.game.exists("Cover.sav"));
  EXPECT_EQ(Bytes(t.game.file("Cover.png")), cover);
  EXPECT_FALSE(t.game.exists("Pictured.sav"));
  EXPECT_FALSE(t.game.exists("Pictured.png"));
}

// A picture that cannot be written costs the save nothing; a save that fails writes none.
TEST_F(SaveWindowTest, APictureThatCannotBeWrittenDoesNotFailTheSave) {
  startGame();
  std::filesystem::create_directory(t.game.file("Blocked.png"));
  saveAs("Blocked");
  EXPECT_TRUE(t.game.exists("Blocked.sav"));
  EXPECT_TRUE(t.boxes().empty());
  EXPECT_FALSE(SavedGamePictureFile(t.player, "Blocked"));
}

// Without script timers nothing stops a script from opening the window either.
TEST_F(SaveWindowTest, AScriptOpensTheLoadWindowWhileNoScriptTimerRuns) {
  startGame();
  EXPECT_FALSE(game->savedGames().ScriptTimerRunning());
  bool opened = false;
  inLoadWindow([&](LoadGameWindow&) { opened = true; }, /*fromScript=*/true);
  EXPECT_TRUE(opened);
}

TEST_F(SaveWindowTest, ScriptsOpenBothWindowsButNoLoadWhileAScriptTimerRuns) {
  t.game.writeVariables({"Lamp", "Door", "AllowControlsReferences", "***", "Note", "Count"});
  startGame();
  int loadWindows = 0;
  t.platform.setInputHook([&](const platform::HeadlessPlatform::Wait& w) {
    if (w.kind != platform::HeadlessPlatform::WaitKind::ModalWindow) return false;
    if (SaveGameWindow* save = game->savedGames().saveWindow()) {
      save->Text1.setText("By script");
      save->Command2_Click();
      return true;
    }
    if (LoadGameWindow* load = game->savedGames().loadWindow()) {
      ++loadWindows;
      load->Command1_Click();
      return true;
    }
    return false;
  });
  game->ExecuteVBScript("Action.PopupSaveGame", true);
  EXPECT_EQ(ListSavedGames(t.player), std::vector<std::string>{"By script"});

  game->ExecuteVBScript(
      "Action.CreateObject WindowObject.TimerObject(1) : WindowObject.TimerObject(1).Interval = "
      "1000",
      true);
  EXPECT_TRUE(game->savedGames().ScriptTimerRunning());
  game->ExecuteVBScript("Action.PopupLoadGame", true);
  EXPECT_EQ(loadWindows, 0);
  game->savedGames().ShowLoadGameWindow(false);  // the menu command does not wait for it
  EXPECT_EQ(loadWindows, 1);
  game->ExecuteVBScript("Action.DeleteObject WindowObject.TimerObject(1)", true);
  EXPECT_FALSE(game->savedGames().ScriptTimerRunning());
  game->ExecuteVBScript("Action.PopupLoadGame", true);
  EXPECT_EQ(loadWindows, 2);
  t.platform.setInputHook(nullptr);
  EXPECT_TRUE(t.boxes().empty()) << t.boxes()[0].text;
}

}  // namespace
}  // namespace tw::test
