// The frame file (".fme"): what a frame shows and does when it is entered.
//
// Fields are read strictly in order. After fields 10, 13, 22, 23, 25, 26 and 28 and after
// the channel table the reader stops when the file ends there; later fields keep their
// defaults (music loops by default; the video is played after drawing by default). The
// frame-timer transition fields are written into the game only when the file holds them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "media/SoundChannel.h"
#include "vbscript/Variant.h"

namespace tw {

class FieldReader;

struct FrameFile {
  std::int16_t backgroundType = 0;   // 1
  std::string backgroundValue;       // 2
  bool backgroundTiled = false;      // 3
  bool restartMusic = false;         // 4
  std::string musicFile;             // 5
  bool timerOn = false;              // 6
  vbs::Variant timerDelay;           // 7, seconds as decimal text (Empty when left out)
  std::string timerTarget;           // 8
  std::string videoFile;             // 9
  bool stopAllSounds = false;        // 11
  bool stopSoundWhenSilent = false;  // 12
  std::string soundFile;             // 13
  bool videoInFrame = false;         // 17
  bool videoInCutScene = false;      // 18
  std::int16_t videoLeft = 0;        // 19-22, pixels
  std::int16_t videoTop = 0;
  std::int16_t videoWidth = 0;
  std::int16_t videoHeight = 0;
  bool musicLoops = true;            // 23
  std::optional<bool> timerTransition;            // 24
  std::optional<std::int32_t> timerTransitionMs;  // 25
  std::optional<std::int16_t> timerTransitionNumber;  // 26
  bool runScript = false;            // 27
  std::string script;                // 28, "|" still standing for a double quote
  bool videoFirst = false;           // 39
};

// Reads a whole frame file; channel rows go into the table by the frame's rules (a channel
// an action has just set keeps its setting). Throws VbError on a damaged file.
void ReadFrameFile(FieldReader& in, FrameFile& frame, SoundChannelTable& channels);

// "|" stands for a double quote in stored script texts.
std::string RestoreQuotes(const std::string& text);

}  // namespace tw
