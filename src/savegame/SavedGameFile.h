// SavedGameFile: the saved-game file — what it holds, and writing and reading it field by
// field.
//
// A saved game is a text file of one value per line (CR LF), in the player's sequential
// field form (FieldWriter / FieldReader). Records, in file order:
//    1 current frame                  (text; read as any value)
//    2 integer variable count         (number; read as 16-bit)
//    3 count x (name text, value)     (value read as 16-bit)
//    4 disappeared count              (read as any value)
//    5 count x (frame text, hotspot)  (hotspot read as 16-bit)
//    6 item count, 7 count x item name
//    8 history count, 9 count x frame name, first visited first
//   10 three empty texts, 11 ProjectId, 12 GameTitle, 13 save date "mm/dd/yyyy",
//   14 "Version 3.2.2"                (seven fields, written but never used on reading)
//   15 variant variable count, 16 count x (name text, value of any kind)
// Older files end after record 7 or after record 9: the reader tests for the end of the
// file before records 8, 10 and 15 and then leaves the missing groups absent.
//
// Reading is all or nothing: ReadSavedGame either returns the whole content or throws, so
// a damaged file never leaves a half-restored game behind. Counts are never trusted for
// memory: entries are read one by one, and a count larger than the file runs into the end
// of the file (62 "Input past end of file").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/FieldWriter.h"
#include "vbscript/Variant.h"

namespace tw {

class FieldReader;

struct SavedGame {
  std::string frame;                                               // 1
  std::vector<std::pair<std::string, std::int16_t>> variables;     // 2-3
  std::vector<std::pair<std::string, std::int16_t>> disappeared;   // 4-5
  std::vector<std::string> items;                                  // 6-7
  std::optional<std::vector<std::string>> history;                 // 8-9
  std::optional<std::vector<std::pair<std::string, vbs::Variant>>> variants;  // 15-16
};

// Records 11-13 as written.
struct SavedGameStamp {
  std::string projectId;
  std::string gameTitle;
  std::string date;  // mm/dd/yyyy
};

inline constexpr const char* kSavedGameVersion = "Version 3.2.2";
inline constexpr const char* kSavedGameExtension = ".sav";

// The save date: two-digit month, "/", two-digit day, "/", the full year.
std::string SaveDateText(int year, int month, int day);
// Today's date on this machine's clock, in that form.
std::string TodaySaveDate();

// Every record of the file, in order. A history or variant list that is absent is written
// as an empty one (count 0). Throws vbs::VbError 13 for a variant with no written form
// (an object or an array).
FieldWriter WriteSavedGame(const SavedGame& game, const SavedGameStamp& stamp);

// Reads a whole saved game; throws vbs::VbError for the first field that cannot be read or
// does not fit its record (13 Type mismatch, 6 Overflow, 62 Input past end of file, 94
// Invalid use of Null).
SavedGame ReadSavedGame(FieldReader& in);

}  // namespace tw
