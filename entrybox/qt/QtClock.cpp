#include "entrybox/qt/QtClock.h"

#include <QDate>

namespace entrybox {

std::chrono::year_month_day QtClock::Today() const {
  if (fixed) return *fixed;
  const QDate today = QDate::currentDate();
  return std::chrono::year_month_day{std::chrono::year{today.year()},
                                     std::chrono::month{static_cast<unsigned>(today.month())},
                                     std::chrono::day{static_cast<unsigned>(today.day())}};
}

}  // namespace entrybox
