#include "entrybox/platform/Error.h"

#include <utility>

namespace entrybox {

Error::Error(int32_t number, std::string description, std::string source, std::string helpFile,
             int32_t helpContext)
    : std::runtime_error(description),
      number(number),
      description(std::move(description)),
      source(std::move(source)),
      helpFile(std::move(helpFile)),
      helpContext(helpContext) {}

void RaiseTypeMismatch() {
  throw Error(errors::kTypeMismatch, "Type mismatch");
}
void RaiseOverflow() {
  throw Error(errors::kOverflow, "Overflow");
}
void RaiseInvalidPropertyValue() {
  throw Error(errors::kInvalidPropertyValue, "Invalid property value");
}
void RaiseNotSupported() {
  throw Error(errors::kNotSupported, "Object doesn't support this property or method");
}
void RaiseReadOnly() {
  throw Error(errors::kReadOnlyProperty, "Property is read-only");
}
void RaiseLibraryError(std::string description) {
  throw Error(errors::kLibrary, std::move(description));
}

}  // namespace entrybox
