#include "entrybox/qt/QtKeys.h"

#include "entrybox/platform/Keys.h"

namespace entrybox {

namespace {

struct NamedKey {
  int qtKey;
  int16_t code;
};

// Keys whose virtual code is not their character. Keys without a code here: letters and
// digits (their character), F1..F24 (112 on), punctuation (the US key that types it).
constexpr NamedKey kNamedKeys[] = {
    {Qt::Key_Backspace, 8},    {Qt::Key_Tab, 9},     {Qt::Key_Backtab, 9},   {Qt::Key_Clear, 12},
    {Qt::Key_Return, 13},      {Qt::Key_Enter, 13},  {Qt::Key_Shift, 16},    {Qt::Key_Control, 17},
    {Qt::Key_Alt, 18},         {Qt::Key_Pause, 19},  {Qt::Key_CapsLock, 20}, {Qt::Key_Escape, 27},
    {Qt::Key_Space, 32},       {Qt::Key_PageUp, 33}, {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},
    {Qt::Key_Home, 36},        {Qt::Key_Left, 37},   {Qt::Key_Up, 38},       {Qt::Key_Right, 39},
    {Qt::Key_Down, 40},        {Qt::Key_Select, 41}, {Qt::Key_Printer, 42},  {Qt::Key_Execute, 43},
    {Qt::Key_Print, 44},       {Qt::Key_Insert, 45}, {Qt::Key_Delete, 46},   {Qt::Key_Help, 47},
    {Qt::Key_Meta, 91},        {Qt::Key_Menu, 93},   {Qt::Key_Sleep, 95},    {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145},
};

// Keypad keys that have their own virtual codes: 96..105 for the digits, then these.
constexpr NamedKey kKeypadKeys[] = {
    {Qt::Key_Asterisk, 106}, {Qt::Key_Plus, 107},  {Qt::Key_Minus, 109},
    {Qt::Key_Period, 110},   {Qt::Key_Comma, 110}, {Qt::Key_Slash, 111},
};

constexpr int16_t kNumpad0 = 96;
constexpr int16_t kF1 = 112;

}  // namespace

std::optional<int16_t> VirtualKeyOf(const QKeyEvent& event) {
  const int key = event.key();
  if (event.modifiers() & Qt::KeypadModifier) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
      return static_cast<int16_t>(kNumpad0 + (key - Qt::Key_0));
    }
    for (const auto& k : kKeypadKeys) {
      if (k.qtKey == key) return k.code;
    }
  }
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
    return static_cast<int16_t>(key);
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
    return static_cast<int16_t>(kF1 + (key - Qt::Key_F1));
  for (const auto& k : kNamedKeys) {
    if (k.qtKey == key) return k.code;
  }
  // Punctuation: Qt's key is the character itself, the code is the US key that types it.
  if (key > 0x20 && key < 0x7F) {
    if (const auto stroke = keys::KeystrokeFor(static_cast<char16_t>(key))) return stroke->keyCode;
  }
  if (key == Qt::Key_unknown || key == 0) {
    const quint32 native = event.nativeVirtualKey();
    if (native != 0 && native <= 0xFFFF) {
      return static_cast<int16_t>(static_cast<uint16_t>(native));
    }
  }
  return std::nullopt;
}

int16_t ShiftBitsOf(Qt::KeyboardModifiers modifiers) {
  int16_t shift = 0;
  if (modifiers & Qt::ShiftModifier) shift |= keys::kShift;
  if (modifiers & Qt::ControlModifier) shift |= keys::kCtrl;
  if (modifiers & Qt::AltModifier) shift |= keys::kAlt;
  return shift;
}

Qt::KeyboardModifiers ModifiersOf(int16_t shift) {
  Qt::KeyboardModifiers modifiers;
  if (shift & keys::kShift) modifiers |= Qt::ShiftModifier;
  if (shift & keys::kCtrl) modifiers |= Qt::ControlModifier;
  if (shift & keys::kAlt) modifiers |= Qt::AltModifier;
  return modifiers;
}

std::vector<int16_t> KeyPressCodesOf(const QKeyEvent& event) {
  std::vector<int16_t> codes;
  if (event.modifiers() & Qt::AltModifier) return codes;
  for (const QChar c : event.text()) {
    // Delete's text on X11 is "\x7f"; the key sends no character.
    if (c.unicode() == 0x7F && event.key() == Qt::Key_Delete) continue;
    codes.push_back(static_cast<int16_t>(c.unicode()));
  }
  return codes;
}

QtKey QtKeyFor(int16_t keyCode, int16_t shift) {
  const Qt::KeyboardModifiers modifiers = ModifiersOf(shift);
  const int code = static_cast<uint16_t>(keyCode);
  if (code >= 'A' && code <= 'Z') return {code, modifiers};
  if (code >= '0' && code <= '9') {
    // With Shift the keyboard reports the shifted character: Shift+1 is Key_Exclam.
    if (shift & keys::kShift)
      return {QStringLiteral(")!@#$%^&*(").at(code - '0').unicode(), modifiers};
    return {code, modifiers};
  }
  if (code >= kNumpad0 && code <= kNumpad0 + 9) {
    return {Qt::Key_0 + (code - kNumpad0), modifiers | Qt::KeypadModifier};
  }
  if (code >= kF1 && code < kF1 + 24) return {Qt::Key_F1 + (code - kF1), modifiers};
  for (const auto& k : kKeypadKeys) {
    if (k.code == code) return {k.qtKey, modifiers | Qt::KeypadModifier};
  }
  for (const auto& k : kNamedKeys) {
    if (k.code == code) return {k.qtKey, modifiers};
  }
  // Punctuation keys: the character the US key types, shifted or not.
  constexpr char16_t plain[] = u";=,-./`[\\]'";
  constexpr char16_t shifted[] = u":+<_>?~{|}\"";
  constexpr int16_t codes[] = {186, 187, 188, 189, 190, 191, 192, 219, 220, 221, 222};
  for (size_t i = 0; i < std::size(codes); ++i) {
    if (codes[i] == code) return {(shift & keys::kShift) ? shifted[i] : plain[i], modifiers};
  }
  return {Qt::Key_unknown, modifiers};
}

QKeyEvent MakeKeyEvent(QEvent::Type type, int16_t keyCode, int16_t shift, const QString& text) {
  const QtKey key = QtKeyFor(keyCode, shift);
  const quint32 native = key.key == Qt::Key_unknown ? static_cast<uint16_t>(keyCode) : 0;
  return QKeyEvent(type, key.key, key.modifiers, 0, native, 0, text);
}

}  // namespace entrybox
