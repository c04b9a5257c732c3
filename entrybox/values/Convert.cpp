#include "entrybox/values/Convert.h"

#include <cmath>
#include <type_traits>

#include "entrybox/platform/Error.h"
#include "entrybox/values/Number.h"
#include "entrybox/values/Strings.h"

namespace entrybox {

namespace {

std::u16string_view TrimBlanks(std::u16string_view s) {
  const auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
  while (!s.empty() && blank(s.front()))
    s.remove_prefix(1);
  while (!s.empty() && blank(s.back()))
    s.remove_suffix(1);
  return s;
}

}  // namespace

std::u16string VariantToText(const Variant& v) {
  return std::visit(
      [](const auto& x) -> std::u16string {
        using T = std::decay_t<decltype(x)>;
        if constexpr (std::is_same_v<T, std::monostate>) {
          return {};
        } else if constexpr (std::is_same_v<T, std::u16string>) {
          return x;
        } else if constexpr (std::is_same_v<T, double>) {
          return NumberToText(x);
        } else if constexpr (std::is_same_v<T, bool>) {
          return x ? u"True" : u"False";
        } else {
          RaiseTypeMismatch();
        }
      },
      v);
}

double VariantToNumber(const Variant& v) {
  return std::visit(
      [](const auto& x) -> double {
        using T = std::decay_t<decltype(x)>;
        if constexpr (std::is_same_v<T, std::monostate>) {
          return 0;
        } else if constexpr (std::is_same_v<T, std::u16string>) {
          return ToNumber(x);
        } else if constexpr (std::is_same_v<T, double>) {
          return x;
        } else if constexpr (std::is_same_v<T, bool>) {
          return x ? -1 : 0;  // a host's True is all bits set
        } else {
          RaiseTypeMismatch();
        }
      },
      v);
}

bool VariantToBool(const Variant& v) {
  if (const auto* text = std::get_if<std::u16string>(&v)) {
    const std::u16string_view word = TrimBlanks(*text);
    if (EqualsNoCase(word, u"true")) return true;
    if (EqualsNoCase(word, u"false")) return false;
    return ToNumber(*text) != 0;
  }
  if (const auto* b = std::get_if<bool>(&v)) return *b;
  return VariantToNumber(v) != 0;
}

Font VariantToFont(const Variant& v) {
  if (const auto* font = std::get_if<Font>(&v)) return *font;
  RaiseTypeMismatch();
}

int32_t VariantToInt32(const Variant& v) {
  return ToInt32(VariantToNumber(v));
}

int16_t VariantToInt16(const Variant& v) {
  return ToInt16(VariantToNumber(v));
}

uint32_t VariantToColor(const Variant& v) {
  const double value = VariantToNumber(v);
  if (!std::isfinite(value)) RaiseOverflow();
  // Halves to even, as the other narrowings.
  double r = std::floor(value);
  const double diff = value - r;
  if (diff > 0.5 || (diff == 0.5 && std::fmod(r, 2.0) != 0)) r += 1;
  if (r < 0 || r > 4294967295.0) RaiseOverflow();
  return static_cast<uint32_t>(r);
}

}  // namespace entrybox
