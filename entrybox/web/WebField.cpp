#include "entrybox/web/WebField.h"

#include <emscripten/em_js.h>
#include <emscripten/emscripten.h>

#include <cstdlib>
#include <utility>

#include "entrybox/platform/Keys.h"
#include "entrybox/web/WebPlatform.h"

// clang-format off
// The element's side, in web/field.js: Module.entryboxDom[element] is {input, button}.
EM_JS(void, entrybox_show_field,
      (int element, const char16_t* text, int length, int start, int end, int flags), {
        const e = Module.entryboxDom[element];
        if (!e) return;
        let value = "";
        for (let i = 0; i < length; i += 4096) {
          const from = (text >> 1) + i;
          value += String.fromCharCode.apply(
            null, HEAPU16.subarray(from, from + Math.min(4096, length - i)));
        }
        if (e.input.value !== value) e.input.value = value;
        if (e.input.selectionStart !== start || e.input.selectionEnd !== end) {
          e.input.setSelectionRange(start, end);
        }
        e.input.disabled = !(flags & 1);
        e.input.readOnly = !!(flags & 2);
      });
EM_JS(void, entrybox_style_field,
      (int element, int alignment, int back, int fore, const char* font, double size), {
        const e = Module.entryboxDom[element];
        if (!e) return;
        const colour = (c) => "rgb(" + (c & 255) + "," + ((c >> 8) & 255) + "," +
                              ((c >> 16) & 255) + ")";
        e.input.style.textAlign = ["left", "right", "center"][alignment] || "left";
        // Colour 0 and the system colours (high bit set) leave the page's own style.
        e.input.style.backgroundColor = back > 0 ? colour(back) : "";
        e.input.style.color = fore > 0 ? colour(fore) : "";
        e.input.style.fontFamily = UTF8ToString(font);
        e.input.style.fontSize = size > 0 ? size + "pt" : "";
      });
EM_JS(int, entrybox_field_selection, (int element, int which), {
  const e = Module.entryboxDom[element];
  if (!e) return -1;
  return which ? e.input.selectionEnd : e.input.selectionStart;
});
// The element's value when it differs from the field's, else null (0).
EM_JS(char16_t*, entrybox_field_value_if_changed,
      (int element, const char16_t* text, int length), {
        const e = Module.entryboxDom[element];
        if (!e) return 0;
        const value = e.input.value;
        let same = value.length === length;
        for (let i = 0; same && i < length; ++i) {
          same = value.charCodeAt(i) === HEAPU16[(text >> 1) + i];
        }
        if (same) return 0;
        const bytes = (value.length + 1) * 2;
        const out = _malloc(bytes);
        stringToUTF16(value, out, bytes);
        return out;
      });
// clang-format on

namespace entrybox::web {

WebField::WebField(int element, WebClipboard& clipboard, entrybox::Font font)
    : HeadlessField(clipboard, std::move(font)), element(element), webClipboard(clipboard) {
  Show();
  SetFont(HeadlessField::Font());
}

void WebField::Show() {
  const std::u16string text = Text();
  const int32_t start = SelStart();
  entrybox_show_field(element, text.data(), static_cast<int>(text.size()), start,
                      start + SelLength(), (Enabled() ? 1 : 0) | (Locked() ? 2 : 0));
}

void WebField::SetText(const std::u16string& value) {
  const Busy busy(*this);
  HeadlessField::SetText(value);
  Show();
}

void WebField::SetSelStart(int32_t value) {
  const Busy busy(*this);
  HeadlessField::SetSelStart(value);
  Show();
}

void WebField::SetSelLength(int32_t value) {
  const Busy busy(*this);
  HeadlessField::SetSelLength(value);
  Show();
}

void WebField::SetSelText(const std::u16string& value) {
  const Busy busy(*this);
  HeadlessField::SetSelText(value);
  Show();
}

void WebField::SetAlignment(int16_t value) {
  HeadlessField::SetAlignment(value);
  SetFont(Font());
}

void WebField::SetBackColor(uint32_t value) {
  HeadlessField::SetBackColor(value);
  SetFont(Font());
}

void WebField::SetForeColor(uint32_t value) {
  HeadlessField::SetForeColor(value);
  SetFont(Font());
}

void WebField::SetEnabled(bool value) {
  HeadlessField::SetEnabled(value);
  Show();
}

void WebField::SetLocked(bool value) {
  HeadlessField::SetLocked(value);
  Show();
}

void WebField::SetFont(const entrybox::Font& value) {
  HeadlessField::SetFont(value);
  std::string family;
  for (const char16_t c : value.Name)
    family += c < 128 ? static_cast<char>(c) : '?';
  entrybox_style_field(element, Alignment(), static_cast<int>(BackColor()),
                       static_cast<int>(ForeColor()), family.c_str(), value.Size);
}

void WebField::Adopt() {
  // Inside the field's own work the element is behind the field, not ahead of it.
  if (busy > 0) return;
  const std::u16string text = Text();
  if (char16_t* value =
          entrybox_field_value_if_changed(element, text.data(), static_cast<int>(text.size()))) {
    // Text entered past the field (an input method's composition): the field takes it as
    // a write of Text, which the control sees as a change.
    const std::u16string adopted(value);
    std::free(value);
    HeadlessField::SetText(adopted);
  }
  const int start = entrybox_field_selection(element, 0);
  const int end = entrybox_field_selection(element, 1);
  if (start < 0 || end < start) return;
  if (start != SelStart() || end - start != SelLength()) {
    HeadlessField::SetSelStart(start);
    HeadlessField::SetSelLength(end - start);
  }
}

template <typename Action>
void WebField::Deliver(Action action) {
  try {
    Adopt();
    const Busy busy(*this);
    action();
  } catch (...) {
    error = std::current_exception();
  }
  Show();
}

void WebField::Type(const BrowserKey& key) {
  KeyDown(key.keyCode, ShiftBits(key));
  for (const char16_t c : PressesFor(key))
    KeyPress(static_cast<int16_t>(c));
}

KeyOutcome WebField::BrowserKeyDown(const BrowserKey& key) {
  const int16_t shift = ShiftBits(key);
  const ClipboardChord chord = ChordFor(key.keyCode, shift);
  if (chord == ClipboardChord::Paste) {
    // The clipboard's text comes with the paste event that follows; KeyDown waits for it.
    pendingPaste = key;
    return KeyOutcome::Clipboard;
  }
  const uint32_t writes = webClipboard.Writes();
  copied.reset();
  copyKey = false;
  Deliver([&] { Type(key); });
  if (chord != ClipboardChord::None) {
    copyKey = true;
    if (webClipboard.Writes() != writes) copied = webClipboard.GetText();
    return KeyOutcome::Clipboard;
  }
  // Ctrl+A selects all, as the browser does it; the field adopts the selection.
  if (shift == keys::kCtrl && key.keyCode == 'A') return KeyOutcome::Native;
  if (!PressesFor(key).empty()) return KeyOutcome::Handled;
  switch (key.keyCode) {
    case keys::kBack:
    case keys::kEscape:
    case keys::kEnd:
    case keys::kHome:
    case keys::kLeft:
    case keys::kUp:
    case keys::kRight:
    case keys::kDown:
    case keys::kInsert:
    case keys::kDelete:
      return KeyOutcome::Handled;
    default:
      return KeyOutcome::Native;
  }
}

void WebField::BrowserKeyPress(int16_t code) {
  Deliver([&] { KeyPress(code); });
}

void WebField::BrowserKeyUp(const BrowserKey& key) {
  const int16_t shift = ShiftBits(key);
  copyKey = false;
  Deliver([&] {
    if (pendingPaste) {
      // No paste event came (the browser refused): the key pastes what the field holds.
      Type(*std::exchange(pendingPaste, std::nullopt));
    }
    KeyUp(key.keyCode, shift);
  });
}

void WebField::BrowserInsert(const std::u16string& text) {
  Deliver([&] {
    for (const char16_t c : text)
      KeyPress(static_cast<int16_t>(c));
  });
}

void WebField::BrowserPaste(const std::u16string& text) {
  webClipboard.SetText(text);
  // A paste from the page's menu has no key: it comes as Ctrl+V would.
  const BrowserKey key = std::exchange(pendingPaste, std::nullopt)
                             .value_or(BrowserKey{static_cast<int16_t>('V'), u"v", false, true});
  Deliver([&] { Type(key); });
}

std::optional<std::u16string> WebField::BrowserCopy(bool cut) {
  if (!std::exchange(copyKey, false)) {
    // A copy or cut from the page's menu: it comes as Ctrl+C or Ctrl+X would.
    const uint32_t writes = webClipboard.Writes();
    Deliver([&] { KeyDown(cut ? 'X' : 'C', keys::kCtrl); });
    if (webClipboard.Writes() != writes) return webClipboard.GetText();
    return std::nullopt;
  }
  return std::exchange(copied, std::nullopt);
}

void WebField::BrowserInput() {
  Deliver([] {});
}

void WebField::BrowserFocus() {
  Deliver([&] { GotFocus(); });
}

void WebField::BrowserBlur() {
  Deliver([&] { LostFocus(); });
}

void WebField::BrowserClick() {
  Deliver([&] { Click(); });
}

void WebField::BrowserDblClick() {
  Deliver([&] { DblClick(); });
}

}  // namespace entrybox::web
