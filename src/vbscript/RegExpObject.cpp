// RegExpObject: the RegExp object. It keeps the pattern as the script set it and compiles it
// on first use after any change of Pattern, IgnoreCase or Multiline (a compiled program
// depends on all three). Global decides whether Execute and Replace go on after the first
// match; after an empty match the next search starts one character further on, so a pattern
// such as "a*" finds every position once and never loops.
#include "vbscript/RegExpObject.h"

#include <optional>

#include "vbscript/LibraryMembers.h"
#include "vbscript/OperatorsDetail.h"
#include "vbscript/RegExpMatches.h"
#include "vbscript/RegexMatcher.h"
#include "vbscript/RegexProgram.h"
#include "vbscript/TextSlices.h"
#include "vbscript/Utf16.h"
#include "vbscript/VariantArray.h"
#include "vbscript/VbError.h"

namespace vbs {

namespace {

using detail::ArgBool;
using detail::ArgString;
using detail::ToUtf16;
using detail::ToUtf8;

enum Member { kPattern = 1, kIgnoreCase, kGlobal, kMultiline, kTest, kReplace, kExecute };

const detail::MemberTable& Members() {
  static const detail::MemberTable table{
      {"Pattern", kPattern, 0, 0, detail::kReadWrite},
      {"IgnoreCase", kIgnoreCase, 0, 0, detail::kReadWrite},
      {"Global", kGlobal, 0, 0, detail::kReadWrite},
      {"Multiline", kMultiline, 0, 0, detail::kReadWrite},
      {"Test", kTest, 1, 1, detail::kMethod},
      {"Replace", kReplace, 2, 2, detail::kMethod},
      {"Execute", kExecute, 1, 1, detail::kMethod},
  };
  return table;
}

class RegExp : public Object {
 public:
  explicit RegExp(std::weak_ptr<BuiltinHost> host) : host_(std::move(host)) {
    // A search looks at the clock of the script that made the object; a runaway pattern
    // ends at that script's time-out. An object outliving its engine matches unwatched.
    poll_ = [this] {
      if (const auto host = host_.lock()) host->checkTime();
    };
  }
  std::string typeName() const override { return "IRegExp2"; }
  int memberId(std::string_view name) override { return Members().idOf(name); }

  Variant invoke(int id, InvokeKind kind, std::span<Variant> args) override {
    const auto plain = Members().check(id, kind, args);
    const bool assign = kind == InvokeKind::Let || kind == InvokeKind::Set;
    switch (id) {
      case kPattern:
        if (!assign) return Variant::fromString(pattern_);
        pattern_ = ArgString(args.back());
        program_.reset();
        return {};
      case kIgnoreCase:
        return flag(ignoreCase_, assign, args, true);
      case kGlobal:
        return flag(global_, assign, args, false);
      case kMultiline:
        return flag(multiline_, assign, args, true);
      case kTest: {
        const std::u16string input = InputUnits(plain[0]);
        return Variant::fromBool(
            regex::Search(program(), input, 0, regex::kStepBudget, poll_).has_value());
      }
      case kReplace:
        return replace(plain[0], plain[1]);
      default:
        return execute(plain[0]);
    }
  }

 private:
  Variant flag(bool& value, bool assign, std::span<Variant> args, bool affectsProgram) {
    if (!assign) return Variant::fromBool(value);
    value = ArgBool(args.back());
    if (affectsProgram) program_.reset();
    return {};
  }

  // The text searched, in UTF-16; a huge one is read in place and converted in slices, with
  // looks at the clock between them.
  std::u16string InputUnits(const Variant& source) {
    if (source.isString()) return ToUtf16(source.rawString(), poll_);
    return ToUtf16(ArgString(source), poll_);
  }

  const regex::Program& program() {
    if (!program_) program_ = regex::Compile(ToUtf16(pattern_), ignoreCase_, multiline_);
    return *program_;
  }

  // Calls `found` for each match in turn (only the first unless Global).
  template <typename Found>
  void forEachMatch(std::u16string_view input, Found found) {
    const regex::Program& prog = program();
    std::size_t from = 0;
    for (std::size_t count = 1; from <= input.size(); ++count) {
      auto match = regex::Search(prog, input, from, regex::kStepBudget, poll_);
      if (!match) break;
      // Each search polls by its own steps; many short ones poll here.
      if ((count & 0x3FF) == 0) poll_();
      found(*match);
      if (!global_) break;
      from = match->end() == match->start() ? match->end() + 1 : match->end();
    }
  }

  Variant execute(const Variant& source) {
    const std::u16string input = InputUnits(source);
    std::vector<std::shared_ptr<Object>> matches;
    forEachMatch(input, [&](const regex::MatchResult& m) {
      if (matches.size() >= static_cast<std::size_t>(kMaxArrayElements)) {
        throw VbError(err::kOutOfMemory);
      }
      detail::MatchData data;
      data.value = ToUtf8(input.substr(m.start(), m.end() - m.start()));
      data.firstIndex = static_cast<std::int32_t>(m.start());
      data.length = static_cast<std::int32_t>(m.end() - m.start());
      data.groups = groupValues(input, m);
      matches.push_back(detail::NewMatch(std::move(data)));
    });
    return Variant::fromObject(detail::NewMatchCollection(std::move(matches)));
  }

  std::vector<Variant> groupValues(std::u16string_view input, const regex::MatchResult& m) {
    std::vector<Variant> groups;
    for (std::uint32_t g = 1; g <= program().groupCount; ++g) {
      const std::uint32_t from = m.slots[2 * g];
      const std::uint32_t to = m.slots[2 * g + 1];
      groups.push_back(from == regex::kUnset || to == regex::kUnset
                           ? Variant()
                           : Variant::fromString(ToUtf8(input.substr(from, to - from))));
    }
    return groups;
  }

  // replaceWith is text with $ forms, or a function reference (GetRef) that is called with
  // the match, each group, the position and the whole text and returns the replacement.
  Variant replace(const Variant& source, const Variant& replaceWith) {
    const std::u16string input = InputUnits(source);
    std::shared_ptr<Object> function;
    std::u16string replacement;
    if (replaceWith.isObject() && !replaceWith.isNothing()) {
      function = replaceWith.object();
    } else if (replaceWith.isBoolean()) {
      // The replacement is a Variant the object converts itself, without the True/False
      // words of the script's own conversions: True replaces with "-1".
      replacement = replaceWith.rawInt() != 0 ? u"-1" : u"0";
    } else {
      replacement = ToUtf16(ArgString(replaceWith));
    }
    std::u16string out;
    std::size_t copied = 0, polledAt = 0;
    Variant whole;  // the function's last argument, made once: a huge text is then shared
    forEachMatch(input, [&](const regex::MatchResult& m) {
      out.append(input, copied, m.start() - copied);
      if (function) {
        if (whole.isEmpty()) whole = Variant::fromString(ToUtf8(input, poll_));
        out += callReplacement(*function, input, m, whole);
      } else {
        expand(replacement, input, m, out);
      }
      detail::CheckStringSize(out.size());
      copied = m.end();
      // $` and $' copy the text around each match: the output, not the count of matches,
      // says how much work was done.
      if (out.size() - polledAt >= detail::kTextSlice) {
        poll_();
        polledAt = out.size();
      }
    });
    out.append(input, copied);
    detail::CheckStringSize(out.size());
    std::string text = ToUtf8(out, poll_);
    detail::CheckStringSize(text.size());
    return Variant::fromString(std::move(text));
  }

  std::u16string callReplacement(Object& function, std::u16string_view input,
                                 const regex::MatchResult& m, const Variant& whole) {
    std::vector<Variant> args;
    args.push_back(Variant::fromString(ToUtf8(input.substr(m.start(), m.end() - m.start()))));
    for (Variant& group : groupValues(input, m)) args.push_back(std::move(group));
    args.push_back(Variant::fromLong(static_cast<std::int32_t>(m.start())));
    args.push_back(whole);
    return ToUtf16(ArgString(function.invoke(kDefaultMember, InvokeKind::Get, args)));
  }

  // $& the match, $` the text before it, $' the text after it, $$ a dollar sign, $1..$99 a
  // group (two digits when the pattern has that many groups); any other $ stays as written.
  void expand(std::u16string_view r, std::u16string_view input, const regex::MatchResult& m,
              std::u16string& out) {
    const std::uint32_t groups = program().groupCount;
    auto isDigit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
    for (std::size_t i = 0; i < r.size(); ++i) {
      if (r[i] != u'$' || i + 1 == r.size()) {
        out.push_back(r[i]);
        continue;
      }
      const char16_t next = r[i + 1];
      std::uint32_t group = 0;
      std::size_t length = 0;
      if (isDigit(next)) {
        const std::uint32_t one = next - u'0';
        if (i + 2 < r.size() && isDigit(r[i + 2]) && one * 10 + (r[i + 2] - u'0') >= 1 &&
            one * 10 + (r[i + 2] - u'0') <= groups) {
          group = one * 10 + (r[i + 2] - u'0');
          length = 3;
        } else if (one >= 1 && one <= groups) {
          group = one;
          length = 2;
        }
      }
      if (length > 0) {
        const std::uint32_t from = m.slots[2 * group];
        const std::uint32_t to = m.slots[2 * group + 1];
        if (from != regex::kUnset && to != regex::kUnset) out.append(input.substr(from, to - from));
        i += length - 1;
      } else if (next == u'$') {
        out.push_back(u'$');
        ++i;
      } else if (next == u'&') {
        out.append(input.substr(m.start(), m.end() - m.start()));
        ++i;
      } else if (next == u'`') {
        out.append(input.substr(0, m.start()));
        ++i;
      } else if (next == u'\'') {
        out.append(input.substr(m.end()));
        ++i;
      } else {
        out.push_back(u'$');
      }
    }
  }

  std::string pattern_;  // as the script set it
  bool ignoreCase_ = false;
  bool global_ = false;
  bool multiline_ = false;
  std::optional<regex::Program> program_;
  std::weak_ptr<BuiltinHost> host_;
  std::function<void()> poll_;
};

}  // namespace

std::shared_ptr<Object> NewRegExp(std::weak_ptr<BuiltinHost> host) {
  return std::make_shared<RegExp>(std::move(host));
}

}  // namespace vbs
