// ProjectSettings: the game's own settings, read once from "Config/General" at start-up.
//
// Strings start empty, numbers 0 and booleans false until the defaults are set; after
// start-up they are read-only, except the two scheme fields that the start-up window's
// scheme writes later.
#pragma once

#include <cstdint>
#include <string>

namespace tw {

struct ProjectSettings {
  std::string ProjectId;
  std::string GameTitle;
  std::string StartFrame;
  std::string GameVersion;
  std::int16_t GameWidth = 0;
  std::int16_t GameHeight = 0;
  std::string AuthorName;
  std::string AuthorEmail;
  std::string AuthorWebSite;
  // 1: the start-up window offers to switch the display to the game's resolution.
  // Not touched by the defaults: a "General" that ends before it leaves the old value.
  std::int16_t ResolutionChangeMode = 0;
  std::string SchemeName;
  bool DisableLoadGame = false;
  bool DisableSaveGame = false;
  std::int32_t InventorySpacingX = 0;
  std::int32_t InventorySpacingY = 0;
  bool UseInventoryBar = false;
  bool SlideInventoryOpen = false;
  bool SlideInventoryClose = false;
  bool HideInventoryButtonWhenEmpty = false;
  bool OpenInventoryOnPickUp = false;
  bool CustomInventoryPictures = false;
  std::string InventoryButtonPicture;
  std::string InventoryBackgroundPicture;
  // 0 = 640 x 480, 1 = 800 x 600, 2 = 1024 x 768.
  std::int16_t GameResolution = 0;
  std::string CursorFile;
  bool WindowedMode = false;
  bool SkipStartupWindow = false;
  bool HideToolLogo = false;
  bool HideTransitionsOption = false;
  bool HideEffectsOption = false;
  // Written by the start-up window's scheme, not by "General".
  std::int16_t SchemeLogoStyle = 0;
  bool SchemeLogoAlternate = false;
};

}  // namespace tw
