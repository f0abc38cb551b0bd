#include "model/clock.h"

#include <ctime>

namespace varostel {

Date SystemClock::today() const {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local) == nullptr) return Date{};
  return Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

}  // namespace varostel
