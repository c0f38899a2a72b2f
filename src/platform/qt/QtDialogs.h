// QtDialogs: the modal message box and input box of the real program.
//
// A message box shows its text as plain text (never as rich text: game texts may hold "<"),
// with CR LF as line breaks, one of four icons and OK, OK/Cancel or Yes/No. Enter presses the
// default button (the request's, else the first of the set). Esc and the close button answer
// Cancel for OK/Cancel, OK for OK and No for Yes/No (a Yes/No box cannot be left without an
// answer, and No is the cautious one). The input box returns nullopt when cancelled.
#pragma once

#include <optional>
#include <string>

#include "platform/Dialogs.h"

class QAbstractButton;
class QMessageBox;
class QString;
class QWidget;

namespace tw::platform {

// Game text with CR LF or lone CR line ends, as Qt shows it.
QString DialogText(const std::string& text);

// Puts title, text, icon and buttons of a request on a box (tests look at the box).
void ConfigureMessageBox(QMessageBox& box, const MessageBoxRequest& request);
// The answer of a configured box after it closed with `clicked` (nullptr: closed otherwise).
MsgAnswer AnswerOf(const QMessageBox& box, const QAbstractButton* clicked,
                   const MessageBoxRequest& request);

MsgAnswer RunMessageBox(const MessageBoxRequest& request, QWidget* parent);
std::optional<std::string> RunInputBox(const InputBoxRequest& request, QWidget* parent);

}  // namespace tw::platform
