#include "variables/VariablesStatus.h"

#include <exception>

#include "platform/Platform.h"
#include "project/Player.h"
#include "variables/VariableStore.h"

namespace tw {

namespace {

constexpr int kLinesPerPage = 25;
constexpr const char* kHelp =
    "This window allows you to view the value of all the project variables. To create a new "
    "project variable, click \"Project Variables...\" from the frame editor menu. To manually "
    "change the value of a variable, click \"Execute VBS code...\" from the Debug menu, and "
    "then enter: \"VARIABLE_NAME = NEW_VALUE\" (without the quotes).";

std::string SectionTitle(const char* title) {
  return std::string(26, '-') + " " + title + " " + std::string(26, '-') + std::string(13, ' ');
}

// Every line is made before any page is shown: a value that cannot be shown as text stops
// the window before its first box.
std::vector<std::string> Lines(const VariableStore& variables) {
  std::vector<std::string> lines = {kHelp, "", "", SectionTitle("INTEGER VARIABLES:"), ""};
  for (const auto& v : variables.Variables)
    lines.push_back(v->Name + " = " + std::to_string(v->Value()));
  lines.push_back("");
  lines.push_back(SectionTitle("VARIANT VARIABLES:"));
  lines.push_back("");
  for (const auto& v : variables.VariablesVariant)
    lines.push_back(v->Name + " = " + v->Value.toString());
  return lines;
}

}  // namespace

std::vector<std::string> VariablesStatusPages(const VariableStore& variables) {
  std::vector<std::string> pages;
  const std::vector<std::string> lines = Lines(variables);
  const std::size_t last = lines.size() - 1;
  std::string text;
  for (std::size_t n = 0; n <= last; ++n) {
    text += lines[n] + "\r\n";
    if ((n + 1) % kLinesPerPage == 0 && n != last) {
      pages.push_back(text);
      text = std::string(52, ' ') + "\r\n";
    }
  }
  pages.push_back(text + "\r\n");
  return pages;
}

void ShowVariablesStatus(Player& player, const VariableStore& variables) {
  platform::Platform& p = player.platform();
  // Built first, then shown: the pages show the values as they were when the window opened.
  std::vector<std::string> pages;
  try {
    pages = VariablesStatusPages(variables);
  } catch (const std::exception& e) {
    p.messageBox(platform::MakeBox("Error",
                                   std::string("Error displaying variables status. ") + e.what(),
                                   platform::MsgIcon::Warning, platform::MsgButtons::Ok));
    return;
  }
  for (const std::string& page : pages) {
    p.messageBox(platform::MakeBox("Variables Status", page, platform::MsgIcon::Information,
                                   platform::MsgButtons::Ok));
  }
}

}  // namespace tw
