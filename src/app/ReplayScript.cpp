#include "app/ReplayScript.h"

#include <cctype>
#include <charconv>
#include <sstream>
#include <string>
#include <utility>

#include "common/TextEncoding.h"

namespace tw {

namespace {

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

std::optional<int> Number(const std::string& word) {
  int value = 0;
  const char* end = word.data() + word.size();
  const auto [ptr, ec] = std::from_chars(word.data(), end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

// The text after the first word, as written (inner blanks kept, outer ones dropped).
std::string Rest(const std::string& line) {
  std::size_t start = line.find_first_not_of(" \t");
  start = line.find_first_of(" \t", start);
  if (start == std::string::npos) return "";
  start = line.find_first_not_of(" \t", start);
  if (start == std::string::npos) return "";
  std::size_t end = line.find_last_not_of(" \t\r");
  return line.substr(start, end - start + 1);
}

}  // namespace

std::optional<int> KeyCodeFromName(const std::string& name) {
  if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
    return std::toupper(static_cast<unsigned char>(name[0]));
  }
  if (EqualsNoCase(name, "Escape") || EqualsNoCase(name, "Esc")) return 27;
  if (EqualsNoCase(name, "Enter") || EqualsNoCase(name, "Return")) return 13;
  static constexpr std::pair<const char*, int> kNamed[] = {
      {"Tab", 9}, {"Space", 32}, {"Left", 37}, {"Up", 38}, {"Right", 39}, {"Down", 40}};
  for (const auto& [named, code] : kNamed) {
    if (EqualsNoCase(name, named)) return code;
  }
  if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f')) {
    const std::optional<int> n = Number(name.substr(1));
    if (n && *n >= 1 && *n <= 12) return 111 + *n;  // F1 is 112
  }
  return std::nullopt;
}

std::optional<KeyPress> KeyPressFromName(const std::string& name) {
  static constexpr std::pair<const char*, int> kModifiers[] = {
      {"Shift+", 1}, {"Ctrl+", 2}, {"Alt+", 4}};
  KeyPress press;
  std::string rest = name;
  for (bool more = true; more;) {
    more = false;
    for (const auto& [prefix, mask] : kModifiers) {
      const std::size_t length = std::char_traits<char>::length(prefix);
      if (rest.size() > length && EqualsNoCase(rest.substr(0, length), prefix)) {
        press.shift |= mask;
        rest = rest.substr(length);
        more = true;
      }
    }
  }
  const std::optional<int> code = KeyCodeFromName(rest);
  if (!code) return std::nullopt;
  press.keyCode = *code;
  return press;
}

std::vector<ReplayLine> ParseReplay(const std::string& text) {
  std::vector<ReplayLine> lines;
  std::istringstream in(text);
  std::string raw;
  int number = 0;
  while (std::getline(in, raw)) {
    ++number;
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    const std::vector<std::string> w = Words(raw);
    if (w.empty() || w[0][0] == '#') continue;

    const auto fail = [&](const std::string& why) {
      throw ReplayError("line " + std::to_string(number) + ": " + why + ": \"" + raw + "\"");
    };
    const auto numbers = [&](std::size_t count) {
      if (w.size() != count + 1) fail("'" + w[0] + "' takes " + std::to_string(count) + " number(s)");
      std::vector<int> values;
      for (std::size_t i = 1; i <= count; ++i) {
        const std::optional<int> n = Number(w[i]);
        if (!n) fail("'" + w[i] + "' is not a whole number");
        values.push_back(*n);
      }
      return values;
    };

    ReplayLine line;
    line.lineNumber = number;
    const std::string& verb = w[0];
    using K = ReplayLine::Kind;
    if (verb == "start") {
      if (w.size() != 1) fail("'start' takes nothing after it");
      line.kind = K::Start;
    } else if (verb == "click" || verb == "rclick" || verb == "move") {
      const auto v = numbers(2);
      line.kind = verb == "click" ? K::Click : verb == "rclick" ? K::RightClick : K::Move;
      line.a = v[0];
      line.b = v[1];
    } else if (verb == "drag") {
      const auto v = numbers(3);
      line.kind = K::Drag;
      line.a = v[0];
      line.b = v[1];
      line.c = v[2];
    } else if (verb == "dragitem") {
      const auto v = numbers(2);
      line.kind = K::DragItem;
      line.a = v[0];
      line.b = v[1];
    } else if (verb == "wait") {
      const auto v = numbers(1);
      if (v[0] < 0) fail("a wait cannot be negative");
      line.kind = K::Wait;
      line.a = v[0];
    } else if (verb == "key" || verb == "hold" || verb == "release") {
      if (w.size() != 2) fail("'" + verb + "' takes one key name");
      const std::optional<KeyPress> press = KeyPressFromName(w[1]);
      if (!press) {
        fail("unknown key '" + w[1] +
             "' (a letter, a digit, Escape, Enter, Tab, Space, Left, Right, Up, Down, F1..F12, "
             "after Shift+, Ctrl+ or Alt+)");
      }
      line.kind = verb == "key" ? K::Key : verb == "hold" ? K::Hold : K::Release;
      line.keyCode = press->keyCode;
      line.shift = press->shift;
    } else if (verb == "menu") {
      if (w.size() < 2) fail("'menu' takes a menu item name");
      line.kind = K::Menu;
      line.text = Rest(raw);
    } else if (verb == "answer") {
      if (w.size() != 2) fail("'answer' takes ok, cancel, yes or no");
      const std::optional<platform::MsgAnswer> answer = platform::AnswerFromName(w[1]);
      if (!answer) fail("unknown answer '" + w[1] + "' (ok, cancel, yes, no)");
      line.kind = K::Answer;
      line.answer = *answer;
    } else if (verb == "input") {
      line.kind = K::Input;
      line.text = Rest(raw);
      line.cancelInput = line.text.empty();
    } else if (verb == "drive") {
      if (w.size() < 2) fail("'drive' takes a folder or 'cancel'");
      line.kind = K::Drive;
      line.text = Rest(raw);
      line.cancelInput = line.text == "cancel";
    } else if (verb == "save" || verb == "load") {
      // "load" alone chooses the automatic save.
      if (w.size() < 2 && verb == "save") fail("'save' takes a saved-game name");
      line.kind = verb == "save" ? K::Save : K::Load;
      line.text = Rest(raw);
    } else {
      fail("unknown input '" + verb + "'");
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace tw
