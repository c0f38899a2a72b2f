// CheckContext: what every check of a game shares — the game's folders and settings, found
// the way the player finds them, the list of findings, and the questions the checks ask
// about the game as a whole (does this frame exist, this item, this variable, this file).
//
// Nothing here plays the game or shows a window: the player's context runs on a headless
// platform with the game marked stopped, so the data-file locator answers without its
// missing-file box, and the checker reports the file instead.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "checker/Finding.h"
#include "multicd/CdIndex.h"

namespace tw {
class Player;
class FileResolver;
struct ProjectFolders;
namespace platform {
class HeadlessPlatform;
}
}  // namespace tw

namespace tw::checker {

// What a data file must be, to be read the way the player reads it.
enum class FileKind { Picture, Pointer, Sound, Video };

class CheckContext {
 public:
  // gameFolder must hold a game (see IsGameFolder).
  explicit CheckContext(const std::string& gameFolder);
  ~CheckContext();
  CheckContext(const CheckContext&) = delete;
  CheckContext& operator=(const CheckContext&) = delete;

  Player& player() { return *player_; }
  FileResolver& files();
  const ProjectFolders& folders() const;

  // The path as shown in findings: relative to the game folder, spelled as on disk.
  std::string shown(const std::string& path);

  void report(const std::string& path, std::string field, std::string problem);
  const std::vector<Finding>& findings() const { return findings_; }

  // The data file folder + name as the player locates it (as named, with its coded
  // extension, or listed on one of the game's CDs); reports it missing, empty or unreadable.
  // An empty name is reported as naming no file.
  void checkDataFile(const std::string& path, const std::string& field, const std::string& folder,
                     const std::string& name, FileKind kind);

  // Frame and item names as the player opens them ("Frames/<name>.fme", "Areas/<name>.obj").
  bool frameExists(const std::string& name);
  bool itemExists(const std::string& name);
  void checkFrameName(const std::string& path, const std::string& field, const std::string& name);
  void checkItemName(const std::string& path, const std::string& field, const std::string& name);

  // The declared variables ("Config/Variables"), set by the variables check.
  void declareVariable(const std::string& name, bool variant);
  // Hotspot conditions and action lists reach integer variables by their exact name.
  void checkListVariable(const std::string& path, const std::string& field,
                         const std::string& name);
  // Scripts reach every variable by its name without regard to case.
  bool isVariableForScripts(const std::string& name) const;

  // The index of a game run from CDs: files listed there may be absent from the game folder.
  void setCdIndex(CdIndex index) { cdIndex_ = std::move(index); }

 private:
  bool listedOnCd(const std::string& name) const;
  void checkReadable(const std::string& path, const std::string& shownName,
                     const std::string& field, const std::string& located, FileKind kind);
  // "" when the file opens as that kind, else what is wrong with it.
  std::string decodingProblem(const std::string& located, FileKind kind);

  std::unique_ptr<platform::HeadlessPlatform> platform_;
  std::unique_ptr<Player> player_;
  std::string root_;  // the game folder's real path, ending in "/"
  std::vector<Finding> findings_;
  std::map<std::string, bool> variables_;      // exact name -> variant
  std::map<std::string, std::string> folded_;  // folded name -> exact name
  CdIndex cdIndex_;
  std::map<std::pair<std::string, FileKind>, std::string> decoded_;  // -> decodingProblem
};

// "" when the folder holds a game, else why not ("... is not a game folder: no Config/General").
std::string GameFolderTrouble(const std::string& folder);

}  // namespace tw::checker
