// The age score and the personal subtotal: the age box is scored by bands,
// with a deduction from 40 to 47 that a full-time bachelor's education waives,
// and the age, housing and childbirth scores are added into the subtotal.
#pragma once

#include <array>
#include <limits>
#include <string_view>

#include "model/field_table.h"
#include "model/form.h"

namespace varostel {

// points = base - slope * (age - pivot); a band with a slope is a deduction,
// waived (0 points) for a full-time bachelor's education.
struct AgeBand {
  double below;  // exclusive upper bound; the bound itself belongs to the next band
  double base;
  double slope;
  double pivot;
};

inline constexpr std::array<AgeBand, 6> kAgeBands = {{
    {18.0, 0.0, 0.0, 0.0},                                     // under 18
    {35.0, 5.0, 0.0, 0.0},                                     // 18 to 34
    {40.0, 1.0, 0.0, 0.0},                                     // 35 to 39
    {45.0, 0.0, 2.0, 39.0},                                    // 40 to 44: -2 x (age - 39)
    {48.0, -10.0, 5.0, 44.0},                                  // 45 to 47: -(5 x (age - 44) + 10)
    {std::numeric_limits<double>::infinity(), 0.0, 0.0, 0.0},  // 48 and over
}};

// 全日制本科 and 全日制本科有学位: the educations that waive the deduction.
inline constexpr std::array<std::string_view, 2> kFullTimeBachelor = {kEducationItems[2],
                                                                      kEducationItems[3]};

static_assert(is_item_of(kEducationItems, kFullTimeBachelor[0]) &&
              is_item_of(kEducationItems, kFullTimeBachelor[1]));

// The age written into an empty or unreadable age box: its start value.
inline constexpr std::string_view kDefaultAge = field_row(field_id("年龄")).start_text;

[[nodiscard]] bool is_full_time_bachelor(std::string_view education);
[[nodiscard]] double age_points(double age, std::string_view education);

// Writes the banded points of the current age and education into the age
// score. Used when the age or the education changes.
void score_age(Form& form);

// Adds the age, housing and childbirth scores into the personal subtotal.
void personal_subtotal_refresh(Form& form);

// Installs the Change handler of the age box.
void install_age(Form& form);

}  // namespace varostel
