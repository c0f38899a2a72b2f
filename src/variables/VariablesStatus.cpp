#include "variables/VariablesStatus.h"

#include <exception>
#include <functional>
#include <optional>

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

// Each line is made when its turn comes, so a value that cannot be shown stops the window
// there, after the pages before it.
std::vector<std::function<std::string()>> Lines(const VariableStore& variables) {
  std::vector<std::function<std::string()>> lines;
  const auto fixed = [&](std::string text) {
    lines.push_back([text = std::move(text)] { return text; });
  };
  fixed(kHelp);
  fixed("");
  fixed("");
  fixed(SectionTitle("INTEGER VARIABLES:"));
  fixed("");
  for (const auto& v : variables.Variables) fixed(v->Name + " = " + std::to_string(v->Value()));
  fixed("");
  fixed(SectionTitle("VARIANT VARIABLES:"));
  fixed("");
  for (const auto& v : variables.VariablesVariant) {
    lines.push_back([v] { return v->Name + " = " + v->Value.toString(); });
  }
  return lines;
}

}  // namespace

std::vector<std::string> VariablesStatusPages(const VariableStore& variables,
                                              std::vector<std::string>* shown) {
  std::vector<std::string> pages;
  const auto lines = Lines(variables);
  const std::size_t last = lines.size() - 1;
  std::string text;
  for (std::size_t n = 0; n <= last; ++n) {
    text += lines[n]() + "\r\n";
    if ((n + 1) % kLinesPerPage == 0 && n != last) {
      pages.push_back(text);
      if (shown) shown->push_back(text);
      text = std::string(52, ' ') + "\r\n";
    }
  }
  pages.push_back(text + "\r\n");
  if (shown) shown->push_back(pages.back());
  return pages;
}

void ShowVariablesStatus(Player& player, const VariableStore& variables) {
  platform::Platform& p = player.platform();
  // Built first, then shown: the pages show the values as they were when the window opened.
  std::vector<std::string> pages;
  std::optional<std::string> failure;
  try {
    VariablesStatusPages(variables, &pages);
  } catch (const std::exception& e) {
    failure = e.what();
  }
  for (const std::string& page : pages) {
    p.messageBox(platform::MakeBox("Variables Status", page, platform::MsgIcon::Information,
                                   platform::MsgButtons::Ok));
  }
  if (failure) {
    p.messageBox(platform::MakeBox("Error", "Error displaying variables status. " + *failure,
                                   platform::MsgIcon::Warning, platform::MsgButtons::Ok));
  }
}

}  // namespace tw
