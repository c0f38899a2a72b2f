// RegexChars: character predicates and case folding of the regular-expression engine.
#include "vbscript/RegexChars.h"

#include "vbscript/Utf16.h"

namespace vbs::regex {

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

bool IsWordChar(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || IsDigit(c) || c == u'_';
}

bool IsSpace(char16_t c) {
  return c == u' ' || c == u'\f' || c == u'\n' || c == u'\r' || c == u'\t' || c == u'\v';
}

bool IsLineTerminator(char16_t c) {
  return c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029;
}

char16_t Fold(char16_t c) {
  return detail::FoldCase(c);
}

// Mirrors the ranges of detail::FoldCase; RegexTest checks the two against each other.
char16_t UnfoldCase(char16_t u) {
  auto down = [](char16_t v, int by) { return static_cast<char16_t>(v - by); };
  if (u >= u'a' && u <= u'z') return down(u, 32);
  if (u < 0xE0) return u;
  if (u <= 0xFE && u != 0xF7) return down(u, 32);
  if (u == 0xFF) return 0x178;
  if (u >= 0x101 && u <= 0x137 && u % 2 == 1) return down(u, 1);
  if (u >= 0x13A && u <= 0x148 && u % 2 == 0) return down(u, 1);
  if (u >= 0x14B && u <= 0x177 && u % 2 == 1) return down(u, 1);
  if (u >= 0x17A && u <= 0x17E && u % 2 == 0) return down(u, 1);
  if (u >= 0x3B1 && u <= 0x3CB && u != 0x3C2) return down(u, 32);
  if (u >= 0x430 && u <= 0x44F) return down(u, 32);
  if (u >= 0x450 && u <= 0x45F) return down(u, 80);
  return u;
}

namespace {

bool Contains(const CharClass& cls, char16_t c) {
  for (const auto& range : cls.ranges) {
    if (c >= range.first && c <= range.last) return true;
  }
  return (cls.digits && IsDigit(c)) || (cls.notDigits && !IsDigit(c)) ||
         (cls.words && IsWordChar(c)) || (cls.notWords && !IsWordChar(c)) ||
         (cls.spaces && IsSpace(c)) || (cls.notSpaces && !IsSpace(c));
}

}  // namespace

bool ClassContains(const CharClass& cls, char16_t c, bool ignoreCase) {
  bool in = Contains(cls, c);
  if (!in && ignoreCase) {
    const char16_t folded = Fold(c);
    in = Contains(cls, folded) || Contains(cls, UnfoldCase(folded));
  }
  return in != cls.negated;
}

}  // namespace vbs::regex
