#include "entrybox/qt/QtControls.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string_view>

#include "entrybox/platform/Error.h"
#include "entrybox/qt/QtConvert.h"
#include "entrybox/values/Convert.h"
#include "entrybox/values/Date.h"
#include "entrybox/values/Strings.h"

namespace entrybox {

namespace {

QDate ToQDate(std::chrono::year_month_day date) {
  return QDate(static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
               static_cast<int>(static_cast<unsigned>(date.day())));
}

std::chrono::year_month_day FromQDate(QDate date) {
  return std::chrono::year{date.year()} / std::chrono::month{static_cast<unsigned>(date.month())} /
         std::chrono::day{static_cast<unsigned>(date.day())};
}

// True for m/d/y with a year of one or two digits: its century is the control's to say,
// by its ceiling, where the date test takes a fixed one.
bool HasShortYear(std::u16string_view text) {
  const size_t first = text.find(u'/');
  const size_t last = text.rfind(u'/');
  if (first == std::u16string_view::npos || first == last) return false;
  std::u16string_view year = text.substr(last + 1);
  while (!year.empty() && (year.back() == u' ' || year.back() == u'\t'))
    year.remove_suffix(1);
  return !year.empty() && year.size() <= 2 &&
         std::all_of(year.begin(), year.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

bool ShowsTwoDigitYear(std::u16string_view format) {
  return EqualsNoCase(format, u"mm/dd/yy") || EqualsNoCase(format, u"m/d/yy");
}

}  // namespace

// Kind-specific properties go by name to the control, which converts as a host would.

QtLong::QtLong(QWidget* parent, QtContainer* container)
    : QtInputControl("long", parent, container) {
  InitProperties();
}

int QtLong::Spin() const {
  return VariantToInt32(Get("Spin"));
}

void QtLong::SetSpin(int value) {
  Set("Spin", Variant(static_cast<double>(value)));
}

bool QtLong::Formatted() const {
  return VariantToBool(Get("Formatted"));
}

void QtLong::SetFormatted(bool value) {
  Set("Formatted", Variant(value));
}

double QtLong::Min() const {
  return VariantToNumber(Get("Min"));
}

void QtLong::SetMin(double value) {
  Set("Min", Variant(static_cast<double>(value)));
}

double QtLong::Max() const {
  return VariantToNumber(Get("Max"));
}

void QtLong::SetMax(double value) {
  Set("Max", Variant(static_cast<double>(value)));
}

QtReal::QtReal(QWidget* parent, QtContainer* container)
    : QtInputControl("real", parent, container) {
  InitProperties();
}

int QtReal::Spin() const {
  return VariantToInt32(Get("Spin"));
}

void QtReal::SetSpin(int value) {
  Set("Spin", Variant(static_cast<double>(value)));
}

int QtReal::DecimalPlaces() const {
  return VariantToInt32(Get("DecimalPlaces"));
}

void QtReal::SetDecimalPlaces(int value) {
  Set("DecimalPlaces", Variant(static_cast<double>(value)));
}

bool QtReal::Formatted() const {
  return VariantToBool(Get("Formatted"));
}

void QtReal::SetFormatted(bool value) {
  Set("Formatted", Variant(value));
}

double QtReal::Min() const {
  return VariantToNumber(Get("Min"));
}

void QtReal::SetMin(double value) {
  Set("Min", Variant(static_cast<double>(value)));
}

double QtReal::Max() const {
  return VariantToNumber(Get("Max"));
}

void QtReal::SetMax(double value) {
  Set("Max", Variant(static_cast<double>(value)));
}

QtDate::QtDate(QWidget* parent, QtContainer* container)
    : QtInputControl("date", parent, container) {
  InitProperties();
}

QString QtDate::DateFormat() const {
  return ToQString(VariantToText(Get("DateFormat")));
}

void QtDate::SetDateFormat(const QString& value) {
  Set("DateFormat", Variant(FromQString(value)));
}

bool QtDate::DateCenturyOn() const {
  return VariantToBool(Get("DateCenturyOn"));
}

void QtDate::SetDateCenturyOn(bool value) {
  Set("DateCenturyOn", Variant(value));
}

QString QtDate::DateY2KCeiling() const {
  return ToQString(VariantToText(Get("DateY2KCeiling")));
}

void QtDate::SetDateY2KCeiling(const QString& value) {
  Set("DateY2KCeiling", Variant(FromQString(value)));
}

QString QtDate::DateMin() const {
  return ToQString(VariantToText(Get("DateMin")));
}

void QtDate::SetDateMin(const QString& value) {
  Set("DateMin", Variant(FromQString(value)));
}

QString QtDate::DateMax() const {
  return ToQString(VariantToText(Get("DateMax")));
}

void QtDate::SetDateMax(const QString& value) {
  Set("DateMax", Variant(FromQString(value)));
}

int QtDate::Day() const {
  return VariantToInt32(Get("Day"));
}

void QtDate::SetDay(int value) {
  Set("Day", Variant(static_cast<double>(value)));
}

int QtDate::Month() const {
  return VariantToInt32(Get("Month"));
}

void QtDate::SetMonth(int value) {
  Set("Month", Variant(static_cast<double>(value)));
}

int QtDate::Year() const {
  return VariantToInt32(Get("Year"));
}

void QtDate::SetYear(int value) {
  Set("Year", Variant(static_cast<double>(value)));
}

bool QtDate::IsValid() const {
  return VariantToBool(Get("IsValid"));
}

bool QtDate::IsNull() const {
  return VariantToBool(Get("IsNull"));
}

QString QtDate::DateValue() const {
  return ToQString(VariantToText(Get("DateValue")));
}

QString QtDate::About() const {
  return ToQString(VariantToText(Get("About")));
}

void QtDate::SetCalendarPopup(bool value) {
  calendarPopup = value;
  if (!value && popup) popup->close();
}

void QtDate::ButtonClickDefault() {
  if (calendarPopup) ShowCalendar();
}

int QtDate::CenturyCeiling() const {
  try {
    const double ceiling = std::floor(VariantToNumber(Get("DateY2KCeiling")));
    if (!(ceiling >= 0)) return 0;
    return ceiling > 100 ? 100 : static_cast<int>(ceiling);
  } catch (const Error&) {
    return 30;  // no number: the ceiling a new box has
  }
}

void QtDate::ShowCalendar() {
  // The calendar only writes the date; where the user may not, it does not open.
  if (!Enabled() || ReadOnly()) return;
  const std::chrono::year_month_day today = Site().Clock().Today();
  const std::chrono::year current = today.year();
  const int ceiling = CenturyCeiling();

  QDate date = ToQDate(today);
  const std::u16string text = Field().Text();
  if (IsDate(text, current)) {
    std::chrono::year_month_day read = ToDate(text, current);
    if (HasShortYear(text)) {
      const int yy = static_cast<int>(read.year()) % 100;
      const int century = yy < ceiling ? 2000 : 1900;
      const std::chrono::year_month_day widened{std::chrono::year{century + yy}, read.month(),
                                                read.day()};
      // 29 February 00 is no date in 1900: it stays as the date test reads it.
      if (widened.ok()) read = widened;
    }
    date = ToQDate(read);
  }

  // The years a date text can carry; DateMin and DateMax narrow them where they are dates.
  QDate minimum(100, 1, 1);
  QDate maximum(9999, 12, 31);
  const std::u16string dateMin = VariantToText(Get("DateMin"));
  const std::u16string dateMax = VariantToText(Get("DateMax"));
  if (IsDate(dateMin, current)) minimum = std::max(minimum, ToQDate(ToDate(dateMin, current)));
  if (IsDate(dateMax, current)) maximum = std::min(maximum, ToQDate(ToDate(dateMax, current)));
  // A two-digit year reads back only within its hundred years: a day outside them would
  // come back as another one.
  if (ShowsTwoDigitYear(VariantToText(Get("DateFormat")))) {
    const QDate first = std::max(minimum, QDate(1900 + ceiling, 1, 1));
    const QDate last = std::min(maximum, QDate(1999 + ceiling, 12, 31));
    if (first <= last) {
      minimum = first;
      maximum = last;
    }
  }

  if (!popup) {
    popup = new QtCalendarPopup(this, &Button().ToolButton());
    connect(popup, &QtCalendarPopup::Picked, this, &QtDate::PickDate);
  }
  popup->ShowUnder(*this, date, minimum, maximum);
}

void QtDate::PickDate(QDate date) {
  try {
    SetText(ToQString(FormatDatePattern(FromQDate(date), FromQString(DateFormat()))));
  } catch (...) {
    // The pick came from Qt, which cannot carry an error back.
    ReportError(std::current_exception());
  }
}

QtMask::QtMask(QWidget* parent, QtContainer* container)
    : QtInputControl("mask", parent, container) {
  InitProperties();
}

QString QtMask::Mask() const {
  return ToQString(VariantToText(Get("Mask")));
}

void QtMask::SetMask(const QString& value) {
  Set("Mask", Variant(FromQString(value)));
}

QString QtMask::PromptChar() const {
  return ToQString(VariantToText(Get("PromptChar")));
}

void QtMask::SetPromptChar(const QString& value) {
  Set("PromptChar", Variant(FromQString(value)));
}

QString QtMask::MaskValue() const {
  return ToQString(VariantToText(Get("MaskValue")));
}

bool QtMask::IsNull() const {
  return VariantToBool(Get("IsNull"));
}

QString QtMask::About() const {
  return ToQString(VariantToText(Get("About")));
}

}  // namespace entrybox
