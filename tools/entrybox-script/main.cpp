// entrybox-script: runs scenario scripts on the headless platform.
//   entrybox-script run FILE...     print every output line
//   entrybox-script check FILE...   compare with the "> " lines; exit 1 on a mismatch
#include <iostream>
#include <string>

#include "Runner.h"

int main(int argc, char** argv) {
  const std::string usage = "usage: entrybox-script run|check FILE...\n";
  if (argc < 3) {
    std::cerr << usage;
    return 2;
  }
  const std::string mode = argv[1];
  if (mode != "run" && mode != "check") {
    std::cerr << usage;
    return 2;
  }
  int status = 0;
  for (int i = 2; i < argc; ++i) {
    const int result = entrybox::script::RunFile(argv[i], mode == "check", std::cout, std::cerr);
    if (result > status) status = result;
  }
  return status;
}
