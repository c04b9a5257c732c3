// How a browser's keyboard event becomes the keystrokes the controls know: the KeyDown
// code and Shift bits, and the KeyPress codes of the character it types. The mapping is
// the one every platform shares (entrybox/platform/Keys.h), so that a key in the page
// reaches a control exactly as on the headless platform.
#pragma once

#include <cstdint>
#include <string>

namespace entrybox::web {

/// The parts of a DOM KeyboardEvent the field reads: `keyCode` (the Windows virtual key
/// the browser reports), `key` (the character typed, or a key name such as "Enter") and
/// the modifier keys held.
struct BrowserKey {
  int16_t keyCode = 0;
  std::u16string key;
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
};

/// The Shift bits of KeyDown and KeyUp: 1 Shift, 2 Ctrl, 4 Alt.
int16_t ShiftBits(const BrowserKey& key);

/// The KeyPress codes that follow the key's KeyDown: its character ("a", "A", a surrogate
/// pair as two codes), 13 for Enter, 8 for Backspace, 27 for Escape, the letter's place in
/// the alphabet for a letter with Ctrl (Ctrl+C presses 3); nothing with Alt or for other named
/// keys.
std::u16string PressesFor(const BrowserKey& key);

/// The clipboard command a key gives in an edit field.
enum class ClipboardChord { None, Copy, Cut, Paste };

/// Ctrl+C and Ctrl+Insert copy, Ctrl+X and Shift+Delete cut, Ctrl+V and Shift+Insert paste.
ClipboardChord ChordFor(int16_t keyCode, int16_t shift);

}  // namespace entrybox::web
