// GameProbe: what the library shows of a game, read without playing it.
//
// The game is opened on the headless platform the way the player starts it (folders, message
// table, "General"), so title, ProjectId and saved games come from the same readers. Nothing
// of the game runs: no frame opens, no script, no sound. The picture is the start-up window
// as it first shows (title, author, the scheme's pictures and buttons); a game that skips
// that window shows its first frame's background instead (its picture, or its colour).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace tw {

namespace platform {
class HeadlessPlatform;
class Picture;
}  // namespace platform

class Player;
class StartupWindow;

// A saved game to resume: the name the load takes (kAutosaveName for the automatic save)
// and its file's modification time (seconds since 1970).
struct ResumePoint {
  std::string name;
  std::int64_t modified = 0;
};

// The newest of the player's saves and the automatic save of the game in `folder` (its
// ProjectId names the user's own saved-game folder); nullopt when there is none.
std::optional<ResumePoint> NewestSave(const std::string& folder, const std::string& projectId);

class GameProbe {
 public:
  // The caller checked that the folder is a game (GameFolderProblem).
  explicit GameProbe(const std::string& folder);
  ~GameProbe();
  GameProbe(const GameProbe&) = delete;
  GameProbe& operator=(const GameProbe&) = delete;

  const std::string& title() const;
  const std::string& projectId() const;

  // The picture described above, nullptr when there is none. Texts are drawn only while a
  // QGuiApplication exists.
  std::shared_ptr<const platform::Picture> picture();

 private:
  std::unique_ptr<platform::HeadlessPlatform> platform_;
  std::unique_ptr<Player> player_;
  std::unique_ptr<StartupWindow> startup_;
  bool loaded_ = false;
};

}  // namespace tw
