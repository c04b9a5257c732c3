// The command sets that later parts of the library add to the scenario runner.
#include "BagCommands.h"
#include "PageCommands.h"
#include "Runner.h"

namespace entrybox::script {

void AddExtensions(Runner& runner) {
  runner.AddCommands(MakePageCommands());
  runner.AddCommands(MakeBagCommands());
}

}  // namespace entrybox::script
