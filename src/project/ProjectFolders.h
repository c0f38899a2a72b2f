// ProjectFolders: the game folder and its sub-folders, each ending in "/".
//
// Set once by InitializeProject and read-only afterwards. A game in "/" gives "/Frames/",
// never "//Frames/".
#pragma once

#include <string>
#include <string_view>

namespace tw {

struct ProjectFolders {
  std::string ProjectFolder;    // saved games, the transition work file, "RunFromCD.dat"
  std::string FramesFolder;     // frame files and per-frame effect files
  std::string AreasFolder;      // hotspot, item and combination files, hotspot sounds
  std::string IconsFolder;      // pointer pictures
  std::string ConfigFolder;     // "General", "Texts", "Variables", "Procedures", ...
  std::string SchemesFolder;    // one sub-folder per start-up window scheme
  std::string InventoryFolder;  // inventory button and background pictures
  std::string GamePath;         // the game folder as scripts see it
};

// The folder text with exactly one trailing "/" ("" stays "", "/" stays "/").
std::string WithTrailingSlash(std::string_view folder);

// The folder as an absolute path with one trailing "/": a relative folder is taken from the
// current directory at once, so the folder globals, the path scripts read and the texts of
// warnings name the same folder wherever the process later stands. "." and ".." are applied
// to the text. "" stays "".
std::string AbsoluteFolder(std::string_view folder);

}  // namespace tw
