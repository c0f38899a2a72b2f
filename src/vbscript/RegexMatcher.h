// RegexMatcher: runs a compiled Program over UTF-16 text.
//
// The matcher backtracks like the JScript engine does (leftmost match, alternatives in order,
// greedy or lazy quantifiers), but keeps its choice points on an explicit stack instead of the
// native one, so a megabyte of input needs no deep recursion. Every search has a step budget
// and a cap on the stack; a pattern that would backtrack for hours (`(a*)*b` on "aaaa...")
// raises VbError 28 "Out of stack space" — the error the Windows engine gives when its own
// recursion runs out — rather than freezing the game.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "vbscript/RegexProgram.h"

namespace vbs::regex {

// Instructions and backtracking steps one search may take. A search that fails at every
// start of a megabyte of text costs a few million; runaway patterns exceed it within a second.
inline constexpr std::uint64_t kStepBudget = 50'000'000;
// Entries of the backtracking stack (16 bytes each).
inline constexpr std::size_t kStackLimit = std::size_t{1} << 22;

struct MatchResult {
  // 2 * (groupCount + 1) positions: start and end of the whole match, then of each group;
  // kUnset for a group that took no part in the match.
  std::vector<std::uint32_t> slots;

  std::uint32_t start() const { return slots[0]; }
  std::uint32_t end() const { return slots[1]; }
};

// Steps between two calls of a search's poll (some tens of microseconds of matching).
inline constexpr std::uint64_t kStepsBetweenPolls = 4096;

// The first match that starts at or after `from` (0 <= from <= input.size()); nullopt when
// there is none. Throws VbError 28 when the budget or the stack limit is exceeded, and 7 for
// text longer than positions can count. poll, when given, is called every
// kStepsBetweenPolls steps; whatever it throws ends the search (the script's time-out).
std::optional<MatchResult> Search(const Program& program, std::u16string_view input,
                                  std::size_t from, std::uint64_t stepBudget = kStepBudget,
                                  const std::function<void()>& poll = {});

}  // namespace vbs::regex
