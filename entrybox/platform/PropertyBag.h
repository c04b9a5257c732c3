// The container's property bag: where a control saves and loads its properties.
#pragma once

#include <string>
#include <string_view>

#include "entrybox/platform/Variant.h"

namespace entrybox {

/// Keyed storage of persisted properties. A value equal to its default (same kind and
/// equal) is not stored; an absent key reads as the default.
class PropertyBag {
 public:
  virtual ~PropertyBag() = default;
  virtual Variant ReadProperty(std::string_view key, const Variant& defaultValue) const = 0;
  virtual void WriteProperty(std::string_view key, const Variant& value,
                             const Variant& defaultValue) = 0;
};

/// True when two values are of the same kind and equal (the text "0" is not the number 0).
inline bool SameValue(const Variant& a, const Variant& b) {
  return a == b;
}

}  // namespace entrybox
