// The date box: month/day/year typed digit by digit, checked and widened on leaving.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "entrybox/controls/InputControl.h"
#include "entrybox/engines/clsDate.h"
#include "entrybox/platform/Error.h"

namespace entrybox {

/// Part selector of the date box's month/day/year reading.
enum twGetMDY : int32_t { twMonth = 0, twDay = 1, twYear = 2 };

/// Input control for dates written month "/" day "/" year. The clsDate engine builds the
/// text while the user types; leaving the field checks the date, widens a two-digit year
/// when the format shows four, or brings back the last valid date. The text lives in the
/// edit field; format, century and range settings live in the control.
/// It is the one control with published member descriptions (Descriptions()): About,
/// Appearance, Alignment, BackColor, BorderStyle, AllowNull and the events Click and
/// Change.
class twDate : public InputControl {
 public:
  explicit twDate(ControlSite& site);

  std::u16string ClassName() const override { return u"twDate"; }

  void InitProperties() override;
  void ReadProperties(const PropertyBag& bag) override;
  void WriteProperties(PropertyBag& bag) override;

  /// Returns/sets the date as text. Reading "//" empties the field (AllowNull on) or puts
  /// today's date into it (AllowNull off) and returns "" either way; any other field text
  /// is returned as it stands.
  std::u16string Text() override;
  /// Only when the container allows a change of "Text": a date goes in through FormatDate
  /// ("January 5, 1999" -> "1/5/1999"); "" gives today's date in DateFormat, or "//" with
  /// AllowNull; anything else changes nothing. "Text" is notified in every case.
  void SetText(const std::u16string& NewValue) override;
  /// A date replaces the whole text; anything else is ignored.
  void SetSelText(const std::u16string& NewValue) override;
  /// Sets/Returns whether Null is a valid value. Not notified (the date box's own rule).
  void SetAllowNull(bool NewValue) override;
  /// Refreshes the field, then the control's own surface.
  void Refresh() override;

  /// Display format: "mm/dd/yyyy", "m/d/yyyy", "mm/dd/yy" or "m/d/yy" (any case, stored
  /// as given). Another value keeps the old format; either way a date in the field is
  /// rewritten in the format ("1/2/1999" -> "01/02/1999") and a non-date is kept.
  std::u16string DateFormat() const { return sDateFormat; }
  void SetDateFormat(const std::u16string& NewValue);
  /// Whether DateValue widens a two-digit year (and shortens a four-digit one in a
  /// two-digit format).
  bool DateCenturyOn() const { return bDateCenturyOn; }
  void SetDateCenturyOn(bool NewValue);
  /// Two-digit years below the ceiling are 20yy, the others 19yy. Set reads the first two
  /// characters as a number, rounded down: "2050" -> "20", "45abc" -> "45"; a text that
  /// does not start with a number stores "30" without a notification.
  std::u16string DateY2KCeiling() const { return sDateY2KCeiling; }
  void SetDateY2KCeiling(const std::u16string& NewValue);
  /// Earliest and latest date, "" for none; stored and persisted only (typing and leaving
  /// the field do not compare). A non-date stores ""; a DateMin after DateMax (or a
  /// DateMax before DateMin) stores "" as well.
  std::u16string DateMin() const { return sDateMin; }
  void SetDateMin(const std::u16string& NewValue);
  std::u16string DateMax() const { return sDateMax; }
  void SetDateMax(const std::u16string& NewValue);

  /// The day, month and year parts of the field as numbers: Error 13 for an empty or
  /// non-numeric part, Error 6 beyond 16 bits.
  int16_t Day() const;
  int16_t Month() const;
  int16_t Year() const;
  /// Replaces one part when the result is a date ("4/30/1999", Day 31: no change, no
  /// error). Year outside 0..9999 raises 8000 "Invalid property year !". Any other error
  /// on the way is kept and raised again with its number, source, description and help.
  void SetDay(int16_t NewValue);
  void SetMonth(int16_t NewValue);
  void SetYear(int16_t NewValue);

  /// True when the field holds a date.
  bool IsValid() const;
  /// True when the field is "//" or "".
  bool IsNull() const;
  /// The field's date with the century setting applied: "1/2/29" -> "1/2/2029" (ceiling
  /// 30), "1/2/1999" in "m/d/yy" -> "1/2/99"; "" when the year part is no number.
  std::u16string DateValue() const;
  /// Provides version information: the maker's name.
  std::u16string About() const;
  /// The control's class name, "twDate".
  std::u16string Name() const { return ClassName(); }

  /// Published member descriptions (member or event name, description), as object
  /// browsers show them. The other controls publish none.
  static const std::vector<std::pair<std::string_view, std::string_view>>& Descriptions();

 protected:
  int16_t EngineKeyPress(int16_t KeyAscii) override;
  int16_t EngineKeyDown(int16_t KeyCode, int16_t Shift) override;
  void GotFocus() override;
  void LostFocus() override;

 private:
  /// 1-based positions of the first "/" and of the last "/" after it, 0 when missing.
  /// 32-bit, so that any text a host puts into the field is safe.
  static void LocateSlashes(std::u16string_view sText, int32_t& iSlash1, int32_t& iSlash2);
  /// The month, day or year part: "12/25/1998" -> "12", "25", "1998"; "" for a missing
  /// part or any other part number.
  static std::u16string GetMDY(std::u16string_view sText, int32_t iPart);
  /// The date text the field shows: a date without two "/" is first written m/d/yyyy;
  /// a two-digit year is widened when the format ends in "yyyy"; "" on any failure.
  std::u16string FormatDate(const std::u16string& sText) const;
  /// See DateValue; month and day come from sText, the year from the field.
  std::u16string DateValueText(const std::u16string& sText) const;
  /// The century rule: "20" for a two-digit year from 0 up to below the ceiling, else
  /// "19" (ceiling 30: 29 -> "20", 30 -> "19"). Error 13 or 6 when the ceiling is no
  /// number.
  std::u16string CenturyOf(int16_t iYear) const;
  /// "m/d/yyyy" from a two-digit year sYear (value iYear) by the century rule; when that
  /// gives no date and the other century does (29 February 00), the other century.
  std::u16string WidenYear(const std::u16string& sMonth, const std::u16string& sDay,
                           const std::u16string& sYear, int16_t iYear) const;
  /// Replaces one part (twMonth, twDay, twYear) by NewValue when the result is a date.
  void SetPart(int32_t iPart, int16_t NewValue);
  void SaveError(const Error& e);
  std::chrono::year CurrentYear() const;

  clsDate oDate;
  std::u16string sLastDate;
  bool bDateCenturyOn = false;
  std::u16string sDateY2KCeiling;
  std::u16string sDateMin;
  std::u16string sDateMax;
  std::u16string sDateFormat;

  // The error kept by SaveError, raised again to the caller.
  int32_t lErrNumber = 0;
  std::string sErrSource;
  std::string sErrDescription;
  std::string sErrHelpFile;
  int32_t lErrHelpContext = 0;
};

}  // namespace entrybox
