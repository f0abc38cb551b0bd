// The current calendar year, behind an interface so tests can fix it.
#pragma once

namespace varostel {

class Clock {
 public:
  virtual ~Clock() = default;
  [[nodiscard]] virtual int current_year() const = 0;
};

// The year of the local date, read afresh on every call.
class SystemClock final : public Clock {
 public:
  [[nodiscard]] int current_year() const override;
};

}  // namespace varostel
