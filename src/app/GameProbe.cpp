#include "app/GameProbe.h"

#include <sys/stat.h>

#include "common/FieldReader.h"
#include "frames/FrameFile.h"
#include "platform/Painter.h"
#include "platform/Picture.h"
#include "platform/headless/HeadlessPlatform.h"
#include "project/InitializeProject.h"
#include "project/Player.h"
#include "project/StartupWindow.h"
#include "savegame/AutosaveFile.h"
#include "savegame/SavedGameList.h"

namespace tw {

namespace {

std::optional<std::int64_t> ModifiedSeconds(Player& player, const std::string& path) {
  const auto real = player.files.resolve(path);
  struct stat st {};
  if (!real || ::stat(real->c_str(), &st) != 0) return std::nullopt;
  return st.st_mtim.tv_sec;
}

}  // namespace

std::optional<ResumePoint> NewestSave(const std::string& folder, const std::string& projectId) {
  platform::HeadlessPlatform platform;
  Player player(platform, folder);
  PresetProjectFolder(player, folder);
  player.settings.ProjectId = projectId;
  std::optional<ResumePoint> best;
  // The list is newest first: its first entry is the newest of the player's saves.
  const std::vector<std::string> saves = ListSavedGames(player);
  if (!saves.empty()) {
    if (const auto time = ModifiedSeconds(player, SavedGamePath(player, saves.front()))) {
      best = ResumePoint{saves.front(), *time};
    }
  }
  if (const auto autosave = ExistingAutosave(player)) {
    const std::int64_t time = ModifiedSeconds(player, *autosave).value_or(0);
    if (!best || time > best->modified) best = ResumePoint{kAutosaveName, time};
  }
  return best;
}

GameProbe::GameProbe(const std::string& folder)
    : platform_(std::make_unique<platform::HeadlessPlatform>()),
      player_(std::make_unique<Player>(*platform_, folder)) {
  PresetProjectFolder(*player_, folder);
  // Files are only looked at: a missing one must not ask for a disc.
  player_->GameStopped = true;
  startup_ = std::make_unique<StartupWindow>(*player_);
  // A game that skips the window would start at once: nothing of the game may run here.
  startup_->startGame = [] {};
  startup_->closeProgram = [] {};
  try {
    // The player's own start-up: folders, message table, "General", then the window's rows.
    loaded_ = startup_->Form_Load();
  } catch (const std::exception&) {
    loaded_ = false;
  }
  player_->GameStopped = true;
}

GameProbe::~GameProbe() {
  // The window goes before the player it belongs to.
  startup_.reset();
}

const std::string& GameProbe::title() const { return player_->settings.GameTitle; }

const std::string& GameProbe::projectId() const { return player_->settings.ProjectId; }

std::shared_ptr<const platform::Picture> GameProbe::picture() {
  try {
    if (!loaded_) return nullptr;
    if (!player_->settings.SkipStartupWindow) return platform::PaintElement(startup_->window);
    const std::string frames = player_->folders.FramesFolder;
    FieldReader in = FieldReader::Open(player_->files, frames + player_->settings.StartFrame + ".fme");
    FrameFile frame;
    SoundChannelTable channels;
    ReadFrameFile(in, frame, channels);
    if (frame.backgroundType == 0) {
      const ProjectSettings& game = player_->settings;
      return platform::Picture::solid(game.GameWidth, game.GameHeight,
                                      static_cast<std::uint32_t>(std::stoul(frame.backgroundValue)));
    }
    if (frame.backgroundType != 1) return nullptr;
    const auto path = player_->files.resolve(frames + frame.backgroundValue);
    return path ? platform::Picture::load(*path) : nullptr;
  } catch (const std::exception&) {
    return nullptr;
  }
}

}  // namespace tw
