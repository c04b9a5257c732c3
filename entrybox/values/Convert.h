// Conversions of property values between kinds, as a host language makes them.
#pragma once

#include <cstdint>
#include <string>

#include "entrybox/platform/Font.h"
#include "entrybox/platform/Variant.h"

namespace entrybox {

/// Text of a value: a number by NumberToText, a Boolean as "True"/"False", empty as "".
/// A font raises Error 13.
std::u16string VariantToText(const Variant& v);
/// Number of a value: a text by the strict conversion (Error 13), a Boolean as -1/0,
/// empty as 0. A font raises Error 13.
double VariantToNumber(const Variant& v);
/// Boolean of a value: a number is true when non-zero; a text when it is "true" or
/// "false" in any case (blanks around allowed), or a number; else Error 13. Empty is
/// false; a font raises Error 13.
bool VariantToBool(const Variant& v);
/// Font of a value; any other kind raises Error 13.
Font VariantToFont(const Variant& v);
/// Narrowed numbers (Error 6 outside the range).
int32_t VariantToInt32(const Variant& v);
int16_t VariantToInt16(const Variant& v);
/// A colour: the value brought to a whole number (halves to even), which must lie from 0
/// to 4294967295 (Error 6 outside); a text converts strictly first (Error 13).
uint32_t VariantToColor(const Variant& v);

}  // namespace entrybox
