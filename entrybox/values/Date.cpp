#include "entrybox/values/Date.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "entrybox/platform/Error.h"
#include "entrybox/values/Strings.h"

namespace entrybox {

namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;
using std::chrono::year_month_day;

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t';
}
bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}
bool IsLetter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
char LowerLetter(char16_t c) {
  return static_cast<char>(c >= u'A' && c <= u'Z' ? c + 32 : c);
}

// One word of a date text. Numbers keep their digit count, since the year's width
// decides its century and the yyyy-mm-dd form.
struct Token {
  char kind = 0;  // 'N' number, 'W' month name, '/', '-', ',', ' ' a run of blanks
  int32_t value = 0;
  int digits = 0;
};

// The longest form, "MonthName d , y" with blanks around the comma, has 7 tokens.
constexpr size_t kMaxTokens = 7;
constexpr int kMaxNumberDigits = 4;
constexpr size_t kLongestMonthName = 9;  // "september"

constexpr std::array<std::string_view, 12> kMonthNames = {
    "january", "february", "march",     "april",   "may",      "june",
    "july",    "august",   "september", "october", "november", "december"};

// 1..12 for a full English month name or its first three letters, 0 otherwise.
int32_t MonthOfName(std::string_view word) {
  for (size_t i = 0; i < kMonthNames.size(); ++i) {
    if (word == kMonthNames[i] || (word.size() == 3 && kMonthNames[i].substr(0, 3) == word)) {
      return static_cast<int32_t>(i) + 1;
    }
  }
  return 0;
}

// Cuts the text into at most kMaxTokens tokens; nullopt for any character or word that
// no date form has. Stops at the first such character, so a long text costs little.
std::optional<std::array<Token, kMaxTokens>> Tokenize(std::u16string_view s, size_t& count) {
  std::array<Token, kMaxTokens> tokens{};
  count = 0;
  size_t i = 0;
  while (i < s.size()) {
    if (count == kMaxTokens) return std::nullopt;
    Token& t = tokens[count++];
    const char16_t c = s[i];
    if (IsDigit(c)) {
      t.kind = 'N';
      while (i < s.size() && IsDigit(s[i])) {
        if (t.digits == kMaxNumberDigits) return std::nullopt;
        t.value = t.value * 10 + (s[i] - u'0');
        ++t.digits;
        ++i;
      }
    } else if (IsLetter(c)) {
      std::string word;
      while (i < s.size() && IsLetter(s[i])) {
        if (word.size() == kLongestMonthName) return std::nullopt;
        word += LowerLetter(s[i]);
        ++i;
      }
      t.kind = 'W';
      t.value = MonthOfName(word);
      if (t.value == 0) return std::nullopt;
    } else if (IsBlank(c)) {
      t.kind = ' ';
      while (i < s.size() && IsBlank(s[i]))
        ++i;
    } else if (c == u'/' || c == u'-' || c == u',') {
      t.kind = static_cast<char>(c);
      ++i;
    } else {
      return std::nullopt;
    }
  }
  return tokens;
}

bool IsDayOrMonth(const Token& t) {
  return t.digits >= 1 && t.digits <= 2;
}

// The year of a year token: 1-2 digits widen by the fixed century rule (00-29 -> 20xx,
// 30-99 -> 19xx), 3-4 digits stand as they are and must lie in 100..9999.
std::optional<int32_t> YearOf(const Token& t) {
  if (t.digits <= 2) return t.value < 30 ? 2000 + t.value : 1900 + t.value;
  if (t.value < 100) return std::nullopt;
  return t.value;
}

std::optional<year_month_day> Build(int32_t y, const Token& m, const Token& d) {
  if (!IsDayOrMonth(d)) return std::nullopt;
  if (m.kind == 'N' && !IsDayOrMonth(m)) return std::nullopt;
  const year_month_day date{year{y}, month{static_cast<unsigned>(m.value)},
                            day{static_cast<unsigned>(d.value)}};
  if (!date.ok()) return std::nullopt;
  return date;
}

std::optional<year_month_day> Build(const Token& y, const Token& m, const Token& d) {
  const auto yy = YearOf(y);
  if (!yy) return std::nullopt;
  return Build(*yy, m, d);
}

std::optional<year_month_day> ParseDate(std::u16string_view text, year currentYear) {
  size_t first = 0, last = text.size();
  while (first < last && IsBlank(text[first]))
    ++first;
  while (last > first && IsBlank(text[last - 1]))
    --last;
  size_t count = 0;
  const auto tokens = Tokenize(text.substr(first, last - first), count);
  if (!tokens) return std::nullopt;

  // Blanks around the comma do not matter: "May 5 , 99" reads as "May 5, 99".
  std::array<Token, kMaxTokens> t{};
  std::string shape;
  for (size_t i = 0; i < count; ++i) {
    const Token& k = (*tokens)[i];
    if (k.kind == ' ' && ((i > 0 && (*tokens)[i - 1].kind == ',') ||
                          (i + 1 < count && (*tokens)[i + 1].kind == ','))) {
      continue;
    }
    t[shape.size()] = k;
    shape += k.kind;
  }

  if (shape == "N/N/N" || shape == "N-N-N") {
    if (shape == "N-N-N" && t[0].digits == 4) return Build(t[0], t[2], t[4]);  // yyyy-mm-dd
    return Build(t[4], t[0], t[2]);
  }
  if (shape == "N/N" || shape == "N-N") {
    return Build(static_cast<int32_t>(static_cast<int>(currentYear)), t[0], t[2]);
  }
  if (shape == "W N,N" || shape == "W N N") return Build(t[4], t[0], t[2]);
  if (shape == "N W N" || shape == "N-W-N") return Build(t[4], t[2], t[0]);
  return std::nullopt;
}

// A whole number in decimal with at least minWidth digits ("-" before negatives).
std::u16string Digits(int64_t v, int minWidth) {
  const bool negative = v < 0;
  uint64_t u = negative ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
  std::u16string s;
  do {
    s.insert(s.begin(), static_cast<char16_t>(u'0' + u % 10));
    u /= 10;
  } while (u != 0);
  while (static_cast<int>(s.size()) < minWidth)
    s.insert(s.begin(), u'0');
  if (negative) s.insert(s.begin(), u'-');
  return s;
}

}  // namespace

bool IsDate(std::u16string_view text, year currentYear) {
  return ParseDate(text, currentYear).has_value();
}

year_month_day ToDate(std::u16string_view text, year currentYear) {
  const auto date = ParseDate(text, currentYear);
  if (!date) RaiseTypeMismatch();
  return *date;
}

std::u16string DateToText(year_month_day date) {
  return Digits(static_cast<unsigned>(date.month()), 1) + u'/' +
         Digits(static_cast<unsigned>(date.day()), 1) + u'/' +
         Digits(static_cast<int>(date.year()), 4);
}

std::u16string FormatDatePattern(year_month_day date, std::u16string_view pattern) {
  const int32_t y = static_cast<int>(date.year());
  const auto m = static_cast<unsigned>(date.month());
  const auto d = static_cast<unsigned>(date.day());
  const auto yy = [&] { return Digits((y % 100 + 100) % 100, 2); };
  if (EqualsNoCase(pattern, u"mm/dd/yyyy")) {
    return Digits(m, 2) + u'/' + Digits(d, 2) + u'/' + Digits(y, 4);
  }
  if (EqualsNoCase(pattern, u"m/d/yyyy")) return DateToText(date);
  if (EqualsNoCase(pattern, u"mm/dd/yy")) return Digits(m, 2) + u'/' + Digits(d, 2) + u'/' + yy();
  if (EqualsNoCase(pattern, u"m/d/yy")) return Digits(m, 1) + u'/' + Digits(d, 1) + u'/' + yy();
  return DateToText(date);
}

std::u16string FormatDatePattern(std::u16string_view text, std::u16string_view pattern,
                                 year currentYear) {
  const auto date = ParseDate(text, currentYear);
  if (!date) return std::u16string(text);
  return FormatDatePattern(*date, pattern);
}

}  // namespace entrybox
