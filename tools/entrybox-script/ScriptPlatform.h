// The platform a scenario script runs on: where its controls live and how the user's
// keys, focus and clicks reach them. The headless platform is the reference; the Qt one
// (built when the Qt binding is) sends real Qt events to real widgets.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "entrybox/controls/InputControl.h"
#include "entrybox/platform/Button.h"
#include "entrybox/platform/Clipboard.h"
#include "entrybox/platform/ControlEvents.h"
#include "entrybox/platform/EditField.h"
#include "entrybox/platform/Keys.h"

namespace entrybox {
class HeadlessContainer;
}

namespace entrybox::script {

/// One control of a script and the user's actions on it, as its platform delivers them.
/// An error the control raises while handling an action reaches the caller.
class ScriptControl {
 public:
  virtual ~ScriptControl() = default;

  virtual InputControl& Control() = 0;
  virtual EditField& Field() = 0;
  virtual twButton& Button() = 0;
  /// The control's inner size in its own units.
  virtual double Width() const = 0;
  virtual double Height() const = 0;
  /// Sets the inner size; the caller then lays the control out (Resize).
  virtual void SetSize(double width, double height) = 0;

  /// One keystroke: KeyDown (when `key` is set), a KeyPress for each code unit of
  /// `chars`, then KeyUp with KeyDown's code and bits (when `key` is set).
  virtual void Keystroke(const std::optional<keys::Keystroke>& key,
                         const std::u16string& chars) = 0;
  virtual void KeyDown(int16_t code, int16_t shift) = 0;
  virtual void KeyPress(int16_t code) = 0;
  virtual void KeyUp(int16_t code, int16_t shift) = 0;
  virtual void Focus() = 0;
  virtual void Blur() = 0;
  virtual void ClickField() = 0;
  virtual void DblClickField() = 0;
  /// A hidden button cannot be clicked: nothing happens then.
  virtual void ClickButton() = 0;
};

/// The platform of one script run: its controls, clipboard, clock and container.
class ScriptPlatform {
 public:
  virtual ~ScriptPlatform() = default;

  /// "headless" or "qt".
  virtual std::string_view Name() const = 0;
  /// A new control of `kind` whose events go to `events`, created but not initialised;
  /// null for an unknown kind.
  virtual std::unique_ptr<ScriptControl> NewControl(std::string_view kind,
                                                    ControlEvents& events) = 0;
  virtual entrybox::Clipboard& Clipboard() = 0;
  virtual void SetToday(std::chrono::year_month_day date) = 0;
  /// The container's answer to "may this bindable property change".
  virtual void SetAllowChanges(bool allow) = 0;
  /// The property-changed notifications since the last call, in order.
  virtual std::vector<std::string> TakeNotified() = 0;
  /// The captions of the forms shown since the last call, in order.
  virtual std::vector<std::u16string> TakeShownForms() = 0;
  /// The headless container, or null on another platform.
  virtual HeadlessContainer* Headless() { return nullptr; }
};

/// Makes the platform of one script run.
using PlatformFactory = std::function<std::unique_ptr<ScriptPlatform>()>;

/// The headless reference platform.
std::unique_ptr<ScriptPlatform> MakeHeadlessPlatform();

}  // namespace entrybox::script
