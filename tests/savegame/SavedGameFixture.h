// A small game for saving and loading: three frames, integer and variant variables, items
// with icons, a hotspot that vanishes, and a frame timer in the first frame.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "../frames/GameFixture.h"
#include "platform/Picture.h"
#include "savegame/LoadGameWindow.h"
#include "savegame/SaveGameWindow.h"
#include "savegame/SavedGameList.h"
#include "savegame/SavedGames.h"
#include "savegame/WindowLook.h"

namespace tw::test {

class SavedGameFixture : public GameFixture {
 protected:
  void SetUp() override {
    std::vector<std::string> f = FullGeneralFields();
    f[4] = Quoted("Room");
    f[37] = Quoted("DEFAULT");
    f[40] = "#TRUE#";   // windowed
    f[19] = "#FALSE#";  // loading offered
    t.game.writeGeneral(f);
    t.game.writeVariables({"Lamp", "Door", "***", "Note", "Count"});
    WriteFrame(t.game, "Room", {.timerOn = true, .timerDelay = "5", .timerTarget = "Attic"}, 2);
    WriteHotspot(t.game, "Room", 1, {.left = 100, .top = 100, .width = 50, .height = 50});
    WriteAction(t.game, "Room", 1, {.disappear = true, .giveItem = "Key"});
    WriteHotspot(t.game, "Room", 2, {.left = 300, .top = 100, .width = 50, .height = 50});
    WriteAction(t.game, "Room", 2, {.goTo = "Hall"});
    WriteFrame(t.game, "Hall", {.background = "255"});
    WriteFrame(t.game, "Attic", {.background = "65280"});
    platform::Picture::solid(32, 32, 0x00AAFF)->saveBmp(t.game.file("Areas/icon.bmp"));
    for (const char* item : {"Key", "Rope"}) {
      t.game.writeLines(std::string("Areas/") + item + ".obj", {Quoted("icon.bmp")});
    }
  }

  // Runs `act` in the save (load) window once it waits for the player; the window is closed
  // as by its close button when `act` leaves it open.
  void inSaveWindow(const std::function<void(SaveGameWindow&)>& act) {
    bool done = false;
    t.platform.setInputHook([&](const platform::HeadlessPlatform::Wait& w) {
      if (done || w.kind != platform::HeadlessPlatform::WaitKind::ModalWindow) return false;
      done = true;
      act(*game->savedGames().saveWindow());
      return true;
    });
    game->savedGames().ShowSaveGameWindow();
    t.platform.setInputHook(nullptr);
    EXPECT_TRUE(done) << "the save window never waited for input";
  }
  void inLoadWindow(const std::function<void(LoadGameWindow&)>& act, bool fromScript = false) {
    bool done = false;
    t.platform.setInputHook([&](const platform::HeadlessPlatform::Wait& w) {
      if (done || w.kind != platform::HeadlessPlatform::WaitKind::ModalWindow) return false;
      done = true;
      act(*game->savedGames().loadWindow());
      return true;
    });
    game->savedGames().ShowLoadGameWindow(fromScript);
    t.platform.setInputHook(nullptr);
    EXPECT_TRUE(done) << "the load window never waited for input";
  }
  void saveAs(const std::string& name) {
    inSaveWindow([&](SaveGameWindow& w) {
      w.Text1.setText(name);
      w.Command2_Click();
    });
  }
  void loadNamed(const std::string& name) {
    inLoadWindow([&](LoadGameWindow& w) {
      const auto& items = w.List1.items();
      const auto it = std::find(items.begin(), items.end(), name);
      ASSERT_NE(it, items.end()) << name << " is not listed";
      w.List1.clickItem(static_cast<int>(it - items.begin()));
      w.Command2_Click();
    });
  }
  std::vector<std::string> items() {
    std::vector<std::string> names;
    for (std::int16_t i = 1; i <= game->ObjectsCount; ++i) names.push_back(game->PickedObjectName(i));
    return names;
  }
  std::string sav(const std::string& name) const { return t.game.file(name + ".sav"); }
  std::size_t boxCount() const { return t.boxes().size(); }
  const platform::HeadlessPlatform::BoxRecord& lastBox() const { return t.boxes().back(); }
  const MessageTable& m() const { return t.player.messages; }
};

}  // namespace tw::test
