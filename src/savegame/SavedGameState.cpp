#include "savegame/SavedGameState.h"

#include "game/Game.h"

namespace tw {

namespace {
// The history never holds more frames than this (as the frame history keeps it).
constexpr std::size_t kHistoryLength = 20;
}  // namespace

SavedGame CaptureSavedGame(Game& game) {
  SavedGame saved;
  saved.frame = game.player().frame.CurrentFrameName;
  for (const auto& v : game.variables.Variables) saved.variables.emplace_back(v->Name, v->Value());
  for (const auto& d : game.variables.Disappear) saved.disappeared.emplace_back(d->Name, d->Value());
  for (std::int16_t i = 1; i <= game.ObjectsCount; ++i) saved.items.push_back(game.PickedObjectName(i));
  saved.history = game.FramesHistory;
  saved.variants.emplace();
  for (const auto& v : game.variables.VariablesVariant) saved.variants->emplace_back(v->Name, v->Value);
  return saved;
}

void RestoreSavedGame(Game& game, const SavedGame& saved) {
  for (const auto& [name, value] : saved.variables) {
    for (const auto& v : game.variables.Variables) {
      if (v->Name == name) v->setValue(value);
    }
  }
  for (const auto& [frame, hotspot] : saved.disappeared) game.variables.Disappear.Add(frame, hotspot);
  for (const std::string& item : saved.items) game.AddPickedObject(item, false);
  if (saved.history) {
    const std::vector<std::string>& h = *saved.history;
    const std::size_t first = h.size() > kHistoryLength ? h.size() - kHistoryLength : 0;
    game.FramesHistory.assign(h.begin() + static_cast<std::ptrdiff_t>(first), h.end());
  }
  if (saved.variants) {
    for (const auto& [name, value] : *saved.variants) {
      game.variables.ChangeVariableVariantValue(name, value);
    }
  }
}

}  // namespace tw
