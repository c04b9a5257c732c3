// The edit field over a browser <input>: the field's state and its default actions on
// passed keys are the ones every platform shares (today HeadlessField's); this class adds
// the element. It shows every change in the element and adopts what the user did there
// natively (moving the caret with the mouse, text entered by an input method).
#pragma once

#include <cstdint>
#include <exception>
#include <optional>
#include <string>

#include "entrybox/headless/HeadlessField.h"
#include "entrybox/web/WebKeys.h"

namespace entrybox::web {

class WebClipboard;

/// What the page does with a keydown after the field has handled it.
enum class KeyOutcome {
  Handled = 0,    // the field acted: the browser's own action is cancelled
  Native = 1,     // not the field's key (Tab, F5...): the browser acts
  Clipboard = 2,  // a clipboard key: the browser's copy/cut/paste event comes next
};

/// A single-line edit field shown in the <input> registered under `element` (see
/// web/field.js). Keys, focus and clicks arrive through the Browser* members, which
/// never throw: an error the control raised is kept for TakeError.
class WebField : public HeadlessField {
 public:
  WebField(int element, WebClipboard& clipboard, entrybox::Font font);

  void SetText(const std::u16string& value) override;
  void SetSelStart(int32_t value) override;
  void SetSelLength(int32_t value) override;
  void SetSelText(const std::u16string& value) override;
  void SetAlignment(int16_t value) override;
  void SetBackColor(uint32_t value) override;
  void SetForeColor(uint32_t value) override;
  void SetEnabled(bool value) override;
  void SetLocked(bool value) override;
  void SetFont(const entrybox::Font& value) override;

  /// A keydown in the element: KeyDown, then the KeyPress codes the key types.
  KeyOutcome BrowserKeyDown(const BrowserKey& key);
  /// A keypress with no keydown before it (a character sent alone).
  void BrowserKeyPress(int16_t code);
  void BrowserKeyUp(const BrowserKey& key);
  /// Text an input method or a virtual keyboard inserts: one KeyPress per code unit.
  void BrowserInsert(const std::u16string& text);
  /// The browser's paste event with the clipboard's text: the paste key's KeyDown.
  void BrowserPaste(const std::u16string& text);
  /// The browser's copy or cut event: the text to put on the system clipboard, or
  /// nothing when the field copied nothing.
  std::optional<std::u16string> BrowserCopy(bool cut);
  void BrowserFocus();
  void BrowserBlur();
  void BrowserClick();
  void BrowserDblClick();

  /// The element changed natively (an input method finished): the field adopts it.
  void BrowserInput();

  /// Takes what the user changed in the element natively (caret, selection, text).
  void Adopt();
  /// The error the control raised in the last browser event, once.
  std::exception_ptr TakeError() { return std::exchange(error, nullptr); }

 private:
  // Marks the field's own work: a host that reads the field from an event it raises (the
  // page's handler of Change) must not take the element's older state back.
  struct Busy {
    explicit Busy(WebField& field) : field(field) { ++field.busy; }
    ~Busy() { --field.busy; }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;
    WebField& field;
  };

  template <typename Action>
  void Deliver(Action action);
  void Show();
  /// The key's KeyDown, then the KeyPress codes it types.
  void Type(const BrowserKey& key);

  int element;
  int busy = 0;
  WebClipboard& webClipboard;
  std::exception_ptr error;
  std::optional<BrowserKey> pendingPaste;  // a paste key waiting for its paste event
  bool copyKey = false;                    // a copy or cut key came before its event
  std::optional<std::u16string> copied;    // what that key copied
};

}  // namespace entrybox::web
