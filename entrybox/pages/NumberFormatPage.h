// The Format pages of the two number boxes: LongFormat (Spin, Min, Max, Formatted) and
// RealFormat, which adds the number of decimal places. One design: the real page is the
// long page with one field more.
#pragma once

#include "entrybox/pages/PageFields.h"
#include "entrybox/pages/PropertyPage.h"

namespace entrybox {

/// The fields both number pages share. Changing a text or clicking the check box marks
/// the page changed, also while the page fills itself, so a filled page is changed.
/// Fills Max, Min, Formatted, Spin and applies them in the same order; each text is
/// taken as a number by the strict conversion (Error 13 when it holds none) and the
/// control's setter decides the rest: the page compares nothing (Min 10 with Max 5 is
/// applied as it stands).
class NumberFormatPage : public PropertyPage {
 public:
  TextField txtSpin;
  TextField txtMin;
  TextField txtMax;
  CheckBox chkFormatted;

 protected:
  NumberFormatPage(PageHost& host, const char* pageName, PageRect formattedBounds);

  void ReadFrom(PropertyAccess& control) override;
  void WriteTo(PropertyAccess& control) override;

  /// Shows a number property as its shortest decimal text.
  static void ShowNumber(TextField& field, const Variant& value);
  /// The field's text taken as a number.
  static Variant NumberOf(const TextField& field);
};

/// Format page of twLong.
class LongFormat : public NumberFormatPage {
 public:
  explicit LongFormat(PageHost& host);
};

/// Format page of twReal: the long page's fields and "Decimal Place", filled and
/// applied last. Applying DecimalPlaces keeps the control's value: the control's setter
/// rewrites its text with the new number of decimals (12.75 with 3 shows 12.750).
class RealFormat : public NumberFormatPage {
 public:
  explicit RealFormat(PageHost& host);

  TextField txtDecimal;

 protected:
  void ReadFrom(PropertyAccess& control) override;
  void WriteTo(PropertyAccess& control) override;
};

}  // namespace entrybox
