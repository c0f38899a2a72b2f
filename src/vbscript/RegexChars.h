// RegexChars: the character predicates of regular expressions.
//
// \d is [0-9], \w is [A-Za-z0-9_] and \s is [ \f\n\r\t\v], as VBScript defines them; the line
// terminators (for `.` and the Multiline anchors) are \n, \r, U+2028 and U+2029.
// Case-insensitive matching folds both sides with the fold of text compare (ASCII, Latin-1,
// Latin Extended-A, Greek, Cyrillic); UnfoldCase is its inverse on those letters, so a class
// range written in capitals also matches the small letters and the other way round.
#pragma once

#include "vbscript/RegexProgram.h"

namespace vbs::regex {

bool IsDigit(char16_t c);
bool IsWordChar(char16_t c);
bool IsSpace(char16_t c);
bool IsLineTerminator(char16_t c);

char16_t Fold(char16_t c);
// The capital whose fold is `folded`; `folded` itself when it has none.
char16_t UnfoldCase(char16_t folded);

bool ClassContains(const CharClass& cls, char16_t c, bool ignoreCase);

}  // namespace vbs::regex
