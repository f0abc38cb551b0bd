// How far the total, as shown, is from the pass mark: the note on the total
// and the verdict.
#pragma once

#include <string>
#include <string_view>

#include "scoring/totals.h"

namespace varostel {

// The lowest whole total that passes.
inline constexpr double kPassMark = kVerdictBands.front().above + 1.0;

inline constexpr std::string_view kGapShortBefore = "还差 ";
inline constexpr std::string_view kGapPoints = " 分";
inline constexpr std::string_view kGapPassed = "已过线";
inline constexpr std::string_view kGapAboveBefore = "已过线，多出 ";

// From the total's text and the verdict's caption: "还差 N 分" up to the
// highest total that does not pass, "已过线" for a passing total up to the
// pass mark, "已过线，多出 N 分" above it. N is number text, exact to the
// total's own decimals. Empty while the verdict shows its placeholder, or
// when the total's text is not a number.
[[nodiscard]] std::string points_gap(std::string_view total_text, std::string_view verdict_caption);

}  // namespace varostel
