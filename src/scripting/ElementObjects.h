// The window's elements as scripts see them: "Hotspot" (the hotspot array Area), "Text" (the
// frame texts), the script timers of "WindowObject", pictures, "ScreenObject" and
// "AppObject".
//
// An array object gives element k for Hotspot(k); the element object looks its element up
// at every use, so it never outlives what it names: an element that does not exist (yet,
// or any more) raises 340 "Control array element 'k' doesn't exist", and the same object
// can create it with Action.CreateObject and destroy it with Action.DeleteObject. Positions
// and sizes are twips (15 to the pixel), as on the game window.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ElementArray.h"
#include "platform/Image.h"
#include "platform/Label.h"
#include "platform/Timer.h"
#include "scripting/HostObject.h"

namespace tw {
class Game;
}

namespace tw::platform {
class Picture;
}

namespace tw::scripting {

class ScriptHost;

// What Action.CreateObject and Action.DeleteObject act on.
class LoadableElement {
 public:
  virtual ~LoadableElement() = default;
  virtual void loadElement() = 0;
  virtual void unloadElement() = 0;
};

// A picture handed to a script (LoadGraphicFile, an element's Picture). Its value when used
// without Set is its handle, a number the host can turn back into the picture.
class PictureObject : public HostObject {
 public:
  PictureObject(std::shared_ptr<const platform::Picture> picture, std::int32_t handle);
  vbs::Variant invoke(int id, vbs::InvokeKind kind, std::span<vbs::Variant> args) override;
  vbs::Variant defaultValue() override { return vbs::Variant::fromLong(handle_); }
  const std::shared_ptr<const platform::Picture>& picture() const { return picture_; }
  std::int32_t handle() const { return handle_; }

 private:
  std::shared_ptr<const platform::Picture> picture_;
  std::int32_t handle_;
};

// The picture a script assigns: a picture object, its handle, or Nothing (no picture).
std::shared_ptr<const platform::Picture> PictureFromValue(ScriptHost& host,
                                                          const vbs::Variant& value);
// A picture object for an element's picture (Nothing for none).
vbs::Variant PictureValue(ScriptHost& host, std::shared_ptr<const platform::Picture> picture);

// Hotspot(k): Visible, Enabled, Left, Top, Width, Height, Picture, Stretch, ToolTipText,
// Index, Tag, Move.
class HotspotObject : public HostObject, public LoadableElement {
 public:
  HotspotObject(Game& game, ScriptHost& host, int index);
  vbs::Variant invoke(int id, vbs::InvokeKind kind, std::span<vbs::Variant> args) override;
  void loadElement() override;
  void unloadElement() override;

 private:
  platform::Image& element();
  Game& game_;
  ScriptHost& host_;
  int index_;
};

// Text(k): Caption, ForeColor, BackColor, Visible, Left, Top, Width, Height, FontName,
// FontSize, FontBold, FontItalic, Index, Tag, Move.
class TextObject : public HostObject, public LoadableElement {
 public:
  TextObject(Game& game, int index);
  vbs::Variant invoke(int id, vbs::InvokeKind kind, std::span<vbs::Variant> args) override;
  void loadElement() override;
  void unloadElement() override;

 private:
  platform::Label& element();
  Game& game_;
  int index_;
};

// TimerObject(k): Interval, Enabled, Index.
class TimerObjectElement : public HostObject, public LoadableElement {
 public:
  TimerObjectElement(ScriptHost& host, int index);
  vbs::Variant invoke(int id, vbs::InvokeKind kind, std::span<vbs::Variant> args) override;
  void loadElement() override;
  void unloadElement() override;

 private:
  platform::Timer& element();
  ScriptHost& host_;
  int index_;
};

// An element array: Array(k) is element k; Count, UBound, LBound.
class ElementArrayObject : public HostObject {
 public:
  using Make = std::function<std::shared_ptr<vbs::Object>(int index)>;
  // count/ubound read the array now.
  ElementArrayObject(std::string typeName, Make make, std::function<int()> count,
                     std::function<int()> ubound);
  vbs::Variant invoke(int id, vbs::InvokeKind kind, std::span<vbs::Variant> args) override;

 private:
  Make make_;
  std::function<int()> count_;
  std::function<int()> ubound_;
};

// "ScreenObject": MousePointer, Width, Height, TwipsPerPixelX, TwipsPerPixelY.
// The members that scripts reach as global names through the element arrays, the screen,
// the application and the window (the window's only when the game allows it).
std::vector<std::string_view> GlobalElementMemberNames();

class ScreenObject : public HostObject {
 public:
  explicit ScreenObject(Game& game);
  vbs::Variant invoke(int id, vbs::InvokeKind kind, std::span<vbs::Variant> args) override;

 private:
  Game& game_;
  std::int16_t pointer_ = 0;
};

// "AppObject": Path, Title, EXEName.
class AppObject : public HostObject {
 public:
  explicit AppObject(Game& game);
  vbs::Variant invoke(int id, vbs::InvokeKind kind, std::span<vbs::Variant> args) override;

 private:
  Game& game_;
  std::string title_;
  bool titleSet_ = false;
};

// "WindowObject": the game window with its controls — TimerObject(k), Area(k), Text(k),
// Caption, Left, Top, Width, Height, BackColor, Enabled.
class WindowObject : public HostObject {
 public:
  WindowObject(Game& game, ScriptHost& host, std::shared_ptr<vbs::Object> hotspots,
               std::shared_ptr<vbs::Object> texts);
  vbs::Variant invoke(int id, vbs::InvokeKind kind, std::span<vbs::Variant> args) override;

 private:
  Game& game_;
  std::shared_ptr<vbs::Object> timers_;
  std::shared_ptr<vbs::Object> hotspots_;
  std::shared_ptr<vbs::Object> texts_;
};

}  // namespace tw::scripting
