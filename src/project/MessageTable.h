// MessageTable: the 61 interface texts the player shows on its own behalf.
//
// Entries 1..51 have built-in English texts in two wordings (the game wording speaks of
// "the game", the program wording of "the program" and of files); the optional "Texts" file
// chooses the wording or replaces entries one by one. Entry 0 is never set by the built-in
// texts; 52..60 are only ever set by "Texts". All entries start empty.
#pragma once

#include <array>
#include <string>

namespace tw {

class Player;

class MessageTable {
 public:
  static constexpr int kSize = 61;

  // Entry n, or "" for an index outside 0..60.
  const std::string& operator[](int n) const;
  // Throws VbError 9 "Subscript out of range" outside 0..60, as the table has no such entry.
  void set(int n, std::string text);

 private:
  std::array<std::string, kSize> entries_;
};

// The built-in text of entry n (1..51) in one wording; "" for other indexes.
const char* BuiltInMessage(int n, bool gameWording);

// Writes entries 1..51 with the built-in texts; entries 0 and 52..60 are not touched.
void FillMessageTable(MessageTable& table, bool gameWording);

// Applies "Texts" from the config folder: mode 0 program wording, 1 game wording,
// 2 program wording with entries 1..C replaced by the file's texts; any other mode leaves
// the table as it is. A damaged file gives the box "Unable to load text." and the program
// wording (entries above 51 already replaced keep their new texts).
void LoadTextsFile(Player& player);

}  // namespace tw
