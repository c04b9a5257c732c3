// Number value operations shared by the engines and controls. The decimal point is
// always "." and the group separator always ","; blanks are space and tab.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace entrybox {

/// Strict text-to-number conversion:
///   blanks? sign? int ('.' digits*)? exp? blanks?
/// where int is any mix of digits and "," and exp is E/e, an optional sign and at least
/// one digit; at least one digit in the integer part or the fraction.
/// "1,234.5" -> 1234.5, " -2e3 " -> -2000; "", "-", ",", "." raise Error 13.
/// Exact (correctly rounded) for any length of input; a value beyond the double range
/// ("1e999") raises Error 6, one below the smallest double reads as 0; "-0" gives 0.
double ToNumber(std::u16string_view text);

/// True when ToNumber(text) would succeed.
bool IsNumeric(std::u16string_view text);

/// Leading-number value: blanks skipped at the start, then sign, digits with at most one
/// ".", and an exponent only when E/e [sign] is followed by a digit; reading stops at the
/// first other character ("," included). 0 when no number starts the text.
/// "12,5" -> 12, "  -3.5x" -> -3.5, "1e" -> 1, "abc" -> 0.
/// A number beyond the double range gives an infinity of its sign, so that a range test
/// refuses it instead of failing ("9e999" -> +inf).
double LeadingValue(std::u16string_view text);

/// Pattern formatting with "#" (digit shown when significant), "0" (digit always shown),
/// "," (group the integer part in threes) and "." (the point). Rounded half away from
/// zero to the pattern's decimals after writing the double with 15 significant digits;
/// a result that rounds to zero carries no "-". A pattern with a "." always writes the
/// point; "#" decimals after the last "0" drop trailing zeros. Other characters are
/// ignored; a pattern with no placeholder and no point writes NumberToText(value).
/// An infinity or NaN raises Error 6.
///   FormatPattern(1234.5, "###,##0.00") -> "1,234.50"; FormatPattern(5, "#0.") -> "5."
///   FormatPattern(-0.4, "#0") -> "0"; FormatPattern(4E+38, "#0") -> "4" and 38 zeros
std::u16string FormatPattern(double value, std::u16string_view pattern);
/// The same for a text: converted strictly first; a text that does not convert ("",
/// "-", "abc", or one beyond the double range) comes back unchanged.
std::u16string FormatPattern(std::u16string_view text, std::u16string_view pattern);

/// Fixed-decimals writing: exactly `decimals` decimals, rounded as FormatPattern does;
/// "0" before the point for values below 1 when leadingZero; "-" for negatives; ","
/// grouping when group. FormatFixed(0.5, 2, false, false) -> ".50"; with no decimals the
/// integer digit always stands: FormatFixed(0.4, 0, false, false) -> "0". Decimals below
/// 0 or above 32767 raise Error 380; an infinity or NaN raises Error 6.
std::u16string FormatFixed(double value, int decimals, bool leadingZero, bool group);
/// The same for a text, converted strictly (Error 13 when it does not convert, Error 6
/// beyond the double range).
std::u16string FormatFixed(std::u16string_view text, int decimals, bool leadingZero, bool group);

/// Number to text: C's %.15G with an upper-case exponent of at least two digits:
/// 4E+38, 1E-05, 0.0001, 123456789012345, 1E+15, -2147483648, 2.5. The decimal point is
/// "." whatever the C locale; -0 is written "0"; an infinity or NaN raises Error 6.
std::u16string NumberToText(double value);

/// Rounding down: the largest whole number not above the value (-12.75 -> -13).
double RoundDown(double value);

/// Narrowing: nearest whole number, halves to even (2.5 -> 2, 3.5 -> 4); a value outside
/// the type's range (or not a number) raises Error 6.
int32_t ToInt32(double value);
int16_t ToInt16(double value);

}  // namespace entrybox
