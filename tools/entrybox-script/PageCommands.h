// The property-page commands of the scenario runner.
#pragma once

#include <memory>

#include "Runner.h"

namespace entrybox::script {

/// `page NAME [CONTROL ...]`, `page edit FIELD VALUE`, `page blur FIELD`, `page apply`
/// and `print page`, on a headless page host.
std::unique_ptr<CommandSet> MakePageCommands();

}  // namespace entrybox::script
