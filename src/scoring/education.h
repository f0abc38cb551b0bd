// The education score: fixed points per education, written straight into
// the grand total's education item; the choice also rescores the age, whose
// deduction depends on it.
#pragma once

#include <array>
#include <string_view>

#include "model/form.h"

namespace varostel {

struct EducationPoints {
  std::string_view education;
  int points;
};

// Any other text, "高中或以下学历" and the empty text among them, scores 0.
inline constexpr std::array<EducationPoints, 5> kEducationPoints = {{
    {"全日制大专或高技", 70},
    {"全日制本科", 90},
    {"全日制本科有学位", 100},
    {"非全日制大专或高技", 60},
    {"非全日制本科", 80},
}};

[[nodiscard]] int education_points(std::string_view education);

// Installs the Click handler of the education list.
void install_education(Form& form);

}  // namespace varostel
