// GameFolder: a throw-away game folder for tests.
//
// Creates a fresh temporary folder with the sub-folders a game has, writes data files into
// it the way the editor does (CR LF line ends) and removes everything when it goes away.
// Helpers build the usual files ("General", "Variables", ...) from field lists so tests
// read like the files they describe.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace tw::test {

class GameFolder {
 public:
  GameFolder();
  ~GameFolder();
  GameFolder(const GameFolder&) = delete;
  GameFolder& operator=(const GameFolder&) = delete;

  // The folder, ending in "/".
  std::string path() const;
  // The full path of a file inside the folder ("Config/General").
  std::string file(std::string_view relative) const;

  // Writes bytes exactly as given, creating folders on the way.
  void write(std::string_view relative, std::string_view bytes) const;
  // Writes one line per entry, each ended by CR LF.
  void writeLines(std::string_view relative, const std::vector<std::string>& lines) const;
  void remove(std::string_view relative) const;
  bool exists(std::string_view relative) const;

  // "Config/General" with the given fields (already in file form: "\"Title\"", "640",
  // "#TRUE#"), one per line.
  void writeGeneral(const std::vector<std::string>& fields) const;
  // "Config/Variables": the leading field, then one quoted name per line.
  void writeVariables(const std::vector<std::string>& names) const;

 private:
  std::filesystem::path root_;
};

// A quoted field as the editor writes text.
std::string Quoted(std::string_view text);

// The 47 fields of a complete "General" in file form, with sensible values; tests change
// single entries (index = field number - 1) or cut the list after a group.
std::vector<std::string> FullGeneralFields();

}  // namespace tw::test
