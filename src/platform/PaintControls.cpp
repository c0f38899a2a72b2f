// PaintControls: the classic Windows look of the player's own controls — command buttons,
// check boxes, text boxes and list boxes — kept plain: face colour, 3-D edges, caption, tick,
// text and the selected row. Each function draws in (0, 0, size) on a painter already clipped
// to the control.
#include <QFontMetrics>
#include <QString>
#include <algorithm>

#include "platform/Font.h"
#include "platform/qt/Bridge.h"
#include "platform/qt/Painting.h"

namespace tw::platform {

namespace {

constexpr Colour kHighlight = 0x8000000Du;
constexpr Colour kHighlightText = 0x8000000Eu;
constexpr Colour kShadow = 0x80000010u;
constexpr Colour kGreyText = 0x80000011u;
constexpr Colour k3dHighlight = 0x80000014u;
constexpr Colour k3dDarkShadow = 0x80000015u;
constexpr Colour k3dLight = 0x80000016u;

constexpr int kCheckSize = 13;  // the tick box, pixels
constexpr int kCheckGap = 4;    // between the tick box and the caption

// A one-pixel frame: top and left in one colour, bottom and right in the other.
void Frame(QPainter& p, const QRect& r, Colour topLeft, Colour bottomRight) {
  if (r.width() <= 0 || r.height() <= 0) return;
  const QColor tl = ToQColor(topLeft), br = ToQColor(bottomRight);
  p.fillRect(QRect(r.left(), r.top(), r.width(), 1), tl);
  p.fillRect(QRect(r.left(), r.top(), 1, r.height()), tl);
  p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), br);
  p.fillRect(QRect(r.right(), r.top(), 1, r.height()), br);
}

// Two-pixel edges; returns the rectangle inside them.
QRect RaisedEdge(QPainter& p, const QRect& r) {
  Frame(p, r, k3dHighlight, k3dDarkShadow);
  Frame(p, r.adjusted(1, 1, -1, -1), k3dLight, kShadow);
  return r.adjusted(2, 2, -2, -2);
}

QRect SunkenEdge(QPainter& p, const QRect& r) {
  Frame(p, r, kShadow, k3dHighlight);
  Frame(p, r.adjusted(1, 1, -1, -1), k3dDarkShadow, k3dLight);
  return r.adjusted(2, 2, -2, -2);
}

// Captions of buttons and check boxes show their access key ("&Start") underlined.
void DrawCaption(QPainter& p, const QRect& r, int flags, const std::string& caption,
                 const Font& font, Colour colour, bool enabled) {
  if (caption.empty() || !FontsAvailable()) return;
  const QString text = QString::fromStdString(caption);
  p.setFont(ToQFont(font));
  flags |= Qt::TextShowMnemonic;
  if (!enabled) {
    p.setPen(ToQColor(k3dHighlight));
    p.drawText(r.translated(1, 1), flags, text);
    colour = kGreyText;
  }
  p.setPen(ToQColor(colour));
  p.drawText(r, flags, text);
}

// The classic 7 x 7 tick: each column a 3-pixel stroke, falling then rising.
void DrawTick(QPainter& p, int x, int y, const QColor& colour) {
  static constexpr int kTop[7] = {2, 3, 4, 3, 2, 1, 0};
  for (int i = 0; i < 7; ++i) p.fillRect(QRect(x + i, y + kTop[i], 1, 3), colour);
}

}  // namespace

void PaintButton(QPainter& p, const Button& button, QSize size) {
  const QRect all(QPoint(0, 0), size);
  p.fillRect(all, ToQColor(kButtonFace));
  const QRect inside = RaisedEdge(p, all);
  DrawCaption(p, inside, Qt::AlignCenter, button.caption(), button.font(), kButtonText,
              button.enabled());
}

void PaintCheckBox(QPainter& p, const CheckBox& box, QSize size) {
  p.fillRect(QRect(QPoint(0, 0), size), ToQColor(box.backColour()));
  const QRect tick(0, (size.height() - kCheckSize) / 2, kCheckSize, kCheckSize);
  const QRect well = SunkenEdge(p, tick);
  // A grey (indeterminate) or disabled box has a face-coloured well and a grey tick.
  const bool dim = box.value() == CheckBox::Grayed || !box.enabled();
  p.fillRect(well, ToQColor(dim ? kButtonFace : kWindowBackground));
  if (box.value() != CheckBox::Unchecked) {
    DrawTick(p, well.left() + 1, well.top() + 1, ToQColor(dim ? kShadow : kWindowText));
  }
  const QRect text(kCheckSize + kCheckGap, 0, size.width() - kCheckSize - kCheckGap, size.height());
  DrawCaption(p, text, Qt::AlignLeft | Qt::AlignVCenter, box.caption(), box.font(),
              box.foreColour(), box.enabled());
}

void PaintTextBox(QPainter& p, const TextBox& box, QSize size) {
  const QRect all(QPoint(0, 0), size);
  const QRect inside = SunkenEdge(p, all);
  p.fillRect(inside, ToQColor(box.enabled() ? kWindowBackground : kButtonFace));
  if (box.text().empty() || !FontsAvailable()) return;
  p.setFont(ToQFont(box.font()));
  p.setPen(ToQColor(box.enabled() ? kWindowText : kGreyText));
  p.drawText(inside.adjusted(1, 1, -1, -1), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
             QString::fromStdString(box.text()));
}

void PaintListBox(QPainter& p, const ListBox& list, QSize size) {
  const QRect all(QPoint(0, 0), size);
  const QRect inside = SunkenEdge(p, all);
  p.fillRect(inside, ToQColor(kWindowBackground));
  // Row height as the list measures it, so rows match with or without fonts.
  const int row = std::max(1, MeasureText(list.font(), "Ag").height);
  const bool fonts = FontsAvailable();
  if (fonts) p.setFont(ToQFont(list.font()));
  const auto& items = list.items();
  int y = inside.top();
  for (int i = list.topIndex(); i < static_cast<int>(items.size()) && y <= inside.bottom();
       ++i, y += row) {
    const QRect r(inside.left(), y, inside.width(), row);
    const bool selected = i == list.listIndex();
    if (selected) p.fillRect(r, ToQColor(kHighlight));
    if (!fonts) continue;
    p.setPen(ToQColor(!list.enabled() ? kGreyText : selected ? kHighlightText : kWindowText));
    p.drawText(r.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
               QString::fromStdString(items[i]));
  }
}

}  // namespace tw::platform
