// Tests of the regular-expression engine (RegexParser, RegexCompiler, RegexMatcher) through
// Compile and Search: what a pattern matches, which groups it captures, which patterns are
// rejected with which error, and that runaway patterns and long texts end safely.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "VbsTestUtil.h"
#include "vbscript/RegexChars.h"
#include "vbscript/RegexMatcher.h"
#include "vbscript/RegexParser.h"
#include "vbscript/RegexProgram.h"
#include "vbscript/Utf16.h"

namespace vbs::regex {
namespace {

using detail::ToUtf16;
using detail::ToUtf8;
using test::ErrorOf;

using Groups = std::vector<std::optional<std::string>>;
constexpr std::nullopt_t kUnmatched = std::nullopt;

struct Found {
  int start = -1;  // -1: no match
  Groups groups;   // the whole match, then each group
};

Found Find(const std::string& pattern, const std::string& input, bool ignoreCase = false,
           bool multiline = false) {
  const Program program = Compile(ToUtf16(pattern), ignoreCase, multiline);
  const std::u16string text = ToUtf16(input);
  const auto match = Search(program, text, 0);
  Found found;
  if (!match) return found;
  found.start = static_cast<int>(match->start());
  for (std::size_t i = 0; i < match->slots.size(); i += 2) {
    const std::uint32_t from = match->slots[i], to = match->slots[i + 1];
    if (from == kUnset || to == kUnset) {
      found.groups.push_back(kUnmatched);
    } else {
      found.groups.push_back(ToUtf8(std::u16string_view(text).substr(from, to - from)));
    }
  }
  return found;
}

struct MatchCase {
  const char* pattern;
  const char* input;
  int start;  // -1: the pattern must not match
  Groups groups;
  bool ignoreCase = false;
  bool multiline = false;
};

void CheckCases(const std::vector<MatchCase>& cases) {
  for (const MatchCase& c : cases) {
    SCOPED_TRACE(std::string("pattern ") + c.pattern + " on \"" + c.input + "\"");
    const Found found = Find(c.pattern, c.input, c.ignoreCase, c.multiline);
    EXPECT_EQ(found.start, c.start);
    if (c.start >= 0) {
      EXPECT_EQ(found.groups, c.groups);
    }
  }
}

TEST(RegexTest, LiteralsAndEscapes) {
  CheckCases({
      {"abc", "xxabcxx", 2, {"abc"}},
      {"abc", "ab", -1, {}},
      {"", "abc", 0, {""}},
      {"\\t", "a\tb", 1, {"\t"}},
      {"\\n\\r\\f\\v", "x\n\r\f\v", 1, {"\n\r\f\v"}},
      {"\\x41", "zA", 1, {"A"}},
      {"\\u00e9", "caf\u00e9", 3, {"\u00e9"}},
      {"\\u20AC", "5\u20ac", 1, {"\u20ac"}},
      {"\\101", "xA", 1, {"A"}},
      {"\\cJ", "a\nb", 1, {"\n"}},
      {"\\cj", "a\nb", 1, {"\n"}},
      {"\\c1", "\\c1", 0, {"\\c1"}},  // \c without a letter: a backslash, then "c1"
      {"\\x4g", "x4g", 0, {"x4g"}},   // too few hex digits: the letter itself
      {"\\u12", "u12", 0, {"u12"}},
      {"\\.\\*\\+\\?\\(\\)\\[\\]\\{\\}\\|\\^\\$\\\\\\/",
       ".*+?()[]{}|^$\\/",
       0,
       {".*+?()[]{}|^$\\/"}},
      {"a{", "a{", 0, {"a{"}},  // a brace that opens no quantifier is literal
      {"a{1", "a{1", 0, {"a{1"}},
      {"a{,2}", "a{,2}", 0, {"a{,2}"}},
      {"}]", "x}]", 1, {"}]"}},
      {"\\8", "8", 0, {"8"}},
      {"\\1", "\x01", 0, {"\x01"}},  // no group 1: octal
      {"(a)\\2", "a\x02", 0, {"a\x02", "a"}},
      {"\\400", " 0", 0, {" 0"}},  // octal stops at \377: \40 is a space
      {"\\377", "\u00ff", 0, {"\u00ff"}},
  });
}

TEST(RegexTest, DotAndPredefinedClasses) {
  CheckCases({
      {"a.c", "abc", 0, {"abc"}},
      {"a.c", "a\nc", -1, {}},
      {"a.c", "a\rc", -1, {}},
      {"a.c", "a\u2028c", -1, {}},
      {"a.c", "a\u00e9c", 0, {"a\u00e9c"}},
      {"\\d+", "ab123c", 2, {"123"}},
      {"\\D+", "12ab3", 2, {"ab"}},
      {"\\w+", "  h\u00e9llo", 2, {"h"}},  // \w is ASCII letters, digits and _
      {"\\w+", "__a1", 0, {"__a1"}},
      {"\\W+", "ab, cd", 2, {", "}},
      {"\\s+", "a \t\r\n\f\vb", 1, {" \t\r\n\f\v"}},
      {"\\s", "\u00a0", -1, {}},  // \s is [ \f\n\r\t\v]: no-break space is not in it
      {"\\S+", "  xy ", 2, {"xy"}},
  });
}

TEST(RegexTest, CharacterClasses) {
  CheckCases({
      {"[a-c]+", "xxbcaz", 2, {"bca"}},
      {"[^a-c]+", "abxyzc", 2, {"xyz"}},
      {"[\\d_]+", "ab1_2c", 2, {"1_2"}},
      {"[^\\d]+", "12ab3", 2, {"ab"}},
      {"[\\s\\S]+", "a\nb", 0, {"a\nb"}},
      {"[a-]+", "x-a-", 1, {"-a-"}},
      {"[-a]+", "x-a-", 1, {"-a-"}},
      {"[\\d-z]+", "x-9z", 1, {"-9z"}},  // a dash next to \d is literal
      {"[\\x41-\\x43]+", "zABCD", 1, {"ABC"}},
      {"[\\b]", "a\bb", 1, {"\b"}},  // \b inside a class is backspace
      {"[.]", "a.b", 1, {"."}},
      {"[]a]", "]", -1, {}},  // [] is an empty class; then "a]" must follow
      {"[^]", "\n", 0, {"\n"}},
      {"[\\]]+", "a]]", 1, {"]]"}},
      {"[\\u00e0-\\u00ff]", "a\u00e9", 1, {"\u00e9"}},
  });
}

TEST(RegexTest, GroupsAlternationAndBackReferences) {
  CheckCases({
      {"(a)(b)?(c)", "ac", 0, {"ac", "a", kUnmatched, "c"}},
      {"(?:ab)+(c)", "xababc", 1, {"ababc", "c"}},
      {"a|ab", "ab", 0, {"a"}},
      {"(a|ab)(c|bcd)(d*)", "abcd", 0, {"abcd", "a", "bcd", ""}},
      {"x(a|b|c)y", "xcy", 0, {"xcy", "c"}},
      {"(a)|b", "b", 0, {"b", kUnmatched}},
      {"(a+)b\\1", "aabaa", 0, {"aabaa", "aa"}},
      {"(\\w)\\1", "abccd", 2, {"cc", "c"}},
      {"\\1(a)", "aa", 0, {"a", "a"}},  // a group not yet closed matches the empty string
      {"(a)?b\\1", "b", 0, {"b", kUnmatched}},
      {"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)\\10",
       "abcdefghijj",
       0,
       {"abcdefghijj", "a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}},
      {"(a)\\10", "aa0", 0, {"aa0", "a"}},  // one group only: \1 then "0"
      {"((a)|(b))+", "ab", 0, {"ab", "b", "a", "b"}},
  });
}

TEST(RegexTest, Quantifiers) {
  CheckCases({
      {"a*", "aaa", 0, {"aaa"}},
      {"a*", "baaa", 0, {""}},
      {"a+", "baaa", 1, {"aaa"}},
      {"ba?", "ba", 0, {"ba"}},
      {"a{2}", "aaaa", 0, {"aa"}},
      {"a{2,}", "aaaa", 0, {"aaaa"}},
      {"a{1,3}", "aaaa", 0, {"aaa"}},
      {"a{3,5}", "aa", -1, {}},
      {"a{0}b", "ab", 1, {"b"}},
      {"(ab){2}", "ababab", 0, {"abab", "ab"}},
      {"(?:a|b){3,4}", "abbab", 0, {"abba"}},
      {"(ab){0,2}c", "abababc", 2, {"ababc", "ab"}},
      {"a+?", "aaa", 0, {"a"}},
      {"a*?b", "aab", 0, {"aab"}},
      {"<.+?>", "<a><b>", 0, {"<a>"}},
      {"<.+>", "<a><b>", 0, {"<a><b>"}},
      {"a{2,3}?", "aaaa", 0, {"aa"}},
      {"(a{2,3}?)a", "aaaa", 0, {"aaa", "aa"}},
      {"(ab)*?c", "ababc", 0, {"ababc", "ab"}},
      {"(ab)+?", "abab", 0, {"ab", "ab"}},
      {"x??y", "xy", 0, {"xy"}},
      // An iteration that matches nothing ends the loop (and no group keeps its empty text).
      {"(a*)*b", "aab", 0, {"aab", "aa"}},
      {"(a*)+", "b", 0, {"", ""}},
      {"(a|b)*", "ab", 0, {"ab", "b"}},
      {"(?:)*x", "x", 0, {"x"}},
      {"(\\b)*a", "a", 0, {"a", kUnmatched}},
      {"(a?){3}b", "ab", 0, {"ab", ""}},
  });
}

TEST(RegexTest, LookAhead) {
  CheckCases({
      {"a(?=b)", "acab", 2, {"a"}},
      {"a(?!b)", "abac", 2, {"a"}},
      {"(?=(a+))a*b\\1", "baaabac", 3, {"aba", "a"}},
      {"(.*?)a(?!(a+)b\\2c)\\2(.*)", "baaabaac", 0, {"baaabaac", "ba", kUnmatched, "abaac"}},
      {"(?=a)", "ba", 1, {""}},
      {"(?!a)\\w", "aab", 2, {"b"}},
      {"\\w+(?=\\d)", "ab1", 0, {"ab"}},
      {"(?=(a)(b)?)\\w", "ac", 0, {"a", "a", kUnmatched}},
      {"(?!(a))\\w\\1", "ba", 0, {"b", kUnmatched}},  // a negative look-ahead keeps no groups
      {"(?=a(?!b))ac", "abac", 2, {"ac"}},
      // Backtracking past a look-ahead forgets the groups it captured.
      {"(?:(?=(a))ax|a)", "ab", 0, {"a", kUnmatched}},
  });
}

TEST(RegexTest, Anchors) {
  CheckCases({
      {"^b", "ab", -1, {}},
      {"^b", "a\nb", -1, {}},
      {"^b", "a\nb", 2, {"b"}, false, true},
      {"^b", "a\rb", 2, {"b"}, false, true},
      {"a$", "a\nb", -1, {}},
      {"a$", "a\nb", 0, {"a"}, false, true},
      {"a$", "a\r\nb", 0, {"a"}, false, true},
      {"$", "ab", 2, {""}},
      {"^$", "", 0, {""}},
      {"^\\w+$", "one\ntwo", -1, {}},
      {"^\\w+$", "one\ntwo", 0, {"one"}, false, true},
      {"\\bcat\\b", "concat cat", 7, {"cat"}},
      {"\\Bcat", "concat cat", 3, {"cat"}},
      {"\\b", "  ", -1, {}},
      {"\\B", "ab", 1, {""}},
  });
}

TEST(RegexTest, IgnoreCase) {
  CheckCases({
      {"abc", "xABC", 1, {"ABC"}, true},
      {"ABC", "xabc", 1, {"abc"}, true},
      {"abc", "xABC", -1, {}},
      {"[a-z]+", "1ABC", 1, {"ABC"}, true},
      {"[A-Z]+", "1abc", 1, {"abc"}, true},
      {"[^a-z]", "Ab1", 2, {"1"}, true},
      {"\u00e9t\u00e9", "\u00c9T\u00c9", 0, {"\u00c9T\u00c9"}, true},
      {"[\u00e0-\u00fe]+", "\u00c0\u00de", 0, {"\u00c0\u00de"}, true},
      {"\u00ff", "\u0178", 0, {"\u0178"}, true},
      {"\u0434\u0430", "\u0414\u0410", 0, {"\u0414\u0410"}, true},
      {"\u03c3", "\u03a3", 0, {"\u03a3"}, true},
      {"(a)\\1", "aA", 0, {"aA", "a"}, true},
      {"(a)\\1", "aA", -1, {}},
      {"\\xe9", "\u00c9", 0, {"\u00c9"}, true},
      {"x*", "XXx", 0, {"XXx"}, true},
      {"\\w", "\u00e9", -1, {}, true},
      {"[\u00d7]", "\u00f7", -1, {}, true},  // the multiplication sign is no capital
  });
}

TEST(RegexTest, CaseUnfoldingInvertsTheFold) {
  // The class test relies on UnfoldCase giving back the capital of every folded letter.
  for (char32_t u = 0; u < 0x500; ++u) {
    const auto c = static_cast<char16_t>(u);
    const char16_t folded = Fold(c);
    if (folded != c) {
      EXPECT_EQ(UnfoldCase(folded), c) << "capital U+" << std::hex << static_cast<int>(u);
    }
    EXPECT_EQ(Fold(UnfoldCase(folded)), folded) << "U+" << std::hex << static_cast<int>(u);
  }
}

TEST(RegexTest, SearchStartsWhereAsked) {
  const Program program = Compile(u"a", false, false);
  const std::u16string text = u"abca";
  ASSERT_TRUE(Search(program, text, 1));
  EXPECT_EQ(Search(program, text, 1)->start(), 3u);
  EXPECT_FALSE(Search(program, text, 4));
  // \b and ^ look at the character before the starting position.
  const Program boundary = Compile(u"\\bb", false, false);
  EXPECT_FALSE(Search(boundary, u"ab", 1));
  const Program anchored = Compile(u"^b", false, false);
  EXPECT_FALSE(Search(anchored, u"ab", 1));
}

struct ErrorCase {
  const char16_t* pattern;
  int error;
};

TEST(RegexTest, SyntaxErrors) {
  const std::vector<ErrorCase> cases = {
      {u"(", 5020},
      {u"(a", 5020},
      {u"((a)", 5020},
      {u"(?:a", 5020},
      {u"(?=a", 5020},
      {u"a)", 5017},
      {u")", 5017},
      {u"\\", 5017},
      {u"a\\", 5017},
      {u"(?<a)", 5017},
      {u"(?", 5017},
      {u"a{3,2}", 5017},
      {u"a{99999999999}", 5017},
      {u"[a", 5019},
      {u"[", 5019},
      {u"[\\", 5019},
      {u"[^", 5019},
      {u"[z-a]", 5021},
      {u"[\\x5A-\\x41]", 5021},
      {u"*a", 5018},
      {u"+", 5018},
      {u"?", 5018},
      {u"a**", 5018},
      {u"a+*", 5018},
      {u"a{2}{3}", 5018},
      {u"a|*", 5018},
      {u"(*)", 5018},
      {u"^*", 5018},
      {u"$+", 5018},
      {u"\\b*", 5018},
      {u"{2}", 5018},
      {u"a??+", 5018},
  };
  for (const ErrorCase& c : cases) {
    EXPECT_EQ(ErrorOf([&] { Compile(c.pattern, false, false); }), c.error) << ToUtf8(c.pattern);
  }
  // The same patterns made well-formed compile.
  for (const char16_t* good : {u"(a)", u"[a]", u"[a-z]", u"a*", u"a{2}", u"\\\\", u"a*?"}) {
    EXPECT_EQ(ErrorOf([&] { Compile(good, false, false); }), 0) << ToUtf8(good);
  }
}

TEST(RegexTest, DeepNestingIsBoundedNotACrash) {
  auto nested = [](int depth) {
    return std::u16string(static_cast<std::size_t>(depth), u'(') + u"a" +
           std::u16string(static_cast<std::size_t>(depth), u')');
  };
  const Program ok = Compile(nested(kMaxNesting - 1), false, false);
  EXPECT_TRUE(Search(ok, u"a", 0));
  EXPECT_EQ(ErrorOf([&] { Compile(nested(100000), false, false); }), err::kOutOfStackSpace);
  EXPECT_EQ(ErrorOf([&] { Compile(std::u16string(100000, u'('), false, false); }),
            err::kOutOfStackSpace);
}

TEST(RegexTest, RunawayPatternsEndWithAnError) {
  struct Runaway {
    const char16_t* pattern;
    std::u16string input;
  };
  const std::vector<Runaway> cases = {
      {u"(a*)*b", std::u16string(30, u'a')},
      {u"(a|aa)*c", std::u16string(60, u'a')},
      {u"(x+x+)+y", std::u16string(40, u'x')},
      {u"(?:a+)+(?=b)", std::u16string(40, u'a')},
      {u"(\\w+\\s?)+$", u"An adventure game script line that never ends with a match!"},
  };
  for (const Runaway& c : cases) {
    const Program program = Compile(c.pattern, false, false);
    EXPECT_EQ(ErrorOf([&] { Search(program, c.input, 0); }), err::kOutOfStackSpace)
        << ToUtf8(c.pattern);
  }
  // The budget is per search: a small one ends even a modest pattern, a large one lets it run.
  const Program program = Compile(u"(a|b)*c", false, false);
  const std::u16string text(200, u'a');
  EXPECT_EQ(ErrorOf([&] { Search(program, text, 0, 1000); }), err::kOutOfStackSpace);
  EXPECT_EQ(ErrorOf([&] { Search(program, text, 0, 10'000'000); }), 0);
}

TEST(RegexTest, MegabyteInputsNeedNoDeepStack) {
  const std::size_t n = 1 << 20;
  const std::u16string as(n, u'a');
  const std::u16string text = as + u"b";
  struct Long {
    const char16_t* pattern;
    std::uint32_t start, end;
    std::uint32_t group1Start = kUnset, group1End = kUnset;
  };
  const auto size = static_cast<std::uint32_t>(n);
  const std::vector<Long> cases = {
      {u"a*b", 0, size + 1},
      {u".*", 0, size + 1},
      {u"a*?b", 0, size + 1},
      {u"[^x]+$", 0, size + 1},
      {u"(a)*b", 0, size + 1, size - 1, size},
      {u"(?:a|b)*$", 0, size + 1},
      {u"(a+)\\1b", 0, size + 1, 0, size / 2},
      {u"^(?:(?=a)\\w)+b", 0, size + 1},
      {u"b", size, size + 1},
  };
  for (const Long& c : cases) {
    const Program program = Compile(c.pattern, false, false);
    const auto match = Search(program, text, 0);
    ASSERT_TRUE(match) << ToUtf8(c.pattern);
    EXPECT_EQ(match->start(), c.start) << ToUtf8(c.pattern);
    EXPECT_EQ(match->end(), c.end) << ToUtf8(c.pattern);
    if (c.group1Start != kUnset) {
      EXPECT_EQ(match->slots[2], c.group1Start) << ToUtf8(c.pattern);
      EXPECT_EQ(match->slots[3], c.group1End) << ToUtf8(c.pattern);
    }
  }
}

}  // namespace
}  // namespace vbs::regex
