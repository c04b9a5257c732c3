#include "entrybox/controls/Factory.h"

#include "entrybox/controls/twDate.h"
#include "entrybox/controls/twLong.h"
#include "entrybox/controls/twMask.h"
#include "entrybox/controls/twReal.h"

namespace entrybox {

std::unique_ptr<InputControl> CreateControl(std::string_view kind, ControlSite& site) {
  if (kind == "long") return std::make_unique<twLong>(site);
  if (kind == "real") return std::make_unique<twReal>(site);
  if (kind == "date") return std::make_unique<twDate>(site);
  if (kind == "mask") return std::make_unique<twMask>(site);
  return nullptr;
}

}  // namespace entrybox
