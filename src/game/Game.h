// Game: the main game window and the state of the game being played.
//
// The window shows the game area (PictureBox) with the current frame's background, its
// hotspots (Area), texts (Text), the message bar and the cut-scene area; it owns the
// variables, the vanished-hotspot list and the frame history, and it offers the operations
// through which everything happens (OpenFrame, MakeAction, ResetAll, ...). Each subsystem
// implements its operations in its own folder (frames/, later inventory/, media/, ...).
//
// Element arrays keep element 0 as their hidden template; elements 1 and up are created per
// frame. Positions are twips. Everything runs on the platform's one thread; the nested
// event loops (video waits, modal boxes, the short pause after a click) are the only
// re-entrancy, and the flags below decide what a handler may do meanwhile.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "media/SoundChannel.h"
#include "platform/ElementArray.h"
#include "platform/Image.h"
#include "platform/Label.h"
#include "platform/Menu.h"
#include "platform/PictureBox.h"
#include "platform/Timer.h"
#include "platform/Window.h"
#include "project/Player.h"
#include "variables/VariableStore.h"

namespace tw {

class FieldReader;
class FrameDataReads;

namespace media {
class MediaSystem;
}
class Autosave;
class KeyboardPlay;
class PlayerOptions;
class ReadAloud;
class TextSize;
class SavedGames;
class VisualEffects;

// Results of MakeAction.
enum ActionResult : std::int16_t {
  kActionNothing = 0,
  kActionEndGame = 1,
  kActionFrameOpened = 2,
};

namespace scripting {
class ScriptHost;
}

// The request record of the scripts' Action object: what a script asked for, read by the code
// that ran it (hotspot, combination and timer scripts go to sFrameToLoad after the run).
struct ActionRequests {
  std::string sFrameToLoad;
  std::int16_t iTransitionNumber = 1;
  double dTransitionDuration = 0;
  std::int16_t iHotspotNumber = 0;
};

class Game {
 public:
  explicit Game(Player& player);
  ~Game();
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  Player& player() { return player_; }
  platform::Platform& platform() { return player_.platform(); }

  // --- window lifecycle ---------------------------------------------------------------
  void ResetAll();
  void StartNewGame();
  void CenterWindowAndPictureBox();
  void ShowMenus();
  void HideMenus();
  void Form_KeyDown(int KeyCode, int Shift);
  void mnuExit_Click();
  void TimerUnloadMe_Timer();
  void Form_Unload();
  // The game is shown in a captioned window: made so, or put there by the player.
  bool WindowedNow() const;
  // The player's own options: full screen, window size, scaling, volume, screenshots.
  PlayerOptions& playerOptions() { return *playerOptions_; }
  // Playing by keyboard and the hotspot outlines shown while Space is held.
  KeyboardPlay& keyboardPlay() { return *keyboardPlay_; }
  // True from creation until Form_Unload ran.
  bool isOpen() const { return open_; }
  // Runs at the end of Form_Unload: back to the start-up window, or the end of the program.
  std::function<void()> onUnloaded;

  // --- frames -------------------------------------------------------------------------
  void OpenFrame(const std::string& CurrentFrame, bool bWithTransition, std::int16_t iTransNumber,
                 double dTransitionDuration);
  void ReadFrameHeader(const std::string& frameName);
  // A count that is no number of hotspots (beyond 16 bits, negative, not a number) gives 0;
  // with reportDamage it also shows the frame's read error box.
  std::int16_t ReadHotspotCount(bool reportDamage = false);
  // A reader over a frame's data file; while a frame opens, each file is read from disk
  // once (FrameDataReads).
  FieldReader OpenFrameData(const std::string& path);

  // --- hotspots -----------------------------------------------------------------------
  void LoadAreas();
  void ResetFrameAreas();
  void ShowOrNotShowAreas();

  // --- texts, pointers, messages ------------------------------------------------------
  void LoadTexts();
  void ResetFrameTexts();
  void SetDefaultPointer(platform::Element& control);
  void SetScreenPointerArrow();
  void SetScreenPointerDefault();
  void ShowTextMessage(const std::string& text, bool inFrame);
  void CloseMessageBar();

  // --- frame timer and history --------------------------------------------------------
  void FramesHistoryAdd(const std::string& frameName);
  void Timer1_Timer();
  void mnuFrameName_Click(int Index);

  // --- actions and mouse --------------------------------------------------------------
  std::int16_t MakeAction(std::int16_t AreaIndex, std::int16_t ObjectIndex);
  void AreaClick(std::int16_t AreaIndex, int Button);
  void SaveClickPos(double sglLeft, double sglTop);
  void Area_MouseDown(int Index, const platform::MouseEvent& e);
  void Background_MouseDown(const platform::MouseEvent& e);  // BackImage, Form, Text
  void picWhere_MouseDown(const platform::MouseEvent& e);
  void GameArea_MouseMove();  // Area, BackImage, CutSceneArea, Text, the message bar
  void RightClickMenus();

  // --- sound and video (media/) ------------------------------------------------------
  // The mixer and its seven players, the fade timer and the video device; built the first
  // time anything asks for them.
  media::MediaSystem& media();
  void StopAllPlayers();
  void StopAnyWavOrMP3();
  void StopMusicPlayer();
  void StopSoundPlayer();
  void PlayMusic(const std::string& path, bool loopForever);
  void PlaySound(const std::string& path);
  bool IsFilePlaying(const std::string& path);
  bool IsMusicPlaying();
  void PlaySoundChannels(const std::string& channelFile);
  void ApplySoundChannels();
  void FadeSoundChannels(double progress);
  void EnableAudioFadeTimer();
  void TimerAudioFade_Timer();
  std::int16_t FindFreePlayer();  // lowest idle player 1-7; -1 when all seven play
  void StopOtherMidi(int channel);
  void StopAllActivity();
  void HaltGame();
  // Video.
  bool IsVideoPlaying();
  std::string MediaStatus();
  void StopVideo();
  void PlayMovieWithStop(const std::string& path, platform::Element& host, bool stretch, int left,
                         int top, int width, int height);
  // Keeps the window alive until the playing video ends or is stopped (StopMovie).
  void WaitWhileVideoPlays();
  // --- calls into subsystems that arrive later (they do nothing until then) -----------
  // Effects.
  void TransitionStep1(std::int16_t iTransNumber);
  void TransitionStep2(std::int16_t iTransNumber, double dTransitionDuration);
  bool RipplingWaterTimerRunning();
  void StopRipplingWater();
  // Rippling water off and its picture hidden, without waiting for a step (none runs).
  void HideRipplingWater();
  // The transition's covers and work pictures hidden and released.
  void HideTransitionPictures();
  void LoadWaveEffectIfAny(const std::string& frameName);
  void StartRipplingWaterIfActive();
  int AniGifNewWithIndex(int hotspot, const std::string& picture, int left, int top, int speed);
  void RemoveAnimatedPictures();
  void ShowAnimatedPicture(int index, bool visible);
  // True while a frame transition animates (Escape then leaves the menu bar alone).
  bool TransitionRunning() const;
  // The transitions, the rippling water and the animated pictures, with their window parts.
  VisualEffects& effects() { return *effects_; }
  // --- inventory ----------------------------------------------------------------------
  void AddPickedObject(const std::string& ObjectName, bool bDoNotPopup);
  void RemovePickedObject(std::int16_t ObjectIndex);
  void PickOrNotPickObject(std::int16_t AreaIndex);
  // The name (tag) of the item at a position; "" outside 1..ObjectsCount.
  std::string PickedObjectName(std::int16_t index);
  void ResetInventory();  // the window reset's part: empty inventory, the bar laid out
  void Load_InventoryBackground();
  void BringInventoryToFront();
  void Inventory_Move();
  void TimerInventory_Timer();
  void InventoryPointerOver();  // the pointer over the bar, the button or an icon
  // Carries out a click on a hotspot that came while the bar was sliding away, now that the
  // bar has closed. Called by the pointer and timer handlers once their slide has ended.
  void RunClickHeldForTheBar();
  void PickedObject_MouseDown(int Index, const platform::MouseEvent& e);
  void PickedObject_DragDrop(int Index, platform::Element& source);
  void Area_DragDrop(int Index, platform::Element& source, int x, int y);
  // The icon layout: left and top in pixels inside the bar of the item at position n.
  platform::Rect IconPlace(int position) const;
  void SetBarHeight(int twips);
  // Saved games: the save and load windows, writing and loading (savegame/).
  SavedGames& savedGames() { return *savedGames_; }
  // The automatic save and its Options menu entry (savegame/).
  Autosave& autosave() { return *autosave_; }
  // Options > Read Messages Aloud: boxes, the message bar and tooltips read aloud (game/).
  ReadAloud& readAloud() { return *readAloud_; }
  // Options > Text Size: the player's own windows, boxes, message bar and menus (game/).
  TextSize& textSize() { return *textSize_; }
  // Scripts (scripting/): the host, its timers, the Options and Debug menu commands.
  void LoadProcedures();
  void ResetModule();
  void ExecuteVBScript(const std::string& text, bool bResetLastClickPosition);
  void TimerObject_Timer(int Index);
  void EnableOrDisableTransitions();
  void EnableOrDisableEffects();

  // --- window elements ----------------------------------------------------------------
  platform::Window window;
  platform::PictureBox PictureBox;  // the game area
  platform::Image BackImage;        // see-through, over the whole game area: background clicks
  platform::ElementArray<platform::Image> Area;
  platform::ElementArray<platform::Label> Text;
  platform::PictureBox CutSceneArea;
  platform::PictureBox FrameMessageBox;
  platform::Label LabelMessageBox;
  platform::Timer Timer1;            // frame timer
  platform::Timer TimerMessageBox;   // message bar
  platform::Timer TimerUnloadMe;     // delayed close after Exit
  platform::Timer TimerRipplingWater;
  platform::PictureBox Inventory1;          // the bar
  platform::Image Inventory2;               // the button
  platform::Image Inventory_Background;     // the bar's own picture
  platform::ElementArray<platform::Image> PickedObject;
  platform::Timer TimerInventory;           // closes the bar 2 s after a pick-up
  platform::MenuItem mnuLoadGame;
  platform::MenuItem mnuSaveGame;
  platform::MenuItem mnuOptions;
  platform::MenuItem mnuDisableTransitions;
  platform::MenuItem mnuDisableEffects;
  platform::MenuItem mnuDebug;
  platform::ElementArray<platform::MenuItem> mnuFrameName;
  platform::MenuItem mnuExit;

  // --- game state ---------------------------------------------------------------------
  VariableStore variables;  // Variables, VariablesVariant, Disappear
  std::vector<std::string> FramesHistory;
  SoundChannelTable SoundChannels;
  ActionRequests Action;
  std::int16_t ObjectsCount = 0;
  // Hotspot number -> index of its animated picture (absent: none).
  std::map<int, int> AreaAnimation;

  // Frame-timer transition, kept from the last frame file that held it.
  bool TimerTransition = false;
  std::int32_t TimerTransitionDuration = 0;
  std::int16_t TimerTransitionNumber = 0;

  bool StopMovie = false;
  bool SkipRequested = false;
  bool MenuOpen = false;
  bool InventoryMoving = false;
  std::int16_t InventoryDirection = 0;  // 0 none, 1 open, 2 close
  bool InventoryHeldOpen = false;
  std::int16_t DraggedItemIndex = 0;
  std::int16_t LastClickX = 0;
  std::int16_t LastClickY = 0;
  std::int16_t ControlsReferencesMode = 0;
  std::int16_t ResolutionOnLoadGame = 0;
  bool AudioWarningShown = false;
  bool TransitionErrorShown = false;
  bool RipplingWaterActive = false;
  std::int16_t DebugKeyStep = 0;

  // The script host with its state (engines, procedures, script timers, Debug menu items);
  // made last, after the menus it adds to.
  std::unique_ptr<scripting::ScriptHost> scripts;

  // The function keys that reveal the Debug menu, in order: F12, F11, F10, F9.
  static constexpr int kDebugKeys[4] = {123, 122, 121, 120};

 private:
  // A click on a hotspot: its position (twips of the game area) and action.
  void ClickArea(int Index, int button, int left, int top);
  struct HeldClick {
    int area = 0;
    int button = 0;
    int left = 0;  // twips of the game area
    int top = 0;
  };

  void buildWindow();
  void buildMenus();
  void wireHandlers();

  Player& player_;
  bool open_ = true;
  // The reads of the frame being opened, while OpenFrame runs.
  FrameDataReads* frameReads_ = nullptr;
  std::unique_ptr<media::MediaSystem> media_;
  std::unique_ptr<SavedGames> savedGames_;
  std::unique_ptr<VisualEffects> effects_;
  std::unique_ptr<PlayerOptions> playerOptions_;
  std::unique_ptr<Autosave> autosave_;
  std::unique_ptr<KeyboardPlay> keyboardPlay_;
  std::unique_ptr<ReadAloud> readAloud_;
  std::unique_ptr<TextSize> textSize_;
  std::optional<HeldClick> clickAfterBarCloses_;
};

}  // namespace tw
