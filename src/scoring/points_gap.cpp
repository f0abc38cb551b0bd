#include "scoring/points_gap.h"

#include <cmath>
#include <cstddef>

#include "model/number_reading.h"
#include "model/number_text.h"

namespace varostel {
namespace {

// Digits after the full stop of a number text.
int decimals_of(std::string_view number) {
  const std::size_t point = number.find('.');
  return point == std::string_view::npos ? 0 : static_cast<int>(number.size() - point - 1);
}

// A difference of two numbers with at most `decimals` decimals has no more
// than they do; rounding to them drops what binary fractions add
// (100.1 - 100 is 0.09999999999999432 in double precision).
std::string difference_text(double difference, int decimals) {
  constexpr double kExactWholeLimit = 9007199254740992.0;  // 2^53
  if (decimals <= 15) {
    const double scale = std::pow(10.0, decimals);
    const double scaled = difference * scale;
    if (std::fabs(scaled) < kExactWholeLimit) difference = std::round(scaled) / scale;
  }
  return number_text(difference);
}

}  // namespace

std::string points_gap(std::string_view total_text, std::string_view verdict_caption) {
  if (verdict_caption == kVerdictPlaceholder) return {};
  const auto total = read_strict(total_text);
  if (!total) return {};
  const int decimals = decimals_of(total_text);
  if (verdict_for(*total) != kVerdictPass) {
    return std::string(kGapShortBefore) + difference_text(kPassMark - *total, decimals) +
           std::string(kGapPoints);
  }
  if (*total <= kPassMark) return std::string(kGapPassed);
  return std::string(kGapAboveBefore) + difference_text(*total - kPassMark, decimals) +
         std::string(kGapPoints);
}

}  // namespace varostel
