// The headless property page host: a designer's property dialog in memory, for tests
// and scripts.
#pragma once

#include <cstddef>
#include <vector>

#include "entrybox/platform/PageHost.h"

namespace entrybox {

/// Holds the selection and the changed flag, and sends the page its notifications the
/// way a designer does: on showing or reselecting, and on confirming while changed.
class HeadlessPageHost : public PageHost {
 public:
  /// Selects the controls (not owned; they outlive the selection) and tells the page
  /// that the selection changed.
  void Select(std::vector<PropertyAccess*> controls);

  size_t SelectedCount() const override { return selection.size(); }
  /// Error 9 "Subscript out of range" for an index beyond the selection.
  PropertyAccess& SelectedControl(size_t index) override;
  bool Changed() const override { return changed; }
  void SetChanged(bool value) override { changed = value; }
  void SetEvents(PageEvents* page) override { events = page; }

  /// The user confirms: the page applies when the changed flag is set, and the flag is
  /// cleared once the apply succeeded. After an error (which reaches the caller) the
  /// flag stays set, so the designer can correct the field and confirm again.
  void Confirm();

 private:
  std::vector<PropertyAccess*> selection;
  PageEvents* events = nullptr;
  bool changed = false;
};

}  // namespace entrybox
