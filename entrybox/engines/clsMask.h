// The mask editing engine: keeps a field laid out like an input mask while the user types.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "entrybox/platform/Clipboard.h"
#include "entrybox/platform/EditField.h"

namespace entrybox {

/// Keystroke engine of twMask. A mask is a string of placeholders and literals:
///   "#" a digit, "&" any character of code 32 or more but the prompt, "?" an ASCII
///   letter, "%" an ASCII letter or digit, ">" a letter stored in upper case, "<" a
///   letter stored in lower case; every other character is a literal that stands fixed.
/// Empty placeholders show the prompt character. The input (the characters at the
/// placeholders that are not the prompt) is always packed to the left: deleting closes
/// it up, so the empty placeholders are the last ones. Typing always overwrites.
///
/// The field is handed over with every call and never kept; the engine holds only the
/// mask, the prompt character and the clipboard. Characters are UTF-16 code units taken
/// as unsigned values, whatever sign the 16-bit key code carries. Positions are counted
/// in full width, so masks and texts of any length are safe.
class clsMask {
 public:
  explicit clsMask(Clipboard& clipboard);

  /// The input mask that KeyPress and KeyDown work with.
  std::u16string Mask() const { return sInputMask; }
  void SetMask(const std::u16string& NewValue) { sInputMask = NewValue; }
  /// The character shown in empty placeholders. Only the first code unit of NewValue is
  /// kept ("" stays ""): a longer prompt would make the template longer than its mask.
  /// An empty prompt makes every character at a placeholder count as input.
  void SetPromptChar(const std::u16string& NewValue);
  std::u16string PromptChar() const { return sPromptChar; }

  /// Handles a typed character or Backspace (8) and always returns 0: the engine has
  /// made any edit itself. Mask "(###) ###-####", prompt "_":
  ///   "" (empty field) + 5      -> "(5|__) ___-____"   (typed into the empty template)
  ///   "(12|_) ___-____" + 3     -> "(123) |___-____"   (the caret skips literals)
  ///   "(1|23) 4__-____" + 9     -> "(19|3) 4__-____"   (overtyping)
  ///   "([123]) 456-____" + 9    -> "(9|45) 6__-____"   (selection replaced and packed)
  ///   "(12|3) 4__-____" Backspace -> "(1|34) ___-____" (the input closes up)
  ///   "(123) |4__-____" Backspace -> "(123|) 4__-____" (a literal only moves the caret)
  /// Backspace with a selection removes the selection. A key its placeholder refuses, or
  /// any key with the caret at the end of the mask, changes nothing; a key whose packed
  /// result breaks a placeholder's class leaves the text and only moves the caret.
  int16_t KeyPress(EditField& Ctrl, int16_t KeyAscii);
  /// Handles the clipboard, Delete and caret keys (Shift bits: 1 Shift, 2 Ctrl) and
  /// returns 0 for a handled key, else KeyAscii (which carries the key code). First
  /// match wins:
  ///    1 Ctrl+C: copies the input inside the selection ("" for none):
  ///      "(555) [123]-4567" -> "123"
  ///    2 Ctrl+V: inserts the clipboard text at the caret over the selection and
  ///      re-packs; refused when the result breaks a placeholder's class. A text that
  ///      would put a character on a literal is bare input (as Ctrl+C copies it) and
  ///      goes in between the input before and after the selection, refused when it
  ///      does not fit: "(|___) ___-____" + "5551234567" -> "(|555) 123-4567"
  ///    3 Ctrl+X (the raw selected text goes to the clipboard) and Delete: blank the
  ///      character after the caret, or the selection, and close up
  ///    4 Ctrl+Shift+End: selection length = the count of characters before the first
  ///      prompt (counted from the start of the text)
  ///    5 Shift+Right: extends the selection unless a prompt follows it
  ///    6 Ctrl+Right: moves to the next blank, stopping in front of the prompts
  ///    7 Right, Down: swallowed (selection dropped) when a prompt follows
  ///    8 Left: with a selection, swallowed when the second character before it is a
  ///      prompt
  ///    9 End: to the first prompt ("(5|55) 1__" -> "(555) 1|__")
  ///   10 Shift+End: selects up to the first prompt
  ///   11 anything else passes (C, V, X are letters in either case; Ctrl with 99, 118,
  ///      120 counts as C, V, X).
  int16_t KeyDown(EditField& Ctrl, int16_t KeyAscii, int16_t Shift);

  /// The input of sString with respect to sMask: its characters at placeholder positions
  /// that differ from the prompt, in order. "(555) 1__-____" -> "5551".
  std::u16string GetUserInput(std::u16string_view sString, std::u16string_view sMask) const;
  /// The input after inserting sInsert at the field's caret (the selection plays no
  /// part).
  std::u16string InsertUserInput(EditField& Ctrl, std::u16string_view sMask,
                                 std::u16string_view sInsert) const;
  /// Renders bare input into the mask: each character fills the next placeholder without
  /// a class check, the rest shows the prompt. "5551" -> "(555) 1__-____".
  std::u16string FormatWithMask(std::u16string_view sString, std::u16string_view sMask) const;
  /// Re-packs a displayed text: FormatWithMask of its input. sDeletedChar is ignored.
  /// "(1_3) 4__-____" -> "(134) ___-____".
  std::u16string MaskRefresh(std::u16string_view sText, std::u16string_view sMask,
                             std::u16string_view sDeletedChar = {}) const;
  /// The template for a new prompt character: every placeholder whose character is not
  /// the (new) prompt shows the prompt; one that already shows it drops out.
  /// Prompt "*": "(555) 1__-____" -> "(***) ***-****"; prompt "_": "(___) ___-____" -> "() -".
  std::u16string ReMask(std::u16string_view sText, std::u16string_view sMask) const;
  /// sString without its prompt characters; literals and input stay.
  std::u16string TextData(std::u16string_view sString) const;

 private:
  // ASCII classes of a code unit.
  static bool IsLetter(char16_t code);
  static bool IsDigit(char16_t code);
  // Whether every character of sText that is not the prompt fits the class of its
  // placeholder ("&" and literals take anything).
  bool IsValidInput(std::u16string_view sText, std::u16string_view sMask) const;
  // Whether the character (a view of 0 or 1 code units) is the prompt.
  bool IsPrompt(std::u16string_view character) const { return character == sPromptChar; }
  // n prompt characters.
  std::u16string Prompts(std::ptrdiff_t n) const;
  // Whether placeholder m takes the key; ch comes back as it is stored (case mapped).
  bool AcceptsKey(char16_t m, char16_t& ch) const;

  void TypeKey(EditField& Ctrl, char16_t code);
  void BackspaceKey(EditField& Ctrl);
  void CopyInput(EditField& Ctrl);
  // Whether every character of sText at a literal position of the mask is that literal
  // or the prompt, so that laying sText into the field loses nothing.
  bool LinesUp(std::u16string_view sText) const;
  // The input characters of sText at the 1-based positions first to last.
  std::u16string InputIn(std::u16string_view sText, std::ptrdiff_t first,
                         std::ptrdiff_t last) const;

  void PasteClipboard(EditField& Ctrl);
  void DeleteForward(EditField& Ctrl, bool cut);

  Clipboard& clipboard;
  std::u16string sInputMask;
  std::u16string sPromptChar;
};

}  // namespace entrybox
