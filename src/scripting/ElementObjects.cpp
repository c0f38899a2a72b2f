#include "scripting/ElementObjects.h"

#include "game/Game.h"
#include "platform/Picture.h"
#include "platform/Platform.h"
#include "scripting/ScriptHost.h"

namespace tw::scripting {

namespace {

using vbs::InvokeKind;
using vbs::Variant;

const std::string_view& NameOf(const std::vector<std::string_view>& names, int id) {
  if (id < 1 || id > static_cast<int>(names.size())) {
    throw vbs::VbError(vbs::err::kObjectDoesntSupport);
  }
  return names[static_cast<std::size_t>(id - 1)];
}

Variant Long(std::int32_t n) { return Variant::fromLong(n); }

// The members every element has. Returns false when member is none of them.
bool ElementMember(platform::Element& e, std::string_view member, int index, InvokeKind kind,
                   std::span<Variant> args, Variant& out) {
  if (member == "Visible") {
    out = Property(kind, args, [&] { return Variant::fromBool(e.visible()); },
                   [&](const Variant& v) { e.setVisible(ArgBool(v)); });
  } else if (member == "Enabled") {
    out = Property(kind, args, [&] { return Variant::fromBool(e.enabled()); },
                   [&](const Variant& v) { e.setEnabled(ArgBool(v)); });
  } else if (member == "Left") {
    out = Property(kind, args, [&] { return Long(e.left()); },
                   [&](const Variant& v) { e.setLeft(ArgInt32(v)); });
  } else if (member == "Top") {
    out = Property(kind, args, [&] { return Long(e.top()); },
                   [&](const Variant& v) { e.setTop(ArgInt32(v)); });
  } else if (member == "Width") {
    out = Property(kind, args, [&] { return Long(e.width()); },
                   [&](const Variant& v) { e.setWidth(ArgInt32(v)); });
  } else if (member == "Height") {
    out = Property(kind, args, [&] { return Long(e.height()); },
                   [&](const Variant& v) { e.setHeight(ArgInt32(v)); });
  } else if (member == "ToolTipText") {
    out = Property(kind, args, [&] { return Variant::fromString(e.toolTip()); },
                   [&](const Variant& v) { e.setToolTip(ArgText(v)); });
  } else if (member == "Tag") {
    out = Property(kind, args, [&] { return Variant::fromString(e.tag()); },
                   [&](const Variant& v) { e.setTag(ArgText(v)); });
  } else if (member == "Index") {
    out = Property(kind, args, [&] { return Variant::fromInteger(static_cast<std::int16_t>(index)); },
                   nullptr);
  } else if (member == "Move") {
    // Move Left[, Top[, Width[, Height]]]
    if (args.empty() || args.size() > 4) throw vbs::VbError(450);
    const int left = ArgInt32(args[0]);
    const int top = args.size() > 1 ? ArgInt32(args[1]) : e.top();
    const int width = args.size() > 2 ? ArgInt32(args[2]) : e.width();
    const int height = args.size() > 3 ? ArgInt32(args[3]) : e.height();
    if (width < 0 || height < 0) throw vbs::VbError(380);
    e.move(left, top, width, height);
    out = Variant();
  } else {
    return false;
  }
  return true;
}

const std::vector<std::string_view> kPictureMembers = {"Handle", "Width", "Height"};
const std::vector<std::string_view> kHotspotMembers = {
    "Visible", "Enabled", "Left", "Top", "Width", "Height", "ToolTipText", "Tag", "Index",
    "Move",    "Picture", "Stretch"};
const std::vector<std::string_view> kTextMembers = {
    "Visible", "Enabled", "Left",      "Top",      "Width",    "Height",   "ToolTipText",
    "Tag",     "Index",   "Move",      "Caption",  "ForeColor", "BackColor", "FontName",
    "FontSize", "FontBold", "FontItalic"};
const std::vector<std::string_view> kTimerMembers = {"Interval", "Enabled", "Index", "Tag"};
const std::vector<std::string_view> kArrayMembers = {"Count", "UBound", "LBound", "Item"};
const std::vector<std::string_view> kScreenMembers = {"MousePointer", "Width", "Height",
                                                      "TwipsPerPixelX", "TwipsPerPixelY"};
const std::vector<std::string_view> kAppMembers = {"Path", "Title", "EXEName"};
const std::vector<std::string_view> kWindowMembers = {
    "TimerObject", "Area", "Text", "Caption", "Left", "Top", "Width", "Height", "BackColor",
    "Enabled", "ScaleWidth", "ScaleHeight"};

}  // namespace

std::vector<std::string_view> GlobalElementMemberNames() {
  std::vector<std::string_view> names;
  for (const auto* table : {&kArrayMembers, &kScreenMembers, &kAppMembers, &kWindowMembers}) {
    names.insert(names.end(), table->begin(), table->end());
  }
  return names;
}

// --- pictures -------------------------------------------------------------------------

PictureObject::PictureObject(std::shared_ptr<const platform::Picture> picture,
                             std::int32_t handle)
    : HostObject("IPictureDisp", kPictureMembers), picture_(std::move(picture)), handle_(handle) {}

Variant PictureObject::invoke(int id, InvokeKind kind, std::span<Variant> args) {
  if (id == kDefaultMember) return Property(kind, args, [&] { return Long(handle_); }, nullptr);
  const std::string_view member = NameOf(names(), id);
  if (member == "Handle") return Property(kind, args, [&] { return Long(handle_); }, nullptr);
  // Sizes of a picture are HIMETRIC as in VB: 2540 to the inch, 96 pixels to the inch.
  const auto himetric = [](int pixels) { return Long(static_cast<std::int32_t>(pixels * 2540.0 / 96.0 + 0.5)); };
  if (member == "Width") return Property(kind, args, [&] { return himetric(picture_->width()); }, nullptr);
  return Property(kind, args, [&] { return himetric(picture_->height()); }, nullptr);
}

std::shared_ptr<const platform::Picture> PictureFromValue(ScriptHost& host, const Variant& value) {
  if (value.isObject()) {
    if (!value.object()) return nullptr;  // Nothing: no picture
    if (auto p = std::dynamic_pointer_cast<PictureObject>(value.object())) return p->picture();
    throw vbs::VbError(vbs::err::kTypeMismatch);
  }
  const std::int32_t handle = ArgInt32(value);
  if (handle == 0) return nullptr;
  if (auto p = host.pictureByHandle(handle)) return p->picture();
  throw vbs::VbError(380);  // Invalid property value
}

Variant PictureValue(ScriptHost& host, std::shared_ptr<const platform::Picture> picture) {
  if (!picture) return Variant::fromObject(nullptr);
  return Variant::fromObject(host.makePicture(std::move(picture)));
}

// --- hotspots --------------------------------------------------------------------------

HotspotObject::HotspotObject(Game& game, ScriptHost& host, int index)
    : HostObject("Image", kHotspotMembers), game_(game), host_(host), index_(index) {}

platform::Image& HotspotObject::element() { return game_.Area.at(index_); }

Variant HotspotObject::invoke(int id, InvokeKind kind, std::span<Variant> args) {
  if (id == kDefaultMember) throw vbs::VbError(vbs::err::kObjectDoesntSupport);
  const std::string_view member = NameOf(names(), id);
  platform::Image& e = element();
  Variant out;
  if (ElementMember(e, member, index_, kind, args, out)) return out;
  if (member == "Picture") {
    return Property(kind, args, [&] { return PictureValue(host_, e.picture()); },
                    [&](const Variant& v) { e.setPicture(PictureFromValue(host_, v)); });
  }
  return Property(kind, args, [&] { return Variant::fromBool(e.stretch()); },
                  [&](const Variant& v) { e.setStretch(ArgBool(v)); });
}

void HotspotObject::loadElement() { game_.Area.load(index_); }
void HotspotObject::unloadElement() { game_.Area.unload(index_); }

// --- texts -----------------------------------------------------------------------------

TextObject::TextObject(Game& game, int index)
    : HostObject("Label", kTextMembers), game_(game), index_(index) {}

platform::Label& TextObject::element() { return game_.Text.at(index_); }

Variant TextObject::invoke(int id, InvokeKind kind, std::span<Variant> args) {
  platform::Label& e = element();
  const std::string_view member = id == kDefaultMember ? "Caption" : NameOf(names(), id);
  Variant out;
  if (ElementMember(e, member, index_, kind, args, out)) return out;
  if (member == "Caption") {
    return Property(kind, args, [&] { return Variant::fromString(e.caption()); },
                    [&](const Variant& v) { e.setCaption(ArgText(v)); });
  }
  if (member == "ForeColor") {
    return Property(kind, args, [&] { return Long(static_cast<std::int32_t>(e.foreColour())); },
                    [&](const Variant& v) { e.setForeColour(static_cast<platform::Colour>(ArgInt32(v))); });
  }
  if (member == "BackColor") {
    return Property(kind, args, [&] { return Long(static_cast<std::int32_t>(e.backColour())); },
                    [&](const Variant& v) { e.setBackColour(static_cast<platform::Colour>(ArgInt32(v))); });
  }
  platform::Font font = e.font();
  const auto setFont = [&] { e.setFont(font); };
  if (member == "FontName") {
    return Property(kind, args, [&] { return Variant::fromString(font.name); },
                    [&](const Variant& v) { font.name = ArgText(v); setFont(); });
  }
  if (member == "FontSize") {
    return Property(kind, args, [&] { return Variant::fromDouble(font.size); },
                    [&](const Variant& v) {
                      const double size = ArgDouble(v);
                      if (!(size > 0 && size <= 2160)) throw vbs::VbError(380);
                      font.size = size;
                      setFont();
                    });
  }
  if (member == "FontBold") {
    return Property(kind, args, [&] { return Variant::fromBool(font.bold); },
                    [&](const Variant& v) { font.bold = ArgBool(v); setFont(); });
  }
  return Property(kind, args, [&] { return Variant::fromBool(font.italic); },
                  [&](const Variant& v) { font.italic = ArgBool(v); setFont(); });
}

void TextObject::loadElement() { game_.Text.load(index_); }
void TextObject::unloadElement() { game_.Text.unload(index_); }

// --- script timers ---------------------------------------------------------------------

TimerObjectElement::TimerObjectElement(ScriptHost& host, int index)
    : HostObject("Timer", kTimerMembers), host_(host), index_(index) {}

platform::Timer& TimerObjectElement::element() { return host_.TimerObject.at(index_); }

Variant TimerObjectElement::invoke(int id, InvokeKind kind, std::span<Variant> args) {
  if (id == kDefaultMember) throw vbs::VbError(vbs::err::kObjectDoesntSupport);
  const std::string_view member = NameOf(names(), id);
  platform::Timer& t = element();
  if (member == "Interval") {
    return Property(kind, args, [&] { return Long(t.interval()); },
                    [&](const Variant& v) { t.setInterval(ArgInt32(v)); });
  }
  if (member == "Enabled") {
    return Property(kind, args, [&] { return Variant::fromBool(t.enabled()); },
                    [&](const Variant& v) { t.setEnabled(ArgBool(v)); });
  }
  if (member == "Tag") {
    return Property(kind, args, [&] { return Variant::fromString(t.tag()); },
                    [&](const Variant& v) { t.setTag(ArgText(v)); });
  }
  return Property(kind, args, [&] { return Variant::fromInteger(static_cast<std::int16_t>(index_)); },
                  nullptr);
}

void TimerObjectElement::loadElement() {
  // A new script timer waits for its interval: it must not fire before the script set it.
  platform::Timer& t = host_.TimerObject.load(index_);
  t.setInterval(0);
  t.setEnabled(true);
}
void TimerObjectElement::unloadElement() { host_.TimerObject.unload(index_); }

// --- arrays ----------------------------------------------------------------------------

ElementArrayObject::ElementArrayObject(std::string typeName, Make make, std::function<int()> count,
                                       std::function<int()> ubound)
    : HostObject(std::move(typeName), kArrayMembers),
      make_(std::move(make)),
      count_(std::move(count)),
      ubound_(std::move(ubound)) {}

Variant ElementArrayObject::invoke(int id, InvokeKind kind, std::span<Variant> args) {
  if (id == kDefaultMember || (id > 0 && NameOf(names(), id) == "Item")) {
    if (kind == InvokeKind::Let || kind == InvokeKind::Set) {
      throw vbs::VbError(vbs::err::kObjectDoesntSupport);
    }
    ExpectArgs(args, 1);
    const std::int32_t index = ArgInt32(args[0]);
    if (index < 0 || index > 32767) throw vbs::VbError(vbs::err::kSubscriptOutOfRange);
    return Variant::fromObject(make_(index));
  }
  const std::string_view member = NameOf(names(), id);
  if (member == "Count") return Property(kind, args, [&] { return Long(count_()); }, nullptr);
  if (member == "UBound") return Property(kind, args, [&] { return Long(ubound_()); }, nullptr);
  return Property(kind, args, [&] { return Long(0); }, nullptr);
}

// --- screen and application ------------------------------------------------------------

ScreenObject::ScreenObject(Game& game) : HostObject("Screen", kScreenMembers), game_(game) {}

Variant ScreenObject::invoke(int id, InvokeKind kind, std::span<Variant> args) {
  const std::string_view member = NameOf(names(), id);
  platform::Platform& p = game_.platform();
  if (member == "MousePointer") {
    return Property(kind, args, [&] { return Variant::fromInteger(pointer_); },
                    [&](const Variant& v) {
                      const std::int16_t shape = ArgInt16(v);
                      if (shape < 0 || (shape > 15 && shape != 99)) throw vbs::VbError(380);
                      pointer_ = shape;
                      platform::MousePointer pointer;
                      pointer.shape = static_cast<platform::PointerShape>(shape);
                      p.setScreenPointer(pointer);
                    });
  }
  if (member == "Width") return Property(kind, args, [&] { return Long(p.screenSize().width * 15); }, nullptr);
  if (member == "Height") return Property(kind, args, [&] { return Long(p.screenSize().height * 15); }, nullptr);
  return Property(kind, args, [&] { return Long(15); }, nullptr);
}

AppObject::AppObject(Game& game) : HostObject("App", kAppMembers), game_(game) {}

Variant AppObject::invoke(int id, InvokeKind kind, std::span<Variant> args) {
  const std::string_view member = NameOf(names(), id);
  if (member == "Path") {
    // App.Path names the folder without a closing separator.
    return Property(kind, args, [&] {
      std::string path = game_.player().folders.GamePath;
      while (path.size() > 1 && (path.back() == '/' || path.back() == '\\')) path.pop_back();
      return Variant::fromString(path);
    }, nullptr);
  }
  if (member == "Title") {
    return Property(kind, args,
                    [&] { return Variant::fromString(titleSet_ ? title_ : game_.player().settings.GameTitle); },
                    [&](const Variant& v) {
                      title_ = ArgText(v);
                      titleSet_ = true;
                    });
  }
  return Property(kind, args, [&] { return Variant::fromString("talewick-player"); }, nullptr);
}

// --- the window ------------------------------------------------------------------------

WindowObject::WindowObject(Game& game, ScriptHost& host, std::shared_ptr<vbs::Object> hotspots,
                           std::shared_ptr<vbs::Object> texts)
    : HostObject("Game", kWindowMembers),
      game_(game),
      hotspots_(std::move(hotspots)),
      texts_(std::move(texts)) {
  ScriptHost* h = &host;
  timers_ = std::make_shared<ElementArrayObject>(
      "Object", [h](int k) { return std::make_shared<TimerObjectElement>(*h, k); },
      [h] { return h->TimerObject.count(); }, [h] { return h->TimerObject.ubound(); });
}

Variant WindowObject::invoke(int id, InvokeKind kind, std::span<Variant> args) {
  const std::string_view member = NameOf(names(), id);
  const auto arrayMember = [&](const std::shared_ptr<vbs::Object>& array) {
    if (args.empty()) return Property(kind, args, [&] { return Variant::fromObject(array); }, nullptr);
    return array->invoke(kDefaultMember, kind, args);
  };
  if (member == "TimerObject") return arrayMember(timers_);
  if (member == "Area") return arrayMember(hotspots_);
  if (member == "Text") return arrayMember(texts_);
  platform::Window& w = game_.window;
  if (member == "Caption") {
    return Property(kind, args, [&] { return Variant::fromString(w.caption()); },
                    [&](const Variant& v) { w.setCaption(ArgText(v)); });
  }
  if (member == "BackColor") {
    return Property(kind, args, [&] { return Long(static_cast<std::int32_t>(game_.PictureBox.backColour())); },
                    [&](const Variant& v) { game_.PictureBox.setBackColour(static_cast<platform::Colour>(ArgInt32(v))); });
  }
  if (member == "ScaleWidth") return Property(kind, args, [&] { return Long(w.scaleWidth()); }, nullptr);
  if (member == "ScaleHeight") return Property(kind, args, [&] { return Long(w.scaleHeight()); }, nullptr);
  if (member == "Enabled") {
    return Property(kind, args, [&] { return Variant::fromBool(w.enabled()); },
                    [&](const Variant& v) { w.setEnabled(ArgBool(v)); });
  }
  if (member == "Left") return Property(kind, args, [&] { return Long(w.left()); }, nullptr);
  if (member == "Top") return Property(kind, args, [&] { return Long(w.top()); }, nullptr);
  if (member == "Width") return Property(kind, args, [&] { return Long(w.width()); }, nullptr);
  return Property(kind, args, [&] { return Long(w.height()); }, nullptr);
}

}  // namespace tw::scripting
