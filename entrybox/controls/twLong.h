// The long-integer box: a signed 32-bit whole number, grouped while typed.
#pragma once

#include <cstdint>
#include <string>

#include "entrybox/controls/InputControl.h"
#include "entrybox/engines/clsLong.h"

namespace entrybox {

/// Input control for signed 32-bit whole numbers. Min, Max, Spin and Formatted live in
/// its clsLong engine; the text lives in the edit field.
class twLong : public InputControl {
 public:
  explicit twLong(ControlSite& site);

  std::u16string ClassName() const override { return u"twLong"; }

  void InitProperties() override;
  void ReadProperties(const PropertyBag& bag) override;
  void WriteProperties(PropertyBag& bag) override;

  /// The field's number written plainly ("1,234" reads "1234"); "" when the field holds
  /// no number (empty, or a lone "-" while the user types).
  std::u16string Text() override;
  /// A number is brought to a whole number (halves away from zero) and shown grouped or
  /// plain; "" shows "0", or nothing with AllowNull. Error 13 for a non-number.
  void SetText(const std::u16string& NewValue) override;
  /// Replaces the selection only when the result is still a whole number.
  void SetSelText(const std::u16string& NewValue) override;

  int16_t Spin() const { return oLong.SpinChange(); }
  void SetSpin(int16_t iSpinC) { oLong.SetSpinChange(iSpinC); }
  bool Formatted() const { return oLong.Formatted(); }
  /// The current text is not reformatted.
  void SetFormatted(bool bFor);
  double Min() const { return oLong.Min(); }
  /// Rounded half to even; Error 6 outside the signed 32-bit range.
  void SetMin(double iMinVal);
  double Max() const { return oLong.Max(); }
  void SetMax(double iMaxVal);

 protected:
  int16_t EngineKeyPress(int16_t KeyAscii) override;
  int16_t EngineKeyDown(int16_t KeyCode, int16_t Shift) override;
  void LostFocus() override;

 private:
  clsLong oLong;
};

}  // namespace entrybox
