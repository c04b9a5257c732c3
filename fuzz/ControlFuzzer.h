// The keystroke fuzzer shared by the four control targets: decodes the input into
// operations on one control and checks the control's invariants after every step
// (fuzz/README.md lists them).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace entrybox::fuzz {

/// Runs one fuzz input against a control of `kind` ("long", "real", "date", "mask").
/// Returns 0; a broken invariant prints what broke and aborts. A kind that the library
/// does not make (yet) is skipped.
int RunControlFuzz(std::string_view kind, const uint8_t* data, size_t size);

}  // namespace entrybox::fuzz
