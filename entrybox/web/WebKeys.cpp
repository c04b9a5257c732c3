#include "entrybox/web/WebKeys.h"

#include "entrybox/platform/Keys.h"

namespace entrybox::web {

int16_t ShiftBits(const BrowserKey& key) {
  return static_cast<int16_t>((key.shift ? keys::kShift : 0) | (key.ctrl ? keys::kCtrl : 0) |
                              (key.alt ? keys::kAlt : 0));
}

std::u16string PressesFor(const BrowserKey& key) {
  if (key.alt) return {};
  if (key.ctrl) {
    // Ctrl with a letter types its control code, as on a desktop: Ctrl+C is 3.
    if (key.key.size() == 1) {
      const char16_t c = key.key[0];
      if (c >= u'a' && c <= u'z') return std::u16string(1, static_cast<char16_t>(c - u'a' + 1));
      if (c >= u'A' && c <= u'Z') return std::u16string(1, static_cast<char16_t>(c - u'A' + 1));
    }
    return {};
  }
  if (key.key == u"Enter") return u"\r";
  if (key.key == u"Backspace") return u"\b";
  if (key.key == u"Escape") return u"\x1b";
  // One character, or one outside the Basic Multilingual Plane as its two code units;
  // longer values are key names ("Delete", "F7", "Unidentified").
  if (key.key.size() == 1 && key.key[0] >= 32) return key.key;
  if (key.key.size() == 2 && key.key[0] >= 0xD800 && key.key[0] <= 0xDBFF && key.key[1] >= 0xDC00 &&
      key.key[1] <= 0xDFFF) {
    return key.key;
  }
  return {};
}

ClipboardChord ChordFor(int16_t keyCode, int16_t shift) {
  const bool withShift = (shift & keys::kShift) != 0;
  const bool withCtrl = (shift & keys::kCtrl) != 0;
  if (withCtrl && (keyCode == 'C' || keyCode == keys::kInsert)) return ClipboardChord::Copy;
  if ((withCtrl && keyCode == 'X') || (withShift && !withCtrl && keyCode == keys::kDelete)) {
    return ClipboardChord::Cut;
  }
  if ((withCtrl && keyCode == 'V') || (withShift && !withCtrl && keyCode == keys::kInsert)) {
    return ClipboardChord::Paste;
  }
  return ClipboardChord::None;
}

}  // namespace entrybox::web
