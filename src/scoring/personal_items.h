// The remaining items: housing (fixed points, or residence days for a
// residence permit), childbirth, and the employer's application bonus.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "model/form.h"

namespace varostel {

struct HousingRow {
  std::string_view housing;
  int points;
  bool residence_days_enabled;  // only a residence permit is scored by days
};

// A text outside the table changes neither the score nor the days box.
inline constexpr std::array<HousingRow, 4> kHousingRows = {{
    {"无房产", 0, false},
    {"有房无按揭", 30, false},
    {"有房有按揭", 20, false},
    {"居住证", 0, true},
}};

struct ChildbirthPoints {
  std::string_view childbirth;
  int points;
};

// Any other text scores 0.
inline constexpr std::array<ChildbirthPoints, 3> kChildbirthPoints = {{
    {"未育", 0},
    {"政策内生育", 0},
    {"政策外生育", -50},
}};

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
