// ControlInput: the player's input to the simple controls that the painter draws (list boxes
// and text boxes), turned into the model's calls.
//
// A press on a list box chooses the row under the pointer (clickItem, or doubleClickItem for
// the second press of a double click) and takes the focus; rows are measured the way the
// painter draws them (2-pixel edge, one text line per row from the top entry shown). A press
// on a text box takes the focus. Typing goes to the focused text box unless it is locked or
// disabled: printable characters are appended up to its maximum length, Backspace removes the
// last character (a whole character, not a byte of its UTF-8). Up and Down move the choice of
// the focused list box. Nothing here raises the window's own key or mouse events.
#pragma once

#include <QList>
#include <QString>

namespace tw::platform {

class Element;
class Window;

// The list row at a point given in twips relative to the list box; -1 outside the rows.
int ListRowAt(const Element& listBox, int x, int y);

// A press on `target` at (x, y) twips relative to it. Returns true when a list box took it
// (on a row, or on its empty part, where it only takes the focus): the press must then not
// be dispatched as a plain click as well.
bool PressControl(Window& window, Element& target, int x, int y, bool doubleClick);

// A key typed while the window has focus; true when the focused control used it.
bool TypeIntoFocus(Window& window, int qtKey, const QString& text);

// Scrolls a list box by whole rows (positive: down); true when it is a list box.
bool ScrollList(Element& target, int rows);

}  // namespace tw::platform
