#include "support/GameFolder.h"

#include <unistd.h>
#include <atomic>
#include <fstream>
#include <stdexcept>

namespace tw::test {

namespace fs = std::filesystem;

namespace {
std::atomic<int> folderCounter{0};
}

GameFolder::GameFolder() {
  const fs::path base = fs::temp_directory_path();
  for (int attempt = 0; attempt < 1000; ++attempt) {
    fs::path candidate = base / ("talewick-test-" + std::to_string(::getpid()) + "-" +
                                 std::to_string(folderCounter++));
    std::error_code ec;
    if (fs::create_directory(candidate, ec)) {
      root_ = candidate;
      for (const char* sub : {"Frames", "Areas", "Icons", "Config", "Schemes", "Inventory"}) {
        fs::create_directory(root_ / sub);
      }
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary game folder");
}

GameFolder::~GameFolder() {
  std::error_code ec;
  fs::remove_all(root_, ec);
}

std::string GameFolder::path() const {
  return root_.string() + "/";
}

std::string GameFolder::file(std::string_view relative) const {
  return path() + std::string(relative);
}

void GameFolder::write(std::string_view relative, std::string_view bytes) const {
  const fs::path target = root_ / fs::path(std::string(relative));
  fs::create_directories(target.parent_path());
  std::ofstream out(target, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + target.string());
}

void GameFolder::writeLines(std::string_view relative,
                            const std::vector<std::string>& lines) const {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  write(relative, text);
}

void GameFolder::remove(std::string_view relative) const {
  std::error_code ec;
  fs::remove(root_ / fs::path(std::string(relative)), ec);
}

bool GameFolder::exists(std::string_view relative) const {
  return fs::exists(root_ / fs::path(std::string(relative)));
}

void GameFolder::writeGeneral(const std::vector<std::string>& fields) const {
  writeLines("Config/General", fields);
}

void GameFolder::writeVariables(const std::vector<std::string>& names) const {
  std::vector<std::string> lines{"1"};
  for (const std::string& name : names) lines.push_back(Quoted(name));
  writeLines("Config/Variables", lines);
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

std::vector<std::string> FullGeneralFields() {
  return {
      Quoted("GAME-ID-1"),            // 1 ProjectId
      Quoted("editor"),               // 2
      Quoted("The Lighthouse"),       // 3 GameTitle
      "3",                            // 4
      Quoted("Beach"),                // 5 StartFrame
      Quoted("1.2"),                  // 6 GameVersion
      "640",                          // 7 GameWidth
      "480",                          // 8 GameHeight
      Quoted("Ada Author"),           // 9
      Quoted("ada@example.org"),      // 10
      Quoted("http://example.org/"),  // 11
      "2",                            // 12 ResolutionChangeMode
      "0",
      "0",
      "0",              // 13-15
      Quoted("Ocean"),  // 16 SchemeName
      "0",
      "0",
      "0",        // 17-19
      "#TRUE#",   // 20 DisableLoadGame
      "#FALSE#",  // 21 DisableSaveGame
      "0",        // 22
      "0",
      "0",                   // 23-24
      "12",                  // 25 InventorySpacingX
      "14",                  // 26 InventorySpacingY
      "#FALSE#",             // 27 UseInventoryBar
      "#FALSE#",             // 28 SlideInventoryOpen
      "#TRUE#",              // 29 SlideInventoryClose
      "#FALSE#",             // 30 HideInventoryButtonWhenEmpty
      "#FALSE#",             // 31 OpenInventoryOnPickUp
      "#TRUE#",              // 32 CustomInventoryPictures
      Quoted("button.bmp"),  // 33
      Quoted("back.bmp"),    // 34
      "1",                   // 35 GameResolution
      "0",
      "0",                 // 36-37
      Quoted("hand.cur"),  // 38 CursorFile
      "0",
      "0",        // 39-40
      "#TRUE#",   // 41 WindowedMode
      "0",        // 42
      "#TRUE#",   // 43 SkipStartupWindow
      "#FALSE#",  // 44 HideToolLogo
      "0",        // 45
      "#TRUE#",   // 46 HideTransitionsOption
      "#TRUE#",   // 47 HideEffectsOption
  };
}

}  // namespace tw::test
