// The date box's keystroke logic: builds "month/day/year" digit by digit in the field.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "entrybox/platform/Clipboard.h"
#include "entrybox/platform/Clock.h"
#include "entrybox/platform/EditField.h"

namespace entrybox {

/// Keystroke engine of twDate. Every character key is swallowed and the engine edits
/// the field itself, so the text keeps the editing form month "/" day "/" year; the
/// empty editing text is "//". Days are bounded by the month (February 29, no leap-year
/// test), the year by the format's width. Ranges, centuries and display formats are the
/// control's business when the field loses the focus. The field is handed over with
/// every call; the engine keeps only the clipboard and the clock.
class clsDate {
 public:
  clsDate(Clipboard& clipboard, const Clock& clock);

  /// The field's text as the control last handed it over; the keystroke logic never
  /// reads it.
  std::u16string Text() const { return sText; }
  void SetText(const std::u16string& sTxt) { sText = sTxt; }
  /// The control's date format ("mm/dd/yyyy", "m/d/yyyy", "mm/dd/yy", "m/d/yy"). Only
  /// its year width matters here: a format ending in "yyyy" (any case) allows 4 year
  /// digits, any other 2.
  std::u16string Format() const { return sFormat; }
  void SetFormat(const std::u16string& NewValue);

  /// Handles one character key and returns "0" (the field must insert nothing):
  ///   digits   "//" + 1 -> "1|//", then 2 -> "12/|/"; "12/|/" + 3 -> "12/3|/";
  ///            "1|/5/1998" + 5 -> "1/5|/1998" (15 is no month: the 5 starts the day)
  ///   "/"      jumps to the next part and selects it (from the year back to the month)
  ///   Backspace  "12/|25/1998" -> "1|/25/1998" (the digit before a "/" goes)
  /// Other keys do nothing.
  std::u16string KeyPress(EditField& Ctrl, int16_t KeyAscii);
  /// Handles Ctrl+C, Ctrl+V (a date over the whole text or over "//"), Ctrl+X, Delete,
  /// Up and Down; returns the key code for the field to act on, 0 when handled.
  ///   Delete  "12|/25/1998" -> passes with the caret at "12/|25/1998", so the field
  ///           deletes the 2; with the whole text selected: "//"; a selection holding a
  ///           "/": nothing.
  int16_t KeyDown(EditField& Ctrl, int16_t KeyCode, int16_t Shift);

 private:
  // Positions are 32-bit like the field's own, so that any text a host may write into
  // the field (also a long one) is handled without overflow.
  void LocateSeparators(const EditField& Ctrl);
  void SplitParts(const EditField& Ctrl);
  std::u16string CurrentPart(const EditField& Ctrl) const;
  void MonthKey(EditField& Ctrl, int16_t KeyAscii);
  void DayKey(EditField& Ctrl, int16_t KeyAscii);
  void YearKey(EditField& Ctrl, int16_t KeyAscii);
  int16_t BackspaceKey(EditField& Ctrl);
  /// Longest day of a month while typing: 31, 30, 29 for February, 0 for no month.
  static int16_t DaysInMonth(int16_t iMonth);
  /// Occurrences of sFind in sText, overlapping ones included ("//" twice in "///").
  static int32_t CountOccurrences(std::u16string_view sText, std::u16string_view sFind);

  Clipboard& clipboard;
  const Clock& clock;

  // Working state, rebuilt from the field's text by SplitParts.
  std::u16string sMonth;
  std::u16string sDay;
  std::u16string sYear;
  int32_t iSlash1 = 0;  // 1-based position of the first "/", 0 when none
  int32_t iSlash2 = 0;  // 1-based position of the last "/" after the first, 0 when none

  std::u16string sText;
  std::u16string sFormat;
  int16_t iYearDigits = 0;  // 0 until Format is first set
};

}  // namespace entrybox
