// Writers for the data files of frames and hotspots, in the editor's field order, so tests
// can describe a game in a few lines: frames with backgrounds and timers, hotspots with
// their geometry and actions, texts.
#pragma once

#include <string>
#include <vector>

#include "support/GameFolder.h"

namespace tw::test {

struct FrameSpec {
  int backgroundType = 0;
  std::string background = "0";  // colour number, or picture file
  bool tiled = false;
  std::string music;
  bool timerOn = false;
  std::string timerDelay = "0";  // seconds
  std::string timerTarget;
  bool timerTransition = false;
  int timerTransitionMs = 0;
  int timerTransitionNumber = 0;
  bool runScript = false;
  std::string script;
  // Cut the file after this many fields (0: write all 39).
  int fieldCount = 0;
};

struct HotspotSpec {
  int left = 0, top = 0, width = 100, height = 100;  // pixels; written as twips
  std::string animated = "0";                          // 5, any field text
  bool hasPicture = false;
  std::string picture;
  int stretch = 0;
  std::string pointer;
  std::vector<std::string> mustBeOne;   // list A
  std::vector<std::string> mustBeZero;  // list B
  std::string speed;                    // 11, written only when not empty
  bool conditional() const { return !mustBeOne.empty() || !mustBeZero.empty(); }
};

struct ActionSpec {
  std::string variable;       // 2, with 1 on when not empty
  bool setZero = false;       // 3
  bool setOne = false;        // 4
  bool invert = false;        // 5
  bool showMessage = false;   // 6
  std::string message;        // 7
  bool disappear = false;     // 10
  bool endGame = false;       // 11
  std::string goTo;           // 12-13
  bool goBack = false;        // 32
  bool messageInFrame = false;  // 36
  std::vector<std::string> listZero, listOne, listInvert;  // 40 and the lists
  bool runScript = false;     // 44
  std::string script;         // 45
  std::string giveItem;       // 57-58
  // Cut the file after this many fields (0: write them all).
  int fieldCount = 0;
};

struct TextSpec {
  std::string caption;
  int left = 0, top = 0;  // twips
  bool bold = false, italic = false;
  std::string font = "Arial";
  double size = 12;
  int colour = 0;
};

// Frame N: "Frames/N.fme" and, with hotspots, "Frames/N.lks".
void WriteFrame(const GameFolder& game, const std::string& name, const FrameSpec& frame,
                int hotspotCount = 0);
std::vector<std::string> FrameFields(const FrameSpec& frame);

void WriteHotspot(const GameFolder& game, const std::string& frame, int number,
                  const HotspotSpec& hotspot);
void WriteAction(const GameFolder& game, const std::string& frame, int number,
                 const ActionSpec& action);
std::vector<std::string> ActionFields(const ActionSpec& action);
void WriteText(const GameFolder& game, const std::string& frame, const std::string& file,
               const TextSpec& text);

// "General" for a game of that start frame (640 x 480, windowed when asked).
void WriteSmallGeneral(const GameFolder& game, const std::string& startFrame, bool windowed,
                       bool skipStartupWindow = true);

}  // namespace tw::test
