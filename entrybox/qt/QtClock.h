// Today's date on Qt.
#pragma once

#include <chrono>
#include <optional>

#include "entrybox/platform/Clock.h"

namespace entrybox {

/// The system's date (QDate::currentDate), or a fixed date when one is set (tests, scripts).
class QtClock : public Clock {
 public:
  std::chrono::year_month_day Today() const override;
  /// Fixes today's date; std::nullopt goes back to the system's date.
  void SetToday(std::optional<std::chrono::year_month_day> value) { fixed = value; }

 private:
  std::optional<std::chrono::year_month_day> fixed;
};

}  // namespace entrybox
