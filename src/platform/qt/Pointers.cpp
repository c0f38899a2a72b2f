// Pointers: cursors from pointer shapes and pictures.
#include "platform/qt/Pointers.h"

#include <QPixmap>

#include "platform/Image.h"
#include "platform/Picture.h"
#include "platform/PictureBox.h"
#include "platform/qt/Bridge.h"

namespace tw::platform {

namespace {
constexpr std::size_t kMaxCachedCursors = 48;
}

QCursor CursorFor(const MousePointer& pointer) {
  switch (pointer.shape) {
    case PointerShape::Default:
    case PointerShape::Arrow: return QCursor(Qt::ArrowCursor);
    case PointerShape::Cross: return QCursor(Qt::CrossCursor);
    case PointerShape::IBeam: return QCursor(Qt::IBeamCursor);
    case PointerShape::Hourglass: return QCursor(Qt::WaitCursor);
    case PointerShape::NoDrop: return QCursor(Qt::ForbiddenCursor);
    case PointerShape::ArrowHourglass: return QCursor(Qt::BusyCursor);
    case PointerShape::Custom: break;
  }
  if (!pointer.picture || pointer.picture->width() <= 0 || pointer.picture->height() <= 0) {
    return QCursor(Qt::ArrowCursor);
  }
  const Point hot = pointer.picture->hotSpot();
  return QCursor(QPixmap::fromImage(PictureAccess::image(*pointer.picture)), hot.x, hot.y);
}

MousePointer DragPointer(const Element& source) {
  if (source.dragIcon()) return MousePointer{PointerShape::Custom, source.dragIcon()};
  std::shared_ptr<const Picture> picture;
  if (source.kind() == ElementKind::Image) {
    picture = static_cast<const Image&>(source).picture();
  } else if (source.kind() == ElementKind::PictureBox) {
    picture = static_cast<const PictureBox&>(source).picture();
  }
  if (picture) return MousePointer{PointerShape::Custom, picture};
  return source.pointer();
}

QCursor PointerCache::cursor(const MousePointer& pointer) {
  if (pointer.shape != PointerShape::Custom || !pointer.picture) return CursorFor(pointer);
  auto it = custom_.find(pointer.picture.get());
  if (it != custom_.end()) return it->second.second;
  if (custom_.size() >= kMaxCachedCursors) custom_.clear();
  QCursor made = CursorFor(pointer);
  custom_.emplace(pointer.picture.get(), std::make_pair(pointer.picture, made));
  return made;
}

}  // namespace tw::platform
