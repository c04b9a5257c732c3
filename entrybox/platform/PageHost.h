// What a design-time property page needs of its host, the designer's property dialog:
// the selected controls, reached through their properties by name, the page's changed
// flag, and the two notifications the host sends the page.
#pragma once

#include <cstddef>
#include <string_view>

#include "entrybox/platform/Variant.h"

namespace entrybox {

/// A selected control as a page reaches it: its properties by name, names matched
/// without regard to case. Failures are entrybox::Error and reach the page's caller.
class PropertyAccess {
 public:
  virtual ~PropertyAccess() = default;
  virtual Variant GetProperty(std::string_view name) = 0;
  virtual void SetProperty(std::string_view name, const Variant& value) = 0;
};

/// The notifications the host sends its page (the page implements it).
class PageEvents {
 public:
  /// The page is shown or the selection changed: the page loads its fields.
  virtual void SelectionChanged() = 0;
  /// The user confirmed (OK or Apply) while the changed flag was set: the page writes
  /// its fields. An error stops the apply and reaches the host.
  virtual void ApplyChanges() = 0;

 protected:
  ~PageEvents() = default;
};

/// The property page host.
class PageHost {
 public:
  virtual ~PageHost() = default;

  /// How many controls are selected; item 0 is the first.
  virtual size_t SelectedCount() const = 0;
  /// Selected control `index` (0-based, below SelectedCount()).
  virtual PropertyAccess& SelectedControl(size_t index) = 0;

  /// The page's changed flag: the page sets it when the user edits a field, and the
  /// host then offers to apply.
  virtual bool Changed() const = 0;
  virtual void SetChanged(bool value) = 0;

  /// The page that receives SelectionChanged and ApplyChanges; null for none.
  virtual void SetEvents(PageEvents* page) = 0;
};

}  // namespace entrybox
