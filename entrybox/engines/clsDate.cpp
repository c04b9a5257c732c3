#include "entrybox/engines/clsDate.h"

#include <algorithm>
#include <cstddef>
#include <limits>

#include "entrybox/values/Date.h"
#include "entrybox/values/Strings.h"

namespace entrybox {

namespace {

constexpr int16_t kBackspace = 8;
constexpr int16_t kSlash = 47;
constexpr int16_t kDelete = 46;
constexpr int16_t kUp = 38;
constexpr int16_t kDown = 40;
constexpr int16_t kCtrlBit = 2;

// The numeric value of a text as the typing rules use it: the number written by its
// leading digits, 0 when it starts with no digit. Saturates far above any month or day,
// so that a long run of digits cannot overflow.
int32_t ValueOf(std::u16string_view s) {
  constexpr int32_t kCap = 1'000'000;
  int32_t v = 0;
  for (const char16_t c : s) {
    if (c < u'0' || c > u'9') break;
    v = std::min(kCap, v * 10 + (c - u'0'));
  }
  return v;
}

// The month number of the month part; one beyond 16 bits is no month (0).
int16_t MonthNumber(std::u16string_view sMonth) {
  const int32_t v = ValueOf(sMonth);
  return v > std::numeric_limits<int16_t>::max() ? int16_t{0} : static_cast<int16_t>(v);
}

int32_t Length(std::u16string_view s) {
  return static_cast<int32_t>(
      std::min<size_t>(s.size(), static_cast<size_t>(std::numeric_limits<int32_t>::max())));
}

// The caret and selection as the rules may use them: within the text, whatever field
// the host hands over.
int32_t CaretOf(const EditField& Ctrl, int32_t length) {
  return std::clamp(Ctrl.SelStart(), int32_t{0}, length);
}
int32_t SelectionOf(const EditField& Ctrl, int32_t caret, int32_t length) {
  return std::clamp(Ctrl.SelLength(), int32_t{0}, length - caret);
}

void MoveCaret(EditField& Ctrl, std::ptrdiff_t position) {
  Ctrl.SetSelStart(static_cast<int32_t>(
      std::clamp<std::ptrdiff_t>(position, 0, std::numeric_limits<int32_t>::max())));
}

// First "/" and the last "/" after it, 1-based, 0 when missing.
void FindSlashes(std::u16string_view text, int32_t& first, int32_t& last) {
  first = 0;
  last = 0;
  const int32_t n = Length(text);
  for (int32_t i = 0; i < n; ++i) {
    if (text[static_cast<size_t>(i)] != u'/') continue;
    if (first == 0) {
      first = i + 1;
    } else {
      last = i + 1;
    }
  }
}

std::u16string TrimSpaces(std::u16string_view s) {
  const auto first = s.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) return {};
  return std::u16string(s.substr(first, s.find_last_not_of(u' ') - first + 1));
}

char16_t UpperAscii(int16_t code) {
  const auto c = static_cast<char16_t>(static_cast<uint16_t>(code));
  return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
}

std::u16string Pair(char16_t a, std::u16string_view b) {
  std::u16string s(1, a);
  s += b;
  return s;
}

}  // namespace

clsDate::clsDate(Clipboard& clipboard, const Clock& clock) : clipboard(clipboard), clock(clock) {}

void clsDate::SetFormat(const std::u16string& NewValue) {
  sFormat = NewValue;
  iYearDigits = LCase(Right(NewValue, 4)) == u"yyyy" ? 4 : 2;
}

std::u16string clsDate::KeyPress(EditField& Ctrl, int16_t KeyAscii) {
  const std::u16string part = CurrentPart(Ctrl);
  if (KeyAscii == kBackspace) {
    BackspaceKey(Ctrl);
  } else if (KeyAscii == kSlash) {
    // "/" selects the next part: month -> day -> year -> month.
    SplitParts(Ctrl);
    if (part == u"M") {
      Ctrl.SetSelStart(iSlash1);
      Ctrl.SetSelLength(Length(sDay));
    } else if (part == u"D") {
      Ctrl.SetSelStart(iSlash2);
      Ctrl.SetSelLength(Length(sYear));
    } else {
      Ctrl.SetSelStart(0);
      Ctrl.SetSelLength(Length(sMonth));
    }
  } else if (KeyAscii >= u'0' && KeyAscii <= u'9') {
    if (part == u"M") {
      MonthKey(Ctrl, KeyAscii);
    } else if (part == u"D") {
      DayKey(Ctrl, KeyAscii);
    } else {
      YearKey(Ctrl, KeyAscii);
    }
  }
  return u"0";
}

int16_t clsDate::KeyDown(EditField& Ctrl, int16_t KeyCode, int16_t Shift) {
  const bool ctrlHeld = (Shift & kCtrlBit) != 0;
  const char16_t letter = UpperAscii(KeyCode);

  if (letter == u'C' && ctrlHeld) {
    clipboard.SetText(Ctrl.SelText());
    return 0;
  }
  if (letter == u'V' && ctrlHeld) {
    // Only a whole date replaces a whole text (or the empty "//"): a date pasted into a
    // part would break the editing form.
    const std::u16string clip = clipboard.GetText();
    const std::u16string text = Ctrl.Text();
    if ((TrimSpaces(Ctrl.SelText()) == TrimSpaces(text) || text == u"//") &&
        IsDate(clip, clock.Today().year())) {
      Ctrl.SetText(clip);
    }
    return 0;
  }
  if ((letter == u'X' && ctrlHeld) || KeyCode == kDelete) {
    if (letter == u'X' && ctrlHeld) clipboard.SetText(Ctrl.SelText());
    const std::u16string text = Ctrl.Text();
    const int32_t length = Length(text);
    const int32_t caret = CaretOf(Ctrl, length);
    const int32_t selection = SelectionOf(Ctrl, caret, length);
    if (selection == 0) {
      // Delete in front of a "/" steps over it, so that the field deletes the digit
      // behind; the separators themselves are never deleted.
      if (CharAt(text, std::ptrdiff_t{caret} + 1) == u"/" ||
          CountOccurrences(text, u"/") >= length) {
        if (text != u"//") MoveCaret(Ctrl, std::ptrdiff_t{caret} + 1);
        if (CharAt(text, std::ptrdiff_t{CaretOf(Ctrl, length)} + 1) == u"/") return 0;
      }
      return KeyCode;
    }
    if (selection == length) {
      Ctrl.SetText(u"//");
      return 0;
    }
    if (Ctrl.SelText().find(u'/') != std::u16string::npos) return 0;
    return KeyCode;
  }
  // Up and Down would move the caret out of its part in some fields: keep it.
  if (KeyCode == kUp) {
    const std::u16string text = Ctrl.Text();
    if (TrimSpaces(text) != u"//" && !text.empty()) {
      Ctrl.SetSelStart(Ctrl.SelStart());
      return 0;
    }
    return KeyCode;
  }
  if (KeyCode == kDown) {
    const std::u16string text = Ctrl.Text();
    if (text != u"//" && !text.empty()) {
      Ctrl.SetSelStart(Ctrl.SelStart());
      return 0;
    }
    return KeyCode;
  }
  return KeyCode;
}

void clsDate::LocateSeparators(const EditField& Ctrl) {
  FindSlashes(Ctrl.Text(), iSlash1, iSlash2);
}

void clsDate::SplitParts(const EditField& Ctrl) {
  LocateSeparators(Ctrl);
  const std::u16string text = Ctrl.Text();
  sMonth.clear();
  sDay.clear();
  sYear.clear();
  if (iSlash1 != 0) {
    sMonth = Left(text, iSlash1 - 1);
    if (iSlash2 == 0) sDay = Mid(text, std::ptrdiff_t{iSlash1} + 1);
  }
  if (iSlash1 != 0 && iSlash2 != 0)
    sDay = Mid(text, std::ptrdiff_t{iSlash1} + 1, iSlash2 - iSlash1 - 1);
  if (iSlash2 != 0) sYear = Mid(text, std::ptrdiff_t{iSlash2} + 1);
}

std::u16string clsDate::CurrentPart(const EditField& Ctrl) const {
  int32_t a = 0, b = 0;
  const std::u16string text = Ctrl.Text();
  FindSlashes(text, a, b);
  const int32_t caret = CaretOf(Ctrl, Length(text));
  if (caret < a) return u"M";
  if (caret >= a && caret < b) return u"D";
  return u"Y";
}

void clsDate::MonthKey(EditField& Ctrl, int16_t KeyAscii) {
  SplitParts(Ctrl);
  const auto d = static_cast<char16_t>(KeyAscii);
  const std::u16string text = Ctrl.Text();
  const int32_t length = Length(text);
  const int32_t caret = CaretOf(Ctrl, length);
  const int32_t selection = SelectionOf(Ctrl, caret, length);
  const auto rebuild = [&](const std::u16string& month) {
    Ctrl.SetText(month + u'/' + sDay + u'/' + sYear);
  };

  if (sMonth == u"0" && d == u'0') return;  // no month 00
  if (caret == 0) {
    // A 2..9 completes the month, so the caret goes on into the day.
    const bool complete = d >= u'2';
    if (text == u"//" || text.empty()) {
      Ctrl.SetText(std::u16string(1, d) + u"//");
      Ctrl.SetSelStart(complete ? 2 : 1);
    } else if (selection == 0) {
      if (complete) {
        rebuild(std::u16string(1, d));
        Ctrl.SetSelStart(2);
      } else {
        // "5" + 1 at the front reads 15, no month: the 1 replaces it.
        const std::u16string pair = Pair(d, Right(sMonth, 1));
        rebuild(d != u'0' && ValueOf(pair) <= 12 ? pair : std::u16string(1, d));
        Ctrl.SetSelStart(1);
      }
    } else {
      rebuild(std::u16string(1, d));
      Ctrl.SetSelStart(complete ? 2 : 1);
    }
  } else if (caret == 1) {
    const std::u16string pair = Pair(text[0], std::u16string(1, d));
    if (ValueOf(pair) > 12) {
      // No such month: the digit starts the day.
      Ctrl.SetSelStart(iSlash1);
      DayKey(Ctrl, KeyAscii);
    } else if (ValueOf(sMonth) == 0 && d == u'0') {
      return;
    } else {
      rebuild(pair);
      Ctrl.SetSelStart(3);
    }
  }
}

void clsDate::DayKey(EditField& Ctrl, int16_t KeyAscii) {
  SplitParts(Ctrl);
  const auto d = static_cast<char16_t>(KeyAscii);
  const std::u16string text = Ctrl.Text();
  const int32_t length = Length(text);
  const int32_t caret = CaretOf(Ctrl, length);
  const int32_t selection = SelectionOf(Ctrl, caret, length);
  const bool atStart = caret == iSlash1;
  const std::ptrdiff_t Lm = Length(sMonth);
  const int16_t M = DaysInMonth(MonthNumber(sMonth));
  const std::u16string last = Right(sDay, 1);
  const auto rebuild = [&](const std::u16string& dayPart) {
    Ctrl.SetText(sMonth + u'/' + dayPart + u'/' + sYear);
  };
  // A digit that cannot be the tens of a day of this month completes the day, and the
  // caret goes on to the year.
  const auto afterDigit = [&] {
    const bool tooLarge = ValueOf(Pair(d, std::u16string(1, char16_t(u'0' + M % 10)))) > M;
    return tooLarge ? Lm + 3 : Lm + 2;
  };

  if (sDay == u"0" && d == u'0') return;  // no day 00
  if (atStart && (caret == 2 || caret == 3)) {
    if (selection == 0 && !sDay.empty()) {
      const std::u16string pair = Pair(d, last);
      if (ValueOf(pair) <= M) {
        rebuild(pair);
        MoveCaret(Ctrl, Lm + 2);
      } else {
        rebuild(std::u16string(1, d));
        MoveCaret(Ctrl, afterDigit());
      }
    } else if (selection == 1 && sDay.size() == 2) {
      const std::u16string pair = Pair(d, last);
      if (ValueOf(pair) > M) return;
      rebuild(pair);
      MoveCaret(Ctrl, Lm + 2);
    } else {
      rebuild(std::u16string(1, d));
      MoveCaret(Ctrl, afterDigit());
    }
  } else if (!atStart && (caret == 3 || caret == 4)) {
    if (sDay.empty()) {
      if (ValueOf(std::u16string(1, d)) < M) {
        rebuild(std::u16string(1, d));
        MoveCaret(Ctrl, Lm + 2);
      }
      return;
    }
    const char16_t f = sDay[0];
    const std::u16string pair = Pair(f, std::u16string(1, d));
    if (ValueOf(pair) <= M) {
      if (ValueOf(std::u16string(1, f)) == 0 && d == u'0') return;
      rebuild(pair);
    } else {
      // No such day: the digit becomes the first digit of the year, the day stays.
      Ctrl.SetText(sMonth + u'/' + sDay + u'/' + d + Right(sYear, 3));
    }
    MoveCaret(Ctrl, Lm + 4);
  }
}

void clsDate::YearKey(EditField& Ctrl, int16_t KeyAscii) {
  SplitParts(Ctrl);
  const auto d = static_cast<char16_t>(KeyAscii);
  const std::u16string text = Ctrl.Text();
  const int32_t length = Length(text);
  const std::ptrdiff_t p = CaretOf(Ctrl, length);
  const int32_t selection = SelectionOf(Ctrl, static_cast<int32_t>(p), length);
  std::u16string result;
  if (selection == 0) {
    // Overtype; the cut keeps the year within the format's width. One write, so the
    // field reports one change per key.
    result = Left(text, p) + d + Mid(text, p + 2);
    result = Left(result, std::ptrdiff_t{iSlash2} + iYearDigits);
  } else {
    result = Left(text, p) + d + Mid(text, p + selection + 1);
  }
  Ctrl.SetText(result);
  MoveCaret(Ctrl, p + 1);
}

int16_t clsDate::BackspaceKey(EditField& Ctrl) {
  const std::u16string text = Ctrl.Text();
  const std::ptrdiff_t p = CaretOf(Ctrl, Length(text));
  if (text == u"//" || text == u"/") {
    if (p > 0) MoveCaret(Ctrl, p - 1);
    return 0;
  }
  if (p == 0) return 0;
  std::u16string result;
  std::ptrdiff_t caret = 0;
  if (text[static_cast<size_t>(p - 1)] == u'/') {
    // The digit before the "/" goes, the "/" stays. With no digit there (an empty month
    // or day) nothing is deleted: removing a separator would break the editing form.
    if (p == 1) return 0;
    if (text[static_cast<size_t>(p - 2)] == u'/') {
      MoveCaret(Ctrl, p - 1);
      return 0;
    }
    result = Left(text, p - 2) + Mid(text, p);
    caret = p - 2;
  } else {
    result = Left(text, p - 1) + Mid(text, p + 1);
    caret = p - 1;
  }
  if ((result == u"//" || result == u"/") && caret > 0) --caret;
  Ctrl.SetText(result);
  MoveCaret(Ctrl, caret);
  return 0;
}

int16_t clsDate::DaysInMonth(int16_t iMonth) {
  switch (iMonth) {
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12:
      return 31;
    case 4:
    case 6:
    case 9:
    case 11:
      return 30;
    case 2:
      return 29;  // no leap-year test while typing: the control checks the finished date
    default:
      return 0;
  }
}

int32_t clsDate::CountOccurrences(std::u16string_view sText, std::u16string_view sFind) {
  // Each occurrence drops the text up to its first character only, so occurrences may
  // overlap. "" occurs nowhere (it would never end the count).
  if (sFind.empty()) return 0;
  int32_t count = 0;
  size_t from = sText.find(sFind);
  while (from != std::u16string_view::npos && count < std::numeric_limits<int32_t>::max()) {
    ++count;
    from = sText.find(sFind, from + 1);
  }
  return count;
}

}  // namespace entrybox
