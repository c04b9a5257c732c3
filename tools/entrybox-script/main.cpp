// entrybox-script: runs scenario scripts on the headless platform, or on another one.
//   entrybox-script [--platform NAME] run FILE...     print every output line
//   entrybox-script [--platform NAME] check FILE...   compare with the "> " lines; exit 1
//                                                     on a mismatch
// NAME is "headless" (the default); "web": the same scripts in headless Chromium, with
// DOM events sent to the controls' <input> elements (needs scripts/web.sh build); or,
// when built with the Qt binding, "qt": real Qt key, focus and mouse events sent to the
// Qt widgets. A run in which
// every script was skipped (headless-only scripts on another platform) exits with 77.
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "Runner.h"
#include "WebScriptPlatform.h"
#if ENTRYBOX_SCRIPT_QT
#include "QtScriptPlatform.h"
#endif

namespace {

struct NamedPlatform {
  const char* name;
  entrybox::script::PlatformFactory make;
};

const std::vector<NamedPlatform>& Platforms() {
  static const std::vector<NamedPlatform> platforms = {
    {"headless", entrybox::script::MakeHeadlessPlatform},
#if ENTRYBOX_SCRIPT_QT
    {"qt", entrybox::script::MakeQtPlatform},
#endif
  };
  return platforms;
}

}  // namespace

int main(int argc, char** argv) {
  std::string platforms;
  for (const auto& p : Platforms())
    platforms += (platforms.empty() ? "" : "|") + std::string(p.name);
  platforms += "|web";
  const std::string usage =
      "usage: entrybox-script [--platform " + platforms + "] run|check FILE...\n";
  std::string platform = "headless";
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--platform" && i + 1 < argc) {
      platform = argv[++i];
    } else if (arg.rfind("--platform=", 0) == 0) {
      platform = arg.substr(11);
    } else {
      args.push_back(arg);
    }
  }
  if (args.size() < 2 || (args[0] != "run" && args[0] != "check")) {
    std::cerr << usage;
    return 2;
  }
  if (platform == "web") {
    const std::vector<std::string> files(args.begin() + 1, args.end());
    return entrybox::script::RunWebFiles(files, args[0] == "check", std::cout, std::cerr);
  }
  const NamedPlatform* chosen = nullptr;
  for (const auto& p : Platforms()) {
    if (platform == p.name) chosen = &p;
  }
  if (chosen == nullptr) {
    std::cerr << "entrybox-script: no platform \"" << platform << "\" in this build\n" << usage;
    return 2;
  }
#if ENTRYBOX_SCRIPT_QT
  std::optional<entrybox::script::QtScriptApplication> application;
  if (platform == "qt") application.emplace();
#endif
  int status = 0;
  bool allSkipped = true;
  for (size_t i = 1; i < args.size(); ++i) {
    const int result =
        entrybox::script::RunFile(args[i], args[0] == "check", std::cout, std::cerr, chosen->make);
    if (result == entrybox::script::kSkipped) continue;
    allSkipped = false;
    if (result > status) status = result;
  }
  return allSkipped ? entrybox::script::kSkipped : status;
}
