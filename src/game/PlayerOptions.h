// PlayerOptions: the player's own choices for a game, beside the game's options — full
// screen or a window (Alt+Enter), the window's size (x1, x2, x3), how the picture is scaled,
// the volume and mute, and a screenshot of the game area (F8).
//
// They are entries added to the game window's Options menu and are remembered per game in
// the per-user settings (section ProjectId: "FullScreen", "WindowSize", "Scaling", "Volume",
// "Mute"); a value that is missing or unreadable leaves the player's default (the game's own
// display mode, x1, aspect, 100 %, not muted). F12 starts the Debug key sequence, so the
// screenshot key is F8.
//
// Full screen and window: a game made for a window is shown full screen by the back end with
// its picture scaled (Window::fullScreenShown); a game made for full screen is put in a
// captioned window of its own size (the game then behaves as a windowed game: menus always
// shown) and back. Either way "FullScreen" holds the player's last choice, also when the
// window manager made it.
#pragma once

#include <functional>
#include <string>

#include "game/ScreenshotNote.h"
#include "platform/Menu.h"

namespace tw {

class Game;

class PlayerOptions {
 public:
  static constexpr int kVolumeSteps[] = {100, 75, 50, 25};
  static constexpr int kKeyScreenshot = 119;  // F8
  static constexpr int kKeyEnter = 13;

  explicit PlayerOptions(Game& game);
  PlayerOptions(const PlayerOptions&) = delete;
  PlayerOptions& operator=(const PlayerOptions&) = delete;

  // Reads the remembered choices and applies them (the window reset calls this).
  void apply();
  // Alt+Enter and F8; true when the key was the player's and not the game's.
  bool handleKey(int keyCode, int shift);

  // Whether a game made for full screen is being shown in a window at the player's wish.
  bool windowedForPlayer() const { return windowedForPlayer_; }
  bool fullScreen() const;
  void setFullScreen(bool on);
  void setWindowSize(int factor);
  void setVolume(int percent);
  void setMuted(bool muted);
  // Saves the game area as a PNG in the user's pictures folder under a name no file has yet
  // and says so in a note for 2 s; returns the path, or "" when it could not be written.
  std::string takeScreenshot();
  const ScreenshotNote& screenshotNote() const { return note_; }

  platform::MenuItem mnuPlayerSeparator;
  platform::MenuItem mnuFullScreen;
  platform::MenuItem mnuWindowSize;
  platform::MenuItem mnuWindowSizes[3];
  platform::MenuItem mnuScaling;
  platform::MenuItem mnuScalingAspect;
  platform::MenuItem mnuScalingSharp;
  platform::MenuItem mnuScalingSmooth;
  platform::MenuItem mnuVolume;
  platform::MenuItem mnuVolumes[4];
  platform::MenuItem mnuMute;
  platform::MenuItem mnuScreenshot;

 private:
  void buildMenus();
  void save(const std::string& key, const std::string& value);
  std::string get(const std::string& key);
  void applyScalingChoice(const std::string& name);
  void fullScreenChangedByWindowManager(bool on);
  void showChecks();

  Game& game_;
  ScreenshotNote note_;
  bool windowedForPlayer_ = false;
  int volume_ = 100;
  bool muted_ = false;
};

// A file name in `folder` (ending in "/") that no file has yet: "<stem> <stamp>.png", then
// "<stem> <stamp> (2).png", ... `exists` answers for a path.
std::string FreeScreenshotName(const std::string& folder, const std::string& stem,
                               const std::string& stamp,
                               const std::function<bool(const std::string&)>& exists);

}  // namespace tw
