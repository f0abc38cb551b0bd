// The remaining items: housing (fixed points, or residence days for a
// residence permit), childbirth, and the employer's application bonus.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "model/field_table.h"
#include "model/form.h"

namespace varostel {

struct HousingRow {
  std::string_view housing;
  int points;
  bool residence_days_enabled;  // only a residence permit is scored by days
};

// A text outside the table changes neither the score nor the days box.
inline constexpr std::array<HousingRow, 4> kHousingRows = {{
    {kHousingItems[0], 0, false},   // 无房产
    {kHousingItems[1], 30, false},  // 有房无按揭
    {kHousingItems[2], 20, false},  // 有房有按揭
    {kHousingItems[3], 0, true},    // 居住证
}};

struct ChildbirthPoints {
  std::string_view childbirth;
  int points;
};

// Any other text scores 0.
inline constexpr std::array<ChildbirthPoints, 3> kChildbirthPoints = {{
    {kChildbirthItems[0], 0},    // 未育
    {kChildbirthItems[1], 0},    // 政策内生育
    {kChildbirthItems[2], -50},  // 政策外生育
}};

static_assert(
    [] {
      for (const HousingRow& row : kHousingRows) {
        if (!is_item_of(kHousingItems, row.housing)) return false;
      }
      for (const ChildbirthPoints& row : kChildbirthPoints) {
        if (!is_item_of(kChildbirthItems, row.childbirth)) return false;
      }
      return true;
    }(),
    "every scored housing and childbirth text is an item of its list");

inline constexpr int kDaysPerResidencePoint = 365;
inline constexpr int kMaxResidencePoints = 10;  // inclusive: 3650 days and more score 10

[[nodiscard]] std::optional<HousingRow> find_housing(std::string_view housing);
[[nodiscard]] int childbirth_points(std::string_view childbirth);
// Points for a day count as read from its box: one per full 365 days of the
// count rounded (a half to even, saturating at 2^31 - 1), at most 10;
// counts of 0 or less score nothing.
[[nodiscard]] int residence_points(double days);

// Installs the Click handlers of the housing and childbirth lists and of the
// employer check box, and the Change handler of the residence days box.
void install_personal_items(Form& form);

}  // namespace varostel
