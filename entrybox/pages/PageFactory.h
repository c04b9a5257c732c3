// Creating a property page by its name, and handing a control to a page host.
#pragma once

#include <memory>
#include <string_view>

#include "entrybox/controls/InputControl.h"
#include "entrybox/pages/PropertyPage.h"
#include "entrybox/platform/PageHost.h"

namespace entrybox {

/// A new page of that name ("LongGeneral", "RealGeneral", "DateGeneral", "MaskGeneral",
/// "LongFormat", "RealFormat", "DateFormat", "MaskFormat", without regard to case) on
/// `host`; null for an unknown name. The page registers itself with the host.
std::unique_ptr<PropertyPage> CreatePage(std::string_view name, PageHost& host);

/// An input control as a page host selects it: its properties by name.
class ControlAccess : public PropertyAccess {
 public:
  explicit ControlAccess(InputControl& control) : control(control) {}
  Variant GetProperty(std::string_view name) override { return control.GetProperty(name); }
  void SetProperty(std::string_view name, const Variant& value) override {
    control.SetProperty(name, value);
  }

 private:
  InputControl& control;
};

}  // namespace entrybox
