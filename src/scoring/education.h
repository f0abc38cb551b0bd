// The education score: fixed points per education, written straight into
// the grand total's education item; the choice also rescores the age, whose
// deduction depends on it.
#pragma once

#include <array>
#include <string_view>

#include "model/field_table.h"
#include "model/form.h"

namespace varostel {

struct EducationPoints {
  std::string_view education;
  int points;
};

// Any other text, "高中或以下学历" and the empty text among them, scores 0.
inline constexpr std::array<EducationPoints, 5> kEducationPoints = {{
    {kEducationItems[1], 70},   // 全日制大专或高技
    {kEducationItems[2], 90},   // 全日制本科
    {kEducationItems[3], 100},  // 全日制本科有学位
    {kEducationItems[4], 60},   // 非全日制大专或高技
    {kEducationItems[5], 80},   // 非全日制本科
}};

static_assert(
    [] {
      for (const EducationPoints& row : kEducationPoints) {
        if (!is_item_of(kEducationItems, row.education)) return false;
      }
      return true;
    }(),
    "every scored education is an item of the education list");

[[nodiscard]] int education_points(std::string_view education);

// Installs the Click handler of the education list.
void install_education(Form& form);

}  // namespace varostel
