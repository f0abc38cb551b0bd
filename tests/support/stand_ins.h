// Stand-ins for the system services, for running the calculator without a
// window: a page opener that records instead of opening, and a clock whose
// year can be fixed.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/clock.h"
#include "model/page_opener.h"

namespace varostel {

struct PageOpening {
  std::string address;
  WindowMode mode;
};

class RecordingOpener final : public PageOpener {
 public:
  void open_page(std::string_view address, WindowMode mode) override {
    openings_.push_back({std::string(address), mode});
  }
  [[nodiscard]] const std::vector<PageOpening>& openings() const { return openings_; }

 private:
  std::vector<PageOpening> openings_;
};

// The system clock's date until a year is fixed; then today is the last
// day of that year, so every birth date within it has already passed.
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
