#include "app/StateDump.h"

#include <nlohmann/json.hpp>

#include <cmath>

#include "app/GameSession.h"
#include "effects/VisualEffects.h"
#include "game/KeyboardPlay.h"
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

// Message boxes and input boxes in the order they were shown; an input box has the icon
// "input", its prompt as text and the text typed (null when cancelled) as answer.
std::string DumpState(GameSession& session, platform::HeadlessPlatform& platform) {
  std::vector<DumpedBox> boxes;
  const auto& inputs = platform.inputBoxes();
  std::size_t nextInput = 0;
  const auto addInputsUpTo = [&](std::size_t shownBoxes) {
    for (; nextInput < inputs.size() && inputs[nextInput].boxesBefore <= shownBoxes; ++nextInput) {
      const auto& input = inputs[nextInput];
      boxes.push_back({input.title, input.prompt, "input", input.answer});
    }
  };
  for (std::size_t i = 0; i < platform.boxes().size(); ++i) {
    addInputsUpTo(i);
    const auto& box = platform.boxes()[i];
    boxes.push_back({box.title, box.text, platform::IconName(box.icon),
                     std::string(platform::AnswerName(box.answer))});
  }
  addInputsUpTo(platform.boxes().size());
  return DumpState(session, platform.clockMs(), boxes, &platform.speech());
}

std::string DumpState(GameSession& session, std::int64_t clockMs,
                      const std::vector<DumpedBox>& shownBoxes,
                      const platform::RecordedSpeech* speech) {
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
  // Where the pointer is, in pixels of the game area (null before any mouse event or key).
  std::optional<platform::Point> pointer;
  if (game) pointer = game->keyboardPlay().pointer();
  state["pointer"] = pointer ? Json{{"x", pointer->x}, {"y", pointer->y}} : Json(nullptr);
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

  Json boxes = Json::array();
  for (const DumpedBox& box : shownBoxes) {
    boxes.push_back({{"title", box.title},
                     {"text", box.text},
                     {"icon", box.icon},
                     {"answer", box.answer ? Json(*box.answer) : Json(nullptr)}});
  }
  state["boxes"] = boxes;
  // The texts read aloud, in order, and the one still being read at the end (null: silence).
  state["spoken"] = speech ? Json(speech->spoken()) : Json::array();
  const auto speaking = speech ? speech->speaking() : std::nullopt;
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
  state["clock_ms"] = clockMs;
  return state.dump(2);
}

}  // namespace tw
