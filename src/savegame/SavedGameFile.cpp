// Writing and reading the records of a saved game.
#include "savegame/SavedGameFile.h"

#include <cstdio>
#include <ctime>

#include "common/FieldReader.h"
#include "vbscript/VbError.h"

namespace tw {

namespace {

// A count read as any value, the way a For loop takes its upper bound: numbers are
// rounded as CLng does, text must be numeric, Empty is 0, Null cannot count.
std::int64_t CountOf(const vbs::Variant& value) {
  if (value.type() == vbs::VarType::Null) throw vbs::VbError(vbs::err::kInvalidUseOfNull);
  return value.toLong();
}

// Record 1 and the names of records 7 and 9 are read as any value and used as text: an
// unquoted number names the frame "5".
std::string TextOf(const vbs::Variant& value) {
  if (value.type() == vbs::VarType::Null) throw vbs::VbError(vbs::err::kInvalidUseOfNull);
  return value.toString();
}

}  // namespace

std::string SaveDateText(int year, int month, int day) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d", month, day, year);
  return buffer;
}

std::string TodaySaveDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return SaveDateText(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

FieldWriter WriteSavedGame(const SavedGame& game, const SavedGameStamp& stamp) {
  FieldWriter out;
  out.writeString(game.frame);
  out.writeInteger(static_cast<std::int32_t>(game.variables.size()));
  for (const auto& [name, value] : game.variables) {
    out.writeString(name);
    out.writeInteger(value);
  }
  out.writeInteger(static_cast<std::int32_t>(game.disappeared.size()));
  for (const auto& [frame, hotspot] : game.disappeared) {
    out.writeString(frame);
    out.writeInteger(hotspot);
  }
  out.writeInteger(static_cast<std::int32_t>(game.items.size()));
  for (const std::string& item : game.items) out.writeString(item);
  const std::vector<std::string> noHistory;
  const std::vector<std::string>& history = game.history ? *game.history : noHistory;
  out.writeInteger(static_cast<std::int32_t>(history.size()));
  for (const std::string& frame : history) out.writeString(frame);
  for (int i = 0; i < 3; ++i) out.writeString("");
  out.writeString(stamp.projectId);
  out.writeString(stamp.gameTitle);
  out.writeString(stamp.date);
  out.writeString(kSavedGameVersion);
  if (game.variants) {
    out.writeInteger(static_cast<std::int32_t>(game.variants->size()));
    for (const auto& [name, value] : *game.variants) {
      out.writeString(name);
      out.writeVariant(value);
    }
  } else {
    out.writeInteger(0);
  }
  return out;
}

SavedGame ReadSavedGame(FieldReader& in) {
  SavedGame game;
  game.frame = TextOf(in.readAny());

  const std::int16_t variableCount = in.readInteger();
  for (std::int16_t i = 0; i < variableCount; ++i) {
    std::string name = in.readString();
    const std::int16_t value = in.readInteger();
    game.variables.emplace_back(std::move(name), value);
  }

  const std::int64_t disappearedCount = CountOf(in.readAny());
  for (std::int64_t i = 0; i < disappearedCount; ++i) {
    std::string frame = in.readString();
    const std::int16_t hotspot = in.readInteger();
    game.disappeared.emplace_back(std::move(frame), hotspot);
  }

  const std::int64_t itemCount = CountOf(in.readAny());
  for (std::int64_t i = 0; i < itemCount; ++i) game.items.push_back(TextOf(in.readAny()));

  if (!in.atEnd()) {
    game.history.emplace();
    const std::int64_t historyCount = CountOf(in.readAny());
    for (std::int64_t i = 0; i < historyCount; ++i) game.history->push_back(TextOf(in.readAny()));
  }
  if (!in.atEnd()) in.skip(7);
  if (!in.atEnd()) {
    game.variants.emplace();
    const std::int64_t variantCount = CountOf(in.readAny());
    for (std::int64_t i = 0; i < variantCount; ++i) {
      std::string name = in.readString();
      vbs::Variant value = in.readAny();
      game.variants->emplace_back(std::move(name), std::move(value));
    }
  }
  return game;
}

}  // namespace tw
