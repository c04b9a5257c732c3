// What a control needs of its container: the parts it hosts (edit field, drop-down
// button), the platform services (clipboard, clock, forms) and the container's own
// operations (notifications, ambient font, size, the host's event sink).
#pragma once

#include <string>
#include <string_view>

#include "entrybox/platform/Button.h"
#include "entrybox/platform/Clipboard.h"
#include "entrybox/platform/Clock.h"
#include "entrybox/platform/ControlEvents.h"
#include "entrybox/platform/EditField.h"
#include "entrybox/platform/Font.h"
#include "entrybox/platform/Form.h"

namespace entrybox {

/// One control's place in its container. It outlives the control.
class ControlSite {
 public:
  virtual ~ControlSite() = default;

  virtual EditField& Field() = 0;
  virtual twButton& Button() = 0;
  virtual entrybox::Clipboard& Clipboard() = 0;
  virtual const entrybox::Clock& Clock() const = 0;
  virtual FormHost& Forms() = 0;
  /// The host's event sink.
  virtual ControlEvents& Events() = 0;

  /// Tells the container that a persisted property changed (names match without case).
  virtual void PropertyChanged(std::string_view name) = 0;
  /// Asks whether the bindable property may change now.
  virtual bool CanPropertyChange(std::string_view name) = 0;
  virtual Font AmbientFont() const = 0;
  /// The control's inner size, in its own units.
  virtual double ScaleWidth() const = 0;
  virtual double ScaleHeight() const = 0;
  /// Redraws the control's own surface.
  virtual void Refresh() = 0;
};

}  // namespace entrybox
