// The date engine on the headless field: typing month, day and year, "/", Backspace,
// Delete, the clipboard keys and Up/Down. Keys the engine passes on get the field's own
// action, as on the platform.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>

#include "entrybox/engines/clsDate.h"
#include "entrybox/headless/HeadlessClipboard.h"
#include "entrybox/headless/HeadlessField.h"
#include "entrybox/platform/Clock.h"
#include "entrybox/values/Strings.h"

namespace entrybox {
namespace {

using std::chrono::year_month_day;

class TestClock : public Clock {
 public:
  year_month_day Today() const override { return today; }
  year_month_day today{std::chrono::year{2024}, std::chrono::month{1}, std::chrono::day{1}};
};

constexpr int16_t kCtrl = 2;

struct Harness {
  explicit Harness(const char* format = "m/d/yyyy") { engine.SetFormat(U(format)); }

  void Put(const std::u16string& text, int32_t start, int32_t length) {
    field.SetText(text);
    field.SetSelStart(start);
    field.SetSelLength(length);
  }
  // Each character a KeyPress; '\b' is Backspace. Every key is swallowed.
  void Press(const char* keys) {
    for (const char* k = keys; *k != 0; ++k) {
      EXPECT_EQ(engine.KeyPress(field, static_cast<int16_t>(*k)), u"0");
    }
  }
  // A KeyDown; a key the engine passes on gets the field's own action.
  int16_t Down(int16_t code, int16_t shift) {
    const int16_t result = engine.KeyDown(field, code, shift);
    if (result != 0) field.KeyDown(result, shift);
    return result;
  }
  std::string State() const {
    return ToUtf8(field.Text()) + "|" + std::to_string(field.SelStart()) + "|" +
           std::to_string(field.SelLength());
  }

  HeadlessClipboard clipboard;
  TestClock clock;
  HeadlessField field{clipboard};
  clsDate engine{clipboard, clock};
};

std::string State(const char* text, int32_t caret, int32_t length) {
  return std::string(text) + "|" + std::to_string(caret) + "|" + std::to_string(length);
}

// --- Typing -------------------------------------------------------------------------

struct PressRow {
  const char* text;
  int32_t start;
  int32_t length;
  const char* keys;
  const char* expected;
  int32_t caret;
  int32_t selLength = 0;
};

void RunPressRows(const PressRow* rows, size_t count, const char* format = "m/d/yyyy") {
  for (size_t i = 0; i < count; ++i) {
    const PressRow& r = rows[i];
    SCOPED_TRACE(std::string(r.text) + " @" + std::to_string(r.start) + " + " + r.keys);
    Harness h(format);
    h.Put(U(r.text), r.start, r.length);
    h.Press(r.keys);
    EXPECT_EQ(h.State(), State(r.expected, r.caret, r.selLength));
  }
}

TEST(clsDateKeyPress, Month) {
  const PressRow rows[] = {
      // Into the empty text: 2..9 complete the month, 0 and 1 wait for a second digit.
      {"//", 0, 0, "5", "5//", 2},
      {"//", 0, 0, "1", "1//", 1},
      {"//", 0, 0, "12", "12//", 3},
      {"//", 0, 0, "0", "0//", 1},
      // No month 00.
      {"//", 0, 0, "00", "0//", 1},
      {"0//", 0, 0, "0", "0//", 0},
      // At the front of a month: 1 makes 1x when that is a month, else replaces it.
      {"5/5/1998", 0, 0, "1", "1/5/1998", 1},
      {"2/5/1998", 0, 0, "1", "12/5/1998", 1},
      {"5/5/1998", 0, 0, "0", "0/5/1998", 1},
      {"5/5/1998", 0, 0, "05", "05/5/1998", 3},
      {"5/5/1998", 0, 0, "7", "7/5/1998", 2},
      {"12/5/1998", 0, 0, "3", "3/5/1998", 2},
      // A selection is replaced by the digit; day and year stay.
      {"12/5/1998", 0, 2, "3", "3/5/1998", 2},
      {"12/5/1998", 0, 9, "1", "1/5/1998", 1},
      // Second digit: a month goes on into the day, anything above 12 starts the day.
      {"1/5/1998", 1, 0, "2", "12/5/1998", 3},
      {"1/5/1998", 1, 0, "5", "1/5/1998", 4},
      {"1//", 1, 0, "3", "1/3/", 3},
      {"19/5/1998", 1, 0, "0", "10/5/1998", 3},
      // Caret after a two-digit month: nothing.
      {"12/5/1998", 2, 0, "1", "12/5/1998", 2},
      // Other characters are swallowed.
      {"12/5/1998", 0, 0, "a-. ", "12/5/1998", 0},
  };
  RunPressRows(rows, std::size(rows));
}

TEST(clsDateKeyPress, Day) {
  const PressRow rows[] = {
      // Digit by digit, bounded by the month.
      {"12//", 3, 0, "3", "12/3/", 4},
      {"12//", 3, 0, "31", "12/31/", 6},
      {"12//", 3, 0, "4", "12/4/", 5},
      {"2//", 2, 0, "3", "2/3/", 4},
      {"2//", 2, 0, "2", "2/2/", 3},
      {"2//", 2, 0, "29", "2/29/", 5},
      {"2/2/1998", 3, 0, "9", "2/29/1998", 5},
      {"4//", 2, 0, "31", "4/3/1", 5},
      {"4//", 2, 0, "30", "4/30/", 5},
      // No day 00.
      {"12/0/1998", 3, 0, "0", "12/0/1998", 3},
      {"12/05/1998", 4, 0, "0", "12/05/1998", 4},
      // At the start of a day: the digit goes in front of its last digit when that fits.
      {"12/5/1998", 3, 0, "2", "12/25/1998", 4},
      {"4/5/1998", 2, 0, "3", "4/3/1998", 3},
      {"4/5/1998", 2, 0, "4", "4/4/1998", 4},
      {"12/5/1998", 3, 0, "0", "12/05/1998", 4},
      // One selected digit of a two-digit day.
      {"12/25/1998", 3, 1, "1", "12/15/1998", 4},
      {"12/25/1998", 3, 1, "4", "12/25/1998", 3, 1},
      // Any other selection is replaced by the digit.
      {"12/25/1998", 3, 2, "4", "12/4/1998", 5},
      {"12/25/1998", 3, 2, "1", "12/1/1998", 4},
      // After the first digit of the day.
      {"12/3/1998", 4, 0, "0", "12/30/1998", 6},
      {"12/3/1998", 4, 0, "5", "12/3/5998", 6},
      {"12/05/1998", 4, 0, "7", "12/07/1998", 6},
      {"1/31/1998", 4, 0, "0", "1/30/1998", 5},
      // Further in: nothing.
      {"12/25/1998", 5, 0, "1", "12/25/1998", 5},
      // No month (a month part above 12): every digit but 0 ends the day.
      {"13//", 3, 0, "5", "13/5/", 5},
      {"13//", 3, 0, "0", "13/0/", 4},
  };
  RunPressRows(rows, std::size(rows));
}

TEST(clsDateKeyPress, Year) {
  const PressRow rows[] = {
      {"12/31/", 6, 0, "1998", "12/31/1998", 10},
      // A fifth digit is cut off; the field clamps the caret to the end.
      {"12/31/", 6, 0, "19985", "12/31/1998", 10},
      // Overtyping, and replacing a selection.
      {"12/31/1998", 6, 0, "2", "12/31/2998", 7},
      {"12/31/1998", 6, 4, "2", "12/31/2", 7},
      {"12/31/1998", 7, 2, "0", "12/31/108", 8},
      // Without any "/" the whole text is the year.
      {"", 0, 0, "12345", "1234", 4},
      // The whole keyboard road of a date.
      {"//", 0, 0, "12311998", "12/31/1998", 10},
      {"//", 0, 0, "7499", "7/4/99", 6},
  };
  RunPressRows(rows, std::size(rows));

  const PressRow twoDigits[] = {
      {"12/31/", 6, 0, "1998", "12/31/19", 8},
      {"", 0, 0, "123", "12", 2},
  };
  RunPressRows(twoDigits, std::size(twoDigits), "mm/dd/yy");
  RunPressRows(twoDigits, std::size(twoDigits), "M/D/YY");
}

TEST(clsDateKeyPress, SlashSelectsTheNextPart) {
  const PressRow rows[] = {
      {"12/25/1998", 0, 0, "/", "12/25/1998", 3, 2},
      {"12/25/1998", 4, 0, "/", "12/25/1998", 6, 4},
      {"12/25/1998", 8, 0, "/", "12/25/1998", 0, 2},
      {"12/25/1998", 0, 0, "///", "12/25/1998", 0, 2},
      {"//", 0, 0, "/", "//", 1, 0},
      {"12/25", 1, 0, "/", "12/25", 3, 2},
  };
  RunPressRows(rows, std::size(rows));
}

TEST(clsDateKeyPress, Backspace) {
  const PressRow rows[] = {
      // The digit before the caret goes; in front of a "/" the digit before it.
      {"12/25/1998", 10, 0, "\b", "12/25/199", 9},
      {"12/25/1998", 5, 0, "\b", "12/2/1998", 4},
      {"12/25/1998", 3, 0, "\b", "1/25/1998", 1},
      {"12/25/1998", 6, 0, "\b", "12/2/1998", 4},
      {"12/25/1998", 0, 0, "\b", "12/25/1998", 0},
      // A selection is ignored: one character goes at most.
      {"12/25/1998", 3, 4, "\b", "1/25/1998", 1},
      // On the empty text only the caret moves.
      {"//", 2, 0, "\b", "//", 1},
      {"//", 0, 0, "\b", "//", 0},
      {"/", 1, 0, "\b", "/", 0},
      {"1//", 1, 0, "\b", "//", 0},
      {"5//", 2, 0, "\b", "//", 0},
      {"12/3/", 4, 0, "\b\b", "1//", 1},
      {"12/3/", 4, 0, "\b\b\b", "//", 0},
      // No digit before the "/": the separators stay, the caret steps back.
      {"/5/1998", 1, 0, "\b", "/5/1998", 1},
      {"12//1998", 4, 0, "\b", "12//1998", 3},
      {"12//1998", 4, 0, "\b\b", "1//1998", 1},
  };
  RunPressRows(rows, std::size(rows));
}

// --- KeyDown ------------------------------------------------------------------------

struct DownRow {
  const char* text;
  int32_t start;
  int32_t length;
  int16_t code;
  int16_t shift;
  int16_t result;
  const char* expected;
  int32_t caret;
  int32_t selLength;
  const char* clipboardBefore = "";
  const char* clipboardAfter = "";
};

void RunDownRows(const DownRow* rows, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const DownRow& r = rows[i];
    SCOPED_TRACE(std::string(r.text) + " @" + std::to_string(r.start) + "+" +
                 std::to_string(r.length) + " key " + std::to_string(r.code) + "/" +
                 std::to_string(r.shift) + " clip " + r.clipboardBefore);
    Harness h;
    h.clipboard.SetText(U(r.clipboardBefore));
    h.Put(U(r.text), r.start, r.length);
    EXPECT_EQ(h.Down(r.code, r.shift), r.result);
    EXPECT_EQ(h.State(), State(r.expected, r.caret, r.selLength));
    EXPECT_EQ(ToUtf8(h.clipboard.GetText()), r.clipboardAfter);
  }
}

TEST(clsDateKeyDown, Delete) {
  const DownRow rows[] = {
      // In front of a "/" the caret steps over it and the field deletes the digit behind.
      {"12/25/1998", 2, 0, 46, 0, 46, "12/5/1998", 3, 0},
      {"12/25/1998", 0, 0, 46, 0, 46, "2/25/1998", 0, 0},
      {"12/25/1998", 10, 0, 46, 0, 46, "12/25/1998", 10, 0},
      // A "/" behind the "/" too: the caret moves, nothing is deleted.
      {"1//", 1, 0, 46, 0, 0, "1//", 2, 0},
      {"//", 0, 0, 46, 0, 0, "//", 0, 0},
      {"//", 1, 0, 46, 0, 0, "//", 1, 0},
      {"", 0, 0, 46, 0, 46, "", 0, 0},
      // The whole text selected empties the date; a selection with a "/" stays.
      {"12/25/1998", 0, 10, 46, 0, 0, "//", 0, 0},
      {"12/25/1998", 1, 3, 46, 0, 0, "12/25/1998", 1, 3},
      {"12/25/1998", 3, 2, 46, 0, 46, "12//1998", 3, 0},
  };
  RunDownRows(rows, std::size(rows));
}

TEST(clsDateKeyDown, Clipboard) {
  const DownRow rows[] = {
      // Copy: the selection, also none; 99 is the letter c too.
      {"12/25/1998", 3, 2, 67, kCtrl, 0, "12/25/1998", 3, 2, "x", "25"},
      {"12/25/1998", 3, 2, 99, kCtrl, 0, "12/25/1998", 3, 2, "x", "25"},
      {"12/25/1998", 3, 0, 67, kCtrl, 0, "12/25/1998", 3, 0, "x", ""},
      {"12/25/1998", 3, 2, 67, 0, 67, "12/25/1998", 3, 2, "x", "x"},
      // Cut: the whole text, a part without "/", a part with one (copied, not cut).
      {"12/25/1998", 0, 10, 88, kCtrl, 0, "//", 0, 0, "", "12/25/1998"},
      {"12/25/1998", 3, 2, 88, kCtrl, 88, "12//1998", 3, 0, "", "25"},
      {"12/25/1998", 4, 3, 88, kCtrl, 0, "12/25/1998", 4, 3, "", "5/1"},
      // Paste: a date over the whole text or over "//", nothing else.
      {"12/25/1998", 0, 10, 86, kCtrl, 0, "7/4/1999", 0, 0, "7/4/1999", "7/4/1999"},
      {"//", 0, 0, 86, kCtrl, 0, "January 5, 1999", 0, 0, "January 5, 1999", "January 5, 1999"},
      {" 12/25/1998 ", 1, 10, 86, kCtrl | 1, 0, "7/4/99", 0, 0, "7/4/99", "7/4/99"},
      {"12/25/1998", 0, 10, 86, kCtrl, 0, "12/25/1998", 0, 10, "abc", "abc"},
      {"12/25/1998", 0, 10, 86, kCtrl, 0, "12/25/1998", 0, 10, "2/29/1999", "2/29/1999"},
      {"12/25/1998", 3, 2, 86, kCtrl, 0, "12/25/1998", 3, 2, "7/4/1999", "7/4/1999"},
      {"", 0, 0, 86, kCtrl, 0, "7/4/1999", 0, 0, "7/4/1999", "7/4/1999"},
  };
  RunDownRows(rows, std::size(rows));
}

TEST(clsDateKeyDown, PasteOfADateWithoutYearFollowsTheClock) {
  Harness h;
  h.clipboard.SetText(u"2/29");
  h.clock.today =
      year_month_day{std::chrono::year{2023}, std::chrono::month{6}, std::chrono::day{1}};
  h.Put(u"//", 0, 0);
  EXPECT_EQ(h.Down(86, kCtrl), 0);
  EXPECT_EQ(h.State(), State("//", 0, 0));
  h.clock.today =
      year_month_day{std::chrono::year{2024}, std::chrono::month{6}, std::chrono::day{1}};
  EXPECT_EQ(h.Down(86, kCtrl), 0);
  EXPECT_EQ(h.State(), State("2/29", 0, 0));
}

TEST(clsDateKeyDown, UpDownAndOtherKeys) {
  const DownRow rows[] = {
      // Up and Down only collapse the selection of a date.
      {"12/25/1998", 3, 2, 38, 0, 0, "12/25/1998", 3, 0},
      {"12/25/1998", 3, 2, 40, 0, 0, "12/25/1998", 3, 0},
      {"//", 1, 0, 38, 0, 38, "//", 1, 0},
      {"//", 1, 0, 40, 0, 40, "//", 1, 0},
      {"", 0, 0, 38, 0, 38, "", 0, 0},
      {" // ", 1, 0, 38, 0, 38, " // ", 1, 0},
      {" // ", 1, 2, 40, 0, 0, " // ", 1, 0},
      // Caret keys pass to the field.
      {"12/25/1998", 3, 0, 37, 0, 37, "12/25/1998", 2, 0},
      {"12/25/1998", 3, 0, 35, 0, 35, "12/25/1998", 10, 0},
  };
  RunDownRows(rows, std::size(rows));
}

// --- Properties and hostile texts ---------------------------------------------------

TEST(clsDateProperties, FormatSetsTheYearWidthAndTextIsStoredAsIs) {
  Harness h;
  h.engine.SetText(u"anything");
  EXPECT_EQ(h.engine.Text(), u"anything");
  for (const char* format : {"mm/dd/yyyy", "m/d/yyyy", "MM/DD/YYYY", "mm/dd/yy", "m/d/yy", "x"}) {
    h.engine.SetFormat(U(format));
    EXPECT_EQ(h.engine.Format(), U(format));
    h.Put(u"1/1/", 4, 0);
    h.Press("99999");
    const bool fourDigits = LCase(Right(U(format), 4)) == u"yyyy";
    EXPECT_EQ(ToUtf8(h.field.Text()), fourDigits ? "1/1/9999" : "1/1/99") << format;
  }
}

TEST(clsDateRobustness, AnyTextTheHostWritesIsSafe) {
  // Long texts, no "/", only "/", many "/", a month beyond 16 bits, odd code units.
  const std::u16string texts[] = {
      std::u16string(40'000, u'7'),
      std::u16string(40'000, u'/'),
      u"1" + std::u16string(40'000, u'/') + u"5",
      std::u16string(40'000, u'9') + u"/5/1998",
      u"12/" + std::u16string(40'000, u'3') + u"/1998",
      u"12/25/" + std::u16string(40'000, u'1'),
      u"\xD800/\xDFFF/\xFFFF",
      u"a/b/c",
      u"  /  /  ",
  };
  const char keys[] = {'0', '1', '2', '5', '9', '/', '\b', 'z'};
  const int16_t downs[][2] = {{46, 0}, {88, kCtrl}, {67, kCtrl}, {86, kCtrl}, {38, 0}, {40, 0}};
  for (const auto& text : texts) {
    const auto n = static_cast<int32_t>(text.size());
    for (const int32_t start : {0, 1, 2, 3, 4, n / 2, n - 1, n}) {
      for (const int32_t length : {0, 1, n}) {
        for (const char key : keys) {
          Harness h;
          h.Put(text, start, length);
          const char press[] = {key, 0};
          h.Press(press);
          ASSERT_LE(h.field.SelStart(), static_cast<int32_t>(h.field.Text().size()));
        }
        for (const auto& down : downs) {
          Harness h;
          h.clipboard.SetText(u"7/4/1999");
          h.Put(text, start, length);
          h.Down(down[0], down[1]);
          ASSERT_LE(h.field.SelStart(), static_cast<int32_t>(h.field.Text().size()));
        }
      }
    }
  }
}

}  // namespace
}  // namespace entrybox
