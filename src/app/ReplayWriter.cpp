#include "app/ReplayWriter.h"

#include <algorithm>

namespace tw {

namespace {

using Kind = ReplayLine::Kind;

// Text after a verb reads back without its outer blanks and tabs; only text without them,
// on one line, comes back the same.
bool ReadsBack(const std::string& text) {
  if (text.empty()) return false;
  if (text.find_first_of("\r\n") != std::string::npos) return false;
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  return !blank(text.front()) && !blank(text.back());
}

std::string Pair(const char* verb, int a, int b) {
  return std::string(verb) + " " + std::to_string(a) + " " + std::to_string(b);
}

}  // namespace

std::optional<std::string> KeyNameFromCode(int keyCode, int shift) {
  std::string name;
  if ((keyCode >= 'A' && keyCode <= 'Z') || (keyCode >= '0' && keyCode <= '9')) {
    name = std::string(1, static_cast<char>(keyCode));
  } else if (keyCode >= 112 && keyCode <= 123) {
    name = "F" + std::to_string(keyCode - 111);
  } else {
    switch (keyCode) {
      case 27:
        name = "Escape";
        break;
      case 13:
        name = "Enter";
        break;
      case 9:
        name = (shift & 1) ? "Shift+Tab" : "Tab";
        break;
      case 32:
        name = "Space";
        break;
      case 37:
        name = "Left";
        break;
      case 38:
        name = "Up";
        break;
      case 39:
        name = "Right";
        break;
      case 40:
        name = "Down";
        break;
      default:
        return std::nullopt;
    }
  }
  // Only a name the reader turns back into this key is written.
  const std::optional<int> back = KeyCodeFromName(name);
  if (!back || *back != keyCode) return std::nullopt;
  return name;
}

int RoundedWait(std::int64_t ms) {
  if (ms <= 0) return 0;
  return static_cast<int>(std::min<std::int64_t>((ms + 5) / 10 * 10, 1 << 30));
}

std::string ReplayComment(const std::string& text) {
  std::string line = "# " + text;
  std::replace_if(
      line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return line;
}

std::optional<std::string> FormatReplayLine(const ReplayLine& line) {
  switch (line.kind) {
    case Kind::Start:
      return "start";
    case Kind::Click:
      return Pair("click", line.a, line.b);
    case Kind::RightClick:
      return Pair("rclick", line.a, line.b);
    case Kind::Move:
      return Pair("move", line.a, line.b);
    case Kind::Drag:
      return Pair("drag", line.a, line.b) + " " + std::to_string(line.c);
    case Kind::DragItem:
      return Pair("dragitem", line.a, line.b);
    case Kind::Key:
      // A name given with the line (Shift+Tab) is kept when it reads back as the key.
      if (!line.text.empty()) {
        const std::optional<int> code = KeyCodeFromName(line.text);
        if (code && *code == line.keyCode) return "key " + line.text;
        return std::nullopt;
      }
      if (const auto name = KeyNameFromCode(line.keyCode)) return "key " + *name;
      return std::nullopt;
    case Kind::Menu:
      if (!ReadsBack(line.text)) return std::nullopt;
      return "menu " + line.text;
    case Kind::Wait:
      if (line.a < 0) return std::nullopt;
      return "wait " + std::to_string(line.a);
    case Kind::Answer:
      return std::string("answer ") + platform::AnswerName(line.answer);
    case Kind::Input:
      if (line.cancelInput) return "input";
      if (!ReadsBack(line.text)) return std::nullopt;
      return "input " + line.text;
    case Kind::Save:
      if (!ReadsBack(line.text)) return std::nullopt;
      return "save " + line.text;
    case Kind::Load:
      // The automatic save is "load" alone.
      if (line.text.empty()) return "load";
      if (!ReadsBack(line.text)) return std::nullopt;
      return "load " + line.text;
    case Kind::Drive:
      if (line.cancelInput) return "drive cancel";
      // A folder called "cancel" would read back as the cancel.
      if (!ReadsBack(line.text) || line.text == "cancel") return std::nullopt;
      return "drive " + line.text;
  }
  return std::nullopt;
}

}  // namespace tw
