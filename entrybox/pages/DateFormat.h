// The Format page of the date box: the display format, the date range, the Y2K ceiling
// and the century switch.
#pragma once

#include <cstdint>
#include <string>

#include "entrybox/pages/PageFields.h"
#include "entrybox/pages/PropertyPage.h"

namespace entrybox {

/// Format page of twDate. Besides its fields it holds the format to apply (sFormat) and
/// the option standing for it (bytOption, 0 on a new page). Clicking an option, changing
/// the Y2K ceiling or clicking Century On marks the page changed; editing the two dates
/// does not by itself.
///
/// Filling switches an option on as the platform's option buttons do, so the option's
/// click runs: sFormat becomes that option's format and the page is marked changed. A
/// control whose format differs in case from all four ("MM/DD/YYYY") matches no option;
/// the option of the previous bytOption is switched on and sFormat becomes its format.
class DateFormat : public PropertyPage {
 public:
  explicit DateFormat(PageHost& host);

  /// Frame "Format": "-  mm/dd/yyyy" (0) above "-  m/d/yyyy" (1) on the left,
  /// "-  mm/dd/yy" (2) above "-  m/d/yy" (3) on the right.
  OptionGroup opt;
  TextField txtMinDate;
  TextField txtMaxDate;
  TextField txtDateY2KCeiling;
  CheckBox chkDateCenturyOn;

  /// The format the page applies (sFormat).
  const std::u16string& Format() const { return sFormat; }
  /// The index of the option standing for the format (bytOption).
  uint8_t Option() const { return bytOption; }

 protected:
  void ReadFrom(PropertyAccess& control) override;
  void WriteTo(PropertyAccess& control) override;

 private:
  void OptionClicked(int32_t Index);
  /// Switches on the option of sFormat when it is one of the four (same case), else
  /// the option of bytOption.
  void ShowFormat();

  std::u16string sFormat;
  uint8_t bytOption = 0;
};

}  // namespace entrybox
