// Today's date, behind an interface so tests can fix it.
#pragma once

#include <compare>
#include <optional>

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

// The local date until a year is fixed; then today is the last day of that
// year, so every birth date within it has already passed. For the tests,
// and for the web page's test hook.
class SettableClock final : public Clock {
 public:
  SettableClock() = default;
  explicit SettableClock(int year) : year_(year) {}
  [[nodiscard]] Date today() const override {
    return year_ ? Date{*year_, 12, 31} : system_.today();
  }
  void fix_year(int year) { year_ = year; }

 private:
  SystemClock system_;
  std::optional<int> year_;
};

}  // namespace varostel
