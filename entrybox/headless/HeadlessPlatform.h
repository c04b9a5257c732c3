// The headless reference platform: a container in memory that hosts controls for tests,
// scripts and examples. Everything it does is recorded so that it can be printed.
#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "entrybox/headless/HeadlessClipboard.h"
#include "entrybox/headless/HeadlessField.h"
#include "entrybox/platform/Button.h"
#include "entrybox/platform/Clock.h"
#include "entrybox/platform/ControlSite.h"
#include "entrybox/platform/Form.h"
#include "entrybox/platform/PropertyBag.h"

namespace entrybox {

/// A fixed date that tests and scripts set.
class HeadlessClock : public entrybox::Clock {
 public:
  std::chrono::year_month_day Today() const override { return today; }
  void SetToday(std::chrono::year_month_day value) { today = value; }

 private:
  std::chrono::year_month_day today{std::chrono::year{2000}, std::chrono::January,
                                    std::chrono::day{1}};
};

/// The drop-down button in memory: starts hidden at 0, 0 with size 0 x 0 and colour 0.
class HeadlessButton : public twButton {
 public:
  bool Visible() const override { return visible; }
  void SetVisible(bool value) override { visible = value; }
  double Left() const override { return left; }
  void SetLeft(double value) override { left = value; }
  double Top() const override { return top; }
  void SetTop(double value) override { top = value; }
  double Width() const override { return width; }
  void SetWidth(double value) override { width = value; }
  double Height() const override { return height; }
  void SetHeight(double value) override { height = value; }
  uint32_t BackColor() const override { return backColor; }
  void SetBackColor(uint32_t value) override { backColor = value; }
  void SetEvents(ButtonEvents* value) override { events = value; }

  /// The user clicks the button; a hidden button cannot be clicked.
  void Click();

 private:
  ButtonEvents* events = nullptr;
  bool visible = false;
  double left = 0, top = 0, width = 0, height = 0;
  uint32_t backColor = 0;
};

/// Shows forms by loading them and recording their captions; the user closes them at once.
class HeadlessFormHost : public FormHost {
 public:
  void ShowModal(Form& form) override;
  std::u16string LibraryTitle() const override { return u"entrybox"; }
  /// Captions of the forms shown, in order.
  std::vector<std::u16string> shown;
};

/// A property bag in memory: pairs kept in write order, defaults not stored.
class MemoryPropertyBag : public PropertyBag {
 public:
  MemoryPropertyBag() = default;
  explicit MemoryPropertyBag(std::vector<std::pair<std::string, Variant>> pairs)
      : pairs(std::move(pairs)) {}

  Variant ReadProperty(std::string_view key, const Variant& defaultValue) const override;
  void WriteProperty(std::string_view key, const Variant& value,
                     const Variant& defaultValue) override;

  const std::vector<std::pair<std::string, Variant>>& Pairs() const { return pairs; }

 private:
  std::vector<std::pair<std::string, Variant>> pairs;
};

class HeadlessContainer;

/// One control's place in a HeadlessContainer: its field, its button, its size.
class HeadlessSite : public ControlSite {
 public:
  HeadlessSite(HeadlessContainer& container, ControlEvents& events);

  HeadlessField& Field() override { return field; }
  HeadlessButton& Button() override { return button; }
  entrybox::Clipboard& Clipboard() override;
  const entrybox::Clock& Clock() const override;
  FormHost& Forms() override;
  ControlEvents& Events() override { return events; }
  void PropertyChanged(std::string_view name) override;
  bool CanPropertyChange(std::string_view name) override;
  Font AmbientFont() const override;
  double ScaleWidth() const override { return width; }
  double ScaleHeight() const override { return height; }
  void Refresh() override { ++refreshCount; }

  /// Sets the inner size; the owner then calls the control's Resize.
  void SetSize(double newWidth, double newHeight);
  int RefreshCount() const { return refreshCount; }

 private:
  HeadlessContainer& container;
  ControlEvents& events;
  HeadlessField field;
  HeadlessButton button;
  double width = 2000;
  double height = 300;
  int refreshCount = 0;
};

/// The container all headless controls share: clipboard, clock, forms, ambient font,
/// the answer to "may Text change", and the record of property-changed notifications.
class HeadlessContainer {
 public:
  HeadlessContainer() = default;
  HeadlessContainer(const HeadlessContainer&) = delete;
  HeadlessContainer& operator=(const HeadlessContainer&) = delete;

  /// A new site for a control whose events go to `events`.
  std::unique_ptr<HeadlessSite> NewSite(ControlEvents& events);

  HeadlessClipboard clipboard;
  HeadlessClock clock;
  HeadlessFormHost forms;
  Font ambientFont{u"Sans", 8};
  /// Whether "may this bindable property change" is answered yes.
  bool allowChanges = true;
  /// Names of the property-changed notifications, in order.
  std::vector<std::string> notified;
};

}  // namespace entrybox
