// ControlInput: rows of list boxes, focus and typing.
#include "platform/qt/ControlInput.h"

#include <algorithm>

#include "platform/Controls.h"
#include "platform/Font.h"
#include "platform/Units.h"
#include "platform/Window.h"

namespace tw::platform {

namespace {

constexpr int kEdge = 2;  // pixels of sunken edge around a list's rows

int RowHeight(const ListBox& list) {
  return std::max(1, MeasureText(list.font(), "Ag").height);
}

}  // namespace

int ListRowAt(const Element& target, int x, int y) {
  if (target.kind() != ElementKind::ListBox) return -1;
  const auto& list = static_cast<const ListBox&>(target);
  const int px = PixelsFromTwips(x), py = PixelsFromTwips(y);
  const int w = PixelsFromTwips(list.width()), h = PixelsFromTwips(list.height());
  if (px < kEdge || py < kEdge || px >= w - kEdge || py >= h - kEdge) return -1;
  const int row = list.topIndex() + (py - kEdge) / RowHeight(list);
  return row < list.listCount() ? row : -1;
}

bool PressControl(Window& window, Element& target, int x, int y, bool doubleClick) {
  if (!target.enabled()) return false;
  if (target.kind() == ElementKind::TextBox) {
    window.setFocus(&target);
    return false;
  }
  if (target.kind() != ElementKind::ListBox) return false;
  window.setFocus(&target);
  // A press on the empty part below the rows, or on the edge, chooses nothing: it must not
  // reach the list as a click or a double click either, or a double click there would act
  // on whatever entry was chosen before (save over it, load it).
  const int row = ListRowAt(target, x, y);
  if (row < 0) return true;
  auto& list = static_cast<ListBox&>(target);
  if (doubleClick) {
    list.doubleClickItem(row);
  } else {
    list.clickItem(row);
  }
  return true;
}

bool TypeIntoFocus(Window& window, int qtKey, const QString& text) {
  Element* focus = window.focus();
  if (!focus || !focus->enabled() || !focus->shownOnScreen()) return false;
  if (focus->kind() == ElementKind::ListBox) {
    auto& list = static_cast<ListBox&>(*focus);
    if (list.listCount() == 0 || (qtKey != Qt::Key_Up && qtKey != Qt::Key_Down)) return false;
    const int step = qtKey == Qt::Key_Down ? 1 : -1;
    const int next = std::clamp(list.listIndex() + step, 0, list.listCount() - 1);
    if (next != list.listIndex()) list.clickItem(next);
    return true;
  }
  if (focus->kind() != ElementKind::TextBox) return false;
  auto& box = static_cast<TextBox&>(*focus);
  if (box.locked()) return false;
  QString current = QString::fromStdString(box.text());
  if (qtKey == Qt::Key_Backspace) {
    if (current.isEmpty()) return true;
    // Remove one character, also when it is a surrogate pair.
    int cut = current.size() - 1;
    if (cut > 0 && current.at(cut).isLowSurrogate() && current.at(cut - 1).isHighSurrogate()) {
      --cut;
    }
    current.truncate(cut);
    box.setText(current.toStdString());
    return true;
  }
  QString typed;
  for (QChar c : text) {
    if (c.isPrint() || c.isSurrogate()) typed.append(c);
  }
  if (typed.isEmpty()) return false;
  if (box.maxLength() > 0) {
    const int room = box.maxLength() - static_cast<int>(current.toUcs4().size());
    if (room <= 0) return true;
    const QList<uint> chars = typed.toUcs4();
    if (static_cast<int>(chars.size()) > room) {
      typed = QString::fromUcs4(reinterpret_cast<const char32_t*>(chars.constData()), room);
    }
  }
  box.setText((current + typed).toStdString());
  return true;
}

bool ScrollList(Element& target, int rows) {
  if (target.kind() != ElementKind::ListBox || !target.enabled()) return false;
  auto& list = static_cast<ListBox&>(target);
  list.setTopIndex(list.topIndex() + rows);
  return true;
}

}  // namespace tw::platform
