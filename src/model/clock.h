// Today's date, behind an interface so tests can fix it.
#pragma once

#include <compare>

namespace varostel {

// A calendar date as the clock gives it; dates compare in calendar order.
struct Date {
  int year = 1970;
  int month = 1;  // 1 to 12
  int day = 1;    // 1 to the month's length
  friend auto operator<=>(const Date&, const Date&) = default;
};

class Clock {
 public:
  virtual ~Clock() = default;
  [[nodiscard]] virtual Date today() const = 0;
  [[nodiscard]] int current_year() const { return today().year; }
};

// The local date, read afresh on every call.
class SystemClock final : public Clock {
 public:
  [[nodiscard]] Date today() const override;
};

}  // namespace varostel
