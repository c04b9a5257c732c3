// Text helpers with the editing logic's conventions: positions are 1-based, taking
// characters beyond the end gives "", searching for "" finds it at the start position.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace entrybox {

/// The first n characters (all of them when n is larger; "" when n <= 0).
std::u16string Left(std::u16string_view s, std::ptrdiff_t n);
/// The last n characters.
std::u16string Right(std::u16string_view s, std::ptrdiff_t n);
/// From 1-based position start on, at most length characters (all when length < 0).
std::u16string Mid(std::u16string_view s, std::ptrdiff_t start, std::ptrdiff_t length = -1);
/// 1-based position of find in s at or after start, 0 when absent. "" is found at start
/// (when start lies within s or just after it).
std::ptrdiff_t InStr(std::ptrdiff_t start, std::u16string_view s, std::u16string_view find);
inline std::ptrdiff_t InStr(std::u16string_view s, std::u16string_view find) {
  return InStr(1, s, find);
}
/// The character at 1-based position i, or "" beyond the ends.
std::u16string CharAt(std::u16string_view s, std::ptrdiff_t i);
/// n copies of c.
std::u16string Repeat(char16_t c, std::ptrdiff_t n);
/// ASCII case mapping; other code units are left as they are.
std::u16string LCase(std::u16string_view s);
std::u16string UCase(std::u16string_view s);
/// Case-insensitive (ASCII) equality.
bool EqualsNoCase(std::u16string_view a, std::u16string_view b);
bool EqualsNoCase(std::string_view a, std::string_view b);

/// UTF-8 and UTF-16 at the edges (files, scripts, terminal). Ill-formed input maps to
/// U+FFFD; lone surrogates in UTF-16 are written as their 3-byte form.
std::u16string FromUtf8(std::string_view s);
std::string ToUtf8(std::u16string_view s);

/// Literal helper: u16 from ASCII/UTF-8 text.
inline std::u16string U(std::string_view s) {
  return FromUtf8(s);
}

}  // namespace entrybox
