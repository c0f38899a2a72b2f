// BuiltinsInteraction: the functions that reach outside the script through the host (MsgBox,
// InputBox, CreateObject), GetObject, RGB, the locale functions and the engine's version.
//
// The player runs every script under en-US: GetLocale is 1033 and SetLocale accepts a new
// locale only in name (it returns the old one and changes nothing), because every conversion
// of the engine is built for en-US.
#include <array>

#include "vbscript/BuiltinsDetail.h"
#include "vbscript/VbError.h"

namespace vbs::detail {
namespace {

using Args = std::span<Variant>;

constexpr int kCannotCreateObject = 429;
constexpr std::int32_t kEnglishUnitedStates = 1033;

Variant TextArg(Args args, std::size_t i) {
  if (!HasArg(args, i)) return Variant();
  return Variant::fromString(StringOf(ArgValue(args, i)));
}

// MsgBox(prompt[, buttons[, title[, helpfile, context]]]): the host shows the box and returns
// the pressed button's code; the help arguments are accepted and ignored.
Variant MsgBox(BuiltinHost& host, Args args) {
  const Variant prompt = TextArg(args, 0);
  const std::int32_t buttons = LongArg(args, 1, 0);
  const Variant title = TextArg(args, 2);
  return host.msgBox(prompt, buttons, title);
}

// InputBox(prompt[, title[, default[, xpos[, ypos[, helpfile, context]]]]]): Empty when the
// user cancels; position and help arguments are accepted and ignored.
Variant InputBox(BuiltinHost& host, Args args) {
  const Variant prompt = TextArg(args, 0);
  const Variant title = TextArg(args, 1);
  const Variant defaultText = TextArg(args, 2);
  return host.inputBox(prompt, title, defaultText);
}

// CreateObject(class[, servername]): only local objects exist.
Variant CreateObject(BuiltinHost& host, Args args) {
  const std::string progId = StringOf(ArgValue(args, 0));
  if (HasArg(args, 1) && !StringOf(ArgValue(args, 1)).empty()) {
    throw VbError(kCannotCreateObject);
  }
  auto object = host.createObject(progId);
  if (!object) throw VbError(kCannotCreateObject);
  return Variant::fromObject(std::move(object));
}

// GetObject([pathname][, class]): no running objects or documents are reachable.
Variant GetObject(BuiltinHost&, Args) {
  throw VbError(kCannotCreateObject);
}

// RGB(red, green, blue): each part above 255 counts as 255; negative parts raise 5.
Variant Rgb(BuiltinHost&, Args args) {
  std::int32_t colour = 0;
  for (std::size_t i = 0; i < 3; ++i) {
    std::int32_t part = LongOf(ArgValue(args, i));
    if (part < 0) throw VbError(err::kInvalidCall);
    if (part > 255) part = 255;
    colour |= part << (8 * i);
  }
  return Variant::fromLong(colour);
}

Variant GetLocale(BuiltinHost&, Args) {
  return Variant::fromLong(kEnglishUnitedStates);
}

Variant SetLocale(BuiltinHost&, Args args) {
  if (HasArg(args, 0)) {
    const Variant v = ArgValue(args, 0);
    if (!v.isString()) LongOf(v);  // a number must at least be one
  }
  return Variant::fromLong(kEnglishUnitedStates);
}

Variant ScriptEngine(BuiltinHost&, Args) {
  return Variant::fromString("VBScript");
}
Variant ScriptEngineMajorVersion(BuiltinHost&, Args) {
  return Variant::fromLong(5);
}
Variant ScriptEngineMinorVersion(BuiltinHost&, Args) {
  return Variant::fromLong(8);
}
Variant ScriptEngineBuildVersion(BuiltinHost&, Args) {
  return Variant::fromLong(16384);
}

constexpr std::array kTable = {
    BuiltinInfo{"MsgBox", 1, 5, MsgBox},
    BuiltinInfo{"InputBox", 1, 7, InputBox},
    BuiltinInfo{"CreateObject", 1, 2, CreateObject},
    BuiltinInfo{"GetObject", 0, 2, GetObject},
    BuiltinInfo{"RGB", 3, 3, Rgb},
    BuiltinInfo{"GetLocale", 0, 0, GetLocale},
    BuiltinInfo{"SetLocale", 0, 1, SetLocale},
    BuiltinInfo{"ScriptEngine", 0, 0, ScriptEngine},
    BuiltinInfo{"ScriptEngineMajorVersion", 0, 0, ScriptEngineMajorVersion},
    BuiltinInfo{"ScriptEngineMinorVersion", 0, 0, ScriptEngineMinorVersion},
    BuiltinInfo{"ScriptEngineBuildVersion", 0, 0, ScriptEngineBuildVersion},
};

}  // namespace

BuiltinTable InteractionBuiltins() {
  return kTable;
}

}  // namespace vbs::detail
