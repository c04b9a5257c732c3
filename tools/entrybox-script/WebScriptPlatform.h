// The browser platform of the scenario runner. In the page (the runner compiled to
// WebAssembly), MakeWebPlatform puts every control in an <input> and a <button> of the
// page and sends it DOM keyboard, clipboard, focus and mouse events. On the command line,
// RunWebFiles hands the scripts to that page in headless Chromium (web/script-driver.mjs).
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "ScriptPlatform.h"

namespace entrybox::script {

#ifdef __EMSCRIPTEN__
/// Scripts on the browser platform, in the page that runs the module.
std::unique_ptr<ScriptPlatform> MakeWebPlatform();
#else
/// Runs script files in headless Chromium through the Node driver, as RunFile does on
/// another platform: the same output on `out` and `err`, and the highest status (kSkipped
/// when every script was skipped). The web build (scripts/web.sh build) must exist; its
/// folder is $ENTRYBOX_WEB_BUILD or build-web in the source tree. Status 2 with a message
/// on `err` when the driver cannot start or stops answering.
int RunWebFiles(const std::vector<std::string>& files, bool check, std::ostream& out,
                std::ostream& err);
#endif

}  // namespace entrybox::script
