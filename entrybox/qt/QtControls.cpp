#include "entrybox/qt/QtControls.h"

#include "entrybox/qt/QtConvert.h"
#include "entrybox/values/Convert.h"

namespace entrybox {

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
