#include "platform/qt/EscapeSilences.h"

#include <QKeyEvent>

namespace tw::platform {

bool EscapeSilences::eventFilter(QObject* watched, QEvent* event) {
  // A key event travels up from the focused widget to its window: act on it once, where it
  // first arrives, and never take it.
  if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Escape && !key->isAutoRepeat()) silence_();
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace tw::platform
