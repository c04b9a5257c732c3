#include "entrybox/headless/HeadlessField.h"

#include <algorithm>
#include <utility>

#include "entrybox/platform/Error.h"

namespace entrybox {

namespace {
constexpr int16_t kShiftBit = 1;
constexpr int16_t kCtrlBit = 2;

int32_t Length(const std::u16string& s) {
  return static_cast<int32_t>(s.size());
}
}  // namespace

HeadlessField::HeadlessField(Clipboard& clipboard, entrybox::Font font)
    : clipboard(clipboard), font(std::move(font)) {}

void HeadlessField::Changed() {
  if (events != nullptr) events->FieldChange();
}

void HeadlessField::SetText(const std::u16string& value) {
  text = value;
  selStart = 0;
  selLength = 0;
  Changed();
}

void HeadlessField::SetSelStart(int32_t value) {
  selStart = std::clamp(value, 0, Length(text));
  selLength = 0;
}

void HeadlessField::SetSelLength(int32_t value) {
  selLength = std::clamp(value, 0, Length(text) - selStart);
}

std::u16string HeadlessField::SelText() const {
  return text.substr(static_cast<size_t>(selStart), static_cast<size_t>(selLength));
}

void HeadlessField::ReplaceSelection(const std::u16string& with) {
  text.replace(static_cast<size_t>(selStart), static_cast<size_t>(selLength), with);
  selStart += Length(with);
  selLength = 0;
}

void HeadlessField::SetSelText(const std::u16string& value) {
  ReplaceSelection(value);
  Changed();
}

void HeadlessField::SetAppearance(int16_t value) {
  if (value < 0 || value > 1) RaiseInvalidPropertyValue();
  appearance = value;
}

void HeadlessField::SetAlignment(int16_t value) {
  if (value < 0 || value > 2) RaiseInvalidPropertyValue();
  alignment = value;
}

void HeadlessField::SetBorderStyle(int16_t value) {
  if (value < 0 || value > 1) RaiseInvalidPropertyValue();
  borderStyle = value;
}

void HeadlessField::SetMousePointer(int16_t value) {
  if ((value < 0 || value > 15) && value != 99) RaiseInvalidPropertyValue();
  mousePointer = value;
}

void HeadlessField::SetWidth(double value) {
  if (!(value >= 0)) RaiseInvalidPropertyValue();
  width = value;
}

void HeadlessField::Move(double newLeft, double newTop, double newWidth, double newHeight) {
  if (!(newWidth >= 0) || !(newHeight >= 0)) RaiseInvalidPropertyValue();
  left = newLeft;
  top = newTop;
  width = newWidth;
  height = newHeight;
}

template <typename Deliver>
void HeadlessField::Keystroke(bool typed, Deliver&& deliver) {
  history.Record(
      typed,
      [this] {
        return FieldStateView{text, selStart, selLength};
      },
      std::forward<Deliver>(deliver));
}

void HeadlessField::KeyDown(int16_t keyCode, int16_t shift) {
  if (!enabled) return;
  bool historyKey = false;
  Keystroke(false, [&] {
    if (events != nullptr) events->FieldKeyDown(keyCode, shift);
    historyKey = keyCode != 0 && FieldHistory::IsHistoryKey(keyCode, shift);
    if (keyCode != 0 && !historyKey) ActOnKeyDown(keyCode, shift);
  });
  // Undo and redo come after the key's own step, and are no steps themselves.
  if (historyKey) history.ActOnKeyDown(*this, keyCode, shift);
}

void HeadlessField::ActOnKeyDown(int16_t keyCode, int16_t shift) {
  const bool withShift = (shift & kShiftBit) != 0;
  const bool withCtrl = (shift & kCtrlBit) != 0;
  const int32_t len = Length(text);

  const bool copy = withCtrl && (keyCode == 67 || keyCode == 45);
  const bool cut = (withCtrl && keyCode == 88) || (withShift && !withCtrl && keyCode == 46);
  const bool paste = (withCtrl && keyCode == 86) || (withShift && !withCtrl && keyCode == 45);

  if (copy) {
    if (selLength > 0) clipboard.SetText(SelText());
  } else if (cut) {
    if (!locked && selLength > 0) {
      clipboard.SetText(SelText());
      ReplaceSelection({});
      Changed();
    }
  } else if (paste) {
    if (!locked) {
      const std::u16string pasted = clipboard.GetText();
      const bool changes = selLength > 0 || !pasted.empty();
      ReplaceSelection(pasted);
      if (changes) Changed();
    }
  } else if (keyCode == 46) {
    if (!locked) {
      if (selLength > 0) {
        ReplaceSelection({});
        Changed();
      } else if (selStart < len) {
        text.erase(static_cast<size_t>(selStart), 1);
        Changed();
      }
    }
  } else if (keyCode == 37) {  // Left
    if (withShift) {
      if (selStart > 0) {
        --selStart;
        ++selLength;
      }
    } else if (selLength > 0) {
      selLength = 0;
    } else {
      selStart = std::max(0, selStart - 1);
    }
  } else if (keyCode == 39) {  // Right
    if (withShift) {
      selLength = std::min(selLength + 1, len - selStart);
    } else if (selLength > 0) {
      selStart += selLength;
      selLength = 0;
    } else {
      selStart = std::min(len, selStart + 1);
    }
  } else if (keyCode == 36) {  // Home
    if (withShift) {
      selLength = selStart + selLength;
      selStart = 0;
    } else {
      selStart = 0;
      selLength = 0;
    }
  } else if (keyCode == 35) {  // End
    if (withShift) {
      selLength = len - selStart;
    } else {
      selStart = len;
      selLength = 0;
    }
  }
}

void HeadlessField::KeyPress(int16_t keyAscii) {
  if (!enabled) return;
  // A character (code 32 or more) is typing, whether the engine or the field writes it.
  Keystroke(static_cast<uint16_t>(keyAscii) >= 32, [&] {
    if (events != nullptr) events->FieldKeyPress(keyAscii);
    ActOnKeyPress(keyAscii);
  });
}

void HeadlessField::ActOnKeyPress(int16_t keyAscii) {
  if (keyAscii == 0 || locked) return;
  const auto unit = static_cast<char16_t>(static_cast<uint16_t>(keyAscii));
  if (unit == 8) {
    if (selLength > 0) {
      ReplaceSelection({});
      Changed();
    } else if (selStart > 0) {
      text.erase(static_cast<size_t>(selStart - 1), 1);
      --selStart;
      Changed();
    }
  } else if (unit >= 32) {
    ReplaceSelection(std::u16string(1, unit));
    Changed();
  }
}

void HeadlessField::KeyUp(int16_t keyCode, int16_t shift) {
  if (!enabled) return;
  if (events != nullptr) events->FieldKeyUp(keyCode, shift);
}

void HeadlessField::GotFocus() {
  if (enabled && events != nullptr) events->FieldGotFocus();
}

void HeadlessField::LostFocus() {
  if (enabled && events != nullptr) events->FieldLostFocus();
}

void HeadlessField::Click() {
  if (enabled && events != nullptr) events->FieldClick();
}

void HeadlessField::DblClick() {
  if (enabled && events != nullptr) events->FieldDblClick();
}

}  // namespace entrybox
