// RegexParser: reads a pattern into a syntax tree, following the JScript-style syntax of
// VBScript 5.5 and later (ECMAScript 3 with the lenient readings browsers share: a `{`, `}` or
// `]` that opens nothing is a literal, \8 is "8", \1 without a first group is octal 1,
// `\c` without a letter is a backslash and a "c", a `-` next to \d in a class is literal).
//
// Invariants of the tree: Concat and Alternation hold their parts in pattern order; a Repeat
// has exactly one child and min <= max; Group numbers count opening parentheses from 1;
// nesting never exceeds kMaxNesting (deeper patterns raise 28 rather than exhausting the
// native stack in the recursive parser and compiler).
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "vbscript/RegexProgram.h"

namespace vbs::regex {

inline constexpr int kMaxNesting = 500;

struct Node {
  enum class Kind {
    Empty,
    Char,             // ch
    Any,              // .
    Class,            // classIndex
    LineStart,        // ^
    LineEnd,          // $
    WordBoundary,     // \b
    NotWordBoundary,  // \B
    BackRef,          // group
    Group,            // group (0 for (?:...)), one child
    LookAhead,        // negative, one child
    Concat,           // children
    Alternation,      // children
    Repeat,           // min, max, greedy, one child
  };
  Kind kind = Kind::Empty;
  char16_t ch = 0;
  std::uint32_t classIndex = 0;
  std::uint32_t group = 0;
  bool negative = false;
  std::uint32_t min = 0, max = 0;
  bool greedy = true;
  std::vector<std::unique_ptr<Node>> children;
};

struct SyntaxTree {
  std::unique_ptr<Node> root;
  std::vector<CharClass> classes;
  std::uint32_t groupCount = 0;
};

// Throws VbError 5017..5021 for a malformed pattern, 28 for one nested too deeply.
SyntaxTree Parse(std::u16string_view pattern);

}  // namespace vbs::regex
