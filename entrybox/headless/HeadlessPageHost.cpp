#include "entrybox/headless/HeadlessPageHost.h"

#include <utility>

#include "entrybox/platform/Error.h"

namespace entrybox {

void HeadlessPageHost::Select(std::vector<PropertyAccess*> controls) {
  selection = std::move(controls);
  if (events != nullptr) events->SelectionChanged();
}

PropertyAccess& HeadlessPageHost::SelectedControl(size_t index) {
  if (index >= selection.size()) throw Error(9, "Subscript out of range");
  return *selection[index];
}

void HeadlessPageHost::Confirm() {
  if (!changed || events == nullptr) return;
  events->ApplyChanges();
  changed = false;
}

}  // namespace entrybox
