#include "project/MessageTable.h"

#include <utility>

#include "common/FieldReader.h"
#include "platform/Platform.h"
#include "project/Player.h"
#include "vbscript/VbError.h"

namespace tw {

namespace {

struct BuiltIn {
  const char* game;
  const char* program;  // nullptr: the same as the game wording
};

// Index = entry number. The texts are the player's own and are shown exactly as written,
// including "the click" in 30 and 34 and the two blanks before "Load..." and "Save...".
constexpr BuiltIn kBuiltIn[52] = {
    /* 0 */ {"", nullptr},
    /* 1 */ {"Start New Game", "Start"},
    /* 2 */ {"Load Game...", "  Load..."},
    /* 3 */ {"Exit", nullptr},
    /* 4 */ {"Created By:", nullptr},
    /* 5 */ {"E-mail:", nullptr},
    /* 6 */ {"Web site:", nullptr},
    /* 7 */ {"Change display resolution to", nullptr},
    /* 8 */ {"Save Game...", "  Save..."},
    /* 9 */ {"Please select something.", nullptr},
    /* 10 */ {"Do you really want to quit?", nullptr},
    /* 11 */ {"Cancel", nullptr},
    /* 12 */ {"Exit", nullptr},
    /* 13 */ {"Do you want to open the default mail client to send an e-mail to:", nullptr},
    /* 14 */ {"Do you want to visit", nullptr},
    /* 15 */ {"(You must be connected to the Internet)", nullptr},
    /* 16 */ {"", nullptr},
    /* 17 */ {"Load a previously saved game", "Load"},
    /* 18 */
    {"Select the game you wish to load and click 'LOAD'",
     "Select the file you wish to load and click 'LOAD'"},
    /* 19 */ {"LOAD", nullptr},
    /* 20 */ {"", nullptr},
    /* 21 */ {"Save the current game", "Save"},
    /* 22 */ {"Remove Selected", nullptr},
    /* 23 */
    {"Enter the name of the game you want to save", "Enter the name of the file you want to save"},
    /* 24 */ {"already exists. Do you want to replace it?", nullptr},
    /* 25 */ {"SAVE", nullptr},
    /* 26 */ {"Remove Saved Game", "Remove Saved File"},
    /* 27 */ {"Do you really want to remove", nullptr},
    /* 28 */ {"", nullptr},
    /* 29 */ {"Error", nullptr},
    /* 30 */
    {"An error has occurred. The game may not work properly. Press 'Esc' and the click 'Exit' "
     "to quit.",
     "An error has occurred. The program may not work properly. Press 'Esc' and the click "
     "'Exit' to quit."},
    /* 31 */ {"Error description:", nullptr},
    /* 32 */ {"Do you want to continue anyway? (not recommended)", nullptr},
    /* 33 */ {"The following file is missing:", nullptr},
    /* 34 */
    {"This file may have been moved or removed from its original location. The game may not "
     "work properly until the missing file is placed back in its original location. Press "
     "'Esc' and the click 'Exit' to quit.",
     "This file may have been moved or removed from its original location. The program may not "
     "work properly until the missing file is placed back in its original location. Press "
     "'Esc' and the click 'Exit' to quit."},
    /* 35 */ {"Please do not use any of the following characters:", nullptr},
    /* 36 */
    {"Please insert the CD in the CD-ROM drive and then click 'OK'.",
     "Please insert the CD in the CD-Rom drive and then click 'OK'."},
    /* 37 */ {"CD-ROM Drive:", "CD-Rom drive:"},
    /* 38 */
    {"The selected device is unavailable. Make sure that the CD-ROM drive letter is right and "
     "that the disk is properly inserted, and then try again.",
     "The selected device is unavailable. Make sure that the CD-Rom drive letter is right and "
     "that the disk is properly inserted, and then try again."},
    /* 39 */ {"", nullptr},
    /* 40 */
    {"Warning! Your system is set to use large fonts. This program will NOT work properly if "
     "you don't change this setting. Do you want to continue anyway? (not recommended)",
     nullptr},
    /* 41 */
    {"To fix this problem, go to the 'Control Panel' (from the 'Settings' menu of the Start "
     "Menu), double-click 'Display', click the 'Settings' tab, click 'Advanced...' and select "
     "'Small Fonts' under 'Font size'. Click 'OK' and restart your computer.",
     nullptr},
    /* 42 */ {"", nullptr},
    /* 43 */ {"The following folder is missing:", nullptr},
    /* 44 */ {"Make sure that the disk is properly inserted, and then try again.", nullptr},
    /* 45 */ {"File Not Found:", nullptr},
    /* 46 */ {"The file may be missing, or you may have inserted the wrong CD.", nullptr},
    /* 47 */ {"Please insert the CD#", nullptr},
    /* 48 */ {"in the CD-Rom drive and click OK to continue...", nullptr},
    /* 49 */ {"Options", nullptr},
    /* 50 */ {"Disable Transitions", nullptr},
    /* 51 */ {"Disable Real-Time Effects", nullptr},
};

const std::string kNoEntry;

}  // namespace

const std::string& MessageTable::operator[](int n) const {
  if (n < 0 || n >= kSize) return kNoEntry;
  return entries_[static_cast<std::size_t>(n)];
}

void MessageTable::set(int n, std::string text) {
  if (n < 0 || n >= kSize) throw vbs::VbError(vbs::err::kSubscriptOutOfRange);
  entries_[static_cast<std::size_t>(n)] = std::move(text);
}

const char* BuiltInMessage(int n, bool gameWording) {
  if (n < 1 || n > 51) return "";
  const BuiltIn& entry = kBuiltIn[n];
  if (gameWording || entry.program == nullptr) return entry.game;
  return entry.program;
}

void FillMessageTable(MessageTable& table, bool gameWording) {
  for (int n = 1; n <= 51; ++n) table.set(n, BuiltInMessage(n, gameWording));
}

void LoadTextsFile(Player& player) {
  const std::string path = player.folders.ConfigFolder + "Texts";
  if (!player.files.exists(path)) {
    FillMessageTable(player.messages, false);
    return;
  }
  try {
    FieldReader reader = FieldReader::Open(player.files, path);
    const int mode = reader.readInteger();
    switch (mode) {
      case 0:
        FillMessageTable(player.messages, false);
        break;
      case 1:
        FillMessageTable(player.messages, true);
        break;
      case 2: {
        FillMessageTable(player.messages, false);
        reader.skip(5);
        const int count = reader.readInteger();
        for (int i = 1; i <= count; ++i) player.messages.set(i, reader.readAny().toString());
        break;
      }
      default:
        break;
    }
  } catch (const std::exception&) {
    player.platform().messageBox(platform::MakeBox(
        "Error", "Unable to load text.", platform::MsgIcon::Error, platform::MsgButtons::Ok));
    FillMessageTable(player.messages, false);
  }
}

}  // namespace tw
