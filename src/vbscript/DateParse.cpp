// DateParse: the date and time texts CDate, IsDate and #...# literals accept under en-US.
//
// The text is cut into numbers, words and separators. A time is a number followed by ":"
// (h:mm or h:mm:ss) or by AM/PM, with an optional AM/PM after it; it may stand before or after
// the date. The remaining numbers, with an optional month name, form the date:
//   y-m-d when the first number has 3 or 4 digits or exceeds 31; else m/d/y, read as d/m/y
//   when the first cannot be a month but the second can; two numbers are m/d of the current
//   year (or m/y, y/m, d/m when only that reading fits); a month name takes a day and/or year.
// Weekday names are ignored. Two-digit years 00..29 are 2000..2029, 30..99 are 1930..1999.
// A lone number is not a date. Every part is checked (month 1..12, day within its month,
// hour 0..23 or 1..12 with AM/PM, minutes and seconds 0..59, year 100..9999).
#include <cctype>
#include <chrono>
#include <ctime>
#include <string>
#include <vector>

#include "vbscript/DateTime.h"
#include "vbscript/Variant.h"

namespace vbs {
namespace {

struct Token {
  enum Kind { Number, Word, Separator } kind = Number;
  std::int64_t value = 0;  // Number
  int digitCount = 0;      // Number
  std::string text;        // Word (lower case)
  char separator = 0;      // Separator
};

constexpr const char* kMonths[] = {"january",   "february", "march",    "april",
                                   "may",       "june",     "july",     "august",
                                   "september", "october",  "november", "december"};
constexpr const char* kWeekdays[] = {"sunday",   "monday", "tuesday", "wednesday",
                                     "thursday", "friday", "saturday"};

// Month 1..12 for a full name or a prefix of three letters or more ("Dec", "Sept"), else 0.
int MonthFromWord(const std::string& word) {
  if (word.size() < 3) return 0;
  for (int m = 0; m < 12; ++m) {
    const std::string_view name = kMonths[m];
    if (word.size() <= name.size() && name.substr(0, word.size()) == word) return m + 1;
  }
  return 0;
}

bool IsWeekday(const std::string& word) {
  if (word.size() < 3) return false;
  for (const char* day : kWeekdays) {
    const std::string_view name = day;
    if (word.size() <= name.size() && name.substr(0, word.size()) == word) return true;
  }
  return false;
}

bool Tokenize(std::string_view text, std::vector<Token>& tokens) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (std::isdigit(c)) {
      Token t;
      t.kind = Token::Number;
      while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        if (t.digitCount < 9) t.value = t.value * 10 + (text[i] - '0');
        ++t.digitCount;
        ++i;
      }
      if (t.digitCount > 9) return false;
      tokens.push_back(t);
    } else if (std::isalpha(c)) {
      Token t;
      t.kind = Token::Word;
      while (i < text.size() && std::isalpha(static_cast<unsigned char>(text[i]))) {
        t.text.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(text[i]))));
        ++i;
      }
      tokens.push_back(t);
    } else if (c == ' ' || c == '\t') {
      ++i;  // blanks only separate tokens
    } else if (c == '/' || c == '-' || c == '.' || c == ',' || c == ':') {
      Token t;
      t.kind = Token::Separator;
      t.separator = static_cast<char>(c);
      tokens.push_back(t);
      ++i;
    } else {
      return false;
    }
  }
  return true;
}

std::int64_t ExpandYear(const Token& t) {
  if (t.digitCount <= 2) return t.value < 30 ? 2000 + t.value : 1900 + t.value;
  return t.value;
}

bool ValidDate(std::int64_t year, std::int64_t month, std::int64_t day) {
  return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= detail::DaysInMonth(year, static_cast<int>(month));
}

bool LooksLikeYear(const Token& t) {
  return t.digitCount >= 3 || t.value > 31;
}

struct DateResult {
  std::int64_t year = 0, month = 0, day = 0;
};

// The date from its numbers (in order) and an optional month name.
bool ResolveDate(const std::vector<Token>& numbers, int monthName, int currentYear,
                 DateResult& out) {
  auto accept = [&out](std::int64_t y, std::int64_t m, std::int64_t d) {
    if (!ValidDate(y, m, d)) return false;
    out = {y, m, d};
    return true;
  };
  if (monthName != 0) {
    if (numbers.size() == 1) {
      const Token& n = numbers[0];
      if (LooksLikeYear(n)) return accept(ExpandYear(n), monthName, 1);
      return accept(currentYear, monthName, n.value);
    }
    if (numbers.size() == 2) {
      const Token &a = numbers[0], &b = numbers[1];
      if (LooksLikeYear(a)) return accept(ExpandYear(a), monthName, b.value);
      return accept(ExpandYear(b), monthName, a.value);
    }
    return false;
  }
  if (numbers.size() == 3) {
    const Token &a = numbers[0], &b = numbers[1], &c = numbers[2];
    if (LooksLikeYear(a)) return accept(ExpandYear(a), b.value, c.value);
    const std::int64_t year = ExpandYear(c);
    return accept(year, a.value, b.value) || accept(year, b.value, a.value);
  }
  if (numbers.size() == 2) {
    const Token &a = numbers[0], &b = numbers[1];
    if (LooksLikeYear(a)) return accept(ExpandYear(a), b.value, 1);
    if (a.value <= 12 && !LooksLikeYear(b) && accept(currentYear, a.value, b.value)) return true;
    if (a.value <= 12) return accept(ExpandYear(b), a.value, 1);
    return accept(currentYear, b.value, a.value);
  }
  return false;
}

int CurrentYear() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&now, &local);
  return local.tm_year + 1900;
}

}  // namespace

std::optional<double> ParseDateText(std::string_view text) {
  return ParseDateText(text, CurrentYear());
}

std::optional<double> ParseDateText(std::string_view text, int currentYear) {
  std::vector<Token> tokens;
  if (!Tokenize(text, tokens) || tokens.empty()) return std::nullopt;

  bool haveTime = false;
  std::int64_t hour = 0, minute = 0, second = 0;
  std::vector<Token> dateNumbers;
  int monthName = 0;

  auto ampmAt = [&tokens](std::size_t i) -> int {  // 1 = AM, 2 = PM, 0 = neither
    if (i >= tokens.size() || tokens[i].kind != Token::Word) return 0;
    if (tokens[i].text == "am") return 1;
    if (tokens[i].text == "pm") return 2;
    return 0;
  };
  auto isColon = [&tokens](std::size_t i) {
    return i < tokens.size() && tokens[i].kind == Token::Separator && tokens[i].separator == ':';
  };
  auto isNumber = [&tokens](std::size_t i) {
    return i < tokens.size() && tokens[i].kind == Token::Number;
  };

  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const Token& t = tokens[i];
    if (t.kind == Token::Number && (isColon(i + 1) || ampmAt(i + 1) != 0)) {
      if (haveTime) return std::nullopt;
      haveTime = true;
      hour = t.value;
      if (isColon(i + 1)) {
        if (!isNumber(i + 2)) return std::nullopt;
        minute = tokens[i + 2].value;
        i += 2;
        if (isColon(i + 1)) {
          if (!isNumber(i + 2)) return std::nullopt;
          second = tokens[i + 2].value;
          i += 2;
        }
      }
      if (const int ampm = ampmAt(i + 1); ampm != 0) {
        if (hour > 12) return std::nullopt;
        if (hour == 12) hour = 0;
        if (ampm == 2) hour += 12;
        ++i;
      }
      if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
    } else if (t.kind == Token::Number) {
      dateNumbers.push_back(t);
    } else if (t.kind == Token::Word) {
      if (const int m = MonthFromWord(t.text); m != 0) {
        if (monthName != 0) return std::nullopt;
        monthName = m;
      } else if (!IsWeekday(t.text)) {
        return std::nullopt;
      }
    } else if (t.separator == ':') {
      return std::nullopt;  // a colon outside a time
    }
  }

  std::int64_t dayIndex = 0;
  if (!dateNumbers.empty() || monthName != 0) {
    DateResult date;
    if (!ResolveDate(dateNumbers, monthName, currentYear, date)) return std::nullopt;
    dayIndex = detail::DayIndexFromCivil(date.year, static_cast<int>(date.month),
                                         static_cast<int>(date.day));
  } else if (!haveTime) {
    return std::nullopt;
  }
  return detail::EncodeOleDate(dayIndex, hour * 3600 + minute * 60 + second);
}

}  // namespace vbs
