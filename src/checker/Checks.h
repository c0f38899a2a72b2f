// The checks of one game, one function per kind of data file. Each reads its files the way
// the player reads them and reports to the context; none stops at a fault, so one run lists
// every fault of the game.
#pragma once

#include <string>

namespace tw::checker {

class CheckContext;
class ScriptCheck;

// "Config": "General" (and the scheme it names), "Texts", "Variables" (declares the variables: run
// it before the others), "Procedures", "Resume", "CDContents" (sets the CD index: run it before the
// data files).
void CheckGeneral(CheckContext& context);
void CheckTexts(CheckContext& context);
void CheckVariables(CheckContext& context);
void CheckProcedures(CheckContext& context, ScriptCheck& scripts);
void CheckResume(CheckContext& context);
void CheckCdContents(CheckContext& context);

// Every frame of "Frames" with its hotspots and texts in "Areas/<frame>/".
void CheckFrames(CheckContext& context, ScriptCheck& scripts);

// One hotspot of a frame: its geometry, click action, item, sound channels and the actions
// of items dropped on it. False when its geometry file is missing (not reported: the caller
// reports it, summing up a frame that claims many more hotspots than it has).
bool CheckHotspot(CheckContext& context, ScriptCheck& scripts, const std::string& frame,
                  int number);

// An action record: a hotspot's "<n>b.dat" or "<n>_<item>.drg".
void CheckActionRecord(CheckContext& context, ScriptCheck& scripts, const std::string& path);

// A sound channel file: a frame's ".chn", a hotspot's "<n>d.dat" or "<n>_<item>.chn".
void CheckChannelFile(CheckContext& context, const std::string& path);

// Every item (".obj") and item combination ("<a>_on_<b>.drg") of "Areas".
void CheckItems(CheckContext& context, ScriptCheck& scripts);

}  // namespace tw::checker
