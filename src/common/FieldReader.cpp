// Field splitting and conversions of FieldReader; the rules are in the header.
#include "common/FieldReader.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

#include "common/FieldNumber.h"
#include "common/FileResolver.h"
#include "common/TextEncoding.h"
#include "vbscript/VbError.h"

namespace tw {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}
// Ctrl-Z: the end of the data, where it stands outside a quoted text.
constexpr char kEndMark = '\x1A';
bool EndsUnquoted(char c) {
  return c == ',' || IsLineEnd(c) || c == kEndMark;
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// The text between the number signs of an unquoted "#...#" field, or nullopt.
std::optional<std::string_view> HashForm(std::string_view text) {
  if (text.size() < 2 || text.front() != '#' || text.back() != '#') return std::nullopt;
  return text.substr(1, text.size() - 2);
}

std::optional<std::int32_t> ErrorNumber(std::string_view inner) {
  // "ERROR", at least one blank, a whole number.
  if (inner.size() < 7 || !EqualsNoCase(inner.substr(0, 5), "ERROR") || !IsBlank(inner[5])) {
    return std::nullopt;
  }
  const std::string_view digits = TrimBlanks(inner.substr(5));
  std::int32_t number = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return number;
}

}  // namespace

FieldReader FieldReader::Open(FileResolver& files, std::string_view path) {
  const auto real = files.resolve(path);
  if (!real) throw vbs::VbError(vbs::err::kFileNotFound);
  auto bytes = files.readFile(*real);
  if (!bytes) throw vbs::VbError(vbs::err::kPathFileAccessError);
  return FieldReader(DecodeDataText(*bytes));
}

FieldReader::FieldReader(std::string utf8Text) : text_(std::move(utf8Text)) {}

void FieldReader::endDataAt(std::size_t p) {
  if (p < text_.size() && text_[p] == kEndMark) text_.resize(p);
}

bool FieldReader::atEnd() const {
  if (!scanned_ || pos_ > firstNonBlank_) {
    std::size_t p = pos_;
    while (p < text_.size() && (IsBlank(text_[p]) || IsLineEnd(text_[p]))) ++p;
    firstNonBlank_ = p;
    scanned_ = true;
  }
  return firstNonBlank_ >= text_.size() || text_[firstNonBlank_] == kEndMark;
}

void FieldReader::consumeLineEnd() {
  if (pos_ < text_.size() && text_[pos_] == '\r') {
    ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
  } else if (pos_ < text_.size() && text_[pos_] == '\n') {
    ++pos_;
  }
}

void FieldReader::consumeSeparator() {
  if (pos_ >= text_.size()) return;
  if (text_[pos_] == ',') {
    ++pos_;
    std::size_t p = pos_;
    while (p < text_.size() && IsBlank(text_[p])) ++p;
    if (p < text_.size() && IsLineEnd(text_[p])) {
      pos_ = p;
      consumeLineEnd();
    }
  } else {
    consumeLineEnd();
  }
}

FieldReader::Field FieldReader::next() {
  while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
  endDataAt(pos_);
  if (pos_ >= text_.size()) throw vbs::VbError(vbs::err::kInputPastEndOfFile);

  Field field;
  if (text_[pos_] == '"') {
    field.quoted = true;
    const std::size_t start = pos_ + 1;
    const std::size_t close = text_.find('"', start);
    if (close == std::string::npos) {
      // A quote never closed is no text that was written whole: the data ends at a Ctrl-Z
      // in it, as it did before the quote.
      const std::size_t end = text_.find(kEndMark, start);
      field.text = text_.substr(start, end == std::string::npos ? end : end - start);
      pos_ = text_.size();
      return field;
    }
    field.text = text_.substr(start, close - start);
    pos_ = close + 1;
    while (pos_ < text_.size() && !EndsUnquoted(text_[pos_])) ++pos_;
    endDataAt(pos_);
  } else {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && !EndsUnquoted(text_[pos_])) ++pos_;
    endDataAt(pos_);
    std::size_t end = pos_;
    while (end > start && IsBlank(text_[end - 1])) --end;
    field.text = text_.substr(start, end - start);
  }
  consumeSeparator();
  return field;
}

double FieldReader::NumericValue(const Field& field) {
  const std::string_view text = field.quoted ? TrimBlanks(field.text) : field.text;
  if (text.empty()) return 0;
  if (!field.quoted) {
    if (EqualsNoCase(text, "#TRUE#")) return -1;
    if (EqualsNoCase(text, "#FALSE#")) return 0;
  }
  const auto value = ParseFieldNumber(text);
  if (!value) throw vbs::VbError(vbs::err::kTypeMismatch);
  return *value;
}

std::string FieldReader::readString() {
  return next().text;
}

std::int16_t FieldReader::readInteger() {
  const double value = RoundHalfEven(NumericValue(next()));
  if (value < std::numeric_limits<std::int16_t>::min() ||
      value > std::numeric_limits<std::int16_t>::max()) {
    throw vbs::VbError(vbs::err::kOverflow);
  }
  return static_cast<std::int16_t>(value);
}

std::int32_t FieldReader::readLong() {
  const double value = RoundHalfEven(NumericValue(next()));
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    throw vbs::VbError(vbs::err::kOverflow);
  }
  return static_cast<std::int32_t>(value);
}

float FieldReader::readSingle() {
  const double value = NumericValue(next());
  if (std::fabs(value) > std::numeric_limits<float>::max()) {
    throw vbs::VbError(vbs::err::kOverflow);
  }
  return static_cast<float>(value);
}

double FieldReader::readDouble() {
  return NumericValue(next());
}

bool FieldReader::readBoolean() {
  const Field field = next();
  const std::string_view text = TrimBlanks(field.text);
  if (text.empty()) return false;
  if (EqualsNoCase(text, "True")) return true;
  if (EqualsNoCase(text, "False")) return false;
  return NumericValue(field) != 0;
}

vbs::Variant FieldReader::readAny() {
  Field field = next();
  if (field.quoted) return vbs::Variant::fromString(std::move(field.text));
  if (field.text.empty()) return vbs::Variant();

  if (const auto inner = HashForm(field.text)) {
    if (EqualsNoCase(*inner, "TRUE")) return vbs::Variant::fromBool(true);
    if (EqualsNoCase(*inner, "FALSE")) return vbs::Variant::fromBool(false);
    if (EqualsNoCase(*inner, "NULL")) return vbs::Variant::Null();
    if (const auto number = ErrorNumber(*inner)) return vbs::Variant::fromError(*number);
    try {
      if (const auto date = vbs::ParseDateText(*inner)) return vbs::Variant::fromDate(*date);
    } catch (const vbs::VbError&) {
      // A date outside the calendar's range is no date: the text stands as it is.
    }
    return vbs::Variant::fromString(std::move(field.text));
  }

  if (const auto number = ParseFieldNumber(field.text)) {
    const double v = *number;
    if (v == std::trunc(v)) {
      if (v >= std::numeric_limits<std::int16_t>::min() &&
          v <= std::numeric_limits<std::int16_t>::max()) {
        return vbs::Variant::fromInteger(static_cast<std::int16_t>(v));
      }
      if (v >= std::numeric_limits<std::int32_t>::min() &&
          v <= std::numeric_limits<std::int32_t>::max()) {
        return vbs::Variant::fromLong(static_cast<std::int32_t>(v));
      }
    }
    return vbs::Variant::fromDouble(v);
  }
  return vbs::Variant::fromString(std::move(field.text));
}

void FieldReader::skip(int n) {
  for (int i = 0; i < n; ++i) next();
}

}  // namespace tw
