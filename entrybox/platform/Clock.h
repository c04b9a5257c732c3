// Today's date, from the platform.
#pragma once

#include <chrono>

namespace entrybox {

/// The platform's calendar clock.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::chrono::year_month_day Today() const = 0;
};

}  // namespace entrybox
