// The variables status window: every game variable's name and value, integer variables
// first, shown as a row of information boxes titled "Variables Status" of at most 25 lines
// each (every page after the first begins with a line of 52 blanks).
#pragma once

#include <string>
#include <vector>

namespace tw {

class Player;
class VariableStore;

// The pages as they are shown. Throws VbError when a value cannot be shown as text (Null, an
// array, an object without a value): every line is built before the first page.
std::vector<std::string> VariablesStatusPages(const VariableStore& variables);

// Shows the pages; a failure shows the warning box "Error displaying variables status. ...".
void ShowVariablesStatus(Player& player, const VariableStore& variables);

}  // namespace tw
