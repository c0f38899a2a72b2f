#include "app/StateDump.h"

#include <nlohmann/json.hpp>

#include <cmath>

#include "app/GameSession.h"
#include "effects/VisualEffects.h"
#include "media/MediaSystem.h"
#include "platform/headless/HeadlessPlatform.h"
#include "savegame/Autosave.h"
#include "savegame/AutosaveFile.h"
#include "savegame/SavedGameList.h"
#include "savegame/SavedGamePicture.h"

namespace tw {

namespace {

using Json = nlohmann::ordered_json;

Json VariantToJson(const vbs::Variant& value) {
  switch (value.type()) {
    case vbs::VarType::Empty:
    case vbs::VarType::Null:
      return nullptr;
    case vbs::VarType::Boolean:
      return value.toBool();
    case vbs::VarType::Byte:
    case vbs::VarType::Integer:
    case vbs::VarType::Long:
      return value.toLong();
    case vbs::VarType::Single:
    case vbs::VarType::Double:
    case vbs::VarType::Currency:
      return value.toDouble();
    default:
      try {
        return value.toString();
      } catch (const std::exception&) {
        return value.typeName();
      }
  }
}

}  // namespace

std::string DumpState(GameSession& session, platform::HeadlessPlatform& platform) {
  Json state = Json::object();
  Game* game = session.lastGame();
  const Player& player = session.player();

  state["frame"] = player.frame.CurrentFrameName;
  Json history = Json::array();
  Json variables = Json::object();
  Json variants = Json::object();
  Json inventory = Json::array();
  Json disappeared = Json::array();
  Json hotspots = Json::array();
  Json texts = Json::array();
  Json messageBar = nullptr;
  if (game) {
    for (const std::string& frame : game->FramesHistory) history.push_back(frame);
    // A damaged "Variables" file may name a variable twice; the game reads and changes the
    // first of them, so the dump shows that one.
    for (const auto& v : game->variables.Variables) {
      if (!variables.contains(v->Name)) variables[v->Name] = v->Value();
    }
    for (const auto& v : game->variables.VariablesVariant) {
      if (!variants.contains(v->Name)) variants[v->Name] = VariantToJson(v->Value);
    }
    for (std::int16_t i = 1; i <= game->ObjectsCount; ++i) inventory.push_back(game->PickedObjectName(i));
    for (const auto& d : game->variables.Disappear) disappeared.push_back(Json::array({d->Name, d->Value()}));
    for (int i : game->Area.indexes()) {
      if (i == 0) continue;
      const platform::Image& area = game->Area[i];
      hotspots.push_back({{"number", i},
                          {"visible", area.visible()},
                          {"left", area.left() / 15},
                          {"top", area.top() / 15},
                          {"width", area.width() / 15},
                          {"height", area.height() / 15}});
    }
    for (int i : game->Text.indexes()) {
      if (i != 0) texts.push_back(game->Text[i].caption());
    }
    if (game->FrameMessageBox.visible()) messageBar = game->LabelMessageBox.caption();
  }
  state["history"] = history;
  state["variables"] = variables;
  state["variants"] = variants;
  state["inventory"] = inventory;
  state["disappeared"] = disappeared;
  state["hotspots"] = hotspots;
  state["texts"] = texts;
  state["message_bar"] = messageBar;
  // Newest first, each with whether the player's picture of it is beside it.
  Json savedGames = Json::array();
  for (const std::string& name : ListSavedGames(session.player())) {
    savedGames.push_back(
        {{"name", name}, {"picture", SavedGamePictureFile(session.player(), name).has_value()}});
  }
  state["saved_games"] = savedGames;
  // The load windows' entry for the automatic save (null: none), and when this run wrote one.
  Player& owner = session.player();
  const auto autosave = ExistingAutosave(owner);
  state["autosave"] = autosave ? Json(AutosaveEntryText(owner, *autosave)) : Json(nullptr);
  state["autosaves_written"] = game ? Json(game->autosave().written()) : Json::array();

  // Message boxes and input boxes in the order they were shown; an input box has the icon
  // "input", its prompt as text and the text typed (null when cancelled) as answer.
  Json boxes = Json::array();
  const auto& inputs = platform.inputBoxes();
  std::size_t nextInput = 0;
  const auto addInputsUpTo = [&](std::size_t shownBoxes) {
    for (; nextInput < inputs.size() && inputs[nextInput].boxesBefore <= shownBoxes; ++nextInput) {
      const auto& input = inputs[nextInput];
      boxes.push_back({{"title", input.title},
                       {"text", input.prompt},
                       {"icon", "input"},
                       {"answer", input.answer ? Json(*input.answer) : Json(nullptr)}});
    }
  };
  for (std::size_t i = 0; i < platform.boxes().size(); ++i) {
    addInputsUpTo(i);
    const auto& box = platform.boxes()[i];
    boxes.push_back({{"title", box.title},
                     {"text", box.text},
                     {"icon", platform::IconName(box.icon)},
                     {"answer", platform::AnswerName(box.answer)}});
  }
  addInputsUpTo(platform.boxes().size());
  state["boxes"] = boxes;
  // The texts read aloud, in order, and the one still being read at the end (null: silence).
  state["spoken"] = platform.speech().spoken();
  const auto speaking = platform.speech().speaking();
  state["speaking"] = speaking ? Json(*speaking) : Json(nullptr);
  // The seven sound players.
  Json players = Json::array();
  for (int i = 1; i <= media::Mixer::kPlayers; ++i) {
    if (!game) {
      players.push_back({{"file", ""}, {"playing", false}, {"volume", 0}, {"position", 0.0}});
      continue;
    }
    const media::SoundPlayer& p = game->media().mixer.player(i);
    players.push_back({{"file", p.file()},
                       {"playing", p.playing()},
                       {"volume", p.volume()},
                       {"position", std::round(p.positionSeconds() * 1000) / 1000}});
  }
  state["players"] = players;
  // The visual effects running at this moment.
  if (game) {
    VisualEffects& effects = game->effects();
    state["transition"] = {{"running", effects.transitions.running()},
                           {"steps_drawn", effects.transitions.stepsDrawn()}};
    state["rippling_water"] = effects.water.running();
    state["animations_playing"] = effects.animations.playing();
  } else {
    state["transition"] = {{"running", false}, {"steps_drawn", 0}};
    state["rippling_water"] = false;
    state["animations_playing"] = 0;
  }
  state["game_stopped"] = player.GameStopped;
  state["game_window_open"] = session.gameWindowOpen();
  state["clock_ms"] = platform.clockMs();
  return state.dump(2);
}

}  // namespace tw
