// Painting: the Qt side of the painter, for the platform's Qt code only (the window back end
// and the painter's own files). Game code uses Painter.h.
//
// PaintInto draws the root at the painter's current origin, at the root's own size in pixels,
// clipped to that size (and to whatever clip the painter already has); the painter's state
// is the same afterwards. Children are drawn back to front, each clipped to its container.
// The Paint* functions below draw one control in its own coordinates (0, 0, width, height);
// the tree walk has already clipped the painter to that rectangle.
#pragma once

#include <QColor>
#include <QPainter>
#include <QSize>

#include "platform/Colour.h"
#include "platform/Controls.h"
#include "platform/Element.h"

namespace tw::platform {

void PaintInto(QPainter& painter, const Element& root);

// The size the root takes: a window's client area, any other element's own size (pixels).
QSize PaintSize(const Element& root);

QColor ToQColor(Colour colour);

// Classic Windows controls.
void PaintButton(QPainter& painter, const Button& button, QSize size);
void PaintCheckBox(QPainter& painter, const CheckBox& box, QSize size);
void PaintTextBox(QPainter& painter, const TextBox& box, QSize size);
void PaintListBox(QPainter& painter, const ListBox& list, QSize size);

}  // namespace tw::platform
