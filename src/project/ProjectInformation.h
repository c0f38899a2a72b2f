// Reading "Config/General", the game's own settings.
//
// The file is read field by field in a fixed order, in groups; a group is read only when
// the file has data left after the previous one, so files written by older editors keep
// the defaults of the groups they lack. A damaged file gives the standard error box
// " Error loading project information." and keeps what was read up to the failure.
#pragma once

namespace tw {

class Player;
struct ProjectSettings;

void SetProjectInformationDefaults(ProjectSettings& settings);
void LoadProjectInformation(Player& player);

}  // namespace tw
