// Date value operations: the date test, text to date, the short date form and date
// patterns.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>

#include "entrybox/platform/Error.h"
#include "entrybox/values/Date.h"
#include "entrybox/values/Strings.h"

namespace entrybox {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;
using std::chrono::year_month_day;

constexpr year kThisYear{2024};

year_month_day Ymd(int y, unsigned m, unsigned d) {
  return {year{y}, month{m}, day{d}};
}

// --- Dates the test accepts ---------------------------------------------------------

struct ValidRow {
  const char* text;
  int y;
  unsigned m;
  unsigned d;
};

TEST(IsDate, AcceptsEachFormAndReadsTheRightDate) {
  const ValidRow rows[] = {
      // m/d/y and m-d-y, one or two digits for month and day.
      {"12/31/1998", 1998, 12, 31},
      {"1/2/2003", 2003, 1, 2},
      {"01/02/2003", 2003, 1, 2},
      {"7-4-1999", 1999, 7, 4},
      {"07-04-1999", 1999, 7, 4},
      // m/d and m-d take the current year.
      {"7/4", 2024, 7, 4},
      {"2-29", 2024, 2, 29},
      // yyyy-mm-dd.
      {"1999-07-04", 1999, 7, 4},
      {"2000-2-29", 2000, 2, 29},
      {"0100-01-01", 100, 1, 1},
      // Month names, full or three letters, any case.
      {"January 5, 1999", 1999, 1, 5},
      {"jan 5, 99", 1999, 1, 5},
      {"SEPTEMBER 30 2001", 2001, 9, 30},
      {"Sep 30 2001", 2001, 9, 30},
      {"May 1,2000", 2000, 5, 1},
      {"May 1 , 2000", 2000, 5, 1},
      {"5 March 2010", 2010, 3, 5},
      {"5 mar 10", 2010, 3, 5},
      {"5-Jan-1999", 1999, 1, 5},
      {"31-december-99", 1999, 12, 31},
      // Blanks around the text and between words.
      {"  12/31/1998\t", 1998, 12, 31},
      {"\tJan \t 5,  99 ", 1999, 1, 5},
      // Two-digit years widen 00-29 to 20xx and 30-99 to 19xx; one digit likewise.
      {"1/2/00", 2000, 1, 2},
      {"1/2/29", 2029, 1, 2},
      {"1/2/30", 1930, 1, 2},
      {"1/2/99", 1999, 1, 2},
      {"1/2/5", 2005, 1, 2},
      // Three and four digits stand as they are, from 100 to 9999.
      {"1/2/100", 100, 1, 2},
      {"1/2/999", 999, 1, 2},
      {"1/2/0999", 999, 1, 2},
      {"12/31/9999", 9999, 12, 31},
      // Leap years: every fourth, not centuries unless divisible by 400.
      {"2/29/2000", 2000, 2, 29},
      {"2/29/1996", 1996, 2, 29},
      {"2/29/2400", 2400, 2, 29},
      {"2/29/00", 2000, 2, 29},
      {"2/28/1900", 1900, 2, 28},
      // Day limits of the 30-day months.
      {"4/30/1999", 1999, 4, 30},
      {"11/30/1999", 1999, 11, 30},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.text);
    EXPECT_TRUE(IsDate(U(r.text), kThisYear));
    EXPECT_EQ(ToDate(U(r.text), kThisYear), Ymd(r.y, r.m, r.d));
  }
}

// --- Texts the test refuses ---------------------------------------------------------

TEST(IsDate, RefusesNonDatesAndToDateRaisesTypeMismatch) {
  const char* rows[] = {
      "",
      " ",
      "//",
      "/",
      "1//",
      "1/2/",
      "/2/1999",
      "12//1999",
      "abc",
      // Impossible days and months.
      "2/29/1900",
      "2/29/1999",
      "2/30/2000",
      "4/31/1999",
      "6/31/1999",
      "9/31/1999",
      "11/31/1999",
      "1/32/1999",
      "0/1/1999",
      "13/1/1999",
      "1/0/1999",
      "2-29-2100",
      // Year out of range or too long; three digits below 100.
      "1/1/0099",
      "1/1/099",
      "1/1/000",
      "1/1/12345",
      "0099-01-01",
      // Too many digits in month or day; a three-digit first part of a dash form.
      "001/1/1999",
      "1/001/1999",
      "123-1-1",
      "1999-007-04",
      // Mixed or doubled separators, blanks inside numeric forms, extra parts.
      "1/2-1999",
      "1-2/1999",
      "1//2/1999",
      "1 /2/1999",
      "1/2/1999/",
      "1/2/3/4",
      "1/2/1999 x",
      "+1/2/1999",
      "1.2.1999",
      "1/2/1999.",
      // Month names: unknown, four letters, misplaced, missing blanks or year.
      "Janu 5 1999",
      "Sept 5 1999",
      "Jan5 1999",
      "Jan 5",
      "5 Jan",
      "Jan 5 1999 6",
      "5-Jan 1999",
      "5 Jan-1999",
      "Jan-5-1999",
      "January, 5 1999",
      "5, Jan 1999",
      "Jan 0, 1999",
      "Feb 29, 1999",
      "1999 Jan 5",
      // Digits beyond ASCII are no digits.
      "\xEF\xBC\x91/2/1999",
  };
  for (const char* text : rows) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(IsDate(U(text), kThisYear));
    try {
      (void)ToDate(U(text), kThisYear);
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), errors::kTypeMismatch);
    }
  }
}

TEST(IsDate, DateWithoutYearFollowsTheCurrentYear) {
  EXPECT_FALSE(IsDate(u"2/29", year{2023}));
  EXPECT_TRUE(IsDate(u"2/29", year{2020}));
  EXPECT_EQ(ToDate(u"12-31", year{1999}), Ymd(1999, 12, 31));
}

TEST(IsDate, HostileInputIsRefusedSafely) {
  const std::u16string rows[] = {
      std::u16string(1'000'000, u'9'),
      std::u16string(1'000'000, u'/'),
      std::u16string(1'000'000, u' '),
      u"1/2/" + std::u16string(1'000'000, u'0') + u"1999",
      std::u16string(1'000'000, u'a'),
      std::u16string(u"1/2/1999\0", 9),
      std::u16string(u"\0", 1),
      u"1/2/\xD800",  // a lone surrogate
      u"\xDFFF"
      u"1/2/1999",
      u"\xFFFF\xFFFE",
  };
  for (const auto& text : rows) {
    EXPECT_FALSE(IsDate(text, kThisYear));
  }
}

// --- Short date form ----------------------------------------------------------------

TEST(DateToText, WritesShortFormWithFourDigitYear) {
  EXPECT_EQ(DateToText(Ymd(1999, 7, 4)), u"7/4/1999");
  EXPECT_EQ(DateToText(Ymd(2005, 12, 25)), u"12/25/2005");
  EXPECT_EQ(DateToText(Ymd(999, 1, 5)), u"1/5/0999");
  EXPECT_EQ(DateToText(Ymd(5, 1, 5)), u"1/5/0005");
}

TEST(DateToText, RoundTripsThroughToDateForEveryDayOfSeveralYears) {
  // Leap and common years, centuries with and without the leap day, the range's ends.
  for (const int y : {100, 1900, 1999, 2000, 2023, 2024, 2100, 9999}) {
    for (std::chrono::sys_days d = year{y} / 1 / 1; d <= year{y} / 12 / 31;
         d += std::chrono::days{1}) {
      const year_month_day date{d};
      ASSERT_EQ(ToDate(DateToText(date), kThisYear), date) << y;
    }
  }
}

// --- Date patterns ------------------------------------------------------------------

struct PatternRow {
  const char* pattern;
  const char* expected;
};

TEST(FormatDatePattern, WritesEachPatternInAnyCase) {
  const year_month_day date = Ymd(2005, 7, 4);
  const PatternRow rows[] = {
      {"mm/dd/yyyy", "07/04/2005"},
      {"m/d/yyyy", "7/4/2005"},
      {"mm/dd/yy", "07/04/05"},
      {"m/d/yy", "7/4/05"},
      {"MM/DD/YYYY", "07/04/2005"},
      {"M/d/Yy", "7/4/05"},
      // Any other pattern: the short date form.
      {"dd/mm/yyyy", "7/4/2005"},
      {"", "7/4/2005"},
      {"yyyy", "7/4/2005"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.pattern);
    EXPECT_EQ(FormatDatePattern(date, U(r.pattern)), U(r.expected));
  }
  EXPECT_EQ(FormatDatePattern(Ymd(1999, 12, 25), u"m/d/yy"), u"12/25/99");
  EXPECT_EQ(FormatDatePattern(Ymd(2000, 1, 1), u"mm/dd/yy"), u"01/01/00");
  EXPECT_EQ(FormatDatePattern(Ymd(999, 1, 1), u"mm/dd/yyyy"), u"01/01/0999");
}

TEST(FormatDatePattern, FormatsDateTextsAndKeepsOtherTexts) {
  const struct {
    const char* text;
    const char* pattern;
    const char* expected;
  } rows[] = {
      {"jan 5 99", "mm/dd/yyyy", "01/05/1999"},
      {"1/2/29", "m/d/yyyy", "1/2/2029"},
      {"1999-07-04", "m/d/yy", "7/4/99"},
      {" 12/31/1998 ", "mm/dd/yy", "12/31/98"},
      {"7/4", "m/d/yyyy", "7/4/2024"},
      // No date: the text comes back unchanged.
      {"//", "m/d/yy", "//"},
      {"", "mm/dd/yyyy", ""},
      {"2/29/1999", "m/d/yyyy", "2/29/1999"},
      {"12/", "m/d/yyyy", "12/"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.text);
    EXPECT_EQ(FormatDatePattern(U(r.text), U(r.pattern), kThisYear), U(r.expected));
  }
}

}  // namespace
}  // namespace entrybox
