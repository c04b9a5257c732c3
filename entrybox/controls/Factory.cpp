#include "entrybox/controls/Factory.h"

#include "entrybox/controls/twLong.h"
#include "entrybox/controls/twReal.h"

namespace entrybox {

std::unique_ptr<InputControl> CreateControl(std::string_view kind, ControlSite& site) {
  if (kind == "long") return std::make_unique<twLong>(site);
  if (kind == "real") return std::make_unique<twReal>(site);
  return nullptr;
}

}  // namespace entrybox
