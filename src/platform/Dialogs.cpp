// Dialogs: the rules shared by every back end for message and input boxes — which button
// Enter presses, which answers a button set can give, and the names replays use.
#include "platform/Dialogs.h"

#include <algorithm>
#include <cctype>

namespace tw::platform {

namespace {

MsgAnswer FirstButton(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::Ok:
    case MsgButtons::OkCancel:
      return MsgAnswer::Ok;
    case MsgButtons::YesNo:
      return MsgAnswer::Yes;
  }
  return MsgAnswer::Ok;
}

}  // namespace

bool AnswerFitsButtons(MsgAnswer answer, MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::Ok:
      return answer == MsgAnswer::Ok;
    case MsgButtons::OkCancel:
      return answer == MsgAnswer::Ok || answer == MsgAnswer::Cancel;
    case MsgButtons::YesNo:
      return answer == MsgAnswer::Yes || answer == MsgAnswer::No;
  }
  return false;
}

MsgAnswer DefaultAnswer(const MessageBoxRequest& request) {
  // A default that is not a button of the box (a "No" default on an OK box) cannot be
  // pressed; Enter then presses the first button, as it would with no default at all.
  if (request.defaultButton && AnswerFitsButtons(*request.defaultButton, request.buttons)) {
    return *request.defaultButton;
  }
  return FirstButton(request.buttons);
}

const char* AnswerName(MsgAnswer answer) {
  switch (answer) {
    case MsgAnswer::Ok:
      return "ok";
    case MsgAnswer::Cancel:
      return "cancel";
    case MsgAnswer::Yes:
      return "yes";
    case MsgAnswer::No:
      return "no";
  }
  return "ok";
}

const char* IconName(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::None:
      return "none";
    case MsgIcon::Error:
      return "error";
    case MsgIcon::Warning:
      return "warning";
    case MsgIcon::Question:
      return "question";
    case MsgIcon::Information:
      return "information";
  }
  return "none";
}

std::optional<MsgAnswer> AnswerFromName(const std::string& name) {
  // Replay files are typed by hand: accept any letter case and surrounding blanks.
  auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  auto first = std::find_if_not(name.begin(), name.end(), blank);
  auto last = std::find_if_not(name.rbegin(), name.rend(), blank).base();
  std::string key;
  for (auto it = first; it < last; ++it) {
    key += static_cast<char>(std::tolower(static_cast<unsigned char>(*it)));
  }
  for (MsgAnswer a : {MsgAnswer::Ok, MsgAnswer::Cancel, MsgAnswer::Yes, MsgAnswer::No}) {
    if (key == AnswerName(a)) return a;
  }
  return std::nullopt;
}

}  // namespace tw::platform
