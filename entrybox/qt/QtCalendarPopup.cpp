#include "entrybox/qt/QtCalendarPopup.h"

#include <QCalendarWidget>
#include <QLocale>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

namespace entrybox {

QtCalendarPopup::QtCalendarPopup(QWidget* parent, QWidget* dropButton)
    : QWidget(parent, Qt::Popup), calendar(new QCalendarWidget(this)), dropButton(dropButton) {
  setObjectName(QStringLiteral("CalendarPopup"));
  setAttribute(Qt::WA_WindowPropagation);  // the font and palette of the form
  calendar->setObjectName(QStringLiteral("Calendar"));
  const QLocale system = QLocale::system();
  calendar->setLocale(system);
  calendar->setFirstDayOfWeek(system.firstDayOfWeek());
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(calendar);
  connect(calendar, &QCalendarWidget::clicked, this, &QtCalendarPopup::Pick);
  connect(calendar, &QCalendarWidget::activated, this, &QtCalendarPopup::Pick);
}

void QtCalendarPopup::ShowUnder(QWidget& anchor, QDate date, QDate minimum, QDate maximum) {
  maximum = std::max(minimum, maximum);
  calendar->setDateRange(minimum, maximum);
  calendar->setSelectedDate(std::clamp(date, minimum, maximum));
  const QDate shown = calendar->selectedDate();
  calendar->setCurrentPage(shown.year(), shown.month());
  adjustSize();

  const QSize size = sizeHint().expandedTo(minimumSizeHint());
  const QPoint top = anchor.mapToGlobal(QPoint(0, 0));
  QPoint at(top.x(), top.y() + anchor.height());
  if (const QScreen* screen = anchor.screen()) {
    const QRect room = screen->availableGeometry();
    if (at.y() + size.height() > room.bottom() + 1 && top.y() - size.height() >= room.top()) {
      at.setY(top.y() - size.height());
    }
    at.setX(std::max(room.left(), std::min(at.x(), room.right() + 1 - size.width())));
  }
  resize(size);
  move(at);
  show();
  calendar->setFocus(Qt::PopupFocusReason);
}

void QtCalendarPopup::mousePressEvent(QMouseEvent* event) {
  // Qt closes the popup on a press outside it and then hands the press on; on the button
  // that would open the popup again at once.
  const QPoint at = event->globalPosition().toPoint();
  setAttribute(Qt::WA_NoMouseReplay,
               dropButton && dropButton->isVisible() &&
                   dropButton->rect().contains(dropButton->mapFromGlobal(at)));
  QWidget::mousePressEvent(event);
}

void QtCalendarPopup::Pick(QDate date) {
  // A double-click reports the day twice (clicked, then activated); the first one counts.
  // A day outside the limits is none to pick.
  if (!isVisible() || date < calendar->minimumDate() || date > calendar->maximumDate()) return;
  // Closed before the host hears of it: whatever the pick leads to, the popup is gone.
  close();
  emit Picked(date);
}

}  // namespace entrybox
