// Every date from 100-01-01 to 9999-12-31 through the date operations: the short form,
// the date test, text to date and the four patterns read back as the same date (the
// two-digit-year patterns for 1930 to 2029, the century window). Five centuries a case,
// so that each stays quick in a sanitizer build.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "entrybox/platform/Error.h"
#include "entrybox/values/Date.h"
#include "entrybox/values/Strings.h"

namespace entrybox {
namespace {

using namespace std::chrono;

struct Centuries {
  int first;
  int last;
};

class EveryDate : public testing::TestWithParam<Centuries> {};

TEST_P(EveryDate, ReadsBackThroughEveryForm) {
  // The current year only matters to forms without a year, which none of these are.
  const year current{2000};
  const sys_days end = sys_days{year{GetParam().last} / December / 31};
  int failures = 0;
  for (sys_days day = sys_days{year{GetParam().first} / January / 1}; day <= end; day += days{1}) {
    const year_month_day d{day};
    const int y = static_cast<int>(d.year());
    const auto check = [&](const std::u16string& text) {
      try {
        if (ToDate(text, current) == d) return;
      } catch (const Error&) {
        // counted below
      }
      if (++failures <= 10) {
        ADD_FAILURE() << ToUtf8(text) << " does not read back as " << y << "-"
                      << static_cast<unsigned>(d.month()) << "-" << static_cast<unsigned>(d.day());
      }
    };
    const std::u16string text = DateToText(d);
    if (!IsDate(text, current) && ++failures <= 10) {
      ADD_FAILURE() << ToUtf8(text) << " fails the date test";
    }
    check(text);
    check(FormatDatePattern(d, u"mm/dd/yyyy"));
    check(FormatDatePattern(d, u"m/d/yyyy"));
    // Two digits keep the date only inside the century window 1930..2029.
    if (y >= 1930 && y <= 2029) {
      check(FormatDatePattern(d, u"mm/dd/yy"));
      check(FormatDatePattern(d, u"m/d/yy"));
    }
  }
  EXPECT_EQ(failures, 0);
}

// Five centuries a case.
std::vector<Centuries> Spans() {
  std::vector<Centuries> spans{{100, 499}};
  for (int first = 500; first < 10000; first += 500)
    spans.push_back({first, first + 499});
  return spans;
}

INSTANTIATE_TEST_SUITE_P(Years, EveryDate, testing::ValuesIn(Spans()),
                         [](const testing::TestParamInfo<Centuries>& info) {
                           return "From" + std::to_string(info.param.first);
                         });

// The text forms of a date read as the date itself: FormatDatePattern of the text and of
// the date agree, for the short form and each pattern, on a day of every month of a
// leap and a common year.
TEST(EveryDate, TextAndDateFormatAlike) {
  const year current{2000};
  for (int y : {1900, 1999, 2000, 2024, 9999}) {
    for (unsigned m = 1; m <= 12; ++m) {
      for (unsigned dd : {1u, 28u, 29u, 30u, 31u}) {
        const year_month_day d{year{y}, month{m}, day{dd}};
        if (!d.ok()) continue;
        for (const char16_t* p : {u"mm/dd/yyyy", u"m/d/yyyy", u"mm/dd/yy", u"m/d/yy"}) {
          EXPECT_EQ(FormatDatePattern(DateToText(d), p, current), FormatDatePattern(d, p))
              << ToUtf8(DateToText(d)) << " " << ToUtf8(p);
        }
      }
    }
  }
}

}  // namespace
}  // namespace entrybox
