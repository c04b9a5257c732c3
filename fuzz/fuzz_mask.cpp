// libFuzzer target: keystrokes, properties, focus, clipboard and persistence on a
// mask box, with its invariants checked after every step (see README.md).
#include <cstddef>
#include <cstdint>

#include "ControlFuzzer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return entrybox::fuzz::RunControlFuzz("mask", data, size);
}
