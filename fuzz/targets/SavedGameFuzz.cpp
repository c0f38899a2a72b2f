// Fuzz target: reading a saved game. A file reads whole or raises a VbError; what reads
// must write back and read again to the same content, since a saved game that does not
// survive being saved again is a lost game.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/FieldReader.h"
#include "common/FieldWriter.h"
#include "common/TextEncoding.h"
#include "savegame/SavedGameFile.h"
#include "vbscript/VbError.h"

namespace {

bool SameVariant(const vbs::Variant& a, const vbs::Variant& b) {
  if (a.type() != b.type()) return false;
  if (a.isEmpty() || a.isNull()) return true;
  if (a.isString()) return a.rawString() == b.rawString();
  // An error value has no text (CStr of it is a type mismatch): its number is what counts.
  if (a.isError()) return a.rawInt() == b.rawInt();
  // Numbers print with 15 significant digits: what was written once prints the same again.
  return a.toString() == b.toString();
}

// Writes the game as the save does (text, then bytes on disk) and reads it back.
tw::SavedGame RoundTrip(const tw::SavedGame& game) {
  const tw::SavedGameStamp stamp{"Id", "Title", "01/02/2026"};
  const std::string onDisk = tw::EncodeSavedText(tw::WriteSavedGame(game, stamp).text());
  tw::FieldReader in(tw::DecodeDataText(onDisk));
  return tw::ReadSavedGame(in);
}

bool Same(const tw::SavedGame& a, const tw::SavedGame& b) {
  if (a.frame != b.frame || a.variables != b.variables || a.disappeared != b.disappeared ||
      a.items != b.items || a.history != b.history || a.variants.has_value() != b.variants.has_value()) {
    return false;
  }
  if (!a.variants) return true;
  if (a.variants->size() != b.variants->size()) return false;
  for (std::size_t i = 0; i < a.variants->size(); ++i) {
    if ((*a.variants)[i].first != (*b.variants)[i].first) return false;
    if (!SameVariant((*a.variants)[i].second, (*b.variants)[i].second)) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  tw::SavedGame game;
  try {
    tw::FieldReader in(tw::DecodeDataText(bytes));
    game = tw::ReadSavedGame(in);
  } catch (const vbs::VbError&) {
    return 0;
  }
  // The first save may change what cannot be written (a quote becomes an apostrophe, a
  // number keeps 15 digits); from then on saving and loading again must change nothing.
  const tw::SavedGame once = RoundTrip(game);
  const tw::SavedGame twice = RoundTrip(once);
  if (!Same(once, twice)) {
    __builtin_trap();
  }
  return 0;
}
