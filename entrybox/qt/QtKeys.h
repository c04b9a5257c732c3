// Qt's key events in the controls' terms, and back: virtual key codes, Shift bits and
// the character codes of KeyPress.
#pragma once

#include <QKeyEvent>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace entrybox {

/// The virtual key code of a key event: Qt::Key_A -> 65, Qt::Key_Exclam -> 49 (the key
/// that types it on a US keyboard), Qt::Key_3 on the keypad -> 99 (Numpad3). A key Qt has
/// no code for reaches the controls with the event's native virtual key when that fits 16
/// bits; nothing for a key with neither.
std::optional<int16_t> VirtualKeyOf(const QKeyEvent& event);

/// The Shift bits of Qt's modifiers: 1 Shift, 2 Ctrl, 4 Alt.
int16_t ShiftBitsOf(Qt::KeyboardModifiers modifiers);
Qt::KeyboardModifiers ModifiersOf(int16_t shift);

/// The KeyPress codes of a key press: one per UTF-16 code unit of its text ("a" -> 97,
/// Ctrl+C's "\x03" -> 3, Backspace's "\b" -> 8), none with Alt held (the platform sends
/// Alt combinations as commands, not characters), and none for the Delete key's "\x7f".
std::vector<int16_t> KeyPressCodesOf(const QKeyEvent& event);

/// A Qt key and modifiers for a virtual key code with Shift bits, as a keyboard would
/// send them: (65, 0) -> Key_A; (49, Shift) -> Key_Exclam + Shift; (99, 0) -> Key_3 on
/// the keypad. A code Qt has no key for gives Qt::Key_unknown; the caller puts the code in
/// the event's native virtual key.
struct QtKey {
  int key;
  Qt::KeyboardModifiers modifiers;
};
QtKey QtKeyFor(int16_t keyCode, int16_t shift);

/// A complete key event for a virtual key, Shift bits and text, whose VirtualKeyOf and
/// KeyPressCodesOf give back `keyCode` and `text`'s code units.
QKeyEvent MakeKeyEvent(QEvent::Type type, int16_t keyCode, int16_t shift, const QString& text);

}  // namespace entrybox
