// LibraryWindow: the window that lists the user's games, to find, start and resume them.
//
// Each game is a row: its picture scaled down, its title, its folder and a line on when it
// was last played and for how long. A game whose folder has gone is greyed and says so;
// "Locate..." points the entry at the folder's new place and "Remove" drops it (the game's
// files are never touched). Double click or Enter plays the chosen game, "Resume" (R) its
// newest save; "Add Game..." and a folder dropped onto the window add one game, "Scan
// Folder..." every game below a folder, with a progress window that can be cancelled.
//
// The window knows nothing of games or of the library file: what it shows comes from
// rows(), and every change goes through the actions, which answer with a message for the
// player ("" when there is nothing to say).
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tw::platform {

struct LibraryRow {
  std::string folder;       // the key of the game in the library
  std::string title;
  std::string details;      // "Last played ... · Played for ..."
  std::string picturePath;  // a PNG, "" for none
  bool missing = false;
  bool canResume = false;
};

// Where the walk of "Scan Folder..." is; the callback returns false to stop it.
using ScanReport = std::function<bool(int foldersSeen, int gamesFound, const std::string& folder)>;

struct LibraryActions {
  std::function<std::vector<LibraryRow>()> rows;
  // The folder the folder dialogs start in.
  std::function<std::string()> startFolder;
  std::function<std::string(const std::string& folder)> add;
  std::function<void(const std::string& folder)> remove;
  std::function<std::string(const std::string& oldFolder, const std::string& newFolder)> locate;
  std::function<std::string(const std::string& root, const ScanReport& report)> scan;
};

class LibraryWindow {
 public:
  enum class Choice { Close, Play, Resume };
  struct Result {
    Choice choice = Choice::Close;
    std::string folder;
  };

  explicit LibraryWindow(LibraryActions actions);
  ~LibraryWindow();
  LibraryWindow(const LibraryWindow&) = delete;
  LibraryWindow& operator=(const LibraryWindow&) = delete;

  // Shows the window (again) and waits until a game is chosen or the window is closed. A
  // message to show first (a damaged library, a game that could not start) may be given.
  Result run(const std::string& message = "");
  // Hides the window while a game plays.
  void hide();

 private:
  class View;
  std::unique_ptr<View> view_;
};

inline constexpr const char* kLibraryTitle = "Talewick Library";

}  // namespace tw::platform
