// Modal message boxes and the input box, as the game code asks for them.
//
// A box has a title, a text (lines separated by CR LF, as the game data writes them),
// an icon and a button set. The default button is the one a bare Enter presses; when a
// request names none, the first button of the set is the default.
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace tw::platform {

enum class MsgIcon { None, Error, Warning, Question, Information };
enum class MsgButtons { Ok, OkCancel, YesNo };
enum class MsgAnswer { Ok, Cancel, Yes, No };

struct MessageBoxRequest {
  std::string title;
  std::string text;
  MsgIcon icon = MsgIcon::None;
  MsgButtons buttons = MsgButtons::Ok;
  std::optional<MsgAnswer> defaultButton;  // none: the first button of the set
};

// A box request in one call (designated initializers that leave the default button out
// draw a warning from g++).
inline MessageBoxRequest MakeBox(std::string title, std::string text, MsgIcon icon,
                                 MsgButtons buttons,
                                 std::optional<MsgAnswer> defaultButton = std::nullopt) {
  return MessageBoxRequest{std::move(title), std::move(text), icon, buttons, defaultButton};
}

// The button a box answers with when the player just presses Enter.
MsgAnswer DefaultAnswer(const MessageBoxRequest& request);

// Whether an answer is one of the buttons of a set (an answer queued for an OK box
// may be "cancel": the box then behaves as closed with its default).
bool AnswerFitsButtons(MsgAnswer answer, MsgButtons buttons);

struct InputBoxRequest {
  std::string prompt;
  std::string title;
  std::string defaultText;
};

// Names used in replay files and state dumps: "ok", "cancel", "yes", "no";
// "error", "warning", "question", "information", "none".
const char* AnswerName(MsgAnswer answer);
const char* IconName(MsgIcon icon);
std::optional<MsgAnswer> AnswerFromName(const std::string& name);

}  // namespace tw::platform
