// Virtual key codes and Shift bits, and the US keyboard layout that turns a typed
// character into its keystroke. Both platforms and the script runner use this table.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace entrybox::keys {

// Shift bits of KeyDown and KeyUp.
inline constexpr int16_t kShift = 1;
inline constexpr int16_t kCtrl = 2;
inline constexpr int16_t kAlt = 4;

// Virtual key codes the controls handle.
inline constexpr int16_t kBack = 8;
inline constexpr int16_t kReturn = 13;
inline constexpr int16_t kEscape = 27;
inline constexpr int16_t kSpace = 32;
inline constexpr int16_t kEnd = 35;
inline constexpr int16_t kHome = 36;
inline constexpr int16_t kLeft = 37;
inline constexpr int16_t kUp = 38;
inline constexpr int16_t kRight = 39;
inline constexpr int16_t kDown = 40;
inline constexpr int16_t kInsert = 45;
inline constexpr int16_t kDelete = 46;
inline constexpr int16_t kNumpad3 = 99;
inline constexpr int16_t kF7 = 118;
inline constexpr int16_t kF9 = 120;

/// The keystroke that types a character on a US keyboard.
struct Keystroke {
  int16_t keyCode;  // virtual key of KeyDown and KeyUp
  int16_t shift;    // Shift bits held
};

/// The key that types `c` on a US keyboard, or nothing for characters that have none
/// (they arrive as KeyPress only). "A" -> {65, Shift}; "!" -> {49, Shift}; ";" -> {186, 0}.
constexpr std::optional<Keystroke> KeystrokeFor(char16_t c) {
  if (c >= u'0' && c <= u'9') return Keystroke{static_cast<int16_t>(c), 0};
  if (c >= u'a' && c <= u'z') return Keystroke{static_cast<int16_t>(c - 32), 0};
  if (c >= u'A' && c <= u'Z') return Keystroke{static_cast<int16_t>(c), kShift};
  if (c == u' ') return Keystroke{kSpace, 0};
  constexpr std::u16string_view shiftedDigits = u")!@#$%^&*(";
  if (auto i = shiftedDigits.find(c); i != std::u16string_view::npos) {
    return Keystroke{static_cast<int16_t>(48 + i), kShift};
  }
  constexpr std::u16string_view plain = u";=,-./`[\\]'";
  constexpr std::u16string_view shifted = u":+<_>?~{|}\"";
  constexpr int16_t codes[] = {186, 187, 188, 189, 190, 191, 192, 219, 220, 221, 222};
  if (auto i = plain.find(c); i != std::u16string_view::npos) return Keystroke{codes[i], 0};
  if (auto i = shifted.find(c); i != std::u16string_view::npos) {
    return Keystroke{codes[i], kShift};
  }
  return std::nullopt;
}

}  // namespace entrybox::keys
