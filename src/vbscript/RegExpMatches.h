// RegExpMatches: the result objects of RegExp.Execute — MatchCollection ("IMatchCollection2"),
// Match ("IMatch2") and SubMatches ("ISubMatches").
//
// They are read-only snapshots: a Match keeps its text, position and groups, independent of
// the RegExp and the searched string, which the script may change afterwards. Positions and
// lengths count UTF-16 characters.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "vbscript/Object.h"

namespace vbs::detail {

struct MatchData {
  std::string value;
  std::int32_t firstIndex = 0;
  std::int32_t length = 0;
  std::vector<Variant> groups;  // one per group: its text, or Empty when it took no part
};

std::shared_ptr<Object> NewMatch(MatchData data);
// `matches` holds objects made by NewMatch, in the order they were found.
std::shared_ptr<Object> NewMatchCollection(std::vector<std::shared_ptr<Object>> matches);

}  // namespace vbs::detail
