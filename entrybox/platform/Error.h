// Errors raised by the library: a number and a description, as hosts expect them.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace entrybox {

/// An error reported to the caller: number, description, source, help file, help context.
class Error : public std::runtime_error {
 public:
  Error(int32_t number, std::string description, std::string source = {}, std::string helpFile = {},
        int32_t helpContext = 0);

  int32_t Number() const { return number; }
  const std::string& Description() const { return description; }
  const std::string& Source() const { return source; }
  const std::string& HelpFile() const { return helpFile; }
  int32_t HelpContext() const { return helpContext; }

 private:
  int32_t number;
  std::string description;
  std::string source;
  std::string helpFile;
  int32_t helpContext;
};

/// Error numbers the library raises.
namespace errors {
inline constexpr int32_t kOverflow = 6;
inline constexpr int32_t kTypeMismatch = 13;
inline constexpr int32_t kInvalidPropertyValue = 380;
inline constexpr int32_t kReadOnlyProperty = 383;
inline constexpr int32_t kNotSupported = 438;
inline constexpr int32_t kLibrary = 8000;
}  // namespace errors

/// 13 "Type mismatch": a conversion failed.
[[noreturn]] void RaiseTypeMismatch();
/// 6 "Overflow": a value does not fit its type.
[[noreturn]] void RaiseOverflow();
/// 380 "Invalid property value": a value the field or control refuses.
[[noreturn]] void RaiseInvalidPropertyValue();
/// 438 "Object doesn't support this property or method".
[[noreturn]] void RaiseNotSupported();
/// 383 "Property is read-only".
[[noreturn]] void RaiseReadOnly();
/// 8000 with the library's own message.
[[noreturn]] void RaiseLibraryError(std::string description);

}  // namespace entrybox
