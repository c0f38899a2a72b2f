// Fuzz target: a whole game. The input is a small game's files laid out one after another,
// each starting with a line "@@ PATH" (a path inside the game folder, "/" between folders);
// they are written over the demo game, whose pictures, sounds and other files fill in what
// the input leaves out, and the fixed replay plays the result.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "support/FuzzGame.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 512 * 1024) return -1;
  static tw::fuzz::FuzzGame game;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  constexpr std::string_view kMark = "@@ ";
  std::size_t at = input.rfind(kMark, 0) == 0 ? 0 : input.find("\n@@ ");
  if (at != 0 && at != input.npos) ++at;  // past the line end before the mark
  int files = 0;
  while (at != input.npos && at < input.size() && files < 64) {
    const std::size_t nameEnd = input.find('\n', at);
    if (nameEnd == input.npos) break;
    std::string_view name = input.substr(at + kMark.size(), nameEnd - at - kMark.size());
    if (!name.empty() && name.back() == '\r') name.remove_suffix(1);
    const std::size_t next = input.find("\n@@ ", nameEnd);
    const std::size_t end = next == input.npos ? input.size() : next + 1;
    game.put(name, input.substr(nameEnd + 1, end - nameEnd - 1));
    ++files;
    at = next == input.npos ? input.npos : next + 1;
  }
  game.playAll();
  return 0;
}
