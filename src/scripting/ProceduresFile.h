// The body of a game's "Procedures" file: its text after the three header lines, the lines
// joined by CR LF. A line ends at CR LF, CR or LF.
#pragma once

#include <string>

namespace tw::scripting {

inline std::string ProceduresBody(const std::string& text) {
  std::string joined;
  std::size_t start = 0;
  int line = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    if (++line > 3) {
      if (line > 4) joined += "\r\n";
      joined.append(text, start, end - start);
    }
    start = end;
    if (start < text.size() && text[start] == '\r') ++start;
    if (start < text.size() && text[start] == '\n') ++start;
  }
  return joined;
}

}  // namespace tw::scripting
