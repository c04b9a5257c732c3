// The real-number box: a signed decimal number with a fixed number of decimals.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "entrybox/controls/InputControl.h"
#include "entrybox/engines/clsReal.h"

namespace entrybox {

/// Input control for decimal numbers with DecimalPlaces decimals, plain or grouped.
/// Spin, DecimalPlaces, Formatted, Min and Max live in its clsReal engine, which comes
/// into being on first use; the text lives in the edit field. The host sees every key
/// before the engine and may cancel it by setting it to 0.
class twReal : public InputControl {
 public:
  explicit twReal(ControlSite& site);

  std::u16string ClassName() const override { return u"twReal"; }

  void InitProperties() override;
  /// Keeps the saved value: "1,234.56" with 2 decimals loads as "1234.56". A saved text
  /// that is no number loads as the value 0 ("" stays "" with AllowNull).
  void ReadProperties(const PropertyBag& bag) override;
  void WriteProperties(PropertyBag& bag) override;

  /// The field's number with DecimalPlaces decimals, no groups: "1,234.5" -> "1234.50".
  /// "" when the field holds no number (empty, or a lone "-" while the user types).
  std::u16string Text() override;
  /// A number is shown with DecimalPlaces decimals, grouped when Formatted; "" shows the
  /// zero ("0.00"), or nothing with AllowNull. Error 13 for a non-number. No range check.
  void SetText(const std::u16string& NewValue) override;
  /// Replaces the selection only when the result is still a decimal number.
  void SetSelText(const std::u16string& NewValue) override;

  int16_t Spin();
  void SetSpin(int16_t iSpinC);
  int16_t DecimalPlaces();
  /// Keeps the value, rounded half away from zero, in the plain form:
  /// "12.75" with 3 -> "12.750", with 1 -> "12.8". An empty field stays empty; any other
  /// non-number becomes 0. Error 380 below 0, and nothing changes.
  void SetDecimalPlaces(int16_t NewValue);
  bool Formatted();
  /// The current text is not reformatted.
  void SetFormatted(bool bFor);
  double Min();
  /// Error 8000 "Invalid property Min !" below -1.1E+38; nothing changes then.
  void SetMin(double iMinVal);
  double Max();
  /// Error 8000 "Invalid property Max !" above 3.3E+38; nothing changes then.
  void SetMax(double iMaxVal);

 protected:
  int16_t EngineKeyPress(int16_t KeyAscii) override;
  int16_t EngineKeyDown(int16_t KeyCode, int16_t Shift) override;
  bool HostSeesKeysFirst() const override { return true; }
  void GotFocus() override;
  void LostFocus() override;

 private:
  /// The engine, made the first time any member needs it.
  clsReal& Real();
  /// The value in the plain form with the engine's decimals: 1234.5 -> "1234.50".
  std::u16string PlainText(double value);

  std::optional<clsReal> oReal;
};

}  // namespace entrybox
