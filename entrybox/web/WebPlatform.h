// The browser platform: the clipboard, clock, drop-down button, form host and container
// that controls in a web page use, and the site that puts one control in an element.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "entrybox/headless/HeadlessPlatform.h"
#include "entrybox/platform/Button.h"
#include "entrybox/platform/Clipboard.h"
#include "entrybox/platform/Clock.h"
#include "entrybox/platform/ControlSite.h"
#include "entrybox/platform/Form.h"
#include "entrybox/web/WebField.h"

namespace entrybox::web {

/// The text the page last exchanged with the system clipboard. A page reads the system
/// clipboard only inside its paste event, so the field takes the text from there.
class WebClipboard : public Clipboard {
 public:
  std::u16string GetText() const override { return text; }
  void SetText(const std::u16string& value) override {
    text = value;
    ++writes;
  }
  /// How often the text was written (tells a copy that copied from one that did not).
  uint32_t Writes() const { return writes; }

 private:
  std::u16string text;
  uint32_t writes = 0;
};

/// The browser's local date, or a date set for tests.
class WebClock : public entrybox::Clock {
 public:
  std::chrono::year_month_day Today() const override;
  void SetToday(std::chrono::year_month_day value) { fixed = value; }

 private:
  std::optional<std::chrono::year_month_day> fixed;
};

/// The drop-down button shown in the element's <button>.
class WebButton : public HeadlessButton {
 public:
  explicit WebButton(int element) : element(element) {}
  void SetVisible(bool value) override;
  void SetBackColor(uint32_t value) override;

 private:
  int element;
};

/// Shows a form in the page's dialog (non-blocking: a page cannot wait) and records it.
class WebFormHost : public FormHost {
 public:
  void ShowModal(Form& form) override;
  std::u16string LibraryTitle() const override { return u"entrybox"; }
  /// Captions of the forms shown, in order.
  std::vector<std::u16string> shown;
};

class WebContainer;

/// One control's place in the page: its element's field and button.
class WebSite : public ControlSite {
 public:
  WebSite(int element, WebContainer& container, ControlEvents& events);
  ~WebSite() override;
  WebSite(const WebSite&) = delete;
  WebSite& operator=(const WebSite&) = delete;

  WebField& Field() override { return field; }
  WebButton& Button() override { return button; }
  entrybox::Clipboard& Clipboard() override;
  const entrybox::Clock& Clock() const override;
  FormHost& Forms() override;
  ControlEvents& Events() override { return events; }
  void PropertyChanged(std::string_view name) override;
  bool CanPropertyChange(std::string_view name) override;
  Font AmbientFont() const override;
  double ScaleWidth() const override { return width; }
  double ScaleHeight() const override { return height; }
  void Refresh() override {}

  void SetSize(double newWidth, double newHeight);
  int Element() const { return element; }
  /// The site shown in `element`, or null.
  static WebSite* Find(int element);

 private:
  int element;
  WebContainer& container;
  ControlEvents& events;
  WebField field;
  WebButton button;
  double width = 2000;
  double height = 300;
};

/// What the controls of one page share: clipboard, clock, forms, ambient font, the
/// answer to "may Text change", and the property-changed notifications.
class WebContainer {
 public:
  WebContainer() = default;
  WebContainer(const WebContainer&) = delete;
  WebContainer& operator=(const WebContainer&) = delete;

  WebClipboard clipboard;
  WebClock clock;
  WebFormHost forms;
  Font ambientFont{u"Sans", 8};
  bool allowChanges = true;
  std::vector<std::string> notified;
};

}  // namespace entrybox::web
