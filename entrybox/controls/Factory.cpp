#include "entrybox/controls/Factory.h"

#include "entrybox/controls/twLong.h"

namespace entrybox {

std::unique_ptr<InputControl> CreateControl(std::string_view kind, ControlSite& site) {
  if (kind == "long") return std::make_unique<twLong>(site);
  return nullptr;
}

}  // namespace entrybox
