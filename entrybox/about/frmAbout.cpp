#include "entrybox/about/frmAbout.h"

namespace entrybox {

void frmAbout::Load(const std::u16string& libraryTitle) {
  caption = u"About " + libraryTitle;
  unloaded = false;
}

}  // namespace entrybox
