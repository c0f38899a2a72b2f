// GameLibrary: the user's list of games, kept between runs.
//
// One JSON file in the user's data folder ($XDG_DATA_HOME/talewick/library.json) lists each
// game once: its folder (absolute, links resolved), title and ProjectId as last read, when it
// was added and last played, and the time played in total. Every change reads the file
// again first, so two players running at once do not undo each other's changes, and writes
// it whole beside the old one before the rename (AtomicFile). A file that cannot be read as a
// library is kept aside as "library.json.bak" and the library starts empty: the player never
// fails to start because of it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tw::library {

struct LibraryGame {
  std::string folder;  // absolute, links resolved, no trailing "/"
  std::string title;   // GameTitle; "" when the game has none
  std::string projectId;
  std::int64_t added = 0;       // seconds since 1970
  std::int64_t lastPlayed = 0;  // 0: never played
  std::int64_t secondsPlayed = 0;
};

// The folder a game is known by: absolute, symbolic links resolved, no trailing "/". A
// folder that cannot be resolved (gone) is made absolute and normalised only.
std::string CanonicalFolder(const std::string& folder);

class GameLibrary {
 public:
  // The library kept in `path` (its folder is made on the first write).
  explicit GameLibrary(std::string path);

  // The default file: <data>/talewick/library.json, where <data> is XDG_DATA_HOME when it is
  // absolute, else ~/.local/share; "" when neither is known.
  static std::string DefaultPath();

  // Reads the file again. A damaged file is moved aside (see above) and its problem given by
  // lastProblem(); a missing file is an empty library without a problem.
  void reload();
  const std::vector<LibraryGame>& games() const { return games_; }
  // What went wrong in the last reload or write, "" when nothing did.
  const std::string& lastProblem() const { return problem_; }
  // The file did not exist at the last reload (a new user).
  bool isNew() const { return isNew_; }

  const LibraryGame* find(const std::string& folder) const;
  // Where the library keeps its small picture of the game: "pictures/<hash>.png" beside the
  // list. The file may not exist yet.
  std::string picturePath(const std::string& folder) const;

  enum class Added { New, AlreadyThere, NotSaved };
  // Adds the game (the caller checked it is one) or refreshes its title and id. `now`:
  // seconds since 1970.
  Added add(const std::string& folder, const std::string& title, const std::string& projectId,
            std::int64_t now);
  bool remove(const std::string& folder);
  // The game at `oldFolder` now lives at `newFolder`; its history stays. A game already
  // listed at `newFolder` keeps its own entry and the old one goes.
  bool relocate(const std::string& oldFolder, const std::string& newFolder,
                const std::string& title, const std::string& projectId);
  // A session of `seconds` of play ended at `now`.
  bool recordPlay(const std::string& folder, std::int64_t now, std::int64_t seconds);

 private:
  // Reloads, applies `change` to the fresh list, and writes when it returned true.
  template <typename Change>
  bool update(Change change);
  bool write();

  std::string path_;
  std::vector<LibraryGame> games_;
  std::string problem_;
  bool isNew_ = false;
  // The file is there but cannot be read (or there is no path): never written over.
  bool blocked_ = false;
};

// The library as text: one game a line, "title<TAB>folder" (a game whose folder has gone
// ends with "<TAB>missing").
std::string LibraryAsText(const std::vector<LibraryGame>& games);
// The library as a JSON array of {title, folder, project_id, added, last_played,
// seconds_played, missing}.
std::string LibraryAsJson(const std::vector<LibraryGame>& games);

// Whether the game's folder is still there.
bool FolderPresent(const std::string& folder);

}  // namespace tw::library
