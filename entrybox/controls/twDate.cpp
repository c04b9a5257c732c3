#include "entrybox/controls/twDate.h"

#include <algorithm>
#include <cstddef>
#include <limits>

#include "entrybox/about/frmAbout.h"
#include "entrybox/values/Convert.h"
#include "entrybox/values/Date.h"
#include "entrybox/values/Number.h"
#include "entrybox/values/Strings.h"

namespace entrybox {

namespace {

constexpr const char16_t* kDefaultFormat = u"m/d/yy";
constexpr double kDefaultCeiling = 30;

Variant Number(double value) {
  return value;
}
Variant TextValue(const std::u16string& value) {
  return value;
}

bool IsDateFormat(std::u16string_view format) {
  const std::u16string lower = LCase(format);
  return lower == u"mm/dd/yyyy" || lower == u"m/d/yyyy" || lower == u"mm/dd/yy" ||
         lower == u"m/d/yy";
}

bool ShowsFourDigitYear(std::u16string_view format) {
  return LCase(Right(format, 4)) == u"yyyy";
}

// The value of a year part as a 16-bit whole number, rounded down; Error 13 for an
// empty or non-numeric part, Error 6 beyond 16 bits.
int16_t YearValue(std::u16string_view sYear) {
  return ToInt16(RoundDown(ToNumber(sYear)));
}

// A date part as a 16-bit number (Day, Month, Year reads).
int16_t PartValue(std::u16string_view sPart) {
  return ToInt16(ToNumber(sPart));
}

}  // namespace

twDate::twDate(ControlSite& site) : InputControl(site), oDate(site.Clipboard(), site.Clock()) {
  AddProperty(
      "DateFormat", [this] { return TextValue(DateFormat()); },
      [this](const Variant& v) { SetDateFormat(VariantToText(v)); });
  AddProperty(
      "DateCenturyOn", [this] { return Variant(DateCenturyOn()); },
      [this](const Variant& v) { SetDateCenturyOn(VariantToBool(v)); });
  AddProperty(
      "DateY2KCeiling", [this] { return TextValue(DateY2KCeiling()); },
      [this](const Variant& v) { SetDateY2KCeiling(VariantToText(v)); });
  AddProperty(
      "DateMin", [this] { return TextValue(DateMin()); },
      [this](const Variant& v) { SetDateMin(VariantToText(v)); });
  AddProperty(
      "DateMax", [this] { return TextValue(DateMax()); },
      [this](const Variant& v) { SetDateMax(VariantToText(v)); });
  AddProperty(
      "Day", [this] { return Number(Day()); },
      [this](const Variant& v) { SetDay(VariantToInt16(v)); });
  AddProperty(
      "Month", [this] { return Number(Month()); },
      [this](const Variant& v) { SetMonth(VariantToInt16(v)); });
  AddProperty(
      "Year", [this] { return Number(Year()); },
      [this](const Variant& v) { SetYear(VariantToInt16(v)); });
  AddProperty("IsValid", [this] { return Variant(IsValid()); });
  AddProperty("IsNull", [this] { return Variant(IsNull()); });
  AddProperty("DateValue", [this] { return TextValue(DateValue()); });
  AddProperty("About", [this] { return TextValue(About()); });
  AddProperty("Name", [this] { return TextValue(Name()); });

  // The date box saves its common keys with 0 / False defaults, Appearance, BorderStyle
  // and Enabled included; OnFocusSelect keeps True.
  SetKeyDefaults("Appearance", Number(0), Number(0));
  SetKeyDefaults("BorderStyle", Number(0), Number(0));
  SetKeyDefaults("Enabled", false, false);
  // "Text"'s default depends on today's date; ReadProperties and WriteProperties set it.
  AddKey({"Text", TextValue(u""), TextValue(u""), [this] { return TextValue(txt.Text()); },
          [this](const Variant& v) { txt.SetText(VariantToText(v)); }});
  AddKey({"Format", TextValue(kDefaultFormat), TextValue(kDefaultFormat),
          [this] { return TextValue(sDateFormat); },
          [this](const Variant& v) { sDateFormat = VariantToText(v); }});
  AddKey({"DateCenturyOn", true, true, [this] { return Variant(bDateCenturyOn); },
          [this](const Variant& v) { bDateCenturyOn = VariantToBool(v); }});
  AddKey({"DateY2KCeiling", Number(kDefaultCeiling), Number(kDefaultCeiling),
          [this] { return TextValue(sDateY2KCeiling); },
          [this](const Variant& v) { sDateY2KCeiling = VariantToText(v); }});
  AddKey({"DateMin", TextValue(u""), TextValue(u""), [this] { return TextValue(sDateMin); },
          [this](const Variant& v) { sDateMin = VariantToText(v); }});
  AddKey({"DateMax", TextValue(u""), TextValue(u""), [this] { return TextValue(sDateMax); },
          [this](const Variant& v) { sDateMax = VariantToText(v); }});
}

const std::vector<std::pair<std::string_view, std::string_view>>& twDate::Descriptions() {
  static const std::vector<std::pair<std::string_view, std::string_view>> table = {
      {"About", "Provides version information."},
      {"Appearance",
       "Returns/sets whether or not an object is painted at run time with 3-D effects."},
      {"Alignment", "Returns/sets the alignment of a control's text."},
      {"BackColor",
       "Returns/sets the background color used to display text and graphics in an object."},
      {"BorderStyle", "Returns/sets the border style for an object."},
      {"AllowNull", "Sets/Returns whether Null is a valid value."},
      {"Click", "Occurs when the user presses and then releases a mouse button over an object."},
      {"Change", "Occurs when the contents of a control have changed."},
  };
  return table;
}

std::chrono::year twDate::CurrentYear() const {
  return site.Clock().Today().year();
}

void twDate::InitProperties() {
  // The format is still "" here, so today's date is not widened.
  txt.SetText(FormatDate(DateToText(site.Clock().Today())));
  sDateFormat = kDefaultFormat;
  bDateCenturyOn = true;
  bAllowNull = false;
  sDateY2KCeiling = NumberToText(kDefaultCeiling);
  bDropDown = false;
  bOnFocusSelect = true;
  oDate.SetFormat(sDateFormat);
  oDate.SetText(txt.Text());
  InitCommon();
}

void twDate::ReadProperties(const PropertyBag& bag) {
  const Variant today = TextValue(FormatDate(DateToText(site.Clock().Today())));
  SetKeyDefaults("Text", today, today);
  // The stored format is taken as it stands, without the DateFormat check.
  ReadKeys(bag,
           {"Text", "Appearance", "Alignment", "BackColor", "ForeColor", "BorderStyle", "Enabled",
            "Font", "Format", "DateCenturyOn", "OnFocusSelect", "DateY2KCeiling", "DateMin",
            "DateMax", "MousePointer", "ReadOnly", "AllowNull", "DropDown", "ButtonBackColor"});
  oDate.SetFormat(sDateFormat);
  oDate.SetText(txt.Text());
  ArrangeButton();
}

void twDate::WriteProperties(PropertyBag& bag) {
  // The date is always written: left out when it equals the day of saving, it would
  // come back as the day of loading.
  const Variant today = TextValue(FormatDate(DateToText(site.Clock().Today())));
  SetKeyDefaults("Text", std::monostate{}, today);
  WriteKeys(bag,
            {"Text", "Appearance", "Alignment", "BackColor", "ForeColor", "BorderStyle", "Enabled",
             "Font", "Format", "OnFocusSelect", "DateCenturyOn", "DateY2KCeiling", "DateMin",
             "DateMax", "MousePointer", "ReadOnly", "AllowNull", "DropDown", "ButtonBackColor"});
}

std::u16string twDate::Text() {
  if (txt.Text() == u"//") {
    // An empty date reads as "", and the field is left empty or showing today.
    txt.SetText(bAllowNull ? std::u16string() : DateToText(site.Clock().Today()));
    return {};
  }
  return txt.Text();
}

void twDate::SetText(const std::u16string& NewValue) {
  if (site.CanPropertyChange("Text")) {
    if (IsDate(NewValue, CurrentYear())) {
      txt.SetText(FormatDate(NewValue));
    } else if (NewValue.empty()) {
      txt.SetText(bAllowNull ? std::u16string(u"//")
                             : FormatDatePattern(site.Clock().Today(), sDateFormat));
    }
  }
  site.PropertyChanged("Text");
}

void twDate::SetSelText(const std::u16string& NewValue) {
  if (!IsDate(NewValue, CurrentYear())) return;
  txt.SetText(u"");
  txt.SetSelText(NewValue);
}

void twDate::SetAllowNull(bool NewValue) {
  bAllowNull = NewValue;
}

void twDate::Refresh() {
  txt.Refresh();
  site.Refresh();
}

void twDate::SetDateFormat(const std::u16string& NewValue) {
  if (IsDateFormat(NewValue)) sDateFormat = NewValue;
  oDate.SetFormat(sDateFormat);
  // A text that is no date ("//", or a date half typed) stays as it is.
  const std::u16string text = txt.Text();
  if (IsDate(text, CurrentYear())) txt.SetText(FormatDatePattern(text, sDateFormat, CurrentYear()));
  site.PropertyChanged("DateFormat");
}

void twDate::SetDateCenturyOn(bool NewValue) {
  bDateCenturyOn = NewValue;
  site.PropertyChanged("DateCenturyOn");
}

void twDate::SetDateY2KCeiling(const std::u16string& NewValue) {
  const std::u16string head = Left(NewValue, 2);
  if (!IsNumeric(head)) {
    sDateY2KCeiling = NumberToText(kDefaultCeiling);
    return;
  }
  sDateY2KCeiling = NumberToText(RoundDown(ToNumber(head)));
  site.PropertyChanged("DateY2KCeiling");
}

void twDate::SetDateMin(const std::u16string& NewValue) {
  const auto y = CurrentYear();
  sDateMin.clear();
  if (IsDate(NewValue, y)) {
    sDateMin = NewValue;
    // A DateMax that is no date (only from a damaged bag) cannot be compared.
    if (IsDate(sDateMax, y) && ToDate(sDateMax, y) < ToDate(sDateMin, y)) sDateMin.clear();
  }
  site.PropertyChanged("DateMin");
}

void twDate::SetDateMax(const std::u16string& NewValue) {
  const auto y = CurrentYear();
  sDateMax.clear();
  if (IsDate(NewValue, y)) {
    sDateMax = NewValue;
    if (IsDate(sDateMin, y) && ToDate(sDateMin, y) > ToDate(sDateMax, y)) sDateMax.clear();
  }
  site.PropertyChanged("DateMax");
}

int16_t twDate::Day() const {
  return PartValue(GetMDY(txt.Text(), twDay));
}
int16_t twDate::Month() const {
  return PartValue(GetMDY(txt.Text(), twMonth));
}
int16_t twDate::Year() const {
  return PartValue(GetMDY(txt.Text(), twYear));
}

void twDate::SetDay(int16_t NewValue) {
  SetPart(twDay, NewValue);
}
void twDate::SetMonth(int16_t NewValue) {
  SetPart(twMonth, NewValue);
}
void twDate::SetYear(int16_t NewValue) {
  if (NewValue < 0 || NewValue > 9999) RaiseLibraryError("Invalid property year !");
  SetPart(twYear, NewValue);
}

void twDate::SetPart(int32_t iPart, int16_t NewValue) {
  try {
    const std::u16string text = txt.Text();
    std::u16string parts[] = {GetMDY(text, twMonth), GetMDY(text, twDay), GetMDY(text, twYear)};
    parts[iPart] = NumberToText(NewValue);
    const std::u16string candidate = parts[twMonth] + u'/' + parts[twDay] + u'/' + parts[twYear];
    // A part that gives no date (day 31 in April) is not an error: nothing changes.
    if (IsDate(candidate, CurrentYear())) {
      txt.SetText(FormatDate(candidate));
      oDate.SetText(txt.Text());
    }
  } catch (const Error& e) {
    // Kept, so that the caller gets the error exactly as it happened (for instance one
    // raised by the host's Change handler).
    SaveError(e);
    throw Error(lErrNumber, sErrDescription, sErrSource, sErrHelpFile, lErrHelpContext);
  }
}

void twDate::SaveError(const Error& e) {
  lErrNumber = e.Number();
  sErrSource = e.Source();
  sErrDescription = e.Description();
  sErrHelpFile = e.HelpFile();
  lErrHelpContext = e.HelpContext();
}

bool twDate::IsValid() const {
  return IsDate(txt.Text(), CurrentYear());
}

bool twDate::IsNull() const {
  const std::u16string text = txt.Text();
  return text == u"//" || text.empty();
}

std::u16string twDate::DateValue() const {
  return DateValueText(txt.Text());
}

std::u16string twDate::About() const {
  return kMakerName;
}

int16_t twDate::EngineKeyPress(int16_t KeyAscii) {
  return PartValue(oDate.KeyPress(txt, KeyAscii));
}

int16_t twDate::EngineKeyDown(int16_t KeyCode, int16_t Shift) {
  return oDate.KeyDown(txt, KeyCode, Shift);
}

void twDate::GotFocus() {
  const std::u16string text = txt.Text();
  if (IsDate(text, CurrentYear())) sLastDate = text;
  if (text.empty()) txt.SetText(u"//");
  InputControl::GotFocus();
}

void twDate::LostFocus() {
  const std::u16string text = txt.Text();
  const bool isDate = IsDate(text, CurrentYear());
  if (bAllowNull && !isDate) txt.SetText(u"");
  if (isDate) txt.SetText(FormatDate(text));
  if (!bAllowNull && !isDate) txt.SetText(sLastDate);
}

void twDate::LocateSlashes(std::u16string_view sText, int32_t& iSlash1, int32_t& iSlash2) {
  iSlash1 = 0;
  iSlash2 = 0;
  // Positions beyond 32 bits cannot occur in a field; stop there rather than wrap.
  const size_t n = std::min<size_t>(sText.size(), std::numeric_limits<int32_t>::max());
  for (size_t i = 0; i < n; ++i) {
    if (sText[i] != u'/') continue;
    if (iSlash1 == 0) {
      iSlash1 = static_cast<int32_t>(i) + 1;
    } else {
      iSlash2 = static_cast<int32_t>(i) + 1;
    }
  }
}

std::u16string twDate::GetMDY(std::u16string_view sText, int32_t iPart) {
  int32_t iSlash1 = 0, iSlash2 = 0;
  LocateSlashes(sText, iSlash1, iSlash2);
  switch (iPart) {
    case twMonth:
      return iSlash1 == 0 ? std::u16string() : Left(sText, iSlash1 - 1);
    case twDay:
      if (iSlash1 == 0) return {};
      if (iSlash2 == 0) return Mid(sText, std::ptrdiff_t{iSlash1} + 1);
      return Mid(sText, std::ptrdiff_t{iSlash1} + 1, iSlash2 - iSlash1 - 1);
    case twYear:
      return iSlash2 == 0 ? std::u16string() : Mid(sText, std::ptrdiff_t{iSlash2} + 1);
    default:
      return {};
  }
}

std::u16string twDate::CenturyOf(int16_t iYear) const {
  const double ceiling = RoundDown(ToNumber(sDateY2KCeiling));
  return iYear >= 0 && iYear < ceiling ? u"20" : u"19";
}

std::u16string twDate::WidenYear(const std::u16string& sMonth, const std::u16string& sDay,
                                 const std::u16string& sYear, int16_t iYear) const {
  const std::u16string century = CenturyOf(iYear);
  const std::u16string widened = sMonth + u'/' + sDay + u'/' + century + sYear;
  // 29 February of year 00 is a date in 2000 only: a ceiling that sends it to 1900 would
  // turn a date into none.
  if (IsDate(widened, CurrentYear())) return widened;
  const std::u16string other =
      sMonth + u'/' + sDay + u'/' + (century == u"20" ? u"19" : u"20") + sYear;
  return IsDate(other, CurrentYear()) ? other : widened;
}

std::u16string twDate::FormatDate(const std::u16string& sText) const {
  try {
    std::u16string s = sText;
    int32_t iSlash1 = 0, iSlash2 = 0;
    LocateSlashes(s, iSlash1, iSlash2);
    // A date written otherwise ("January 5, 1999", "1999-01-05", "1/5") has no year part
    // to keep: write it m/d/yyyy first, or the user's date would be lost.
    if (iSlash2 == 0 && IsDate(s, CurrentYear())) s = DateToText(ToDate(s, CurrentYear()));
    const std::u16string sYear = GetMDY(s, twYear);
    const int16_t iYear = YearValue(sYear);
    if (ShowsFourDigitYear(sDateFormat) && sYear.size() == 2) {
      return WidenYear(GetMDY(s, twMonth), GetMDY(s, twDay), sYear, iYear);
    }
    return GetMDY(s, twMonth) + u'/' + GetMDY(s, twDay) + u'/' + sYear;
  } catch (const Error&) {
    return {};
  }
}

std::u16string twDate::DateValueText(const std::u16string& sText) const {
  try {
    const std::u16string field = txt.Text();
    const std::u16string sYear = GetMDY(field, twYear);
    const int16_t iYear = YearValue(sYear);
    if (sYear.size() == 4 && bDateCenturyOn) {
      return FormatDatePattern(field, sDateFormat, CurrentYear());
    }
    if (sYear.size() == 2 && (bDateCenturyOn || ShowsFourDigitYear(sDateFormat))) {
      return WidenYear(GetMDY(sText, twMonth), GetMDY(sText, twDay), sYear, iYear);
    }
    return field;
  } catch (const Error&) {
    return {};
  }
}

}  // namespace entrybox
