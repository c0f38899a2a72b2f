// Scheme: the look of the start-up window, read from "Scheme.txt" in the scheme's folder.
//
// A scheme folder lies in SchemesFolder and holds "Scheme.txt" and the pictures it names.
// The file is a sequence of fields, read strictly in order:
//   3 fields ignored; P (count of picture names); P names (Img 0..2 = Start, Load, Exit
//   buttons, Img 3 = tiled background; "[none]" / "[default]" in any case = no picture);
//   C (colour format; 0 ends the scheme); window colour, title colour, text colour;
//   when C >= 4 the button text colour;
//   optional group: 3 ignored fields and the title flag (0 = title shown);
//   optional group: 1 ignored field, the logo style (16-bit) and the logo alternate flag.
// The two optional groups are read only when the file has data left before them.
//
// Reading stops at the first field that cannot be read: every value read before it is
// kept, nothing after it is taken, and nothing is reported (a damaged scheme is applied as
// far as it goes). A picture name that cannot be read counts as "[default]". Only the four
// picture slots the window has are kept; further names are read and dropped, so the fields
// after them still line up.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Colour.h"

namespace tw {

class FieldReader;
class Player;

struct SchemeDescription {
  static constexpr int kPictureSlots = 4;
  static constexpr int kBackgroundSlot = 3;

  bool found = false;  // "Scheme.txt" exists
  std::optional<std::int16_t> pictureCount;
  // One entry per slot read (at most kPictureSlots); "" = no picture.
  std::vector<std::string> pictures;
  std::optional<std::int16_t> colourFormat;
  std::optional<platform::Colour> windowColour;
  std::optional<platform::Colour> titleColour;
  std::optional<platform::Colour> textColour;
  std::optional<platform::Colour> buttonTextColour;  // only read when colourFormat >= 4
  std::optional<bool> titleShown;
  std::optional<std::int16_t> logoStyle;
  std::optional<bool> logoAlternate;
};

// The folder of a scheme: SchemesFolder + name + "/".
std::string SchemeFolder(const Player& player, const std::string& name);

// Reads the fields of a scheme file (see above); never throws.
SchemeDescription ReadSchemeFields(FieldReader& in);

// Finds and reads "Scheme.txt" of the named scheme; found is false when it does not exist.
SchemeDescription ReadScheme(Player& player, const std::string& name);

}  // namespace tw
