// Helpers of the start-up window tests: a "General" described by the fields the start-up
// window reads, and one program run (platform, player, start-up window) whose hooks count
// what the window asked for. Runs over the same game folder and settings store stand for
// successive starts of the program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/MemorySettings.h"
#include "platform/headless/HeadlessPlatform.h"
#include "project/Player.h"
#include "project/StartupWindow.h"
#include "support/GameFolder.h"

namespace tw::test {

struct StartupGeneral {
  std::string projectId = "GAME-ID-1";
  std::string title = "The Lighthouse";
  std::string version;
  std::string author;
  std::string email;
  std::string web;
  int resolutionChangeMode = 1;
  std::string scheme;
  bool disableLoadGame = false;
  int gameResolution = 0;
  bool skipStartupWindow = false;
  bool hideToolLogo = false;
};

inline std::vector<std::string> GeneralFields(const StartupGeneral& g) {
  auto flag = [](bool b) { return std::string(b ? "#TRUE#" : "#FALSE#"); };
  std::vector<std::string> f = FullGeneralFields();
  f[0] = Quoted(g.projectId);
  f[2] = Quoted(g.title);
  f[5] = Quoted(g.version);
  f[8] = Quoted(g.author);
  f[9] = Quoted(g.email);
  f[10] = Quoted(g.web);
  f[11] = std::to_string(g.resolutionChangeMode);
  f[15] = Quoted(g.scheme);
  f[19] = flag(g.disableLoadGame);
  f[34] = std::to_string(g.gameResolution);
  f[42] = flag(g.skipStartupWindow);
  f[43] = flag(g.hideToolLogo);
  return f;
}

struct StartupRun {
  StartupRun(const GameFolder& game, platform::Settings& settings, int screenWidth = 1024,
             int screenHeight = 768)
      : platform(settings), player(platform, game.path()), startup(player) {
    platform.setScreen(screenWidth, screenHeight);
    startup.startGame = [this] {
      ++started;
      startedAtMs = platform.clockMs();
    };
    startup.openLoadWindow = [this] {
      ++loadWindows;
      topMostDuringLoad = startup.window.topMost();
    };
    startup.closeProgram = [this] { ++closed; };
    startup.recentreGameWindow = [this] {
      ++recentred;
      recentredAtMs = platform.clockMs();
    };
  }

  // A click at the centre of an element, as the window system delivers it.
  void clickOn(const platform::Element& e) {
    int x = 0;
    int y = 0;
    e.positionInWindow(x, y);
    x += e.width() / 2;
    y += e.height() / 2;
    startup.window.dispatchMouseDown(platform::kLeftButton, 0, x, y);
    startup.window.dispatchMouseUp(platform::kLeftButton, 0, x, y);
  }

  bool shown() const {
    for (platform::Window* w : platform.shownWindows()) {
      if (w == &startup.window && w->visible()) return true;
    }
    return false;
  }

  platform::HeadlessPlatform platform;
  Player player;
  StartupWindow startup;
  int started = 0;
  int loadWindows = 0;
  int closed = 0;
  int recentred = 0;
  bool topMostDuringLoad = true;
  std::int64_t startedAtMs = -1;
  std::int64_t recentredAtMs = -1;
};

}  // namespace tw::test
