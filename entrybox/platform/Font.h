// The font of an edit field: a name and a point size.
#pragma once

#include <string>

namespace entrybox {

/// A font as the container's standard font object carries it.
struct Font {
  std::u16string Name;
  double Size = 0;

  friend bool operator==(const Font&, const Font&) = default;
};

}  // namespace entrybox
