// RegexParser: recursive descent over the pattern, one function per rule of the grammar.
// Recursion happens only for groups, and the nesting depth is bounded (kMaxNesting).
#include "vbscript/RegexParser.h"

#include <string>

#include "vbscript/VbError.h"

namespace vbs::regex {

namespace {

constexpr int kSyntaxError = 5017;
constexpr int kUnexpectedQuantifier = 5018;
constexpr int kExpectedBracket = 5019;
constexpr int kExpectedParen = 5020;
constexpr int kInvalidRange = 5021;

[[noreturn]] void Fail(int number) {
  switch (number) {
    case kSyntaxError:
      throw VbError(number, "Syntax error in regular expression");
    case kUnexpectedQuantifier:
      throw VbError(number, "Unexpected quantifier");
    case kExpectedBracket:
      throw VbError(number, "Expected ']' in regular expression");
    case kExpectedParen:
      throw VbError(number, "Expected ')' in regular expression");
    case kInvalidRange:
      throw VbError(number, "Invalid range in character set");
    default:
      throw VbError(number);
  }
}

bool IsOctal(char16_t c) {
  return c >= u'0' && c <= u'7';
}

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

std::unique_ptr<Node> MakeNode(Node::Kind kind) {
  auto node = std::make_unique<Node>();
  node->kind = kind;
  return node;
}

std::unique_ptr<Node> MakeChar(char16_t c) {
  auto node = MakeNode(Node::Kind::Char);
  node->ch = c;
  return node;
}

// Capturing groups of the whole pattern: decides whether \12 is a back reference or octal.
std::uint32_t CountGroups(std::u16string_view p) {
  std::uint32_t count = 0;
  bool inClass = false;
  for (std::size_t i = 0; i < p.size(); ++i) {
    if (p[i] == u'\\') {
      ++i;
    } else if (inClass) {
      inClass = p[i] != u']';
    } else if (p[i] == u'[') {
      inClass = true;
    } else if (p[i] == u'(' && (i + 1 >= p.size() || p[i + 1] != u'?')) {
      ++count;
    }
  }
  return count;
}

class Parser {
 public:
  Parser(std::u16string_view pattern, SyntaxTree& tree)
      : p_(pattern), tree_(tree), totalGroups_(CountGroups(pattern)) {}

  std::unique_ptr<Node> parsePattern() {
    auto root = parseDisjunction(0);
    if (pos_ < p_.size()) Fail(kSyntaxError);  // a ')' without its '('
    return root;
  }

 private:
  bool atEnd() const { return pos_ >= p_.size(); }
  char16_t peek(std::size_t ahead = 0) const {
    return pos_ + ahead < p_.size() ? p_[pos_ + ahead] : u'\0';
  }
  bool has(std::size_t ahead) const { return pos_ + ahead < p_.size(); }

  // disjunction -> alternative { '|' alternative }
  std::unique_ptr<Node> parseDisjunction(int depth) {
    if (depth > kMaxNesting) throw VbError(err::kOutOfStackSpace);
    auto first = parseAlternative(depth);
    if (atEnd() || peek() != u'|') return first;
    auto alt = MakeNode(Node::Kind::Alternation);
    alt->children.push_back(std::move(first));
    while (!atEnd() && peek() == u'|') {
      ++pos_;
      alt->children.push_back(parseAlternative(depth));
    }
    return alt;
  }

  // alternative -> { term }, up to '|' or ')' or the end
  std::unique_ptr<Node> parseAlternative(int depth) {
    auto seq = MakeNode(Node::Kind::Concat);
    while (!atEnd() && peek() != u'|' && peek() != u')') {
      seq->children.push_back(parseTerm(depth));
    }
    if (seq->children.size() == 1) return std::move(seq->children.front());
    if (seq->children.empty()) return MakeNode(Node::Kind::Empty);
    return seq;
  }

  // term -> assertion | atom [ quantifier ]
  std::unique_ptr<Node> parseTerm(int depth) {
    std::unique_ptr<Node> atom;
    switch (peek()) {
      case u'^':
        ++pos_;
        atom = MakeNode(Node::Kind::LineStart);
        break;
      case u'$':
        ++pos_;
        atom = MakeNode(Node::Kind::LineEnd);
        break;
      case u'\\':
        if (peek(1) == u'b' || peek(1) == u'B') {
          atom = MakeNode(peek(1) == u'b' ? Node::Kind::WordBoundary : Node::Kind::NotWordBoundary);
          pos_ += 2;
        }
        break;
      default:
        break;
    }
    if (atom) {
      // An assertion matches no text; repeating it is meaningless.
      if (quantifierAhead()) Fail(kUnexpectedQuantifier);
      return atom;
    }
    if (quantifierAhead()) Fail(kUnexpectedQuantifier);
    atom = parseAtom(depth);
    return parseQuantifier(std::move(atom));
  }

  // Whether a quantifier starts here: * + ? or a well-formed {n}, {n,}, {n,m}.
  bool quantifierAhead() const {
    const char16_t c = peek();
    if (atEnd()) return false;
    if (c == u'*' || c == u'+' || c == u'?') return true;
    std::size_t end = 0;
    return c == u'{' && braceQuantifierLength(&end);
  }

  // The length of a {n[,[m]]} at pos_, false when the brace does not open one.
  bool braceQuantifierLength(std::size_t* length) const {
    std::size_t i = pos_ + 1;
    auto digits = [&] {
      const std::size_t start = i;
      while (i < p_.size() && p_[i] >= u'0' && p_[i] <= u'9') ++i;
      return i > start;
    };
    if (!digits()) return false;
    if (i < p_.size() && p_[i] == u',') {
      ++i;
      digits();
    }
    if (i >= p_.size() || p_[i] != u'}') return false;
    *length = i + 1 - pos_;
    return true;
  }

  std::uint32_t readCount(std::size_t& i) const {
    std::uint64_t value = 0;
    while (i < p_.size() && p_[i] >= u'0' && p_[i] <= u'9') {
      value = value * 10 + (p_[i] - u'0');
      if (value >= kUnbounded) Fail(kSyntaxError);  // more repetitions than a string holds
      ++i;
    }
    return static_cast<std::uint32_t>(value);
  }

  // quantifier -> ( '*' | '+' | '?' | '{' n [ ',' [ m ] ] '}' ) [ '?' ]
  std::unique_ptr<Node> parseQuantifier(std::unique_ptr<Node> atom) {
    if (!quantifierAhead()) return atom;
    auto rep = MakeNode(Node::Kind::Repeat);
    const char16_t c = peek();
    if (c == u'*') {
      rep->min = 0, rep->max = kUnbounded, ++pos_;
    } else if (c == u'+') {
      rep->min = 1, rep->max = kUnbounded, ++pos_;
    } else if (c == u'?') {
      rep->min = 0, rep->max = 1, ++pos_;
    } else {
      std::size_t i = pos_ + 1;
      rep->min = readCount(i);
      rep->max = rep->min;
      if (p_[i] == u',') {
        ++i;
        rep->max = (p_[i] == u'}') ? kUnbounded : readCount(i);
      }
      pos_ = i + 1;
      if (rep->max < rep->min) Fail(kSyntaxError);
    }
    if (peek() == u'?' && !atEnd()) {
      rep->greedy = false;
      ++pos_;
    }
    if (quantifierAhead()) Fail(kUnexpectedQuantifier);  // a** or a{2}*
    rep->children.push_back(std::move(atom));
    return rep;
  }

  // atom -> char | '.' | '\' escape | class | '(' ['?:' | '?=' | '?!'] disjunction ')'
  std::unique_ptr<Node> parseAtom(int depth) {
    const char16_t c = peek();
    switch (c) {
      case u'.':
        ++pos_;
        return MakeNode(Node::Kind::Any);
      case u'[':
        return parseClass();
      case u'(':
        return parseGroup(depth);
      case u'\\':
        return parseAtomEscape();
      default:
        ++pos_;
        return MakeChar(c);
    }
  }

  std::unique_ptr<Node> parseGroup(int depth) {
    ++pos_;  // (
    std::unique_ptr<Node> node;
    if (peek() == u'?' && has(0)) {
      const char16_t kind = peek(1);
      if (kind == u':') {
        node = MakeNode(Node::Kind::Group);
      } else if (kind == u'=' || kind == u'!') {
        node = MakeNode(Node::Kind::LookAhead);
        node->negative = kind == u'!';
      } else {
        Fail(kSyntaxError);
      }
      pos_ += 2;
    } else {
      node = MakeNode(Node::Kind::Group);
      node->group = ++tree_.groupCount;
    }
    node->children.push_back(parseDisjunction(depth + 1));
    if (atEnd() || peek() != u')') Fail(kExpectedParen);
    ++pos_;
    return node;
  }

  // The escapes outside a class: \d \D \w \W \s \S, back references, character escapes.
  std::unique_ptr<Node> parseAtomEscape() {
    ++pos_;  // backslash
    if (atEnd()) Fail(kSyntaxError);
    const char16_t c = peek();
    if (c >= u'1' && c <= u'9') {
      // \1..\99 refer to a group when the pattern has that many; otherwise octal or literal.
      std::uint32_t number = c - u'0';
      std::size_t length = 1;
      if (peek(1) >= u'0' && peek(1) <= u'9' && has(1)) {
        const std::uint32_t two = number * 10 + (peek(1) - u'0');
        if (two <= totalGroups_) number = two, length = 2;
      }
      if (number <= totalGroups_) {
        pos_ += length;
        auto ref = MakeNode(Node::Kind::BackRef);
        ref->group = number;
        return ref;
      }
    }
    CharClass cls;
    if (predefinedClass(c, cls)) {
      ++pos_;
      auto node = MakeNode(Node::Kind::Class);
      node->classIndex = static_cast<std::uint32_t>(tree_.classes.size());
      tree_.classes.push_back(std::move(cls));
      return node;
    }
    return MakeChar(characterEscape());
  }

  static bool predefinedClass(char16_t c, CharClass& cls) {
    switch (c) {
      case u'd':
        cls.digits = true;
        return true;
      case u'D':
        cls.notDigits = true;
        return true;
      case u'w':
        cls.words = true;
        return true;
      case u'W':
        cls.notWords = true;
        return true;
      case u's':
        cls.spaces = true;
        return true;
      case u'S':
        cls.notSpaces = true;
        return true;
      default:
        return false;
    }
  }

  // A character escape at pos_ (after the backslash); the same inside and outside classes.
  char16_t characterEscape() {
    const char16_t c = p_[pos_++];
    switch (c) {
      case u't':
        return u'\t';
      case u'n':
        return u'\n';
      case u'r':
        return u'\r';
      case u'f':
        return u'\f';
      case u'v':
        return u'\v';
      case u'x':
        return hexEscape(2, c);
      case u'u':
        return hexEscape(4, c);
      case u'c': {
        const char16_t letter = peek();
        if (!atEnd() &&
            ((letter >= u'a' && letter <= u'z') || (letter >= u'A' && letter <= u'Z'))) {
          ++pos_;
          return static_cast<char16_t>(letter % 32);
        }
        --pos_;  // "\c" without a letter stands for the backslash itself; "c" follows
        return u'\\';
      }
      default:
        break;
    }
    if (IsOctal(c)) {
      // Up to three octal digits, at most \377.
      unsigned value = c - u'0';
      for (int n = 1; n < 3 && !atEnd() && IsOctal(peek()); ++n) {
        const unsigned next = value * 8 + (peek() - u'0');
        if (next > 0377) break;
        value = next;
        ++pos_;
      }
      return static_cast<char16_t>(value);
    }
    return c;  // \. \* \\ \/ \8 ... stand for the character itself
  }

  // \xhh and \uhhhh; with fewer hex digits the letter stands for itself.
  char16_t hexEscape(int digits, char16_t letter) {
    unsigned value = 0;
    for (int n = 0; n < digits; ++n) {
      const int v = has(n) ? HexValue(peek(n)) : -1;
      if (v < 0) return letter;
      value = value * 16 + static_cast<unsigned>(v);
    }
    pos_ += static_cast<std::size_t>(digits);
    return static_cast<char16_t>(value);
  }

  // class -> '[' [ '^' ] { atom [ '-' atom ] } ']'
  std::unique_ptr<Node> parseClass() {
    ++pos_;  // [
    CharClass cls;
    if (peek() == u'^' && !atEnd()) {
      cls.negated = true;
      ++pos_;
    }
    while (true) {
      if (atEnd()) Fail(kExpectedBracket);
      if (peek() == u']') break;
      char16_t first = 0;
      const bool firstIsChar = classAtom(cls, first);
      if (firstIsChar && peek() == u'-' && has(1) && peek(1) != u']') {
        const std::size_t dash = pos_;
        ++pos_;
        char16_t last = 0;
        if (classAtom(cls, last)) {
          if (last < first) Fail(kInvalidRange);
          cls.ranges.push_back({first, last});
          continue;
        }
        // [a-\d]: the dash is literal; \d was already added.
        cls.ranges.push_back({first, first});
        cls.ranges.push_back({p_[dash], p_[dash]});
        continue;
      }
      if (firstIsChar) cls.ranges.push_back({first, first});
    }
    ++pos_;  // ]
    auto node = MakeNode(Node::Kind::Class);
    node->classIndex = static_cast<std::uint32_t>(tree_.classes.size());
    tree_.classes.push_back(std::move(cls));
    return node;
  }

  // One member of a class. Returns true with `out` set for a single character; a predefined
  // class (\d ...) is added to `cls` directly and gives false.
  bool classAtom(CharClass& cls, char16_t& out) {
    if (peek() != u'\\') {
      out = p_[pos_++];
      return true;
    }
    ++pos_;
    if (atEnd()) Fail(kExpectedBracket);
    const char16_t c = peek();
    CharClass predefined;
    if (predefinedClass(c, predefined)) {
      ++pos_;
      cls.digits |= predefined.digits;
      cls.notDigits |= predefined.notDigits;
      cls.words |= predefined.words;
      cls.notWords |= predefined.notWords;
      cls.spaces |= predefined.spaces;
      cls.notSpaces |= predefined.notSpaces;
      return false;
    }
    if (c == u'b') {  // backspace inside a class
      ++pos_;
      out = u'\b';
      return true;
    }
    out = characterEscape();
    return true;
  }

  std::u16string_view p_;
  std::size_t pos_ = 0;
  SyntaxTree& tree_;
  std::uint32_t totalGroups_;
};

}  // namespace

SyntaxTree Parse(std::u16string_view pattern) {
  SyntaxTree tree;
  Parser parser(pattern, tree);
  tree.root = parser.parsePattern();
  return tree;
}

}  // namespace vbs::regex
