// The real-number editing engine: keeps an edit field's text a signed decimal number
// with a fixed number of decimals between Min and Max, plain or grouped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "entrybox/platform/Clipboard.h"
#include "entrybox/platform/EditField.h"

namespace entrybox {

/// Turns KeyPress and KeyDown on a real-number field into edits of its text and caret.
/// The field is handed in with every call and never kept; the clipboard is kept.
/// After each edit the text is brought back to its editing form, so the point and the
/// trailing decimals are always there once a number has been typed:
///   DP 2, "" + "5" -> "5|.00";  "12.|34" + "9" -> "12.9|3";  "1|,234.00" + "5" -> "15|,234.00"
class clsReal {
 public:
  explicit clsReal(Clipboard& clipboard);

  /// A copy of the text kept for the owner; the editing logic never reads it.
  const std::u16string& Text() const { return text; }
  void SetText(const std::u16string& sTxt) { text = sTxt; }
  /// Step that Up adds to and Down subtracts from the value.
  int16_t SpinChange() const { return spinChange; }
  void SetSpinChange(int16_t iSpinC) { spinChange = iSpinC; }
  /// Digits after the point in every form of the text (a negative value counts as 0).
  int16_t DecimalPlaces() const { return decimalPlaces; }
  void SetDecimalPlaces(int16_t iDecPla) { decimalPlaces = iDecPla; }
  /// True: the integer part carries "," between groups of three while editing.
  bool Formatted() const { return formatted; }
  void SetFormatted(bool bFor) { formatted = bFor; }
  /// Lowest value accepted by typing, pasting and Down. Error 8000 "Invalid property Min !"
  /// below -1.1E+38 (compared after rounding both to DecimalPlaces); nothing is stored then.
  double Min() const { return minVal; }
  void SetMin(double iMinVal);
  /// Highest value accepted by typing, pasting and Up. Error 8000 "Invalid property Max !"
  /// above 3.3E+38; nothing is stored then.
  double Max() const { return maxVal; }
  void SetMax(double iMaxVal);

  /// Handles Backspace, ".", "-" and digits; every other key is swallowed too. Returns 0.
  int16_t KeyPress(EditField& Ctrl, int16_t KeyAscii);
  /// Handles Ctrl+C, Ctrl+V, Up, Down, Delete and Ctrl+X (returns 0); any other key
  /// comes back unchanged for the field to act on. Up and Down step by SpinChange only
  /// while the new value stays between Min and Max (else the key is passed on).
  int16_t KeyDown(EditField& Ctrl, int16_t KeyCode, int16_t Shift);
  /// Dispatches by sType, matched without regard to case: "KEYPRESS" -> KeyPress,
  /// "KEYDOWN" -> KeyDown (KeyAscii as the key code); any other type does nothing, 0.
  int16_t MainNumeric(std::u16string_view sType, EditField& Ctrl, int16_t KeyAscii, int16_t Shift);
  /// The grouped form of sString when Formatted, else the plain form:
  /// DP 2: "1234.5" -> "1,234.50" / "1234.50". A text that is no number comes back as is.
  std::u16string RealFormat(const std::u16string& sString) const;

 private:
  /// DecimalPlaces as a count of digits: never below 0.
  std::ptrdiff_t Places() const;
  /// "0" DecimalPlaces times.
  std::u16string ZeroString() const;
  /// "0." and the zero string: "0.00" for two decimals.
  std::u16string ZeroText() const;
  /// "5" -> "5.00" (rounded, no groups); a text that is no number comes back as is.
  std::u16string FormatPlain(std::u16string_view sString) const;
  /// "1234.5" -> "1,234.50".
  std::u16string FormatGrouped(std::u16string_view sString) const;
  /// The number at the start of the plain form; 0 when there is none.
  double ValueOf(std::u16string_view sString) const;
  /// A value as the limit checks see it: written as text and read back as ValueOf does.
  double LimitValue(double value) const;
  bool InRange(double value) const { return value >= minVal && value <= maxVal; }

  /// Backspace: never deletes the point, refills the decimals, falls back to the zero text.
  void DeleteBackward(EditField& Ctrl);
  /// Delete and Ctrl+X: never deletes the point, refills the decimals.
  int16_t DeleteForward(EditField& Ctrl, int16_t KeyCode);
  void CopyText(EditField& Ctrl);
  void PasteText(EditField& Ctrl);
  /// Up (direction +1) and Down (-1); returns 0 when the value was stepped, else KeyCode.
  int16_t SpinValue(EditField& Ctrl, int16_t KeyCode, int direction);
  /// Brings the text back to its editing form after keys that edit it.
  void ReformatAfterEdit(EditField& Ctrl, int16_t KeyCode);
  /// Writes the grouped form and moves the caret by the change in the number of ",":
  /// "12|34.00" -> "1,2|34.00"; the caret stays within the text.
  void RegroupText(EditField& Ctrl);

  Clipboard& clipboard;
  std::u16string text;
  int16_t spinChange = 0;
  int16_t decimalPlaces = 0;
  bool formatted = false;
  double minVal = 0;
  double maxVal = 0;
};

}  // namespace entrybox
