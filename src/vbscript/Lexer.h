// Lexer: turns VBScript source text into tokens.
//
// Invariants: every token carries the 1-based line and column of its first character in the
// source; line continuations ("_" at the end of a line) and comments ("'" and Rem) never reach
// the parser; a real line end gives a Newline token, ":" a Colon token, and the text always
// ends with Newline then End. Keywords are recognised without regard to case; words that are
// keywords only in some places (Default, Error, Explicit, Get, Preserve, Resume, Step) stay
// identifiers and the parser recognises them by their text. Property stays a keyword, but the
// parser takes it as an ordinary name wherever it does not open a property declaration.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "vbscript/Variant.h"

namespace vbs {

// The reserved words, defined once; the keyword table and the enum come from this list.
#define VBS_KEYWORDS(X)                                                                       \
  X(And) X(ByRef) X(ByVal) X(Call) X(Case) X(Class) X(Const) X(Dim) X(Do) X(Each) X(Else)     \
  X(ElseIf) X(Empty) X(End) X(Eqv) X(Erase) X(Exit) X(False) X(For) X(Function) X(GoTo) X(If) \
  X(Imp) X(In) X(Is) X(Let) X(Loop) X(Me) X(Mod) X(New) X(Next) X(Not) X(Nothing) X(Null)     \
  X(On) X(Option) X(Or) X(Private) X(Property) X(Public) X(ReDim) X(Select) X(Set) X(Sub)     \
  X(Then) X(To) X(True) X(Until) X(Wend) X(While) X(With) X(Xor)

enum class Kw : unsigned char {
  None,
#define VBS_KW_ENUM(name) name,
  VBS_KEYWORDS(VBS_KW_ENUM)
#undef VBS_KW_ENUM
};

enum class Tok : unsigned char {
  End,
  Newline,
  Colon,
  Identifier,  // text holds the name as written
  Keyword,     // keyword holds which one, text the spelling
  Number,      // value holds Integer, Long or Double
  String,      // value holds the text
  Date,        // value holds the date
  // punctuation and operators
  LParen, RParen, Comma, Dot,
  Plus, Minus, Star, Slash, Backslash, Caret, Ampersand,
  Eq, Ne, Lt, Gt, Le, Ge,
};

struct Token {
  Tok kind = Tok::End;
  Kw keyword = Kw::None;
  int line = 1;
  int column = 1;
  // A Dot written right after a name or ")" (obj.Name) rather than after a blank (With's .Name).
  bool attached = false;
  std::string text;
  Variant value;
};

// Breaks the text into tokens; throws CompileError (1031 Invalid number, 1032 Invalid
// character, 1033 Unterminated string constant, 1030 Identifier too long).
// A deque: a huge text's tokens are never moved in one piece as the list grows.
using TokenList = std::deque<Token>;

// `poll`, when given, is called every few thousand tokens and may throw to stop.
TokenList Tokenize(std::string_view source, const std::function<void()>& poll = {});

// The keyword spelled so (any case), Kw::None otherwise.
Kw LookupKeyword(std::string_view word);
// The keyword's usual spelling ("ElseIf").
std::string_view KeywordName(Kw keyword);

// ASCII case folding for names: VBScript identifiers are ASCII.
std::string FoldCase(std::string_view name);
bool NamesEqual(std::string_view a, std::string_view b);

}  // namespace vbs
