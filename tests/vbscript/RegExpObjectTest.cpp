// Tests of the RegExp object and its result objects as the engine reaches them: by member
// id, with Get/Call/Let. They cover the properties, Test, Execute (Global, empty matches,
// positions in characters), Replace ($ forms, Global, function references) and the errors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "VbsTestUtil.h"
#include "vbscript/RegExpObject.h"

namespace vbs {
namespace {

using test::ErrorOf;

Variant Invoke(Object& object, std::string_view name, InvokeKind kind,
               std::vector<Variant> args = {}) {
  const int id = object.memberId(name);
  EXPECT_NE(id, Object::kUnknownMember) << name;
  return object.invoke(id, kind, args);
}

Variant Get(Object& object, std::string_view name, std::vector<Variant> args = {}) {
  return Invoke(object, name, InvokeKind::Get, std::move(args));
}

Variant Get(const Variant& object, std::string_view name, std::vector<Variant> args = {}) {
  return Get(*object.object(), name, std::move(args));
}

void Let(Object& object, std::string_view name, Variant value) {
  Invoke(object, name, InvokeKind::Let, {std::move(value)});
}

Variant Str(std::string text) {
  return Variant::fromString(std::move(text));
}

struct Options {
  bool global = false, ignoreCase = false, multiline = false;
};

std::shared_ptr<Object> MakeRegExp(const std::string& pattern, Options options = {}) {
  auto re = NewRegExp();
  Let(*re, "Pattern", Str(pattern));
  Let(*re, "Global", Variant::fromBool(options.global));
  Let(*re, "IgnoreCase", Variant::fromBool(options.ignoreCase));
  Let(*re, "Multiline", Variant::fromBool(options.multiline));
  return re;
}

struct Found {
  std::string value;
  int firstIndex, length;
  bool operator==(const Found&) const = default;
};

std::vector<Found> ExecuteAll(Object& re, const std::string& input) {
  const Variant matches = Get(re, "Execute", {Str(input)});
  std::vector<Found> found;
  const int count = Get(matches, "Count").toLong();
  for (int i = 0; i < count; ++i) {
    const Variant m = Get(matches, "Item", {Variant::fromLong(i)});
    found.push_back({m.toString(), Get(m, "FirstIndex").toLong(), Get(m, "Length").toLong()});
  }
  return found;
}

TEST(RegExpObjectTest, TypeNamesAndDefaults) {
  auto re = NewRegExp();
  EXPECT_EQ(re->typeName(), "IRegExp2");
  EXPECT_EQ(Get(*re, "Pattern").toString(), "");
  for (const char* flag : {"Global", "IgnoreCase", "Multiline"}) {
    const Variant value = Get(*re, flag);
    EXPECT_TRUE(value.isBoolean() && !value.toBool()) << flag;
  }
  Let(*re, "PATTERN", Str("(a)"));
  Let(*re, "global", Str("True"));
  EXPECT_EQ(Get(*re, "pattern").toString(), "(a)");
  EXPECT_EQ(Get(*re, "GLOBAL").rawInt(), -1);
  EXPECT_EQ(re->memberId("Nonesuch"), Object::kUnknownMember);

  const Variant matches = Get(*re, "Execute", {Str("a")});
  const Variant match = Get(matches, "Item", {Variant::fromLong(0)});
  const Variant subMatches = Get(match, "SubMatches");
  EXPECT_EQ(matches.typeName(), "IMatchCollection2");
  EXPECT_EQ(match.typeName(), "IMatch2");
  EXPECT_EQ(subMatches.typeName(), "ISubMatches");
}

TEST(RegExpObjectTest, TestMethod) {
  struct Case {
    const char* pattern;
    Options options;
    const char* input;
    bool expected;
  };
  const std::vector<Case> cases = {
      {"b", {}, "abc", true},
      {"B", {}, "abc", false},
      {"B", {false, true}, "abc", true},
      {"^b", {}, "a\nb", false},
      {"^b", {false, false, true}, "a\nb", true},
      {"", {}, "", true},
      {"x", {true}, "", false},
  };
  for (const Case& c : cases) {
    auto re = MakeRegExp(c.pattern, c.options);
    EXPECT_EQ(Get(*re, "Test", {Str(c.input)}).toBool(), c.expected) << c.pattern;
  }
}

TEST(RegExpObjectTest, ExecuteFindsOneOrAll) {
  struct Case {
    const char* pattern;
    Options options;
    const char* input;
    std::vector<Found> expected;
  };
  const std::vector<Case> cases = {
      {"a.", {}, "xaxayaz", {{"ax", 1, 2}}},
      {"a.", {true}, "xaxayaz", {{"ax", 1, 2}, {"ay", 3, 2}, {"az", 5, 2}}},
      {"q", {true}, "abc", {}},
      // After an empty match the next search starts one character further on.
      {"a*", {true}, "baaac", {{"", 0, 0}, {"aaa", 1, 3}, {"", 4, 0}, {"", 5, 0}}},
      {"\\b", {true}, "ab cd", {{"", 0, 0}, {"", 2, 0}, {"", 3, 0}, {"", 5, 0}}},
      {"", {true}, "ab", {{"", 0, 0}, {"", 1, 0}, {"", 2, 0}}},
      {"^\\w+",
       {true, false, true},
       "one\r\ntwo\nthree",
       {{"one", 0, 3}, {"two", 5, 3}, {"three", 9, 5}}},
      {"^\\w+", {true}, "one\r\ntwo", {{"one", 0, 3}}},
      {"[A-Z]\\d", {true, true}, "a1 B2", {{"a1", 0, 2}, {"B2", 3, 2}}},
      // Positions and lengths count UTF-16 characters: é is one, an emoji two.
      {"x+", {true}, "\u00e9\U0001F600xx\u20acx", {{"xx", 3, 2}, {"x", 6, 1}}},
      {"\\uD83D\\uDE00", {}, "a\U0001F600", {{"\U0001F600", 1, 2}}},
      {"\u00e9+", {}, "caf\u00e9\u00e9!", {{"\u00e9\u00e9", 3, 2}}},
  };
  for (const Case& c : cases) {
    auto re = MakeRegExp(c.pattern, c.options);
    EXPECT_EQ(ExecuteAll(*re, c.input), c.expected) << c.pattern << " on " << c.input;
  }
}

TEST(RegExpObjectTest, MatchAndSubMatches) {
  auto re = MakeRegExp("(\\w+)@(\\w+)(\\.com)?", {true});
  const Variant matches = Get(*re, "Execute", {Str("x ann@home bob@work.com")});
  ASSERT_EQ(Get(matches, "Count").toLong(), 2);

  // Item is the default member of the collection, Value that of a match.
  std::vector<Variant> zero = {Variant::fromLong(0)};
  const Variant first = matches.object()->invoke(Object::kDefaultMember, InvokeKind::Get, zero);
  EXPECT_EQ(first.object()->defaultValue().toString(), "ann@home");
  EXPECT_EQ(Get(first, "FirstIndex").type(), VarType::Long);
  EXPECT_EQ(Get(first, "FirstIndex").toLong(), 2);
  EXPECT_EQ(Get(first, "Length").toLong(), 8);

  const Variant subs = Get(first, "SubMatches");
  ASSERT_EQ(Get(subs, "Count").toLong(), 3);
  EXPECT_EQ(Get(subs, "Item", {Variant::fromLong(0)}).toString(), "ann");
  EXPECT_EQ(Get(subs, "Item", {Variant::fromLong(1)}).toString(), "home");
  EXPECT_TRUE(Get(subs, "Item", {Variant::fromLong(2)}).isEmpty());  // the group took no part
  // m.SubMatches(1) indexes the collection, as scripts commonly write it.
  EXPECT_EQ(Get(first, "SubMatches", {Variant::fromLong(1)}).toString(), "home");

  std::vector<Variant> elements;
  ASSERT_TRUE(matches.object()->enumerate(elements));
  ASSERT_EQ(elements.size(), 2u);
  EXPECT_EQ(elements[1].object()->defaultValue().toString(), "bob@work.com");
  const Variant secondSubs = Get(elements[1], "SubMatches");
  ASSERT_TRUE(secondSubs.object()->enumerate(elements));
  ASSERT_EQ(elements.size(), 3u);
  EXPECT_EQ(elements[2].toString(), ".com");

  // A match is a snapshot: changing the RegExp afterwards leaves it as it was.
  Let(*re, "Pattern", Str("z"));
  EXPECT_EQ(Get(first, "Value").toString(), "ann@home");
  EXPECT_EQ(Get(Get(*re, "Execute", {Str("ann@home")}), "Count").toLong(), 0);

  // A pattern without groups has an empty SubMatches.
  auto plain = MakeRegExp("a");
  const Variant m = Get(Get(*plain, "Execute", {Str("a")}), "Item", {Variant::fromLong(0)});
  EXPECT_EQ(Get(Get(m, "SubMatches"), "Count").toLong(), 0);
}

TEST(RegExpObjectTest, Replace) {
  struct Case {
    const char* pattern;
    Options options;
    const char* input;
    const char* replaceWith;
    const char* expected;
  };
  const std::vector<Case> cases = {
      {"a", {}, "banana", "o", "bonana"},
      {"a", {true}, "banana", "o", "bonono"},
      {"A", {true, true}, "bAnana", "o", "bonono"},
      {"q", {true}, "banana", "o", "banana"},
      {"(\\w+) (\\w+)", {}, "John Smith", "$2, $1", "Smith, John"},
      {"b", {}, "abc", "[$&]", "a[b]c"},
      {"b", {}, "abc", "[$`]", "a[a]c"},
      {"b", {}, "abc", "[$']", "a[c]c"},
      {"b", {}, "abc", "$$", "a$c"},
      {"b", {}, "abc", "$", "a$c"},
      {"b", {}, "abc", "$x$", "a$x$c"},
      {"(b)", {}, "abc", "$0$2", "a$0$2c"},  // no group 0 or 2: written as is
      {"(b)", {}, "abc", "$10", "ab0c"},     // one group: $1, then "0"
      {"(b)", {}, "abc", "$01", "abc"},
      {"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)", {}, "abcdefghij", "$10$1", "ja"},
      {"(a)|(b)", {true}, "ab", "[$2]", "[][b]"},  // a group that took no part gives ""
      {"x*", {true}, "abc", "-", "-a-b-c-"},
      {"a*", {true}, "baaac", "-", "-b--c-"},
      {"$", {true, false, true}, "a\nb", ";", "a;\nb;"},
      {"\u00e9", {true}, "\u00e9t\u00e9", "e", "ete"},
      {"", {}, "ab", "-", "-ab"},
  };
  for (const Case& c : cases) {
    auto re = MakeRegExp(c.pattern, c.options);
    EXPECT_EQ(Get(*re, "Replace", {Str(c.input), Str(c.replaceWith)}).toString(), c.expected)
        << c.pattern << " -> " << c.replaceWith;
  }
  // The replacement may be a number; it is used as text.
  auto re = MakeRegExp("\\d", {true});
  EXPECT_EQ(Get(*re, "Replace", {Str("a1b2"), Variant::fromInteger(0)}).toString(), "a0b0");
}

// Stands for a script function reached through GetRef: it records its arguments and returns
// the match in brackets.
class RecordingFunction : public Object {
 public:
  Variant invoke(int id, InvokeKind, std::span<Variant> args) override {
    EXPECT_EQ(id, kDefaultMember);
    calls.emplace_back(args.begin(), args.end());
    return Variant::fromString("<" + args[0].toString() + ">");
  }
  std::vector<std::vector<Variant>> calls;
};

TEST(RegExpObjectTest, ReplaceWithAFunctionReference) {
  auto function = std::make_shared<RecordingFunction>();
  auto re = MakeRegExp("(\\d)(x)?", {true});
  const Variant result = Get(*re, "Replace", {Str("a1b2x"), Variant::fromObject(function)});
  EXPECT_EQ(result.toString(), "a<1>b<2x>");
  ASSERT_EQ(function->calls.size(), 2u);
  const auto& second = function->calls[1];
  ASSERT_EQ(second.size(), 5u);  // match, two groups, position, whole text
  EXPECT_EQ(second[0].toString(), "2x");
  EXPECT_EQ(second[1].toString(), "2");
  EXPECT_EQ(second[2].toString(), "x");
  EXPECT_EQ(second[3].toLong(), 3);
  EXPECT_EQ(second[4].toString(), "a1b2x");
  EXPECT_TRUE(function->calls[0][2].isEmpty());
}

TEST(RegExpObjectTest, PatternsCompileWhenUsedAndFollowEveryChange) {
  auto re = NewRegExp();
  Let(*re, "Pattern", Str("(a"));  // assigning a bad pattern raises nothing yet
  EXPECT_EQ(ErrorOf([&] { Get(*re, "Test", {Str("a")}); }), 5020);
  EXPECT_EQ(ErrorOf([&] { Get(*re, "Execute", {Str("a")}); }), 5020);
  EXPECT_EQ(ErrorOf([&] { Get(*re, "Replace", {Str("a"), Str("")}); }), 5020);
  try {
    Let(*re, "Pattern", Str("[z-a]"));
    Get(*re, "Test", {Str("a")});
    ADD_FAILURE() << "no error";
  } catch (const VbError& e) {
    EXPECT_EQ(e.number(), 5021);
    EXPECT_EQ(e.description(), "Invalid range in character set");
  }

  Let(*re, "Pattern", Str("^b"));
  EXPECT_FALSE(Get(*re, "Test", {Str("a\nB")}).toBool());
  Let(*re, "Multiline", Variant::fromBool(true));
  EXPECT_FALSE(Get(*re, "Test", {Str("a\nB")}).toBool());
  Let(*re, "IgnoreCase", Variant::fromBool(true));
  EXPECT_TRUE(Get(*re, "Test", {Str("a\nB")}).toBool());
  Let(*re, "Pattern", Str("^c"));
  EXPECT_FALSE(Get(*re, "Test", {Str("a\nB")}).toBool());
}

TEST(RegExpObjectTest, InvocationErrors) {
  auto re = MakeRegExp("(a)");
  const int test = re->memberId("Test");
  std::vector<Variant> none;
  std::vector<Variant> two = {Str("a"), Str("b")};
  EXPECT_EQ(ErrorOf([&] { re->invoke(test, InvokeKind::Get, none); }), 450);
  EXPECT_EQ(ErrorOf([&] {
              re->invoke(re->memberId("Replace"), InvokeKind::Get, {two.data(), 1});
            }),
            450);
  EXPECT_EQ(ErrorOf([&] { re->invoke(test, InvokeKind::Let, two); }), 438);
  EXPECT_EQ(ErrorOf([&] { re->defaultValue(); }), 438);  // a RegExp has no default value

  const Variant matches = Get(*re, "Execute", {Str("a")});
  EXPECT_EQ(ErrorOf([&] { Get(matches, "Item", {Variant::fromLong(1)}); }), 5);
  EXPECT_EQ(ErrorOf([&] { Get(matches, "Item", {Variant::fromLong(-1)}); }), 5);
  const Variant match = Get(matches, "Item", {Variant::fromLong(0)});
  EXPECT_EQ(ErrorOf([&] { Let(*match.object(), "Value", Str("b")); }), 438);
  EXPECT_EQ(ErrorOf([&] { Get(Get(match, "SubMatches"), "Item", {Variant::fromLong(1)}); }), 5);
  EXPECT_EQ(ErrorOf([&] { Get(*re, "Test", {Variant::Null()}); }), 13);
}

TEST(RegExpObjectTest, RunawayAndLongTexts) {
  auto runaway = MakeRegExp("(a*)*b");
  EXPECT_EQ(ErrorOf([&] { Get(*runaway, "Test", {Str(std::string(30, 'a'))}); }),
            err::kOutOfStackSpace);

  // A megabyte of text, replaced globally, and a greedy group over all of it.
  const std::string text(1 << 20, 'a');
  auto every = MakeRegExp("a", {true});
  EXPECT_EQ(Get(*every, "Replace", {Str(text + "b"), Str("")}).toString(), "b");
  auto whole = MakeRegExp("^(a+)(b?)$");
  const auto found = ExecuteAll(*whole, text);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].length, 1 << 20);
}

}  // namespace
}  // namespace vbs
