// The main window's element tree and the wiring of its events to the game's handlers.
#include "game/Game.h"

#include "effects/VisualEffects.h"
#include "game/KeyboardPlay.h"
#include "game/PlayerOptions.h"
#include "game/ReadAloud.h"
#include "game/TextSize.h"
#include "media/MediaSystem.h"

#include "platform/Platform.h"
#include "savegame/Autosave.h"
#include "savegame/SavedGames.h"
#include "scripting/ScriptHost.h"

namespace tw {

using platform::Element;
using platform::MouseEvent;

Game::Game(Player& player)
    : window("Game"),
      PictureBox("PictureBox"),
      BackImage("BackImage"),
      Area("Area"),
      Text("Text"),
      CutSceneArea("CutSceneArea"),
      FrameMessageBox("FrameMessageBox"),
      LabelMessageBox("LabelMessageBox"),
      Timer1(player.platform().timers(), "Timer1"),
      TimerMessageBox(player.platform().timers(), "TimerMessageBox"),
      TimerUnloadMe(player.platform().timers(), "TimerUnloadMe"),
      TimerRipplingWater(player.platform().timers(), "TimerRipplingWater"),
      Inventory1("Inventory1"),
      Inventory2("Inventory2"),
      Inventory_Background("Inventory_Background"),
      PickedObject("PickedObject"),
      TimerInventory(player.platform().timers(), "TimerInventory"),
      mnuLoadGame("mnuLoadGame", "Load Game..."),
      mnuSaveGame("mnuSaveGame", "Save Game..."),
      mnuOptions("mnuOptions", "Options"),
      mnuDisableTransitions("mnuDisableTransitions", "Disable Transitions"),
      mnuDisableEffects("mnuDisableEffects", "Disable Real-Time Effects"),
      mnuDebug("mnuDebug", "Debug"),
      mnuFrameName("mnuFrameName"),
      mnuExit("mnuExit", "Exit"),
      variables(player),
      player_(player),
      savedGames_(std::make_unique<SavedGames>(*this)) {
  buildWindow();
  buildMenus();
  wireHandlers();
  effects_ = std::make_unique<VisualEffects>(*this);
  scripts = std::make_unique<scripting::ScriptHost>(*this);
  playerOptions_ = std::make_unique<PlayerOptions>(*this);
  autosave_ = std::make_unique<Autosave>(*this);
  keyboardPlay_ = std::make_unique<KeyboardPlay>(*this);
  textSize_ = std::make_unique<TextSize>(*this);
  readAloud_ = std::make_unique<ReadAloud>(*this);
}

Game::~Game() = default;

void Game::buildWindow() {
  window.setBackColour(platform::kBlack);
  window.setResizable(true);  // the game picture scales into whatever size the player gives it
  window.add(PictureBox);
  PictureBox.setBackColour(platform::kBlack);
  PictureBox.setAutoRedraw(true);

  // Back to front: the background catcher, texts, hotspots, then the boxes that cover them.
  PictureBox.add(BackImage);
  PictureBox.add(Text.templ());
  PictureBox.add(Area.templ());
  PictureBox.add(CutSceneArea);
  PictureBox.add(FrameMessageBox);
  FrameMessageBox.add(LabelMessageBox);
  // The inventory lies above the frame: the bar with its picture and icons, the button.
  PictureBox.add(Inventory1);
  Inventory1.add(Inventory_Background);
  Inventory1.add(PickedObject.templ());
  PictureBox.add(Inventory2);
  Inventory1.setBackColour(platform::ColourFromRgb(48, 40, 32));
  Inventory1.setVisible(false);
  Inventory_Background.setVisible(false);
  Inventory2.setVisible(false);
  PickedObject.templ().move(0, 0, 32 * 15, 32 * 15);
  TimerInventory.setInterval(2000);
  TimerInventory.setEnabled(false);

  Text.templ().setTransparent(true);
  Text.templ().setAutoSize(true);
  CutSceneArea.setVisible(false);
  CutSceneArea.setBackColour(platform::kBlack);

  FrameMessageBox.setVisible(false);
  FrameMessageBox.setBackColour(platform::ColourFromRgb(0, 0, 0));
  LabelMessageBox.setVisible(false);
  LabelMessageBox.setAutoSize(true);
  LabelMessageBox.setTransparent(true);
  LabelMessageBox.setForeColour(platform::ColourFromRgb(255, 255, 255));
  platform::Font messageFont;
  messageFont.name = "Arial";
  messageFont.size = 12;
  messageFont.bold = true;
  LabelMessageBox.setFont(messageFont);
  LabelMessageBox.setTop(15 * 10);

  TimerUnloadMe.setInterval(100);
  TimerUnloadMe.setEnabled(false);
}

void Game::buildMenus() {
  platform::MenuItem& bar = window.menuBar();
  bar.add(mnuLoadGame);
  bar.add(mnuSaveGame);
  bar.add(mnuOptions);
  mnuOptions.add(mnuDisableTransitions);
  mnuOptions.add(mnuDisableEffects);
  mnuDisableTransitions.setCheckable(true);
  mnuDisableEffects.setCheckable(true);
  bar.add(mnuDebug);
  mnuDebug.add(mnuFrameName.templ());
  bar.add(mnuExit);
  mnuDebug.setVisible(false);

  // Captions from the message table, where it has them.
  const MessageTable& m = player_.messages;
  const std::pair<platform::MenuItem*, int> captions[] = {
      {&mnuLoadGame, 2},  {&mnuSaveGame, 8},           {&mnuExit, 12},
      {&mnuOptions, 49},  {&mnuDisableTransitions, 50}, {&mnuDisableEffects, 51},
  };
  for (const auto& [item, entry] : captions) {
    if (!m[entry].empty()) item->setCaption(m[entry]);
  }
}

void Game::wireHandlers() {
  Area.templ().onMouseDown = [this](Element& area, const MouseEvent& e) {
    Area_MouseDown(area.index(), e);
  };
  Area.templ().onMouseMove = [this](Element&, const MouseEvent&) { GameArea_MouseMove(); };
  BackImage.onMouseDown = [this](Element&, const MouseEvent& e) { Background_MouseDown(e); };
  BackImage.onMouseMove = [this](Element&, const MouseEvent&) { GameArea_MouseMove(); };
  Text.templ().onMouseDown = [this](Element&, const MouseEvent& e) { Background_MouseDown(e); };
  Text.templ().onMouseMove = [this](Element&, const MouseEvent&) { GameArea_MouseMove(); };
  CutSceneArea.onMouseMove = [this](Element&, const MouseEvent&) { GameArea_MouseMove(); };
  window.onMouseDown = [this](Element&, const MouseEvent& e) { Background_MouseDown(e); };

  FrameMessageBox.onClick = [this](Element&) { CloseMessageBar(); };
  LabelMessageBox.onClick = [this](Element&) { CloseMessageBar(); };
  FrameMessageBox.onMouseMove = [this](Element&, const MouseEvent&) { GameArea_MouseMove(); };
  LabelMessageBox.onMouseMove = [this](Element&, const MouseEvent&) { GameArea_MouseMove(); };

  const auto overInventory = [this](Element&, const MouseEvent&) { InventoryPointerOver(); };
  Inventory1.onMouseMove = overInventory;
  Inventory2.onMouseMove = overInventory;
  Inventory_Background.onMouseMove = overInventory;
  PickedObject.templ().onMouseMove = overInventory;
  PickedObject.templ().onMouseDown = [this](Element& icon, const MouseEvent& e) {
    PickedObject_MouseDown(icon.index(), e);
  };
  PickedObject.templ().onDragDrop = [this](Element& icon, Element& source, int, int) {
    PickedObject_DragDrop(icon.index(), source);
  };
  Area.templ().onDragDrop = [this](Element& area, Element& source, int x, int y) {
    Area_DragDrop(area.index(), source, x, y);
  };
  TimerInventory.onTimer = [this](platform::Timer&) { TimerInventory_Timer(); };

  Timer1.onTimer = [this](platform::Timer&) { Timer1_Timer(); };
  TimerMessageBox.onTimer = [this](platform::Timer&) { CloseMessageBar(); };
  TimerUnloadMe.onTimer = [this](platform::Timer&) { TimerUnloadMe_Timer(); };

  // Alt+Enter, the screenshot key and the keys of keyboard play are the player's, not the
  // game's.
  window.onKeyDown = [this](platform::Window&, int key, int shift) {
    if (playerOptions_->handleKey(key, shift)) return;
    if (keyboardPlay_ && keyboardPlay_->keyDown(key, shift)) return;
    Form_KeyDown(key, shift);
  };
  window.onKeyUp = [this](platform::Window&, int key, int shift) {
    if (keyboardPlay_) keyboardPlay_->keyUp(key, shift);
  };
  window.onCloseRequest = [this](platform::Window&) { Form_Unload(); };
  // In full screen a pulled-down menu leaves MenuOpen set after it closes: the next click on
  // the game only hides the menus and does not also act on what lies under the pointer. A
  // window keeps its menus, so there the next click acts.
  window.onMenuPulledDown = [this](platform::Window&, bool open) {
    if (open && !WindowedNow()) MenuOpen = true;
  };

  mnuExit.onClick = [this](platform::MenuItem&) { mnuExit_Click(); };
  mnuSaveGame.onClick = [this](platform::MenuItem&) { savedGames_->ShowSaveGameWindow(); };
  mnuLoadGame.onClick = [this](platform::MenuItem&) { savedGames_->ShowLoadGameWindow(false); };
  mnuFrameName.templ().onClick = [this](platform::MenuItem& item) {
    mnuFrameName_Click(item.index());
  };
}

}  // namespace tw
