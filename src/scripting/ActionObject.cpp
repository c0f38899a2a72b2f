#include "scripting/ActionObject.h"

#include <exception>

#include "common/TextEncoding.h"
#include "game/Game.h"
#include "platform/Picture.h"
#include "platform/Platform.h"
#include "project/DataFileLocator.h"
#include "project/DisplayMode.h"
#include "savegame/SavedGames.h"
#include "scripting/ElementObjects.h"
#include "scripting/ScriptHost.h"

namespace tw::scripting {

namespace {

using vbs::InvokeKind;
using vbs::Variant;

// Methods in the order of the object's interface (ids 1..34), then the four properties.
const std::vector<std::string_view> kMembers = {
    "PopupSaveGame",          "PopupLoadGame",
    "GoToFrame",              "ResetModule",
    "StopEverything",         "Message",
    "AddItem",                "SendEmail",
    "OpenURL",                "OpenFile",
    "OpenExeFileAndWait",     "LoadAPicture",
    "LoadGraphicFile",        "GetHotspotNumber",
    "GetPath",                "HideInventoryButton",
    "ShowInventoryButton",    "GetClickPositionX",
    "GetClickPositionY",      "GetTransitionsStatus",
    "GetEffectsStatus",       "InvertTransitionsStatus",
    "InvertEffectsStatus",    "RemoveAllItems",
    "RemoveItem",             "CreateObject",
    "DeleteObject",           "GetTWVersion",
    "ChangeDisplayResolution", "ChangeDisplayResolutionOnLoadGame",
    "GetDisplayResolutionX",  "GetDisplayResolutionY",
    "AllowControlsReferencesNextTime", "DoNotAllowControlsReferencesNextTime",
    "sFrameToLoad",           "iHotspotNumber",
    "dTransitionDuration",    "iTransitionNumber"};
constexpr int kMethodCount = 34;

const char* const kCrLf = "\r\n";

std::string Description(const std::exception& e) { return e.what(); }

}  // namespace

const std::vector<std::string_view>& ActionMemberNames() { return kMembers; }

ActionObject::ActionObject(Game& game, ScriptHost& host)
    : HostObject("VBScriptActionModule", kMembers), game_(game), host_(host) {}

Variant ActionObject::invoke(int id, InvokeKind kind, std::span<Variant> args) {
  if (id < 1 || id > static_cast<int>(kMembers.size())) {
    throw vbs::VbError(vbs::err::kObjectDoesntSupport);
  }
  if (id > kMethodCount) return property(id - kMethodCount, kind, args);
  if (kind == InvokeKind::Let || kind == InvokeKind::Set) {
    throw vbs::VbError(vbs::err::kObjectDoesntSupport);
  }
  return method(id, args);
}

void ActionObject::showFailure(const std::string& words) {
  const MessageTable& m = game_.player().messages;
  auto pause = host_.pauseClock();
  game_.platform().messageBox(platform::MakeBox(m[29], m[30] + kCrLf + kCrLf + m[31] + words,
                                                platform::MsgIcon::Error,
                                                platform::MsgButtons::Ok));
}

Variant ActionObject::property(int number, InvokeKind kind, std::span<Variant> args) {
  ActionRequests& r = game_.Action;
  switch (number) {
    case 1:
      return Property(kind, args, [&] { return Variant::fromString(r.sFrameToLoad); },
                      [&](const Variant& v) { r.sFrameToLoad = ArgText(v); });
    case 2:
      return Property(kind, args, [&] { return Variant::fromInteger(r.iHotspotNumber); },
                      [&](const Variant& v) { r.iHotspotNumber = ArgInt16(v); });
    case 3:
      return Property(kind, args, [&] { return Variant::fromDouble(r.dTransitionDuration); },
                      [&](const Variant& v) { r.dTransitionDuration = ArgDouble(v); });
    default:
      return Property(kind, args, [&] { return Variant::fromInteger(r.iTransitionNumber); },
                      [&](const Variant& v) { r.iTransitionNumber = ArgInt16(v); });
  }
}

Variant ActionObject::method(int number, std::span<Variant> args) {
  Player& player = game_.player();
  platform::Platform& p = game_.platform();
  // The arguments each method takes, checked before anything happens.
  static constexpr int kArgCounts[kMethodCount + 1] = {
      0, 0, 0, 3, 0, 0, 1, 2, 1, 1, 1, 1, 2, 1, 0, 0, 0, 0,
      0, 0, 0, 0, 0, 0, 0, 2, 1, 1, 0, 1, 1, 0, 0, 0, 0};
  ExpectArgs(args, static_cast<std::size_t>(kArgCounts[number]));
  switch (number) {
    case 1: PopupSaveGame(); break;
    case 2: PopupLoadGame(); break;
    case 3: {
      // Converted in order, all before the request changes: a bad argument changes nothing.
      std::string frame = ArgText(args[0]);
      const double duration = ArgDouble(args[1]);
      const std::int16_t transition = ArgInt16(args[2]);
      game_.Action.sFrameToLoad = std::move(frame);
      game_.Action.dTransitionDuration = duration;
      game_.Action.iTransitionNumber = transition;
      break;
    }
    case 4: game_.ResetModule(); break;
    case 5: StopEverything(); break;
    case 6: game_.ShowTextMessage(ArgText(args[0]), true); break;
    case 7: {
      std::string item = ArgText(args[0]);
      const bool doNotPopup = ArgBool(args[1]);
      game_.AddPickedObject(item, doNotPopup);
      break;
    }
    case 8: SendEmail(ArgText(args[0])); break;
    case 9: OpenURL(ArgText(args[0])); break;
    case 10: OpenFile(ArgText(args[0])); break;
    case 11: OpenExeFileAndWait(ArgText(args[0])); break;
    case 12: {
      auto control = ArgObject(args[0]);
      LoadAPicture(control, ArgText(args[1]));
      break;
    }
    case 13: return LoadGraphicFile(ArgText(args[0]));
    case 14: return Variant::fromInteger(game_.Action.iHotspotNumber);
    case 15: return Variant::fromString(player.folders.GamePath);
    case 16: HideInventoryButton(); break;
    case 17: ShowInventoryButton(); break;
    case 18: return Variant::fromInteger(game_.LastClickX);
    case 19: return Variant::fromInteger(game_.LastClickY);
    case 20: return Variant::fromBool(!game_.mnuDisableTransitions.checked());
    case 21: return Variant::fromBool(!game_.mnuDisableEffects.checked());
    case 22: game_.EnableOrDisableTransitions(); break;
    case 23: game_.EnableOrDisableEffects(); break;
    case 24: RemoveAllItems(); break;
    case 25: {
      std::string name = ArgText(args[0]);
      RemoveItem(name, ArgBool(args[1]));
      break;
    }
    case 26: CreateOrDeleteObject(args[0], true); break;
    case 27: CreateOrDeleteObject(args[0], false); break;
    case 28: return Variant::fromString("Version 3.2.2");
    case 29: ChangeDisplayResolution(ArgInt16(args[0])); break;
    case 30: game_.ResolutionOnLoadGame = ArgInt16(args[0]); break;
    case 31: return Variant::fromLong(p.screenSize().width);
    case 32: return Variant::fromLong(p.screenSize().height);
    case 33: game_.ControlsReferencesMode = 2; break;
    case 34: game_.ControlsReferencesMode = 1; break;
    default: break;
  }
  return Variant();
}

// --- the methods with more to them ------------------------------------------------------

void ActionObject::PopupSaveGame() {
  // The save window holds the frame timer while it is open, as the menu command does.
  auto pause = host_.pauseClock();
  game_.savedGames().ShowSaveGameWindow();
}

void ActionObject::PopupLoadGame() {
  auto pause = host_.pauseClock();
  game_.savedGames().ShowLoadGameWindow(true);
}

void ActionObject::StopEverything() {
  game_.HaltGame();
  // Script timers stop with the game, not at their next tick.
  for (int k : host_.TimerObject.indexes()) {
    if (k != 0) host_.TimerObject[k].setEnabled(false);
  }
}

void ActionObject::SendEmail(const std::string& address) {
  if (address.empty()) return;
  bool opened = false;
  {
    auto pause = host_.pauseClock();
    opened = game_.platform().shellOpen("mailto:" + address);
  }
  if (!opened) showFailure(" Error opening the default mail client to send email to: " + address);
}

void ActionObject::OpenURL(const std::string& url) {
  if (url.empty()) return;
  bool opened = false;
  {
    auto pause = host_.pauseClock();
    opened = game_.platform().shellOpen(url);
  }
  if (!opened) {
    showFailure(std::string(" Error opening the following URL with the default browser:") +
                kCrLf + kCrLf + url);
  }
}

void ActionObject::OpenFile(const std::string& title) {
  if (title.empty()) return;
  try {
    const std::string folder = FindFileFolder(game_, title);
    const std::string target =
        folder.empty() ? title : ResolvedPath(game_.player(), folder + title);
    auto pause = host_.pauseClock();
    game_.platform().shellOpen(target);  // the desktop reports its own failures
  } catch (const std::exception& e) {
    showFailure(" Error opening the file titled '" + title + "'." + kCrLf + kCrLf + Description(e));
  }
}

void ActionObject::OpenExeFileAndWait(const std::string& title) {
  if (title.empty()) return;
  const bool timerWasOn = game_.Timer1.enabled();
  game_.window.setEnabled(false);
  game_.Timer1.setEnabled(false);
  try {
    const std::string folder = FindFileFolder(game_, title);
    LaunchAndWait(game_, host_, folder + title);
  } catch (const std::exception& e) {
    showFailure(" Error opening the file titled '" + title + "'." + kCrLf + kCrLf + Description(e));
  }
  game_.window.setEnabled(true);
  game_.Timer1.setEnabled(timerWasOn);
}

void ActionObject::LoadAPicture(const std::shared_ptr<vbs::Object>& control,
                                const std::string& name) {
  Player& player = game_.player();
  const std::string path = LocateDataFile(player, player.folders.AreasFolder + name);
  if (!player.files.exists(path)) return;
  // Loading the picture and giving it to the control are one step: an object without a
  // Picture fails like a picture that cannot be read, with the method's box.
  try {
    auto picture = platform::Picture::load(ResolvedPath(player, path));
    const int id = control->memberId("Picture");
    if (id == vbs::Object::kUnknownMember) throw vbs::VbError(vbs::err::kObjectDoesntSupport);
    Variant value = Variant::fromObject(host_.makePicture(std::move(picture)));
    control->invoke(id, InvokeKind::Set, {&value, 1});
  } catch (const std::exception& e) {
    showFailure(std::string(" Error loading the following picture:'") + kCrLf + path + "'." +
                kCrLf + kCrLf + Description(e));
  }
}

Variant ActionObject::LoadGraphicFile(const std::string& name) {
  Player& player = game_.player();
  const std::string path = LocateDataFile(player, player.folders.AreasFolder + name);
  if (!player.files.exists(path)) return Variant::fromObject(nullptr);
  try {
    return Variant::fromObject(
        host_.makePicture(platform::Picture::load(ResolvedPath(player, path))));
  } catch (const std::exception& e) {
    showFailure(std::string(" Error loading the following graphic file:'") + kCrLf + path +
                "'." + kCrLf + kCrLf + Description(e));
    return Variant::fromObject(nullptr);
  }
}

void ActionObject::HideInventoryButton() {
  if (!game_.player().settings.UseInventoryBar) return;
  try {
    game_.Inventory1.setTop(-game_.Inventory1.height());
    game_.Inventory2.setVisible(false);
  } catch (const std::exception& e) {
    showFailure(" Error hiding inventory. " + Description(e));
  }
}

void ActionObject::ShowInventoryButton() {
  if (!game_.player().settings.UseInventoryBar) return;
  try {
    game_.Inventory2.setVisible(true);
  } catch (const std::exception& e) {
    showFailure(" Error displaying inventory. " + Description(e));
  }
}

void ActionObject::RemoveAllItems() {
  try {
    while (game_.ObjectsCount > 0) game_.RemovePickedObject(1);
  } catch (const std::exception& e) {
    showFailure(" Error removing all the inventory items. " + Description(e));
  }
}

void ActionObject::RemoveItem(const std::string& name, bool removeDuplicates) {
  try {
    // The items' names are lower-cased, the name given is not: it must come in lower case.
    for (std::int16_t position = game_.ObjectsCount; position >= 1; --position) {
      if (position > game_.ObjectsCount) continue;
      if (FoldCase(game_.PickedObjectName(position)) != name) continue;
      game_.RemovePickedObject(position);
      if (!removeDuplicates) break;
    }
  } catch (const std::exception& e) {
    showFailure(" Error removing from the inventory the item named '" + name + "'. " +
                Description(e));
  }
}

void ActionObject::CreateOrDeleteObject(const Variant& ref, bool create) {
  try {
    auto object = ArgObject(ref);
    auto* element = dynamic_cast<LoadableElement*>(object.get());
    if (!element) throw vbs::VbError(vbs::err::kTypeMismatch);
    if (create) {
      element->loadElement();
    } else {
      element->unloadElement();
    }
  } catch (const std::exception& e) {
    showFailure((create ? " Error creating the object. " : " Error deleting the object. ") +
                Description(e));
  }
}

void ActionObject::ChangeDisplayResolution(std::int16_t resolution) {
  try {
    auto pause = host_.pauseClock();
    ChangeDisplayMode(game_.player(), resolution, [this] { game_.CenterWindowAndPictureBox(); });
  } catch (const std::exception& e) {
    showFailure(" Error changing display resolution. " + Description(e));
  }
}

}  // namespace tw::scripting
