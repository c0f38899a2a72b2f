// PlayerOptions: the Options menu's player entries, their keys and their remembered values.
#include "game/PlayerOptions.h"

#include <ctime>
#include <exception>
#include <filesystem>
#include <system_error>

#include "game/Game.h"
#include "media/MediaSystem.h"
#include "platform/Element.h"
#include "platform/Painter.h"
#include "platform/Picture.h"
#include "platform/Platform.h"
#include "platform/Settings.h"

namespace tw {

namespace {

struct ScalingName {
  platform::PictureScaling scaling;
  const char* name;
};
constexpr ScalingName kScalings[] = {
    {platform::PictureScaling::Aspect, "aspect"},
    {platform::PictureScaling::Sharp, "sharp"},
    {platform::PictureScaling::Smooth, "smooth"},
};

// Characters a file name had better not hold, on Linux or on a disk shared with Windows.
std::string FileNameStem(std::string text) {
  for (char& c : text) {
    if (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
        c == '>' || c == '|' || static_cast<unsigned char>(c) < 32) {
      c = '_';
    }
  }
  while (!text.empty() && (text.back() == ' ' || text.back() == '.')) text.pop_back();
  return text.empty() ? std::string("Talewick") : text;
}

std::string TimeStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H-%M-%S", &local);
  return text;
}

}  // namespace

std::string FreeScreenshotName(const std::string& folder, const std::string& stem,
                               const std::string& stamp,
                               const std::function<bool(const std::string&)>& exists) {
  std::string path = folder + stem + " " + stamp + ".png";
  for (int n = 2; exists(path); ++n) {
    path = folder + stem + " " + stamp + " (" + std::to_string(n) + ").png";
  }
  return path;
}

PlayerOptions::PlayerOptions(Game& game)
    : mnuPlayerSeparator("mnuPlayerSeparator", "-"),
      mnuFullScreen("mnuFullScreen", "Full Screen\tAlt+Enter"),
      mnuWindowSize("mnuWindowSize", "Window Size"),
      mnuWindowSizes{platform::MenuItem("mnuWindowSize1", "x1"),
                     platform::MenuItem("mnuWindowSize2", "x2"),
                     platform::MenuItem("mnuWindowSize3", "x3")},
      mnuScaling("mnuScaling", "Picture Scaling"),
      mnuScalingAspect("mnuScalingAspect", "Keep Aspect (sharp at whole sizes)"),
      mnuScalingSharp("mnuScalingSharp", "Sharp Pixels (whole sizes only)"),
      mnuScalingSmooth("mnuScalingSmooth", "Smooth"),
      mnuVolume("mnuVolume", "Volume"),
      mnuVolumes{platform::MenuItem("mnuVolume100", "100 %"),
                 platform::MenuItem("mnuVolume75", "75 %"),
                 platform::MenuItem("mnuVolume50", "50 %"),
                 platform::MenuItem("mnuVolume25", "25 %")},
      mnuMute("mnuMute", "Mute"),
      mnuScreenshot("mnuScreenshot", "Save Screenshot\tF8"),
      game_(game),
      note_(game) {
  buildMenus();
  game_.window.onFullScreenShownChanged = [this](platform::Window&, bool on) {
    fullScreenChangedByWindowManager(on);
  };
}

void PlayerOptions::buildMenus() {
  platform::MenuItem& options = game_.mnuOptions;
  options.add(mnuPlayerSeparator);
  options.add(mnuFullScreen);
  options.add(mnuWindowSize);
  for (int i = 0; i < 3; ++i) {
    mnuWindowSize.add(mnuWindowSizes[i]);
    mnuWindowSizes[i].onClick = [this, i](platform::MenuItem&) { setWindowSize(i + 1); };
  }
  options.add(mnuScaling);
  for (platform::MenuItem* item : {&mnuScalingAspect, &mnuScalingSharp, &mnuScalingSmooth}) {
    mnuScaling.add(*item);
  }
  mnuScalingAspect.onClick = [this](platform::MenuItem&) { applyScalingChoice("aspect"); };
  mnuScalingSharp.onClick = [this](platform::MenuItem&) { applyScalingChoice("sharp"); };
  mnuScalingSmooth.onClick = [this](platform::MenuItem&) { applyScalingChoice("smooth"); };
  options.add(mnuVolume);
  for (int i = 0; i < 4; ++i) {
    mnuVolume.add(mnuVolumes[i]);
    const int percent = kVolumeSteps[i];
    mnuVolumes[i].onClick = [this, percent](platform::MenuItem&) { setVolume(percent); };
  }
  options.add(mnuMute);
  options.add(mnuScreenshot);
  for (platform::MenuItem* item :
       {&mnuFullScreen, &mnuWindowSizes[0], &mnuWindowSizes[1], &mnuWindowSizes[2],
        &mnuScalingAspect, &mnuScalingSharp, &mnuScalingSmooth, &mnuVolumes[0], &mnuVolumes[1],
        &mnuVolumes[2], &mnuVolumes[3], &mnuMute}) {
    item->setCheckable(true);
  }
  mnuFullScreen.onClick = [this](platform::MenuItem&) { setFullScreen(!fullScreen()); };
  mnuMute.onClick = [this](platform::MenuItem&) { setMuted(!muted_); };
  mnuScreenshot.onClick = [this](platform::MenuItem&) { takeScreenshot(); };
}

std::string PlayerOptions::get(const std::string& key) {
  try {
    return game_.platform().settings().get(game_.player().settings.ProjectId, key, "");
  } catch (const std::exception&) {
    return "";
  }
}

void PlayerOptions::save(const std::string& key, const std::string& value) {
  try {
    game_.platform().settings().save(game_.player().settings.ProjectId, key, value);
  } catch (const std::exception&) {
    // Not remembered: the choice still holds for this run.
  }
}

void PlayerOptions::apply() {
  platform::Window& window = game_.window;
  const bool madeForWindow = game_.player().settings.WindowedMode;
  const std::string full = get("FullScreen");
  windowedForPlayer_ = !madeForWindow && full == "0";
  window.setFullScreenShown(madeForWindow && full == "1");

  const std::string size = get("WindowSize");
  window.setSizeFactor(size == "2" ? 2 : size == "3" ? 3 : 1);
  const std::string scaling = get("Scaling");
  window.setScaling(platform::PictureScaling::Aspect);
  for (const ScalingName& s : kScalings) {
    if (scaling == s.name) window.setScaling(s.scaling);
  }
  volume_ = 100;
  const std::string volume = get("Volume");
  for (int step : kVolumeSteps) {
    if (volume == std::to_string(step)) volume_ = step;
  }
  muted_ = get("Mute") == "1";
  try {
    game_.media().mixer.setMasterVolume(volume_ / 100.0);
    game_.media().mixer.setMuted(muted_);
  } catch (const std::exception&) {
  }
  showChecks();
}

void PlayerOptions::showChecks() {
  const platform::Window& window = game_.window;
  mnuFullScreen.setChecked(fullScreen());
  for (int i = 0; i < 3; ++i) mnuWindowSizes[i].setChecked(window.sizeFactor() == i + 1);
  mnuScalingAspect.setChecked(window.scaling() == platform::PictureScaling::Aspect);
  mnuScalingSharp.setChecked(window.scaling() == platform::PictureScaling::Sharp);
  mnuScalingSmooth.setChecked(window.scaling() == platform::PictureScaling::Smooth);
  for (int i = 0; i < 4; ++i) mnuVolumes[i].setChecked(volume_ == kVolumeSteps[i]);
  mnuMute.setChecked(muted_);
}

bool PlayerOptions::handleKey(int keyCode, int shift) {
  if (keyCode == kKeyEnter && (shift & platform::kAltMask)) {
    setFullScreen(!fullScreen());
    return true;
  }
  if (keyCode == kKeyScreenshot && shift == 0) {
    takeScreenshot();
    return true;
  }
  return false;
}

bool PlayerOptions::fullScreen() const {
  if (game_.player().settings.WindowedMode) return game_.window.fullScreenShown();
  return !windowedForPlayer_;
}

void PlayerOptions::setFullScreen(bool on) {
  save("FullScreen", on ? "1" : "0");
  if (game_.player().settings.WindowedMode) {
    game_.window.setFullScreenShown(on);
  } else if (windowedForPlayer_ == on) {
    // A game made for full screen: its own full-screen window, or a window of its size.
    windowedForPlayer_ = !on;
    game_.window.setFullScreenShown(false);
    game_.CenterWindowAndPictureBox();
    if (on) game_.HideMenus();
  }
  showChecks();
}

void PlayerOptions::fullScreenChangedByWindowManager(bool on) {
  save("FullScreen", on ? "1" : "0");
  showChecks();
}

void PlayerOptions::setWindowSize(int factor) {
  save("WindowSize", std::to_string(factor));
  if (fullScreen()) setFullScreen(false);
  game_.window.setSizeFactor(factor);
  showChecks();
}

void PlayerOptions::applyScalingChoice(const std::string& name) {
  save("Scaling", name);
  for (const ScalingName& s : kScalings) {
    if (name == s.name) game_.window.setScaling(s.scaling);
  }
  showChecks();
}

void PlayerOptions::setVolume(int percent) {
  volume_ = percent;
  save("Volume", std::to_string(percent));
  game_.media().mixer.setMasterVolume(percent / 100.0);
  showChecks();
}

void PlayerOptions::setMuted(bool muted) {
  muted_ = muted;
  save("Mute", muted ? "1" : "0");
  game_.media().mixer.setMuted(muted);
  showChecks();
}

std::string PlayerOptions::takeScreenshot() {
  // The note of an earlier F8 is not part of the game's picture.
  note_.hide();
  std::string path;
  try {
    const std::string folder = game_.platform().picturesFolder();
    if (!folder.empty()) {
      path = FreeScreenshotName(folder, FileNameStem(game_.player().settings.GameTitle),
                                TimeStamp(), [](const std::string& p) {
                                  std::error_code error;
                                  return std::filesystem::exists(p, error);
                                });
      platform::SavePng(*platform::PaintElement(game_.PictureBox), path);
    }
  } catch (const std::exception&) {
    path.clear();
  }
  if (path.empty()) {
    note_.show("The screenshot could not be saved", "No screenshot");
  } else {
    note_.show("Screenshot saved: " + std::filesystem::path(path).filename().string(),
               "Screenshot saved");
  }
  return path;
}

}  // namespace tw
