// The four controls as named widgets, each with its own properties.
#pragma once

#include <QDate>
#include <QPointer>
#include <QString>

#include "entrybox/qt/QtCalendarPopup.h"
#include "entrybox/qt/QtInputControl.h"

namespace entrybox {

/// twLong as a widget: a new long box with its defaults, laid out.
class QtLong : public QtInputControl {
  Q_OBJECT
  Q_PROPERTY(int Spin READ Spin WRITE SetSpin)
  Q_PROPERTY(bool Formatted READ Formatted WRITE SetFormatted)
  Q_PROPERTY(double Min READ Min WRITE SetMin)
  Q_PROPERTY(double Max READ Max WRITE SetMax)

 public:
  explicit QtLong(QWidget* parent = nullptr, QtContainer* container = nullptr);

  int Spin() const;
  void SetSpin(int value);
  bool Formatted() const;
  void SetFormatted(bool value);
  double Min() const;
  void SetMin(double value);
  double Max() const;
  void SetMax(double value);
};

/// twReal as a widget: a new real box with its defaults, laid out.
class QtReal : public QtInputControl {
  Q_OBJECT
  Q_PROPERTY(int Spin READ Spin WRITE SetSpin)
  Q_PROPERTY(int DecimalPlaces READ DecimalPlaces WRITE SetDecimalPlaces)
  Q_PROPERTY(bool Formatted READ Formatted WRITE SetFormatted)
  Q_PROPERTY(double Min READ Min WRITE SetMin)
  Q_PROPERTY(double Max READ Max WRITE SetMax)

 public:
  explicit QtReal(QWidget* parent = nullptr, QtContainer* container = nullptr);

  int Spin() const;
  void SetSpin(int value);
  int DecimalPlaces() const;
  void SetDecimalPlaces(int value);
  bool Formatted() const;
  void SetFormatted(bool value);
  double Min() const;
  void SetMin(double value);
  double Max() const;
  void SetMax(double value);
};

/// twDate as a widget: a new date box with its defaults, laid out. With CalendarPopup on,
/// its drop-down button opens a calendar of the field's date.
class QtDate : public QtInputControl {
  Q_OBJECT
  Q_PROPERTY(bool CalendarPopup READ CalendarPopup WRITE SetCalendarPopup)
  Q_PROPERTY(QString DateFormat READ DateFormat WRITE SetDateFormat)
  Q_PROPERTY(bool DateCenturyOn READ DateCenturyOn WRITE SetDateCenturyOn)
  Q_PROPERTY(QString DateY2KCeiling READ DateY2KCeiling WRITE SetDateY2KCeiling)
  Q_PROPERTY(QString DateMin READ DateMin WRITE SetDateMin)
  Q_PROPERTY(QString DateMax READ DateMax WRITE SetDateMax)
  Q_PROPERTY(int Day READ Day WRITE SetDay)
  Q_PROPERTY(int Month READ Month WRITE SetMonth)
  Q_PROPERTY(int Year READ Year WRITE SetYear)
  Q_PROPERTY(bool IsValid READ IsValid)
  Q_PROPERTY(bool IsNull READ IsNull)
  Q_PROPERTY(QString DateValue READ DateValue)
  Q_PROPERTY(QString About READ About)

 public:
  explicit QtDate(QWidget* parent = nullptr, QtContainer* container = nullptr);

  QString DateFormat() const;
  void SetDateFormat(const QString& value);
  bool DateCenturyOn() const;
  void SetDateCenturyOn(bool value);
  QString DateY2KCeiling() const;
  void SetDateY2KCeiling(const QString& value);
  QString DateMin() const;
  void SetDateMin(const QString& value);
  QString DateMax() const;
  void SetDateMax(const QString& value);
  int Day() const;
  void SetDay(int value);
  int Month() const;
  void SetMonth(int value);
  int Year() const;
  void SetYear(int value);
  bool IsValid() const;
  bool IsNull() const;
  QString DateValue() const;
  QString About() const;

  /// Whether a click on the drop-down button that no ButtonClick slot handled opens the
  /// calendar (off by default). A setting of the widget, not of the control: form files
  /// keep it beside the bag. Turning it off closes an open calendar.
  bool CalendarPopup() const { return calendarPopup; }
  void SetCalendarPopup(bool value);
  /// Opens the calendar under the field, as the button does: the field's date selected
  /// (today's when it holds none), the days limited to DateMin..DateMax where they are
  /// dates, and, in a format with a two-digit year, to the hundred years that
  /// DateY2KCeiling reads it as. Does nothing while the control is disabled or
  /// read-only. A day picked goes in through SetText, in DateFormat; an error on the way
  /// comes out as ErrorRaised.
  void ShowCalendar();
  /// The calendar popup, once it has been opened; null before.
  QtCalendarPopup* Calendar() const { return popup; }

 protected:
  void ButtonClickDefault() override;

 private:
  void PickDate(QDate date);
  /// The ceiling of DateY2KCeiling, 0..100: two-digit years below it are 20yy.
  int CenturyCeiling() const;

  bool calendarPopup = false;
  QPointer<QtCalendarPopup> popup;  // a child: goes with the widget
};

/// twMask as a widget: a new masked-text box with its defaults, laid out.
class QtMask : public QtInputControl {
  Q_OBJECT
  Q_PROPERTY(QString Mask READ Mask WRITE SetMask)
  Q_PROPERTY(QString PromptChar READ PromptChar WRITE SetPromptChar)
  // Text again, after Mask: Designer saves a form's properties in declaration order and uic
  // sets them in that order, while a new mask clears the text.
  Q_PROPERTY(QString Text READ Text WRITE SetText NOTIFY Change)
  Q_PROPERTY(QString MaskValue READ MaskValue)
  Q_PROPERTY(bool IsNull READ IsNull)
  Q_PROPERTY(QString About READ About)

 public:
  explicit QtMask(QWidget* parent = nullptr, QtContainer* container = nullptr);

  QString Mask() const;
  void SetMask(const QString& value);
  QString PromptChar() const;
  void SetPromptChar(const QString& value);
  QString MaskValue() const;
  bool IsNull() const;
  QString About() const;
};

}  // namespace entrybox
