// The long-integer editing engine: keeps a field's text a signed whole number between Min
// and Max while the user types, optionally grouped in thousands ("1,234").
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "entrybox/platform/Clipboard.h"
#include "entrybox/platform/EditField.h"

namespace entrybox {

/// Turns KeyPress and KeyDown on a long-integer field into edits of its text and caret.
/// The field is handed in with every call and never kept; the clipboard is a platform
/// service the engine holds for copy, cut and paste.
///
/// Keys that edit work with 16-bit caret positions: on a text longer than 32767 code units
/// they raise Error 6 (Overflow) before anything changes.
class clsLong {
 public:
  explicit clsLong(Clipboard& clipboard);

  /// Stored for the owner; the editing logic does not read it.
  std::u16string Text() const { return text; }
  void SetText(const std::u16string& sTxt) { text = sTxt; }
  /// Step that Up adds and Down subtracts.
  int16_t SpinChange() const { return spinChange; }
  void SetSpinChange(int16_t iSpinC) { spinChange = iSpinC; }
  /// True: the text carries thousands separators while it is edited.
  bool Formatted() const { return formatted; }
  void SetFormatted(bool bFor) { formatted = bFor; }
  /// Lowest and highest value accepted while typing (inclusive). Not checked against
  /// each other.
  int32_t Min() const { return minValue; }
  void SetMin(int32_t iMinVal) { minValue = iMinVal; }
  int32_t Max() const { return maxValue; }
  void SetMax(int32_t iMaxVal) { maxValue = iMaxVal; }

  /// Handles Backspace (8), "-" (45) and the digits; always returns 0, so the field inserts
  /// nothing itself. A refused key leaves the number as it is (the text is still brought to
  /// its plain or grouped form).
  ///   "1,|234" + "5" -> "15,|234" (Formatted);  "0" with Min -10: "-" -> "-|0", "3" -> "-3|"
  ///   "1,|234" Backspace -> "1|,234";  "|-5" + "7" is refused
  int16_t KeyPress(EditField& Ctrl, int16_t KeyAscii);
  /// Handles Ctrl+C, Ctrl+V, Up (38), Down (40), Delete (46) and Ctrl+X (letters in either
  /// case; Ctrl is bit 2 of Shift) and returns 0 for them; any other key comes back
  /// unchanged. Up and Down return their code unchanged when the step would leave Min..Max.
  /// Paste puts the clipboard's value, written plain, in place of the selection when the
  /// result is a number from max(0, Min) to Max; copy and cut of nothing keep the clipboard.
  ///   "9|9" Up (SpinChange 1) -> "1|00";  "1|,234" Delete -> "1,|234" (steps over ",")
  int16_t KeyDown(EditField& Ctrl, int16_t KeyCode, int16_t Shift);
  /// KeyPress or KeyDown chosen by sType ("KEYPRESS" or "KEYDOWN", any case; KeyAscii is
  /// the key code for KeyDown); 0 and nothing done for any other sType.
  int16_t MainNumeric(std::u16string_view sType, EditField& Ctrl, int16_t KeyAscii, int16_t Shift);

 private:
  // The plain form "-1234" and the grouped form "-1,234"; a text that is no number ("",
  // "-") comes back unchanged.
  static std::u16string FormatPlain(std::u16string_view sTxt);
  static std::u16string FormatGrouped(std::u16string_view sTxt);
  // The value every range test uses: the leading number of the plain form, 0 for none.
  static double ValueOf(std::u16string_view sTxt);
  bool InRange(double value) const;

  void TypeMinus(EditField& Ctrl);
  void TypeDigit(EditField& Ctrl, char16_t digit);
  void DeleteBackward(EditField& Ctrl);
  void CopySelection(EditField& Ctrl);
  void PasteClipboard(EditField& Ctrl);
  bool StepValue(EditField& Ctrl, int direction);
  void DeleteForward(EditField& Ctrl, bool cut);
  void ReformatAfterEdit(EditField& Ctrl, int16_t KeyCode);
  void RegroupText(EditField& Ctrl);

  Clipboard& clipboard;
  std::u16string text;
  int16_t spinChange = 0;
  bool formatted = false;
  int32_t minValue = 0;
  int32_t maxValue = 0;
};

}  // namespace entrybox
