// The form-file commands of the scenario runner.
#pragma once

#include <memory>

#include "Runner.h"

namespace entrybox::script {

/// `bag save "FILE"`, `bag load "FILE" [as NAME]` and `bag scratch`: the current control's
/// property bag to and from a form file (entrybox/forms/FormFile.h).
std::unique_ptr<CommandSet> MakeBagCommands();

}  // namespace entrybox::script
