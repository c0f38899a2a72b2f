// Lexer: one pass over the text; see Lexer.h for the token invariants.
#include "vbscript/Lexer.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "vbscript/CompileError.h"

namespace vbs {

namespace {

constexpr std::size_t kMaxIdentifier = 255;

struct KeywordEntry {
  std::string_view name;
  Kw keyword;
};

constexpr std::array kKeywords = {
#define VBS_KW_ENTRY(name) KeywordEntry{#name, Kw::name},
    VBS_KEYWORDS(VBS_KW_ENTRY)
#undef VBS_KW_ENTRY
};

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsNameChar(char c) { return IsLetter(c) || IsDigit(c) || c == '_'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

class Lexer {
 public:
  explicit Lexer(std::string_view source) : src_(source) {}

  TokenList run(const std::function<void()>& poll) {
    for (std::uint32_t steps = 1; pos_ < src_.size(); ++steps) {
      step();
      if ((steps & 0xFFF) == 0 && poll) poll();
    }
    tokLine_ = line_;
    tokColumn_ = column();
    push(Tok::Newline);
    push(Tok::End);
    return std::move(tokens_);
  }

 private:
  char peek(std::size_t ahead = 0) const {
    return pos_ + ahead < src_.size() ? src_[pos_ + ahead] : '\0';
  }
  int column() const { return static_cast<int>(pos_ - lineStart_) + 1; }

  Token& push(Tok kind) {
    Token t;
    t.kind = kind;
    t.line = tokLine_;
    t.column = tokColumn_;
    tokens_.push_back(std::move(t));
    return tokens_.back();
  }

  [[noreturn]] void fail(int number) { throw CompileError(number, tokLine_, tokColumn_); }

  void newLine() {
    ++line_;
    lineStart_ = pos_;
  }

  void skipToLineEnd() {
    while (pos_ < src_.size() && src_[pos_] != '\n' && src_[pos_] != '\r') ++pos_;
  }

  bool previousIsOperand() const {
    if (tokens_.empty()) return false;
    const Token& t = tokens_.back();
    return t.kind == Tok::Identifier || t.kind == Tok::RParen ||
           (t.kind == Tok::Keyword && (t.keyword == Kw::Me || t.keyword == Kw::Property));
  }

  void step() {
    const char c = peek();
    tokLine_ = line_;
    tokColumn_ = column();
    if (IsBlank(c)) {
      ++pos_;
      return;
    }
    if (c == '\r' || c == '\n') {
      ++pos_;
      if (c == '\r' && peek() == '\n') ++pos_;
      push(Tok::Newline);
      newLine();
      return;
    }
    if (c == '\'') {
      skipToLineEnd();
      return;
    }
    if (c == '_' && continuation()) return;
    if (IsLetter(c)) return word();
    if (c == '[') return bracketName();
    if (IsDigit(c) || (c == '.' && IsDigit(peek(1)) && !previousIsOperand())) return number();
    if (c == '"') return string();
    if (c == '#') return date();
    if (c == '&' && (Lower(peek(1)) == 'h' || Lower(peek(1)) == 'o' || IsDigit(peek(1)))) {
      return radixNumber();
    }
    ++pos_;
    switch (c) {
      case ':': push(Tok::Colon); return;
      case '(': push(Tok::LParen); return;
      case ')': push(Tok::RParen); return;
      case ',': push(Tok::Comma); return;
      case '.': {
        const bool attached = previousIsOperand() && tokColumn_ > 1 &&
                              !IsBlank(src_[pos_ - 2]);
        push(Tok::Dot).attached = attached;
        return;
      }
      case '+': push(Tok::Plus); return;
      case '-': push(Tok::Minus); return;
      case '*': push(Tok::Star); return;
      case '/': push(Tok::Slash); return;
      case '\\': push(Tok::Backslash); return;
      case '^': push(Tok::Caret); return;
      case '&': push(Tok::Ampersand); return;
      case '=':
        // => and =< are the same as >= and <=
        if (peek() == '>') { ++pos_; push(Tok::Ge); return; }
        if (peek() == '<') { ++pos_; push(Tok::Le); return; }
        push(Tok::Eq);
        return;
      case '<':
        if (peek() == '>') { ++pos_; push(Tok::Ne); return; }
        if (peek() == '=') { ++pos_; push(Tok::Le); return; }
        push(Tok::Lt);
        return;
      case '>':
        if (peek() == '=') { ++pos_; push(Tok::Ge); return; }
        if (peek() == '<') { ++pos_; push(Tok::Ne); return; }  // >< is <>
        push(Tok::Gt);
        return;
      default:
        fail(cerr::kInvalidCharacter);
    }
  }

  // "_" followed by blanks and a line end joins the next line to this one.
  bool continuation() {
    std::size_t p = pos_ + 1;
    while (p < src_.size() && IsBlank(src_[p])) ++p;
    if (p < src_.size() && src_[p] != '\r' && src_[p] != '\n') return false;
    pos_ = p;
    if (pos_ < src_.size()) {
      if (src_[pos_] == '\r' && pos_ + 1 < src_.size() && src_[pos_ + 1] == '\n') ++pos_;
      ++pos_;
      newLine();
    }
    return true;
  }

  void word() {
    const std::size_t start = pos_;
    while (IsNameChar(peek())) ++pos_;
    const std::string_view text = src_.substr(start, pos_ - start);
    if (text.size() > kMaxIdentifier) fail(cerr::kIdentifierTooLong);
    const bool afterDot = !tokens_.empty() && tokens_.back().kind == Tok::Dot;
    if (!afterDot && NamesEqual(text, "rem")) {
      skipToLineEnd();
      return;
    }
    const Kw kw = afterDot ? Kw::None : LookupKeyword(text);
    Token& t = push(kw == Kw::None ? Tok::Identifier : Tok::Keyword);
    t.keyword = kw;
    t.text = std::string(text);
  }

  // [any name]: brackets allow names that are otherwise reserved or have other characters.
  void bracketName() {
    const std::size_t start = ++pos_;
    while (pos_ < src_.size() && src_[pos_] != ']' && src_[pos_] != '\n' && src_[pos_] != '\r') {
      ++pos_;
    }
    if (peek() != ']') fail(cerr::kInvalidCharacter);
    const std::string_view text = src_.substr(start, pos_ - start);
    ++pos_;
    if (text.size() > kMaxIdentifier) fail(cerr::kIdentifierTooLong);
    push(Tok::Identifier).text = std::string(text);
  }

  void number() {
    const std::size_t start = pos_;
    bool isDouble = false;
    while (IsDigit(peek())) ++pos_;
    if (peek() == '.') {
      isDouble = true;
      ++pos_;
      while (IsDigit(peek())) ++pos_;
    }
    if (Lower(peek()) == 'e' &&
        (IsDigit(peek(1)) || ((peek(1) == '+' || peek(1) == '-') && IsDigit(peek(2))))) {
      isDouble = true;
      pos_ += 2;
      while (IsDigit(peek())) ++pos_;
    }
    if (IsLetter(peek()) || peek() == '_') fail(cerr::kInvalidNumber);
    const std::string text(src_.substr(start, pos_ - start));
    const double value = std::strtod(text.c_str(), nullptr);
    if (!std::isfinite(value)) fail(cerr::kInvalidNumber);
    Token& t = push(Tok::Number);
    t.text = text;
    if (!isDouble && value <= 32767) {
      t.value = Variant::fromInteger(static_cast<std::int16_t>(value));
    } else if (!isDouble && value <= 2147483647.0) {
      t.value = Variant::fromLong(static_cast<std::int32_t>(value));
    } else {
      t.value = Variant::fromDouble(value);
    }
  }

  // &Hxx, &Oxx or &xx (octal). Without a suffix the value is an Integer when it fits 16 bits
  // (&hFFFF is -1); a trailing & takes it as 32 bits, which still give an Integer when they
  // lie in -32768..32767 (&hFFFFFFFF& is -1, &hFFFF& the Long 65535).
  void radixNumber() {
    ++pos_;
    int base = 8;
    if (Lower(peek()) == 'h') {
      base = 16;
      ++pos_;
    } else if (Lower(peek()) == 'o') {
      ++pos_;
    }
    std::uint64_t value = 0;
    int digits = 0;
    for (;;) {
      const char c = Lower(peek());
      int d = -1;
      if (IsDigit(c)) d = c - '0';
      else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
      if (d < 0 || d >= base) break;
      value = value * base + d;
      if (value > 0xFFFFFFFFu) fail(cerr::kInvalidNumber);
      ++digits;
      ++pos_;
    }
    if (digits == 0) fail(cerr::kInvalidNumber);
    bool suffixed = false;
    if (peek() == '&') {
      suffixed = true;
      ++pos_;
    }
    // A name may follow at once (&h01or&h02): the digits end where the name starts.
    Token& t = push(Tok::Number);
    const auto wide = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    if (!suffixed && value <= 0xFFFF) {
      t.value = Variant::fromInteger(static_cast<std::int16_t>(static_cast<std::uint16_t>(value)));
    } else if (suffixed && wide >= -32768 && wide <= 32767) {
      t.value = Variant::fromInteger(static_cast<std::int16_t>(wide));
    } else {
      t.value = Variant::fromLong(wide);
    }
  }

  void string() {
    ++pos_;
    std::string text;
    for (;;) {
      if (pos_ >= src_.size() || src_[pos_] == '\n' || src_[pos_] == '\r') {
        fail(cerr::kUnterminatedString);
      }
      const char c = src_[pos_++];
      if (c == '"') {
        if (peek() != '"') break;
        ++pos_;
      }
      text.push_back(c);
    }
    Token& t = push(Tok::String);
    t.value = Variant::fromString(std::move(text));
  }

  void date() {
    const std::size_t start = ++pos_;
    while (pos_ < src_.size() && src_[pos_] != '#' && src_[pos_] != '\n' && src_[pos_] != '\r') {
      ++pos_;
    }
    if (peek() != '#') fail(cerr::kSyntaxError);
    const std::string_view text = src_.substr(start, pos_ - start);
    ++pos_;
    const auto date = ParseDateText(text);
    if (!date) fail(cerr::kSyntaxError);
    push(Tok::Date).value = Variant::fromDate(*date);
  }

  std::string_view src_;
  std::size_t pos_ = 0;
  std::size_t lineStart_ = 0;
  int line_ = 1;
  int tokLine_ = 1;
  int tokColumn_ = 1;
  TokenList tokens_;
};

}  // namespace

std::string FoldCase(std::string_view name) {
  std::string out(name);
  for (char& c : out) c = Lower(c);
  return out;
}

bool NamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

Kw LookupKeyword(std::string_view word) {
  for (const auto& entry : kKeywords) {
    if (NamesEqual(entry.name, word)) return entry.keyword;
  }
  return Kw::None;
}

std::string_view KeywordName(Kw keyword) {
  for (const auto& entry : kKeywords) {
    if (entry.keyword == keyword) return entry.name;
  }
  return {};
}

TokenList Tokenize(std::string_view source, const std::function<void()>& poll) {
  return Lexer(source).run(poll);
}

}  // namespace vbs
