#include "scripting/ScriptHost.h"

#include <algorithm>
#include <exception>

#include "common/TextEncoding.h"
#include "game/Game.h"
#include "platform/Platform.h"
#include "scripting/ActionObject.h"
#include "scripting/DebugMenu.h"
#include "scripting/ElementObjects.h"
#include "scripting/ProceduresFile.h"
#include "scripting/VariableObjects.h"
#include "vbscript/VbError.h"

namespace tw::scripting {

namespace {

// A script that opens a box inside a box inside a box... has this many levels at most; a
// deeper one fails with "Out of stack space" rather than using up the machine's stack.
constexpr int kMaxDepth = 6;
// The outermost script may use this much machine stack, each nested one a share of what is
// left, so every level together stays well inside the main thread's stack.
constexpr std::size_t kOuterStack = 2 * 1024 * 1024;
constexpr std::size_t kNestedStack = 512 * 1024;

// VBScript MsgBox button and icon numbers.
platform::MsgButtons ButtonsOf(int buttons) {
  switch (buttons & 7) {
    case 1:
    case 2:
    case 5: return platform::MsgButtons::OkCancel;
    case 3:
    case 4: return platform::MsgButtons::YesNo;
    default: return platform::MsgButtons::Ok;
  }
}
platform::MsgIcon IconOf(int buttons) {
  switch (buttons & 0x70) {
    case 16: return platform::MsgIcon::Error;
    case 32: return platform::MsgIcon::Question;
    case 48: return platform::MsgIcon::Warning;
    case 64: return platform::MsgIcon::Information;
    default: return platform::MsgIcon::None;
  }
}
std::int16_t AnswerNumber(platform::MsgAnswer answer) {
  switch (answer) {
    case platform::MsgAnswer::Ok: return 1;
    case platform::MsgAnswer::Cancel: return 2;
    case platform::MsgAnswer::Yes: return 6;
    case platform::MsgAnswer::No: return 7;
  }
  return 1;
}
std::string TitleOf(const vbs::Variant& title) {
  if (title.isEmpty() || title.isError()) return "VBScript";
  return title.toString();
}

}  // namespace

// One nesting level: its engine and the procedures compiled for it since the last reset.
struct ScriptHost::Level {
  vbs::Engine engine;
  std::shared_ptr<const vbs::CompiledCode> procedures;
  std::uint64_t proceduresVersion = 0;
  std::optional<vbs::ScriptError> proceduresError;
};

ScriptHost::ScriptHost(Game& game)
    : TimerObject("TimerObject", game.platform().timers()),
      mnuGoToFrame("mnuGoToFrame", "Go to another frame"),
      mnuCancel("mnuCancel", "Cancel"),
      mnuNone("mnuNone", "-"),
      mnuExecuteVBScript("mnuExecuteVBScript", "Execute VBS code..."),
      mnuEditProcedures("mnuEditProcedures", "Edit VBS Procedures..."),
      mnuViewVariables("mnuViewVariables", "View variables status..."),
      game_(game) {
  action_ = std::make_shared<ActionObject>(game, *this);
  Game* g = &game;
  ScriptHost* h = this;
  auto hotspots = std::make_shared<ElementArrayObject>(
      "Object", [g, h](int k) { return std::make_shared<HotspotObject>(*g, *h, k); },
      [g] { return g->Area.count(); }, [g] { return g->Area.ubound(); });
  auto texts = std::make_shared<ElementArrayObject>(
      "Object", [g](int k) { return std::make_shared<TextObject>(*g, k); },
      [g] { return g->Text.count(); }, [g] { return g->Text.ubound(); });
  players_ = {{"Hotspot", hotspots},
              {"Text", texts},
              {"ScreenObject", std::make_shared<ScreenObject>(game)},
              {"AppObject", std::make_shared<AppObject>(game)}};
  windowObject_ = std::make_shared<WindowObject>(game, *this, hotspots, texts);

  TimerObject.templ().setEnabled(false);
  TimerObject.templ().onTimer = [g](platform::Timer& t) { g->TimerObject_Timer(t.index()); };
  InstallScriptMenus(game, *this);
}

ScriptHost::~ScriptHost() = default;

ScriptHost::Level& ScriptHost::level(int depth) {
  while (static_cast<int>(levels_.size()) <= depth) {
    auto level = std::make_unique<Level>();
    vbs::Engine& engine = level->engine;
    engine.setStackBudget(levels_.empty() ? kOuterStack : kNestedStack);
    platform::Platform* p = &game_.platform();
    engine.setMsgBoxHandler([p](const vbs::Variant& prompt, int buttons, const vbs::Variant& title) {
      platform::MessageBoxRequest box = platform::MakeBox(TitleOf(title), prompt.toString(),
                                                          IconOf(buttons), ButtonsOf(buttons));
      if ((buttons & 0x300) == 0x100) {
        box.defaultButton = box.buttons == platform::MsgButtons::YesNo ? platform::MsgAnswer::No
                            : box.buttons == platform::MsgButtons::OkCancel
                                ? std::optional(platform::MsgAnswer::Cancel)
                                : std::nullopt;
      }
      return vbs::Variant::fromInteger(AnswerNumber(p->messageBox(box)));
    });
    engine.setInputBoxHandler(
        [p](const vbs::Variant& prompt, const vbs::Variant& title, const vbs::Variant& def) {
          platform::InputBoxRequest request;
          request.prompt = prompt.toString();
          request.title = TitleOf(title);
          request.defaultText = def.isEmpty() || def.isError() ? "" : def.toString();
          const std::optional<std::string> answer = p->inputBox(request);
          return vbs::Variant::fromString(answer.value_or(""));
        });
    levels_.push_back(std::move(level));
  }
  return *levels_[static_cast<std::size_t>(depth)];
}

void ScriptHost::LoadProcedures() {
  proceduresText_.clear();
  ++proceduresVersion_;
  Player& player = game_.player();
  const std::string file = player.folders.ConfigFolder + "Procedures";
  try {
    if (!player.files.exists(file)) return;
    const std::optional<std::string> bytes = player.files.readFile(file);
    if (!bytes) throw vbs::VbError(vbs::err::kPathFileAccessError);
    const std::string text = DecodeDataText(*bytes);
    proceduresText_ = ProceduresBody(text);
  } catch (const std::exception&) {
    proceduresText_.clear();
    game_.platform().messageBox(platform::MakeBox("Error", "Error loading projet procedures.",
                                                  platform::MsgIcon::Error,
                                                  platform::MsgButtons::Ok));
  }
}

void ScriptHost::refreshVariableObjects() {
  // The objects are made again only when the lists changed (a new game, a loaded game).
  const VariableStore& v = game_.variables;
  bool same = static_cast<int>(integerObjects_.size()) == v.Variables.Count() &&
              static_cast<int>(variantObjects_.size()) == v.VariablesVariant.Count();
  if (same) {
    std::size_t i = 0;
    for (const auto& variable : v.Variables) {
      auto* o = static_cast<IntegerVariableObject*>(integerObjects_[i++].get());
      if (o->variable() != variable) {
        same = false;
        break;
      }
    }
    i = 0;
    for (const auto& variable : v.VariablesVariant) {
      if (!same) break;
      auto* o = static_cast<VariantVariableObject*>(variantObjects_[i++].get());
      if (o->variable() != variable) same = false;
    }
  }
  if (same) return;
  integerObjects_.clear();
  variantObjects_.clear();
  for (const auto& variable : v.Variables) {
    integerObjects_.push_back(std::make_shared<IntegerVariableObject>(variable));
  }
  for (const auto& variable : v.VariablesVariant) {
    variantObjects_.push_back(std::make_shared<VariantVariableObject>(variable));
  }
}

void ScriptHost::addNamedObjects(vbs::Engine& engine) {
  refreshVariableObjects();
  const VariableStore& v = game_.variables;
  std::size_t i = 0;
  for (const auto& variable : v.Variables) engine.addObject(variable->Name, integerObjects_[i++], true);
  i = 0;
  for (const auto& variable : v.VariablesVariant) {
    engine.addObject(variable->Name, variantObjects_[i++], true);
  }
  for (const auto& [name, object] : players_) engine.addObject(name, object, true);
  if (game_.ControlsReferencesMode == 2) engine.addObject("WindowObject", windowObject_, true);
  engine.addObject("Action", action_, true);
}

std::unique_ptr<vbs::Engine::ClockPause> ScriptHost::pauseClock() {
  if (depth_ == 0) return nullptr;
  return std::make_unique<vbs::Engine::ClockPause>(levels_[static_cast<std::size_t>(depth_ - 1)]->engine);
}

std::optional<vbs::ScriptError> ScriptHost::run(const std::string& text,
                                                bool bResetLastClickPosition) {
  if (game_.player().GameStopped) return std::nullopt;
  if (bResetLastClickPosition) game_.SaveClickPos(0, 0);
  if (depth_ >= kMaxDepth) {
    vbs::ScriptError error;
    error.number = vbs::err::kOutOfStackSpace;
    error.description = vbs::VbError(vbs::err::kOutOfStackSpace).description();
    return error;
  }
  if (depth_ == 0) pictures_.clear();
  // The outer script waits while this one runs: its clock stands still.
  const auto outerPause = pauseClock();
  Level& l = level(depth_);
  struct DepthGuard {
    explicit DepthGuard(int& d) : depth(d) { ++depth; }
    ~DepthGuard() { --depth; }
    int& depth;
  } guard(depth_);
  vbs::Engine& engine = l.engine;
  try {
    engine.setTimeout(timeout_);
    engine.reset();
    addNamedObjects(engine);
    if (l.proceduresVersion != proceduresVersion_) {
      l.proceduresVersion = proceduresVersion_;
      l.procedures.reset();
      l.proceduresError.reset();
      try {
        l.procedures = engine.compile(proceduresText_);
      } catch (const vbs::ScriptException& e) {
        l.proceduresError = e.error();
      }
    }
    if (l.proceduresError) return l.proceduresError;
    // The procedures and the script are one program, compiled in two parts so that the
    // procedures are compiled once: their Option Explicit holds in the script, and a
    // StartupProcedure of their own is a name defined twice. Nothing runs before both parts
    // have compiled.
    const auto script =
        engine.compile("Sub StartupProcedure\r\n" + text + "\r\nEnd Sub", l.procedures);
    engine.addCode(l.procedures);
    engine.addCode(script);
    engine.call("StartupProcedure");
  } catch (const vbs::ScriptException& e) {
    return e.error();
  } catch (const vbs::ScriptQuit&) {
    // The script ended itself: not a failure.
  } catch (const std::exception& e) {
    vbs::ScriptError error;
    error.number = 51;
    error.description = e.what();
    return error;
  }
  return std::nullopt;
}

std::string ScriptHost::errorText(const vbs::ScriptError& error) const {
  const MessageTable& m = game_.player().messages;
  return m[30] + " " + m[31] + "\r\n\r\n" + kScriptErrorWords + "\r\n\r\n" + error.description;
}

void ScriptHost::execute(const std::string& text, bool bResetLastClickPosition) {
  const std::optional<vbs::ScriptError> error = run(text, bResetLastClickPosition);
  if (!error) return;
  const auto pause = pauseClock();
  game_.platform().messageBox(platform::MakeBox(game_.player().messages[29], errorText(*error),
                                                platform::MsgIcon::Error,
                                                platform::MsgButtons::Ok));
}

void ScriptHost::stopTimers() {
  for (int k : TimerObject.indexes()) TimerObject[k].setEnabled(false);
}

void ScriptHost::unloadTimers() { TimerObject.unloadAll(); }

bool ScriptHost::startTimerRun(int index) {
  if (std::find(runningTimers_.begin(), runningTimers_.end(), index) != runningTimers_.end()) {
    return false;
  }
  runningTimers_.push_back(index);
  return true;
}

void ScriptHost::endTimerRun(int index) { std::erase(runningTimers_, index); }

std::shared_ptr<PictureObject> ScriptHost::pictureByHandle(std::int32_t handle) const {
  for (const auto& p : pictures_) {
    if (p->handle() == handle) return p;
  }
  return nullptr;
}

std::shared_ptr<PictureObject> ScriptHost::makePicture(
    std::shared_ptr<const platform::Picture> picture) {
  auto object = std::make_shared<PictureObject>(std::move(picture), nextPictureHandle_++);
  pictures_.push_back(object);
  return object;
}

}  // namespace tw::scripting
