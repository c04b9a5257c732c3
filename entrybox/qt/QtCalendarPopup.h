// The date box's calendar: a QCalendarWidget in a popup window under the field.
#pragma once

#include <QDate>
#include <QPointer>
#include <QWidget>

class QCalendarWidget;

namespace entrybox {

/// A popup window holding a QCalendarWidget that uses the system locale's first day of
/// the week and day names. A day clicked, or chosen with Enter or a double-click, closes
/// the popup and comes out as Picked; Escape or a click outside closes it with nothing
/// picked. The keyboard works on the days: arrows, Page Up/Down for the month.
class QtCalendarPopup : public QWidget {
  Q_OBJECT

 public:
  /// `dropButton` is the button that opens the popup: a press on it while the popup is
  /// open only closes the popup, rather than reaching the button and opening it again.
  QtCalendarPopup(QWidget* parent, QWidget* dropButton);

  QCalendarWidget& Calendar() { return *calendar; }

  /// Shows the popup under `anchor` (above it when the screen has no room below, and
  /// moved sideways to stay on the screen) with the days limited to minimum..maximum,
  /// `date` selected (brought into the limits) and the keyboard focus on the days.
  void ShowUnder(QWidget& anchor, QDate date, QDate minimum, QDate maximum);

 signals:
  /// A day was picked; the popup has closed already.
  void Picked(QDate date);

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void Pick(QDate date);

  QCalendarWidget* calendar;
  QPointer<QWidget> dropButton;
};

}  // namespace entrybox
