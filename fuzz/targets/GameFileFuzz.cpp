// Fuzz target, one program per kind of game file (TW_FUZZ_KIND): the input takes the place
// of every file of that kind that the fixed replay reaches in the demo game — the project's
// Config files, the start-up window's scheme, frame files and hotspot lists, hotspot
// records, texts, item files, sound channel files, the rippling water, the base saved game
// — and the game is played. A damaged file may only give the boxes a damaged file gives.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "support/FuzzGame.h"

namespace {

struct Kind {
  const char* name;
  std::vector<const char*> patterns;  // files of the demo that the input replaces
  std::vector<const char*> added;     // files the input is written to though the demo lacks them
  std::vector<const char*> markers;   // empty files that switch on what reads the kind
};

const std::vector<Kind>& Kinds() {
  static const std::vector<Kind> kinds = {
      {"general", {"Config/General"}, {}, {}},
      {"texts", {"Config/Texts"}, {}, {}},
      {"variables", {"Config/Variables"}, {}, {}},
      {"procedures", {"Config/Procedures"}, {}, {}},
      {"resume", {}, {"Config/Resume"}, {}},
      {"cdcontents", {}, {"Config/CDContents"}, {"RunFromCD.dat"}},
      {"scheme", {"Schemes/Lighthouse/Scheme.txt"}, {}, {}},
      {"frame", {"Frames/LampRoom.fme", "Frames/Beach.fme"}, {}, {}},
      {"lks", {"Frames/LampRoom.lks", "Frames/Beach.lks"}, {}, {}},
      {"adat", {"Areas/LampRoom/*a.dat", "Areas/Beach/*a.dat"}, {}, {}},
      {"bdat", {"Areas/LampRoom/*b.dat", "Areas/Beach/*b.dat"}, {}, {}},
      {"cdat",
       {"Areas/Beach/*c.dat"},
       {"Areas/LampRoom/1c.dat", "Areas/LampRoom/2c.dat", "Areas/LampRoom/3c.dat",
        "Areas/LampRoom/4c.dat", "Areas/LampRoom/5c.dat"},
       {}},
      {"drg", {"Areas/LampRoom/*.drg", "Areas/*_on_*.drg"}, {}, {}},
      {"lbl", {"Areas/LampRoom/*.lbl", "Areas/Beach/*.lbl"}, {}, {}},
      {"obj", {"Areas/*.obj"}, {}, {}},
      {"chn",
       {},
       {"Frames/LampRoom.chn", "Frames/Beach.chn", "Areas/LampRoom/1d.dat",
        "Areas/LampRoom/2d.dat", "Areas/LampRoom/3d.dat", "Areas/LampRoom/5d.dat",
        "Areas/LampRoom/2_Matches.chn", "Areas/LampRoom/2_OiledWick.chn",
        "Areas/LampRoom/3_Matches.chn", "Areas/LampRoom/2_Wick.chn"},
       {}},
      {"rwe", {"Frames/Beach.rwe"}, {}, {}},
      {"savefile", {"fuzzbase.sav"}, {}, {}},
  };
  return kinds;
}

struct Target {
  Target() {
    for (const Kind& kind : Kinds()) {
      if (std::strcmp(kind.name, TW_FUZZ_KIND) != 0) continue;
      for (const char* pattern : kind.patterns) {
        for (auto& file : game.matching(pattern)) files.push_back(std::move(file));
      }
      for (const char* file : kind.added) files.emplace_back(file);
      for (const char* file : kind.markers) markers.emplace_back(file);
    }
    if (files.empty()) __builtin_trap();  // a kind the demo no longer has
  }
  tw::fuzz::FuzzGame game;
  std::vector<std::string> files;
  std::vector<std::string> markers;
};

Target& TheTarget() {
  static Target target;
  return target;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 256 * 1024) return -1;
  Target& target = TheTarget();
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (const auto& file : target.files) target.game.put(file, bytes);
  for (const auto& marker : target.markers) target.game.put(marker, "");
  target.game.playAll();
  return 0;
}
