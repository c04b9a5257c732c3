#include "entrybox/qt/QtContainer.h"

#include "entrybox/qt/QtConvert.h"

namespace entrybox {

entrybox::Font QtContainer::AmbientFont(const QWidget& control) const {
  if (ambientFont) return *ambientFont;
  return FromQFont(control.font());
}

}  // namespace entrybox
