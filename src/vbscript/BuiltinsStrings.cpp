// BuiltinsStrings: the string functions (Len, Mid, InStr, Replace, Split, Chr, Asc, Hex, ...).
//
// Lengths and positions count UTF-16 code units, as VBScript's strings are UTF-16; texts are
// converted to UTF-16 where a function needs positions, except for pure ASCII, where bytes and
// units coincide. Chr and Asc use Windows-1252 (the en-US code page); ChrW and AscW use the
// units themselves. A Null text gives Null where the Windows engine gives it (Len, Left, InStr,
// LCase, Trim, Hex, ...) and raises 94 where it does (Mid, InStrRev, Replace, Split, ...);
// Null in a count or position raises 94. No result may exceed the
// string limit of OperatorsDetail.h (error 14).
#include <algorithm>
#include <array>

#include "vbscript/BuiltinsDetail.h"
#include "vbscript/OperatorsDetail.h"
#include "vbscript/TextSlices.h"
#include "vbscript/Utf16.h"
#include "vbscript/VariantArray.h"
#include "vbscript/VbError.h"

namespace vbs::detail {
namespace {

using Args = std::span<Variant>;

// Work over texts that may be huge goes in slices with a look at the script's clock between
// them (TextSlices.h), and reads a text argument in place rather than copying it.
Poll PollOf(BuiltinHost& host) {
  return [&host] { host.checkTime(); };
}

// The text of a value: a String's own text, read in place (v must outlive the reference);
// other values converted into keep.
const std::string& TextOf(const Variant& v, std::string& keep) {
  if (v.isString()) return v.rawString();
  keep = StringOf(v);
  return keep;
}

std::u16string Units(const Variant& v, const Poll& poll) {
  std::string keep;
  return ToUtf16(TextOf(v, keep), poll);
}

// Every UTF-16 unit takes at least one byte of UTF-8, so a text with more units than the
// limit has bytes is refused before it is converted.
Variant FromUnits(std::u16string_view units, const Poll& poll = {}) {
  CheckStringSize(units.size());
  std::string text = ToUtf8(units, poll);
  CheckStringSize(text.size());
  return Variant::fromString(std::move(text));
}

// Units [first, first + count) of a text, clamped to its end; first counts from 0.
Variant Slice(const std::string& text, std::size_t first, std::size_t count, const Poll& poll) {
  if (IsAsciiText(text, poll)) {
    if (first >= text.size()) return Variant::fromString("");
    return Variant::fromString(
        CopyText(std::string_view(text).substr(first, count), poll));
  }
  const std::u16string units = ToUtf16(text, poll);
  if (first >= units.size()) return Variant::fromString("");
  return FromUnits(std::u16string_view(units).substr(first, count), poll);
}

std::size_t UnitCount(const std::string& text, const Poll& poll = {}) {
  return IsAsciiText(text, poll) ? text.size() : ToUtf16(text, poll).size();
}

std::int32_t NonNegative(std::int32_t n) {
  if (n < 0) throw VbError(err::kInvalidCall);
  return n;
}

void Fold(std::u16string& s) {
  std::transform(s.begin(), s.end(), s.begin(), FoldCase);
}

// Text searches compare up to about this many characters between two looks at the clock. A
// search may cost the text's length times the pattern's (InStr(String(n, "a"),
// String(n / 2, "a") & "b")), and must not outlast the script's time-out.
constexpr std::size_t kSearchSlice = std::size_t{1} << 18;

std::size_t StartsPerSlice(std::u16string_view needle) {
  return std::max<std::size_t>(1, kSearchSlice / std::max<std::size_t>(1, needle.size()));
}

// Position (from 0) of needle in haystack at or after `from`; npos when absent.
std::size_t FindFrom(BuiltinHost& host, std::u16string_view haystack, std::u16string_view needle,
                     std::size_t from) {
  constexpr auto npos = std::u16string_view::npos;
  if (needle.empty()) return from <= haystack.size() ? from : npos;
  if (needle.size() > haystack.size()) return npos;
  const std::size_t last = haystack.size() - needle.size();  // the last possible start
  const std::size_t slice = StartsPerSlice(needle);
  for (std::size_t first = from; first <= last;) {
    const std::size_t end = std::min(last, first + (slice - 1));  // starts first..end
    const std::size_t at = haystack.substr(first, end - first + needle.size()).find(needle);
    if (at != npos) return first + at;
    host.checkTime();
    if (end == last) break;
    first = end + 1;
  }
  return npos;
}

// Position of the last needle in haystack that starts at or before `latest`; npos when absent.
std::size_t FindLast(BuiltinHost& host, std::u16string_view haystack, std::u16string_view needle,
                     std::size_t latest) {
  constexpr auto npos = std::u16string_view::npos;
  if (needle.size() > haystack.size()) return npos;
  const std::size_t slice = StartsPerSlice(needle);
  for (std::size_t end = std::min(latest, haystack.size() - needle.size());;) {
    const std::size_t first = end >= slice - 1 ? end - (slice - 1) : 0;  // starts first..end
    const std::size_t at = haystack.substr(first, end - first + needle.size()).rfind(needle);
    if (at != npos) return first + at;
    host.checkTime();
    if (first == 0) break;
    end = first - 1;
  }
  return npos;
}

// Len(string): Null gives Null; other values count the characters of their text.
Variant Len(BuiltinHost& host, Args args) {
  const Variant v = ArgValue(args, 0);
  if (v.isNull()) return Variant::Null();
  std::string keep;
  return Variant::fromLong(static_cast<std::int32_t>(UnitCount(TextOf(v, keep), PollOf(host))));
}

// LenB(string): bytes of the UTF-16 text.
Variant LenB(BuiltinHost& host, Args args) {
  const Variant v = ArgValue(args, 0);
  if (v.isNull()) return Variant::Null();
  std::string keep;
  return Variant::fromLong(
      static_cast<std::int32_t>(UnitCount(TextOf(v, keep), PollOf(host)) * 2));
}

// Left(string, length): length < 0 raises 5.
Variant Left(BuiltinHost& host, Args args) {
  const Variant v = ArgValue(args, 0);
  const auto length = NonNegative(LongOf(ArgValue(args, 1)));
  if (v.isNull()) return Variant::Null();
  std::string keep;
  return Slice(TextOf(v, keep), 0, static_cast<std::size_t>(length), PollOf(host));
}

// Right(string, length): length < 0 raises 5.
Variant Right(BuiltinHost& host, Args args) {
  const Variant v = ArgValue(args, 0);
  const auto length = static_cast<std::size_t>(NonNegative(LongOf(ArgValue(args, 1))));
  if (v.isNull()) return Variant::Null();
  std::string keep;
  const std::string& text = TextOf(v, keep);
  const Poll poll = PollOf(host);
  const std::size_t size = UnitCount(text, poll);
  if (length >= size) return v.isString() ? v : Variant::fromString(text);
  return Slice(text, size - length, length, poll);
}

// Mid(string, start[, length]): start counts from 1 (below 1 raises 5), length < 0 raises 5;
// a Null in any argument raises 94 before the others are looked at, as the Windows engine
// does (unlike Left and Right).
Variant Mid(BuiltinHost& host, Args args) {
  const Variant v = ArgValue(args, 0), startArg = ArgValue(args, 1);
  const Variant lengthArg = ArgValue(args, 2);
  if (v.isNull() || startArg.isNull() || lengthArg.isNull()) {
    throw VbError(err::kInvalidUseOfNull);
  }
  const std::int32_t start = LongOf(startArg);
  if (start < 1) throw VbError(err::kInvalidCall);
  std::size_t length = std::u16string::npos;
  if (HasArg(args, 2)) length = static_cast<std::size_t>(NonNegative(LongOf(lengthArg)));
  std::string keep;
  return Slice(TextOf(v, keep), static_cast<std::size_t>(start - 1), length, PollOf(host));
}

// InStr([start, ]string1, string2[, compare]): position from 1, 0 when absent; an empty
// string2 is found at start; Null texts give Null.
Variant InStr(BuiltinHost& host, Args args) {
  std::int32_t start = 1;
  std::size_t first = 0;
  if (args.size() >= 3) {
    start = LongOf(ArgValue(args, 0));
    if (start < 1) throw VbError(err::kInvalidCall);
    first = 1;
  }
  const bool text = TextCompareArg(args, 3);
  const Variant a = ArgValue(args, first), b = ArgValue(args, first + 1);
  if (a.isNull() || b.isNull()) return Variant::Null();
  const Poll poll = PollOf(host);
  std::u16string haystack = Units(a, poll), needle = Units(b, poll);
  const auto from = static_cast<std::size_t>(start - 1);
  if (from > haystack.size()) return Variant::fromLong(0);
  if (needle.empty()) return Variant::fromLong(start);
  if (text) Fold(haystack), Fold(needle);
  const std::size_t at = FindFrom(host, haystack, needle, from);
  return Variant::fromLong(at == std::u16string::npos ? 0 : static_cast<std::int32_t>(at + 1));
}

// InStrRev(string1, string2[, start[, compare]]): searches backwards from start (-1 = the end);
// the match must lie wholly at or before start. Unlike InStr, a Null text raises 94.
Variant InStrRev(BuiltinHost& host, Args args) {
  const std::int32_t start = LongArg(args, 2, -1);
  if (start == 0 || start < -1) throw VbError(err::kInvalidCall);
  const bool text = TextCompareArg(args, 3);
  const Variant a = ArgValue(args, 0), b = ArgValue(args, 1);
  if (a.isNull() || b.isNull()) throw VbError(err::kInvalidUseOfNull);
  const Poll poll = PollOf(host);
  std::u16string haystack = Units(a, poll), needle = Units(b, poll);
  const std::size_t end = start == -1 ? haystack.size() : static_cast<std::size_t>(start);
  if (end > haystack.size()) return Variant::fromLong(0);
  if (needle.empty()) return Variant::fromLong(static_cast<std::int32_t>(end));
  if (needle.size() > end) return Variant::fromLong(0);
  if (text) Fold(haystack), Fold(needle);
  const std::size_t at = FindLast(host, haystack, needle, end - needle.size());
  return Variant::fromLong(at == std::u16string::npos ? 0 : static_cast<std::int32_t>(at + 1));
}

// Replace(expression, find, replacewith[, start[, count[, compare]]]): the result begins at
// start; count -1 replaces every occurrence.
Variant Replace(BuiltinHost& host, Args args) {
  const Poll poll = PollOf(host);
  std::u16string expr = Units(ArgValue(args, 0), poll);
  std::u16string find = Units(ArgValue(args, 1), poll);
  const std::u16string with = Units(ArgValue(args, 2), poll);
  const std::int32_t start = LongArg(args, 3, 1);
  const std::int32_t count = LongArg(args, 4, -1);
  if (start < 1 || count < -1) throw VbError(err::kInvalidCall);
  const bool text = TextCompareArg(args, 5);
  if (static_cast<std::size_t>(start - 1) >= expr.size()) return Variant::fromString("");
  expr.erase(0, static_cast<std::size_t>(start - 1));
  if (find.empty() || count == 0) return FromUnits(expr, poll);
  std::u16string folded;
  if (text) {
    folded = expr;
    Fold(folded), Fold(find);
  }
  const std::u16string& searched = text ? folded : expr;
  std::u16string out;
  std::size_t pos = 0, polledAt = 0;
  for (std::int32_t done = 0; count == -1 || done < count; ++done) {
    const std::size_t at = FindFrom(host, searched, find, pos);
    if (at == std::u16string::npos) break;
    out.append(expr, pos, at - pos);
    out += with;
    CheckStringSize(out.size());
    pos = at + find.size();
    // Many short matches, or long stretches between them: either is work to be paid for.
    if ((done & 0xFFF) == 0xFFF || out.size() - polledAt >= kTextSlice) {
      host.checkTime();
      polledAt = out.size();
    }
  }
  out.append(expr, pos);
  return FromUnits(out, poll);
}

Variant MapUnits(BuiltinHost& host, Args args, char16_t (*map)(char16_t)) {
  const Variant v = ArgValue(args, 0);
  if (v.isNull()) return Variant::Null();
  const Poll poll = PollOf(host);
  std::string keep;
  const std::string& source = TextOf(v, keep);
  if (IsAsciiText(source, poll)) {
    std::string text;
    text.reserve(source.size());
    for (std::size_t at = 0; at < source.size(); at += kTextSlice) {
      if (at > 0) poll();
      for (const char c : std::string_view(source).substr(at, kTextSlice)) {
        text += static_cast<char>(map(static_cast<char16_t>(c)));
      }
    }
    return Variant::fromString(std::move(text));
  }
  std::u16string units = ToUtf16(source, poll);
  for (std::size_t at = 0; at < units.size(); at += kTextSlice) {
    if (at > 0) poll();
    const auto first = units.begin() + static_cast<std::ptrdiff_t>(at);
    const auto last = units.begin() + static_cast<std::ptrdiff_t>(std::min(units.size(), at + kTextSlice));
    std::transform(first, last, first, map);
  }
  return FromUnits(units, poll);
}

Variant LCase(BuiltinHost& host, Args args) {
  return MapUnits(host, args, LowerCase);
}

Variant UCase(BuiltinHost& host, Args args) {
  return MapUnits(host, args, UpperCase);
}

// Trim, LTrim, RTrim remove spaces only (not tabs or line breaks).
Variant Trimmed(BuiltinHost& host, Args args, bool left, bool right) {
  const Variant v = ArgValue(args, 0);
  if (v.isNull()) return Variant::Null();
  std::string keep;
  const std::string& text = TextOf(v, keep);
  std::size_t begin = 0, end = text.size();
  if (left) {
    while (begin < end && text[begin] == ' ') ++begin;
  }
  if (right) {
    while (end > begin && text[end - 1] == ' ') --end;
  }
  if (begin == 0 && end == text.size() && v.isString()) return v;
  return Variant::fromString(
      CopyText(std::string_view(text).substr(begin, end - begin), PollOf(host)));
}

Variant Trim(BuiltinHost& host, Args args) {
  return Trimmed(host, args, true, true);
}
Variant LTrim(BuiltinHost& host, Args args) {
  return Trimmed(host, args, true, false);
}
Variant RTrim(BuiltinHost& host, Args args) {
  return Trimmed(host, args, false, true);
}

// Space(number): number < 0 raises 5; too many raises 14.
Variant Space(BuiltinHost& host, Args args) {
  const auto n = static_cast<std::size_t>(NonNegative(LongOf(ArgValue(args, 0))));
  CheckStringSize(n);
  return Variant::fromString(RepeatedByte(n, ' ', PollOf(host)));
}

// String(number, character): character is a text (its first character) or a character code
// (taken modulo 256); Null in either gives Null.
Variant StringFn(BuiltinHost& host, Args args) {
  const Variant countArg = ArgValue(args, 0), charArg = ArgValue(args, 1);
  if (countArg.isNull() || charArg.isNull()) return Variant::Null();
  const auto n = static_cast<std::size_t>(NonNegative(countArg.toLong()));
  char16_t unit = 0;
  if (charArg.isString()) {
    const std::u16string units = ToUtf16(charArg.rawString());
    if (units.empty()) throw VbError(err::kInvalidCall);
    unit = units[0];
  } else {
    const std::int32_t code = charArg.toLong();
    unit = FromWindows1252(static_cast<std::uint8_t>(((code % 256) + 256) % 256));
  }
  const std::string one = ToUtf8(std::u16string(1, unit));
  CheckStringSize(n * one.size());
  if (one.size() == 1) return Variant::fromString(RepeatedByte(n, one[0], PollOf(host)));
  std::string out;
  out.reserve(n * one.size());
  for (std::size_t i = 0; i < n; ++i) {
    if ((i & 0xFFFF) == 0xFFFF) host.checkTime();
    out += one;
  }
  return Variant::fromString(std::move(out));
}

// StrReverse(string): characters in reverse order; a surrogate pair stays one character.
Variant StrReverse(BuiltinHost& host, Args args) {
  const Poll poll = PollOf(host);
  std::u16string units = Units(ArgValue(args, 0), poll);
  for (std::size_t i = 0, j = units.size(); i + 1 < j; ++i, --j) {
    if ((i & 0x3FFFF) == 0x3FFFF) poll();
    std::swap(units[i], units[j - 1]);
  }
  for (std::size_t i = 0; i + 1 < units.size(); ++i) {
    if (units[i] >= 0xDC00 && units[i] <= 0xDFFF && units[i + 1] >= 0xD800 &&
        units[i + 1] <= 0xDBFF) {
      std::swap(units[i], units[i + 1]);
      ++i;
    }
  }
  return FromUnits(units, poll);
}

// StrComp(string1, string2[, compare]): -1, 0 or 1 as an Integer; Null gives Null.
Variant StrComp(BuiltinHost& host, Args args) {
  const bool text = TextCompareArg(args, 2);
  const Variant a = ArgValue(args, 0), b = ArgValue(args, 1);
  if (a.isNull() || b.isNull()) return Variant::Null();
  std::string keepA, keepB;
  const int order = CompareText(TextOf(a, keepA), TextOf(b, keepB), text, PollOf(host));
  return Variant::fromInteger(static_cast<std::int16_t>(order));
}

char16_t FirstUnit(const Variant& v) {
  std::string keep;
  const std::string& text = TextOf(v, keep);
  // The first character only: at most four bytes of the text.
  const std::u16string units = ToUtf16(std::string_view(text).substr(0, 4));
  if (units.empty()) throw VbError(err::kInvalidCall);
  return units[0];
}

Variant Asc(BuiltinHost&, Args args) {
  return Variant::fromInteger(ToWindows1252(FirstUnit(ArgValue(args, 0))));
}

Variant AscB(BuiltinHost&, Args args) {
  return Variant::fromInteger(static_cast<std::int16_t>(FirstUnit(ArgValue(args, 0)) & 0xFF));
}

Variant AscW(BuiltinHost&, Args args) {
  return Variant::fromInteger(static_cast<std::int16_t>(FirstUnit(ArgValue(args, 0))));
}

// Chr(code): 0..255 in Windows-1252; other codes raise 5.
Variant Chr(BuiltinHost&, Args args) {
  const std::int32_t code = LongOf(ArgValue(args, 0));
  if (code < 0 || code > 255) throw VbError(err::kInvalidCall);
  return FromUnits(std::u16string(1, FromWindows1252(static_cast<std::uint8_t>(code))));
}

// ChrB(code): a one-byte string cannot exist in UTF-8 text; the byte is given as the
// character with that code, which is what it reads as once joined to a second byte of zero.
Variant ChrB(BuiltinHost&, Args args) {
  const std::int32_t code = LongOf(ArgValue(args, 0));
  if (code < 0 || code > 255) throw VbError(err::kInvalidCall);
  return FromUnits(std::u16string(1, static_cast<char16_t>(code)));
}

// ChrW(code): -32768..65535, negative codes counting from 65536.
Variant ChrW(BuiltinHost&, Args args) {
  const std::int32_t code = LongOf(ArgValue(args, 0));
  if (code < -32768 || code > 65535) throw VbError(err::kInvalidCall);
  return FromUnits(std::u16string(1, static_cast<char16_t>(code < 0 ? code + 65536 : code)));
}

std::shared_ptr<VariantArray> StringArray(std::vector<Variant> values) {
  return VariantArray::fromValues(std::move(values));
}

// Split(expression[, delimiter[, count[, compare]]]): delimiter " " by default; "" gives an
// empty array, an empty delimiter the whole text; count -1 splits everywhere, count n makes at
// most n parts (the last holds the rest).
Variant Split(BuiltinHost& host, Args args) {
  const Poll poll = PollOf(host);
  std::u16string expr = Units(ArgValue(args, 0), poll);
  std::u16string delimiter = HasArg(args, 1) ? Units(ArgValue(args, 1), poll) : u" ";
  const std::int32_t count = LongArg(args, 2, -1);
  if (count < -1) throw VbError(err::kInvalidCall);
  const bool text = TextCompareArg(args, 3);
  std::vector<Variant> parts;
  if (expr.empty() || count == 0) return Variant::fromArray(StringArray(std::move(parts)));
  if (delimiter.empty()) {
    parts.push_back(FromUnits(expr, poll));
    return Variant::fromArray(StringArray(std::move(parts)));
  }
  std::u16string folded;
  if (text) {
    folded = expr;
    Fold(folded), Fold(delimiter);
  }
  const std::u16string& searched = text ? folded : expr;
  std::size_t pos = 0;
  while (count == -1 || static_cast<std::int32_t>(parts.size()) < count - 1) {
    const std::size_t at = FindFrom(host, searched, delimiter, pos);
    if (at == std::u16string::npos) break;
    if (parts.size() + 1 >= static_cast<std::size_t>(kMaxArrayElements)) {
      throw VbError(err::kOutOfMemory);
    }
    parts.push_back(FromUnits(std::u16string_view(expr).substr(pos, at - pos), poll));
    pos = at + delimiter.size();
    if ((parts.size() & 0xFFF) == 0) host.checkTime();
  }
  parts.push_back(FromUnits(std::u16string_view(expr).substr(pos), poll));
  return Variant::fromArray(StringArray(std::move(parts)));
}

// The elements of a one-dimensional array argument as texts: 94 for Null, 13 for a non-array,
// 5 for more than one dimension; Null elements are a type mismatch (they have no text).
// Texts are String Variants, which share a huge text rather than copy it.
std::vector<Variant> ElementTexts(const Variant& list) {
  if (list.isNull()) throw VbError(err::kInvalidUseOfNull);
  if (!list.isArray()) throw VbError(err::kTypeMismatch);
  if (list.array()->dimensions() != 1) throw VbError(err::kInvalidCall);
  std::vector<Variant> texts;
  texts.reserve(list.array()->size());
  for (const Variant& element : list.array()->elements()) {
    if (element.isNull()) throw VbError(err::kTypeMismatch);
    texts.push_back(element.isString() ? element : Variant::fromString(element.toString()));
  }
  return texts;
}

// Join(list[, delimiter]): delimiter " " by default.
Variant Join(BuiltinHost& host, Args args) {
  const std::vector<Variant> texts = ElementTexts(ArgValue(args, 0));
  const std::string delimiter = HasArg(args, 1) ? StringOf(ArgValue(args, 1)) : " ";
  const Poll poll = PollOf(host);
  std::size_t total = 0;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    total += (i > 0 ? delimiter.size() : 0) + texts[i].rawString().size();
    CheckStringSize(total);
  }
  std::string out;
  out.reserve(total);
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (i > 0) out += delimiter;
    AppendText(out, texts[i].rawString(), poll);
    if ((i & 0xFFF) == 0xFFF) poll();
  }
  return Variant::fromString(std::move(out));
}

// Filter(InputStrings, Value[, Include[, Compare]]): the elements that contain Value
// (Include True, the default) or that do not (Include False).
Variant Filter(BuiltinHost& host, Args args) {
  const std::vector<Variant> texts = ElementTexts(ArgValue(args, 0));
  const Poll poll = PollOf(host);
  std::u16string value = Units(ArgValue(args, 1), poll);
  bool include = true;
  if (HasArg(args, 2)) {
    const Variant v = ArgValue(args, 2);
    if (v.isNull()) throw VbError(err::kInvalidUseOfNull);
    include = v.toBool();
  }
  const bool text = TextCompareArg(args, 3);
  if (text) Fold(value);
  std::vector<Variant> kept;
  for (const Variant& element : texts) {
    std::u16string units = ToUtf16(element.rawString(), poll);
    if (text) Fold(units);
    if ((FindFrom(host, units, value, 0) != std::u16string::npos) == include) {
      kept.push_back(element);
    }
  }
  return Variant::fromArray(StringArray(std::move(kept)));
}

constexpr char kHexDigits[] = "0123456789ABCDEF";

// Hex and Oct: whole numbers in two's complement of their own width (Byte and Integer 16
// bits, Long and everything rounded to Long 32 bits).
Variant Radix(Args args, unsigned bitsPerDigit) {
  const Variant v = ArgValue(args, 0);
  if (v.isNull()) return Variant::Null();
  std::uint32_t value = 0;
  switch (v.type()) {
    case VarType::Empty:
      break;
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Boolean:
      value = static_cast<std::uint16_t>(v.rawInt());
      break;
    default:
      value = static_cast<std::uint32_t>(v.toLong());
  }
  std::string out;
  do {
    out.insert(out.begin(), kHexDigits[value & ((1u << bitsPerDigit) - 1)]);
    value >>= bitsPerDigit;
  } while (value != 0);
  return Variant::fromString(std::move(out));
}

Variant Hex(BuiltinHost&, Args args) {
  return Radix(args, 4);
}
Variant Oct(BuiltinHost&, Args args) {
  return Radix(args, 3);
}

bool KeptByEscape(char16_t u) {
  return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9') ||
         u == u'@' || u == u'*' || u == u'_' || u == u'+' || u == u'-' || u == u'.' || u == u'/';
}

// Escape(string): %XX for other units below 256, %uXXXX above.
Variant Escape(BuiltinHost&, Args args) {
  const Variant v = ArgValue(args, 0);
  if (v.isNull()) return Variant::Null();
  std::string out;
  for (const char16_t u : ToUtf16(v.toString())) {
    if (KeptByEscape(u)) {
      out += static_cast<char>(u);
    } else if (u < 256) {
      out += '%';
      out += kHexDigits[u >> 4];
      out += kHexDigits[u & 15];
    } else {
      out += "%u";
      for (int shift = 12; shift >= 0; shift -= 4) out += kHexDigits[(u >> shift) & 15];
    }
    CheckStringSize(out.size());
  }
  return Variant::fromString(std::move(out));
}

int HexDigit(char16_t u) {
  if (u >= u'0' && u <= u'9') return u - u'0';
  if (u >= u'A' && u <= u'F') return u - u'A' + 10;
  if (u >= u'a' && u <= u'f') return u - u'a' + 10;
  return -1;
}

// Unescape(string): %XX and %uXXXX back to units; malformed escapes stay as they are.
Variant Unescape(BuiltinHost&, Args args) {
  const Variant v = ArgValue(args, 0);
  if (v.isNull()) return Variant::Null();
  const std::u16string in = ToUtf16(v.toString());
  std::u16string out;
  for (std::size_t i = 0; i < in.size(); ++i) {
    if (in[i] == u'%') {
      auto decode = [&](std::size_t from, std::size_t digits) -> int {
        if (from + digits > in.size()) return -1;
        int value = 0;
        for (std::size_t k = 0; k < digits; ++k) {
          const int d = HexDigit(in[from + k]);
          if (d < 0) return -1;
          value = value * 16 + d;
        }
        return value;
      };
      if (i + 1 < in.size() && (in[i + 1] == u'u' || in[i + 1] == u'U')) {
        const int value = decode(i + 2, 4);
        if (value >= 0) {
          out += static_cast<char16_t>(value);
          i += 5;
          continue;
        }
      }
      const int value = decode(i + 1, 2);
      if (value >= 0) {
        out += static_cast<char16_t>(value);
        i += 2;
        continue;
      }
    }
    out += in[i];
  }
  return FromUnits(out);
}

// The byte functions see a text as its UTF-16LE bytes. Text here is UTF-8, which cannot hold
// half a character: a cut through a character keeps its low byte as a character of its own
// (the form ChrB gives), so LeftB(s, 2 * n) = Left(s, n) and LenB(LeftB(s, 3)) = 4.
Variant ByteSlice(const Variant& v, std::size_t firstByte, std::size_t byteCount) {
  const std::u16string units = ToUtf16(v.toString());
  const std::size_t totalBytes = units.size() * 2;
  if (firstByte >= totalBytes) return Variant::fromString("");
  byteCount = std::min(byteCount, totalBytes - firstByte);
  std::u16string out;
  for (std::size_t b = firstByte; b < firstByte + byteCount;) {
    const char16_t unit = units[b / 2];
    if (b % 2 == 0 && b + 1 < firstByte + byteCount) {
      out += unit;
      b += 2;
    } else {
      out += static_cast<char16_t>(b % 2 == 0 ? unit & 0xFF : unit >> 8);
      b += 1;
    }
  }
  return FromUnits(out);
}

Variant LeftB(BuiltinHost&, Args args) {
  const Variant v = ArgValue(args, 0);
  const auto length = static_cast<std::size_t>(NonNegative(LongOf(ArgValue(args, 1))));
  if (v.isNull()) return Variant::Null();
  return ByteSlice(v, 0, length);
}

Variant RightB(BuiltinHost&, Args args) {
  const Variant v = ArgValue(args, 0);
  const auto length = static_cast<std::size_t>(NonNegative(LongOf(ArgValue(args, 1))));
  if (v.isNull()) return Variant::Null();
  const std::size_t total = UnitCount(v.toString()) * 2;
  return length >= total ? Variant::fromString(v.toString()) : ByteSlice(v, total - length, length);
}

Variant MidB(BuiltinHost&, Args args) {
  const Variant v = ArgValue(args, 0);
  const std::int32_t start = LongOf(ArgValue(args, 1));
  if (start < 1) throw VbError(err::kInvalidCall);
  std::size_t length = std::u16string::npos / 2;
  if (HasArg(args, 2)) length = static_cast<std::size_t>(NonNegative(LongOf(ArgValue(args, 2))));
  if (v.isNull()) return Variant::Null();
  return ByteSlice(v, static_cast<std::size_t>(start - 1), length);
}

// InStrB([start, ]string1, string2[, compare]): InStr counted in bytes; matches lie on whole
// characters.
Variant InStrB(BuiltinHost& host, Args args) {
  std::vector<Variant> unitArgs(args.begin(), args.end());
  std::int32_t startByte = 1;
  if (args.size() >= 3) {
    startByte = LongOf(ArgValue(args, 0));
    if (startByte < 1) throw VbError(err::kInvalidCall);
    unitArgs[0] = Variant::fromLong(startByte / 2 + 1);  // first whole character at or after
  }
  const Variant found = InStr(host, unitArgs);
  if (found.isNull() || found.rawInt() == 0) return found;
  return Variant::fromLong(static_cast<std::int32_t>(found.rawInt() * 2 - 1));
}

constexpr std::array kTable = {
    BuiltinInfo{"LeftB", 2, 2, LeftB},       BuiltinInfo{"RightB", 2, 2, RightB},
    BuiltinInfo{"MidB", 2, 3, MidB},         BuiltinInfo{"InStrB", 2, 4, InStrB},
    BuiltinInfo{"Len", 1, 1, Len},           BuiltinInfo{"LenB", 1, 1, LenB},
    BuiltinInfo{"Left", 2, 2, Left},         BuiltinInfo{"Right", 2, 2, Right},
    BuiltinInfo{"Mid", 2, 3, Mid},           BuiltinInfo{"InStr", 2, 4, InStr},
    BuiltinInfo{"InStrRev", 2, 4, InStrRev}, BuiltinInfo{"Replace", 3, 6, Replace},
    BuiltinInfo{"LCase", 1, 1, LCase},       BuiltinInfo{"UCase", 1, 1, UCase},
    BuiltinInfo{"Trim", 1, 1, Trim},         BuiltinInfo{"LTrim", 1, 1, LTrim},
    BuiltinInfo{"RTrim", 1, 1, RTrim},       BuiltinInfo{"Space", 1, 1, Space},
    BuiltinInfo{"String", 2, 2, StringFn},   BuiltinInfo{"StrReverse", 1, 1, StrReverse},
    BuiltinInfo{"StrComp", 2, 3, StrComp},   BuiltinInfo{"Asc", 1, 1, Asc},
    BuiltinInfo{"AscB", 1, 1, AscB},         BuiltinInfo{"AscW", 1, 1, AscW},
    BuiltinInfo{"Chr", 1, 1, Chr},           BuiltinInfo{"ChrB", 1, 1, ChrB},
    BuiltinInfo{"ChrW", 1, 1, ChrW},         BuiltinInfo{"Split", 1, 4, Split},
    BuiltinInfo{"Join", 1, 2, Join},         BuiltinInfo{"Filter", 2, 4, Filter},
    BuiltinInfo{"Hex", 1, 1, Hex},           BuiltinInfo{"Oct", 1, 1, Oct},
    BuiltinInfo{"Escape", 1, 1, Escape},     BuiltinInfo{"Unescape", 1, 1, Unescape},
};

}  // namespace

BuiltinTable StringBuiltins() {
  return kTable;
}

}  // namespace vbs::detail
