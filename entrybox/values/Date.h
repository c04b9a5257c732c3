// Date value operations shared by the date engine and the date control: the date test,
// text to date, the short date form and date patterns. Month/day/year order; English
// month names; blanks are space and tab.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace entrybox {

/// The date test. True when the text, with blanks around it, has one of these forms:
///   m/d/y  m-d-y  m/d  m-d  yyyy-mm-dd
///   MonthName d, y   MonthName d y   d MonthName y   d-MonthName-y
/// m and d have 1 or 2 digits (mm and dd in yyyy-mm-dd too); y has 1 to 4 digits.
/// MonthName is an English month name, full or its first three letters, in any case.
/// Words are separated by blanks; blanks may stand around the comma.
/// The forms without a year take currentYear. A year of 1 or 2 digits widens 00-29 to
/// 2000-2029 and 30-99 to 1930-1999; 3 or 4 digits are taken as they are and must lie
/// in 100..9999. Month 1..12, day 1..the days of that month (Gregorian calendar):
///   "12/31/1998", " 2-29-2000 ", "2/29/00", "1999-07-04", "jan 5, 99", "5-Jan-1999"
///   are dates; "2/29/1900", "4/31/1999", "1/1/0099", "13/1/1999", "1/2/3/4" are not.
/// Reads the text once; any input is safe (long, binary, lone surrogates).
bool IsDate(std::u16string_view text, std::chrono::year currentYear);

/// The date of a text that passes IsDate with the same currentYear; any other text
/// raises Error 13 "Type mismatch".
std::chrono::year_month_day ToDate(std::u16string_view text, std::chrono::year currentYear);

/// The short date form m/d/yyyy, the year padded to four digits: 7/4/1999, 1/5/0999.
/// IsDate reads it back as the same date for years 100..9999. The parts of a date that
/// is not ok() are written as they stand (a negative year with a leading "-").
std::u16string DateToText(std::chrono::year_month_day date);

/// A date written with "mm/dd/yyyy", "m/d/yyyy", "mm/dd/yy" or "m/d/yy" (pattern
/// matched without regard to case): "m"/"d" without a leading zero, "mm"/"dd" with two
/// digits, "yyyy" the year padded to four digits, "yy" its last two digits.
/// Any other pattern gives the short date form (DateToText).
///   (1999-07-04, "mm/dd/yy") -> "07/04/99"; (2005-12-25, "M/D/YYYY") -> "12/25/2005"
std::u16string FormatDatePattern(std::chrono::year_month_day date, std::u16string_view pattern);

/// The same for a text: a text that passes IsDate(text, currentYear) is formatted as
/// its date; any other text ("", "//", "abc") comes back unchanged.
///   ("jan 5 99", "mm/dd/yyyy") -> "01/05/1999"; ("//", "m/d/yy") -> "//"
std::u16string FormatDatePattern(std::u16string_view text, std::u16string_view pattern,
                                 std::chrono::year currentYear);

}  // namespace entrybox
