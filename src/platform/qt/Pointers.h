// Pointers: the Qt cursor for a pointer of the element model.
//
// Standard shapes map to Qt's shapes (Default and Arrow are the arrow). A custom pointer is
// its picture with the picture's hot spot (a .cur file's own, else the centre); a custom
// pointer without a picture is the arrow. PointerCache keeps the cursors it made, holding
// their pictures, so moving the mouse does not convert pictures again; it forgets everything
// once it holds more than a few dozen (pointers change with frames, not with every move).
#pragma once

#include <QCursor>
#include <map>
#include <memory>

#include "platform/Element.h"

namespace tw::platform {

class Picture;

QCursor CursorFor(const MousePointer& pointer);

// The pointer shown while an element is dragged: its drag icon, else its own picture
// (a picture element or a picture box), else its pointer.
MousePointer DragPointer(const Element& source);

class PointerCache {
 public:
  QCursor cursor(const MousePointer& pointer);

 private:
  std::map<const Picture*, std::pair<std::shared_ptr<const Picture>, QCursor>> custom_;
};

}  // namespace tw::platform
