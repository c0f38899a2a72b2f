// Work over huge texts: done a slice at a time with a look at the clock between slices, and
// giving exactly what the same work in one piece gives, whatever falls on a slice border.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "BuiltinTestUtil.h"
#include "vbscript/Engine.h"
#include "vbscript/Operators.h"
#include "vbscript/RegExpObject.h"
#include "vbscript/TextSlices.h"
#include "vbscript/Utf16.h"

namespace vbs::test {
namespace {

using detail::kTextSlice;

struct TimeUp {};

// A host whose script has used up its time: the first look at the clock ends the call.
class TimeUpHost : public FakeHost {
 public:
  void checkTime() override {
    ++looks;
    if (stop) throw TimeUp{};
  }
  int looks = 0;
  bool stop = true;
};

// Text of random characters of every UTF-8 length, stray continuation bytes and cut
// sequences included, so that slice borders fall everywhere.
std::string MixedText(std::size_t bytes) {
  const char* const pieces[] = {"a", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\x80",
                                "\xE2\x82", "\xF0\x9F", "\xED\xA0\x80", "z"};
  std::mt19937 random(16);
  std::string text;
  while (text.size() < bytes) text += pieces[random() % std::size(pieces)];
  return text;
}

TEST(HugeTextTest, SlicedConversionsGiveWhatWholeOnesGive) {
  int looks = 0;
  const detail::Poll poll = [&] { ++looks; };
  for (std::size_t offset = 0; offset < 4; ++offset) {
    const std::string text = std::string(offset, 'x') + MixedText(3 * kTextSlice + 11);
    const std::u16string units = detail::ToUtf16(text);
    EXPECT_EQ(detail::ToUtf16(text, poll), units) << offset;
    // Surrogate pairs straddle every border in turn as the offset moves.
    const std::u16string shifted = std::u16string(offset, u'x') + units;
    EXPECT_EQ(detail::ToUtf8(shifted, poll), detail::ToUtf8(shifted)) << offset;
  }
  EXPECT_GE(looks, 8 * 2);
  looks = 0;
  EXPECT_EQ(detail::ToUtf16("short \xC3\xA9", poll), u"short \u00E9");
  EXPECT_EQ(detail::CopyText("short", poll), "short");
  EXPECT_EQ(looks, 0);  // small texts never pay for the clock
}

TEST(HugeTextTest, SlicedComparisonsOrderAsWholeOnes) {
  int looks = 0;
  const detail::Poll poll = [&] { ++looks; };
  const std::string a(3 * kTextSlice, 'a');
  const std::string mixed = MixedText(3 * kTextSlice);
  struct Case {
    std::string left, right;
    bool textCompare;
    int order;
  };
  const std::vector<Case> cases = {
      {a, a, false, 0},
      {a, a + "a", false, -1},
      {a + "b", a + "a", false, 1},
      {a + "B", a + "a", false, -1},
      {a + "B", a + "b", true, 0},
      {mixed, mixed, false, 0},
      {mixed + "\xC3\x89", mixed + "\xC3\xA9", true, 0},
      {mixed + "\xEF\xBF\xBD", mixed + "\xF0\x9F\x98\x80", false, 1},  // U+FFFD > a pair
  };
  for (const Case& c : cases) {
    EXPECT_EQ(detail::CompareText(c.left, c.right, c.textCompare, poll), c.order);
    EXPECT_EQ(detail::CompareText(c.right, c.left, c.textCompare, poll), -c.order);
  }
  EXPECT_GT(looks, 0);
  Engine engine;
  engine.run("s = String(300000, \"a\")\nt = s & \"b\"");
  EXPECT_EQ(engine.eval("(s < t) & (s = t) & (t > s) & (s <> t) & (s = s & \"\")").toString(),
            "TrueFalseTrueTrueTrue");
}

TEST(HugeTextTest, SlicedCopiesAndScansAreExact) {
  int looks = 0;
  const detail::Poll poll = [&] { ++looks; };
  std::string text = MixedText(2 * kTextSlice + 5);
  EXPECT_EQ(detail::CopyText(text, poll), text);
  std::string out = "head";
  detail::AppendText(out, text, poll);
  EXPECT_EQ(out, "head" + text);
  EXPECT_EQ(detail::RepeatedByte(kTextSlice * 2 + 1, 'q', poll),
            std::string(kTextSlice * 2 + 1, 'q'));
  EXPECT_FALSE(detail::IsAsciiText(text, poll));
  std::string ascii(3 * kTextSlice, 'a');
  EXPECT_TRUE(detail::IsAsciiText(ascii, poll));
  ascii.back() = '\xE9';
  EXPECT_FALSE(detail::IsAsciiText(ascii, poll));
  EXPECT_GE(looks, 3 * 3 + 2);
}

// Each of these copies, converts or scans a text of megabytes: each looks at the clock
// before it is done, so a script out of time ends inside the call.
TEST(HugeTextTest, BuiltinsOverHugeTextsLookAtTheClock) {
  const Variant huge = S(std::string(4 * kTextSlice, 'a') + "\xC3\xA9");
  const Variant ascii = S(std::string(4 * kTextSlice, 'a'));
  struct Case {
    const char* name;
    std::vector<Variant> args;
  };
  const std::vector<Case> cases = {
      {"Len", {huge}},
      {"Left", {ascii, L(4 * kTextSlice - 1)}},
      {"Right", {huge, L(4 * kTextSlice - 1)}},
      {"Mid", {huge, L(2)}},
      {"UCase", {huge}},
      {"LCase", {ascii}},
      {"Trim", {S(" " + ascii.rawString())}},
      {"Space", {L(4 * kTextSlice)}},
      {"String", {L(4 * kTextSlice), S("b")}},
      {"StrReverse", {huge}},
      {"Replace", {huge, S("a"), S("b")}},
      {"Replace", {huge, S("z"), S("b")}},
      {"Split", {huge, S("z")}},
      {"Join", {Arr({huge, S("b")}), S("-")}},
      {"InStr", {huge, S("z")}},
      {"Filter", {Arr({huge}), S("z")}},
      {"StrComp", {huge, huge}},
      {"StrComp", {ascii, ascii, I(1)}},
  };
  for (const Case& c : cases) {
    TimeUpHost host;
    EXPECT_THROW(Call(host, c.name, c.args), TimeUp) << c.name;
    // With time left, the same call gives its whole result.
    host.stop = false;
    EXPECT_NO_THROW(Call(host, c.name, c.args)) << c.name;
    EXPECT_GT(host.looks, 1) << c.name;
  }
  TimeUpHost host;
  EXPECT_EQ(Call(host, "Len", {S("short")}).toLong(), 5);
  EXPECT_EQ(host.looks, 0);

  int looks = 0;
  const Variant joined =
      ops::ConcatInSlices(huge, ascii, [&] { ++looks; });
  EXPECT_EQ(joined.rawString(), huge.rawString() + ascii.rawString());
  EXPECT_GT(looks, 4);
  EXPECT_THROW(ops::ConcatInSlices(huge, S("b"), [] { throw TimeUp{}; }), TimeUp);
}

TEST(HugeTextTest, RegExpOverAHugeTextLooksAtTheClock) {
  auto host = std::make_shared<TimeUpHost>();
  const auto re = NewRegExp(host);
  const Variant text = S(std::string(4 * kTextSlice, 'a') + "\xC3\xA9");
  auto set = [&](const char* name, Variant value) {
    std::vector<Variant> args{std::move(value)};
    re->invoke(re->memberId(name), InvokeKind::Let, args);
  };
  auto call = [&](const char* name, std::vector<Variant> args) {
    return re->invoke(re->memberId(name), InvokeKind::Get, args);
  };
  set("Pattern", S("z"));
  EXPECT_THROW(call("Test", {text}), TimeUp);
  // One match whose replacement copies all the text before it ($`), many times over.
  set("Pattern", S("a"));
  set("Global", Variant::fromBool(true));
  host->stop = false;
  EXPECT_EQ(call("Replace", {S("aaaa"), S("[$`]")}).toString(), "[][a][aa][aaa]");
  host->looks = 0;
  EXPECT_EQ(call("Replace", {text, S("b")}).toString(),
            std::string(4 * kTextSlice, 'b') + "\xC3\xA9");
  EXPECT_GT(host->looks, 4);
  host->stop = true;
  EXPECT_THROW(call("Replace", {S(std::string(1000, 'a')), S("$`")}), TimeUp);
}

// Copies of a huge text share it until one of them changes: the change is that copy's alone,
// whether it is made in place (s = s & x) or through an array element or a ByRef argument.
TEST(HugeTextTest, SharedTextsChangeOnlyWhereTheyAreChanged) {
  Engine engine;
  engine.run(
      "Sub Grow(ByRef v)\nv = v & \"y\"\nEnd Sub\n"
      "s = String(100000, \"a\")\nt = s\ns = s & \"x\"\n"
      "Dim a(1)\na(0) = t\na(1) = t\na(1) = a(1) & \"z\"\nu = t\nGrow u");
  EXPECT_EQ(engine.eval("Len(t) & Right(t, 1)").toString(), "100000a");
  EXPECT_EQ(engine.eval("Len(s) & Right(s, 1)").toString(), "100001x");
  EXPECT_EQ(engine.eval("Len(a(0)) & Right(a(1), 1)").toString(), "100000z");
  EXPECT_EQ(engine.eval("Len(u) & Right(u, 1) & (t = a(0))").toString(), "100001yTrue");
}

}  // namespace
}  // namespace vbs::test
