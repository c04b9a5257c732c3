// A property value as hosts and property bags exchange it: empty, text, number,
// Boolean or font. Conversions between the kinds live in values/Convert.h.
#pragma once

#include <string>
#include <variant>

#include "entrybox/platform/Font.h"

namespace entrybox {

/// A value of one of the kinds a property bag stores. Numbers are doubles.
using Variant = std::variant<std::monostate, std::u16string, double, bool, Font>;

inline bool IsEmpty(const Variant& v) {
  return std::holds_alternative<std::monostate>(v);
}
inline bool IsText(const Variant& v) {
  return std::holds_alternative<std::u16string>(v);
}
inline bool IsNumber(const Variant& v) {
  return std::holds_alternative<double>(v);
}
inline bool IsBool(const Variant& v) {
  return std::holds_alternative<bool>(v);
}
inline bool IsFont(const Variant& v) {
  return std::holds_alternative<Font>(v);
}

}  // namespace entrybox
