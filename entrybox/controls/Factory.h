// Creating a control by its kind's name.
#pragma once

#include <memory>
#include <string_view>

#include "entrybox/controls/InputControl.h"
#include "entrybox/platform/ControlSite.h"

namespace entrybox {

/// A new control of the kind "long", "real", "date" or "mask" on `site`, not yet
/// initialised; null for an unknown kind.
std::unique_ptr<InputControl> CreateControl(std::string_view kind, ControlSite& site);

}  // namespace entrybox
