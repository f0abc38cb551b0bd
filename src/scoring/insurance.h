// Social-insurance months scoring: each fund earns points per 12 whole
// months paid, the five fund scores plus the employer bonus form the
// subtotal, and two buttons fill all five months boxes at once.
#pragma once

#include <array>
#include <cstdint>

#include "model/field_table.h"
#include "model/form.h"

namespace varostel {

struct Fund {
  FieldId months;
  FieldId score;
  int points_per_year;  // per 12 whole months
};

// Also the order in which the fill buttons write the boxes.
inline constexpr std::array<Fund, 5> kFunds = {{
    {field_id("养老月数"), field_id("养老得分"), 3},
    {field_id("医疗月数"), field_id("医疗得分"), 1},
    {field_id("工伤月数"), field_id("工伤得分"), 1},
    {field_id("生育险月数"), field_id("生育险得分"), 1},
    {field_id("失业月数"), field_id("失业得分"), 1},
}};

inline constexpr int kMonthsPerYear = 12;
// Added to the subtotal when the employer files the application.
inline constexpr double kEmployerBonus = 10.0;

// Points for a month count as read from its box: counts of 0 or less score
// nothing; others are rounded (a half to even, saturating at 2^31 - 1) and
// earn the fund's points per 12 whole months.
[[nodiscard]] std::int64_t fund_points(double months, int points_per_year);

// The five fund scores plus the employer bonus, written into the subtotal.
void insurance_subtotal_step(Form& form);

// Installs the Change handlers of the five months boxes and the Click
// handlers of the two fill buttons.
void install_insurance(Form& form);

}  // namespace varostel
