#include "project/ProjectInformation.h"

#include <exception>

#include "common/FieldReader.h"
#include "project/ErrorBoxes.h"
#include "project/Player.h"

namespace tw {

void SetProjectInformationDefaults(ProjectSettings& s) {
  s.ProjectId.clear();
  s.GameTitle.clear();
  s.StartFrame.clear();
  s.GameVersion.clear();
  s.GameWidth = 0;
  s.GameHeight = 0;
  s.AuthorName.clear();
  s.AuthorEmail.clear();
  s.AuthorWebSite.clear();
  s.SchemeName.clear();
  s.DisableLoadGame = false;
  s.DisableSaveGame = false;
  s.InventorySpacingX = 10;
  s.InventorySpacingY = 10;
  s.UseInventoryBar = true;
  s.SlideInventoryOpen = true;
  s.SlideInventoryClose = true;
  s.HideInventoryButtonWhenEmpty = true;
  s.OpenInventoryOnPickUp = true;
  s.CustomInventoryPictures = false;
  s.InventoryButtonPicture = "DEFAULT";
  s.InventoryBackgroundPicture = "DEFAULT";
  s.GameResolution = 0;
  s.CursorFile = "DEFAULT";
  s.WindowedMode = false;
  s.SkipStartupWindow = false;
  s.HideToolLogo = false;
  s.HideTransitionsOption = false;
  s.HideEffectsOption = false;
  s.SchemeLogoStyle = 0;
  s.SchemeLogoAlternate = false;
}

namespace {

// Fields of "General" in file order, one function per group. Each group starts only when
// the file has data left; the numbers in comments are the field positions.
void ReadGroups(FieldReader& in, ProjectSettings& s) {
  // Group 1: fields 1-11.
  s.ProjectId = in.readString();
  in.readString();  // 2: editor only
  s.GameTitle = in.readString();
  in.readInteger();  // 4: editor only
  s.StartFrame = in.readString();
  s.GameVersion = in.readString();
  s.GameWidth = in.readInteger();
  s.GameHeight = in.readInteger();
  s.AuthorName = in.readString();
  s.AuthorEmail = in.readString();
  s.AuthorWebSite = in.readString();

  // Group 2: field 12. Files that have it offer the display change unless they say no.
  if (in.atEnd()) return;
  s.ResolutionChangeMode = 1;
  s.ResolutionChangeMode = in.readInteger();

  // Group 3: fields 13-16.
  if (in.atEnd()) return;
  in.skip(3);
  s.SchemeName = in.readString();

  // Group 4: fields 17-22.
  if (in.atEnd()) return;
  in.skip(3);
  s.DisableLoadGame = in.readBoolean();
  s.DisableSaveGame = in.readBoolean();
  in.skip(1);

  // Group 5: fields 23-38.
  if (in.atEnd()) return;
  in.skip(2);
  s.InventorySpacingX = in.readLong();
  s.InventorySpacingY = in.readLong();
  s.UseInventoryBar = in.readBoolean();
  s.SlideInventoryOpen = in.readBoolean();
  s.SlideInventoryClose = in.readBoolean();
  s.HideInventoryButtonWhenEmpty = in.readBoolean();
  s.OpenInventoryOnPickUp = in.readBoolean();
  s.CustomInventoryPictures = in.readBoolean();
  s.InventoryButtonPicture = in.readString();
  s.InventoryBackgroundPicture = in.readString();
  s.GameResolution = in.readInteger();
  in.skip(2);
  s.CursorFile = in.readString();

  // Group 6: fields 39-41.
  if (in.atEnd()) return;
  in.skip(2);
  s.WindowedMode = in.readBoolean();

  // Group 7: fields 42-44 (the start-up window flag comes before the logo flag).
  if (in.atEnd()) return;
  in.skip(1);
  s.SkipStartupWindow = in.readBoolean();
  s.HideToolLogo = in.readBoolean();

  // Group 8: fields 45-46.
  if (in.atEnd()) return;
  in.skip(1);
  s.HideTransitionsOption = in.readBoolean();

  // Group 9: field 47.
  if (in.atEnd()) return;
  s.HideEffectsOption = in.readBoolean();
}

}  // namespace

void LoadProjectInformation(Player& player) {
  SetProjectInformationDefaults(player.settings);
  try {
    FieldReader reader = FieldReader::Open(player.files, player.folders.ConfigFolder + "General");
    ReadGroups(reader, player.settings);
  } catch (const std::exception&) {
    ShowStandardError(player, " Error loading project information.");
  }
}

}  // namespace tw
