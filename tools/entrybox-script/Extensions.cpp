// The command sets that later parts of the library add to the scenario runner.
#include "Runner.h"

namespace entrybox::script {

void AddExtensions(Runner& /*runner*/) {}

}  // namespace entrybox::script
