// RegexProgram: a compiled regular expression — a small instruction list the backtracking
// matcher (RegexMatcher) runs — and the compiler's entry point.
//
// Invariants of a compiled Program:
//  - Every jump target lies inside `code`; the last instruction is Match.
//  - Register slots: 2 * (groupCount + 1) capture slots first (start, end of group 0 = the
//    whole match, then of each group in the order of their opening parentheses), then the
//    loop registers (counters and progress marks) the compiler allocated.
//  - Char operands and class ranges are stored as written; when ignoreCase is set the matcher
//    compares case-folded units (RegexChars), so the program itself never changes with input.
//  - A RepeatSingle instruction is always followed by the one-unit atom it repeats
//    (Char, Any or Class); execution continues after that atom.
// Text is matched as UTF-16 code units, the characters of VBScript's strings.
#pragma once

#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

namespace vbs::regex {

inline constexpr std::uint32_t kUnbounded = std::numeric_limits<std::uint32_t>::max();
inline constexpr std::uint32_t kUnset = std::numeric_limits<std::uint32_t>::max();

// A set of code units: ranges plus the predefined classes written inside it ([\d_x-z]).
struct CharClass {
  struct Range {
    char16_t first, last;
  };
  std::vector<Range> ranges;
  bool digits = false, notDigits = false;  // \d, \D
  bool words = false, notWords = false;    // \w, \W
  bool spaces = false, notSpaces = false;  // \s, \S
  bool negated = false;                    // [^...]
};

enum class Op : std::uint8_t {
  Char,             // a = code unit
  Any,              // any unit but a line terminator
  Class,            // a = index into classes
  LineStart,        // ^
  LineEnd,          // $
  WordBoundary,     // \b
  NotWordBoundary,  // \B
  Split,            // go on at a; on failure come back and go on at b
  Jump,             // a = target
  Save,             // a = register; it takes the current position
  BackRef,          // a = group
  RepeatSingle,     // the atom after it, min..max times; flag = greedy
  LoopInit,         // a = counter register, set to 0
  LoopHead,         // a = counter register (kUnset: none), b = exit, min, max, flag = greedy;
                    // the body starts right after
  LoopMark,         // a = mark register: remembers where this iteration began
  LoopTail,         // a = counter register, b = mark register (either may be kUnset),
                    // min; target = loop head. An optional iteration that consumed nothing fails.
  LookStart,        // a = instruction after the matching LookEnd, flag = negative
  LookEnd,
  Match,
};

struct Instruction {
  Op op = Op::Match;
  bool flag = false;
  std::uint32_t a = 0, b = 0;
  std::uint32_t min = 0, max = 0;
  std::uint32_t target = 0;
};

struct Program {
  std::vector<Instruction> code;
  std::vector<CharClass> classes;
  std::uint32_t groupCount = 0;     // capturing groups, not counting the whole match
  std::uint32_t registerCount = 0;  // capture slots and loop registers
  bool ignoreCase = false;
  bool multiline = false;
};

// Compiles a pattern. Throws VbError: 5017 syntax error, 5018 unexpected quantifier,
// 5019 expected ']', 5020 expected ')', 5021 invalid range in a character set,
// 28 for groups nested deeper than the compiler follows.
Program Compile(std::u16string_view pattern, bool ignoreCase, bool multiline);

}  // namespace vbs::regex
